#include "files/mrk_association.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include <QBuffer>
#include <QByteArray>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>

#include "platform/archive.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "res/images.h"

namespace {

std::string& ExecutableOverride() {
  static std::string path;
  return path;
}

std::string HomeOr(const char* variable, const char* fallback) {
  const char* value = std::getenv(variable);
  if (value && *value == '/') return value;
  const char* home = std::getenv("HOME");
  return std::string(home ? home : "") + fallback;
}

std::string DesktopEntryPath() { return AssociationDataHome() + "/applications/draventis.desktop"; }
std::string IconPath() { return AssociationDataHome() + "/icons/hicolor/48x48/apps/draventis-project.png"; }
std::string PackagePath() { return AssociationDataHome() + "/mime/packages/draventis.xml"; }
std::string MimeAppsPath() { return AssociationConfigHome() + "/mimeapps.list"; }

bool MakeFolders(const std::string& file) {
  for (size_t i = 1; i < file.size(); ++i) {
    if (file[i] != '/') continue;
    const std::string dir = file.substr(0, i);
    struct stat st{};
    if (::stat(dir.c_str(), &st) == 0) {
      if (!S_ISDIR(st.st_mode)) return false;
      continue;
    }
    if (::mkdir(dir.c_str(), 0755) != 0) return false;
  }
  return true;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  return MakeFolders(path) && fileio::WriteAtomically(path, bytes.data(), bytes.size());
}

std::string ReadText(const std::string& path) {
  std::vector<std::uint8_t> bytes;
  if (!fileio::ReadAll(path, bytes)) return std::string();
  return std::string(bytes.begin(), bytes.end());
}

// The document icon of the resources; a plain sheet with the type's letters while they have
// none.
std::string DocumentIconPng() {
  QImage image(48, 48, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  const QIcon icon = res::DocumentIcon();
  if (!icon.isNull()) {
    image = icon.pixmap(48, 48).toImage();
  } else {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPolygonF sheet({QPointF(8, 3), QPointF(32, 3), QPointF(41, 12), QPointF(41, 45), QPointF(8, 45)});
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.drawPolyline(QPolygonF({QPointF(32, 3), QPointF(32, 12), QPointF(41, 12)}));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 160));
    p.drawRect(QRectF(12, 26, 25, 13));
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
      QFont font;
      font.setPixelSize(10);
      font.setBold(true);
      p.setFont(font);
      p.setPen(Qt::white);
      p.drawText(QRectF(12, 26, 25, 13), Qt::AlignCenter, QStringLiteral("MRK"));
    }
  }
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return std::string(png.constData(), static_cast<size_t>(png.size()));
}

std::string PackageXml() {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
         "  <mime-type type=\"application/x-draventis-project\">\n"
         "    <comment>Draventis project</comment>\n"
         "    <generic-icon name=\"draventis-project\"/>\n"
         "    <glob pattern=\"*.mrk\"/>\n"
         "  </mime-type>\n"
         "</mime-info>\n";
}

std::string DesktopEntry() {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Draventis\n"
         "Exec=" + ExpectedExecLine() + "\n"
         "MimeType=" + std::string(kMrkMimeType) + ";\n"
         "Icon=draventis-project\n"
         "NoDisplay=true\n";
}

// The [Default Applications] line of the type, every other line kept as it stood.
std::string WithDefaultLine(const std::string& old) {
  const std::string key = std::string(kMrkMimeType) + "=";
  const std::string line = key + "draventis.desktop";
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < old.size()) {
    size_t end = old.find('\n', start);
    if (end == std::string::npos) end = old.size();
    lines.push_back(old.substr(start, end - start));
    start = end + 1;
  }
  bool inDefaults = false, placed = false;
  int defaultsAt = -1;
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (!l.empty() && l[0] == '[') {
      inDefaults = l == "[Default Applications]";
      if (inDefaults) defaultsAt = static_cast<int>(i);
      continue;
    }
    if (inDefaults && l.compare(0, key.size(), key) == 0) {
      lines[i] = line;
      placed = true;
    }
  }
  if (!placed) {
    if (defaultsAt < 0) {
      if (!lines.empty() && !lines.back().empty()) lines.push_back("");
      lines.push_back("[Default Applications]");
      defaultsAt = static_cast<int>(lines.size()) - 1;
    }
    lines.insert(lines.begin() + defaultsAt + 1, line);
  }
  std::string out;
  for (const std::string& l : lines) out += l + "\n";
  return out;
}

