#include <gtest/gtest.h>

#include "machine_simulator.h"

TEST(MachineSimulator, ReadsCommandsInEitherCaseAndKeepsPenAndSpeeds) {
  CMachineSimulator sim(0, 0, 100, 100);
  ASSERT_TRUE(sim.Run("SP2;VS8;\nPU10,10;pd20,10;PD20,20;sp2;vs4;\npu;\n")) << sim.Error();
  EXPECT_EQ(sim.Speeds(), (std::vector<int>{8, 4}));
  EXPECT_EQ(sim.Pen(), 2);
  EXPECT_EQ(sim.PenX(), 20);
  EXPECT_EQ(sim.PenY(), 20);
  EXPECT_EQ(sim.Names(), (std::vector<std::string>{"SP", "VS", "PU", "PD", "PD", "SP", "VS", "pu"}));
  EXPECT_EQ(sim.MarkCount(), 21);
  EXPECT_TRUE(sim.IsMarked(15, 10));
  EXPECT_TRUE(sim.IsMarked(20, 15));
  EXPECT_FALSE(sim.IsMarked(15, 15));
  int x0, y0, x1, y1;
  ASSERT_TRUE(sim.MarkBox(x0, y0, x1, y1));
  EXPECT_EQ(x0, 10);
  EXPECT_EQ(y0, 10);
  EXPECT_EQ(x1, 20);
  EXPECT_EQ(y1, 20);
}

TEST(MachineSimulator, DrawsCirclesFromTheCentreOrFromTheModelOneCorner) {
  CMachineSimulator centre(-50, -50, 100, 100, 0);
  ASSERT_TRUE(centre.Run("PU0,0;CE20,10,360;\n"));
  CMachineSimulator corner(-50, -50, 100, 100, 1);
  ASSERT_TRUE(corner.Run("PU-20,10;CE20,10,360;\n"));
  for (const CMachineSimulator* sim : {&centre, &corner}) {
    int x0, y0, x1, y1;
    ASSERT_TRUE(sim->MarkBox(x0, y0, x1, y1));
    EXPECT_EQ(x0, -20);
    EXPECT_EQ(x1, 20);
    EXPECT_EQ(y0, -10);
    EXPECT_EQ(y1, 10);
    EXPECT_FALSE(sim->IsMarked(0, 0));
    ASSERT_EQ(sim->Circles().size(), 1u);
    EXPECT_EQ(sim->Circles()[0].cx, 0);
  }
}

TEST(MachineSimulator, RefusesWhatAMachineCouldNotRead) {
  EXPECT_FALSE(CMachineSimulator(0, 0, 1, 1).Run("PU1,2"));
  EXPECT_FALSE(CMachineSimulator(0, 0, 1, 1).Run("XX1;"));
  EXPECT_FALSE(CMachineSimulator(0, 0, 1, 1).Run("PD1;"));
  EXPECT_FALSE(CMachineSimulator(0, 0, 1, 1).Run("CE1,1,180;"));
  EXPECT_FALSE(CMachineSimulator(0, 0, 1, 1).Run("PU1.5,2;"));
  CMachineSimulator sim(0, 0, 10, 10);
  EXPECT_TRUE(sim.Run("PU-5,5;PD5,5;"));
  EXPECT_EQ(sim.OutsideCount(), 5);
}
