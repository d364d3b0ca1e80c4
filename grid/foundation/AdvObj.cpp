#include "grid/foundation/AdvObj.h"

#include <cstdint>

#include "platform/SysUtils.h"

namespace {

void* ToSlot(int v) { return reinterpret_cast<void*>(static_cast<intptr_t>(v)); }
int FromSlot(void* p) { return static_cast<int>(reinterpret_cast<intptr_t>(p)); }

constexpr uint32_t kDescendingBit = 0x80000000u;

int WithBits(uint32_t v) { return static_cast<int>(v); }
uint32_t Bits(int v) { return static_cast<uint32_t>(v); }

// The class library's Val on a sort-key number: blanks, sign, decimal digits or "$" hex; stops
// quietly at the first character that does not fit (and before 32-bit overflow).
int ReadLeadingInteger(const String& s) {
  size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) {
    negative = s[i] == u'-';
    ++i;
  }
  int64_t value = 0;
  const int64_t limit = negative ? 0x80000000LL : 0x7FFFFFFFLL;
  if (i < s.size() && s[i] == u'$') {
    ++i;
    for (; i < s.size(); ++i) {
      Char c = s[i];
      int d;
      if (c >= u'0' && c <= u'9') d = c - u'0';
      else if (c >= u'a' && c <= u'f') d = c - u'a' + 10;
      else if (c >= u'A' && c <= u'F') d = c - u'A' + 10;
      else break;
      if (value * 16 + d > 0xFFFFFFFFLL) break;
      value = value * 16 + d;
    }
    // Hexadecimal fills all 32 bits, as the class library reads it.
    int32_t v = static_cast<int32_t>(static_cast<uint32_t>(value));
    return negative ? static_cast<int32_t>(0u - static_cast<uint32_t>(v)) : v;
  }
  for (; i < s.size(); ++i) {
    Char c = s[i];
    if (c < u'0' || c > u'9') break;
    if (value * 10 + (c - u'0') > limit) break;
    value = value * 10 + (c - u'0');
  }
  return static_cast<int>(negative ? -value : value);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// TIntList

void TIntList::Changed() {
  if (OnChange) OnChange(this, FCol, FRow);
}

int TIntList::Add(int Value) {
  int i = TList::Add(ToSlot(Value));
  Changed();
  return i;
}

void TIntList::Insert(int Index, int Value) { TList::Insert(Index, ToSlot(Value)); }

void TIntList::Delete(int Index) {
  TList::Delete(Index);
  Changed();
}

void TIntList::DeleteValue(int Value) {
  for (int i = 0; i < Count(); ++i) {
    if (GetInteger(i) == Value) {
      Delete(i);
      return;
    }
  }
}

bool TIntList::HasValue(int Value) const {
  for (int i = 0; i < Count(); ++i)
    if (GetInteger(i) == Value) return true;
  return false;
}

int TIntList::GetInteger(int Index) const { return FromSlot(TList::Items(Index)); }

void TIntList::SetInteger(int Index, int Value) {
  TList::SetItems(Index, ToSlot(Value));
  Changed();
}

String TIntList::StrValue() const {
  String r;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) r += u',';
    r += IntToStr(GetInteger(i));
  }
  return r;
}

void TIntList::SetStrValue(const String& Value) {
  TList::Clear();
  TStringList items;
  items.SetCommaText(Value);
  for (int i = 0; i < items.Count(); ++i) Add(StrToInt(items[i]));
}

// ---------------------------------------------------------------------------------------------
// TSortIndexList

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending) {
  Add(Ascending ? ColumnIndex : WithBits(Bits(ColumnIndex) | kDescendingBit));
}

int TSortIndexList::FindIndex(int ColumnIndex) const {
  for (int i = 0; i < Count(); ++i)
    if ((Bits(GetInteger(i)) & ~kDescendingBit) == Bits(ColumnIndex)) return i;
  return -1;
}

void TSortIndexList::ToggleIndex(int ColumnIndex) {
  int i = FindIndex(ColumnIndex);
  if (i >= 0) SetInteger(i, WithBits(Bits(GetInteger(i)) ^ kDescendingBit));
}

