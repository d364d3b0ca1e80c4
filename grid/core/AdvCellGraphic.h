#pragma once
// TCellGraphic: the one object a cell may carry besides its text (check box, picture, icon,
// progress bar, node ...), kept in the cell properties' graphic-object field. The base grid frees
// it with the cell's properties by its class name.
#include <cstdint>

#include "grid/foundation/AdvObj.h"
#include "platform/Classes.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"

// Ordinals are stored and streamed, so the order is fixed.
enum TCellType : uint8_t {
  ctBitmap,
  ctIcon,
  ctNone,
  ctImageList,
  ctCheckBox,
  ctDataCheckBox,
  ctRotated,
  ctDataImage,
  ctNode,
  ctRadio,
  ctEmpty,
  ctImages,
  ctPicture,
  ctFilePicture,
  ctValue,
  ctProgress,
  ctComment,
  ctButton,
  ctBitButton,
  ctVirtCheckBox,
  ctRowCheckBox,
  ctProgressPie,
  ctSummary,
  ctRangeIndicator,
  ctXPProgress,
  ctInterface,
  ctScrollbar,
  ctRadioButton,
  ctBalloon,
  ctShape,
  ctRating,
  ctTriStateCheckBox,
  ctExpand
};
static_assert(sizeof(TCellType) == 1 && ctExpand == 32 && ctEmpty == 10);

// A set of cell types (bit n for ordinal n).
class TCellTypes {
 public:
  constexpr TCellTypes() = default;
  constexpr TCellTypes(std::initializer_list<TCellType> types) {
    for (auto t : types) bits_ |= uint64_t{1} << t;
  }
  constexpr bool Contains(TCellType t) const { return (bits_ >> t) & 1u; }

 private:
  uint64_t bits_ = 0;
};

// The five check-box kinds.
inline constexpr TCellTypes CheckBoxCellTypes{ctCheckBox, ctDataCheckBox, ctVirtCheckBox, ctRowCheckBox,
                                              ctTriStateCheckBox};

enum TCellVAlign : uint8_t { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };
enum TCellHAlign : uint8_t { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TStretchMode : uint8_t { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

struct TScrollProp {
  int PageSize = 0;
  int Range = 0;
};

class TAdvStringGrid;

// The drawing side of an application object held by a ctInterface cell: the object derives from
// this as well, and the grid finds it by asking the object for it (a cast).
class ICellDraw {
 public:
  virtual ~ICellDraw() = default;
  virtual void Draw(TCanvas* Canvas, const TRect& R, TAdvStringGrid* Grid, bool Selected, int ACol, int ARow) = 0;
  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // Drawn before the cell text, else after it.
  virtual bool IsBefore() = 0;
};

class TCellGraphic : public TPersistent {
 public:
  TCellGraphic() = default;
  ~TCellGraphic() override;
  TCellGraphic(const TCellGraphic&) = delete;
  TCellGraphic& operator=(const TCellGraphic&) = delete;
  String ClassName() const override { return u"TCellGraphic"; }
  // Copies type, placement and the scalar fields; held objects, CellVar and the tri-state state
  // stay as they are.
  void Assign(TPersistent* Source) override;

  void SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val);
  void SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding, TCellHAlign hal,
                  TCellVAlign val);
  void SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                      TCellHAlign hal, TCellVAlign val);
  void SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val);
  void SetImageIdx(int Idx, TCellHAlign hal, TCellVAlign val);
  void SetDataImage(int Idx, TCellHAlign hal, TCellVAlign val);
  // A new index list bound to (Col, Row), owned by this object; its changes call Notifier.
  void SetMultiImage(int Col, int Row, bool Dir, TCellHAlign hal, TCellVAlign val, TImageChangeEvent Notifier);
  void SetButton(int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val);
  void SetBitButton(int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal, TCellVAlign val);
  void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetCheckBox(TCheckBoxState Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val);
  void SetInterfacedCell(TObject* AObject);
  // Rotated text; the angle is brought into 0..360 (360 stays 360).
  void SetAngle(int AAngle);
  // The size a picture takes in a cw x rh area (ctPicture, ctFilePicture; other kinds leave
  // Size as it is).
  void GetPictureSize(int cw, int rh, bool HasText, TPoint& Size) const;

  TCellType CellType() const { return FCellType; }
  void SetCellType(TCellType v) { FCellType = v; }
  TObject* CellBitmap() const { return FCellBitmap; }
  void SetCellBitmap(TObject* v) { FCellBitmap = v; }
  TObject* CellIcon() const { return FCellIcon; }
  void SetCellIcon(TObject* v) { FCellIcon = v; }
  // The colours that progress bars, pies, range indicators, shapes and ratings keep in the
  // CellBitmap and CellIcon slots; kept apart from the object pointers so that no colour is ever
  // taken for an object to free.
  TColor CellBitmapColor() const { return FCellBitmapColor; }
  void SetCellBitmapColor(TColor v) { FCellBitmapColor = v; }
  TColor CellIconColor() const { return FCellIconColor; }
  void SetCellIconColor(TColor v) { FCellIconColor = v; }
  TCellVAlign CellVAlign() const { return FCellVAlign; }
  void SetCellVAlign(TCellVAlign v) { FCellVAlign = v; }
  TCellHAlign CellHAlign() const { return FCellHAlign; }
  void SetCellHAlign(TCellHAlign v) { FCellHAlign = v; }
  int CellIndex() const { return FCellIndex; }
  void SetCellIndex(int v) { FCellIndex = v; }
  bool CellTransparent() const { return FCellTransparent; }
  void SetCellTransparent(bool v) { FCellTransparent = v; }
  bool CellCreated() const { return FCellCreated; }
  void SetCellCreated(bool v) { FCellCreated = v; }
  bool CellBoolean() const { return FCellBoolean; }
  void SetCellBoolean(bool v) { FCellBoolean = v; }
  int CellAngle() const { return FCellAngle; }
  void SetCellAngle(int v) { FCellAngle = v; }
  double CellValue() const { return FCellValue; }
  void SetCellValue(double v) { FCellValue = v; }
  int CellErrFrom() const { return FCellErrFrom; }
  void SetCellErrFrom(int v) { FCellErrFrom = v; }
  int CellErrLen() const { return FCellErrLen; }
  void SetCellErrLen(int v) { FCellErrLen = v; }
  const String& CellText() const { return FCellText; }
  void SetCellText(const String& v) { FCellText = v; }
  // Node and expand state.
  int CellVar() const { return FCellVar; }
  void SetCellVar(int v) { FCellVar = v; }
  TCheckBoxState CellCheckBoxState() const { return FCellCheckBoxState; }
  void SetCellCheckBoxState(TCheckBoxState v) { FCellCheckBoxState = v; }

 private:
  void Place(TCellType Type, TCellHAlign hal, TCellVAlign val);
  void PlacePicture(TCellType Type, TObject* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign hal, TCellVAlign val);

  TCellType FCellType = ctNone;
  TObject* FCellBitmap = nullptr;
  TObject* FCellIcon = nullptr;
  TCellVAlign FCellVAlign = vaTop;
  TCellHAlign FCellHAlign = haLeft;
  int FCellIndex = 0;
  bool FCellTransparent = false;
  bool FCellCreated = false;
  bool FCellBoolean = false;
  int FCellAngle = 0;
  double FCellValue = 0;
  int FCellErrFrom = 0;
  int FCellErrLen = 0;
  String FCellText;
  int FCellVar = 0;
  TCheckBoxState FCellCheckBoxState = cbUnchecked;
  TColor FCellBitmapColor = clNone;
  TColor FCellIconColor = clNone;
};
