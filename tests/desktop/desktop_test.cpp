// The built program on an operator's desktop: Xvfb with openbox, real key and mouse events from
// xdotool, the clipboard through xclip, window stacking through xprop and the screen read from the X
// server.
// Each test is one session: start the program, act, look.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QLibraryInfo>
#include <QSettings>
#include <QTranslator>
#include <QUrl>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "outside_tool.h"
#include "res/images.h"
#include "res/resource.h"
#include "x_session.h"

namespace {

using desk::Child;
using desk::Ms;
using desk::WaitFor;
using desk::XSession;

const char* const kFrameName = "Draventis";

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

bool Exists(const std::string& path) {
  struct stat st{};
  return ::stat(path.c_str(), &st) == 0;
}

// The canvas: left of the splitter, below the bars, above the layer bar and the status bar.
QRect CanvasArea(const QRect& frame) { return QRect(frame.left() + 2, frame.top() + 80, 560, frame.height() - 200); }

QPoint Centre(const QRect& r) { return r.center(); }

// Within `tolerance` pixels of each other.
bool Near(QPoint a, QPoint b, int tolerance) {
  return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

class Desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvane-desktop-XXXXXX").string();
    ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
    root = tmpl;
    home = root + "/home";
    run = root + "/run";
    for (const std::string& d : {home, home + "/.config", run, root + "/bin", root + "/work"})
      ASSERT_EQ(::mkdir(d.c_str(), 0700), 0) << d;
    x = std::make_unique<XSession>(home);
    REQUIRE_OUTSIDE_TOOL(x->Problem().empty(), "The desktop (" + x->Problem() + ")");
    // The program keeps its settings beside itself: a copy of its own keeps them in the folder.
    program = root + "/bin/korvane";
    std::error_code ec;
    std::filesystem::copy_file(KORVANE_EXE, program, ec);
    ASSERT_FALSE(ec) << ec.message();
    std::filesystem::permissions(program, std::filesystem::perms::owner_all, ec);
  }

  void TearDown() override {
    korvane.End();
    x.reset();
    std::error_code ec;
    if (!root.empty()) std::filesystem::remove_all(root, ec);
  }

  // Starts the program and waits for its frame; 0 when it did not come up.
  unsigned long Start(const std::vector<std::string>& args = {}) { return Launch(args) ? WaitFrame() : 0; }

  unsigned long WaitFrame() {
    unsigned long frame = 0;
    WaitFor([&] { return (frame = Frame()) != 0 || !korvane.Running(); }, Ms(60000));
    return frame;
  }

  bool Launch(const std::vector<std::string>& args = {}) {
    std::map<std::string, std::string> env = x->Env(home);
    env["QT_QPA_PLATFORM"] = "xcb";
    env["XDG_RUNTIME_DIR"] = run;
    env["DRAVENTIS_LPT1"] = root + "/lpt1";
    std::vector<std::string> argv = {program};
    argv.insert(argv.end(), args.begin(), args.end());
    if (::chdir(root.c_str()) != 0) return false;
    return korvane.Start(argv, env, root + "/korvane.log");
  }

  // The main window (the splash has the program's name as well), else 0.
  unsigned long Frame() const {
    for (unsigned long id : x->Stacking()) {
      if (x->WindowName(id) == kFrameName && x->WindowType(id).find("_NET_WM_WINDOW_TYPE_SPLASH") == std::string::npos)
        return id;
    }
    return 0;
  }

  // The splash while one is managed, else 0.
  unsigned long Splash() const {
    for (unsigned long id : x->Stacking()) {
      if (x->WindowType(id).find("_NET_WM_WINDOW_TYPE_SPLASH") != std::string::npos) return id;
    }
    return 0;
  }

  // Ends the splash with a key (which it swallows) and waits for the frame to have the focus.
  void PastTheSplash(unsigned long frame) {
    WaitFor([&] { return Splash() != 0; }, Ms(5000));
    if (Splash()) x->Key("Escape");
    ASSERT_TRUE(WaitFor([&] { return Splash() == 0; }, Ms(10000)));
    x->MoveMouse(QPoint(1279, 1023));
    x->Run({"xdotool", "windowactivate", std::to_string(frame)});
    ASSERT_TRUE(WaitFor([&] { return x->ActiveWindow() == frame; }, Ms(5000)))
        << "active " << x->ActiveWindow() << ", frame " << frame;
  }

