#pragma once
// Panels, shapes, images, the link label and the category panel group.
#include <functional>
#include <memory>
#include <vector>

#include "platform/Controls.h"
#include "platform/StdCtrls.h"

class TPanel : public TCustomControl {
 public:
  explicit TPanel(TComponent* AOwner);
  String ClassName() const override { return u"TPanel"; }
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut b) { bevelOuter_ = b; Realign(); }
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut b) { bevelInner_ = b; Realign(); }
  int BevelWidth() const { return bevelWidth_; }
  void SetBevelWidth(int w) { bevelWidth_ = w; Realign(); }
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b) { borderStyle_ = b; Realign(); }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }
  bool ParentBackground() const { return parentBackground_; }
  void SetParentBackground(bool v) { parentBackground_ = v; Invalidate(); }
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool v) { showCaption_ = v; Invalidate(); }

 protected:
  void Paint() override;
  TRect AdjustClientRect() const override;  // inside the bevels and border

 private:
  void Realign() { AlignControls(); Invalidate(); }
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  int bevelWidth_ = 1;
  TBorderStyle borderStyle_ = bsNone;
  TAlignment alignment_ = taCenter;
  bool parentBackground_ = true;
  bool showCaption_ = true;
};

// A bar between two aligned controls: dragging it resizes the control before it (above an alTop
// splitter, left of an alLeft one); that control keeps at least MinSize pixels.
class TSplitter : public TCustomControl {
 public:
  explicit TSplitter(TComponent* AOwner);
  String ClassName() const override { return u"TSplitter"; }
  int MinSize() const { return minSize_; }
  void SetMinSize(int v) { minSize_ = v; }
  // The control the splitter resizes: the visible sibling with the same alignment that ends
  // where the splitter begins; none when there is no such control.
  TControl* ResizedControl() const;

  TNotifyEvent OnMoved;

 protected:
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  bool Vertical() const { return Align() == alLeft || Align() == alRight; }
  int minSize_ = 30;
  bool dragging_ = false;
  int grab_ = 0;  // where the press was, in parent coordinates
  int startSize_ = 0;
};

enum TShapeType { stRectangle, stSquare, stRoundRect, stRoundSquare, stEllipse, stCircle };

class TShape : public TGraphicControl {
 public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  String ClassName() const override { return u"TShape"; }
  TShapeType Shape() const { return shape_; }
  void SetShape(TShapeType s) { shape_ = s; Invalidate(); }
  TPen* Pen() const { return pen_.get(); }
  TBrush* Brush() const { return brush_.get(); }

 protected:
  void Paint() override;

 private:
  TShapeType shape_ = stRectangle;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
};

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* AOwner);
  ~TImage() override;
  String ClassName() const override { return u"TImage"; }
  TPicture* Picture() const { return picture_.get(); }
  bool Stretch() const { return stretch_; }
  void SetStretch(bool v) { stretch_ = v; Invalidate(); }
  bool Proportional() const { return proportional_; }
  void SetProportional(bool v) { proportional_ = v; Invalidate(); }
  bool Center() const { return center_; }
  void SetCenter(bool v) { center_ = v; Invalidate(); }
  // Draws the picture with its transparent colour (the bottom-left pixel for bitmaps) left out.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  // Where the picture lands inside the client area.
  TRect DestRect() const;

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool stretch_ = false;
  bool proportional_ = false;
  bool center_ = false;
  bool transparent_ = false;
  bool autoSize_ = false;
};

enum TSysLinkType { sltURL, sltID };
using TSysLinkEvent = std::function<void(TObject* Sender, const String& Link, TSysLinkType LinkType)>;

// A caption holding at most one anchor: <a href="target">text</a>. Text outside the anchor is
// shown as it stands; the anchor text is shown as a link. A click on the link raises OnLinkClick
// with the target.
class TLinkLabel : public TWinControl {
 public:
  explicit TLinkLabel(TComponent* AOwner);
  String ClassName() const override { return u"TLinkLabel"; }
  void SetText(const String& s) override;
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v) { autoSize_ = v; }
  // The parsed caption: text before, link text, text after, target ("" when there is no anchor).
  struct TParts {
    String Before, LinkText, After, Target;
    bool HasLink = false;
  };
  static TParts ParseCaption(const String& caption);
  const TParts& Parts() const { return parts_; }
  // The caption as Qt rich text (all parts HTML-escaped).
  String RichText() const;
  void WndProc(TMessage& Message) override;

  TSysLinkEvent OnLinkClick;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;

 private:
  TParts parts_;
  bool autoSize_ = true;
};

// ---- category panels ----
class TCategoryPanelGroup;

// The area under a category panel's header that holds the panel's controls: a control given the
// panel as parent lands here (Parent() is the surface), at coordinates below the header.
class TCategoryPanelSurface : public TCustomControl {
 public:
  explicit TCategoryPanelSurface(TComponent* AOwner);
  String ClassName() const override { return u"TCategoryPanelSurface"; }

