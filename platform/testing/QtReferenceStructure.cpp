#include "platform/testing/QtReferenceStructure.h"

#include <QAbstractItemModel>
#include <QTableWidget>

#include <chrono>

#include "platform/qt/ControlBackend.h"

namespace {
double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}
}  // namespace

TStructureTimings RunQTableWidgetStructure(int Rows, int Cols, int At, int Count, TCellTextFn Text, size_t& Checksum) {
  confqt::EnsureApp();
  TStructureTimings t;
  QTableWidget table;
  table.setColumnCount(Cols);
  table.setRowCount(Rows);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      String s = Text(c, r);
      table.setItem(r, c, new QTableWidgetItem(QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()))));
    }
  auto t0 = std::chrono::steady_clock::now();
  table.model()->removeRows(At, Count);
  table.model()->insertRows(At, Count);
  t.RemoveInsert = Since(t0);
  Checksum += static_cast<size_t>(table.rowCount());
  t0 = std::chrono::steady_clock::now();
  for (int r = 1; r < Rows; r += 2) table.setRowHidden(r, true);
  for (int r = 1; r < Rows; r += 2) table.setRowHidden(r, false);
  t.HideShow = Since(t0);
  Checksum += table.isRowHidden(1) ? 1 : 0;
  return t;
}
