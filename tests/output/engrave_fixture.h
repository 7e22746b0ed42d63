// A document with a fake canvas and "LPT1" pointed at a file of a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "fake_source.h"
#include "machine_simulator.h"
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

class EngraveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    portPath = dir.File("lpt1.out");
    setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
    SetSpeed(8);
    S().DrawingData.HOME = 0;
  }
  void TearDown() override { unsetenv("DRAVENTIS_LPT1"); }

  CKorvaneSettings& S() { return doc.m_Settings; }
  void SetSpeed(int speed) {
    auto* area = dynamic_cast<CDrawingObject*>(doc.GetObjectList()->GetObject(0));
    ASSERT_TRUE(area && area->m_pSetting);
    area->m_pSetting->m_Layers[0].nSpeed = speed;
  }
  // The bytes sent since the last call.
  std::string Take() {
    std::string bytes = ReadFileBytes(portPath);
    std::remove(portPath.c_str());
    return bytes;
  }

  TempDir dir;
  ScriptedPrompter prompter;
  CKorvaneDoc doc;
  FakeSource source{doc};
  std::string portPath;
};
