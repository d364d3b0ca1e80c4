#pragma once
// Standard controls: label, edit, memo, combo box, check box, push button, list box, scroll bar.
#include <memory>

#include "platform/Controls.h"

enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TScrollBarKind { sbHorizontal, sbVertical };
enum TScrollStyleBars { ssbNone, ssbHorizontal, ssbVertical, ssbBoth };

class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* AOwner);
  String ClassName() const override { return u"TLabel"; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout l) { layout_ = l; Invalidate(); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v) { transparent_ = v; Invalidate(); }
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool v);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* c) { focusControl_ = c; }
  void SetText(const String& s) override;
  void WndProc(TMessage& Message) override;
  // Adjusts the size to the caption when AutoSize is on (the left edge stays, or the right edge
  // for taRightJustify); not while the label is being read, as Loaded does it once then.
  void AdjustBounds();

 protected:
  void Loaded() override;
  void Paint() override;
  unsigned DrawTextFlags() const;

 private:
  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool wordWrap_ = false;
  bool transparent_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
  // The last caption measure of AdjustBounds and what it was taken with.
  struct TMeasure {
    bool Valid = false;
    String Text;
    unsigned Flags = 0;
    int Wrap = 0;
    String FontName;
    int FontHeight = 0;
    TFontStyles FontStyle;
    TFontPitch FontPitch = fpDefault;
    uint8_t Charset = 0;
    int Orientation = 0;
    const TTextMetricsSource* Metrics = nullptr;
    int Right = 0, Bottom = 0;
    bool Holds(const String& text, unsigned flags, int wrap, const TFont& f, const TTextMetricsSource* metrics) const;
  };
  TMeasure measure_;
};

// Single-line edit. The text, caret and selection live here; the widget shows them.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* AOwner);
  String ClassName() const override { return u"TCustomEdit"; }
  String GetText() const override { return text_; }
  void SetText(const String& s) override;  // OnChange when the text differs
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase c);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  Char PasswordChar() const { return passwordChar_; }
  void SetPasswordChar(Char c);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool v) { autoSelect_ = v; }
  bool Modified() const { return modified_; }
  void SetModified(bool v) { modified_ = v; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment a);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle b) { borderStyle_ = b; Invalidate(); }
  // 0-based caret position and selection length, in UTF-16 units.
  int SelStart() const { return selStart_; }
  void SetSelStart(int v);
  int SelLength() const { return selLength_; }
  void SetSelLength(int v);
  String SelText() const;
  void SetSelText(const String& s);  // replaces the selection, as typing would
  void SelectAll();
  void Clear() { SetText(String()); }
  void ClearSelection() { SetSelText(String()); }
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  // The rectangle the text is laid out in (EM_SETRECTNP); empty: the client area.
  void SetFormatRect(const TRect& r) { formatRect_ = r; }
  TRect FormatRect() const { return formatRect_; }
  // The lines as the edit shows them: a multi-line edit starts one after every line break and,
  // when it wraps, one where a word wraps (EM_GETLINECOUNT, EM_LINEINDEX, EM_LINEFROMCHAR).
  int LineCount() const;
  int LineIndex(int Line) const;
  int LineFromChar(int Pos) const;
  void WndProc(TMessage& Message) override;
  bool FocusOnPress() const override { return true; }
  // The formatting rectangle (EM_SETRECTNP), in client pixels: the text is laid out inside it.
  // Until one is set the whole client area is used.
  TRect EditRect() const;
  void SetEditRect(const TRect& R);
  // Platform internals: painting over the native look, run after the widget painted itself.
  virtual void PaintOverlay(TCanvas* Canvas) { (void)Canvas; }
  // The character index nearest to a client point (EM_CHARFROMPOS), by the font's widths.
  int CharFromPos(TPoint P) const;

  TNotifyEvent OnChange;

 protected:
  // A text change reaches Change (OnChange) as the edit's EN_CHANGE notification (CN_COMMAND), so
  // that a control can swallow one in its WndProc.
  void NotifyChange();
  virtual void Change();
  unsigned DialogCode() const override { return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS; }
  void DefaultKeyDown(Word Key, TShiftState Shift) override;
  void DefaultChar(Char Key) override;
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;
  // Puts the text (cased, cut to MaxLength) in place and raises OnChange when it differs.
  void ReplaceText(const String& s, int caret);
  String ApplyCase(const String& s) const;
  virtual bool MultiLine() const { return false; }
  virtual bool WrapsLines() const { return false; }
  std::vector<int> LineStarts() const;

  String text_;
  TRect formatRect_{};
  int selStart_ = 0;
  int selLength_ = 0;
  int maxLength_ = 0;
  TEditCharCase charCase_ = ecNormal;
  bool readOnly_ = false;
  Char passwordChar_ = 0;
  bool autoSelect_ = true;
  bool modified_ = false;
  TAlignment alignment_ = taLeftJustify;
  TBorderStyle borderStyle_ = bsSingle;
  bool FHasEditRect = false;
  TRect FEditRect;
};