// The cache builders, when installed; bounded so that a stuck tool cannot hang the command.
void RunTool(const char* tool, const std::string& folder) {
  const QString program = QStandardPaths::findExecutable(QString::fromLatin1(tool));
  if (program.isEmpty()) return;
  QProcess process;
  process.setProcessChannelMode(QProcess::MergedChannels);
  process.start(program, {QString::fromStdString(folder)});
  if (!process.waitForStarted(10000)) return;
  if (!process.waitForFinished(10000)) {
    process.kill();
    process.waitForFinished(1000);
  }
}

}  // namespace

namespace {
int g_nRegistrationAsRead = -1;  // -1: to be read at the next ask
}  // namespace

void SetAssociationExecutable(const std::string& path) {
  ExecutableOverride() = path;
  g_nRegistrationAsRead = -1;
}

std::string AssociationDataHome() { return HomeOr("XDG_DATA_HOME", "/.local/share"); }
std::string AssociationConfigHome() { return HomeOr("XDG_CONFIG_HOME", "/.config"); }

std::string ExpectedExecLine() {
  const std::string exe = ExecutableOverride().empty() ? paths::ExecutablePath() : ExecutableOverride();
  // A quoted argument escapes " ` $ \ with a backslash; the value itself doubles backslashes
  // once more, and a literal % is written %%.
  std::string quoted = "\"";
  for (char c : exe) {
    if (c == '"' || c == '`' || c == '$') {
      quoted += "\\\\";
      quoted += c;
    } else if (c == '\\') {
      quoted += "\\\\\\\\";
    } else if (c == '%') {
      quoted += "%%";
    } else {
      quoted += c;
    }
  }
  return quoted + "\" %f";
}

int RegisterDocumentType() {
  g_nRegistrationAsRead = -1;
  if (!WriteFile(PackagePath(), PackageXml())) return 0;
  if (!WriteFile(IconPath(), DocumentIconPng())) return 0;
  if (!WriteFile(MimeAppsPath(), WithDefaultLine(ReadText(MimeAppsPath())))) return 0;
  if (!WriteFile(DesktopEntryPath(), DesktopEntry())) return 0;
  RunTool("update-mime-database", AssociationDataHome() + "/mime");
  RunTool("update-desktop-database", AssociationDataHome() + "/applications");
  return 1;
}

int UnregisterDocumentType() {
  g_nRegistrationAsRead = -1;
  ::unlink(IconPath().c_str());
  const int removed = ::unlink(DesktopEntryPath().c_str()) == 0 ? 1 : 0;
  RunTool("update-desktop-database", AssociationDataHome() + "/applications");
  return removed;
}

int IsDocumentTypeRegistered() {
  const std::string entry = ReadText(DesktopEntryPath());
  if (entry.empty()) return 0;
  const std::string expected = "Exec=" + ExpectedExecLine();
  size_t start = 0;
  while (start < entry.size()) {
    size_t end = entry.find('\n', start);
    if (end == std::string::npos) end = entry.size();
    if (entry.compare(start, end - start, expected) == 0) return 1;
    start = end + 1;
  }
  return 0;
}

int DocumentTypeRegistrationAsRead() {
  if (g_nRegistrationAsRead < 0) ReadDocumentTypeRegistration();
  return g_nRegistrationAsRead;
}

void ReadDocumentTypeRegistration() { g_nRegistrationAsRead = IsDocumentTypeRegistered(); }

void ToggleDocumentTypeRegistration() {
  const CString caption = CString::FromUtf8("拡張子の関連づけ");
  if (Prompter().MessageBox(CString::FromUtf8("Windowsの再起動後に有効になります"), caption,
                            MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
    Prompter().MessageBox(CString::FromUtf8("拡張子の関連づけ変更は中止しました"), caption, MB_OK);
    return;
  }
  if (IsDocumentTypeRegistered()) {
    UnregisterDocumentType();
  } else {
    RegisterDocumentType();
  }
}