  // Closes the program as an operator does (Alt+F4 through the window manager) and waits.
  int Close(const std::function<void()>& answer = {}) {
    x->Key("alt+F4");
    if (answer) answer();
    int status = -1;
    if (!korvane.WaitExit(Ms(30000), &status)) {
      std::string open;
      for (unsigned long id : x->Stacking()) open += " \"" + x->WindowName(id) + "\"";
      ADD_FAILURE() << "the program did not end; windows:" << open;
    }
    return status;
  }

  // Answers "No" to the save question when the program asks it while closing (Tab from the
  // default "Yes", then Space); returns at once when the program ends without asking.
  void AnswerNoIfAsked() {
    unsigned long question = 0;
    WaitFor([&] { return (question = x->WindowNamed("確認")) != 0 || !korvane.Running(); }, Ms(8000));
    if (!question) return;
    x->Key("Tab");
    x->Key("space");
  }

  // The window (other than `except`) named `name` that turns up within the time, else 0.
  unsigned long WaitWindow(const std::string& name, Ms timeout = Ms(15000)) {
    unsigned long id = 0;
    WaitFor([&] { return (id = x->WindowNamed(name)) != 0; }, timeout);
    return id;
  }

  // Types `path` into the file dialog that has the focus and accepts it, waiting until the dialog
  // has gone. Qt's completer can take a Return meant for the dialog (its popup comes up late on a
  // busy machine, over a name that exists), so Return is pressed again while the dialog stays.
  bool AcceptFileDialog(const std::string& path, unsigned long frame) {
    const unsigned long dialog = x->ActiveWindow();
    x->Type(path);
    for (int attempt = 0; attempt < 4; ++attempt) {
      x->Key("Return");
      const auto gone = [&] {
        const std::vector<unsigned long> shown = x->Stacking();
        return std::find(shown.begin(), shown.end(), dialog) == shown.end() && x->ActiveWindow() == frame;
      };
      if (WaitFor(gone, Ms(8000))) return true;
      if (x->ActiveWindow() != dialog) return WaitFor(gone, Ms(15000));
    }
    return false;
  }

  // Waits until the part `area` of the screen differs from (or, `same`, equals) `before`.
  QImage WaitScreen(const QImage& before, const QRect& area, bool same, Ms timeout = Ms(10000)) {
    QImage now;
    WaitFor([&] {
      now = x->Screen();
      return (now.copy(area) == before.copy(area)) == same;
    }, timeout);
    return now;
  }

  // The screen once `area` has settled (two looks alike).
  QImage Settled(const QRect& area, Ms timeout = Ms(10000)) {
    QImage now = x->Screen(), before;
    WaitFor([&] {
      before = now;
      now = x->Screen();
      return now.copy(area) == before.copy(area);
    }, timeout);
    return now;
  }

  // The screen once `area` has stayed the same for `still`: a program that has just been raised
  // and focused can repaint its status bar a while after two looks first agree.
  QImage Quiet(const QRect& area, Ms still = Ms(1500), Ms timeout = Ms(20000)) {
    QImage now = x->Screen();
    auto since = desk::Clock::now();
    WaitFor([&] {
      const QImage next = x->Screen();
      if (next.copy(area) != now.copy(area)) {
        now = next;
        since = desk::Clock::now();
        return false;
      }
      return desk::Clock::now() - since >= still;
    }, timeout);
    return now;
  }

  // Clicks the bar button of `command`, found on the screen by its picture, and returns the part
  // of the canvas that changed once it has settled (the canvas before and after in `before` and
  // `after`).
  QRect FromTheBar(UINT command, const QRect& window, QImage& before, QImage& after) {
    const QRect canvas = CanvasArea(window);
    before = Settled(canvas);
    if (!ClickBarButton(command, window, before)) return QRect();
    WaitScreen(before, canvas, false);
    after = Settled(canvas);
    return desk::ChangedBox(before, after, canvas);
  }

  // Clicks the bar button of `command`, found on `screen` by its picture; false when it is not there.
  bool ClickBarButton(UINT command, const QRect& window, const QImage& screen) {
    const QImage button = res::BarImage(command);
    const QPoint at = desk::FindPicture(screen, button, QRect(window.left(), window.top(), window.width(), 90));
    if (at.isNull()) {
      ADD_FAILURE() << "no button for " << command << " on the screen";
      return false;
    }
    x->Click(at + QPoint(button.width() / 2, button.height() / 2));
    x->MoveMouse(QPoint(1279, 1023));
    return true;
  }

