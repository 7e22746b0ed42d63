#include "app/about_dialog.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPalette>

#include "platform/qt_prompter.h"
#include "platform/ui/open_url.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_100.h"

namespace {
constexpr COLORREF kLinkColor = 0xFF0000;  // blue
}

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog(parent) {
  const DlgTemplate& tpl = AboutDialogTemplate();
  setWindowTitle(QString::fromUtf8(tpl.caption));
  setFont(CQtControlHost::DialogFont());
  setFixedSize(CQtControlHost::TemplateSize(tpl));
  m_pHost = std::make_unique<CQtControlHost>(tpl, this);
  m_pHost->setParent(nullptr);
  m_pHost->SetOwner(this);
  OnInitDialog();
}

CAboutDialog::~CAboutDialog() = default;

QWidget* CAboutDialog::Control(int id) const { return m_pHost->GetControlWidget(id); }

BOOL CAboutDialog::OnInitDialog() {
  CQtControlHost& host = *m_pHost;
  host.SetDlgItemText(IDC_ABOUT_PRODUCT, "Draventis");
  host.SetDlgItemText(IDC_ABOUT_VERSION, kAboutVersion);
  host.SetDlgItemText(IDC_ABOUT_MAKER, "Vexor Co.,Ltd.");
  // The maker's postal details are made up.
  host.SetDlgItemText(IDC_ABOUT_POSTCODE, CString::FromUtf8("〒100-0000"));
  host.SetDlgItemText(IDC_ABOUT_ADDRESS, CString::FromUtf8("東京都千代田区架空町1丁目2番3号"));
  host.SetDlgItemText(IDC_ABOUT_PHONE, "TEL 03-0000-0000");
  host.SetDlgItemText(IDC_ABOUT_FAX, "FAX 03-0000-0001");
  host.SetDlgItemText(IDC_ABOUT_HOMEPAGE, kAboutHomePage);
  host.SetDlgItemText(IDC_ABOUT_MAIL, kAboutMailAddress);
  for (int id : {IDC_ABOUT_HOMEPAGE, IDC_ABOUT_MAIL}) {
    host.SetFont(id, 14, FALSE, CString::FromUtf8("ＭＳ ゴシック"));
    QWidget* link = Control(id);
    if (!link) continue;
    QFont font = link->font();
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, ColorToQColor(kLinkColor));
    link->setPalette(palette);
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);
  }
  return TRUE;
}

BOOL CAboutDialog::OnCommand(int id, int code) {
  if (code == BN_CLICKED && (id == IDOK || id == IDCANCEL)) {
    accept();
    return TRUE;
  }
  return FALSE;
}

BOOL CAboutDialog::OnCtlColor(int id, COLORREF& text, COLORREF& back) {
  if (id != IDC_ABOUT_HOMEPAGE && id != IDC_ABOUT_MAIL) return FALSE;
  text = kLinkColor;
  back = QColorToColor(palette().color(QPalette::Window));  // the background stays the dialog's
  return TRUE;
}

bool CAboutDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton) {
      if (watched == Control(IDC_ABOUT_HOMEPAGE)) {
        ui::OpenUrl(QString::fromLatin1(kAboutHomePage));
        return true;
      }
      if (watched == Control(IDC_ABOUT_MAIL)) {
        ui::OpenUrl(QStringLiteral("mailto:") + QString::fromLatin1(kAboutMailAddress));
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}
