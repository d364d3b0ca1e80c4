#include "platform/testing/QtReferenceTexts.h"

#include <QFile>
#include <QStringConverter>
#include <QStringList>

struct TQtLanguageTable::Data {
  QStringList Texts;
};

TQtLanguageTable::TQtLanguageTable(int Count) : d_(std::make_unique<Data>()) {
  for (int i = 0; i < Count; ++i) d_->Texts.append(QStringLiteral(" "));
}

TQtLanguageTable::~TQtLanguageTable() = default;

bool TQtLanguageTable::Load(const String& Path) {
  QFile f(QString::fromUtf16(Path.data(), static_cast<qsizetype>(Path.size())));
  if (!f.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = f.readAll();
  QString text;
  if (std::optional<QStringConverter::Encoding> e = QStringConverter::encodingForData(bytes)) {
    QStringDecoder decode(*e);
    text = decode(bytes);
  } else {
    text = QString::fromUtf8(bytes);
  }
  const QChar pilcrow(0x00B6);
  const qsizetype count = d_->Texts.size();
  for (QStringView raw : QStringTokenizer(text, u'\n')) {
    const QStringView line = raw.trimmed();
    if (!line.startsWith(u"STR")) continue;
    const qsizetype eq = line.indexOf(u'=');
    if (eq < 0) continue;
    bool ok = false;
    const int index = line.mid(3, eq - 4).trimmed().toInt(&ok);
    if (!ok || index < 0 || index >= count) continue;
    QStringView value = line.mid(eq + 1).trimmed();
    if (value.isEmpty()) continue;
    const qsizetype note = value.indexOf(u"/#/");
    if (note >= 0) value = value.left(note).trimmed();
    if (value.startsWith(pilcrow)) value = value.mid(1);
    const qsizetype close = value.indexOf(pilcrow);
    if (close >= 0) value = value.left(close);
    d_->Texts[index] = value.toString();
  }
  return true;
}

size_t TQtLanguageTable::Checksum() const {
  size_t sum = 0;
  for (const QString& s : d_->Texts) sum += static_cast<size_t>(s.size());
  return sum;
}
