#include "seal/seal_dialogs.h"

#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStringConverter>
#include <algorithm>
#include <functional>

#include "model/textutil.h"
#include "platform/cp932.h"
#include "platform/numfmt.h"
#include "platform/prompter.h"
#include "platform/ui/qt_control_host.h"
#include "res/dialog_257.h"
#include "res/dialog_266.h"
#include "res/dialog_267.h"
#include "seal/seal_layout_util.h"

namespace {

constexpr int IDC_STYLE_PICTURE = 1618;
// The largest size of a personal seal, as of a corporate one.
constexpr double kPersonalSealMaxMm = 100.0;
constexpr int IDC_STYLE = 1619;
// Combo notification of a typed change in a combo's edit.
constexpr int CBN_EDITCHANGE_CODE = 5;

const char* const kStyles[] = {"横彫２", "姓or名 縦彫", "姓名縦彫", "横彫", "斜彫２", "斜彫", "姓名縦彫２"};
// Right edges (inclusive) of the styles in the picture; the last style takes the rest.
const int kStyleEdges[] = {66, 132, 203, 274, 340, 405};

CString U(const char* utf8) { return CString::FromUtf8(utf8); }

// Mouse presses on a widget, as a click position from its left edge.
class ClickFilter : public QObject {
 public:
  ClickFilter(QObject* parent, std::function<void(int)> click) : QObject(parent), m_click(std::move(click)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) m_click(static_cast<int>(mouse->position().x()));
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void(int)> m_click;
};

// One sample of a style: the characters' cells in a 50 mm box, drawn into the panel.
void DrawStyleSample(QPainter& p, const QRect& panel, int style) {
  const int side = std::min(panel.width(), panel.height() - 22) - 8;
  const QRect seal(panel.center().x() - side / 2, panel.top() + 6, side, side);
  p.setPen(QPen(QColor(180, 20, 20), 2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(seal);
  std::vector<CString> lines;
  if (style == 2 || style == 6) {
    lines = {U("山田"), U("太郎")};
  } else {
    lines = {U("山田")};
  }
  const double box = 40.0;
  const std::vector<seal::SealCell> cells = seal::LayoutCells(lines.data(), static_cast<int>(lines.size()), box, box, style);
  const double scale = side * 0.72 / box;
  for (const seal::SealCell& cell : cells) {
    const double cw = cell.width * scale, ch = cell.height * scale;
    const QRectF r(seal.center().x() + cell.x * scale - cw / 2, seal.center().y() - cell.y * scale - ch / 2, cw, ch);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(std::max(6, static_cast<int>(std::min(cw, ch) * 0.95)));
    p.setFont(font);
    p.drawText(r, Qt::AlignCenter, cell.character.ToQString());
  }
  QFont label(QStringLiteral("IPAPGothic"));
  label.setPixelSize(10);
  p.setFont(label);
  p.setPen(Qt::black);
  p.drawText(QRect(panel.left(), panel.bottom() - 18, panel.width(), 16), Qt::AlignCenter,
             QString::fromUtf8(kStyles[style]));
}

}  // namespace

namespace seal {

QImage StylePicture() {
  QImage image(STYLE_PICTURE_WIDTH, STYLE_PICTURE_HEIGHT, QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  int left = 0;
  for (int style = 0; style < 7; ++style) {
    const int right = style < 6 ? kStyleEdges[style] : STYLE_PICTURE_WIDTH - 1;
    const QRect panel(left, 0, right - left + 1, STYLE_PICTURE_HEIGHT);
    DrawStyleSample(p, panel, style);
    // The split between two styles sits where a click changes from one to the next.
    if (style < 6) {
      p.setPen(QPen(QColor(160, 160, 160), 1));
      p.drawLine(right, 4, right, STYLE_PICTURE_HEIGHT - 4);
    }
    left = right + 1;
  }
  p.setPen(QPen(QColor(128, 128, 128), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(0, 0, STYLE_PICTURE_WIDTH - 1, STYLE_PICTURE_HEIGHT - 1);
  return image;
}

int StyleAtPicture(int d) {
  for (int style = 0; style < 6; ++style)
    if (d <= kStyleEdges[style]) return style;
  return 6;
}

bool ParseDialogNumber(const CString& text, double& value) {
  const std::string& s = text.str();
  size_t i = 0;
  auto blank = [&](size_t k) { return k < s.size() && (s[k] == ' ' || s[k] == '\t'); };
  auto digit = [&](size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
  while (blank(i)) ++i;
  const size_t start = i;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  int digits = 0;
  while (digit(i)) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (digit(i)) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    size_t k = i + 1;
    if (k < s.size() && (s[k] == '+' || s[k] == '-')) ++k;
    if (!digit(k)) return false;
    while (digit(k)) ++k;
    i = k;
  }
  const size_t end = i;
  while (blank(i)) ++i;
  if (i != s.size()) return false;
  value = numfmt::Atof(s.substr(start, end - start));
  return true;
}

}  // namespace seal

// ---- shared parts ------------------------------------------------------------------------------

CSealDialogBase::~CSealDialogBase() = default;

QWidget* CSealDialogBase::Widget(int id) const {
  auto* host = dynamic_cast<CQtControlHost*>(Host());
  return host ? host->GetControlWidget(id) : nullptr;
}

QString CSealDialogBase::UnicodeText(int id) const { return ControlUnicodeText(Host(), id); }

bool CSealDialogBase::CheckCp932(std::initializer_list<int> ids) {
  for (int id : ids) {
    if (!Host() || !Host()->IsWindowVisible(id)) continue;
    if (!RefuseNonCp932(UnicodeText(id))) continue;
    Host()->SetFocus(id);
    return false;
  }
  return true;
}

void CSealDialogBase::SetNumber(int id, double value) {
  if (Host()) Host()->SetDlgItemText(id, CString(numfmt::Format("%.15g", value)));
}

bool CSealDialogBase::GetNumber(int id, double& value, bool ranged, double low, double high) {
  if (!Host()) return false;
  double v = 0.0;
  const bool number = seal::ParseDialogNumber(Host()->GetDlgItemText(id), v);
  if (number && (!ranged || (v >= low && v <= high))) {
    value = v;
    return true;
  }
  CString text;
  if (ranged && number) {
    // A number out of the range is named, so that the operator sees what was refused.
    text = CString(numfmt::Format("%.15g", v)) + U(" は範囲の外です。");
  }
  if (ranged) {
    text += CString(numfmt::Format("%.15g", low)) + U(" から ") + CString(numfmt::Format("%.15g", high)) +
           U(" までの数字を入力してください。");
  } else {
    text = U("数字を入力してください。");
  }
  Prompter().MessageBox(text, CString(), MB_OK | MB_ICONEXCLAMATION);
  Host()->SetFocus(id);
  return false;
}

void CSealDialogBase::InitStyleControls(std::initializer_list<int> editableCombos) {
  IControlHost* host = Host();
  if (!host) return;
  for (int id : editableCombos)
    if (auto* combo = qobject_cast<QComboBox*>(Widget(id))) {
      combo->setEditable(true);
      combo->setInsertPolicy(QComboBox::NoInsert);
      QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
                       [this, id] { OnCommand(id, CBN_EDITCHANGE_CODE); });
    }
  host->ResetContent(IDC_STYLE);
  for (const char* style : kStyles) host->AddString(IDC_STYLE, U(style));
  // Opening the dialog selects no style in the combo.
  host->SetCurSel(IDC_STYLE, -1);
  if (auto* label = qobject_cast<QLabel*>(Widget(IDC_STYLE_PICTURE))) {
    label->setPixmap(QPixmap::fromImage(seal::StylePicture()));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->resize(seal::STYLE_PICTURE_WIDTH, seal::STYLE_PICTURE_HEIGHT);
    if (!m_pPicker) {
      m_pPicker = new ClickFilter(label, [this](int d) { OnClickStylePicker(d); });
      label->installEventFilter(m_pPicker);
    }
  }
}

void CSealDialogBase::OnClickStylePicker(int d) {
  m_nStyle = seal::StyleAtPicture(d);
  if (Host()) Host()->SetCurSel(IDC_STYLE, m_nStyle);
}

BOOL CSealDialogBase::OnCommand(int id, int code) {
  if (id == IDC_STYLE && code == CBN_EDITCHANGE_CODE) {
    OnEditchangeStyleCombo();
    return TRUE;
  }
  return CDialog::OnCommand(id, code);
}

// ---- seal kind ---------------------------------------------------------------------------------

CSealKindDialog::CSealKindDialog(QWidget* parent) : CDialog(&g_Dialog266, parent) {}

BOOL CSealKindDialog::OnInitDialog() {
  if (IControlHost* host = Host())
    host->CheckRadioButton(dlg266::IDC_PERSONAL, m_nKind == 0   ? dlg266::IDC_PERSONAL
                                                 : m_nKind == 1 ? dlg266::IDC_CORPORATE
                                                                : -1);
  return TRUE;
}

void CSealKindDialog::OnOK() {
  if (IControlHost* host = Host()) {
    const int checked = host->GetCheckedRadioButton(dlg266::IDC_PERSONAL);
    m_nKind = checked == dlg266::IDC_PERSONAL ? 0 : checked == dlg266::IDC_CORPORATE ? 1 : -1;
  }
  CDialog::OnOK();
}

// ---- personal seal -----------------------------------------------------------------------------

CPersonalSealDialog::CPersonalSealDialog(const PersonalSealDialogData& data, QWidget* parent)
    : CSealDialogBase(&g_Dialog257, parent), m_Data(data) {
  m_nStyle = data.style;
}

BOOL CPersonalSealDialog::OnInitDialog() {
  IControlHost* host = Host();
  if (!host) return TRUE;
  using namespace dlg257;
  InitStyleControls({dlg257::IDC_STYLE});
  SetNumber(IDC_WIDTH, m_Data.width);
  SetNumber(IDC_HEIGHT, m_Data.height);
  SetNumber(IDC_ROUND, m_Data.round);
  SetNumber(IDC_FRAME, m_Data.frame);
  host->SetDlgItemText(IDC_FONT_NAME, m_Data.font);
  SelectShape(m_Data.shape);
  host->ResetContent(IDC_FONT);
  for (const CString& face : m_Data.fontHist)
    if (!face.IsEmpty()) host->AddString(IDC_FONT, face);
  host->SetCurSel(IDC_FONT, 0);
  host->SetFocus(IDC_TEXT);
  return TRUE;
}

void CPersonalSealDialog::ShowShapeControls(int shape) {
  m_Data.shape = shape;
  if (IControlHost* host = Host()) {
    host->ShowWindow(dlg257::IDC_ROUND_LABEL, shape == 2);
    host->ShowWindow(dlg257::IDC_ROUND, shape == 2);
  }
}

void CPersonalSealDialog::SelectShape(int shape) {
  using namespace dlg257;
  if (IControlHost* host = Host())
    host->CheckRadioButton(IDC_SHAPE_ROUND, shape == 0   ? IDC_SHAPE_ROUND
                                            : shape == 1 ? IDC_SHAPE_OVAL
                                            : shape == 2 ? IDC_SHAPE_SQUARE
                                                         : -1);
  ShowShapeControls(shape);
}

void CPersonalSealDialog::OnClickStylePicker(int d) { CSealDialogBase::OnClickStylePicker(d); }

void CPersonalSealDialog::OnChooseFont() {
  FontDialogData font;
  font.faceName = m_Data.fontHist[0];
  font.charSet = 128;
  font.faceOnly = true;
  if (!ModalDialogs().FontDialog(font)) return;
  CString face = font.faceName;
  face.Trim();
  m_Data.font = face;
  seal::PushFont(m_Data.fontHist, SEAL_FONT_HISTORY, face);
  if (IControlHost* host = Host()) {
    host->SetDlgItemText(dlg257::IDC_FONT_NAME, face);
    host->ResetContent(dlg257::IDC_FONT);
    for (const CString& f : m_Data.fontHist) host->AddString(dlg257::IDC_FONT, f);
    host->SetCurSel(dlg257::IDC_FONT, 0);
  }
}

BOOL CPersonalSealDialog::OnCommand(int id, int code) {
  using namespace dlg257;
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_SHAPE_ROUND: ShowShapeControls(0); return TRUE;
      case IDC_SHAPE_OVAL: ShowShapeControls(1); return TRUE;
      case IDC_SHAPE_SQUARE: ShowShapeControls(2); return TRUE;
      case IDC_CHOOSE_FONT: OnChooseFont(); return TRUE;
      default: break;
    }
  }
  return CSealDialogBase::OnCommand(id, code);
}

void CPersonalSealDialog::OnOK() {
  IControlHost* host = Host();
  if (!host) return;
  using namespace dlg257;
  if (!CheckCp932({IDC_TEXT})) return;
  // One string per line of the edit, as the edit reads a line into a 2000-byte buffer.
  std::vector<CString> lines;
  const std::string text = host->GetDlgItemText(IDC_TEXT).str();
  size_t start = 0;
  for (;;) {
    const size_t end = text.find("\r\n", start);
    std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.size() > 1999) {
      size_t cut = 0;
      while (cut < line.size()) {
        const size_t step = cp932::IsLeadByte(static_cast<unsigned char>(line[cut])) ? 2 : 1;
        if (cut + step > 1999) break;
        cut += step;
      }
      line.resize(cut);
    }
    lines.emplace_back(line);
    if (end == std::string::npos) break;
    start = end + 2;
  }
  const int sel = host->GetCurSel(IDC_FONT);
  CString fontHist[SEAL_FONT_HISTORY];
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) fontHist[i] = m_Data.fontHist[i];
  if (sel >= 0) seal::PushFont(fontHist, SEAL_FONT_HISTORY, host->GetText(IDC_FONT, sel));
  double width = 0, height = 0, round = 0, frame = 0;
  // The seal is built at the size given or not at all: a size the layout cannot hold is refused
  // here, as the corporate seal's are.
  if (!GetNumber(IDC_WIDTH, width, true, 0, kPersonalSealMaxMm) ||
      !GetNumber(IDC_HEIGHT, height, true, 0, kPersonalSealMaxMm) ||
      !GetNumber(IDC_ROUND, round, true, 0, kPersonalSealMaxMm) ||
      !GetNumber(IDC_FRAME, frame, true, 0, kPersonalSealMaxMm))
    return;
  m_Data.width = width;
  m_Data.height = height;
  m_Data.round = round;
  m_Data.frame = frame;
  m_Data.font = host->GetDlgItemText(IDC_FONT_NAME);
  m_Data.style = m_nStyle;
  for (int i = 0; i < SEAL_FONT_HISTORY; ++i) m_Data.fontHist[i] = fontHist[i];
  m_Data.lines = std::move(lines);
  EndDialog(IDOK);
}

