#pragma once
// The grid pack's shared vocabulary: enumerations (persisted by ordinal, one byte each), the cell
// border set, the event types, the small lists the grid keeps inside itself, and the string grid
// class the base grid derives from. The settings objects live in AdvObjSettings.h.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/Grids.h"
#include "platform/UString.h"

// ---------------------------------------------------------------------------------------------
// Enumerations. Ordinals are stored and streamed, so the order below is fixed.

enum TEditorType : uint8_t {
  edNormal,
  edSpinEdit,
  edComboEdit,
  edComboList,
  edEditBtn,
  edCheckBox,
  edDateEdit,
  edDateEditUpDown,
  edTimeEdit,
  edButton,
  edDataCheckBox,
  edNumeric,
  edPositiveNumeric,
  edFloat,
  edCapital,
  edMixedCase,
  edPassword,
  edUnitEditBtn,
  edLowerCase,
  edUpperCase,
  edFloatSpinEdit,
  edTimeSpinEdit,
  edDateSpinEdit,
  edNumericEditBtn,
  edFloatEditBtn,
  edCustom,
  edRichEdit,
  edNone,
  edDateTimeEdit,
  edValidChars,
  edTrackbarDropDown,
  edMemoDropDown,
  edCalculatorDropDown,
  edTimePickerDropDown,
  edDetailDropDown,
  edGridDropDown,
  edColorPickerDropDown,
  edImagePickerDropDown,
  edAdvGridDropDown,
  edPositiveFloat,
  edNumericUnitEditBtn,
  edFloatUnitEditBtn,
  edMaskEditBtn
};

enum TCellBorder : uint8_t { cbTop, cbLeft, cbRight, cbBottom };

enum TCellGradientDirection : uint8_t { GradientVertical, GradientHorizontal };

enum TSortStyle : uint8_t {
  ssAutomatic,
  ssAlphabetic,
  ssNumeric,
  ssDate,
  ssAlphaNoCase,
  ssAlphaCase,
  ssShortDateEU,
  ssShortDateUS,
  ssCustom,
  ssFinancial,
  ssAnsiAlphaCase,
  ssAnsiAlphaNoCase,
  ssRaw,
  ssHTML,
  ssImages,
  ssCheckBox,
  ssDateTime,
  ssTime,
  ssAlphaNumeric,
  ssAlphaNumericNoCase
};

enum TVAlignment : uint8_t { vtaTop, vtaCenter, vtaBottom };
enum TArrowDirection : uint8_t { arrUp, arrDown, arrLeft, arrRight };
enum TAdvGridButtonStyle : uint8_t { tasButton, tasCheck };
enum TSearchDirection : uint8_t { sdTopBottom, sdLeftRight };
enum THomeEndAction : uint8_t { heFirstLastColumn, heFirstLastRow, heFirstLastCell };
enum TClipboardPasteAction : uint8_t { paReplace, paInsert };
enum TAdvanceDirection : uint8_t { adLeftRight, adTopBottom, adLeftRightInRow, adTopBottomInCol };
enum TInsertPosition : uint8_t { pInsertBefore, pInsertAfter };
enum TCursorAdvance : uint8_t { caDefault, caSnake, caLoop };
enum TGridFixedCellEdit : uint8_t { fceNone, fceDblClick, fceLeftClick, fceRightClick };
enum TGridFixedCellEditor : uint8_t { fceEdit, fceComboEdit, fceComboList };
enum TWheelAction : uint8_t { waMoveSelection, waScroll };

static_assert(sizeof(TEditorType) == 1 && edMaskEditBtn == 42 && edNone == 27 && edDataCheckBox == 10);
static_assert(sizeof(TSortStyle) == 1 && ssAlphaNumericNoCase == 19);
static_assert(sizeof(TCellBorder) == 1 && sizeof(TCellGradientDirection) == 1 &&
              sizeof(TVAlignment) == 1 && sizeof(TArrowDirection) == 1 &&
              sizeof(TAdvGridButtonStyle) == 1 && sizeof(TSearchDirection) == 1 &&
              sizeof(THomeEndAction) == 1 && sizeof(TClipboardPasteAction) == 1 &&
              sizeof(TAdvanceDirection) == 1 && sizeof(TInsertPosition) == 1 &&
              sizeof(TCursorAdvance) == 1 && sizeof(TGridFixedCellEdit) == 1 &&
              sizeof(TGridFixedCellEditor) == 1 && sizeof(TWheelAction) == 1);

