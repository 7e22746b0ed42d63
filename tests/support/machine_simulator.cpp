#include "machine_simulator.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <numbers>

CMachineSimulator::CMachineSimulator(int left, int bottom, int width, int height, int circleModel)
    : m_left(left),
      m_bottom(bottom),
      m_width(width > 0 ? width : 0),
      m_height(height > 0 ? height : 0),
      m_circleModel(circleModel),
      m_pixels(static_cast<size_t>(m_width) * m_height, 0) {}

bool CMachineSimulator::Run(const std::string& stream) {
  size_t i = 0;
  const size_t n = stream.size();
  while (i < n) {
    while (i < n && std::isspace(static_cast<unsigned char>(stream[i]))) ++i;
    if (i >= n) break;
    const size_t end = stream.find(';', i);
    if (end == std::string::npos) {
      m_error = "unterminated command at " + std::to_string(i);
      return false;
    }
    const std::string text = stream.substr(i, end - i);
    i = end + 1;
    if (text.size() < 2 || !std::isalpha(static_cast<unsigned char>(text[0])) ||
        !std::isalpha(static_cast<unsigned char>(text[1]))) {
      m_error = "bad command '" + text + "'";
      return false;
    }
    std::string name = text.substr(0, 2);
    const bool lower = std::islower(static_cast<unsigned char>(name[0]));
    for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::vector<long long> args;
    const std::string rest = text.substr(2);
    const bool hadArgs = !rest.empty();
    size_t p = 0;
    while (p < rest.size()) {
      char* stop = nullptr;
      const long long v = std::strtoll(rest.c_str() + p, &stop, 10);
      const size_t used = static_cast<size_t>(stop - (rest.c_str() + p));
      if (used == 0) {
        m_error = "bad argument in '" + text + "'";
        return false;
      }
      args.push_back(v);
      p += used;
      if (p < rest.size()) {
        if (rest[p] != ',') {
          m_error = "bad separator in '" + text + "'";
          return false;
        }
        ++p;
      }
    }
    if (!Execute(name, args, hadArgs)) {
      if (m_error.empty()) m_error = "cannot run '" + text + "'";
      return false;
    }
    m_names.push_back(lower && name == "PU" && !hadArgs ? "pu" : name);
    ++m_commands;
  }
  return true;
}

bool CMachineSimulator::Execute(const std::string& name, const std::vector<long long>& a, bool hadArgs) {
  if (name == "SP") {
    if (a.size() != 1) return false;
    m_pen = static_cast<int>(a[0]);
    return true;
  }
  if (name == "VS") {
    if (a.size() != 1) return false;
    m_speeds.push_back(static_cast<int>(a[0]));
    return true;
  }
  if (name == "PU") {
    m_bPenDown = false;
    if (!hadArgs) return true;  // pen up where it is
    if (a.size() != 2) return false;
    m_x = static_cast<int>(a[0]);
    m_y = static_cast<int>(a[1]);
    return true;
  }
  if (name == "PD") {
    if (a.size() != 2) return false;
    const int x = static_cast<int>(a[0]), y = static_cast<int>(a[1]);
    m_segments.push_back({m_x, m_y, x, y});
    m_bPenDown = true;
    Line(m_x, m_y, x, y);
    m_x = x;
    m_y = y;
    return true;
  }
  if (name == "CE") {
    if (a.size() != 3 || a[2] != 360) return false;
    m_bPenDown = false;
    const int rx = static_cast<int>(a[0]), ry = static_cast<int>(a[1]);
    int cx = m_x, cy = m_y;
    if (m_circleModel == 1) {
      cx = m_x + rx;
      cy = m_y - ry;
    }
    m_circles.push_back({cx, cy, rx, ry});
    Ellipse(cx, cy, rx, ry);
    return true;
  }
  m_error = "unknown command " + name;
  return false;
}

void CMachineSimulator::Mark(int x, int y) {
  const long long px = static_cast<long long>(x) - m_left;
  const long long py = static_cast<long long>(y) - m_bottom;
  if (px < 0 || py < 0 || px >= m_width || py >= m_height) {
    ++m_outside;
    return;
  }
  m_pixels[static_cast<size_t>(py) * m_width + static_cast<size_t>(px)] = 1;
}

