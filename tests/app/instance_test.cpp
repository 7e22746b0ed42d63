// One instance at a time, the command line, and what the start-up leaves behind.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QSettings>
#include <QTest>

#include "app/main_frame.h"
#include "app_fixture.h"
#include "model/kinds.h"
#include "model/korvane_doc.h"
#include "model/objectlist.h"
#include "platform/paths.h"

namespace {

int VisibleTopLevels() {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible()) ++n;
  return n;
}

}  // namespace

TEST_F(AppTest, LockHeldByARunningInstanceEndsTheStartSilently) {
  QLockFile other(InstanceLockPath());
  ASSERT_TRUE(other.tryLock(0));
  const int before = static_cast<int>(QApplication::topLevelWidgets().size());
  EXPECT_FALSE(Start());
  EXPECT_EQ(app->ExitCode(), 0);
  EXPECT_EQ(app->GetMainFrame(), nullptr);
  EXPECT_EQ(static_cast<int>(QApplication::topLevelWidgets().size()), before);
  EXPECT_TRUE(prompter->Log().empty());
  // The first instance keeps its lock.
  Stop();
  EXPECT_TRUE(QFile::exists(InstanceLockPath()));
  other.unlock();
}

TEST_F(AppTest, LockOfAProcessThatDiedIsTakenOver) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    QLockFile lock(InstanceLockPath());
    lock.tryLock(0);
    _exit(0);  // dies holding it
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(QFile::exists(InstanceLockPath()));
  EXPECT_TRUE(Start());
  EXPECT_EQ(VisibleTopLevels(), 1);
  Stop();
  EXPECT_FALSE(QFile::exists(InstanceLockPath()));
}

TEST_F(AppTest, SecondCopyOfTheProgramExitsAndTheFirstRunsOn) {
  // The program is copied into the test's folder so its companion files land there.
  const QString source = QString::fromStdString(paths::ExecutablePath());
  const QString program = QFileInfo(source).dir().filePath(QStringLiteral("../korvane"));
  ASSERT_TRUE(QFile::exists(program)) << "the program is built beside the tests";
  const QString copy = QString::fromStdString(temp->File("korvane"));
  ASSERT_TRUE(QFile::copy(program, copy));
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  const QString lock = InstanceLockPath();

  QProcess first;
  first.setProcessEnvironment(env);
  first.start(copy, {});
  ASSERT_TRUE(first.waitForStarted(30000));
  // The first copy holds the lock once its start-up has passed step 1.
  for (int i = 0; i < 600 && !QFile::exists(lock); ++i) QTest::qWait(50);
  ASSERT_TRUE(QFile::exists(lock));

  QProcess second;
  second.setProcessEnvironment(env);
  second.start(copy, {});
  // Generous under load; the second copy does nothing before it ends.
  ASSERT_TRUE(second.waitForFinished(30000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);
  EXPECT_EQ(first.state(), QProcess::Running);

  first.kill();
  first.waitForFinished(30000);
}

TEST(CommandLine, PortDebugSwitchAndOpenRequest) {
  struct Case {
    QStringList args;
    BOOL portDebug;
    const char* request;
  } cases[] = {
      {{}, FALSE, ""},
      {{"port_debug"}, TRUE, ""},
      {{"/PORT_DEBUG"}, TRUE, ""},
      {{"xport_debugx"}, TRUE, ""},
      {{"x.mrk"}, FALSE, "x.mrk"},
      {{"/data/support_debug/x.mrk"}, FALSE, "/data/support_debug/x.mrk"},
      {{"/data/port_debug/x.mrk"}, FALSE, "/data/port_debug/x.mrk"},
      {{"x.mrk", "port_debug"}, TRUE, "x.mrk"},
      {{"port_debug", "x.mrk"}, TRUE, "x.mrk"},
      {{"\"y.MRK\""}, FALSE, "y.MRK"},
      {{"notes.txt", "b.mrk", "c.mrk"}, FALSE, "b.mrk"},
  };
  for (const Case& c : cases) {
    CString request;
    BOOL portDebug = 2;
    CKorvaneApp::ParseCommandLine(c.args, request, portDebug);
    EXPECT_EQ(portDebug, c.portDebug) << c.args.join(' ').toStdString();
    EXPECT_EQ(request.ToUtf8(), c.request) << c.args.join(' ').toStdString();
  }
}

TEST_F(AppTest, StartsWithoutArgumentsOpensNothingAndRunsTheStartUpHookOnce) {
  // A known machine without a field origin: the start-up hook asks exactly once.
  temp->Write("korvane.inf", "[Draventis]\r\nid=ABCK1\r\n");
  // The wizard then runs through the dialog service; the tests' one cancels it.
  prompter->ExpectMessage(IDOK, CString::FromUtf8("フィールド原点の設定を行います").c_str());
  prompter->ExpectMessage(IDOK, CString::FromUtf8("フィールド原点設定ウィザードはキャンセルされました").c_str());
  ASSERT_TRUE(Start());
  EXPECT_TRUE(app->GetOpenRequest().IsEmpty());
  EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Draventis"));
  EXPECT_FALSE(app->IsPortDebugMode());
  prompter->VerifyAllUsed();
}

TEST_F(AppTest, RecentFileListHoldsSixteenStoredEntries) {
  ASSERT_TRUE(Start());
  EXPECT_TRUE(app->GetRecentFileName(0).IsEmpty());
  EXPECT_TRUE(app->GetRecentFileName(1).IsEmpty());
  for (int i = 1; i <= 17; ++i) app->AddToRecentFileList(CString(("/d/f" + std::to_string(i) + ".mrk").c_str()));
  EXPECT_EQ(app->GetRecentFileName(1), CString("/d/f17.mrk"));
  EXPECT_EQ(app->GetRecentFileName(16), CString("/d/f2.mrk"));
  EXPECT_TRUE(app->GetRecentFileName(17).IsEmpty());
  app->AddToRecentFileList("/d/f9.mrk");  // moves up, nothing drops out
  EXPECT_EQ(app->GetRecentFileName(1), CString("/d/f9.mrk"));
  EXPECT_EQ(app->GetRecentFileName(16), CString("/d/f2.mrk"));
  QSettings settings(QStringLiteral("Vexor Co.,Ltd"), QStringLiteral("Draventis"));
  EXPECT_EQ(settings.value(QStringLiteral("Recent File List/File1")).toString(), QStringLiteral("/d/f9.mrk"));
  Stop();
  ASSERT_TRUE(Start());
  EXPECT_EQ(app->GetRecentFileName(2), CString("/d/f17.mrk"));
}

TEST_F(AppTest, ProjectNamedOnTheCommandLineIsOpenedAtStart) {
  // A project written by one run...
  ASSERT_TRUE(Start());
  ASSERT_GT(Doc().AddNewObject(TYPE_CIRCLE), 0);
  const std::string path = temp->File("start.mrk");
  ASSERT_TRUE(Doc().SaveMrkBinary(path.c_str()));
  Stop();
  // ...is the design of the next, named with the port-debug switch behind it.
  ASSERT_TRUE(Start({QString::fromStdString(path), QStringLiteral("port_debug")}));
  EXPECT_TRUE(app->IsPortDebugMode());
  EXPECT_EQ(app->GetOpenRequest(), CString(path.c_str()));
  EXPECT_EQ(Doc().GetObjectList()->GetDrawableCount(), 1);
  EXPECT_TRUE(Frame().windowTitle().endsWith(QStringLiteral(" - Draventis")));
  EXPECT_EQ(app->GetRecentFileName(1), CString(path.c_str()));
}
