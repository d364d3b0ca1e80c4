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

// ---- date and time picker ----------------------------------------------------------------------
enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };

// A date or a time edited field by field, as the common controls' picker does: Left and Right
// move between the fields of Format, Up and Down step the field, typed digits fill it (each
// digit that makes a valid value is taken at once), and a date can be picked from a drop-down
// month calendar (F4, Alt+Down or the button) or stepped in up-down mode. The value stays within
// MinDate and MaxDate (0: no limit). With ShowCheckbox a check box before the fields tells
// whether the control holds a value at all (Space toggles it).
//
// Format uses the picker's letters: d dd ddd dddd (day), M MM MMM MMMM (month), y yy yyyy
// (year), h hh (12-hour), H HH (24-hour), m mm (minute), s ss (second), t tt (AM/PM), text in
// '...'. An empty Format shows the locale's short date (dtkDate) or long time (dtkTime) format,
// read from the process-wide format settings each time.
class TDateTimePicker : public TWinControl {
 public:
  explicit TDateTimePicker(TComponent* AOwner);
  ~TDateTimePicker() override;
  String ClassName() const override { return u"TDateTimePicker"; }

  TDateTimeKind Kind() const { return FKind; }
  void SetKind(TDateTimeKind Value);
  TDateTime DateTime() const { return FDateTime; }
  // By code: no change notification. Kept within MinDate and MaxDate.
  virtual void SetDateTime(TDateTime Value);
  TDateTime Date() const;
  void SetDate(TDateTime Value);  // keeps the time of day
  TDateTime Time() const;
  void SetTime(TDateTime Value);  // keeps the date
  const String& Format() const { return FFormat; }
  void SetFormat(const String& Value);
  TDTDateMode DateMode() const { return FDateMode; }
  void SetDateMode(TDTDateMode Value);
  bool ShowCheckbox() const { return FShowCheckbox; }
  void SetShowCheckbox(bool Value);
  bool Checked() const { return FChecked; }
  virtual void SetChecked(bool Value);
  TDateTime MinDate() const { return FMinDate; }
  void SetMinDate(TDateTime Value);
  TDateTime MaxDate() const { return FMaxDate; }
  void SetMaxDate(TDateTime Value);
  // Whether the month calendar is dropped down.
  bool DroppedDown() const { return FDroppedDown; }

  // The dropped calendar's look: the "Today:" line under it, the circle around today, ISO week
  // numbers at the left.
  bool CalShowToday() const { return FCalShowToday; }
  void SetCalShowToday(bool Value) { FCalShowToday = Value; }
  bool CalShowTodayCircle() const { return FCalShowTodayCircle; }
  void SetCalShowTodayCircle(bool Value) { FCalShowTodayCircle = Value; }
  bool CalWeekNumbers() const { return FCalWeekNumbers; }
  void SetCalWeekNumbers(bool Value) { FCalWeekNumbers = Value; }
  // The least size that shows the whole calendar (MCM_GETMINREQRECT).
  TSize CalendarMinSize() const;

  // The field that keys edit now (0-based among the fields of the format) and how many there are.
  int FieldIndex() const { return FField; }
  void SetFieldIndex(int Value);
  int FieldCount() const;
  // The text the control shows.
  String DisplayText() const;
  // The format in the picker's letters that the fields come from (Format, or the locale's).
  String EffectiveFormat() const;
  // Width of the drop-down button at the right edge.
  int DropButtonWidth() const;

  void WndProc(TMessage& Message) override;
  bool FocusOnPress() const override { return true; }
  // Platform internals: the user picked a day in the dropped calendar (the time of day stays).
  void PickCalendarDate(TDateTime Day);
  // Platform internals: opens or closes the calendar as the button, F4 or Escape do.
  void DropDown();
  void CloseUp();
  // Platform internals: painting over the native look, run after the widget painted itself.
  virtual void PaintOverlay(TCanvas* Canvas) { (void)Canvas; }

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  // The date-change notification (DTN_DATETIMECHANGE) after the user changed the value or the
  // check box; HasDate is false when the check box was cleared. Fires OnChange.
  virtual void DateTimeChanged(bool HasDate);
  // While the calendar is dropped, Enter and Escape close it.
  unsigned DialogCode() const override {
    return DLGC_WANTARROWS | DLGC_WANTCHARS | (FDroppedDown ? DLGC_WANTALLKEYS : 0u);
  }
  void DefaultKeyDown(Word Key, TShiftState Shift) override;
  void DefaultChar(Char Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;

 private:
  struct TField;
  std::vector<TField> Fields() const;
  void StepField(int Delta);
  void UserSet(TDateTime Value);
  TDateTime Clamp(TDateTime Value) const;
  void HidePopup();

  TDateTimeKind FKind = dtkDate;
  TDateTime FDateTime = 0;
  String FFormat;
  TDTDateMode FDateMode = dmComboBox;
  bool FShowCheckbox = false;
  bool FChecked = true;
  TDateTime FMinDate = 0;
  TDateTime FMaxDate = 0;
  bool FDroppedDown = false;
  bool FCalShowToday = true;
  bool FCalShowTodayCircle = true;
  bool FCalWeekNumbers = false;
  int FField = 0;
  String FTyped;  // the digits typed into the current field so far
  QWidget* FPopup = nullptr;
};
