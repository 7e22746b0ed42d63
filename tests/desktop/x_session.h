// The desktop an operator has, for tests that drive the built program from outside: an X server
// (Xvfb) with a window manager (openbox), the X tools that send real key and mouse events and read
// windows, the clipboard and the screen back, and the program started in a folder of its own.
// Every process started here runs in a process group of its own and is ended by its id.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QImage>
#include <QRect>

namespace desk {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::milliseconds;

// A program found on PATH ("" when missing).
std::string FindTool(const std::string& name);

// A started process (its own process group); ended by End() or at destruction.
class Child {
 public:
  Child() = default;
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;
  ~Child() { End(); }
  bool Start(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
             const std::string& log = "/dev/null", int keepFd = -1);
  pid_t Pid() const { return m_pid; }
  bool Running();
  // Waits up to `timeout` for it to end by itself; true when it did (exit status in `status`).
  bool WaitExit(Ms timeout, int* status = nullptr);
  // SIGTERM to the group, SIGKILL after a grace period; reaps it.
  void End();

 private:
  pid_t m_pid = -1;
  int m_status = -1;
};

// Bounds are what an idle machine needs; beside the rest of the suite every step may take
// several times as long, and a wait that ends on its event costs no more for a larger bound.
inline constexpr int kLoadAllowance = 3;

// Waits (polling every 20 ms) until `done` holds or `timeout` (times kLoadAllowance) passes; true
// when it held.
bool WaitFor(const std::function<bool()>& done, Ms timeout);

// Xvfb with openbox on a display of its own, and the tools run against it.
class XSession {
 public:
  // `home` receives openbox's and the tools' files.
  explicit XSession(const std::string& home);
  ~XSession();
  // Empty when the desktop is up, else what is missing or failed.
  const std::string& Problem() const { return m_problem; }
  const std::string& Display() const { return m_display; }
  // The environment of every program on this display (HOME and the XDG folders in `home`).
  std::map<std::string, std::string> Env(const std::string& home) const;

  // Runs a tool to its end (bounded); its standard output, or "" on failure. `input` goes to
  // its standard input.
  std::string Run(const std::vector<std::string>& argv, Ms timeout = Ms(10000), int* status = nullptr,
                  const std::string& input = std::string()) const;

  // Windows and their names, stacking (bottom first), the screen.
  std::vector<unsigned long> Stacking() const;
  std::string WindowName(unsigned long id) const;
  std::string WindowType(unsigned long id) const;
  QRect Geometry(unsigned long id) const;
  unsigned long ActiveWindow() const;
  // The first managed window whose name is `name`, 0 for none.
  unsigned long WindowNamed(const std::string& name) const;
  QImage Screen() const;

  // Real input: keys (xdotool names, e.g. "ctrl+KP_Add"), typing, mouse.
  void Key(const std::string& keys) const;
  void Type(const std::string& text) const;
  void Click(QPoint at, int button = 1) const;
  void Drag(QPoint from, QPoint to) const;
  void MoveMouse(QPoint to) const;

 private:
  std::string m_home;
  std::string m_display;
  std::string m_problem;
  Child m_server;
  Child m_wm;
};

// Where `part` lies in `whole` (exact pixels where `part` is opaque), or a null point.
QPoint FindPicture(const QImage& whole, const QImage& part, const QRect& within = QRect());
// The box around the pixels that differ between two pictures of one size (inside `within`).
QRect ChangedBox(const QImage& a, const QImage& b, const QRect& within);

}  // namespace desk
