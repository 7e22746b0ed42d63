#include "output/lpt_port.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/numfmt.h"
#include "platform/prompter.h"

namespace {

const char kEnvLpt1[] = "DRAVENTIS_LPT1";

std::atomic<int> g_nStallLimitMs{CLptPort::kStallLimitMs};

// A wait on the user-interface thread keeps the windows painting; input stays out, so nothing
// starts a second command in the middle of this one.
void PaintWhileWaiting() {
  QCoreApplication* app = QCoreApplication::instance();
  if (app && QThread::currentThread() == app->thread())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

int ElapsedMs(std::chrono::steady_clock::time_point since) {
  return static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - since).count());
}

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
  // O_NONBLOCK stays: a FIFO without a reader refuses at once, and every write waits with a
  // bound instead of blocking the thread.
  int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  if (named) flags |= O_CREAT;  // a file named by the variable collects the job
  int fd;
  do {
    fd = ::open(path.c_str(), flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return -1;
  return fd;
}

void CLptPort::SetStallLimit(int ms) { g_nStallLimitMs.store(ms > 0 ? ms : kStallLimitMs); }

int CLptPort::StallLimit() { return g_nStallLimitMs.load(); }

bool CLptPort::WaitSlice(int fd, Clock::time_point since, int limitMs, bool useHook, short events) {
  if (useHook && m_WaitHook) {
    if (m_WaitHook()) {
      errno = ECANCELED;
      return false;
    }
  } else {
    PaintWhileWaiting();
  }
  const int left = limitMs - ElapsedMs(since);
  if (left <= 0) {
    errno = ETIMEDOUT;
    return false;
  }
  pollfd p{fd, events, 0};
  // Ready, an error for the write to report, or a slice gone by: the caller looks again.
  (void)::poll(&p, 1, std::min(left, kWaitSliceMs));
  return true;
}

// A FIFO's reader takes bytes without the writer seeing a write go in (a full pipe frees room
// only when a whole page of it is read): a fall in the pipe's unread count is the machine
// taking bytes. unread is the count last seen, -1 when not known.
bool CLptPort::MachineTook(int fd, int& unread) {
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISFIFO(st.st_mode)) return false;
  int pending = 0;
  if (::ioctl(fd, FIONREAD, &pending) != 0) return false;
  const bool fell = unread >= 0 && pending < unread;
  unread = pending;
  return fell;
}

