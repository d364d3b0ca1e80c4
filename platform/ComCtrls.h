#pragma once
// Page control with tab sheets, and the rich edit.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Controls.h"
#include "platform/EditTips.h"
#include "platform/Encoding.h"
#include "platform/RichText.h"
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

// ---------------------------------------------------------------------------------------------
// Rich edit: formatted text on a text document, loaded and saved as RTF (platform/RichText.h).

class TRichEdit;

// Messages of the rich edit (Perform). Positions count one character per paragraph end.
constexpr unsigned EM_EXGETSEL = WM_USER + 52;
constexpr unsigned EM_EXSETSEL = WM_USER + 55;
constexpr unsigned EM_FORMATRANGE = WM_USER + 57;
constexpr unsigned EM_GETCHARFORMAT = WM_USER + 58;
constexpr unsigned EM_REQUESTRESIZE = WM_USER + 65;
constexpr unsigned EM_SETCHARFORMAT = WM_USER + 68;

// Which characters EM_SETCHARFORMAT / EM_GETCHARFORMAT address (wParam).
constexpr unsigned SCF_DEFAULT = 0x0000;
constexpr unsigned SCF_SELECTION = 0x0001;
constexpr unsigned SCF_ALL = 0x0004;

// Members of TCharFormat2 that are valid (Mask) and effects (Effects).
constexpr unsigned CFM_BOLD = 0x00000001;
constexpr unsigned CFM_ITALIC = 0x00000002;
constexpr unsigned CFM_UNDERLINE = 0x00000004;
constexpr unsigned CFM_STRIKEOUT = 0x00000008;
constexpr unsigned CFM_SUBSCRIPT = 0x00030000;  // superscript and subscript
constexpr unsigned CFM_SUPERSCRIPT = CFM_SUBSCRIPT;
constexpr unsigned CFM_BACKCOLOR = 0x04000000;
constexpr unsigned CFM_OFFSET = 0x10000000;
constexpr unsigned CFM_FACE = 0x20000000;
constexpr unsigned CFM_COLOR = 0x40000000;
constexpr unsigned CFM_SIZE = 0x80000000;
constexpr unsigned CFE_BOLD = CFM_BOLD;
constexpr unsigned CFE_ITALIC = CFM_ITALIC;
constexpr unsigned CFE_UNDERLINE = CFM_UNDERLINE;
constexpr unsigned CFE_STRIKEOUT = CFM_STRIKEOUT;
constexpr unsigned CFE_SUBSCRIPT = 0x00010000;
constexpr unsigned CFE_SUPERSCRIPT = 0x00020000;
constexpr unsigned CFE_AUTOBACKCOLOR = CFM_BACKCOLOR;
constexpr unsigned CFE_AUTOCOLOR = CFM_COLOR;

// The character format record of EM_SETCHARFORMAT / EM_GETCHARFORMAT (lParam).
struct TCharFormat2 {
  unsigned Size = 92;
  unsigned Mask = 0;
  unsigned Effects = 0;
  int Height = 0;  // twips
  int Offset = 0;  // twips above (+) or below (-) the baseline
  TColor TextColor = clNone;
  String FaceName;
  TColor BackColor = clNone;
};

// EM_EXGETSEL / EM_EXSETSEL (lParam); Max -1 is the end of the text.
struct TCharRange {
  int Min = 0;
  int Max = 0;
};

// EM_FORMATRANGE (lParam; wParam non-zero renders, zero only measures; lParam 0 releases the
// formatting kept since the last call). Rect and Page are in twips of the target canvas, whose
// resolution is DpiX x DpiY. The answer is the position of the first character that did not fit.
struct TFormatRange {
  TCanvas* Canvas = nullptr;
  int DpiX = 96;
  int DpiY = 96;
  TRect Rect;
  TRect Page;
  TCharRange Chars{0, -1};
};

