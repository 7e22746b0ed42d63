// What every benchmark program that builds Qt widgets shares: its main.
#pragma once

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>

// Runs the registered benchmarks under a QApplication, on the offscreen platform unless the
// caller chose one.
inline int RunQtBenchmarks(int& argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
