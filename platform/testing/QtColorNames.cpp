#include "platform/testing/QtColorNames.h"

#include <QColor>
#include <QStringList>

std::vector<std::pair<String, TColor>> QtSvgColorNames() {
  std::vector<std::pair<String, TColor>> names;
  for (const QString& name : QColor::colorNames()) {
    if (name == QStringLiteral("transparent")) continue;
    const QColor c = QColor::fromString(name);
    const auto value = static_cast<TColor>(c.red() | (c.green() << 8) | (c.blue() << 16));
    names.emplace_back(String(reinterpret_cast<const char16_t*>(name.toLower().utf16())), value);
  }
  return names;
}
