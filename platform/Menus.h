#pragma once
// Popup menus: TPopupMenu holds a tree of TMenuItem under Items(); Popup(X, Y) runs OnPopup,
// shows the visible items at screen point (X, Y) and clicks the one the user picks.
//
// A caption of "-" is a separator; an item with visible sub-items opens a submenu; "&" marks
// the accelerator. A picked item is clicked after the menu has closed, before Popup returns.
//
// Tests install a popup answerer (SetPopupAnswerer / TPopupAnswerScope) that sees what would be
// shown and picks the item; under the modal seam an unanswered popup is dismissed.
#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  // Frees its sub-items and leaves its parent item.
  ~TMenuItem() override;
  String ClassName() const override { return u"TMenuItem"; }

  const String& Caption() const { return caption_; }
  void SetCaption(const String& v) { caption_ = v; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v) { enabled_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  bool Checked() const { return checked_; }
  void SetChecked(bool v) { checked_ = v; }
  bool IsLine() const { return caption_ == u"-"; }

  // Sub-items. Add/Insert take an item out of its former parent item; the parent frees its
  // sub-items when it goes. Items and Delete raise EListError for a bad index.
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int Index) const;
  TMenuItem* Parent() const { return parent_; }
  int IndexOf(const TMenuItem* Item) const;
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  void Remove(TMenuItem* Item);  // detaches without freeing
  void Delete(int Index);        // detaches and frees
  void Clear();                  // frees every sub-item

  // Runs OnClick when the item is enabled.
  virtual void Click();
  TNotifyEvent OnClick;

 private:
  String caption_;
  bool enabled_ = true;
  bool visible_ = true;
  bool checked_ = false;
  TMenuItem* parent_ = nullptr;
  std::vector<TMenuItem*> items_;
};

class TPopupMenu : public TComponent {
 public:
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;
  String ClassName() const override { return u"TPopupMenu"; }

  // The root item; the menu shows its sub-items.
  TMenuItem* Items() const { return items_.get(); }
  // OnPopup, then the menu at screen point (X, Y); returns when it has closed and the picked
  // item (if any) has been clicked.
  virtual void Popup(int X, int Y);
  TNotifyEvent OnPopup;
  // A right click on a control holding this menu pops it only while AutoPopup is on; the
  // control is then the PopupComponent.
  bool AutoPopup() const { return autoPopup_; }
  void SetAutoPopup(bool v) { autoPopup_ = v; }
  TComponent* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(TComponent* c) { popupComponent_ = c; }

 private:
  std::unique_ptr<TMenuItem> items_;
  std::shared_ptr<bool> alive_;
  bool autoPopup_ = true;
  TComponent* popupComponent_ = nullptr;
};

// ---- test seam ----
struct TPopupShownItem {
  TMenuItem* Item = nullptr;
  String Caption;
  int Level = 0;  // 0 for the menu's own items, 1 inside their submenus, ...
  bool Enabled = true;
  bool Checked = false;
  bool Line = false;
};
struct TPopupShown {
  TPopupMenu* Menu = nullptr;
  TPoint At;
  std::vector<TPopupShownItem> Items;  // the visible items in display order, submenus inline
};
// Returns the item the user picks, nullptr to dismiss. Only an enabled item without sub-items
// that was shown (with every parent enabled) is clicked, as a user could pick no other.
using TPopupAnswerer = std::function<TMenuItem*(const TPopupShown&)>;

// Process-wide; returns the previous answerer.
TPopupAnswerer SetPopupAnswerer(TPopupAnswerer Answerer);

class TPopupAnswerScope {
 public:
  explicit TPopupAnswerScope(TPopupAnswerer Answerer) : previous_(SetPopupAnswerer(std::move(Answerer))) {}
  ~TPopupAnswerScope() { SetPopupAnswerer(std::move(previous_)); }
  TPopupAnswerScope(const TPopupAnswerScope&) = delete;
  TPopupAnswerScope& operator=(const TPopupAnswerScope&) = delete;

 private:
  TPopupAnswerer previous_;
};
