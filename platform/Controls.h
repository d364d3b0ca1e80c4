#pragma once
// Control classes of the visual platform. Every control is a component backed by a Qt widget
// that is created on first need (shown, painted or asked for its window); a parent's widget
// makes its children's, and a control put under a parent that has its widget gets its own at
// once. Until then the control is its own state alone. Input arrives as TMessage
// records dispatched through the virtual WndProc, both from Qt and from the test input driver.
//
// Derived classes handle a message by overriding WndProc, switching on Msg and calling the
// base WndProc for everything else (the base is the class library's default handling).
#include <cstdint>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/Messages.h"

class QWidget;
class TControl;
class TWinControl;
class TForm;
class TPopupMenu;
using TCustomForm = TForm;
struct TControlBackend;

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
enum TAnchorKind { akLeft, akTop, akRight, akBottom };
using TAnchors = TSmallSet<TAnchorKind>;
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TBevelCut { bvNone, bvLowered, bvRaised, bvSpace };
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TDragMode { dmManual, dmAutomatic };
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum TScrollCode { scLineUp, scLineDown, scPageUp, scPageDown, scPosition, scTrack, scTop, scBottom,
                   scEndScroll };

// Control style flags (what a control accepts and how it reacts to the mouse).
enum TControlStyleFlag {
  csAcceptsControls, csCaptureMouse, csDesignInteractive, csClickEvents, csFramed, csSetCaption,
  csOpaque, csDoubleClicks, csFixedWidth, csFixedHeight, csNoDesignVisible, csReplicatable,
  csNoStdEvents, csDisplayDragImage, csReflector, csActionClient, csMenuEvents, csNeedsBorderPaint,
  csParentBackground, csPannable
};
using TControlStyle = TSmallSet<TControlStyleFlag>;
enum TControlStateFlag { csLButtonDown, csClicked, csPalette, csReadingState, csFocusing, csCreating,
                         csPaintCopy, csCustomPaint, csDestroyingHandle, csDocking };
using TControlState = TSmallSet<TControlStateFlag>;

using TCursor = int;
enum : int {
  crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSizeNESW = -6,
  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22, crSize = -22
};

// A cursor of the program's own (its cursor resources), drawn pixel by pixel: Width x Height
// values, row by row, 0 transparent, 1 black, 2 white; the hot spot is where it points.
struct TCursorImage {
  int Width = 32;
  int Height = 32;
  std::vector<uint8_t> Pixels;
  int HotX = 0;
  int HotY = 0;
};
// Registers the picture under a number (a resource number of the program, above the standard
// cursors); a control or SetCursorNow can then show it.
void RegisterCursorImage(TCursor Id, const TCursorImage& Image);
bool HasCursorImage(TCursor Id);
const TCursorImage* FindCursorImage(TCursor Id);  // nullptr when none is registered
// A cursor picture from a drawn bitmap and its mask (both Width x Height): white in the mask is
// transparent; elsewhere dark pixels (luminance below half) are black and light ones white.
TCursorImage CursorImageFromBitmaps(TBitmap* Image, TBitmap* Mask, int HotX, int HotY);
// The cursor shown over the control from now on (the window system's SetCursor, as a WM_SETCURSOR
// handler answers); the control's Cursor property stays. The default WM_SETCURSOR handling shows
// the control's Cursor again.
void SetCursorNow(TControl* Control, TCursor Cursor);
TCursor CursorNow(const TControl* Control);

