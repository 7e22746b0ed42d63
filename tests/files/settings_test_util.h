// The sections and keys of the hand-made defaults file, split without the profile reader.
#pragma once

#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "temp_dir.h"

// Beside this header; KORVANE_SOURCE_DIR, when set, names the source tree instead.
inline std::string GoldenPath(const char* name) {
  const char* src = std::getenv("KORVANE_SOURCE_DIR");
  if (src && *src) return std::string(src) + "/tests/files/data/" + name;
  std::string here = __FILE__;
  size_t slash = here.rfind('/');
  return (slash == std::string::npos ? std::string(".") : here.substr(0, slash)) + "/data/" + name;
}

// (section, key) in file order.
inline std::vector<std::pair<std::string, std::string>> GoldenKeys() {
  std::vector<std::pair<std::string, std::string>> keys;
  std::string text = TempDir::Read(GoldenPath("defaults.dat"));
  std::string section;
  for (size_t at = 0; at < text.size();) {
    size_t nl = text.find("\r\n", at);
    if (nl == std::string::npos) nl = text.size();
    std::string line = text.substr(at, nl - at);
    at = nl + 2;
    if (line.empty()) continue;
    if (line[0] == '[') section = line.substr(1, line.size() - 2);
    else keys.emplace_back(section, line.substr(0, line.find('=')));
  }
  return keys;
}
