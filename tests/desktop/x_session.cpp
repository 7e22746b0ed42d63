#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

extern char** environ;

namespace desk {

std::string FindTool(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    const std::string candidate = folder + "/" + name;
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::string();
}

namespace {

std::vector<std::string> EnvList(const std::map<std::string, std::string>& env) {
  std::vector<std::string> out;
  for (const auto& [k, v] : env) out.push_back(k + "=" + v);
  return out;
}

// Forks `argv` into a process group of its own; stdin from `in` (or /dev/null), stdout to `out`,
// stderr to `err`; `keep` stays open in the child.
pid_t Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env, int in, int out,
            int err, int keep) {
  std::vector<std::string> envStrings = EnvList(env);
  std::vector<char*> args, envp;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  for (const std::string& e : envStrings) envp.push_back(const_cast<char*>(e.c_str()));
  envp.push_back(nullptr);
  const pid_t pid = ::fork();
  if (pid != 0) return pid;
  ::setpgid(0, 0);
  const int null = ::open("/dev/null", O_RDWR);
  ::dup2(in >= 0 ? in : null, 0);
  ::dup2(out >= 0 ? out : null, 1);
  ::dup2(err >= 0 ? err : null, 2);
  for (int fd = 3; fd < 1024; ++fd) {
    if (fd != keep) ::close(fd);
  }
  ::execve(args[0], args.data(), envp.data());
  ::_exit(127);
}

// Ends the process group of `pid` and reaps `pid`.
void EndGroup(pid_t pid) {
  ::kill(-pid, SIGTERM);
  const auto until = Clock::now() + Ms(3000);
  while (Clock::now() < until) {
    if (::waitpid(pid, nullptr, WNOHANG) == pid) {
      ::kill(-pid, SIGKILL);  // whatever it left behind in its group
      return;
    }
    std::this_thread::sleep_for(Ms(10));
  }
  ::kill(-pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
}

// One short connection to the display, as each tool run has its own.
struct XConnection {
  explicit XConnection(const std::string& display) {
    if (display.empty()) return;
    c = xcb_connect(display.c_str(), nullptr);
    if (xcb_connection_has_error(c)) {
      xcb_disconnect(c);
      c = nullptr;
      return;
    }
    root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  }
  ~XConnection() {
    if (c) xcb_disconnect(c);
  }
  XConnection(const XConnection&) = delete;
  XConnection& operator=(const XConnection&) = delete;
  xcb_connection_t* c = nullptr;
  xcb_window_t root = 0;
};

// A property of a window (0: the root) read from the server directly: a look at the windows
// must be quick on a loaded machine, which a tool started per look is not. Its bytes, and its
// format (8, 16 or 32; 0 when it is not set).
std::string Property(const std::string& display, uint32_t window, const char* name, int* format) {
  std::string bytes;
  *format = 0;
  XConnection x(display);
  if (!x.c) return bytes;
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(x.c, xcb_intern_atom(x.c, 1, uint16_t(std::strlen(name)), name), nullptr);
  if (!atom) return bytes;
  const xcb_atom_t property = atom->atom;
  free(atom);
  if (property == XCB_ATOM_NONE) return bytes;
  xcb_get_property_reply_t* reply = xcb_get_property_reply(
      x.c, xcb_get_property(x.c, 0, window ? window : x.root, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 16), nullptr);
  if (!reply) return bytes;
  *format = reply->format;
  // The value's length is in bytes, whatever the format.
  bytes.assign(static_cast<const char*>(xcb_get_property_value(reply)), size_t(xcb_get_property_value_length(reply)));
  free(reply);
  return bytes;
}

std::vector<uint32_t> Property32(const std::string& display, uint32_t window, const char* name) {
  int format = 0;
  const std::string bytes = Property(display, window, name, &format);
  std::vector<uint32_t> values;
  if (format != 32) return values;
  values.resize(bytes.size() / 4);
  std::memcpy(values.data(), bytes.data(), values.size() * 4);
  return values;
}

}  // namespace

bool Child::Start(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
                  const std::string& log, int keepFd) {
  End();
  const int out = ::open(log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
  m_pid = Spawn(argv, env, -1, out, out, keepFd);
  if (out >= 0) ::close(out);
  m_status = -1;
  return m_pid > 0;
}

bool Child::Running() {
  if (m_pid <= 0) return false;
  int status = 0;
  if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
    m_status = status;
    ::kill(-m_pid, SIGKILL);
    m_pid = -1;
    return false;
  }
  return true;
}

bool Child::WaitExit(Ms timeout, int* status) {
  const bool ended = WaitFor([this] { return !Running(); }, timeout);
  if (ended && status) *status = m_status;
  return ended;
}

void Child::End() {
  if (m_pid <= 0) return;
  EndGroup(m_pid);
  m_pid = -1;
}

bool WaitFor(const std::function<bool()>& done, Ms timeout) {
  const auto until = Clock::now() + timeout * kLoadAllowance;
  for (;;) {
    if (done()) return true;
    if (Clock::now() >= until) return false;
    std::this_thread::sleep_for(Ms(20));
  }
}

// ---- the session --------------------------------------------------------------------------------

XSession::XSession(const std::string& home) : m_home(home) {
  for (const char* tool : {"Xvfb", "openbox", "xdotool", "xprop", "xwininfo", "xclip"}) {
    if (FindTool(tool).empty()) m_problem += std::string(m_problem.empty() ? "" : ", ") + tool;
  }
  if (!m_problem.empty()) return;
  // Xvfb picks a free display and writes its number once it accepts connections.
  int ready[2];
  if (::pipe(ready) != 0) {
    m_problem = "pipe";
    return;
  }
  m_server.Start({FindTool("Xvfb"), "-displayfd", std::to_string(ready[1]), "-screen", "0", "1280x1024x24",
                  "-nolisten", "tcp", "-noreset"},
                 Env(home), home + "/xvfb.log", ready[1]);
  ::close(ready[1]);
  std::string number;
  pollfd p{ready[0], POLLIN, 0};
  const auto until = Clock::now() + Ms(15000);
  while (Clock::now() < until && number.find('\n') == std::string::npos) {
    if (::poll(&p, 1, 100) > 0) {
      char buf[32];
      const ssize_t n = ::read(ready[0], buf, sizeof buf);
      if (n <= 0) break;
      number.append(buf, static_cast<size_t>(n));
    }
  }
  ::close(ready[0]);
  if (number.find('\n') == std::string::npos) {
    m_problem = "Xvfb did not start";
    return;
  }
  m_display = ":" + number.substr(0, number.find('\n'));
  m_wm.Start({FindTool("openbox"), "--sm-disable"}, Env(home), home + "/openbox.log");
  // The window manager is up once it names its check window on the root.
  if (!WaitFor([this] { return Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).find("window id") != std::string::npos; },
               Ms(15000)))
    m_problem = "openbox did not start";
}