// ---- corporate seal ----------------------------------------------------------------------------

CCorporateSealDialog::CCorporateSealDialog(const CorporateSealDialogData& data, QWidget* parent)
    : CSealDialogBase(&g_Dialog267, parent), m_Data(data) {
  m_nStyle = data.style;
  m_Data.ringText = CString();
}

BOOL CCorporateSealDialog::OnInitDialog() {
  IControlHost* host = Host();
  if (!host) return TRUE;
  using namespace dlg267;
  InitStyleControls({dlg267::IDC_STYLE, IDC_INNER_TEXT, IDC_INNER_IMAGE_FILE});
  auto fill = [host](int id, const CString* rows, size_t count) {
    host->ResetContent(id);
    for (size_t i = 0; i < count; ++i) host->AddString(id, rows[i]);
    host->SetCurSel(id, 0);
  };
  fill(IDC_RING_FONT, m_Data.sotoFont, SEAL_FONT_HISTORY);
  fill(IDC_INNER_FONT, m_Data.uchiFont, SEAL_FONT_HISTORY);
  fill(IDC_INNER_TEXT, m_Data.uchiText.data(), m_Data.uchiText.size());
  fill(IDC_INNER_IMAGE_FILE, m_Data.uchiImageFile.data(), m_Data.uchiImageFile.size());
  host->SetCheck(IDC_TENMARU, m_Data.tenmaru);
  host->SetCheck(IDC_INNER_FRAME, m_Data.uchiwaku);
  host->SetCheck(IDC_INNER_IMAGE, m_Data.uchiImage);
  host->SetCheck(IDC_SAME_FONT, m_Data.sameFont);
  SetNumber(IDC_WIDTH, m_Data.width);
  SetNumber(IDC_HEIGHT, m_Data.height);
  SetNumber(IDC_RING_SIZE, m_Data.kaibunSize);
  SetNumber(IDC_OUTER_SIZE, m_Data.sotoSize);
  SetNumber(IDC_INNER_SIZE, m_Data.uchiSize);
  host->SetDlgItemText(IDC_RING_TEXT, CString());
  UpdateInnerControls();
  DrawInnerImagePreview();
  return TRUE;
}

