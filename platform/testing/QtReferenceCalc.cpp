#include "platform/testing/QtReferenceCalc.h"

#include <QTableWidget>

#include <chrono>

#include "platform/qt/ControlBackend.h"
#include "platform/testing/Stopwatch.h"

namespace {

double SumColumn(QTableWidget& Table, int Col) {
  double sum = 0;
  for (int r = 0; r < Table.rowCount(); ++r) {
    bool ok = false;
    const double v = Table.item(r, Col)->text().toDouble(&ok);
    if (ok) sum += v;
  }
  return sum;
}

}  // namespace

TCalcTimings RunQTableWidgetCalc(int Rows, int Cols, int Sums, TCellTextFn Text, size_t& Checksum) {
  confqt::EnsureApp();
  TCalcTimings t;
  QTableWidget table;
  table.setColumnCount(Cols);
  table.setRowCount(Rows);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      String s = Text(c, r);
      table.setItem(r, c, new QTableWidgetItem(QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()))));
    }
  auto t0 = std::chrono::steady_clock::now();
  double total = SumColumn(table, 0);
  t.Sum = conftesting::MsSince(t0);
  t0 = std::chrono::steady_clock::now();
  table.item(Rows / 2, 0)->setText(QStringLiteral("12345"));
  for (int c = 0; c < Sums; ++c) total += SumColumn(table, c);
  t.EditFiveSums = conftesting::MsSince(t0);
  Checksum += static_cast<size_t>(total);
  return t;
}
