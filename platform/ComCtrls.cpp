#include "platform/ComCtrls.h"

#include <QPainter>

#include <algorithm>

#include "platform/SysUtils.h"
#include "platform/qt/ControlBackend.h"

// ---------------------------------------------------------------------------------------------
TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
  parentColor_ = true;
  visible_ = false;
}

TTabSheet::~TTabSheet() {
  if (pageControl_) pageControl_->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* pc) {
  if (pc == pageControl_) return;
  if (pageControl_) pageControl_->RemovePage(this);
  pageControl_ = pc;
  SetParent(pc);
  if (pc) pc->InsertPage(this);
}

int TTabSheet::PageIndex() const {
  if (!pageControl_) return -1;
  auto& v = pageControl_->pages_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TTabSheet::SetPageIndex(int i) {
  if (!pageControl_) return;
  auto& v = pageControl_->pages_;
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  i = std::clamp(i, 0, static_cast<int>(v.size()));
  v.insert(v.begin() + i, this);
  pageControl_->Invalidate();
}

void TTabSheet::SetTabVisible(bool v) {
  tabVisible_ = v;
  if (pageControl_) {
    if (!v && pageControl_->ActivePage() == this) {
      TTabSheet* other = nullptr;
      for (TTabSheet* p : pageControl_->pages_) {
        if (p != this && p->TabVisible()) {
          other = p;
          break;
        }
      }
      pageControl_->SetActivePage(other);
    }
    pageControl_->Invalidate();
  }
}

void TTabSheet::SetText(const String& s) {
  TWinControl::SetText(s);
  if (pageControl_) pageControl_->Invalidate();
}

// ---------------------------------------------------------------------------------------------
TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  tabStop_ = true;
  width_ = 289;
  height_ = 193;
  color_ = clBtnFace;
}

TPageControl::~TPageControl() {
  for (TTabSheet* p : pages_) p->pageControl_ = nullptr;
  pages_.clear();
  active_ = nullptr;
}

QWidget* TPageControl::CreateWidget(QWidget* parentWidget) { return TWinControl::CreateWidget(parentWidget); }
void TPageControl::SyncWidget() { TWinControl::SyncWidget(); }

void TPageControl::InsertPage(TTabSheet* p) {
  if (std::find(pages_.begin(), pages_.end(), p) == pages_.end()) pages_.push_back(p);
  Relayout();
  if (!active_ && p->TabVisible()) SetActivePage(p);
  Invalidate();
}

void TPageControl::RemovePage(TTabSheet* p) {
  pages_.erase(std::remove(pages_.begin(), pages_.end(), p), pages_.end());
  if (active_ == p) {
    active_ = nullptr;
    for (TTabSheet* q : pages_) {
      if (q->TabVisible()) {
        SetActivePage(q);
        break;
      }
    }
  }
  Invalidate();
}

TRect TPageControl::AdjustClientRect() const {
  return Rect(4, tabHeight_ + 4, std::max(4, width_ - 4), std::max(tabHeight_ + 4, height_ - 4));
}

void TPageControl::Relayout() {
  TRect r = AdjustClientRect();
  for (TTabSheet* p : pages_) p->SetBounds(r.Left, r.Top, r.Width(), r.Height());
}

void TPageControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  Relayout();
}

void TPageControl::SetActivePage(TTabSheet* p) {
  if (p && p->pageControl_ != this) return;
  if (p == active_) return;
  TTabSheet* old = active_;
  active_ = p;
  if (p) p->SetVisible(true);
  if (old && confqt::IsAlive(old)) old->SetVisible(false);
  Invalidate();
}

int TPageControl::ActivePageIndex() const { return active_ ? active_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int i) {
  SetActivePage(i >= 0 && i < PageCount() ? pages_[static_cast<size_t>(i)] : nullptr);
}

