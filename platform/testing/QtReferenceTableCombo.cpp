#include "platform/testing/QtReferenceTableCombo.h"

#include <QApplication>
#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTableView>
#include <QWidget>

struct TQtReferenceTableCombo::TImpl {
  QWidget window;
  QComboBox* combo = new QComboBox(&window);
  QTableView* view = new QTableView;
  std::vector<std::vector<QString>> rows;
};

TQtReferenceTableCombo::TQtReferenceTableCombo(const std::vector<std::vector<String>>& Rows)
    : FImpl(std::make_unique<TImpl>()) {
  FImpl->window.resize(640, 480);
  for (const auto& row : Rows) {
    std::vector<QString> texts;
    for (const String& s : row) texts.push_back(QString::fromStdU16String(s));
    FImpl->rows.push_back(std::move(texts));
  }
  FImpl->combo->setEditable(true);
  FImpl->combo->setGeometry(20, 20, 200, 21);
  FImpl->combo->setView(FImpl->view);
  FImpl->view->setSelectionBehavior(QAbstractItemView::SelectRows);
  FImpl->view->verticalHeader()->hide();
  FImpl->window.show();
  QApplication::processEvents();
}

TQtReferenceTableCombo::~TQtReferenceTableCombo() = default;

int TQtReferenceTableCombo::Round(int Row, const String& Typed) {
  const int columns = FImpl->rows.empty() ? 0 : static_cast<int>(FImpl->rows[0].size());
  auto* model = new QStandardItemModel(static_cast<int>(FImpl->rows.size()), columns, FImpl->combo);
  for (int r = 0; r < static_cast<int>(FImpl->rows.size()); ++r)
    for (int c = 0; c < columns; ++c) model->setItem(r, c, new QStandardItem(FImpl->rows[size_t(r)][size_t(c)]));
  // The combo frees the model it had when that one was its child.
  FImpl->combo->setModel(model);
  FImpl->combo->setModelColumn(0);
  FImpl->combo->setCurrentIndex(Row);
  FImpl->view->resizeColumnsToContents();
  FImpl->combo->showPopup();
  FImpl->combo->hidePopup();
  FImpl->combo->setFocus();
  // The typed lookup: the first row whose lookup text begins with the typed text.
  FImpl->combo->setEditText(QString());
  const QString typed = QString::fromStdU16String(Typed);
  int found = -1;
  for (int i = 1; i <= typed.size(); ++i) {
    found = FImpl->combo->findText(typed.left(i), Qt::MatchStartsWith);
    if (found >= 0) FImpl->combo->setCurrentIndex(found);
  }
  return found;
}
