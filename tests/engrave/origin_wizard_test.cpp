// The origin wizards driven as the operator would, offscreen; the port is a file.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>

#include <sys/stat.h>

#include "engrave_fakes.h"
#include "output/origin_wizard.h"
#include "platform/ui/qt_control_host.h"
#include "platform/ui/updown.h"

namespace {

class WizardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    portPath = dir.File("lpt1.out");
    setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
  }
  void TearDown() override { unsetenv("DRAVENTIS_LPT1"); }
  std::string Take() {
    std::string bytes = ReadFileBytes(portPath);
    std::remove(portPath.c_str());
    return bytes;
  }
  static void Click(COriginPage* page, int id) {
    auto* button = qobject_cast<QAbstractButton*>(page->QtControls()->GetControlWidget(id));
    ASSERT_TRUE(button);
    button->click();
  }
  static std::string Text(COriginPage* page, int id) {
    return page->Controls()->GetDlgItemText(id).ToUtf8();
  }
  static void Spin(COriginPage* page, int id, int direction) {
    CUpDownState& state = page->QtControls()->GetSpin(id)->State();
    state.Press(direction);
    state.Release();
  }
  static bool NextEnabled(QWizard& w) { return w.button(QWizard::NextButton)->isEnabled(); }
  // Model 3 chosen, the jog page reached (its home move sent) and one step up on X sent.
  COriginWizardPage3* JogModelThreeOnce(COriginWizard& wizard) {
    wizard.show();
    Click(wizard.m_pPage2, 1511);
    wizard.next();
    wizard.next();
    EXPECT_EQ(Take(), "PU0,0;");
    COriginWizardPage3* jog = wizard.m_pPage3;
    Spin(jog, 1513, +1);
    EXPECT_EQ(Take(), "PU1,0;");
    return jog;
  }

  TempDir dir;
  ScriptedPrompter prompter;
  std::string portPath;
};

std::string Trim(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  return a == std::string::npos ? "" : s.substr(a);
}

}  // namespace

TEST_F(WizardTest, ModelOneJogsFromHomeAndShowsTheResult) {
  COriginWizard wizard;
  wizard.show();
  EXPECT_EQ(wizard.windowTitle().toStdString(), "フィールドエリアの原点設定ウィザード　-　① Orbelle 機種設定");
  EXPECT_EQ(wizard.buttonText(QWizard::NextButton).toStdString(), "次へ(&N) >");
  EXPECT_EQ(wizard.buttonText(QWizard::BackButton).toStdString(), "< 戻る(&B)");
  EXPECT_EQ(wizard.buttonText(QWizard::CancelButton).toStdString(), "キャンセル");
  EXPECT_FALSE(NextEnabled(wizard));
  Click(wizard.m_pPage2, 1512);
  EXPECT_EQ(wizard.m_nModel, 1);
  EXPECT_TRUE(NextEnabled(wizard));

  wizard.next();
  EXPECT_EQ(wizard.currentPage(), wizard.m_pPage1);
  EXPECT_EQ(Take(), "");
  wizard.next();
  COriginWizardPage3* jog = wizard.m_pPage3;
  EXPECT_EQ(wizard.windowTitle().toStdString(), "フィールドエリアの原点設定ウィザード　-　③ Orbelle フィールド原点の設定");
  EXPECT_EQ(Take(), "PU0,11000;");
  EXPECT_EQ(Trim(Text(jog, 1516)), "11000");
  EXPECT_EQ(Trim(Text(jog, 1518)), "0");
  EXPECT_TRUE(jog->Controls()->IsReadOnly(1516));

  Spin(jog, 1513, +1);
  EXPECT_EQ(Take(), "PU0,11001;");
  // Up on Y lowers the machine's first axis: -1, held at 0, so nothing moves.
  Spin(jog, 1517, +1);
  EXPECT_EQ(Take(), "");
  EXPECT_EQ(Trim(Text(jog, 1518)), "0");
  Spin(jog, 1517, -1);
  EXPECT_EQ(Take(), "PU1,11001;");
  Spin(jog, 1517, +1);
  EXPECT_EQ(Take(), "PU0,11001;");

  wizard.next();
  EXPECT_EQ(Text(wizard.m_pPage4, 1507), "X 原点 :11001 [unit] (-0.025[mm])");
  EXPECT_EQ(Text(wizard.m_pPage4, 1508), "Y 原点 :    0 [unit] (0.000[mm])");
  // Back to the jog: no second home move; 1515 sends it again and puts the edits back.
  wizard.back();
  EXPECT_EQ(Take(), "");
  Click(jog, 1515);
  EXPECT_EQ(Take(), "PU0,11000;");
  EXPECT_EQ(Trim(Text(jog, 1516)), "11000");
  EXPECT_EQ(wizard.m_nOriginX, 11000);
  wizard.next();
  EXPECT_EQ(Text(wizard.m_pPage4, 1507), "X 原点 :11000 [unit] (0.000[mm])");
  wizard.next();
  EXPECT_EQ(wizard.buttonText(QWizard::FinishButton).toStdString(), "終了");
  EXPECT_TRUE(wizard.button(QWizard::FinishButton)->isVisible());
}