XSession::~XSession() {
  m_wm.End();
  m_server.End();
}

std::map<std::string, std::string> XSession::Env(const std::string& home) const {
  std::map<std::string, std::string> env;
  for (const char* keep : {"PATH", "ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"}) {
    if (const char* v = std::getenv(keep)) env[keep] = v;
  }
  env["HOME"] = home;
  env["XDG_CONFIG_HOME"] = home + "/.config";
  env["XDG_DATA_HOME"] = home + "/.local/share";
  env["XDG_CACHE_HOME"] = home + "/.cache";
  env["LANG"] = "C.UTF-8";
  if (!m_display.empty()) env["DISPLAY"] = m_display;
  return env;
}

std::string XSession::Run(const std::vector<std::string>& argv, Ms timeout, int* status,
                          const std::string& input) const {
  std::vector<std::string> args = argv;
  const std::string tool = FindTool(args[0]);
  if (tool.empty()) return std::string();
  args[0] = tool;
  int out[2], in[2] = {-1, -1};
  if (::pipe(out) != 0) return std::string();
  if (!input.empty() && ::pipe(in) != 0) {
    ::close(out[0]);
    ::close(out[1]);
    return std::string();
  }
  const pid_t pid = Spawn(args, Env(m_home), in[0], out[1], -1, -1);
  ::close(out[1]);
  if (in[0] >= 0) {
    ::close(in[0]);
    const ssize_t written = ::write(in[1], input.data(), input.size());
    (void)written;
    ::close(in[1]);
  }
  std::string text;
  pollfd p{out[0], POLLIN, 0};
  const auto until = Clock::now() + timeout;
  bool timedOut = true;
  while (Clock::now() < until) {
    if (::poll(&p, 1, 50) <= 0) continue;
    char buf[65536];
    const ssize_t n = ::read(out[0], buf, sizeof buf);
    if (n <= 0) {
      timedOut = false;
      break;
    }
    text.append(buf, static_cast<size_t>(n));
  }
  ::close(out[0]);
  int st = -1;
  if (timedOut) {
    EndGroup(pid);
    text.clear();
  } else if (!WaitFor([&] { return ::waitpid(pid, &st, WNOHANG) == pid; }, timeout)) {
    EndGroup(pid);
  } else {
    ::kill(-pid, SIGKILL);  // a tool that forked into the background (xclip) stays ours
  }
  if (status) *status = st;
  return text;
}

std::vector<unsigned long> XSession::Stacking() const {
  std::vector<unsigned long> ids;
  for (uint32_t id : Property32(m_display, 0, "_NET_CLIENT_LIST_STACKING")) ids.push_back(id);
  return ids;
}

std::string XSession::WindowName(unsigned long id) const {
  int format = 0;
  std::string name = Property(m_display, static_cast<uint32_t>(id), "_NET_WM_NAME", &format);
  if (format != 8) name = Property(m_display, static_cast<uint32_t>(id), "WM_NAME", &format);
  return format == 8 ? name : std::string();
}