  // The program's popup (a menu) that opened with its corner at `at`, once it is drawn: its
  // place on the screen, or an empty rectangle when none turned up in time.
  QRect PopupAt(QPoint at, unsigned long frame) {
    QRect found;
    WaitFor([&] {
      const std::string ids = x->Run({"xdotool", "search", "--onlyvisible", "--classname", "korvane"});
      std::istringstream in(ids);
      for (unsigned long id = 0; in >> id;) {
        const QRect r = id == frame ? QRect() : x->Geometry(id);
        if (r.width() > 8 && r.height() > 8 && Near(r.topLeft(), at, 4)) {
          found = r;
          return true;
        }
      }
      return false;
    }, Ms(10000));
    if (!found.isEmpty()) Settled(found);
    return found;
  }

  void Shot(const QImage& image, const char* name) {
    const char* out = std::getenv("KORVANE_SCREENSHOT_DIR");
    if (!out || !*out) return;
    EXPECT_TRUE(image.save(QString::fromUtf8(out) + "/desktop_" + name + ".png")) << name;
  }

  // The value of `key` in the program's settings file ("" when absent).
  std::string Setting(const std::string& key) const {
    std::istringstream in(ReadFile(program + ".dat"));
    std::string line;
    while (std::getline(in, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return std::string();
  }

  std::string root, home, run, program;
  std::unique_ptr<XSession> x;
  Child korvane;
};

// The share (0 to 1) of the sampled pixels of `area` on the screen that show `picture`.
double PictureShare(const QImage& screen, const QRect& area, const QImage& picture) {
  if (screen.isNull() || area.size() != picture.size()) return 0;
  int samples = 0, alike = 0;
  for (int y = 0; y < picture.height(); y += 4)
    for (int x = 0; x < picture.width(); x += 4) {
      const QPoint at = area.topLeft() + QPoint(x, y);
      if (!screen.rect().contains(at)) continue;
      const QRgb a = screen.pixel(at), b = picture.pixel(x, y);
      ++samples;
      if (std::abs(qRed(a) - qRed(b)) <= 8 && std::abs(qGreen(a) - qGreen(b)) <= 8 && std::abs(qBlue(a) - qBlue(b)) <= 8)
        ++alike;
    }
  return samples ? double(alike) / samples : 0;
}

// What a window shows in `area` of the screen: its most frequent colour and the shares of that
// colour, of black, of dark (text) pixels and of strong blue (link) pixels.
struct Look {
  QRgb common = 0;
  double commonShare = 0, black = 0, dark = 0, blue = 0;
};

Look LookAt(const QImage& screen, const QRect& area) {
  Look look;
  const QRect r = area & screen.rect();
  if (r.isEmpty()) return look;
  std::map<QRgb, int> counts;
  int black = 0, dark = 0, blue = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) {
      const QRgb p = screen.pixel(x, y) & 0xffffff;
      ++counts[p];
      black += p == 0;
      dark += qGray(p) < 96;
      blue += qBlue(p) > 160 && qRed(p) < 96 && qGreen(p) < 96;
    }
  const auto common = std::max_element(counts.begin(), counts.end(),
                                       [](const auto& a, const auto& b) { return a.second < b.second; });
  const double n = double(r.width()) * r.height();
  look.common = common->first;
  look.commonShare = common->second / n;
  look.black = black / n;
  look.dark = dark / n;
  look.blue = blue / n;
  return look;
}

std::string Describe(const Look& look) {
  std::ostringstream out;
  out << "most common #" << std::hex << look.common << std::dec << " (" << look.commonShare << "), black "
      << look.black << ", dark " << look.dark << ", blue " << look.blue;
  return out.str();
}

TEST_F(Desktop, TheSplashStaysOnTopOfTheFrameForAboutFourSeconds) {
  ASSERT_TRUE(Launch());
  // On a loaded machine each look takes its time: the splash's life is known only between the
  // looks, so its bounds are checked against what the looks prove, whatever their number.
  unsigned long splash = 0;
  auto lookStart = desk::Clock::now(), previousLook = lookStart;
  ASSERT_TRUE(WaitFor([&] {
    previousLook = lookStart;
    lookStart = desk::Clock::now();
    return (splash = Splash()) != 0;
  }, Ms(30000))) << ReadFile(root + "/korvane.log");
  const auto appearedAfter = previousLook;        // the look before saw no splash
  const auto appearedBy = desk::Clock::now();     // this one did
  const QImage picture = res::SplashPicture();
  // Once the frame is up, on top of it at every look, and its picture on the screen from the
  // first look that shows it to the end (a window stacked right that shows black is no splash).
  bool shot = false;
  int looksOverFrame = 0, looksAtPicture = 0;
  double worstAfterPicture = 1;
  unsigned long frame = 0;
  QRect area;
  auto lastSeen = appearedBy, goneBy = appearedBy;
  bool gone = false;
  for (bool first = true; desk::Clock::now() - appearedBy < Ms(30000); first = false) {
    // Looks now cost little: spaced as WaitFor spaces them, so as not to keep the server from
    // the program.
    if (!first) std::this_thread::sleep_for(Ms(20));
    const auto look = desk::Clock::now();
    const std::vector<unsigned long> stack = x->Stacking();
    const auto s = std::find(stack.begin(), stack.end(), splash);
    if (s == stack.end()) {
      goneBy = desk::Clock::now();
      gone = true;
      break;
    }
    lastSeen = look;
    if (!frame) frame = Frame();
    const auto f = std::find(stack.begin(), stack.end(), frame);
    if (!frame || f == stack.end()) continue;
    EXPECT_GT(s - stack.begin(), f - stack.begin()) << "the splash is below the frame";
    ++looksOverFrame;
    if (area.isNull()) area = x->Geometry(splash);
    const QImage screen = x->Screen();
    if (x->Stacking() != stack) continue;  // gone or restacked while the screen was read
    const double share = PictureShare(screen, area, picture);
    if (share >= 0.95) {
      ++looksAtPicture;
      if (!shot) Shot(screen, "splash");
      shot = true;
    } else if (looksAtPicture) {
      worstAfterPicture = std::min(worstAfterPicture, share);
    }
  }
  ASSERT_TRUE(gone) << "the splash stayed for 30 s";
  const auto ms = [](desk::Clock::duration d) { return std::chrono::duration_cast<Ms>(d).count(); };
  // Up at least from its first sighting to its last, at most from the look before the first to
  // the look that missed it.
  const long long shortest = ms(lastSeen - appearedBy), longest = ms(goneBy - appearedAfter);
  EXPECT_GE(looksOverFrame, 1) << "the frame never came up under the splash";
  EXPECT_GE(looksAtPicture, 1) << "the splash over the frame never showed its picture";
  EXPECT_GE(worstAfterPicture, 0.95) << "the splash's picture went from the screen while it was up";
  EXPECT_GE(longest, 3000) << "the splash was gone within " << longest << " ms";
  EXPECT_LE(shortest, 6500) << "the splash stayed at least " << shortest << " ms";
  if (!frame) frame = WaitFrame();
  EXPECT_NE(frame, 0u);
  EXPECT_EQ(Close(), 0);
}

TEST_F(Desktop, CtrlAndTheKeypadsPlusAndMinusZoom) {
  std::ofstream(program + ".dat") << "[SYSTEM]\r\nZoomStep=5\r\n";
  const unsigned long frame = Start();
  ASSERT_NE(frame, 0u) << ReadFile(root + "/korvane.log");
  PastTheSplash(frame);
  const QRect window = x->Geometry(frame);
  // The status bar: the bottom strip of the frame, where "ZOOM =" stands.
  const QRect status(window.left(), window.bottom() - 24, window.width(), 25);
  // Each key is seen to change the pane before the next is sent; the zoom kept at the end
  // counts every press once (5 + 1 - 2), whatever the pane showed in between.
  // Each look is taken once the pane has stayed still, so that a late repaint after the frame
  // was focused is not taken for a key's work.
  const QImage start = Quiet(status);
  x->Key("ctrl+KP_Add");
  WaitScreen(start, status, false);
  const QImage larger = Quiet(status);
  EXPECT_NE(larger.copy(status), start.copy(status)) << "Ctrl + keypad plus changed nothing";
  x->Key("ctrl+KP_Subtract");
  WaitScreen(larger, status, false);
  const QImage back = Quiet(status);
  EXPECT_NE(back.copy(status), larger.copy(status)) << "Ctrl + keypad minus changed nothing";
  x->Key("ctrl+KP_Subtract");
  WaitScreen(back, status, false);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(Setting("ZoomStep"), "4");
}

// Qt's own text in Japanese, from Qt's translations as installed ("" when they are not).
std::string QtJapanese(const char* context, const char* text) {
  QTranslator translator;
  if (!translator.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) return std::string();
  return translator.translate(context, text).toStdString();
}

// Every key and value of an INI file.
std::map<QString, QVariant> IniValues(const std::string& path) {
  QSettings ini(QString::fromStdString(path), QSettings::IniFormat);
  std::map<QString, QVariant> values;
  for (const QString& key : ini.allKeys()) values[key] = ini.value(key);
  return values;
}

TEST_F(Desktop, ARectangleFromTheBarIsMovedSavedAndReopenedAndTheClipboardTextStays) {
  const unsigned long frame = Start();
  ASSERT_NE(frame, 0u) << ReadFile(root + "/korvane.log");
  PastTheSplash(frame);
  // Text another program put on the clipboard.
  // Text another program put on the clipboard (xclip serves it until another owner takes it).
  const std::string note = root + "/note.txt";
  std::ofstream(note) << "operator's note";
  Child clipOwner;
  ASSERT_TRUE(clipOwner.Start({desk::FindTool("xclip"), "-quiet", "-selection", "clipboard", "-i", note}, x->Env(home)));
  auto clipboard = [&] { return x->Run({"xclip", "-selection", "clipboard", "-o"}, Ms(5000)); };
  ASSERT_TRUE(WaitFor([&] { return clipboard() == "operator's note"; }, Ms(10000)));

  const QRect window = x->Geometry(frame);
  const QRect canvas = CanvasArea(window);
  QImage empty, drawn;
  const QRect added = FromTheBar(ID_ADD_RECTANGLE, window, empty, drawn);
  ASSERT_FALSE(added.isEmpty()) << "no rectangle appeared";

  // Dragged by the middle of its frame, 60 pixels right and 80 up; the reopened design shows
  // where it went.
  const QPoint by(60, -80);
  const QImage selected = x->Screen();
  x->Drag(Centre(added), Centre(added) + by);
  x->MoveMouse(QPoint(1279, 1023));
  Shot(WaitScreen(selected, canvas, false), "design");

  // Saved under a name typed into the save dialog.
  const std::string saved = root + "/work/design.mrk";
  x->Key("ctrl+s");
  ASSERT_TRUE(WaitFor([&] { return x->ActiveWindow() != frame && x->ActiveWindow() != 0; }, Ms(15000)));
  // Qt's own dialog speaks the program's language.
  const std::string saveAs = QtJapanese("QFileDialog", "Save As");
  REQUIRE_OUTSIDE_TOOL(!saveAs.empty(), "Qt's Japanese translations (qt6-translations-l10n)");
  EXPECT_EQ(x->WindowName(x->ActiveWindow()), saveAs);
  ASSERT_TRUE(AcceptFileDialog(saved, frame)) << "the save dialog stayed";
  ASSERT_TRUE(WaitFor([&] { return Exists(saved) && x->ActiveWindow() == frame; }, Ms(15000))) << "not saved";

  // A new design: the canvas is empty again.
  x->Key("ctrl+n");
  EXPECT_EQ(WaitScreen(empty, canvas, true).copy(canvas), empty.copy(canvas)) << "New left something on the canvas";
  EXPECT_EQ(clipboard(), "operator's note") << "New emptied the clipboard";

  // Reopened: the rectangle where it was moved to (selected, as when it was added).
  x->Key("ctrl+o");
  ASSERT_TRUE(WaitFor([&] { return x->ActiveWindow() != frame && x->ActiveWindow() != 0; }, Ms(15000)));
  ASSERT_TRUE(AcceptFileDialog(saved, frame)) << "the open dialog stayed";
  // Looked at once the canvas has settled (two looks alike).
  QRect reopened;
  QImage shown;
  ASSERT_TRUE(WaitFor([&] {
    const QImage previous = shown;
    shown = x->Screen();
    reopened = desk::ChangedBox(empty, shown, canvas);
    return !reopened.isEmpty() && x->ActiveWindow() == frame && previous.copy(canvas) == shown.copy(canvas);
  }, Ms(30000))) << "the reopened design never settled";
  Shot(shown, "reopened");
  ASSERT_FALSE(reopened.isEmpty()) << "the reopened design shows nothing";
  EXPECT_TRUE(Near(Centre(reopened), Centre(added) + by, 4))
      << "added at (" << Centre(added).x() << "," << Centre(added).y() << "), reopened at (" << Centre(reopened).x()
      << "," << Centre(reopened).y() << ")";
  EXPECT_TRUE(added.translated(by).adjusted(-4, -4, 4, 4).contains(reopened));
  EXPECT_EQ(clipboard(), "operator's note") << "Open emptied the clipboard";

  // Closed; the save question, when the program asks it, answered "No".
  EXPECT_EQ(Close([&] { AnswerNoIfAsked(); }), 0);
  EXPECT_EQ(clipboard(), "operator's note") << "closing emptied the clipboard";
}

TEST_F(Desktop, AFileDialogWithPlacesLeavesTheUsersQtSettingsAsTheyWere) {
  const std::string open = QtJapanese("QFileDialog", "Open");
  REQUIRE_OUTSIDE_TOOL(!open.empty(), "Qt's Japanese translations (qt6-translations-l10n)");
  // The user's own side bar, kept by Qt for every Qt program of the user.
  const std::string qtConf = home + "/.config/QtProject.conf";
  const std::string mine = home + "/mine", a = root + "/work/placeA", b = root + "/work/placeB";
  for (const std::string& d : {mine, a, b}) ASSERT_EQ(::mkdir(d.c_str(), 0700), 0);
  const QStringList usersBar = {QStringLiteral("file:"), QUrl::fromLocalFile(QString::fromStdString(mine)).toString()};
  {
    QSettings user(QString::fromStdString(qtConf), QSettings::IniFormat);
    user.setValue("FileDialog/shortcuts", usersBar);
    user.setValue("FileDialog/sidebarWidth", 111);
    user.setValue("Elsewhere/value", "kept");
  }
  const std::map<QString, QVariant> before = IniValues(qtConf);
  // The program's places bar on, with two folders.
  std::ofstream(program + ".dat") << "[SYSTEM]\r\nPlacesbar=1\r\nPlacesbarHistory=0\r\nPlacesFolder0=" << a
                                  << "\r\nPlacesFolder1=" << b << "\r\n";

  auto openAndCancel = [&](unsigned long frame) {
    x->Key("ctrl+o");
    unsigned long dialog = 0;
    ASSERT_TRUE(WaitFor([&] { return (dialog = x->ActiveWindow()) != frame && dialog != 0; }, Ms(15000)));
    EXPECT_EQ(x->WindowName(dialog), open) << "Qt's own texts are not Japanese";
    x->Key("Escape");
    ASSERT_TRUE(WaitFor([&] { return x->ActiveWindow() == frame; }, Ms(15000)));
  };
  unsigned long frame = Start();
  ASSERT_NE(frame, 0u) << ReadFile(root + "/korvane.log");
  PastTheSplash(frame);
  openAndCancel(frame);
  // Put back once the dialog is gone (just after its window closes).
  EXPECT_TRUE(WaitFor([&] { return IniValues(qtConf) == before; }, Ms(5000))) << ReadFile(qtConf);
  EXPECT_EQ(Close(), 0);
  EXPECT_EQ(Setting("Placesbar"), "1");

  // Places off: the dialog shows the user's own side bar, which Qt writes back as it showed it.
  std::string dat = ReadFile(program + ".dat");
  const size_t at = dat.find("Placesbar=1");
  ASSERT_NE(at, std::string::npos);
  dat.replace(at, 11, "Placesbar=0");
  std::ofstream(program + ".dat", std::ios::binary) << dat;
  frame = Start();
  ASSERT_NE(frame, 0u);
  PastTheSplash(frame);
  openAndCancel(frame);
  EXPECT_EQ(Close(), 0);
  QSettings after(QString::fromStdString(qtConf), QSettings::IniFormat);
  EXPECT_EQ(after.value("FileDialog/shortcuts").toStringList(), usersBar) << ReadFile(qtConf);
  EXPECT_EQ(after.value("Elsewhere/value").toString(), QStringLiteral("kept"));
}

// A modal dialog and a context menu over the maximised frame show what they draw, not a black
// box: the About box opened from its bar button has its own background over most of its client
// area, its text and its blue links; the canvas's context menu shows its entries.
TEST_F(Desktop, TheAboutBoxAndAContextMenuOverTheMaximisedFrameShowWhatTheyDraw) {
  const unsigned long frame = Start();
  ASSERT_NE(frame, 0u) << ReadFile(root + "/korvane.log");
  PastTheSplash(frame);
  const QRect window = x->Geometry(frame);
  ASSERT_GE(window.width(), 1200) << "the frame is not maximised";
  const QImage before = Settled(window);
  const Look frameLook = LookAt(before, QRect(window.left() + 620, window.top() + 580, 300, 150));

  ASSERT_TRUE(ClickBarButton(ID_APP_ABOUT, window, before));
  unsigned long dialog = 0;
  ASSERT_TRUE(WaitFor([&] { return (dialog = x->ActiveWindow()) != frame && dialog != 0; }, Ms(15000)));
  EXPECT_NE(x->WindowName(dialog).find("情報"), std::string::npos) << x->WindowName(dialog);
  const QRect box = x->Geometry(dialog);
  ASSERT_TRUE(window.contains(box)) << "the dialog is not over the frame";
  const QImage withBox = Settled(box);
  Shot(withBox, "about");
  const Look boxLook = LookAt(withBox, box);
  EXPECT_LT(boxLook.black, 0.05) << Describe(boxLook);
  // The dialog's background is the frame's panel colour, and covers most of it.
  EXPECT_EQ(boxLook.common, frameLook.common) << Describe(boxLook) << "; frame: " << Describe(frameLook);
  EXPECT_GT(boxLook.commonShare, 0.6) << Describe(boxLook);
  EXPECT_GT(boxLook.dark, 0.01) << "no text: " << Describe(boxLook);
  EXPECT_GT(boxLook.blue, 0.002) << "no link: " << Describe(boxLook);
  x->Key("Escape");
  ASSERT_TRUE(WaitFor([&] { return x->ActiveWindow() == frame; }, Ms(10000)));

  // The canvas's context menu: a light box with dark entries, where the right click was.
  const QPoint at = Centre(CanvasArea(window)) + QPoint(0, 150);
  x->Click(at, 3);
  const QRect menu = PopupAt(at, frame);
  ASSERT_FALSE(menu.isEmpty()) << "no menu at the right click";
  const QImage withMenu = Settled(menu);
  Shot(withMenu, "context_menu");
  const Look menuLook = LookAt(withMenu, menu);
  EXPECT_LT(menuLook.black, 0.2) << Describe(menuLook);
  EXPECT_GT(qGray(menuLook.common), 160) << Describe(menuLook);
  EXPECT_GT(menuLook.commonShare, 0.5) << Describe(menuLook);
  EXPECT_GT(menuLook.dark, 0.005) << "no entries: " << Describe(menuLook);
  x->Key("Escape");
  EXPECT_TRUE(WaitFor([&] { return x->Screen().copy(menu) == before.copy(menu); }, Ms(10000))) << "the menu stayed";
  EXPECT_EQ(Close(), 0);
}

// What a paste in paint mode brings: black with a white window off its centre, so that only
// one place shows it. Its rim is left out of the search, where the floating picture's frame is
// drawn.
QImage PastedPicture() {
  QImage picture(40, 30, QImage::Format_RGB32);
  picture.fill(Qt::black);
  for (int y = 8; y < 16; ++y)
    for (int x = 10; x < 22; ++x) picture.setPixel(x, y, qRgb(255, 255, 255));
  return picture;
}

QImage WithoutRim(const QImage& picture, int rim) {
  QImage part = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < part.height(); ++y)
    for (int x = 0; x < part.width(); ++x)
      if (x < rim || y < rim || x >= part.width() - rim || y >= part.height() - rim) part.setPixel(x, y, 0);
  return part;
}

