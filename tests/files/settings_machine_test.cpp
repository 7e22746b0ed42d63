#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/machine_id.h"
#include "files/settings.h"
#include "files/settings_fixed_field.h"
#include "platform/archive.h"
#include "platform/prompter.h"
#include "temp_dir.h"

namespace {

CString J(const char* utf8) { return CString::FromUtf8(utf8); }

int ModelFromFile(const TempDir& dir, const std::string& bytes) {
  dir.Write("korvane.inf", bytes);
  CKorvaneSettings s;
  s.MachineModel = 3;
  ReadMachineId(s);
  return s.MachineModel;
}

TEST(MachineId, LastTwoCharactersSelectTheModel) {
  TempDir dir;
  EXPECT_EQ(MachineIdFilePath(), dir.File("korvane.inf"));
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=ORB-2024-K2   \r\n"), 2);
  EXPECT_EQ(ModelFromFile(dir, "[DRAVENTIS]\r\nID=\"  K1\t \"\r\n"), 1);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\nid=K3\n"), 3);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=K\r\n"), 0);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=K4\r\n"), 0);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=k2\r\n"), 0);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=K2x\r\n"), 0);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=   \r\n"), 0);
  EXPECT_EQ(ModelFromFile(dir, "[Other]\r\nid=K2\r\n"), 0);
  EXPECT_EQ(ModelFromFile(dir, J("[Draventis]\r\nid=機種K3\r\n").str()), 3);
  // The id is read into a 1000-byte buffer: the model is named by the last two of 999 bytes.
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=" + std::string(997, 'x') + "K2\r\n"), 2);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=" + std::string(998, 'x') + "K2\r\n"), 0);
  EXPECT_EQ(ModelFromFile(dir, "[Draventis]\r\nid=" + std::string(997, 'x') + "K1 K2\r\n"), 1);

  TempDir none;
  CKorvaneSettings s;
  s.MachineModel = 2;
  ReadMachineId(s);
  EXPECT_EQ(s.MachineModel, 0);
}

TEST(SettingsReset, ResetOneDeletesBothFilesAtTheNextStart) {
  TempDir dir;
  CKorvaneSettings s;
  s.System.Reset = 1;
  s.System.FontSize = 77;
  ASSERT_TRUE(WriteSettings(s));
  dir.Write("korvane.arc", "prototypes");

  CheckSettingsReset();
  EXPECT_FALSE(fileio::Exists(SettingsFilePath()));
  EXPECT_FALSE(fileio::Exists(DefaultsArchivePath()));
  CKorvaneSettings fresh;
  ReadSettings(fresh);
  EXPECT_EQ(fresh.System.FontSize, 23);
  // The run after the reset writes the request as cleared.
  ASSERT_TRUE(WriteSettings(fresh));
  EXPECT_NE(TempDir::Read(SettingsFilePath()).find("[SYSTEM]\r\nReset=0\r\n"), std::string::npos);
  dir.Write("korvane.arc", "prototypes");
  CheckSettingsReset();
  EXPECT_TRUE(fileio::Exists(SettingsFilePath()));
  EXPECT_TRUE(fileio::Exists(DefaultsArchivePath()));
}

TEST(SettingsReset, OnlyExactlyOneResets) {
  TempDir dir;
  for (const char* value : {"0", "2", "-1", "yes", ""}) {
    dir.Write("korvane.dat", std::string("[SYSTEM]\r\nReset=") + value + "\r\n");
    dir.Write("korvane.arc", "a");
    CheckSettingsReset();
    EXPECT_TRUE(fileio::Exists(SettingsFilePath())) << value;
    EXPECT_TRUE(fileio::Exists(DefaultsArchivePath())) << value;
  }
  dir.Write("korvane.dat", "[system]\r\nreset = 1 \r\n");
  CheckSettingsReset();
  EXPECT_FALSE(fileio::Exists(SettingsFilePath()));
  EXPECT_FALSE(fileio::Exists(DefaultsArchivePath()));

  // No settings file: the archive stays.
  dir.Write("korvane.arc", "a");
  CheckSettingsReset();
  EXPECT_TRUE(fileio::Exists(DefaultsArchivePath()));
  // The delete's result is the settings file's.
  EXPECT_FALSE(DeleteSettingsFiles());
  EXPECT_FALSE(fileio::Exists(DefaultsArchivePath()));
  dir.Write("korvane.dat", "");
  EXPECT_TRUE(DeleteSettingsFiles());
}

