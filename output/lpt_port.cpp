#include "output/lpt_port.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <unistd.h>

namespace {

const char kEnvLpt1[] = "DRAVENTIS_LPT1";

// A reader of a FIFO that goes away must not end the program in the middle of a job.
void IgnoreSigpipe() {
  static std::once_flag once;
  std::call_once(once, [] { std::signal(SIGPIPE, SIG_IGN); });
}

// Appends "<prefix><x>,<y>;" to buf and returns the length.
size_t FormatPair(char* buf, size_t size, const char* prefix, int x, int y, const char* suffix) {
  char* p = buf;
  char* end = buf + size;
  for (const char* s = prefix; *s; ++s) *p++ = *s;
  p = std::to_chars(p, end, x).ptr;
  *p++ = ',';
  p = std::to_chars(p, end, y).ptr;
  for (const char* s = suffix; *s; ++s) *p++ = *s;
  return static_cast<size_t>(p - buf);
}

}  // namespace

CLptPort::~CLptPort() {
  CloseJob();
  Close();
}

std::string CLptPort::PortPath(const char* portName) {
  const std::string name = portName ? portName : "";
  if (name == "LPT1") {
    const char* env = std::getenv(kEnvLpt1);
    if (env && *env) return env;
    return "/dev/lp0";
  }
  if (name == "LPT2") return "/dev/lp1";
  return name;
}

int CLptPort::OpenPort() {
  IgnoreSigpipe();
  const char* env = std::getenv(kEnvLpt1);
  const bool named = env && *env;
  const std::string path = PortPath("LPT1");
  // O_NONBLOCK only for the open itself (a FIFO without a reader refuses at once instead of
  // hanging the job); the writes then block as a printer port does.
  int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  if (named) flags |= O_CREAT;  // a file named by the variable collects the job
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  const int fl = ::fcntl(fd, F_GETFL);
  if (fl >= 0) ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
  return fd;
}

size_t CLptPort::WriteAll(int fd, const char* data, size_t length) {
  size_t done = 0;
  while (done < length) {
    const ssize_t n = ::write(fd, data + done, length - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return done;
    }
    if (n == 0) {  // a device that takes nothing would never end the loop
      errno = EIO;
      return done;
    }
    done += static_cast<size_t>(n);
  }
  return done;
}

void CLptPort::CountLost(int count, int error) {
  if (count <= 0) return;
  m_nLost += count;
  m_nLostError = error;
}

void CLptPort::SendBytes(const char* data, size_t length) {
  if (m_nJobPort >= 0) {
    m_JobBuffer.append(data, length);
    m_CommandEnds.push_back(m_JobBuffer.size());
    if (m_JobBuffer.size() >= kJobWriteSize) FlushJob();
    return;
  }
  const int fd = OpenPort();
  if (fd < 0) {
    CountLost(1, errno);
    return;
  }
  if (WriteAll(fd, data, length) < length) CountLost(1, errno);
  ::close(fd);
}

void CLptPort::FlushJob() {
  if (m_JobBuffer.empty()) return;
  const size_t written = WriteAll(m_nJobPort, m_JobBuffer.data(), m_JobBuffer.size());
  if (written < m_JobBuffer.size()) {
    const int error = errno;
    // Commands that end within what was written reached the port whole; the rest did not.
    const auto whole = std::upper_bound(m_CommandEnds.begin(), m_CommandEnds.end(), written);
    CountLost(static_cast<int>(m_CommandEnds.end() - whole), error);
  }
  m_JobBuffer.clear();
  m_CommandEnds.clear();
}

BOOL CLptPort::OpenJob(CString* reason) {
  if (m_nJobPort >= 0) return TRUE;
  const int fd = OpenPort();
  if (fd < 0) {
    if (reason) *reason = OpenFailure(errno);
    return FALSE;
  }
  m_nJobPort = fd;
  m_JobBuffer.reserve(kJobWriteSize + 64);
  return TRUE;
}

int CLptPort::CloseJob() {
  if (m_nJobPort < 0) return m_nLost;
  FlushJob();
  ::close(m_nJobPort);
  m_nJobPort = -1;
  return m_nLost;
}

CString CLptPort::OpenFailure(int error) {
  char buf[256];
  const char* text = strerror_r(error, buf, sizeof buf);
  return CString::FromUtf8("ポート LPT1 (" + PortPath("LPT1") + ") を開けません\n" + text);
}

CString CLptPort::LostMessage() const {
  if (m_nLost <= 0) return CString();
  char buf[256];
  const char* text = strerror_r(m_nLostError, buf, sizeof buf);
  return CString::FromUtf8("ポート LPT1 (" + PortPath("LPT1") + ") へ " + std::to_string(m_nLost) +
                           " 個のコマンドを送れませんでした\n" + text +
                           "\n彫刻データは最後まで機械に届いていません");
}

BOOL CLptPort::CheckPort(CString* reason) {
  const int fd = OpenPort();
  if (fd >= 0) {
    ::close(fd);
    return TRUE;
  }
  if (reason) *reason = OpenFailure(errno);
  return FALSE;
}

void CLptPort::SendCommand(CString text) {
  std::string s = text.c_str();
  if (s.empty()) return;
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n')) s.pop_back();
  if (s.empty() || s.back() != ';') s += ';';
  s += '\n';
  SendBytes(s.data(), s.size());
}

void CLptPort::PenUp(double x, double y) {
  char buf[48];
  SendBytes(buf, FormatPair(buf, sizeof buf, "PU", DoubleToInt(x), DoubleToInt(y), ";"));
}

void CLptPort::PenDown(double x, double y) {
  char buf[48];
  SendBytes(buf, FormatPair(buf, sizeof buf, "PD", DoubleToInt(x), DoubleToInt(y), ";"));
}

void CLptPort::Circle(double rx, double ry) {
  char buf[48];
  SendBytes(buf, FormatPair(buf, sizeof buf, "CE", DoubleToInt(rx), DoubleToInt(ry), ",360;\n"));
}

int CLptPort::Send(char* buffer, int length, int mode) {
  if (!buffer) return -1;
  if (length == 0) return -2;
  if (length < 0) return -2;  // a negative length names no line
  if (mode == 1) {
    buffer[length] = '\r';
    buffer[length + 1] = '\n';
    buffer[length + 2] = '\0';
    SendBytes(buffer, static_cast<size_t>(length) + 2);
    return 0;
  }
  if (mode == 2) {
    buffer[length] = ';';
    if (m_nPortStream < 0) m_nPortStream = OpenPort();
    if (m_nPortStream < 0) {
      CountLost(1, errno);
      return -3;
    }
    if (WriteAll(m_nPortStream, buffer, static_cast<size_t>(length) + 1) < static_cast<size_t>(length) + 1)
      CountLost(1, errno);
    return 0;
  }
  return -3;
}

void CLptPort::Close() {
  if (m_nPortStream >= 0) {
    ::close(m_nPortStream);
    m_nPortStream = -1;
  }
}
