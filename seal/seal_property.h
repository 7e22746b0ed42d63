// The property file of a seal-design program's data folder ("property.txt"): lines of a key, a
// colon and a value, optionally followed by a unit in square brackets.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SealFolderProperties {
  // Keys the file does not give stay 0.
  double width = 0.0;   // mm
  double height = 0.0;
  int fstate = 0;       // 0 no frame, 1 frame, 2 frame with rounded corners
  double fsize = 0.0;   // frame width, mm
  int type = 0;         // 2 or 3 round, else rectangular
  bool hasWidth = false;
  bool hasHeight = false;
  // The lengths as the file writes them (before their unit), for a refusal to name.
  std::string widthText, heightText, fsizeText;
};

// Reads the lines: keys match the line's start without regard to case, the first of width,
// height, fstate, fsize, type that matches wins; "##" ends the reading and "#" skips a line; a
// line is taken to its first 1999 bytes, never cut inside a double-byte character.
SealFolderProperties ParseSealProperties(const std::vector<std::uint8_t>& bytes);