// ---------------------------------------------------------------------------------------------
// Set of TCellBorder in one byte, bit n for ordinal n.
class TCellBorders {
 public:
  constexpr TCellBorders() = default;
  constexpr TCellBorders(TCellBorder b) : bits_(static_cast<uint8_t>(1u << b)) {}
  constexpr TCellBorders(std::initializer_list<TCellBorder> borders) {
    for (auto b : borders) Include(b);
  }
  static constexpr TCellBorders FromBits(uint8_t bits) {
    TCellBorders r;
    r.bits_ = bits & 0x0F;
    return r;
  }
  constexpr bool Contains(TCellBorder b) const { return (bits_ >> b) & 1u; }
  constexpr void Include(TCellBorder b) { bits_ = static_cast<uint8_t>(bits_ | (1u << b)); }
  constexpr void Exclude(TCellBorder b) { bits_ = static_cast<uint8_t>(bits_ & ~(1u << b)); }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr uint8_t Bits() const { return bits_; }
  constexpr TCellBorders operator|(TCellBorders o) const { return FromBits(bits_ | o.bits_); }
  constexpr TCellBorders operator&(TCellBorders o) const { return FromBits(bits_ & o.bits_); }
  constexpr TCellBorders operator-(TCellBorders o) const { return FromBits(bits_ & ~o.bits_); }
  friend constexpr bool operator==(TCellBorders, TCellBorders) = default;

 private:
  uint8_t bits_ = 0;
};
static_assert(sizeof(TCellBorders) == 1);

// ---------------------------------------------------------------------------------------------
// Event types. Row and column come in different orders in different events; the orders are
// binding, so handlers must be written against these exact parameter lists.

using TOnResizeEvent = std::function<void(TObject* Sender)>;
using TButtonClickEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TImageChangeEvent = std::function<void(TObject* Sender, int Acol, int Arow)>;
using TClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TDblClickCellEvent = std::function<void(TObject* Sender, int ARow, int ACol)>;
using TEndColumnSizeEvent = std::function<void(TObject* Sender, int ACol)>;
using TClickSortEvent = std::function<void(TObject* Sender, int ACol)>;
using TAutoInsertColEvent = std::function<void(TObject* Sender, int ACol)>;
using TEndRowSizeEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoInsertRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoAddRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TAutoDeleteRowEvent = std::function<void(TObject* Sender, int ARow)>;
using TColumnSizeEvent = std::function<void(TObject* Sender, int ACol, bool& Allow)>;
using TRowSizeEvent = std::function<void(TObject* Sender, int ARow, bool& Allow)>;
using TColumnSizingEvent = std::function<void(TObject* Sender, int ACol, int ColumnSize)>;
using TRowSizingEvent = std::function<void(TObject* Sender, int ARow, int RowSize)>;
using TUpdateColumnSizeEvent = std::function<void(TObject* Sender, int ACol, int& AWidth)>;
// The one declaration for the base grid and the string grid.
using TGetDisplTextEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& Value)>;
using TFloatFormatEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, bool& IsFloat, String& FloatFormat)>;
using TCanEditCellEvent = std::function<void(TObject* Sender, int ARow, int ACol, bool& CanEdit)>;
using TScrollHintEvent = std::function<void(TObject* Sender, int ARow, String& hintstr)>;
using TExpandClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool Expanded)>;
using TCheckBoxClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool State)>;
using TGetEditorTypeEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TEditorType& AEditor)>;
using TCustomCellDrawEvent = std::function<void(TObject* Sender, TCanvas* Canvas, int ACol, int ARow,
                                                TGridDrawState AState, TRect ARect, bool Printing)>;
using TGridColorEvent = std::function<void(TObject* Sender, int ARow, int ACol, TGridDrawState AState,
                                           TBrush* ABrush, TFont* AFont)>;
using TAnchorClickEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor, bool& AutoHandle)>;
using TAnchorHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& Anchor)>;
using TAnchorEvent = std::function<void(TObject* Sender, int ARow, int ACol, const String& Anchor)>;
using TCanSortEvent = std::function<void(TObject* Sender, int ACol, bool& DoSort)>;
using TCustomCompareEvent =
    std::function<void(TObject* Sender, const String& str1, const String& str2, int& Res)>;
using TRawCompareEvent = std::function<void(TObject* Sender, int ACol, int Row1, int Row2, int& Res)>;
using TGridFormatEvent = std::function<void(TObject* Sender, int ACol, TSortStyle& AStyle,
                                            String& aPrefix, String& aSuffix)>;
using TGridGradientEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TColor& Color, TColor& ColorTo,
                       TColor& ColorMirror, TColor& ColorMirrorTo, TCellGradientDirection& GD)>;
using TGridBorderEvent =
    std::function<void(TObject* Sender, int ARow, int ACol, TPen* APen, TCellBorders& Borders)>;
using TGridBorderPropEvent = std::function<void(TObject* Sender, int ARow, int ACol, TPen* LeftPen,
                                                TPen* TopPen, TPen* RightPen, TPen* BottomPen)>;
using TGridAlignEvent = std::function<void(TObject* Sender, int ARow, int ACol, TAlignment& HAlign,
                                           TVAlignment& VAlign)>;
