// Desktop icons for files, folders and file types through Qt's icon providers and the style.
#include "platform/ShellIcons.h"

#include <QAbstractFileIconProvider>
#include <QApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include <map>
#include <utility>

#include "platform/qt/QtCanvas.h"

namespace {

// TIcon keeps its pixels behind a protected setter; this is the one place that fills it from Qt.
class TShellIcon : public TIcon {
 public:
  explicit TShellIcon(const QImage& img) { SetImage(img); }
};

struct TImageEntry {
  const char* ThemeName;  // nullptr: the style's icon only
  QStyle::StandardPixmap Standard;
};

// The system image list, in the order documented in the header.
constexpr TImageEntry kSystemImages[] = {
    {nullptr, QStyle::SP_FileIcon},
    {"text-x-generic", QStyle::SP_FileIcon},
    {"application-x-executable", QStyle::SP_FileIcon},
    {"folder", QStyle::SP_DirClosedIcon},
    {"folder-open", QStyle::SP_DirOpenIcon},
    {"media-floppy", QStyle::SP_DriveFDIcon},
    {"media-floppy", QStyle::SP_DriveFDIcon},
    {"drive-removable-media", QStyle::SP_DriveFDIcon},
    {"drive-harddisk", QStyle::SP_DriveHDIcon},
    {"folder-remote", QStyle::SP_DriveNetIcon},
    {"network-offline", QStyle::SP_DriveNetIcon},
    {"drive-optical", QStyle::SP_DriveCDIcon},
    {"drive-harddisk", QStyle::SP_DriveHDIcon},
    {"network-workgroup", QStyle::SP_DriveNetIcon},
    {"network-workgroup", QStyle::SP_DriveNetIcon},
    {"computer", QStyle::SP_ComputerIcon},
};

QIcon StandardIcon(QStyle::StandardPixmap which) {
  EnsureQtGuiApplication();
  return QApplication::style()->standardIcon(which);
}

// The icon at exactly size x size pixels: an icon without that size is scaled down (or up) and
// centred on a transparent square, so callers can rely on the system size.
QImage RenderImage(const QIcon& icon, int size) {
  QImage out(size, size, QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  if (!icon.isNull()) {
    QImage img = icon.pixmap(QSize(size, size), 1.0).toImage();
    img.setDevicePixelRatio(1.0);
    if (!img.isNull() && (img.width() != size || img.height() != size))
      img = img.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (!img.isNull()) {
      QPainter p(&out);
      p.drawImage((size - img.width()) / 2, (size - img.height()) / 2, img);
    }
  }
  return out;
}

// Icons asked for by name are kept: the markup renderer asks again at every paint, and a theme
// or MIME lookup costs far more than a copy of 32 x 32 pixels. Bounded, emptied when full.
struct TIconCache {
  std::map<std::pair<QString, bool>, QImage> Images;
  const QImage* Find(const QString& key, bool large) const {
    auto it = Images.find({key, large});
    return it == Images.end() ? nullptr : &it->second;
  }
  void Put(const QString& key, bool large, const QImage& img) {
    if (Images.size() >= 1024) Images.clear();
    Images[{key, large}] = img;
  }
};

TIconCache& IconCache() {
  static TIconCache cache;
  return cache;
}

}  // namespace

int ShellIconSize(bool Large) { return Large ? 32 : 16; }

int ShellImageCount() { return static_cast<int>(std::size(kSystemImages)); }

std::unique_ptr<TIcon> ShellImageIcon(int Index, bool Large) {
  if (Index < 0 || Index >= ShellImageCount()) return nullptr;
  EnsureQtGuiApplication();
  const QString key = QStringLiteral("\x01index:") + QString::number(Index);
  if (const QImage* hit = IconCache().Find(key, Large)) return std::make_unique<TShellIcon>(*hit);
  const TImageEntry& e = kSystemImages[Index];
  QIcon icon = e.ThemeName ? QIcon::fromTheme(QString::fromLatin1(e.ThemeName)) : QIcon();
  if (icon.isNull()) icon = StandardIcon(e.Standard);
  QImage img = RenderImage(icon, ShellIconSize(Large));
  IconCache().Put(key, Large, img);
  return std::make_unique<TShellIcon>(img);
}

std::unique_ptr<TIcon> ShellFileIcon(const String& Name, bool Large) {
  EnsureQtGuiApplication();
  // Created once the application exists; they keep their MIME and icon lookups between calls.
  static QAbstractFileIconProvider byType;
  static QFileIconProvider byPlatform;
  const QString name = QString::fromStdU16String(Name);
  if (const QImage* hit = IconCache().Find(name, Large)) return std::make_unique<TShellIcon>(*hit);
  QIcon icon;
  bool folder = false;
  if (!name.isEmpty()) {
    const QFileInfo info(name);
    folder = info.isDir();
    // A device, pipe or socket is never opened to guess its type: reading it could block.
    const bool special = info.exists() && !folder && !info.isFile();
    if (!special) {
      // The icon theme's icon for the entry's MIME type (by content for an existing file, by the
      // extension otherwise), then the platform's icon for an existing file or folder.
      icon = byType.icon(info);
      if (icon.isNull() && info.exists()) icon = byPlatform.icon(info);
    }
  }
  if (icon.isNull()) icon = StandardIcon(folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon);
  QImage img = RenderImage(icon, ShellIconSize(Large));
  IconCache().Put(name, Large, img);
  return std::make_unique<TShellIcon>(img);
}

std::unique_ptr<TIcon> ShellIcon(const String& Name, bool Large) {
  bool digits = !Name.empty();
  for (Char c : Name)
    if (c < u'0' || c > u'9') digits = false;
  if (!digits) return ShellFileIcon(Name, Large);
  // A run of digits too long for the list is still a number, just not one the list holds.
  if (Name.size() > 9) return nullptr;
  int index = 0;
  for (Char c : Name) index = index * 10 + (c - u'0');
  return ShellImageIcon(index, Large);
}

void ClearShellIconCache() { IconCache().Images.clear(); }