class TEdit : public TCustomEdit {
 public:
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  String ClassName() const override { return u"TEdit"; }
};

// Multi-line plain text; Lines() and Text() are two views of one text (CR LF between lines).
class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  String ClassName() const override { return u"TMemo"; }
  TStrings* Lines();
  void SetText(const String& s) override;
  bool WantReturns() const { return wantReturns_; }
  void SetWantReturns(bool v) { wantReturns_ = v; }
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool v) { wantTabs_ = v; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);

 protected:
  unsigned DialogCode() const override;
  void DefaultChar(Char Key) override;
  void DefaultKeyDown(Word Key, TShiftState Shift) override;
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;
  bool MultiLine() const override { return true; }
  void Change() override;

 private:
  std::unique_ptr<TStringList> lines_;
  bool syncingLines_ = false;
  bool wantReturns_ = true;
  bool wantTabs_ = false;
  bool wordWrap_ = true;
  TScrollStyle scrollBars_ = ssNone;
};

class TComboBox : public TWinControl {
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;
  String ClassName() const override { return u"TComboBox"; }
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle s);
  TStringList* Items() const { return items_.get(); }
  // -1 for none. Setting it by code raises no event.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);
  String GetText() const override;
  // Drop-down list: selects the item of that text (case-blind); an unknown text changes nothing.
  void SetText(const String& s) override;
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int n) { dropDownCount_ = n; }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n) { maxLength_ = n; }
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase c) { charCase_ = c; }
  bool DroppedDown() const { return droppedDown_; }
  void SetDroppedDown(bool v);
  void Clear();
  void WndProc(TMessage& Message) override;
  bool FocusOnPress() const override { return true; }
  // The typing search of the list style: a typed letter picks the next item beginning with it.
  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool v) { autoComplete_ = v; }
  // Caret (0-based, UTF-16 units) and selection of the edit part; the list style has none.
  // Setting the text or the item puts the caret after the text with nothing selected.
  int SelStart() const { return selStart_; }
  void SetSelStart(int v);
  int SelLength() const { return selLength_; }
  void SetSelLength(int v);
  void SelectAll() { SetSelStart(0); SetSelLength(static_cast<int>(editText_.size())); }
  // Width of the dropped list (CB_SETDROPPEDWIDTH); 0 or less: the control's width.
  int DroppedWidth() const { return droppedWidth_ > 0 ? droppedWidth_ : Width(); }
  void SetDroppedWidth(int v);
  // Height of a list item (CB_GETITEMHEIGHT); from the font unless set.
  int ItemHeight() const;
  void SetItemHeight(int v) { itemHeight_ = v; }
  // Height of the selection field (CB_SETITEMHEIGHT with index -1); 0: from the font.
  int SelectionFieldHeight() const { return fieldHeight_; }
  void SetSelectionFieldHeight(int v) { fieldHeight_ = v; }
  // Platform internals: painting over the native look, run after the widget painted itself.
  virtual void PaintOverlay(TCanvas* Canvas) { (void)Canvas; }

  TNotifyEvent OnChange;   // user selection or user typing only
  TNotifyEvent OnSelect;   // user selection
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

  // Platform internals: the user picked an item in the list (OnChange, OnSelect, OnClick).
  void UserSelect(int index);

 protected:
  virtual void Change();
  virtual void Select();
  unsigned DialogCode() const override;
  void DefaultKeyDown(Word Key, TShiftState Shift) override;
  void DefaultChar(Char Key) override;
  // Caret keys and Delete of the edit part; false for other keys.
  bool EditKeyDown(Word Key, TShiftState Shift);
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;
  // The selection field and its frame: a height set beyond it is the dropped list's room.
  int ShownHeight() const override;
  void ItemsChanged();
  // Tells the parent (WM_COMMAND, reflected back as CN_COMMAND) what the user did; without a
  // parent the combo receives CN_COMMAND itself.
  void NotifyCommand(unsigned Code);
  // Replaces the edit part's selection by Insert (typing); false when MaxLength refuses it.
  bool TypeIntoEdit(const String& Insert);

 private:
  TComboBoxStyle style_ = csDropDown;
  bool autoComplete_ = true;
  bool itemsDirty_ = true;
  std::vector<String> shownItems_;  // what the widget's list was last given
  int selStart_ = 0;
  int selLength_ = 0;
  int droppedWidth_ = 0;
  bool viewWidthSet_ = false;  // the widget's list view holds a width of droppedWidth_
  int itemHeight_ = 0;
  int fieldHeight_ = 0;
  struct {
    String Name;
    int Height = 0;
    TFontStyles Style;
    int ItemHeight = 0;
  } mutable measuredFor_;
  std::unique_ptr<TStringList> items_;
  int itemIndex_ = -1;
  String editText_;
  int dropDownCount_ = 8;
  bool sorted_ = false;
  int maxLength_ = 0;
  TEditCharCase charCase_ = ecNormal;
  bool droppedDown_ = false;
  bool syncing_ = false;
};

