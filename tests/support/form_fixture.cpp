#include "form_fixture.h"

#include <QListWidget>

#include "platform/ui/qt_control_host.h"
#include "res/dialog_101.h"

namespace {
void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
    QtWarningGuard::Warnings().push_back(text.toStdString());
}
}  // namespace

std::vector<std::string>& QtWarningGuard::Warnings() {
  static std::vector<std::string> warnings;
  return warnings;
}

QtWarningGuard::QtWarningGuard() {
  Warnings().clear();
  m_previous = qInstallMessageHandler(RecordWarning);
}

QtWarningGuard::~QtWarningGuard() {
  qInstallMessageHandler(m_previous);
  for (const std::string& w : Warnings()) ADD_FAILURE() << "Qt warning: " << w;
  Warnings().clear();
}

void FormTest::SetUp() {
  g_bModified = 0;
  doc = std::make_unique<CKorvaneDoc>();
  ASSERT_TRUE(doc->OnNewDocument());
  doc->AddView(&canvas);
}

void FormTest::StartView(bool fieldFixed) {
  doc->m_Settings.System.FixField = fieldFixed ? 1 : 0;
  view = std::make_unique<CKorvaneView>(doc.get());
  view->OnInitialUpdate();
}

void FormTest::TearDown() {
  view.reset();
  doc.reset();
  g_bModified = 0;
}

void FormTest::Add(std::initializer_list<int> kinds) {
  for (int kind : kinds) ASSERT_EQ(doc->AddNewObject(kind), kind);
}

void FormTest::ClickLine(int row) {
  auto* list = qobject_cast<QListWidget*>(view->QtControls()->GetControlWidget(res::IDC_OBJECT_LIST));
  ASSERT_TRUE(list);
  list->setCurrentRow(row);
}