using TGridHintEvent = std::function<void(TObject* Sender, int ARow, int ACol, String& hintstr)>;
using TEllipsClickEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& S)>;
using TGridBalloonEvent = std::function<void(TObject* Sender, int ACol, int ARow, String& ATitle,
                                             String& AText, int& AIcon)>;
using TCanInsertRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanInsert)>;
using TCanAddRowEvent = std::function<void(TObject* Sender, bool& CanAdd)>;
using TCanDeleteRowEvent = std::function<void(TObject* Sender, int ARow, bool& CanDelete)>;
using TSearchEditChangeEvent =
    std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
using TSpinClickEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, int AValue, bool UpDown)>;
using TIsDesigningEvent = std::function<void(TObject* Sender, bool& IsDesigning)>;

// ---------------------------------------------------------------------------------------------
// A list of 32-bit integers kept in a pointer list's slots, bound to the cell it belongs to.
// Add, Delete, DeleteValue and SetInteger report each change through OnChange; Insert and the
// clearing done by the text writers report nothing.
class TIntList : public TList {
 public:
  TIntList(int Col, int Row) : FCol(Col), FRow(Row) {}

  int Add(int Value);
  void Insert(int Index, int Value);
  void Delete(int Index);
  void DeleteValue(int Value);
  bool HasValue(int Value) const;
  int GetInteger(int Index) const;
  void SetInteger(int Index, int Value);
  int Items(int Index) const { return GetInteger(Index); }

  // "3,1,3": decimal texts joined by "," without blanks.
  String StrValue() const;
  // Clears silently, then adds each comma-text item through Add. A non-integer item raises
  // EConvertError; the items before it stay.
  void SetStrValue(const String& Value);

  int FCol = 0;
  int FRow = 0;
  TImageChangeEvent OnChange;

 protected:
  void Changed();
};

// Sort keys in priority order: a column index in bits 0..30, bit 31 set for descending.
class TSortIndexList : public TIntList {
 public:
  TSortIndexList() : TIntList(0, 0) {}

  void AddIndex(int ColumnIndex, bool Ascending);
  int FindIndex(int ColumnIndex) const;
  void ToggleIndex(int ColumnIndex);
  int GetSortColumns(int i) const;
  void SetSortColumns(int i, int Value);
  bool GetSortDirections(int i) const;
  void SetSortDirections(int i, bool Value);
  // "u2;d5": direction letter and the low 16 bits of the column, joined by ";".
  String SaveToString() const;
  // Clears, then reads the text form; parts shorter than two characters are skipped and a number
  // ends quietly at the first character that does not fit.
  void LoadFromString(const String& S);
};

// A control placed in cell (X, Y); the control is not owned.
class TControlItem : public TObject {
 public:
  TControlItem(int AX, int AY, TControl* AControl) : X(AX), Y(AY), Control(AControl) {}
  int X = 0;
  int Y = 0;
  TControl* Control = nullptr;
};

// Owns its items (not their controls).
class TControlList : public TObject {
 public:
  ~TControlList() override;
  void AddControl(int X, int Y, TControl* Control);
  int ControlIndex(int X, int Y) const;
  TControlItem* GetControl(int i) const;
  // Some item's control is this windowed control (the platform's window identity). Asking a
  // windowed control for its window creates it, as the class library does.
  bool HasHandle(const TWinControl* Handle) const;
  void RemoveControl(int Index);
  int Count() const { return static_cast<int>(FItems.size()); }

 private:
  std::vector<TControlItem*> FItems;
};

// A picture known by its file name; nothing decoded is kept between uses.
class TFilePicture : public TPersistent {
 public:
  const String& Filename() const { return FFilename; }
  // Stores the name, then loads the file once for its size; a file that cannot be loaded raises
  // the picture loader's error and leaves the size as it was.
  void SetFilename(const String& Value);
  int Width() const { return FWidth; }
  int Height() const { return FHeight; }
  // Loads the file again and stretches it into Rect; nothing for an empty name.
  void DrawPicture(TCanvas* Canvas, const TRect& Rect) const;
  void Assign(TPersistent* Source) override;

 private:
  String FFilename;
  int FWidth = 0;
  int FHeight = 0;
};

// A string list read line by line and written through a pending-line buffer.
class TFileStringList : public TStringList {
 public:
  void Reset();
  bool Eof() const { return fp >= Count(); }
  // No Eof test: reading past the end raises the list's index error.
  void ReadLn(String& S);
  void Write(const String& S) { cache += S; }
  void WriteLn(const String& S);

  int fp = 0;
  String cache;
};

// The string grid the base grid derives from; it adds nothing to the class library's.
class TObjStringGrid : public TStringGrid {
 public:
  using TStringGrid::TStringGrid;
  String ClassName() const override { return u"TObjStringGrid"; }
};