size_t CLptPort::WriteAll(int fd, const char* data, size_t length, int limitMs, bool useHook) {
  size_t done = 0;
  Clock::time_point progress = Clock::now();
  int unread = -1;
  while (done < length) {
    const ssize_t n = ::write(fd, data + done, length - done);
    if (n > 0) {
      done += static_cast<size_t>(n);
      progress = Clock::now();
      unread = -1;
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return done;
    // The port takes nothing now (a device that takes nothing without saying so, too); the
    // bound runs from the last byte the machine took.
    if (MachineTook(fd, unread)) progress = Clock::now();
    if (!WaitSlice(fd, progress, limitMs, useHook, POLLOUT)) return done;
  }
  return done;
}

void CLptPort::CountLost(int count, int error) {
  if (count <= 0) return;
  m_nLost += count;
  m_nLostError = error;
}

void CLptPort::SingleFailed(int error) {
  CountLost(1, error);
  if (error != ETIMEDOUT) return;
  m_bStalled = true;
  m_bFailed = true;
  ReportLost();
}

void CLptPort::SendSingle(const char* data, size_t length) {
  // After a stall the object's further commands would only wait again.
  if (m_bStalled) {
    CountLost(1, ETIMEDOUT);
    return;
  }
  const int fd = OpenPort();
  if (fd < 0) {
    CountLost(1, errno);
    return;
  }
  const bool whole = WriteAll(fd, data, length, StallLimit(), false) == length;
  const int error = errno;
  ::close(fd);
  if (!whole) SingleFailed(error);
}

void CLptPort::SendBytes(const char* data, size_t length) {
  if (m_nJobPort < 0) {
    SendSingle(data, length);
    return;
  }
  m_JobBuffer.append(data, length);
  m_CommandEnds.push_back(m_JobBuffer.size());
  if (m_JobBuffer.size() >= kJobWriteSize) FlushJob();
}

void CLptPort::FlushJob() {
  if (m_JobBuffer.empty()) return;
  if (m_bGivenUp) {
    // The operator ended the job while the port took nothing: the rest is not sent.
  } else if (m_bFailed) {
    CountLost(static_cast<int>(m_CommandEnds.size()), m_nLostError);
  } else {
    const size_t written = WriteAll(m_nJobPort, m_JobBuffer.data(), m_JobBuffer.size(), StallLimit(), true);
    const int error = errno;
    if (m_bFifo) {
      const int64_t base = m_nWritten;
      for (size_t end : m_CommandEnds) {
        if (end > written) break;
        m_RecentEnds.push_back(base + static_cast<int64_t>(end));
      }
      while (!m_RecentEnds.empty() && m_RecentEnds.front() <= base + static_cast<int64_t>(written) - m_nPipeSize)
        m_RecentEnds.pop_front();
    }
    m_nWritten += static_cast<int64_t>(written);
    if (written < m_JobBuffer.size()) JobWriteFailed(written, error);
  }
  m_JobBuffer.clear();
  m_CommandEnds.clear();
}

void CLptPort::JobWriteFailed(size_t written, int error) {
  // Commands that end within what was written reached the port whole; the rest did not.
  const auto whole = std::upper_bound(m_CommandEnds.begin(), m_CommandEnds.end(), written);
  const size_t cutStart = whole == m_CommandEnds.begin() ? 0 : *(whole - 1);
  if (whole != m_CommandEnds.end() && written > cutStart)
    m_CutTail.assign(m_JobBuffer, written, *whole - written);
  if (error == ECANCELED) {
    m_bGivenUp = true;
    return;
  }
  int lost = static_cast<int>(m_CommandEnds.end() - whole);
  // What a FIFO still holds when its reader is gone, or has not taken for the stall limit,
  // never reaches the machine either.
  if (m_bFifo && (error == EPIPE || error == ETIMEDOUT)) {
    int pending = 0;
    if (::ioctl(m_nJobPort, FIONREAD, &pending) == 0) lost += UnreadCommands(pending);
  }
  m_bFailed = true;
  m_bStalled = error == ETIMEDOUT;
  CountLost(lost, error);
}

int CLptPort::UnreadCommands(int64_t pending) const {
  const int64_t taken = m_nWritten - pending;
  return static_cast<int>(m_RecentEnds.end() - std::upper_bound(m_RecentEnds.begin(), m_RecentEnds.end(), taken));
}

void CLptPort::DrainJob() {
  if (!m_bFifo || m_bFailed || m_bGivenUp) return;
  int last = -1;
  Clock::time_point progress = Clock::now();
  for (;;) {
    int pending = 0;
    if (::ioctl(m_nJobPort, FIONREAD, &pending) != 0 || pending <= 0) return;
    if (pending != last) progress = Clock::now();
    last = pending;
    pollfd p{m_nJobPort, 0, 0};
    const bool gone = ::poll(&p, 1, 0) > 0 && (p.revents & (POLLERR | POLLHUP));
    if (gone || !WaitSlice(m_nJobPort, progress, StallLimit(), true, 0)) {
      const int error = gone ? EPIPE : errno;
      if (error == ECANCELED) {
        m_bGivenUp = true;
        return;
      }
      m_bFailed = true;
      m_bStalled = error == ETIMEDOUT;
      CountLost(UnreadCommands(pending), error);
      return;
    }
  }
}

void CLptPort::CompleteJob() {
  if (m_nJobPort < 0) return;
  FlushJob();
  DrainJob();
}

bool CLptPort::NeedsPenUp() const {
  return m_nJobPort >= 0 && !m_bLifted && (m_bGivenUp || m_bFailed);
}

void CLptPort::LiftPen(bool cancelAnswers) {
  if (m_nJobPort < 0 || m_bLifted) return;
  m_bLifted = true;
  if (m_nWritten == 0 && m_JobBuffer.empty() && !m_bFailed) return;  // nothing of the job was sent
  if (m_bFailed && !m_bStalled) {
    m_bPenLeftDown = true;  // the port is gone
    return;
  }
  std::string bytes;
  if (m_bFailed || m_bGivenUp) {
    FlushJob();  // what a stalled port did not take is counted; a given-up job's rest is dropped
    bytes = m_CutTail;
  } else {
    bytes = m_JobBuffer;  // the job's gathered commands still go, as they always did
  }
  bytes += "pu;\n";
  m_JobBuffer.clear();
  m_CommandEnds.clear();
  m_CutTail.clear();
  // The command in flight is finished and the pen lifted for as long as the machine takes
  // bytes, under the same bound as the job; only a Cancel given after the job ended (where the
  // caller lets one answer) gives it up. The stop flag that ended a worker's job does not.
  const WaitHook hook = m_WaitHook;
  if (!cancelAnswers) m_WaitHook = nullptr;
  const size_t written = WriteAll(m_nJobPort, bytes.data(), bytes.size(), StallLimit(), cancelAnswers);
  const int error = errno;
  m_WaitHook = hook;
  m_nWritten += static_cast<int64_t>(written);
  m_bGivenUp = true;  // nothing of the job follows the pen-up
  if (written < bytes.size()) {
    m_bPenLeftDown = true;
    if (error != ECANCELED) m_bFailed = true;
    if (error == ETIMEDOUT) m_bStalled = true;
    CountLost(1, error);
  }
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
  m_bStalled = m_bFailed = m_bGivenUp = m_bLifted = m_bPenLeftDown = false;
  m_CutTail.clear();
  m_nWritten = 0;
  m_RecentEnds.clear();
  struct stat st {};
  m_bFifo = ::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode);
  if (m_bFifo) {
    const int size = ::fcntl(fd, F_GETPIPE_SZ);
    if (size > 0) m_nPipeSize = size;
  }
  return TRUE;
}

