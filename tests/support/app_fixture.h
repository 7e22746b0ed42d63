// The application under test: a temporary user folder (XDG_CONFIG_HOME, XDG_RUNTIME_DIR) for the
// whole program run, companion files in a temporary folder per test, scripted questions, timers
// fired by hand, and every Qt warning turned into a test failure.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <QString>
#include <QStringList>

#include "app/korvane_app.h"
#include "fake_timer_host.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

class CMainFrame;
class CKorvaneDoc;

// The folders the run's environment points at.
std::string TestConfigHome();
std::string TestRuntimeDir();
QString InstanceLockPath();

class AppTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the application (splash off unless asked); InitInstance's result.
  BOOL Start(const QStringList& args = {}, bool splash = false);
  void Stop();
  CMainFrame& Frame() const;
  CKorvaneDoc& Doc() const;

  std::unique_ptr<TempDir> temp;
  std::unique_ptr<ScriptedPrompter> prompter;
  CFakeTimerHost timers;
  std::unique_ptr<CKorvaneApp> app;
};