using TMouseEvent = std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent = std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = std::function<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, Char& Key)>;

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  String ClassName() const override { return u"TControl"; }

  // Parent and place (pixels, relative to the parent's client area).
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* AParent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
  TRect BoundsRect() const;
  void SetBoundsRect(const TRect& r);
  virtual TRect ClientRect() const;
  // Pixels of window frame on each side of the client area (client coordinates start inside it).
  virtual int ClientInset() const { return 0; }
  // Places the widget at the bounds (inside the parent's frame).
  void SyncGeometry();
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }
  virtual void SetClientWidth(int v);
  virtual void SetClientHeight(int v);
  TPoint ClientOrigin() const;  // screen position of the client area's top-left corner
  TPoint ClientToScreen(TPoint p) const;
  TPoint ScreenToClient(TPoint p) const;
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a);
  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors a);

  // State and look.
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool v);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Showing() const;  // visible, and every parent up to the form visible
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool v);
  TColor Color() const { return color_; }
  void SetColor(TColor c);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool v);
  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* f);  // copies the attributes
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor c);
  // A hint is shown as a tooltip only while the effective ShowHint is on (its own, or the
  // parent's with ParentShowHint); setting it alone shows nothing.
  const String& Hint() const { return hint_; }
  void SetHint(const String& h) { hint_ = h; SyncHint(); }
  bool ShowHint() const;
  void SetShowHint(bool v) { showHint_ = v; parentShowHint_ = false; SyncHint(); }
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool v) { parentShowHint_ = v; SyncHint(); }
  // The control answers CM_HINTSHOW: the application's hint machinery shows its hint (no Qt
  // tooltip), asking it at each showing (platform/HintWindow.h).
  // Sunken 3-D borders (stored for the controls that size themselves by their border).
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool v) { FCtl3D = v; }
  bool CustomHintShow() const { return customHintShow_; }
  void SetCustomHintShow(bool v) { customHintShow_ = v; SyncHint(); }
  String Caption() const { return GetText(); }
  void SetCaption(const String& s) { SetText(s); }
  virtual String GetText() const { return text_; }
  virtual void SetText(const String& s);
  String Text() const { return GetText(); }
  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle s) { controlStyle_ = s; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState s) { controlState_ = s; }

  // Bidirectional mode; a control with ParentBiDiMode follows its parent's. The Use* answers are
  // true only on a Middle-East locale (IsMiddleEastLocale).
  TBiDiMode BiDiMode() const { return biDiMode_; }
  void SetBiDiMode(TBiDiMode v);
  bool ParentBiDiMode() const { return parentBiDiMode_; }
  void SetParentBiDiMode(bool v);
  bool IsRightToLeft() const;            // any mode but left-to-right
  bool UseRightToLeftAlignment() const;  // bdRightToLeft
  bool UseRightToLeftReading() const;    // any mode but left-to-right
  bool UseRightToLeftScrollBar() const;  // bdRightToLeft or bdRightToLeftNoAlign
  // Flags with the horizontal alignment mirrored for right-to-left alignment (DT_RIGHT removed,
  // or added unless DT_CENTER) and DT_RTLREADING for right-to-left reading.
  unsigned DrawTextBiDiModeFlags(unsigned Flags) const;
  unsigned DrawTextBiDiModeFlagsReadingOnly() const;

  // The context menu: a right click (the context-menu message) pops it at the mouse while its
  // AutoPopup is on; a control without one passes the request to its parent. A destroyed menu
  // is let go.
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  virtual void SetPopupMenu(TPopupMenu* Menu);
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Messages.
  virtual void WndProc(TMessage& Message);
  intptr_t Perform(unsigned Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
  // The control's replaceable message handler, WndProc until replaced. Every message delivered
  // to the control (Perform, SendMessage, posted messages, input) goes through it; a
  // replacement reads WindowProc() first and passes on what it does not handle. Setting an
  // empty handler puts WndProc back.
  using TWndMethod = std::function<void(TMessage& Message)>;
  TWndMethod WindowProc();
  void SetWindowProc(TWndMethod Handler) { windowProc_ = std::move(Handler); }

  // Painting.
  virtual void Invalidate();
  void Repaint();  // paints now when the control is showing
  void Update();  // paints what is invalid now (nothing when nothing is)
  void Refresh() { Repaint(); }

  virtual void Click();
  void BringToFront();
  void SendToBack();
  bool MouseCapture() const;
  void SetMouseCapture(bool v);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TMouseWheelEvent OnMouseWheel;
  TNotifyEvent OnResize;

  // In-process drag and drop, run by the mouse messages: dmAutomatic starts a drag at a left
  // press, BeginDrag starts one at once (Immediate) or once the mouse has moved Threshold pixels
  // (-1: 5). While it runs, the control under the mouse is asked by DragOver (enter, move, leave)
  // whether it takes the source, the cursor shows crDrag or crNoDrop, and the release drops on
  // the control that accepted (DragDrop) and ends the drag (OnEndDrag with that target or none).
  TDragMode DragMode() const { return dragMode_; }
  void SetDragMode(TDragMode v) { dragMode_ = v; }
  void BeginDrag(bool Immediate, int Threshold = -1);
  void EndDrag(bool Drop);
  bool Dragging() const;
  virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
  virtual void DragDrop(TObject* Source, int X, int Y);
  std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)> OnDragOver;
  std::function<void(TObject* Sender, TObject* Source, int X, int Y)> OnDragDrop;
  std::function<void(TObject* Sender, TObject* Target, int X, int Y)> OnEndDrag;

  // Resize filters: each runs, in the order installed, when the control's size has changed and
  // before Resize (OnResize). A filter is known by its key, which removes it; several objects
  // can follow one control this way without taking its OnResize.
  void InstallResizeFilter(const void* Key, std::function<void(TControl* Sender)> Filter);
  void RemoveResizeFilter(const void* Key);

  // ---- platform internals (not for use above platform/) ----
  QWidget* Widget();                       // creates the widget (and its parent's) on first need
  QWidget* ExistingWidget() const;         // nullptr before creation
  TControlBackend* Backend() const { return backend_.get(); }
  virtual void PaintTo(void* qpainter);    // QPainter*; paints this control at (0, 0)

 protected:
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void MouseMove(TShiftState Shift, int X, int Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
  virtual void DblClick();
  // Wheel: OnMouseWheel first; returns true when handled.
  virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
  virtual void Resize();
  virtual void Changed() {}
  // Creates the backing widget; the base creates a plain widget that paints through PaintTo.
  virtual QWidget* CreateWidget(QWidget* parentWidget);
  // Copies the stored state (text, font, colours, enabled) onto the widget.
  virtual void SyncWidget();
  // The font and colours part of SyncWidget.
  void SyncLook();
  // The height the window shows; a drop-down combo's height also covers its list.
  virtual int ShownHeight() const { return height_; }
  void ParentFontChanged();
  void ParentColorChanged();
  void ParentBiDiModeChanged();
  void SyncContextMenuPolicy();
  void SyncHint();  // this control's tooltip and its children's
  bool IsDestroying() const;

  friend class TWinControl;
  friend struct TControlBackend;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = alNone;
  TAnchors anchors_{akLeft, akTop};
  bool visible_ = true;
  TDragMode dragMode_ = dmManual;
  bool enabled_ = true;
  TColor color_ = clBtnFace;
  bool parentColor_ = false;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  TCursor cursor_ = crDefault;
  String hint_;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  bool customHintShow_ = false;
  bool FCtl3D = true;
  TPopupMenu* popupMenu_ = nullptr;
  TBiDiMode biDiMode_ = bdLeftToRight;
  bool parentBiDiMode_ = true;
  String text_;
  TControlStyle controlStyle_{csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks};
  TControlState controlState_{};
  bool mouseInside_ = false;
  bool inheritingFont_ = false;
  // Distances to the parent's right and bottom edges, kept for akRight/akBottom anchoring.
  int anchorRight_ = -1, anchorBottom_ = -1;
  std::unique_ptr<TControlBackend> backend_;
  std::vector<std::pair<const void*, std::function<void(TControl*)>>> resizeFilters_;
  TWndMethod windowProc_;
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;  // destroys the child controls, as the class library does
  String ClassName() const override { return u"TWinControl"; }

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int i) const { return controls_.at(static_cast<size_t>(i)); }
  bool ContainsControl(const TControl* c) const;  // c is this or lies below it
  void InsertControl(TControl* c);
  void RemoveControl(TControl* c);

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v) { tabStop_ = v; }
  int TabOrder() const;
  void SetTabOrder(int v);
  // Children that are windowed, in tab order.
  std::vector<TWinControl*> TabList() const;
  virtual bool CanFocus() const;  // showing and enabled up to the form
  virtual void SetFocus();
  bool Focused() const;
  // Next control after CurControl in tab order among this control's descendants.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent) const;
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  void Broadcast(TMessage& Message);  // to each child until one answers non-zero
  void AlignControls();               // lays out aligned and anchored children
  void DisableAlign() { ++alignLock_; }
  void EnableAlign() { if (--alignLock_ == 0) AlignControls(); }
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
  bool HandleAllocated() const;
  void HandleNeeded() { Widget(); }
  // Native controls (edits, lists, buttons) take the focus when pressed; custom ones do not.
  virtual bool FocusOnPress() const { return false; }
  // The control that really holds children given to this one (a category panel's surface).
  virtual TWinControl* ChildParent() { return this; }

  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool v) override;
  void SetVisible(bool v) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

  // Runs the key preview of the form, then KeyDown; true when the key was consumed (zeroed).
  bool DoKeyDown(Word& Key, TShiftState Shift);
  bool DoKeyPress(Char& Key);
  bool DoKeyUp(Word& Key, TShiftState Shift);

 protected:
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(Char& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  virtual void DoEnter();
  virtual void DoExit();
  // Dialog code of the control (DLGC_* bits); the base wants nothing.
  virtual unsigned DialogCode() const { return 0; }
  // Default handling of key and character messages after the events (editing, moving the caret).
  virtual void DefaultKeyDown(Word Key, TShiftState Shift) { (void)Key; (void)Shift; }
  virtual void DefaultChar(Char Key) { (void)Key; }
  // The rectangle in which aligned children are laid out.
  virtual TRect AdjustClientRect() const { return ClientRect(); }

  friend class TControl;
  friend class TForm;
  std::vector<TControl*> controls_;      // z-order, back to front
  std::vector<TWinControl*> tabList_;    // windowed children in tab order
  bool tabStop_ = false;
  bool doubleBuffered_ = false;
  int alignLock_ = 0;
  bool aligning_ = false;
  bool destroyingChildren_ = false;  // the destructor is freeing the child controls
};