int CLptPort::CloseJob() {
  if (m_nJobPort < 0) return m_nLost;
  CompleteJob();
  ::close(m_nJobPort);
  m_nJobPort = -1;
  return m_nLost;
}

std::string CLptPort::Reason(int error) {
  switch (error) {
    case ENOENT: return "ポートが見つかりません";
    case ENXIO:
    case ENODEV: return "ポートの先に機械がつながっていません";
    case EACCES:
    case EPERM:
    case EROFS: return "ポートへの書き込みが拒否されました";
    case ENOSPC: return "ポートがいっぱいで、これ以上受け取れません";
    case EPIPE: return "ポートの受け手がいなくなりました";
    case EISDIR: return "ポートの名前がフォルダを指しています";
    case ECANCELED: return "送るのを途中でやめました";
    case ETIMEDOUT:
      return "機械がデータを受け取りません (" + std::to_string((StallLimit() + 999) / 1000) + " 秒間)";
    default: break;
  }
  char buf[256];
  return strerror_r(error, buf, sizeof buf);
}

CString CLptPort::OpenFailure(int error) {
  return CString::FromUtf8("ポート LPT1 (" + PortPath("LPT1") + ") を開けません\n" + Reason(error));
}

CString CLptPort::LostMessage() const {
  if (m_nLost <= 0) return CString();
  return CString::FromUtf8("ポート LPT1 (" + PortPath("LPT1") + ") へ " + std::to_string(m_nLost) +
                           " 個のコマンドを送れませんでした\n" + Reason(m_nLostError) +
                           "\n彫刻データは最後まで機械に届いていません" +
                           (m_bPenLeftDown ? "\nペンを上げるコマンドも届いていないため、機械のペンが下りたままの可能性があります"
                                           : ""));
}

void CLptPort::ReportLost() {
  if (m_nLost <= 0 || m_bTold) return;
  m_bTold = true;
  AfxMessageBox(LostMessage(), MB_OK | MB_ICONEXCLAMATION);
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

bool CLptPort::MoveHead(double x, double y) {
  CLptPort port;
  port.m_bTold = true;  // a stall is told below with the move, not as lost engraving data
  port.PenUp(x, y);
  if (port.m_nLost == 0) return true;
  AfxMessageBox(CString::FromUtf8(numfmt::Format("ポート LPT1 (%s) へヘッドの移動 (PU%d,%d;) を送れませんでした\n",
                                                 PortPath("LPT1").c_str(), DoubleToInt(x), DoubleToInt(y)) +
                                  Reason(port.m_nLostError) + "\nヘッドは移動していません"),
                MB_OK | MB_ICONEXCLAMATION);
  return false;
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
    if (m_bStalled) {
      CountLost(1, ETIMEDOUT);
      return 0;
    }
    const size_t size = static_cast<size_t>(length) + 1;
    if (WriteAll(m_nPortStream, buffer, size, StallLimit(), false) < size) SingleFailed(errno);
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
