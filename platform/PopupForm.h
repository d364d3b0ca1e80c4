#pragma once
// Screen geometry of the monitors, and the popup form kind: a borderless form kept above the
// others, owned by another form's window, activated when it shows and deactivated by a press on
// another form, with a user resize from its bottom-right corner. Tests give fixed monitors and
// answer the resize through a seam.
#include <functional>
#include <vector>

#include "platform/Forms.h"

struct TMonitorInfo {
  TRect BoundsRect;
  TRect WorkareaRect;  // without the task bars
};

// The monitors as the window system reports them (or as a test set them), primary first.
std::vector<TMonitorInfo> Monitors();
// The work area of the monitor nearest to P (the primary one's when P lies on none; a default
// area when there is no monitor at all).
TRect MonitorWorkAreaNear(TPoint P);
// Tests: these monitors instead of the window system's; an empty list puts the real ones back.
void SetTestMonitors(std::vector<TMonitorInfo> List);

class TPopupForm : public TForm {
 public:
  explicit TPopupForm(TComponent* AOwner);
  String ClassName() const override { return u"TPopupForm"; }
  bool PopupKind() const override { return true; }

  // The form whose window owns the popup's: the popup stays above it and goes with it.
  TForm* OwnerForm() const { return FOwnerForm; }
  void SetOwnerForm(TForm* Value);
  // The window casts the system's drop shadow (kept; the window system draws it or not).
  bool DropShadow() const { return FDropShadow; }
  void SetDropShadow(bool Value) { FDropShadow = Value; }
  // The smallest size any bounds give the form (the size constraints).
  void SetMinSize(int Width, int Height);
  int MinWidth() const { return FMinWidth; }
  int MinHeight() const { return FMinHeight; }
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  // Showing activates the popup (WM_ACTIVATE, the form that was active losing it).
  void SetVisible(bool v) override;

  // The user's resize from the bottom-right corner: the window system's in a real window; under
  // the test seam the seam answers the size the user drags to (false: the drag is abandoned).
  void StartSizing();
  // What the window system does while the user drags the corner to Width x Height: WM_SIZING,
  // then the size, kept at or above the minimum.
  void UserSized(int Width, int Height);
  using TSizingSeam = std::function<bool(TPopupForm* Form, int& Width, int& Height)>;
  static void SetSizingSeam(TSizingSeam Seam);

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PaintTo(void* qpainter) override;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  // Paints over the form's colour (the form has no canvas of its own otherwise).
  virtual void PaintForm(TCanvas* Canvas) { (void)Canvas; }

 private:
  TForm* FOwnerForm = nullptr;
  bool FDropShadow = true;
  int FMinWidth = 0;
  int FMinHeight = 0;
};
