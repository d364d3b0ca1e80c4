#pragma once
// Page control with tab sheets, and the rich edit used as plain multi-line text.
#include <functional>
#include <vector>

#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TPageControl;

class TTabSheet : public TWinControl {
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  String ClassName() const override { return u"TTabSheet"; }
  TPageControl* PageControl() const { return pageControl_; }
  void SetPageControl(TPageControl* pc);
  int PageIndex() const;
  void SetPageIndex(int i);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  void SetText(const String& s) override;

 private:
  friend class TPageControl;
  TPageControl* pageControl_ = nullptr;
  bool tabVisible_ = true;
};

using TTabChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  String ClassName() const override { return u"TPageControl"; }
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int i) const { return pages_.at(static_cast<size_t>(i)); }
  TTabSheet* ActivePage() const { return active_; }
  void SetActivePage(TTabSheet* p);  // by code: no events
  int ActivePageIndex() const;
  void SetActivePageIndex(int i);
  int TabHeight() const { return tabHeight_; }
  void SetTabHeight(int h) { tabHeight_ = h; Relayout(); }
  // A tab chosen by the user: OnChanging (may refuse), then the switch, then OnChange.
  void UserSelectPage(int i);
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void PaintTo(void* qpainter) override;
  bool FocusOnPress() const override { return true; }
  // The tab at a client position (-1 for none) and the rectangle of a tab.
  int IndexOfTabAt(int X, int Y) const;
  TRect TabRect(int i) const;

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;
  TRect AdjustClientRect() const override;
  unsigned DialogCode() const override { return DLGC_WANTARROWS; }
  void DefaultKeyDown(Word Key, TShiftState Shift) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* p);
  void RemovePage(TTabSheet* p);
  void Relayout();
  std::vector<TTabSheet*> pages_;
  TTabSheet* active_ = nullptr;
  int tabHeight_ = 21;
  bool syncing_ = false;
};

// Used as plain multi-line text; no formatting is kept.
class TRichEdit : public TMemo {
 public:
  explicit TRichEdit(TComponent* AOwner) : TMemo(AOwner) {}
  String ClassName() const override { return u"TRichEdit"; }
  bool PlainText() const { return true; }
  void SetPlainText(bool) {}
};