// Attributes of the selection (SelAttributes): reading answers for the selection's start when
// the selection mixes formats.
class TTextAttributes {
 public:
  explicit TTextAttributes(TRichEdit* Owner) : FOwner(Owner) {}
  String Name() const;
  void SetName(const String& Value);
  int Size() const;  // points
  void SetSize(int Value);
  TFontStyles Style() const;
  void SetStyle(TFontStyles Value);
  TColor Color() const;  // clNone: the control's text colour
  void SetColor(TColor Value);
  void Assign(TFont* Font);  // name, size, style and colour of a font

 private:
  TCharFormat2 Get() const;
  void Set(TCharFormat2 Format);
  TRichEdit* FOwner;
};

// Lines of a rich edit: the streams carry RTF (plain text while the edit's PlainText is set).
class TRichEditStrings : public TStringList {
 public:
  explicit TRichEditStrings(TRichEdit* Owner) : FOwner(Owner) {}
  void LoadFromStream(TStream* Stream);
  // RTF is ASCII whatever Encoding says; plain text is written in Encoding.
  void SaveToStream(TStream* Stream, TTextEncoding Encoding = teUTF8);

 private:
  TRichEdit* FOwner;
};

using TRichEditResizeEvent = std::function<void(TObject* Sender, const TRect& Rect)>;

class TRichEdit : public TMemo {
 public:
  explicit TRichEdit(TComponent* AOwner);
  ~TRichEdit() override;
  String ClassName() const override { return u"TRichEdit"; }
  TRichEditStrings* Lines() { return FLines.get(); }
  // Plain text: paragraphs end with CR LF (none after the last).
  String GetText() const override;
  // Text starting as RTF loads as RTF unless PlainText is set; other text loads as it is.
  void SetText(const String& s) override;
  bool PlainText() const { return FPlainText; }
  void SetPlainText(bool v) { FPlainText = v; }
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool v);
  void SetWordWrap(bool v);
  TTextAttributes* SelAttributes() { return &FSelAttributes; }

  // Selection in document positions (one character per paragraph end).
  int SelStart() const { return FSelStart; }
  void SetSelStart(int v);
  int SelLength() const { return FSelLength; }
  void SetSelLength(int v);
  String SelText() const;          // paragraph ends as CR LF
  void SetSelText(const String& s);  // typed in the format of the selection's start
  void SelectAll();
  int TextLength() const;  // in document positions

  // The whole content as runs, and replacing it with runs.
  TRichRuns Runs() const;
  void SetRuns(const TRichRuns& Runs);
  // Loads bytes as the lines' stream does, and the bytes the lines' stream saves.
  void LoadBytes(std::string_view Bytes);
  std::string SaveBytes(TTextEncoding Encoding = teUTF8) const;
  // The format of characters typed into an empty edit: the control's font.
  TRichCharFormat DefaultFormat() const;

  // The character format calls (EM_SETCHARFORMAT / EM_GETCHARFORMAT).
  bool SetCharFormat(unsigned Which, const TCharFormat2& Format);
  TCharFormat2 GetCharFormat(unsigned Which) const;
  // EM_FORMATRANGE: nullptr releases the formatting kept from the last call.
  int FormatRange(const TFormatRange* Range, bool Render);
  // The formatting rectangle (client coordinates); empty means the client area.
  TRect FormatRect() const { return FFormatRect; }
  void SetFormatRect(const TRect& r);
  // Asks for the size the content needs (EM_REQUESTRESIZE); without this call the request comes
  // after each change of the content or its width while OnResizeRequest is set or the requests
  // were asked for (the event mask of the platform's control).
  void RequestSize();
  bool ResizeRequests() const { return FResizeRequests || OnResizeRequest != nullptr; }
  void SetResizeRequests(bool v) { FResizeRequests = v; }

  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TNotifyEvent OnSelectionChange;
  // The size the content needs: width of the formatting area when wrapping, else of the longest
  // line; height of all lines.
  TRichEditResizeEvent OnResizeRequest;

 protected:
  virtual void SelectionChange();
  virtual void RequestResize(const TRect& Rect);
  void DefaultChar(Char Key) override;
  void DefaultKeyDown(Word Key, TShiftState Shift) override;
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;

 private:
  friend class TRichEditStrings;
  void ContentChanged();
  void SetSelection(int Start, int Length);
  int LayoutWidth() const;
  struct TDocument;
  std::unique_ptr<TDocument> FDoc;
  std::unique_ptr<TRichEditStrings> FLines;
  TTextAttributes FSelAttributes{this};
  bool FPlainText = false;
  bool FHideSelection = true;
  bool FSyncingLines = false;
  bool FResizeRequests = false;
  int FSelStart = 0;
  int FSelLength = 0;
  TRect FFormatRect;
};

