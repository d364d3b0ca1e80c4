#include "platform/testing/QtReferenceViews.h"

#include <QApplication>
#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLinearGradient>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QImage>
#include <QTableWidget>

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <memory>
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

namespace {

QString ToQ(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

QBrush CellGradient() {
  QLinearGradient g(0, 0, 0, 1);
  g.setCoordinateMode(QGradient::ObjectMode);
  g.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
  g.setColorAt(1, QColor(0xF0, 0xF0, 0xF0));
  return QBrush(g);
}

// Texts made when the view asks for them, as a model over a large store does.
class TTextModel : public QAbstractTableModel {
 public:
  TTextModel(int Rows, int Cols, TCellTextFn Text, bool Gradient)
      : rows_(Rows), cols_(Cols), text_(Text), gradient_(Gradient), brush_(CellGradient()) {}
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role == Qt::DisplayRole) return ToQ(text_(index.column(), index.row()));
    if (role == Qt::BackgroundRole && gradient_) return brush_;
    return {};
  }

 private:
  int rows_, cols_;
  TCellTextFn text_;
  bool gradient_;
  QBrush brush_;
};

}  // namespace

struct TQtReferencePage::Impl {
  std::unique_ptr<QTableWidget> Widget;
  std::unique_ptr<TTextModel> Model;
  std::unique_ptr<QSortFilterProxyModel> Proxy;
  std::unique_ptr<QTableView> View;
  QImage Image;
  QAbstractItemView* Shown = nullptr;
};

TQtReferencePage::TQtReferencePage(TKind Kind, int Rows, int Cols, int Width, int Height, TCellTextFn Text,
                                   bool Gradient)
    : d_(new Impl) {
  confqt::EnsureApp();
  d_->Image = QImage(Width, Height, QImage::Format_RGB32);
  if (Kind == kTableWidget) {
    d_->Widget = std::make_unique<QTableWidget>();
    QTableWidget& t = *d_->Widget;
    t.setColumnCount(Cols);
    t.setRowCount(Rows);
    const QBrush brush = CellGradient();
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < Cols; ++c) {
        auto* item = new QTableWidgetItem(ToQ(Text(c, r)));
        if (Gradient) item->setBackground(brush);
        t.setItem(r, c, item);
      }
    d_->Shown = &t;
  } else {
    d_->Model = std::make_unique<TTextModel>(Rows, Cols, Text, Gradient);
    d_->Proxy = std::make_unique<QSortFilterProxyModel>();
    d_->Proxy->setSourceModel(d_->Model.get());
    d_->View = std::make_unique<QTableView>();
    d_->View->setModel(d_->Proxy.get());
    d_->Shown = d_->View.get();
  }
  auto* v = static_cast<QTableView*>(d_->Shown);
  v->resize(Width, Height);
  v->verticalHeader()->setDefaultSectionSize(24);
  v->horizontalHeader()->setDefaultSectionSize(64);
  v->scrollTo(v->model()->index(Rows / 2, 0), QAbstractItemView::PositionAtTop);
  v->render(&d_->Image);  // layout and fonts settle before timing
}

TQtReferencePage::~TQtReferencePage() { delete d_; }

unsigned TQtReferencePage::Paint() {
  d_->Shown->render(&d_->Image);
  return d_->Image.pixel(d_->Image.width() / 2, d_->Image.height() / 2) & 0xFF;
}
