#include "platform/Menus.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

#include "platform/SysUtils.h"
#include "platform/qt/ControlBackend.h"

namespace {

TPopupAnswerer& Answerer() {
  static TPopupAnswerer answerer;
  return answerer;
}

QString ToQ(const String& s) { return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size())); }

bool HasVisibleItems(const TMenuItem* item) {
  for (int i = 0; i < item->Count(); ++i)
    if (item->Items(i)->Visible()) return true;
  return false;
}

void Snapshot(const TMenuItem* parent, int level, std::vector<TPopupShownItem>& out) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    out.push_back({item, item->Caption(), level, item->Enabled(), item->Checked(), item->IsLine()});
    if (!item->IsLine() && HasVisibleItems(item)) Snapshot(item, level + 1, out);
  }
}

// Compares pointers only, so an item freed while the menu was open is never touched.
bool InTree(const TMenuItem* root, const TMenuItem* item) {
  for (int i = 0; i < root->Count(); ++i)
    if (root->Items(i) == item || InTree(root->Items(i), item)) return true;
  return false;
}

// What a user could pick: an enabled leaf, shown, under enabled parents.
bool Pickable(const TMenuItem* root, const TMenuItem* item) {
  if (!item || !InTree(root, item) || item->IsLine() || HasVisibleItems(item)) return false;
  for (const TMenuItem* p = item; p != root; p = p->Parent())
    if (!p->Visible() || !p->Enabled()) return false;
  return true;
}

void BuildQMenu(QMenu* menu, const TMenuItem* parent, std::vector<TMenuItem*>& actions) {
  for (int i = 0; i < parent->Count(); ++i) {
    TMenuItem* item = parent->Items(i);
    if (!item->Visible()) continue;
    if (item->IsLine()) {
      menu->addSeparator();
      continue;
    }
    if (HasVisibleItems(item)) {
      QMenu* sub = menu->addMenu(ToQ(item->Caption()));
      sub->setEnabled(item->Enabled());
      BuildQMenu(sub, item, actions);
      continue;
    }
    QAction* a = menu->addAction(ToQ(item->Caption()));
    a->setEnabled(item->Enabled());
    a->setCheckable(item->Checked());
    a->setChecked(item->Checked());
    a->setData(static_cast<int>(actions.size()));
    actions.push_back(item);
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {}

TMenuItem::~TMenuItem() {
  Clear();
  if (parent_) parent_->Remove(this);
}

TMenuItem* TMenuItem::Items(int Index) const {
  if (Index < 0 || Index >= Count()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  return items_[static_cast<size_t>(Index)];
}

int TMenuItem::IndexOf(const TMenuItem* Item) const {
  auto it = std::find(items_.begin(), items_.end(), Item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

void TMenuItem::Add(TMenuItem* Item) { Insert(Count(), Item); }

void TMenuItem::Insert(int Index, TMenuItem* Item) {
  if (!Item) return;
  for (const TMenuItem* p = this; p; p = p->parent_)
    if (p == Item) throw EListError(u"A menu item cannot hold itself");
  if (Index < 0 || Index > Count()) throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
  if (Item->parent_) {
    if (Item->parent_ == this && IndexOf(Item) < Index) --Index;
    Item->parent_->Remove(Item);
  }
  items_.insert(items_.begin() + Index, Item);
  Item->parent_ = this;
}

void TMenuItem::Remove(TMenuItem* Item) {
  const int i = IndexOf(Item);
  if (i < 0) return;
  items_.erase(items_.begin() + i);
  Item->parent_ = nullptr;
}

void TMenuItem::Delete(int Index) {
  TMenuItem* item = Items(Index);
  Remove(item);
  item->Free();
}

void TMenuItem::Clear() {
  while (!items_.empty()) Delete(Count() - 1);
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

// ---------------------------------------------------------------------------------------------
TPopupMenu::TPopupMenu(TComponent* AOwner)
    : TComponent(AOwner), items_(std::make_unique<TMenuItem>(nullptr)), alive_(std::make_shared<bool>(true)) {}

TPopupMenu::~TPopupMenu() {
  *alive_ = false;
  items_.reset();
}

void TPopupMenu::Popup(int X, int Y) {
  const std::shared_ptr<bool> alive = alive_;
  if (OnPopup) OnPopup(this);
  if (!*alive) return;

  TMenuItem* picked = nullptr;
  if (TPopupAnswerer answerer = Answerer()) {
    TPopupShown shown;
    shown.Menu = this;
    shown.At = Point(X, Y);
    Snapshot(items_.get(), 0, shown.Items);
    picked = answerer(shown);
  } else if (!confqt::Headless() && HasVisibleItems(items_.get())) {
    confqt::EnsureApp();
    QMenu menu;
    std::vector<TMenuItem*> actions;
    BuildQMenu(&menu, items_.get(), actions);
    QAction* chosen = menu.exec(QPoint(X, Y));
    if (chosen && *alive) {
      const int i = chosen->data().toInt();
      if (i >= 0 && i < static_cast<int>(actions.size())) picked = actions[static_cast<size_t>(i)];
    }
  }
  if (*alive && Pickable(items_.get(), picked)) picked->Click();
}

TPopupAnswerer SetPopupAnswerer(TPopupAnswerer next) {
  TPopupAnswerer previous = std::move(Answerer());
  Answerer() = std::move(next);
  return previous;
}
