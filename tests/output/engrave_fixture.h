// A document with a fake canvas and "LPT1" pointed at a file of a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "canvas/leftview.h"
#include "fake_source.h"
#include "machine_simulator.h"
#include "model/drawingobject.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "output/engrave_engine.h"
#include "output/thread_engrave_engine.h"
#include "scripted_prompter.h"
#include "temp_dir.h"

// A threaded job's host that only counts the ends the worker scheduled.
struct EndCountingHost : IThreadEngraveHost {
  void ShowProgress(int, int) override {}
  void SetProgressPos(int) override {}
  void ScheduleEngravingEnd() override { ++ends; }
  int ends = 0;
};

class EngraveTest : public ::testing::Test {
 protected:
  // A mark of one segment at the page centre: a job without a mark is refused.
  void AddMark() {
    FakeShape dash;
    dash.kind = TYPE_LINE;
    dash.open = true;
    dash.pts = {{0, 0}, {0.5, 0}};
    source.Add(dash);
  }
  // The stream's end from its half-speed command on.
  static std::string EndOf(const std::string& stream) {
    const size_t at = stream.rfind("SP2;");
    return at == std::string::npos ? stream : stream.substr(at);
  }
  void SetUp() override {
    ASSERT_TRUE(doc.OnNewDocument());
    portPath = dir.File("lpt1.out");
    setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
    SetSpeed(8);
    S().DrawingData.HOME = 0;
  }
  void TearDown() override { unsetenv("DRAVENTIS_LPT1"); }

  CKorvaneSettings& S() { return doc.m_Settings; }
  // A design whose stream takes many writes of the port and more than a small pipe holds: 400
  // small squares and a circle on a 50 x 30 mm area of a 60 x 40 mm field, 10 dots per mm.
  void AddPortDesign() {
    for (int i = 0; i < 400; ++i) source.AddSquare(i % 40 - 20, i / 40 - 5, 0.8);
    source.AddCircle(3, 3, 2);
    S().DrawingField.FieldX = 60;
    S().DrawingField.FieldY = 40;
    S().DrawingArea.Width = 50;
    S().DrawingArea.Height = 30;
    S().DrawingArea.DPM = 10;
    S().DrawingArea.Span = 0.1;
  }
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

// The same with the real canvas view, whose jobs run into the machine simulator.
class ViewEngraveTest : public EngraveTest {
 protected:
  void SetUp() override {
    EngraveTest::SetUp();
    view = std::make_unique<CLeftView>(&doc);
  }
  void TearDown() override {
    view.reset();
    EngraveTest::TearDown();
  }
  // One job of the normal engine, outline (0) or raster (1), run by a simulator whose 4000 x
  // 4000 field must hold every mark.
  CMachineSimulator SimulateJob(int outStyle) {
    S().DrawingArea.OutStyleIndex = outStyle;
    CEngraveEngine engine;
    EXPECT_EQ(engine.Attach(&doc, view.get()), 1);
    int zoom = -1;
    EXPECT_EQ(engine.Start(&zoom), 1);
    view->RestoreZoom(&doc, zoom);
    view->SetRenderMode(RENDER_SCREEN);
    CMachineSimulator sim(0, 0, 4000, 4000);
    EXPECT_TRUE(sim.Run(Take())) << sim.Error();
    EXPECT_EQ(sim.OutsideCount(), 0);
    return sim;
  }

  std::unique_ptr<CLeftView> view;
};
