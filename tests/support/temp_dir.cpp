#include "temp_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/paths.h"

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "korvane-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  m_path = tmpl;
  paths::SetCompanionBase(m_path + "/korvane");
}

TempDir::~TempDir() {
  paths::SetCompanionBase("");
  std::error_code ec;
  std::filesystem::remove_all(m_path, ec);
}

std::string TempDir::Write(const std::string& name, const std::string& bytes) const {
  std::string p = File(name);
  std::ofstream(p, std::ios::binary) << bytes;
  return p;
}

std::string TempDir::Read(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}