void CCorporateSealDialog::UpdateInnerControls() {
  IControlHost* host = Host();
  if (!host) return;
  using namespace dlg267;
  const bool frame = host->GetCheck(IDC_INNER_FRAME) != 0;
  const bool image = host->GetCheck(IDC_INNER_IMAGE) != 0;
  const bool same = host->GetCheck(IDC_SAME_FONT) != 0;
  for (int id : {1628, 1621, 1616, 1627, 1640, 1626, 1634, 1641, 1642, 1636, 1637, 1638}) host->EnableWindow(id, frame);
  const int textIds[] = {1645, 1619, 1618, 1644, 1649, 1630, 1631, 1634};
  const int imageIds[] = {1647, 1648, 1646};
  host->SetDlgItemText(IDC_INNER_LABEL, U(image ? "内枠彫刻画像ファイル" : "内枠彫刻文字"));
  for (int id : textIds) host->ShowWindow(id, !image);
  for (int id : imageIds) host->ShowWindow(id, image);
  if (!image && host->IsWindowEnabled(IDC_SAME_FONT))
    for (int id : {IDC_INNER_FONT_LABEL, IDC_INNER_FONT, IDC_INNER_FONT_CHOOSE}) host->ShowWindow(id, !same);
}

void CCorporateSealDialog::ChooseFontInto(CString* list, int comboId) {
  FontDialogData font;
  font.faceName = list[0];
  font.charSet = 128;
  font.faceOnly = true;
  if (!ModalDialogs().FontDialog(font)) return;
  CString face = font.faceName;
  face.Trim();
  seal::PushFont(list, SEAL_FONT_HISTORY, face);
  if (IControlHost* host = Host()) {
    host->ResetContent(comboId);
    for (int i = 0; i < SEAL_FONT_HISTORY; ++i) host->AddString(comboId, list[i]);
    host->SetCurSel(comboId, 0);
  }
}

