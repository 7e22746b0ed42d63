// A started document with a counting canvas and the real form view attached, the stand-in pages
// registered, and every Qt warning during the test reported as a failure.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>
#include <string>
#include <vector>

#include "app/korvane_view.h"
#include "form_test_pages.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

class QtWarningGuard {
 public:
  QtWarningGuard();
  ~QtWarningGuard();
  static std::vector<std::string>& Warnings();

 private:
  QtMessageHandler m_previous;
};

class FormTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Starts the form view over the document (the frame's initial update).
  void StartView(bool fieldFixed = false);
  void Add(std::initializer_list<int> kinds);
  CObjectList& List() { return *doc->GetObjectList(); }
  IControlHost& C() { return *view->Controls(); }
  CTestPage* Page(int kind, int index) { return dynamic_cast<CTestPage*>(view->GetKindPage(kind, index)); }
  // Clicks a list line as the operator does.
  void ClickLine(int row);

  TempDir dir;
  ScriptedPrompter prompter;
  TestPagesRegistration pages;
  QtWarningGuard warnings;
  CountingCanvas canvas;
  std::unique_ptr<CKorvaneDoc> doc;
  std::unique_ptr<CKorvaneView> view;
};