void TPageControl::UserSelectPage(int i) {
  if (i < 0 || i >= PageCount() || pages_[static_cast<size_t>(i)] == active_) return;
  if (!pages_[static_cast<size_t>(i)]->TabVisible()) return;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return;
  SetActivePageIndex(i);
  if (OnChange) OnChange(this);
}

TRect TPageControl::TabRect(int i) const {
  TTextMetricsSource* m = DefaultTextMetrics();
  int x = 2;
  for (int k = 0; k < PageCount(); ++k) {
    TTabSheet* p = pages_[static_cast<size_t>(k)];
    if (!p->TabVisible()) {
      if (k == i) return Rect(0, 0, 0, 0);
      continue;
    }
    int w = m->TextWidth(*Font(), StringReplace(p->Caption(), u"&", u"")) + 12;
    if (k == i) return Rect(x, 2, x + w, tabHeight_ + 2);
    x += w;
  }
  return Rect(0, 0, 0, 0);
}

int TPageControl::IndexOfTabAt(int X, int Y) const {
  for (int i = 0; i < PageCount(); ++i) {
    if (PtInRect(TabRect(i), Point(X, Y))) return i;
  }
  return -1;
}

void TPageControl::DefaultKeyDown(Word Key, TShiftState) {
  int i = ActivePageIndex();
  int n = PageCount();
  if (n == 0) return;
  for (int step = 1; step < n; ++step) {
    int k = Key == VK_RIGHT ? i + step : Key == VK_LEFT ? i - step : -1;
    if (k < 0 || k >= n) return;
    if (pages_[static_cast<size_t>(k)]->TabVisible()) {
      UserSelectPage(k);
      return;
    }
  }
}

void TPageControl::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONDOWN) {
    TWinControl::WndProc(m);
    int i = IndexOfTabAt(LParamX(m.LParam), LParamY(m.LParam));
    if (i >= 0) UserSelectPage(i);
    return;
  }
  if (m.Msg == WM_KEYDOWN && (GetKeyState(VK_CONTROL) < 0) && static_cast<Word>(m.WParam) == VK_TAB) {
    int n = PageCount();
    if (n > 1) UserSelectPage((ActivePageIndex() + (GetKeyState(VK_SHIFT) < 0 ? n - 1 : 1)) % n);
    return;
  }
  TWinControl::WndProc(m);
}

void TPageControl::PaintTo(void* qp) {
  TQtCanvas c;
  c.Bind(static_cast<QPainter*>(qp));
  c.Font()->Assign(Font());
  c.Brush()->SetColor(Color());
  c.FillRect(ClientRect());
  TRect body = Rect(0, tabHeight_ + 1, width_, height_);
  DrawEdge(&c, body, EDGE_RAISED, BF_RECT);
  // The active tab is drawn last and larger, over its neighbours' edges and the page's top line, so
  // that it joins its page; the others stand on that line.
  auto paintTab = [&](int i, bool act) {
    TRect r = TabRect(i);
    if (r.IsEmpty()) return;
    if (act) {
      r = Rect(r.Left - 2, r.Top - 2, r.Right + 2, r.Bottom + 1);
    } else {
      r.Bottom = tabHeight_ + 1;
    }
    c.Brush()->SetColor(Color());
    c.FillRect(r);
    TRect e = r;
    DrawEdge(&c, e, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
    c.Brush()->SetStyle(bsClear);
    TRect tr = r;
    if (!act) tr.Bottom = tabHeight_ + 2;  // same text line as when active
    DrawText(&c, pages_[static_cast<size_t>(i)]->Caption(), tr, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    c.Brush()->SetStyle(bsSolid);
  };
  for (int i = 0; i < PageCount(); ++i) {
    if (pages_[static_cast<size_t>(i)] != active_) paintTab(i, false);
  }
  for (int i = 0; i < PageCount(); ++i) {
    if (pages_[static_cast<size_t>(i)] == active_) paintTab(i, true);
  }
  c.Unbind();
}
