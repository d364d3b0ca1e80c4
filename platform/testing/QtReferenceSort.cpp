#include "platform/testing/QtReferenceSort.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>

#include <chrono>
#include <memory>

#include "platform/SysUtils.h"
#include "platform/qt/ControlBackend.h"
#include "platform/testing/Stopwatch.h"

namespace {

QString SortQ(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

// Texts to show, typed values to sort on (Qt::UserRole).
class TSortTableModel : public QAbstractTableModel {
 public:
  TSortTableModel(int Rows, const std::vector<TSortValueKind>& Kinds, TCellTextFn Text) : cols_(static_cast<int>(Kinds.size())) {
    text_.resize(static_cast<size_t>(Rows) * cols_);
    value_.resize(text_.size());
    const Char dec = FormatSettings().DecimalSeparator;
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < cols_; ++c) {
        const String s = Text(c, r);
        const size_t i = static_cast<size_t>(r) * cols_ + c;
        text_[i] = SortQ(s);
        switch (Kinds[static_cast<size_t>(c)]) {
          case TSortValueKind::Integer: value_[i] = text_[i].toInt(); break;
          case TSortValueKind::Decimal: {
            QString t = text_[i];
            t.replace(QChar(dec), QChar('.'));
            value_[i] = t.toDouble();
            break;
          }
          case TSortValueKind::Date: value_[i] = QDate::fromString(text_[i], QStringLiteral("dd/MM/yyyy")); break;
          case TSortValueKind::Text: value_[i] = text_[i]; break;
        }
      }
    rows_ = Rows;
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }
  QVariant data(const QModelIndex& index, int role) const override {
    const size_t i = static_cast<size_t>(index.row()) * cols_ + index.column();
    if (role == Qt::DisplayRole) return text_[i];
    if (role == Qt::UserRole) return value_[i];
    return {};
  }

 private:
  int rows_ = 0, cols_ = 0;
  std::vector<QString> text_;
  std::vector<QVariant> value_;
};

size_t SortEnds(QSortFilterProxyModel& P) {
  const int n = P.rowCount();
  if (n == 0) return 0;
  return static_cast<size_t>(P.data(P.index(0, 0)).toString().size() + P.data(P.index(n - 1, 0)).toString().size());
}

}  // namespace

struct TQtReferenceSort::Impl {
  std::unique_ptr<TSortTableModel> Model;
  std::unique_ptr<QSortFilterProxyModel> Proxy;
};

TQtReferenceSort::TQtReferenceSort(int Rows, const std::vector<TSortValueKind>& Kinds, TCellTextFn Text) : d_(new Impl) {
  confqt::EnsureApp();
  d_->Model = std::make_unique<TSortTableModel>(Rows, Kinds, Text);
  d_->Proxy = std::make_unique<QSortFilterProxyModel>();
  d_->Proxy->setSortRole(Qt::UserRole);
  d_->Proxy->setSourceModel(d_->Model.get());
}

TQtReferenceSort::~TQtReferenceSort() {
  d_->Proxy.reset();
  delete d_;
}

double TQtReferenceSort::Sort(int Col, bool Ascending, size_t& Checksum) {
  const auto t0 = std::chrono::steady_clock::now();
  d_->Proxy->sort(Col, Ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  const double ms = conftesting::MsSince(t0);
  Checksum += SortEnds(*d_->Proxy);
  return ms;
}

double TQtReferenceSort::SortTwoKeys(int Col1, bool Ascending1, int Col2, bool Ascending2, size_t& Checksum) {
  const auto t0 = std::chrono::steady_clock::now();
  d_->Proxy->sort(Col2, Ascending2 ? Qt::AscendingOrder : Qt::DescendingOrder);
  d_->Proxy->sort(Col1, Ascending1 ? Qt::AscendingOrder : Qt::DescendingOrder);
  const double ms = conftesting::MsSince(t0);
  Checksum += SortEnds(*d_->Proxy);
  return ms;
}

double TQtReferenceSort::UnSort(size_t& Checksum) {
  const auto t0 = std::chrono::steady_clock::now();
  d_->Proxy->sort(-1);
  const double ms = conftesting::MsSince(t0);
  Checksum += SortEnds(*d_->Proxy);
  return ms;
}

double TQtReferenceSort::Group(int Col, size_t& Checksum) {
  QStandardItemModel tree;
  const auto t0 = std::chrono::steady_clock::now();
  QSortFilterProxyModel& p = *d_->Proxy;
  p.sort(Col, Qt::AscendingOrder);
  const int cols = p.columnCount();
  QStandardItem* parent = nullptr;
  QString last;
  for (int r = 0; r < p.rowCount(); ++r) {
    const QString key = p.data(p.index(r, Col)).toString();
    if (!parent || key != last) {
      parent = new QStandardItem(key);
      tree.appendRow(parent);
      last = key;
    }
    QList<QStandardItem*> row;
    for (int c = 0; c < cols; ++c)
      if (c != Col) row.append(new QStandardItem(p.data(p.index(r, c)).toString()));
    parent->appendRow(row);
  }
  const double ms = conftesting::MsSince(t0);
  Checksum += static_cast<size_t>(tree.rowCount());
  return ms;
}