std::string XSession::WindowType(unsigned long id) const {
  std::string names;
  XConnection x(m_display);
  if (!x.c) return names;
  for (uint32_t atom : Property32(m_display, static_cast<uint32_t>(id), "_NET_WM_WINDOW_TYPE")) {
    xcb_get_atom_name_reply_t* reply = xcb_get_atom_name_reply(x.c, xcb_get_atom_name(x.c, atom), nullptr);
    if (!reply) continue;
    names += std::string(xcb_get_atom_name_name(reply), size_t(xcb_get_atom_name_name_length(reply))) + " ";
    free(reply);
  }
  return names;
}

QRect XSession::Geometry(unsigned long id) const {
  // Absolute position and size of the client window, as xwininfo reports them.
  const std::string out = Run({"xwininfo", "-id", std::to_string(id)});
  auto field = [&out](const char* label) {
    const size_t at = out.find(label);
    return at == std::string::npos ? -1 : std::atoi(out.c_str() + at + std::strlen(label));
  };
  return QRect(field("Absolute upper-left X:"), field("Absolute upper-left Y:"), field("Width:"), field("Height:"));
}

unsigned long XSession::ActiveWindow() const {
  const std::string out = Run({"xdotool", "getactivewindow"});
  return out.empty() ? 0 : std::stoul(out);
}

unsigned long XSession::WindowNamed(const std::string& name) const {
  for (unsigned long id : Stacking()) {
    if (WindowName(id) == name) return id;
  }
  return 0;
}

QImage XSession::Screen() const {
  // The root window's pixels as the server holds them (GetImage of the root). Not xwd -root: it
  // reads windows that share a colormap through the lowest of them, so a dialog or menu over
  // the program's frame comes out black.
  if (m_display.empty()) return QImage();
  xcb_connection_t* c = xcb_connect(m_display.c_str(), nullptr);
  QImage image;
  if (!xcb_connection_has_error(c)) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_format_t* formats = xcb_setup_pixmap_formats(xcb_get_setup(c));
    int bpp = 0;
    for (int i = 0; i < xcb_setup_pixmap_formats_length(xcb_get_setup(c)); ++i) {
      if (formats[i].depth == screen->root_depth) bpp = formats[i].bits_per_pixel;
    }
    const int width = screen->width_in_pixels, height = screen->height_in_pixels;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0, uint16_t(width), uint16_t(height), ~0u),
        nullptr);
    // 24-bit true colour in 32-bit pixels, least significant byte first on this machine's server.
    if (reply && bpp == 32 && xcb_get_setup(c)->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST &&
        size_t(xcb_get_image_data_length(reply)) >= size_t(width) * height * 4) {
      image = QImage(width, height, QImage::Format_RGB32);
      const auto* data = xcb_get_image_data(reply);
      for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * width * 4);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) line[x] = 0xff000000u | (row[x] & 0xffffff);
      }
    }
    free(reply);
  }
  xcb_disconnect(c);
  return image;
}

void XSession::Key(const std::string& keys) const { Run({"xdotool", "key", "--clearmodifiers", keys}); }

void XSession::Type(const std::string& text) const { Run({"xdotool", "type", "--delay", "5", text}); }

void XSession::MoveMouse(QPoint to) const {
  Run({"xdotool", "mousemove", "--sync", std::to_string(to.x()), std::to_string(to.y())});
}

void XSession::Click(QPoint at, int button) const {
  MoveMouse(at);
  Run({"xdotool", "click", std::to_string(button)});
}

void XSession::Drag(QPoint from, QPoint to) const {
  MoveMouse(from);
  Run({"xdotool", "mousedown", "1"});
  // In steps, as a hand moves, so the program sees the motion between press and release.
  for (int i = 1; i <= 8; ++i) MoveMouse(from + (to - from) * i / 8);
  Run({"xdotool", "mouseup", "1"});
}

// ---- pictures -------------------------------------------------------------------------------------

QPoint FindPicture(const QImage& whole, const QImage& part, const QRect& within) {
  const QImage w = whole.convertToFormat(QImage::Format_RGB32);
  const QImage p = part.convertToFormat(QImage::Format_ARGB32);
  const QRect area = (within.isNull() ? w.rect() : within) & w.rect();
  for (int y = area.top(); y + p.height() <= area.bottom() + 1; ++y) {
    for (int x = area.left(); x + p.width() <= area.right() + 1; ++x) {
      bool same = true;
      for (int py = 0; py < p.height() && same; ++py) {
        const auto* prow = reinterpret_cast<const QRgb*>(p.constScanLine(py));
        const auto* wrow = reinterpret_cast<const QRgb*>(w.constScanLine(y + py)) + x;
        for (int px = 0; px < p.width(); ++px) {
          if (qAlpha(prow[px]) < 255) continue;
          if ((prow[px] & 0xffffff) != (wrow[px] & 0xffffff)) {
            same = false;
            break;
          }
        }
      }
      if (same) return QPoint(x, y);
    }
  }
  return QPoint();
}

QRect ChangedBox(const QImage& a, const QImage& b, const QRect& within) {
  QRect box;
  if (a.size() != b.size()) return box;
  const QRect area = within & a.rect();
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace desk