TEST(FixedField, ToggleAndSize) {
  CKorvaneSettings s;
  s.DrawingField.FieldX = 55.5;
  s.DrawingField.FieldY = 66.0;
  EXPECT_EQ(IsFieldFixed(s), 0);
  EXPECT_EQ(GetFixedFieldSize(s), CDoubleSize(0.0, 0.0));
  s.System.DrawX = 10000;
  s.System.DrawY = 8000;
  EXPECT_EQ(ToggleFieldFixed(s), 0);
  EXPECT_EQ(IsFieldFixed(s), 1);
  EXPECT_EQ(s.System.DrawX, 10000);  // switching on does not apply the model again
  EXPECT_EQ(GetFixedFieldSize(s), CDoubleSize(55.5, 66.0));
  EXPECT_EQ(ToggleFieldFixed(s), 1);
  EXPECT_EQ(IsFieldFixed(s), 0);
  EXPECT_EQ(s.System.DrawX, 42000);
  EXPECT_EQ(s.System.DrawY, 24000);
  EXPECT_EQ(ToggleFieldFixed(s), 0);
  EXPECT_EQ(s.System.DrawX, 42000);
  EXPECT_EQ(s.System.DrawY, 24000);
}

TEST(FixedField, EachModelSetsItsAxesPageAndField) {
  struct Row {
    int model, xy, x, y, drawX, drawY;
    double fieldX, fieldY;
  };
  const int X = 400, Y = 200;  // 10 mm, 5 mm
  for (const Row& r : {Row{1, 1, 0, 1, 10000, 8000, (12000 - X) * 0.025, 75.0},
                       Row{2, 1, 0, 1, 18000, 24000, 170.0, 235.0},
                       Row{3, 0, 0, 0, 42000, 25700, 410.0, 5.0}}) {
    CKorvaneSettings s;
    s.DrawingData.ChangeX = 1;
    s.DrawingData.ChangeXY = 1 - r.xy;
    s.DrawingField.OffsetX = 3.0;
    s.DrawingField.OffsetY = 4.0;
    ApplyFixedFieldModel(s, r.model, X, Y);
    EXPECT_EQ(s.System.FieldMachine, r.model);
    EXPECT_EQ(s.System.FieldOriginX, X);
    EXPECT_EQ(s.System.FieldOriginY, Y);
    EXPECT_EQ(s.System.FixField, 1);
    EXPECT_EQ(s.DrawingData.ChangeXY, r.xy) << r.model;
    EXPECT_EQ(s.DrawingData.ChangeX, r.x) << r.model;
    EXPECT_EQ(s.DrawingData.ChangeY, r.y) << r.model;
    EXPECT_EQ(s.System.DrawX, r.drawX) << r.model;
    EXPECT_EQ(s.System.DrawY, r.drawY) << r.model;
    EXPECT_DOUBLE_EQ(s.DrawingField.FieldX, r.fieldX) << r.model;
    EXPECT_DOUBLE_EQ(s.DrawingField.FieldY, r.fieldY) << r.model;
    EXPECT_EQ(s.DrawingField.OffsetX, 0.0);
    EXPECT_EQ(s.DrawingField.OffsetY, 0.0);
    EXPECT_EQ(GetFixedFieldSize(s), CDoubleSize(r.fieldX, r.fieldY));
  }
  CKorvaneSettings s;
  ApplyFixedFieldModel(s, 4, X, Y);
  EXPECT_EQ(s.System.FixField, 0);
  EXPECT_EQ(s.System.FieldMachine, 0);
}

// Answers OK to every message and records text and caption.
class RecordingPrompter : public IPrompter {
 public:
  RecordingPrompter() { m_previous = SetPrompter(this); }
  ~RecordingPrompter() override { SetPrompter(m_previous); }
  int MessageBox(const CString& text, const CString& caption, UINT flags) override {
    log.push_back((text + " | " + caption).ToUtf8());
    EXPECT_EQ(flags & MB_TYPEMASK, MB_OK);
    return IDOK;
  }
  bool FileDialog(const FileDialogRequest&, std::vector<CString>&) override { return false; }
  bool ChooseColor(COLORREF&) override { return false; }
  bool BrowseFolder(const CString&, CString&) override { return false; }
  std::vector<std::string> log;