TEST_F(WizardTest, ModelThreeKeepsTheMachineOrderAndAHeldSpinSpeedsUp) {
  COriginWizard wizard;
  COriginWizardPage3* jog = JogModelThreeOnce(wizard);

  long long now = 0;
  CUpDownState& state = jog->QtControls()->GetSpin(1517)->State();
  state.SetClock([&now] { return now; });
  state.Press(+1);
  EXPECT_EQ(Take(), "PU1,1;");
  now = 8000;
  state.Repeat();
  state.Release();
  EXPECT_EQ(Take(), "PU1,201;");
}

TEST_F(WizardTest, AClosedPortStopsTheJogPageBeforeAnyMove) {
  setenv("DRAVENTIS_LPT1", (dir.File("missing") + "/lpt1").c_str(), 1);
  COriginWizard wizard;
  wizard.show();
  Click(wizard.m_pPage2, 1510);
  wizard.next();
  prompter.ExpectMessage(IDOK, U("LPT1"));
  wizard.next();
  EXPECT_FALSE(NextEnabled(wizard));
  EXPECT_FALSE(wizard.m_pPage3->Controls()->IsWindowEnabled(1515));
  EXPECT_EQ(wizard.m_pPage3->m_bHomePending, 1);
  prompter.VerifyAllUsed();
}

TEST_F(WizardTest, AJogThatDoesNotReachTheMachineIsToldAndRecordsNoOrigin) {
  const std::string folder = dir.File("folder");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  const std::string fifo = dir.File("noreader.fifo");  // a machine that is gone
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  COriginWizard wizard;
  COriginWizardPage3* jog = JogModelThreeOnce(wizard);
  const std::pair<std::string, const char*> ports[] = {
      {fifo, "ポートの先に機械がつながっていません"}, {"/dev/full", "ポートがいっぱい"}, {folder, "フォルダ"}};
  for (const auto& [port, reason] : ports) {
    SCOPED_TRACE(port);
    setenv("DRAVENTIS_LPT1", port.c_str(), 1);
    prompter.ExpectMessage(IDOK, U("ヘッドの移動 (PU2,0;) を送れませんでした"));
    Spin(jog, 1513, +1);
    prompter.VerifyAllUsed();
    EXPECT_NE(prompter.Log().back().text.str().find(U(reason)), std::string::npos);
    // The shown and the recorded origin stay where the head is.
    EXPECT_EQ(Trim(Text(jog, 1516)), "1");
    EXPECT_EQ(wizard.m_nOriginX, 1);
    // The machine-origin button likewise.
    prompter.ExpectMessage(IDOK, U("ヘッドの移動 (PU0,0;) を送れませんでした"));
    Click(jog, 1515);
    prompter.VerifyAllUsed();
    EXPECT_EQ(Trim(Text(jog, 1516)), "1");
  }
  setenv("DRAVENTIS_LPT1", portPath.c_str(), 1);
  Spin(jog, 1513, +1);
  EXPECT_EQ(Take(), "PU2,0;");
  EXPECT_EQ(wizard.m_nOriginX, 2);
  wizard.next();
  EXPECT_EQ(Text(wizard.m_pPage4, 1507), "X 原点 :    2 [unit] (0.050[mm])");
}

