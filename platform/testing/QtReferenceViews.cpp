#include "platform/testing/QtReferenceViews.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QTableWidget>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "platform/qt/ControlBackend.h"
#include "platform/testing/Stopwatch.h"

double HeapBytesInUse() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<double>(m.uordblks + m.hblkhd);  // small blocks and those mapped on their own
}

TViewTimings RunQTableWidget(int Rows, int Cols, int Width, int Height, TCellTextFn Text, size_t& Checksum) {
  confqt::EnsureApp();
  TViewTimings t;
  QTableWidget table;
  table.resize(Width, Height);
  table.verticalHeader()->setDefaultSectionSize(24);
  table.horizontalHeader()->setDefaultSectionSize(64);
  const double heap0 = HeapBytesInUse();
  auto t0 = std::chrono::steady_clock::now();
  table.setColumnCount(Cols);
  table.setRowCount(Rows);
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) {
      String s = Text(c, r);
      table.setItem(r, c, new QTableWidgetItem(QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()))));
    }
  t.Fill = conftesting::MsSince(t0);
  t.FillBytes = HeapBytesInUse() - heap0;
  t0 = std::chrono::steady_clock::now();
  for (int r = 0; r < Rows; ++r)
    for (int c = 0; c < Cols; ++c) Checksum += static_cast<size_t>(table.item(r, c)->text().size());
  t.Read = conftesting::MsSince(t0);
  QImage image(Width, Height, QImage::Format_RGB32);
  table.scrollToItem(table.item(Rows / 2, 0), QAbstractItemView::PositionAtTop);
  std::vector<double> paints;
  for (int k = 0; k < kViewPaints; ++k) {
    t0 = std::chrono::steady_clock::now();
    table.render(&image);
    paints.push_back(conftesting::MsSince(t0));
  }
  std::sort(paints.begin(), paints.end());
  t.Paint = paints[paints.size() / 2];
  t.PaintMin = paints.front();
  Checksum += image.pixel(Width / 2, Height / 2) & 0xFF;
  return t;
}