// ---- date and time picker ----------------------------------------------------------------------
enum TDateTimeKind { dtkDate, dtkTime };

// The picker's set-time message: wParam GDT_VALID sets the value from the TSystemTime lParam
// points to (and ticks the check box), GDT_NONE clears the date of a picker with a check box
// (refused without one: result 0). Set by code, so no change notification follows.
constexpr unsigned DTM_FIRST = 0x1000;
constexpr unsigned DTM_SETSYSTEMTIME = DTM_FIRST + 2;
enum : uintptr_t { GDT_VALID = 0, GDT_NONE = 1 };
struct TSystemTime {
  Word wYear = 0, wMonth = 0, wDayOfWeek = 0, wDay = 0, wHour = 0, wMinute = 0, wSecond = 0, wMilliseconds = 0;
};
TSystemTime DateTimeToSystemTime(TDateTime Value);
TDateTime SystemTimeToDateTime(const TSystemTime& Value);
// The picker's change notification to its parent (WM_NOTIFY; lParam a TNMDateTimeChange), sent
// before the picker's own DateTimeChanged. A picker whose check box was cleared holds no date:
// GDT_NONE and a zero system time.
constexpr int DTN_DATETIMECHANGE = -759;
struct TNMDateTimeChange {
  TNMHdr Hdr;
  uintptr_t Flags = GDT_VALID;
  TSystemTime St;
};
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
  String FieldText(const TField& Field) const;
  // The field (index among the fields) at a character position of the shown text.
  int FieldAtChar(int Pos) const;
  void StepField(int Delta);
  void UserSet(TDateTime Value);
  // DTN_DATETIMECHANGE to the parent, then DateTimeChanged.
  void NotifyDateTimeChange(bool HasDate);
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

// ---- track bar -----------------------------------------------------------------------------------
// A horizontal slider over Min..Max: the arrow keys move it by one, PageUp and PageDown by
// PageSize, Home and End to the ends; a press or drag on the channel puts the thumb under the
// mouse. Position is kept within Min..Max; a Max below Min (or a Min above Max) raises the class
// library's "<name> property out of range" without changing anything.
class TTrackBar : public TCustomControl {
 public:
  explicit TTrackBar(TComponent* AOwner);
  String ClassName() const override { return u"TTrackBar"; }
  int Min() const { return FMin; }
  void SetMin(int Value);
  int Max() const { return FMax; }
  void SetMax(int Value);
  int Position() const { return FPosition; }
  // By code too: OnChange when the clamped position moves.
  void SetPosition(int Value);
  int Frequency() const { return FFrequency; }
  void SetFrequency(int Value);
  int PageSize() const { return FPageSize; }
  void SetPageSize(int Value) { FPageSize = Value; }
  int LineSize() const { return FLineSize; }
  void SetLineSize(int Value) { FLineSize = Value; }
  // The channel and the thumb in client pixels.
  TRect ChannelRect() const;
  TRect ThumbRect() const;

  TNotifyEvent OnChange;

 protected:
  void Paint() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  unsigned DialogCode() const override { return DLGC_WANTARROWS; }

 private:
  int PositionAt(int X) const;
  int FMin = 0;
  int FMax = 10;
  int FPosition = 0;
  int FFrequency = 1;
  int FPageSize = 2;
  int FLineSize = 1;
  bool FTracking = false;
};
