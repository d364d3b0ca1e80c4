#include "platform/testing/QtReferenceStructure.h"

#include <QAbstractItemModel>
#include <QTableWidget>
#include <vector>

#include "platform/qt/ControlBackend.h"

struct TQtReferenceTable::Impl {
  QTableWidget Table;
};

TQtReferenceTable::TQtReferenceTable(int Rows, int Cols, TCellTextFn Text) {
  confqt::EnsureApp();
  d_ = new Impl;
  QTableWidget& table = d_->Table;
  table.setColumnCount(Cols);
  table.setRowCount(Rows);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      String s = Text(c, r);
      table.setItem(r, c, new QTableWidgetItem(QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()))));
    }
}

TQtReferenceTable::~TQtReferenceTable() { delete d_; }

int TQtReferenceTable::RemoveInsert(int At, int Count) {
  d_->Table.model()->removeRows(At, Count);
  d_->Table.model()->insertRows(At, Count);
  return d_->Table.rowCount();
}

int TQtReferenceTable::SetEverySecondHidden(bool Hidden) {
  QTableWidget& table = d_->Table;
  const int rows = table.rowCount();
  for (int r = 1; r < rows; r += 2) table.setRowHidden(r, Hidden);
  return table.isRowHidden(1) ? 1 : 0;
}

int TQtReferenceTable::MoveRows(int From, int To, int Count) {
  QTableWidget& table = d_->Table;
  const int cols = table.columnCount();
  std::vector<QTableWidgetItem*> taken;
  taken.reserve(static_cast<size_t>(Count) * static_cast<size_t>(cols));
  for (int r = From; r < From + Count; ++r)
    for (int c = 0; c < cols; ++c) taken.push_back(table.takeItem(r, c));
  table.model()->removeRows(From, Count);
  const int at = To > From ? To - Count : To;
  table.model()->insertRows(at, Count);
  size_t k = 0;
  for (int r = at; r < at + Count; ++r)
    for (int c = 0; c < cols; ++c) table.setItem(r, c, taken[k++]);
  return table.rowCount();
}
