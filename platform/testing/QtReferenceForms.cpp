#include "platform/testing/QtReferenceForms.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QWidget>

#include <chrono>
#include <optional>
#include <vector>

#include "platform/StdCtrls.h"
#include "platform/qt/ControlBackend.h"
#include "platform/testing/QtIdle.h"
#include "platform/testing/Stopwatch.h"

namespace {

enum class TKind { Widget, Label, Edit, Combo, Check, Button, ScrollBar };

struct TNode {
  TKind Kind = TKind::Widget;
  int Parent = -1;  // index into the plan; -1 for the window
  QRect Place;
  bool Visible = true;
  QString Text;
  QStringList Items;
  int ItemIndex = -1;
  bool Editable = false;
  bool Checked = false;
  std::optional<QFont> Font;     // only where it differs from the parent's
  std::optional<QColor> Ground;  // only where it differs from the parent's
  std::optional<QColor> Ink;     // text colour, only where it differs from the parent's
};

QString Q(const String& s) { return QString::fromStdU16String(s); }

TKind KindOf(TControl* c) {
  if (dynamic_cast<TLabel*>(c)) return TKind::Label;
  if (dynamic_cast<TCustomEdit*>(c)) return TKind::Edit;
  if (dynamic_cast<TComboBox*>(c)) return TKind::Combo;
  if (dynamic_cast<TCheckBox*>(c)) return TKind::Check;
  if (dynamic_cast<TScrollBar*>(c)) return TKind::ScrollBar;
  if (dynamic_cast<TButtonControl*>(c) || c->ClassName() == u"TLbButton") return TKind::Button;
  return TKind::Widget;
}

}  // namespace

struct TQtReferenceForm::Plan {
  QString Title;
  QSize Size;
  QFont Font;
  QColor Ground, Ink;
  std::vector<TNode> Nodes;

  void Record(TWinControl* parent, int parentIndex) {
    const QFont parentFont = ToQFont(*parent->Font());
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* c = parent->Controls(i);
      TNode n;
      n.Kind = KindOf(c);
      n.Parent = parentIndex;
      n.Place = QRect(c->Left(), c->Top(), c->Width(), c->Height());
      n.Visible = c->Visible();
      n.Text = Q(c->Caption());
      if (auto* cb = dynamic_cast<TComboBox*>(c)) {
        for (int k = 0; k < cb->Items()->Count(); ++k) n.Items << Q(cb->Items()->Strings(k));
        n.ItemIndex = cb->ItemIndex();
        n.Editable = cb->Style() == csDropDown || cb->Style() == csSimple;
      }
      if (auto* ch = dynamic_cast<TCheckBox*>(c)) n.Checked = ch->Checked();
      const QFont f = ToQFont(*c->Font());
      if (!(f == parentFont)) n.Font = f;
      if (c->Color() != parent->Color() && c->Color() != clNone) n.Ground = ToQColor(c->Color());
      if (c->Font()->Color() != parent->Font()->Color()) n.Ink = ToQColor(c->Font()->Color());
      Nodes.push_back(n);
      const int self = static_cast<int>(Nodes.size()) - 1;
      if (auto* w = dynamic_cast<TWinControl*>(c)) Record(w, self);
    }
  }

  static QWidget* Make(const TNode& n, QWidget* parent) {
    switch (n.Kind) {
      case TKind::Label: return new QLabel(n.Text, parent);
      case TKind::Edit: return new QLineEdit(n.Text, parent);
      case TKind::Combo: {
        auto* c = new QComboBox(parent);
        c->setEditable(n.Editable);
        c->addItems(n.Items);
        c->setCurrentIndex(n.ItemIndex);
        return c;
      }
      case TKind::Check: {
        auto* c = new QCheckBox(n.Text, parent);
        c->setChecked(n.Checked);
        return c;
      }
      case TKind::Button: return new QPushButton(n.Text, parent);
      case TKind::ScrollBar: return new QScrollBar(Qt::Vertical, parent);
      case TKind::Widget: break;
    }
    return new QWidget(parent);
  }

  static void Look(QWidget* w, const std::optional<QFont>& font, const std::optional<QColor>& ground,
                   const std::optional<QColor>& ink) {
    if (font) w->setFont(*font);
    if (!ground && !ink) return;
    QPalette pal = w->palette();
    if (ground) {
      pal.setColor(QPalette::Window, *ground);
      pal.setColor(QPalette::Base, *ground);
      w->setAutoFillBackground(true);
    }
    if (ink) {
      pal.setColor(QPalette::WindowText, *ink);
      pal.setColor(QPalette::Text, *ink);
      pal.setColor(QPalette::ButtonText, *ink);
    }
    w->setPalette(pal);
  }
};

TQtReferenceForm::TQtReferenceForm(TForm* Form) : plan_(std::make_unique<Plan>()) {
  confqt::EnsureApp();
  plan_->Title = Q(Form->Caption());
  plan_->Size = QSize(Form->ClientWidth(), Form->ClientHeight());
  plan_->Font = ToQFont(*Form->Font());
  plan_->Ground = ToQColor(Form->Color());
  plan_->Ink = ToQColor(Form->Font()->Color());
  plan_->Record(Form, -1);
}

TQtReferenceForm::~TQtReferenceForm() = default;

int TQtReferenceForm::WidgetCount() const { return static_cast<int>(plan_->Nodes.size()) + 1; }

TFormTimings TQtReferenceForm::Run() {
  TFormTimings t;
  const Plan& p = *plan_;
  auto t0 = std::chrono::steady_clock::now();
  auto* window = new QWidget();
  window->setWindowTitle(p.Title);
  window->resize(p.Size);
  Plan::Look(window, p.Font, p.Ground, p.Ink);
  std::vector<QWidget*> made;
  made.reserve(p.Nodes.size());
  for (const TNode& n : p.Nodes) {
    QWidget* w = Plan::Make(n, n.Parent < 0 ? window : made[static_cast<size_t>(n.Parent)]);
    w->setGeometry(n.Place);
    Plan::Look(w, n.Font, n.Ground, n.Ink);
    if (!n.Visible) w->hide();
    made.push_back(w);
  }
  t.Create = conftesting::MsSince(t0);
  t0 = std::chrono::steady_clock::now();
  conftesting::ShowUntilIdle([&] { window->show(); });
  t.Show = conftesting::MsSince(t0);
  t0 = std::chrono::steady_clock::now();
  delete window;
  t.Destroy = conftesting::MsSince(t0);
  return t;
}