 protected:
  void Paint() override;
};

class TCategoryPanel : public TCustomControl {
 public:
  explicit TCategoryPanel(TComponent* AOwner);
  ~TCategoryPanel() override;
  String ClassName() const override { return u"TCategoryPanel"; }
  TCategoryPanelGroup* PanelGroup() const;
  void SetPanelGroup(TCategoryPanelGroup* g);
  void SetParent(TWinControl* AParent) override;
  bool Collapsed() const { return collapsed_; }
  void SetCollapsed(bool v);
  void Collapse() { SetCollapsed(true); }
  void Expand() { SetCollapsed(false); }
  // The height the panel has when expanded (Height() is the header height while collapsed).
  int ExpandedHeight() const { return expandedHeight_; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool v) override;
  void SetVisible(bool v) override;
  int CollapsedImageIndex() const { return collapsedImageIndex_; }
  void SetCollapsedImageIndex(int i) { collapsedImageIndex_ = i; Invalidate(); }
  int ExpandedImageIndex() const { return expandedImageIndex_; }
  void SetExpandedImageIndex(int i) { expandedImageIndex_ = i; Invalidate(); }
  int HeaderHeight() const;
  TRect HeaderRect() const;
  TCategoryPanelSurface* Surface() const { return surface_; }
  TWinControl* ChildParent() override { return surface_; }
  void WndProc(TMessage& Message) override;

  TNotifyEvent OnCollapse;
  TNotifyEvent OnExpand;

 protected:
  void Paint() override;
  TRect AdjustClientRect() const override;

 private:
  void PlaceSurface();
  TCategoryPanelSurface* surface_ = nullptr;
  bool collapsed_ = false;
  int expandedHeight_ = 200;
  int collapsedImageIndex_ = -1;
  int expandedImageIndex_ = -1;
  bool headerHot_ = false;
};

// Stacks its visible category panels top to bottom without gaps and scrolls them vertically. A
// panel joins at the bottom; a panel asked to a top moves before the shown panels that stand at
// or below that top in the present layout.
class TCategoryPanelGroup : public TCustomControl {
 public:
  explicit TCategoryPanelGroup(TComponent* AOwner);
  ~TCategoryPanelGroup() override;
  String ClassName() const override { return u"TCategoryPanelGroup"; }
  int HeaderHeight() const { return headerHeight_; }
  void SetHeaderHeight(int h) { headerHeight_ = h; Arrange(); }
  TFont* HeaderFont() const { return headerFont_.get(); }
  TColor ChevronColor() const { return chevronColor_; }
  void SetChevronColor(TColor c) { chevronColor_ = c; Invalidate(); }
  TColor ChevronHotColor() const { return chevronHotColor_; }
  void SetChevronHotColor(TColor c) { chevronHotColor_ = c; Invalidate(); }
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* l) { images_ = l; Invalidate(); }
  bool VertScrollBarTracking() const { return tracking_; }
  void SetVertScrollBarTracking(bool v) { tracking_ = v; }

  std::vector<TCategoryPanel*> Panels() const;  // in stacking order
  // Vertical scroll offset of the contents (0 at the top).
  int ScrollPos() const { return scrollPos_; }
  void SetScrollPos(int pos);
  int ContentHeight() const;
  bool ScrollBarVisible() const { return ContentHeight() > ClientHeight(); }
  int LineStep() const { return 8; }
  // Restacks the visible panels and clamps the scroll position.
  void Arrange();
  void ScrollInView(TCategoryPanel* p);
  // Scrolls the least that shows the control (its top when it is taller than the group).
  void ScrollControlInView(TControl* c);
  void CollapseAll();
  void ExpandAll();
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

 protected:
  void Paint() override;

 private:
  friend class TCategoryPanel;
  void PanelAdded(TCategoryPanel* p);
  void PanelRemoved(TCategoryPanel* p);
  void PanelMoved(TCategoryPanel* p, int newTop);
  // The panels top to bottom, each with its top in contents coordinates: where the last layout
  // put it, or the top last asked of it since.
  std::vector<std::pair<TCategoryPanel*, int>> stack_;
  int headerHeight_ = 24;
  std::unique_ptr<TFont> headerFont_;
  TColor chevronColor_ = clBlack;
  TColor chevronHotColor_ = clGray;
  TImageList* images_ = nullptr;
  bool tracking_ = false;
  int scrollPos_ = 0;
  bool arranging_ = false;
  int dragOffset_ = -1;  // thumb grab point while the thumb is dragged
  TRect ThumbRect() const;
};

// Wheel-scroll lines per notch of the system (3 unless a test sets it).
int WheelScrollLines();
void SetWheelScrollLines(int n);
