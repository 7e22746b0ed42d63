#include "app_fixture.h"

#include "platform_notes.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <sys/stat.h>

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QtGlobal>

#include "app/main_frame.h"
#include "model/korvane_doc.h"

namespace {

// Set before main, so that Qt's settings and runtime folders are the test's from the start.
struct TestEnvironment {
  std::string base;
  TestEnvironment() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvane-app-XXXXXX").string();
    if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
    base = tmpl;
    ::mkdir((base + "/config").c_str(), 0700);
    ::mkdir((base + "/runtime").c_str(), 0700);
    ::chmod((base + "/runtime").c_str(), 0700);
    setenv("XDG_CONFIG_HOME", (base + "/config").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (base + "/runtime").c_str(), 1);
  }
  ~TestEnvironment() {
    std::error_code ec;
    std::filesystem::remove_all(base, ec);
  }
};
TestEnvironment g_environment;

QtMessageHandler g_previousHandler = nullptr;

void FailOnWarning(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  // The offscreen platform cannot pass size hints to a window manager it does not have.
  if (IsPlatformNote(message)) return;
  if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
    ADD_FAILURE() << "Qt warning: " << message.toStdString();
  if (g_previousHandler) g_previousHandler(type, context, message);
}

}  // namespace

std::string TestConfigHome() { return g_environment.base + "/config"; }
std::string TestRuntimeDir() { return g_environment.base + "/runtime"; }
QString InstanceLockPath() {
  return QString::fromStdString(TestRuntimeDir()) + QStringLiteral("/Vexor Co., Ltd   Draventis.lock");
}

void AppTest::SetUp() {
  g_previousHandler = qInstallMessageHandler(FailOnWarning);
  qApp->setQuitOnLastWindowClosed(false);
  QSettings(QStringLiteral("Vexor Co.,Ltd"), QStringLiteral("Draventis")).clear();
  QFile::remove(InstanceLockPath());
  g_bModified = 0;
  temp = std::make_unique<TempDir>();
  prompter = std::make_unique<ScriptedPrompter>();
}

void AppTest::TearDown() {
  Stop();
  prompter.reset();
  temp.reset();
  g_bModified = 0;
  qInstallMessageHandler(g_previousHandler);
}

BOOL AppTest::Start(const QStringList& args, bool splash) {
  CKorvaneApp::Options options;
  options.splash = splash;
  options.qtPrompter = false;
  options.timers = &timers;
  app = std::make_unique<CKorvaneApp>(options);
  return app->InitInstance(args);
}

void AppTest::Stop() {
  if (!app) return;
  app->ExitInstance();
  app.reset();
  QApplication::processEvents();
}

CMainFrame& AppTest::Frame() const { return *app->GetMainFrame(); }
CKorvaneDoc& AppTest::Doc() const { return *app->GetDocument(); }