// A windowed control that paints itself on its Canvas in Paint.
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  String ClassName() const override { return u"TCustomControl"; }
  // During Paint: the widget's painter. Outside Paint: a canvas for measuring text whose
  // drawing is thrown away.
  TCanvas* Canvas();
  void PaintTo(void* qpainter) override;
  void WndProc(TMessage& Message) override;  // WM_PAINT runs Paint

 protected:
  virtual void Paint() {}
  std::unique_ptr<TCanvas> idleCanvas_;
  TCanvas* paintCanvas_ = nullptr;
};

// A control without focus of its own (labels, shapes, images); it never takes the focus.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  String ClassName() const override { return u"TGraphicControl"; }
  TCanvas* Canvas();
  void PaintTo(void* qpainter) override;
  void WndProc(TMessage& Message) override;  // WM_PAINT runs Paint

 protected:
  virtual void Paint() {}
  std::unique_ptr<TCanvas> idleCanvas_;
  TCanvas* paintCanvas_ = nullptr;
};

// The control under a screen position, as the mouse would find it: the topmost visible control
// there (controls lying on top hide those below); a disabled one counts only with AllowDisabled,
// otherwise its nearest enabled parent answers. nullptr over no window of ours.
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled);
// The windowed control under a screen position (nullptr when none).
TWinControl* FindVCLWindow(TPoint Pos);

