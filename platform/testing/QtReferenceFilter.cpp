#include "platform/testing/QtReferenceFilter.h"

#include <QAbstractTableModel>
#include <QRegularExpression>
#include <QSortFilterProxyModel>

#include <chrono>
#include <memory>

#include "platform/testing/Stopwatch.h"

namespace {

QString FilterQ(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

class TFilterTableModel : public QAbstractTableModel {
 public:
  TFilterTableModel(int Rows, int Cols, TCellTextFn Text) : rows_(Rows), cols_(Cols) {
    text_.resize(static_cast<size_t>(Rows) * static_cast<size_t>(Cols));
    for (int r = 0; r < Rows; ++r)
      for (int c = 0; c < Cols; ++c) text_[static_cast<size_t>(r) * cols_ + c] = FilterQ(Text(c, r));
  }
  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : cols_; }
  QVariant data(const QModelIndex& index, int role) const override {
    if (role != Qt::DisplayRole) return {};
    return text_[static_cast<size_t>(index.row()) * cols_ + index.column()];
  }

 private:
  int rows_ = 0, cols_ = 0;
  std::vector<QString> text_;
};

}  // namespace

struct TQtReferenceFilter::Impl {
  std::unique_ptr<TFilterTableModel> Model;
  std::unique_ptr<QSortFilterProxyModel> Proxy;
};

TQtReferenceFilter::TQtReferenceFilter(int Rows, int Cols, TCellTextFn Text) : d_(new Impl) {
  d_->Model = std::make_unique<TFilterTableModel>(Rows, Cols, Text);
  d_->Proxy = std::make_unique<QSortFilterProxyModel>();
  d_->Proxy->setSourceModel(d_->Model.get());
}

TQtReferenceFilter::~TQtReferenceFilter() {
  d_->Proxy.reset();
  delete d_;
}

namespace {

double TimedFilter(QSortFilterProxyModel& P, int Col, const QRegularExpression& Re, int& Accepted) {
  P.setFilterKeyColumn(Col);
  const auto t0 = std::chrono::steady_clock::now();
  P.setFilterRegularExpression(Re);
  Accepted = P.rowCount();
  return conftesting::MsSince(t0);
}

}  // namespace

double TQtReferenceFilter::FilterEqual(int Col, const String& Text, int& Accepted) {
  const QRegularExpression re(QRegularExpression::anchoredPattern(QRegularExpression::escape(FilterQ(Text))));
  return TimedFilter(*d_->Proxy, Col, re, Accepted);
}

double TQtReferenceFilter::FilterWildcard(int Col, const String& Pattern, int& Accepted) {
  const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(FilterQ(Pattern)),
                              QRegularExpression::CaseInsensitiveOption);
  return TimedFilter(*d_->Proxy, Col, re, Accepted);
}

double TQtReferenceFilter::FilterContainsSteps(int Col, const std::vector<String>& Texts, int& Accepted) {
  double ms = 0;
  for (const String& t : Texts) {
    const QRegularExpression re(QRegularExpression::escape(FilterQ(t)), QRegularExpression::CaseInsensitiveOption);
    ms += TimedFilter(*d_->Proxy, Col, re, Accepted);
  }
  return ms;
}

double TQtReferenceFilter::Find(const String& Text, int& Col, int& Row) {
  d_->Proxy->setFilterRegularExpression(QRegularExpression());
  const QString text = FilterQ(Text);
  Col = Row = -1;
  const auto t0 = std::chrono::steady_clock::now();
  for (int c = 0; c < d_->Model->columnCount({}) && Col < 0; ++c) {
    const QModelIndexList hits =
        d_->Model->match(d_->Model->index(0, c), Qt::DisplayRole, text, 1, Qt::MatchContains);
    if (!hits.isEmpty()) {
      Col = c;
      Row = hits.first().row();
    }
  }
  return conftesting::MsSince(t0);
}