void CCorporateSealDialog::OnBrowseInnerImage() {
  FileDialogRequest request;
  request.filter = U("ビットマップファイル (*.bmp)|*.bmp|");
  request.defaultExt = "bmp";
  std::vector<CString> paths;
  if (!Prompter().FileDialog(request, paths) || paths.empty()) return;
  CString path = paths.front();
  path.Trim();
  std::vector<CString>& history = m_Data.uchiImageFile;
  auto found = std::find(history.begin(), history.end(), path);
  if (found != history.end()) history.erase(found);
  history.insert(history.begin(), path);
  if (IControlHost* host = Host()) {
    host->ResetContent(dlg267::IDC_INNER_IMAGE_FILE);
    for (const CString& p : history) host->AddString(dlg267::IDC_INNER_IMAGE_FILE, p);
    host->SetCurSel(dlg267::IDC_INNER_IMAGE_FILE, 0);
  }
  DrawInnerImagePreview();
}

void CCorporateSealDialog::DrawInnerImagePreview() {
  IControlHost* host = Host();
  if (!host) return;
  const QString path = UnicodeText(dlg267::IDC_INNER_IMAGE_FILE);
  m_bImageMissing = !QFileInfo(path).isFile();
  if (auto* combo = qobject_cast<QComboBox*>(Widget(dlg267::IDC_INNER_IMAGE_FILE))) {
    QPalette palette;
    if (m_bImageMissing) {
      palette = combo->palette();
      palette.setColor(QPalette::Base, QColor(255, 0, 0));
      palette.setColor(QPalette::Button, QColor(255, 0, 0));
    }
    // An empty palette gives the combo back the dialog's own colours.
    combo->setPalette(palette);
    if (combo->lineEdit()) combo->lineEdit()->setPalette(palette);
  }
}

