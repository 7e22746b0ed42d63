// The work-area pages after a project is opened: they show the file's values, and the field
// page moves the head to the file's position.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <cstdlib>
#include <fstream>

#include "files/mrk_binary.h"
#include "form_fixture.h"
#include "model/drawingobject.h"
#include "pages/page_helper.h"
#include "pages/settings_pages.h"
#include "platform/archive.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_133.h"

namespace {

class FormOpenTest : public FormTest {
 protected:
  void SetUp() override {
    FormTest::SetUp();
    port = dir.File("lpt1.out");
    std::ofstream(port).close();
    setenv("DRAVENTIS_LPT1", port.c_str(), 1);
    // The real work-area pages in the stand-ins' rows; the stand-ins' registration ends them.
    RegisterSettingsPages();
  }
  void TearDown() override {
    FormTest::TearDown();
    unsetenv("DRAVENTIS_LPT1");
  }
  IControlHost* FieldPage() {
    CKorvanePage* page = view->GetKindPage(TYPE_DRAWING, 2);
    return page && page->HasHost() ? page->Host() : nullptr;
  }
  std::string Move() {
    const size_t before = TempDir::Read(port).size();
    auto* host = dynamic_cast<CQtControlHost*>(FieldPage());
    auto* button = host ? qobject_cast<QAbstractButton*>(host->GetControlWidget(dlg133::IDC_PLOTTER_MOVE)) : nullptr;
    if (!button) return "no move button";
    button->click();
    return TempDir::Read(port).substr(before);
  }
  std::string port;
};

TEST_F(FormOpenTest, AfterAnOpenTheFieldPageShowsAndMovesToTheFilesPosition) {
  StartView();
  view->ShowCurrentTypePages(0, TRUE);
  view->Sheet().SetActivePage(2);
  ASSERT_NE(FieldPage(), nullptr);
  EXPECT_EQ(Move(), "PU2000,2000;");

  CObjectList other;
  other.Initialize();
  other.GetDrawingObject()->m_pField->m_dPosX = 5.5;
  other.GetDrawingObject()->m_pField->m_dPosY = -6.5;
  other.AddCircle(nullptr, TRUE, TRUE);
  const std::vector<BYTE> bytes = CMrkBinaryFile::Serialize(other);
  const std::string path = dir.File("offsets.mrk");
  ASSERT_TRUE(fileio::WriteAtomically(path, bytes.data(), bytes.size()));
  ASSERT_EQ(doc->OpenMrkFile(path.c_str(), 1), 1);

  // The circle is current; the work-area pages come back with the file's values.
  view->ShowCurrentTypePages(0, TRUE);
  ASSERT_NE(FieldPage(), nullptr);
  view->Sheet().SetActivePage(2);
  EXPECT_EQ(FieldPage()->GetDlgItemText(dlg133::IDC_OFFSET_X).str(), " 5.500");
  EXPECT_EQ(FieldPage()->GetDlgItemText(dlg133::IDC_OFFSET_Y).str(), " -6.500");
  // The centre of the default field, moved by the file's offsets at 40 units a millimetre.
  EXPECT_EQ(Move(), "PU2220,1740;");
}

}  // namespace