 private:
  IPrompter* m_previous = nullptr;
};

class FakeWizard : public IOriginWizardRunner {
 public:
  bool finish = true;
  int chosenModel = 0;
  int x = 0, y = 0;
  std::vector<std::string> runs;
  bool RunFix(int model, int& originX, int& originY) override {
    runs.push_back("fix " + std::to_string(model));
    originX = x;
    originY = y;
    return finish;
  }
  bool Run(int& model, int& originX, int& originY) override {
    runs.push_back("general");
    model = chosenModel;
    originX = x;
    originY = y;
    return finish;
  }
};

const char* kStart = "フィールド原点の設定を行います | フィールド原点の設定";
const char* kRestart = "フィールド原点設定ウィザードの設定を有効にするには\nアプリケーションを再起動してください | 確認";
const char* kCancelled = "フィールド原点設定ウィザードはキャンセルされました | 確認";

TEST(FieldOrigin, StartUpRunsTheWizardOnlyForAKnownModelWithoutOrigin) {
  RecordingPrompter prompter;
  FakeWizard wizard;
  CKorvaneSettings s;
  CheckFieldOrigin(s, wizard);  // no model
  s.MachineModel = 2;
  s.System.FieldMachine = 2;
  CheckFieldOrigin(s, wizard);  // origin already set
  EXPECT_TRUE(prompter.log.empty());
  EXPECT_TRUE(wizard.runs.empty());

  s.System.FieldMachine = 0;
  wizard.x = 40;
  wizard.y = 80;
  CheckFieldOrigin(s, wizard);
  EXPECT_EQ(prompter.log, (std::vector<std::string>{kStart, kRestart}));
  EXPECT_EQ(wizard.runs, (std::vector<std::string>{"fix 2"}));
  EXPECT_EQ(s.System.FieldMachine, 2);
  EXPECT_EQ(s.System.FieldOriginX, 40);
  EXPECT_EQ(s.System.FieldOriginY, 80);
  EXPECT_EQ(s.System.FixField, 1);
  EXPECT_EQ(s.System.DrawX, 18000);
  EXPECT_DOUBLE_EQ(s.DrawingField.FieldX, 179.0);
  EXPECT_DOUBLE_EQ(s.DrawingField.FieldY, 238.0);
}

TEST(FieldOrigin, CancelChangesNothing) {
  RecordingPrompter prompter;
  FakeWizard wizard;
  wizard.finish = false;
  CKorvaneSettings s;
  s.MachineModel = 1;
  CheckFieldOrigin(s, wizard);
  EXPECT_EQ(prompter.log, (std::vector<std::string>{kStart, kCancelled}));
  EXPECT_EQ(s.System.FieldMachine, 0);
  EXPECT_EQ(s.System.FixField, 0);
  EXPECT_EQ(s.System.DrawX, 42000);
  EXPECT_EQ(RunOriginWizardFix(s, 1, wizard), 0);
  wizard.finish = true;
  EXPECT_EQ(RunOriginWizardFix(s, 1, wizard), 1);
  EXPECT_EQ(s.System.FieldMachine, 1);
}

TEST(FieldOrigin, TheCommandChoosesTheWizardByTheMachineId) {
  RecordingPrompter prompter;
  FakeWizard wizard;
  wizard.chosenModel = 3;
  wizard.x = 800;
  wizard.y = 1200;
  CKorvaneSettings s;
  RunOriginWizard(s, wizard);
  EXPECT_EQ(wizard.runs, (std::vector<std::string>{"general"}));
  EXPECT_EQ(prompter.log, (std::vector<std::string>{kRestart}));
  EXPECT_EQ(s.System.FieldMachine, 3);
  EXPECT_EQ(s.System.FixField, 1);
  EXPECT_EQ(s.System.DrawY, 25700);
  EXPECT_DOUBLE_EQ(s.DrawingField.FieldX, 400.0);
  EXPECT_DOUBLE_EQ(s.DrawingField.FieldY, 30.0);

  s.MachineModel = 1;
  wizard.finish = false;
  RunOriginWizard(s, wizard);
  EXPECT_EQ(wizard.runs, (std::vector<std::string>{"general", "fix 1"}));
  EXPECT_EQ(prompter.log.back(), kCancelled);
  EXPECT_EQ(s.System.FieldMachine, 3);
}

}  // namespace