void CMachineSimulator::Line(int x0, int y0, int x1, int y1) {
  long long dx = std::llabs(static_cast<long long>(x1) - x0);
  long long dy = -std::llabs(static_cast<long long>(y1) - y0);
  const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  long long err = dx + dy;
  int x = x0, y = y0;
  for (;;) {
    Mark(x, y);
    if (x == x1 && y == y1) break;
    const long long e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void CMachineSimulator::Ellipse(int cx, int cy, int rx, int ry) {
  const int steps = std::max(16, 8 * (std::abs(rx) + std::abs(ry)));
  int px = cx + rx, py = cy;
  for (int k = 1; k <= steps; ++k) {
    const double t = 2.0 * std::numbers::pi * k / steps;
    const int x = static_cast<int>(std::lround(cx + rx * std::cos(t)));
    const int y = static_cast<int>(std::lround(cy + ry * std::sin(t)));
    Line(px, py, x, y);
    px = x;
    py = y;
  }
}

bool CMachineSimulator::IsMarked(int x, int y) const {
  const long long px = static_cast<long long>(x) - m_left;
  const long long py = static_cast<long long>(y) - m_bottom;
  if (px < 0 || py < 0 || px >= m_width || py >= m_height) return false;
  return m_pixels[static_cast<size_t>(py) * m_width + static_cast<size_t>(px)] != 0;
}

long long CMachineSimulator::MarkCount() const {
  long long n = 0;
  for (std::uint8_t v : m_pixels) n += v;
  return n;
}

bool CMachineSimulator::MarkBox(int& x0, int& y0, int& x1, int& y1) const {
  bool any = false;
  for (int r = 0; r < m_height; ++r) {
    for (int c = 0; c < m_width; ++c) {
      if (!m_pixels[static_cast<size_t>(r) * m_width + c]) continue;
      const int x = m_left + c, y = m_bottom + r;
      if (!any) {
        x0 = x1 = x;
        y0 = y1 = y;
        any = true;
      } else {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
    }
  }
  return any;
}

// ---- the machine's pace ------------------------------------------------------------------------

CPacedReader::Pace CPacedReader::Steady(int bytesPerSecond, int pipeSize) {
  Pace p;
  p.name = "steady";
  p.bytesPerSecond = bytesPerSecond;
  p.pipeSize = pipeSize;
  return p;
}

CPacedReader::Pace CPacedReader::Bursts(int burstBytes, int pauseMs, int bytesPerSecond, int pipeSize) {
  Pace p;
  p.name = "bursts";
  p.burstBytes = burstBytes;
  p.pauseMs = pauseMs;
  p.bytesPerSecond = bytesPerSecond;
  p.pipeSize = pipeSize;
  return p;
}

CPacedReader::Pace CPacedReader::PauseOnce(int after, int pauseMs, int pipeSize) {
  Pace p;
  p.name = "pause once";
  p.firstPauseAfter = after;
  p.firstPauseMs = pauseMs;
  p.pipeSize = pipeSize;
  return p;
}

CPacedReader::Pace CPacedReader::LeaveAfter(long long bytes, int delayMs, int pipeSize) {
  Pace p;
  p.name = "leaves";
  p.leaveAfter = bytes;
  p.leaveDelayMs = delayMs;
  p.pipeSize = pipeSize;
  return p;
}

CPacedReader::CPacedReader(const std::string& fifo, const Pace& pace) : m_pace(pace) {
  m_fd = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (m_fd < 0) return;
  if (pace.pipeSize > 0) ::fcntl(m_fd, F_SETPIPE_SZ, pace.pipeSize);
  m_thread = std::thread([this] { Run(); });
}

CPacedReader::~CPacedReader() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bQuit = m_bJobOver = true;
  }
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
  if (m_fd >= 0) ::close(m_fd);
}

bool CPacedReader::Pause(int ms) {
  std::unique_lock<std::mutex> lock(m_mutex);
  return !m_changed.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_bQuit; });
}

size_t CPacedReader::Taken() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_taken.size();
}

void CPacedReader::Run() {
  constexpr int kTickMs = 10;
  const Pace& pace = m_pace;
  long long inBurst = 0;
  bool pausedOnce = false;
  std::vector<char> buf(1 << 16);
  for (;;) {
    const long long total = static_cast<long long>(Taken());
    if (pace.leaveAfter >= 0 && total >= pace.leaveAfter) {
      Pause(pace.leaveDelayMs);
      ::close(m_fd);
      m_fd = -1;
      m_bLeft.store(true);
      break;
    }
    if (!pausedOnce && pace.firstPauseAfter > 0 && total >= pace.firstPauseAfter) {
      pausedOnce = true;
      if (!Pause(pace.firstPauseMs)) break;
      continue;
    }
    if (pace.burstBytes > 0 && inBurst >= pace.burstBytes) {
      inBurst = 0;
      if (!Pause(pace.pauseMs)) break;
      continue;
    }
    long long want = static_cast<long long>(buf.size());
    if (pace.bytesPerSecond > 0) want = std::max(1, pace.bytesPerSecond * kTickMs / 1000);
    if (pace.burstBytes > 0) want = std::min(want, pace.burstBytes - inBurst);
    if (pace.leaveAfter >= 0) want = std::min(want, pace.leaveAfter - total);
    if (!pausedOnce && pace.firstPauseAfter > 0) want = std::min(want, pace.firstPauseAfter - total);
    pollfd p{m_fd, POLLIN, 0};
    ::poll(&p, 1, kTickMs);
    const ssize_t n = ::read(m_fd, buf.data(), static_cast<size_t>(want));
    if (n > 0) {
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_taken.append(buf.data(), static_cast<size_t>(n));
      }
      m_changed.notify_all();
      inBurst += n;
      if (pace.bytesPerSecond > 0 && !Pause(kTickMs)) break;
      continue;
    }
    if (n == 0) {
      // No writer: the job has closed the port (or not opened it yet).
      bool over;
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        over = m_bJobOver;
      }
      if (over) break;
      if (!Pause(2)) break;
      continue;
    }
    if (errno != EAGAIN && errno != EINTR) break;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_bQuit) break;
  }
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bEnded = true;
  }
  m_changed.notify_all();
}

const std::string& CPacedReader::Finish(int guardMs) {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_bJobOver = true;
  m_changed.notify_all();
  if (!m_changed.wait_for(lock, std::chrono::milliseconds(guardMs), [this] { return m_bEnded || !m_thread.joinable(); }))
    m_bQuit = true;  // a hanging test ends instead of waiting for ever
  lock.unlock();
  m_changed.notify_all();
  if (m_thread.joinable()) m_thread.join();
  return m_taken;
}

bool CPacedReader::WaitForBytes(size_t n, int guardMs) {
  std::unique_lock<std::mutex> lock(m_mutex);
  m_changed.wait_for(lock, std::chrono::milliseconds(guardMs), [this, n] { return m_taken.size() >= n || m_bEnded; });
  return m_taken.size() >= n;
}
