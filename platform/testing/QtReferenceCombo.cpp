#include "platform/testing/QtReferenceCombo.h"

#include <QApplication>
#include <QComboBox>
#include <QStringList>
#include <QWidget>

struct TQtReferenceCombo::TImpl {
  QWidget window;
  QComboBox* combo = new QComboBox(&window);
  QStringList items;
  std::vector<QString> cells;
};

TQtReferenceCombo::TQtReferenceCombo(const std::vector<String>& Items, const std::vector<String>& Cells)
    : FImpl(std::make_unique<TImpl>()) {
  FImpl->window.resize(640, 480);
  for (const String& s : Items) FImpl->items << QString::fromStdU16String(s);
  for (const String& s : Cells) FImpl->cells.push_back(QString::fromStdU16String(s));
  FImpl->combo->hide();
  FImpl->window.show();
  QApplication::processEvents();
}

TQtReferenceCombo::~TQtReferenceCombo() = default;

int TQtReferenceCombo::Round(int Row) {
  QComboBox* combo = FImpl->combo;
  combo->clear();
  combo->addItems(FImpl->items);
  combo->setMaxVisibleItems(8);
  combo->setCurrentIndex(combo->findText(FImpl->cells[static_cast<size_t>(Row)]));
  combo->setGeometry(74, 10 + Row % 16 * 24, 63, 24 * 9 + 23);
  combo->show();
  combo->setFocus();
  const int item = combo->currentIndex();
  combo->hide();
  return item;
}
