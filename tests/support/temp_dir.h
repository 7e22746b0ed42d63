// A temporary folder removed with everything in it at the end of the test; it also points the
// companion files (settings, machine id, archive, design image) into itself.
#pragma once

#include <string>

class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "/" + name; }
  // Writes bytes to a file in the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  static std::string Read(const std::string& path);

 private:
  std::string m_path;
};
