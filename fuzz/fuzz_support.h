// What every fuzz target shares: the offscreen application the renderer and the views need, a
// prompter that answers every question without a window, a scratch folder for the readers that
// take a path, and a check that stops the run on a broken promise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// Starts the offscreen QApplication (once) and installs the quiet prompter.
void Init();

// Writes the input to a file of the scratch folder and returns its path.
std::string WriteInput(const std::uint8_t* data, size_t size, const char* name = "input");

// With KORVANE_FUZZ_DUMP naming a folder, writes bytes there to look at after a failure.
void Dump(const char* name, const std::vector<std::uint8_t>& bytes);

// A promise of the code under test was broken: report and stop, so the fuzzer keeps the input.
[[noreturn]] void Fail(const char* what);
inline void Check(bool ok, const char* what) {
  if (!ok) Fail(what);
}

}  // namespace fuzz