void CCorporateSealDialog::OnClickStylePicker(int d) {
  // The picture stands for the text styles; with an inner image there is no text to set.
  if (Host() && Host()->GetCheck(dlg267::IDC_INNER_IMAGE)) return;
  CSealDialogBase::OnClickStylePicker(d);
}

BOOL CCorporateSealDialog::OnCommand(int id, int code) {
  using namespace dlg267;
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_INNER_FRAME:
      case IDC_INNER_IMAGE:
      case IDC_SAME_FONT: UpdateInnerControls(); return TRUE;
      case IDC_TENMARU: return TRUE;
      case IDC_RING_FONT_CHOOSE: ChooseFontInto(m_Data.sotoFont, IDC_RING_FONT); return TRUE;
      case IDC_INNER_FONT_CHOOSE: ChooseFontInto(m_Data.uchiFont, IDC_INNER_FONT); return TRUE;
      case IDC_INNER_IMAGE_BROWSE: OnBrowseInnerImage(); return TRUE;
      default: break;
    }
  }
  if (id == IDC_INNER_IMAGE_FILE && code == CBN_EDITCHANGE_CODE) {
    DrawInnerImagePreview();
    return TRUE;
  }
  return CSealDialogBase::OnCommand(id, code);
}

void CCorporateSealDialog::OnOK() {
  IControlHost* host = Host();
  if (!host) return;
  using namespace dlg267;
  if (!CheckCp932({IDC_RING_TEXT, IDC_INNER_TEXT, IDC_INNER_IMAGE_FILE})) return;
  const bool image = host->GetCheck(IDC_INNER_IMAGE) != 0;
  const int combo = image ? IDC_INNER_IMAGE_FILE : IDC_INNER_TEXT;
  std::vector<CString>& history = image ? m_Data.uchiImageFile : m_Data.uchiText;
  const CString text = host->GetDlgItemText(combo);
  int found = -1;
  for (int row = 0, n = host->GetCount(combo); row < n; ++row)
    if (host->GetText(combo, row) == text) {
      found = row;
      break;
    }
  if (found >= 0) {
    // The chosen entry first, the entries above it one place down.
    if (history.size() < static_cast<size_t>(found) + 1) history.resize(found + 1);
    history[0] = host->GetText(combo, found);
    for (int i = 0; i < found; ++i) history[i + 1] = host->GetText(combo, i);
  } else {
    std::vector<CString> rebuilt{text};
    for (int row = 0, n = host->GetCount(combo); row < n; ++row) rebuilt.push_back(host->GetText(combo, row));
    history = std::move(rebuilt);
  }
  double width = 0, height = 0, ring = 0, outer = 0, inner = 0;
  if (!GetNumber(IDC_WIDTH, width, true, 0, 100) || !GetNumber(IDC_HEIGHT, height, true, 0, 100) ||
      !GetNumber(IDC_RING_SIZE, ring, true, 0, 100) || !GetNumber(IDC_OUTER_SIZE, outer, true, 0, 100) ||
      !GetNumber(IDC_INNER_SIZE, inner, true, 0, 100))
    return;
  m_Data.width = width;
  m_Data.height = height;
  m_Data.kaibunSize = ring;
  m_Data.sotoSize = outer;
  m_Data.uchiSize = inner;
  m_Data.tenmaru = host->GetCheck(IDC_TENMARU);
  m_Data.uchiwaku = host->GetCheck(IDC_INNER_FRAME);
  m_Data.uchiImage = host->GetCheck(IDC_INNER_IMAGE);
  m_Data.sameFont = host->GetCheck(IDC_SAME_FONT);
  m_Data.ringText = host->GetDlgItemText(IDC_RING_TEXT);
  m_Data.style = m_nStyle;
  EndDialog(IDOK);
}