// Base of check boxes and push buttons: focusable, clicked by a press and release inside it,
// by Space, or by its accelerator.
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* AOwner);
  String ClassName() const override { return u"TButtonControl"; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v) { wordWrap_ = v; Invalidate(); }
  void WndProc(TMessage& Message) override;
  bool FocusOnPress() const override { return true; }

 protected:
  // A click by the user (press and release inside, Space, accelerator): a button clicks, a check
  // box toggles.
  virtual void UserClicked() { Click(); }
  bool pressed_ = false;
  bool wordWrap_ = false;
  bool spaceDown_ = false;
};

class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* AOwner);
  String ClassName() const override { return u"TCheckBox"; }
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool v);  // raises OnClick when the state changes
  TCheckBoxState State() const { return state_; }
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  TAlignment Alignment() const { return alignment_; }  // taRightJustify: box left of the text
  void SetAlignment(TAlignment a) { alignment_ = a; Invalidate(); }
  void PaintTo(void* qpainter) override;

 protected:
  void UserClicked() override { Toggle(); }
  void Toggle();
  TCheckBoxState state_ = cbUnchecked;
  bool allowGrayed_ = false;
  TAlignment alignment_ = taRightJustify;
  bool clicksDisabled_ = false;
};

// The class library's standard push button (Default, Cancel, ModalResult).
class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* AOwner);
  String ClassName() const override { return u"TButton"; }
  bool Default() const { return default_; }
  void SetDefault(bool v) { default_ = v; Invalidate(); }
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int r) { modalResult_ = r; }
  void Click() override;  // OnClick, then the form's ModalResult when set
  void WndProc(TMessage& Message) override;
  void PaintTo(void* qpainter) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

class TListBox : public TWinControl {
 public:
  explicit TListBox(TComponent* AOwner);
  ~TListBox() override;
  String ClassName() const override { return u"TListBox"; }
  TStringList* Items() const { return items_.get(); }
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int i);
  int Count() const { return items_->Count(); }
  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int h) { itemHeight_ = h; Invalidate(); }
  int TopIndex() const { return topIndex_; }
  void SetTopIndex(int i);
  int ItemAtPos(TPoint p, bool Existing) const;
  void Clear();
  void WndProc(TMessage& Message) override;
  void PaintTo(void* qpainter) override;
  bool FocusOnPress() const override { return true; }

 protected:
  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
  void DefaultKeyDown(Word Key, TShiftState Shift) override;
  void ItemsChanged();
  // Draws what stands before item Index's text and narrows ItemRect to the rest (the check list's
  // boxes); the plain list draws nothing.
  virtual void PaintItemPrefix(TCanvas* Canvas, int Index, TRect& ItemRect) {
    (void)Canvas;
    (void)Index;
    (void)ItemRect;
  }

 private:
  std::unique_ptr<TStringList> items_;
  int itemIndex_ = -1;
  bool sorted_ = false;
  int itemHeight_ = 13;
  int topIndex_ = 0;
};

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* AOwner);
  String ClassName() const override { return u"TScrollBar"; }
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind k);
  int Min() const { return min_; }
  int Max() const { return max_; }
  int Position() const { return position_; }
  void SetMin(int v) { SetParams(position_, v, max_); }
  void SetMax(int v) { SetParams(position_, min_, v); }
  void SetPosition(int v) { SetParams(v, min_, max_); }
  void SetParams(int APosition, int AMin, int AMax);  // OnChange when the position moves
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int v) { smallChange_ = v; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int v) { largeChange_ = v; }
  int PageSize() const { return pageSize_; }
  void SetPageSize(int v);
  // One scroll step as the user makes it. A bar with a parent tells it first, as a window's
  // scroll bar control does (WM_VSCROLL or WM_HSCROLL, the code in the low word of WParam, Pos
  // in the high word, LParam the bar); the parent passes it back (CN_VSCROLL / CN_HSCROLL)
  // unless it handles the message itself. The bar's own step: OnScroll (which may change the
  // position), then the move.
  void Scroll(TScrollCode Code, int Pos = 0);
  void WndProc(TMessage& Message) override;
  // Where the arrows and the thumb of a bar of this one's kind and range lie in R; the thumb is
  // empty when the track has no room for it.
  struct TParts {
    TRect LineUp, LineDown, Thumb;
  };
  TParts PartsIn(const TRect& R) const;
  // Paints the bar into R of Canvas as it stands (the in-cell bars of a grid are drawn so).
  void PaintOn(TCanvas* Canvas, const TRect& R) const;

  TNotifyEvent OnChange;
  TScrollEvent OnScroll;

 protected:
  QWidget* CreateWidget(QWidget* parentWidget) override;
  void SyncWidget() override;

 private:
  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0;
  int smallChange_ = 1, largeChange_ = 1, pageSize_ = 0;
  bool syncing_ = false;
  void DoScroll(TScrollCode Code, int Pos);
};