// Paints Control's parent (its background and its own painting, not its other children) onto
// Canvas so that the parent's pixel under the control's top-left corner lands at (0, 0), clipped
// to the parent's client area. Nothing happens without a parent. With GraphicChildren the
// parent's visible graphic (non-windowed) children are painted over it too, in their stacking
// order, each clipped to its bounds; windowed children never are.
void PaintParentBackground(TControl* Control, TCanvas* Canvas, bool GraphicChildren = false);

// Marks only R (client pixels) of the control for repainting; the next paint is clipped to the
// marked area. Erase is taken for the callers' sake: here a marked area is always rebuilt from
// what lies below it, so no old pixels survive either way.
void InvalidateRect(TControl* Control, const TRect& R, bool Erase);

// The form that contains the control (nullptr when none).
TForm* GetParentForm(const TControl* Control);
// The first form in the chain of owners, starting with the component itself.
TForm* FindOwnerForm(TComponent* Component);

// ---- message queue, timers, capture ----
// Queues a message for the control; delivered in order after the current handler returns
// (and by the test helper). Messages for a destroyed control are dropped. Any thread may post:
// the message is delivered on the UI thread, whose loop it wakes.
void PostMessage(TControl* Target, unsigned Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
intptr_t SendMessage(TControl* Target, unsigned Msg, uintptr_t WParam = 0, intptr_t LParam = 0);
// Delivers every queued message (also those posted meanwhile); returns how many.
int DeliverPostedMessages();
// The same name always gives the same number (from WM_REGISTERED_FIRST on).
unsigned RegisterWindowMessage(const String& Name);

// Thread message hook (the call-window-procedure kind): every hook sees each message sent to a
// control of the UI thread before the control handles it: those of SendMessage, and the
// WM_WINDOWPOSCHANGED notice the platform sends when a windowed control (a form too) is moved or
// sized. The handle is 0 only when no hook was given.
using TCallWndProcHook = std::function<void(TControl* Target, const TMessage& Message)>;
uintptr_t SetCallWndProcHook(TCallWndProcHook Hook);
void UnhookCallWndProc(uintptr_t Handle);

// Extended window styles. WS_EX_TRANSPARENT lets the mouse through the window to what lies below.
enum : uint32_t { WS_EX_TRANSPARENT = 0x00000020 };
uint32_t GetWindowExStyle(const TControl* Control);
void SetWindowExStyle(TControl* Control, uint32_t ExStyle);

// Window timer: WM_TIMER with WParam = id every Interval ms until KillTimer. Setting an id
// again restarts it with the new interval.
void SetTimer(TControl* Target, uintptr_t Id, unsigned Interval);
void KillTimer(TControl* Target, uintptr_t Id);

void SetCapture(TControl* Control);
void ReleaseCapture();
TControl* GetCapture();
TPoint GetCursorPos();  // screen position of the mouse as last seen

// Non-visual timer component.
class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* AOwner);
  ~TTimer() override;
  String ClassName() const override { return u"TTimer"; }
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  TNotifyEvent OnTimer;

  // Platform internals: called when due.
  void Fire();

 private:
  void Rearm();
  unsigned interval_ = 1000;
  bool enabled_ = true;
};