// The first entry of the menu shown at `menu` on `screen` that is drawn enabled (dark text): the
// rows its text spans, across the menu; empty when none.
QRect FirstEntry(const QImage& screen, const QRect& menu) {
  int top = -1, bottom = -1;
  for (int y = menu.top() + 2; y < menu.bottom() - 1; ++y) {
    int dark = 0;
    for (int x = menu.left() + 2; x < menu.right() - 1; ++x) dark += qGray(screen.pixel(x, y)) < 96;
    if (dark >= 2) {
      if (top < 0) top = y;
      bottom = y;
    } else if (top >= 0 && y - bottom > 3) {
      break;  // past the first line of text (the gaps inside a glyph are narrower)
    }
  }
  return top < 0 ? QRect() : QRect(menu.left(), top, menu.width(), bottom - top + 1);
}

// Paint mode as an operator reaches it: the scanning area made an image from the bar, then the
// image's context menu "画像の編集". The edit bars and the menu bar give way to the paint editor.
// There a picture another program put on the clipboard is pasted from the context menu of the
// very first click, a right one, and again after a band is dragged from a right click elsewhere:
// each lands under its click, at the editor's 100 %.
TEST_F(Desktop, TheImageOfTheScanningAreaIsEditedInPaintModeAndARightClickPasteLandsThere) {
  const unsigned long frame = Start();
  ASSERT_NE(frame, 0u) << ReadFile(root + "/korvane.log");
  PastTheSplash(frame);
  const QRect window = x->Geometry(frame);
  const QRect bars(window.left(), window.top(), window.width(), 70);
  QImage empty, imaged;
  const QRect image = FromTheBar(ID_SCAN_AREA_TO_IMAGE, window, empty, imaged);
  ASSERT_FALSE(image.isEmpty()) << "no image appeared";

  x->Click(Centre(image), 3);
  const QRect menu(Centre(image), QSize(120, 120));
  WaitScreen(imaged, menu, false);
  x->Key("Up");
  x->Key("Up");
  x->Key("Return");
  EXPECT_NE(WaitScreen(imaged, bars, false, Ms(15000)).copy(bars), imaged.copy(bars)) << "the bars stayed: no paint mode";
  const QImage painting = Settled(window);
  Shot(painting, "paint_mode");

  // The picture on the clipboard, served by xclip as PNG until another owner takes it.
  const QImage picture = PastedPicture();
  const std::string png = root + "/picture.png";
  ASSERT_TRUE(picture.save(QString::fromStdString(png), "PNG"));
  Child clipOwner;
  ASSERT_TRUE(clipOwner.Start({desk::FindTool("xclip"), "-quiet", "-selection", "clipboard", "-t", "image/png", "-i", png},
                              x->Env(home)));
  ASSERT_TRUE(WaitFor([&] {
    return x->Run({"xclip", "-selection", "clipboard", "-t", "TARGETS", "-o"}, Ms(5000)).find("image/png") != std::string::npos;
  }, Ms(10000)));

  // Pastes from the context menu of a right click at `click`: the menu opens there and its first
  // entry, "貼り付け", is found on the screen and drawn enabled. Returns where the picture stands.
  const QRect canvas = CanvasArea(window);
  const QImage part = WithoutRim(picture, 2);
  auto pasteAt = [&](QPoint click, const char* shot) {
    x->Click(click, 3);
    const QRect menu = PopupAt(click, frame);
    if (menu.isEmpty()) {
      ADD_FAILURE() << "no menu at the right click (" << click.x() << "," << click.y() << ")";
      return QPoint();
    }
    const QImage withMenu = Settled(menu);
    Shot(withMenu, shot);
    const QRect entry = FirstEntry(withMenu, menu);
    if (entry.isEmpty() || entry.top() - menu.top() > 30) {
      ADD_FAILURE() << "the menu's first entry is not there or not enabled: " << Describe(LookAt(withMenu, menu));
      return QPoint();
    }
    x->Click(QPoint(menu.left() + menu.width() / 3, entry.center().y()));
    x->MoveMouse(QPoint(1279, 1023));
    WaitScreen(withMenu, menu, false);
    // The topmost match: the earlier paste stands lower down.
    return desk::FindPicture(Settled(canvas), part, canvas);
  };
  auto where = [](QPoint p) { return "(" + std::to_string(p.x()) + "," + std::to_string(p.y()) + ")"; };

  // The very first click in paint mode is the right button.
  const QPoint first = canvas.topLeft() + QPoint(120, 420);
  const QPoint firstFound = pasteAt(first, "paint_first_menu");
  ASSERT_FALSE(firstFound.isNull()) << "the first paste is nowhere on the canvas";
  EXPECT_TRUE(Near(firstFound, first, 2)) << "right click at " << where(first) << ", picture at " << where(firstFound);

  // A band dragged in the picture, then the right click below and right of where it ended.
  const QPoint from = canvas.topLeft() + QPoint(150, 150), to = from + QPoint(80, 50);
  const QPoint at = canvas.topLeft() + QPoint(300, 320);
  x->Drag(from, to);
  Settled(canvas);
  const QPoint found = pasteAt(at, "paint_menu");
  Shot(x->Screen(), "paint_pasted");
  ASSERT_FALSE(found.isNull()) << "the pasted picture is nowhere on the canvas";
  EXPECT_TRUE(Near(found, at, 2)) << "right click at " << where(at) << ", picture at " << where(found)
                                  << ", the band ended at " << where(to);

  EXPECT_EQ(Close([&] { AnswerNoIfAsked(); }), 0);
}

}  // namespace
