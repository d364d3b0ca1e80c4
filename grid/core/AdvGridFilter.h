#pragma once
// Filter conditions of the string grid, the options of its text search and the events of both.
#include <cstdint>
#include <functional>

#include "platform/Classes.h"
#include "platform/UString.h"

class TAdvStringGrid;
class TCheckListBox;

enum TFilterOperation : uint8_t { foSHORT, foNONE, foAND, foXOR, foOR };
enum TFilterCells : uint8_t { fcVirtual, fcNormal, fcStripHTML, fcCalculated, fcRow };
enum TFilterMethod : uint8_t { fmExpression, fmLiteral };

// One condition: the text of cell (Column, row), cut of Prefix and Suffix, against Condition.
class TFilterData : public TCollectionItem {
 public:
  explicit TFilterData(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String ClassName() const override { return u"TFilterData"; }
  // Copies everything but Method.
  void Assign(TPersistent* Source) override;

  int16_t Column() const { return FColumn; }
  void SetColumn(int16_t v) { FColumn = v; }
  const String& Condition() const { return FCondition; }
  void SetCondition(const String& v) { FCondition = v; }
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool v) { FCaseSensitive = v; }
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& v) { FPrefix = v; }
  const String& Suffix() const { return FSuffix; }
  void SetSuffix(const String& v) { FSuffix = v; }
  TFilterOperation Operation() const { return FOperation; }
  void SetOperation(TFilterOperation v) { FOperation = v; }
  TFilterCells Data() const { return FData; }
  void SetData(TFilterCells v) { FData = v; }
  TFilterMethod Method() const { return FMethod; }
  void SetMethod(TFilterMethod v) { FMethod = v; }

 private:
  int16_t FColumn = 0;
  String FCondition;
  bool FCaseSensitive = true;
  String FPrefix;
  String FSuffix;
  TFilterOperation FOperation = foSHORT;
  TFilterCells FData = fcVirtual;
  TFilterMethod FMethod = fmExpression;
};

class TFilter : public TCollection {
 public:
  explicit TFilter(TAdvStringGrid* AOwner = nullptr);
  String ClassName() const override { return u"TFilter"; }
  TAdvStringGrid* Owner() const { return FOwner; }
  // foNONE for the only item, foAND after others.
  TFilterData* Add();
  // Appended, keeping the item's own operation (foSHORT).
  TFilterData* Insert(int Index);
  TFilterData* Items(int Index) const { return static_cast<TFilterData*>(TCollection::Items(Index)); }
  void SetItem(int Index, TFilterData* Value) { Items(Index)->Assign(Value); }
  // The first item of column Col, appended when there is none.
  TFilterData* ColumnFilter(int Col);
  TFilterData* GetColFilter(int Col) { return ColumnFilter(Col); }
  void RemoveColumnFilter(int Col);
  bool HasFilter(int Col) const;

 private:
  TAdvStringGrid* FOwner;
};

// Search options, bit i of the 16-bit value for the enumerator of value i.
enum TFindParameters : uint8_t {
  fnMatchCase,
  fnMatchFull,
  fnMatchRegular,
  fnDirectionLeftRight,
  fnMatchStart,
  fnFindInCurrentRow,
  fnFindInCurrentCol,
  fnIncludeFixed,
  fnAutoGoto,
  fnIgnoreHTMLTags,
  fnBackward,
  fnIncludeHiddenColumns,
  fnFindInPresetCol,
  fnFindInPresetRow,
  fnSelectedCells,
  fnIncludeHiddenRows
};

class TFindParams {
 public:
  constexpr TFindParams() = default;
  constexpr TFindParams(std::initializer_list<TFindParameters> Items) {
    for (TFindParameters p : Items) FBits = static_cast<uint16_t>(FBits | Bit(p));
  }
  static constexpr TFindParams FromBits(uint16_t Bits) {
    TFindParams p;
    p.FBits = Bits;
    return p;
  }
  constexpr bool Contains(TFindParameters p) const { return (FBits & Bit(p)) != 0; }
  constexpr TFindParams operator+(TFindParameters p) const { return FromBits(static_cast<uint16_t>(FBits | Bit(p))); }
  constexpr TFindParams operator-(TFindParameters p) const { return FromBits(static_cast<uint16_t>(FBits & ~Bit(p))); }
  constexpr uint16_t Bits() const { return FBits; }
  constexpr bool operator==(const TFindParams&) const = default;

 private:
  static constexpr uint16_t Bit(TFindParameters p) { return static_cast<uint16_t>(1u << p); }
  uint16_t FBits = 0;
};

using TFilterProgressEvent = std::function<void(TObject* Sender, int16_t Progress)>;
using TFilterSelectEvent = std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName,
                                              String& FilterCondition)>;
using TFilterCheckEvent = std::function<void(TObject* Sender, int Column, int ItemIndex, const String& FriendlyName,
                                             String& FilterCondition, TCheckListBox* CheckList)>;
using TCustomFilterEvent = std::function<void(TObject* Sender, int ARow, bool& AcceptRow)>;
using TSearchEditChangeEvent = std::function<void(TObject* Sender, const String& Value, bool& DefaultSearch)>;