TEST_F(WizardTest, FixedFieldWizardStartsAtTheCheckAndJogsForTheGivenModel) {
  COriginWizardFix wizard;
  wizard.SetModel(2);
  wizard.show();
  EXPECT_EQ(wizard.windowTitle().toStdString(), "フィールドエリアの原点設定ウィザード　-　① Orbelle 設定確認");
  EXPECT_TRUE(NextEnabled(wizard));
  wizard.next();
  EXPECT_EQ(Take(), "PU0,0;");
  EXPECT_EQ(Trim(Text(wizard.m_pPage2, 1516)), "0");
  EXPECT_EQ(Trim(Text(wizard.m_pPage2, 1518)), "0");
  Spin(wizard.m_pPage2, 1517, +1);
  EXPECT_EQ(Take(), "");
  wizard.next();
  EXPECT_EQ(Text(wizard.m_pPage3, 1507), "X 原点 :    0 [unit] (0.000[mm])");
  wizard.next();
  EXPECT_EQ(wizard.buttonText(QWizard::FinishButton).toStdString(), "終了");
}

namespace {

// Drives the wizard to its end (or cancels it) instead of waiting for the operator.
class DrivenRunner : public COriginWizardRunner {
 public:
  bool finish = true;
  std::vector<int> models;

 protected:
  int Execute(COriginSheet& sheet) override {
    sheet.show();
    if (auto* general = dynamic_cast<COriginWizard*>(&sheet)) {
      qobject_cast<QAbstractButton*>(general->m_pPage2->QtControls()->GetControlWidget(1511))->click();
    }
    models.push_back(sheet.m_nModel);
    if (!finish) return IDCANCEL;
    while (sheet.currentId() != sheet.pageIds().back()) sheet.next();
    return COriginSheet::ID_WIZFINISH;
  }
};

}  // namespace

TEST_F(WizardTest, TheRunnerStoresAFinishedWizardAndSaysWhenOneWasCancelled) {
  CKorvaneDoc doc;
  ASSERT_TRUE(doc.OnNewDocument());
  DrivenRunner runner;
  doc.SetEngraveServices(&runner);

  runner.finish = false;
  prompter.ExpectMessage(IDOK, U("フィールド原点設定ウィザードはキャンセルされました"));
  doc.RunOriginWizardFix(1);
  EXPECT_EQ(doc.m_Settings.System.FieldMachine, 0);
  Take();

  runner.finish = true;
  prompter.ExpectMessage(IDOK, U("アプリケーションを再起動してください"));
  doc.RunOriginWizardFix(1);
  EXPECT_EQ(doc.m_Settings.System.FieldMachine, 1);
  EXPECT_EQ(doc.m_Settings.System.FieldOriginX, 11000);
  EXPECT_EQ(doc.m_Settings.System.FieldOriginY, 0);
  EXPECT_EQ(doc.m_Settings.System.FixField, 1);
  EXPECT_EQ(Take(), "PU0,11000;");

  // The command with no machine id: the general wizard, whose model is chosen in it.
  doc.m_Settings.MachineModel = 0;
  prompter.ExpectMessage(IDOK, U("アプリケーションを再起動してください"));
  doc.RunOriginWizard();
  EXPECT_EQ(doc.m_Settings.System.FieldMachine, 3);
  EXPECT_EQ(runner.models, (std::vector<int>{1, 1, 3}));
  EXPECT_EQ(Take(), "PU0,0;");
  prompter.VerifyAllUsed();
  doc.SetEngraveServices(nullptr);
}