int TSortIndexList::GetSortColumns(int i) const {
  return WithBits(Bits(GetInteger(i)) & ~kDescendingBit);
}

void TSortIndexList::SetSortColumns(int i, int Value) {
  uint32_t dir = Bits(GetInteger(i)) & kDescendingBit;
  SetInteger(i, WithBits(dir | (Bits(Value) & ~kDescendingBit)));
}

bool TSortIndexList::GetSortDirections(int i) const {
  return (Bits(GetInteger(i)) & kDescendingBit) == 0;
}

void TSortIndexList::SetSortDirections(int i, bool Value) {
  uint32_t v = Bits(GetInteger(i));
  SetInteger(i, WithBits(Value ? (v & ~kDescendingBit) : (v | kDescendingBit)));
}

String TSortIndexList::SaveToString() const {
  String r;
  for (int i = 0; i < Count(); ++i) {
    if (i > 0) r += u';';
    uint32_t v = Bits(GetInteger(i));
    r += (v & kDescendingBit) ? u'd' : u'u';
    r += IntToStr(v & 0xFFFFu);
  }
  return r;
}

void TSortIndexList::LoadFromString(const String& S) {
  TList::Clear();
  String rest = S;
  while (!rest.empty()) {
    String part;
    size_t sep = rest.find(u';');
    if (sep == String::npos) {
      part = rest;
      rest.clear();
    } else {
      part = rest.substr(0, sep);
      rest.erase(0, sep + 1);
    }
    if (part.size() < 2) continue;
    AddIndex(ReadLeadingInteger(part.substr(1)), part[0] == u'u');
  }
}

// ---------------------------------------------------------------------------------------------
// TControlList

TControlList::~TControlList() {
  while (!FItems.empty()) RemoveControl(0);
}

void TControlList::AddControl(int X, int Y, TControl* Control) {
  FItems.push_back(new TControlItem(X, Y, Control));
}

int TControlList::ControlIndex(int X, int Y) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->X == X && FItems[i]->Y == Y) return static_cast<int>(i);
  return -1;
}

TControlItem* TControlList::GetControl(int i) const {
  if (i < 0 || i >= Count()) RaiseListIndexError(i);
  return FItems[static_cast<size_t>(i)];
}

bool TControlList::HasHandle(const TWinControl* Handle) const {
  for (TControlItem* item : FItems) {
    auto* w = dynamic_cast<TWinControl*>(item->Control);
    if (!w) continue;
    w->HandleNeeded();
    if (w == Handle) return true;
  }
  return false;
}

void TControlList::RemoveControl(int Index) {
  if (Index < 0 || Index >= Count()) RaiseListIndexError(Index);
  delete FItems[static_cast<size_t>(Index)];
  FItems.erase(FItems.begin() + Index);
}

// ---------------------------------------------------------------------------------------------
// TFilePicture

void TFilePicture::SetFilename(const String& Value) {
  FFilename = Value;
  TPicture picture;
  picture.LoadFromFile(Value);
  FWidth = picture.Width();
  FHeight = picture.Height();
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& Rect) const {
  if (FFilename.empty()) return;
  TPicture picture;
  picture.LoadFromFile(FFilename);
  Canvas->StretchDraw(Rect, picture.Graphic());
}

void TFilePicture::Assign(TPersistent* Source) {
  if (auto* src = dynamic_cast<TFilePicture*>(Source)) {
    FFilename = src->FFilename;
    FWidth = src->FWidth;
    FHeight = src->FHeight;
    return;
  }
  TPersistent::Assign(Source);
}

// ---------------------------------------------------------------------------------------------
// TFileStringList

void TFileStringList::Reset() {
  fp = 0;
  cache.clear();
}

void TFileStringList::ReadLn(String& S) {
  S = Strings(fp);
  ++fp;
}

void TFileStringList::WriteLn(const String& S) {
  Add(cache + S);
  cache.clear();
}
