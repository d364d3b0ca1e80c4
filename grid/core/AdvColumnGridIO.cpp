// The column grid's saved column positions, its column stream, the column popup menus, the
// filter lines of a column and the grouped column's settings.
#include <functional>
#include <string>
#include <vector>

#include "grid/core/AdvColumnGrid.h"
#include "grid/core/AdvGridFilter.h"
#include "platform/IniFiles.h"

namespace {

// ---- the column stream ----------------------------------------------------------------------
// UTF-8 text: the wrapper's name, the column count, then per column one "Name=Value" line per
// property (line breaks and backslashes escaped), closed by "End".
constexpr std::string_view kStreamMagic = "TAdvColumnGridIO";

String Escape(const String& S) {
  String out;
  for (Char c : S) {
    if (c == u'\\') out += u"\\\\";
    else if (c == u'\n') out += u"\\n";
    else if (c == u'\r') out += u"\\r";
    else out += c;
  }
  return out;
}

String Unescape(const String& S) {
  String out;
  for (size_t i = 0; i < S.size(); ++i) {
    if (S[i] != u'\\' || i + 1 == S.size()) {
      out += S[i];
      continue;
    }
    const Char n = S[++i];
    out += n == u'n' ? u'\n' : n == u'r' ? u'\r' : n;
  }
  return out;
}

String FontText(const TFont* F) {
  return F->Name() + u"," + IntToStr(F->Size()) + u"," + IntToStr(static_cast<int>(F->Color())) + u"," +
         IntToStr(static_cast<int>(F->Style().Bits())) + u"," + IntToStr(F->Charset());
}

void SetFontText(TFont* F, const String& V) {
  TStringList parts;
  parts.SetDelimiter(u',');
  parts.SetStrictDelimiter(true);
  parts.SetDelimitedText(V);
  if (parts.Count() < 5) throw EReadError(u"Invalid font in column stream");
  F->SetName(parts.Strings(0));
  F->SetSize(StrToInt(parts.Strings(1)));
  F->SetColor(static_cast<TColor>(StrToInt(parts.Strings(2))));
  const int bits = StrToInt(parts.Strings(3));
  TFontStyles st;
  for (TFontStyle s : {fsBold, fsItalic, fsUnderline, fsStrikeOut})
    if ((bits >> s) & 1) st |= s;
  F->SetStyle(st);
  F->SetCharset(static_cast<uint8_t>(StrToInt(parts.Strings(4))));
}

String PenText(const TPen* P) {
  return IntToStr(static_cast<int>(P->Color())) + u"," + IntToStr(P->Width()) + u"," +
         IntToStr(static_cast<int>(P->Style()));
}

void SetPenText(TPen* P, const String& V) {
  TStringList parts;
  parts.SetDelimiter(u',');
  parts.SetStrictDelimiter(true);
  parts.SetDelimitedText(V);
  if (parts.Count() < 3) throw EReadError(u"Invalid pen in column stream");
  P->SetColor(static_cast<TColor>(StrToInt(parts.Strings(0))));
  P->SetWidth(StrToInt(parts.Strings(1)));
  P->SetStyle(static_cast<TPenStyle>(StrToInt(parts.Strings(2))));
}

struct TColumnProp {
  const char16_t* Name;
  std::function<String(const TGridColumnItem*)> Get;
  std::function<void(TGridColumnItem*, const String&)> Set;
};

template <class T>
TColumnProp IntProp(const char16_t* Name, T (TGridColumnItem::*Get)() const, void (TGridColumnItem::*Set)(T)) {
  return {Name, [Get](const TGridColumnItem* c) { return IntToStr(static_cast<int>((c->*Get)())); },
          [Set](TGridColumnItem* c, const String& v) { (c->*Set)(static_cast<T>(StrToInt(v))); }};
}

TColumnProp TextProp(const char16_t* Name, const String& (TGridColumnItem::*Get)() const,
                     void (TGridColumnItem::*Set)(const String&)) {
  return {Name, [Get](const TGridColumnItem* c) { return (c->*Get)(); },
          [Set](TGridColumnItem* c, const String& v) { (c->*Set)(v); }};
}

TColumnProp ListProp(const char16_t* Name, TStringList* (TGridColumnItem::*Get)() const) {
  return {Name, [Get](const TGridColumnItem* c) { return (c->*Get)()->Text(); },
          [Get](TGridColumnItem* c, const String& v) { (c->*Get)()->SetText(v); }};
}

// A font or pen of the column, through a free-standing copy so that a bad value changes nothing.
template <class T>
TColumnProp ObjectProp(const char16_t* Name, T* (TGridColumnItem::*Get)() const, String (*ToText)(const T*),
                       void (*FromText)(T*, const String&)) {
  return {Name, [Get, ToText](const TGridColumnItem* c) { return ToText((c->*Get)()); },
          [Get, FromText](TGridColumnItem* c, const String& v) {
            T copy;
            FromText(&copy, v);
            (c->*Get)()->Assign(&copy);
          }};
}

TColumnProp FontProp(const char16_t* Name, TFont* (TGridColumnItem::*Get)() const) {
  return ObjectProp<TFont>(Name, Get, &FontText, &SetFontText);
}

TColumnProp PenProp(const char16_t* Name, TPen* (TGridColumnItem::*Get)() const) {
  return ObjectProp<TPen>(Name, Get, &PenText, &SetPenText);
}

TColumnProp BordersProp(const char16_t* Name, TCellBorders (TGridColumnItem::*Get)() const,
                        void (TGridColumnItem::*Set)(TCellBorders)) {
  return {Name, [Get](const TGridColumnItem* c) { return IntToStr((c->*Get)().Bits()); },
          [Set](TGridColumnItem* c, const String& v) {
            (c->*Set)(TCellBorders::FromBits(static_cast<uint8_t>(StrToInt(v))));
          }};
}

TColumnProp BoolProp(const char16_t* Name, bool (TGridColumnItem::*Get)() const, void (TGridColumnItem::*Set)(bool)) {
  return IntProp<bool>(Name, Get, Set);
}

// Every published column property but the two component links (EditLink, ColumnPopup), which
// name components of the form rather than settings of the column.
const std::vector<TColumnProp>& ColumnProps() {
  using C = TGridColumnItem;
  static const std::vector<TColumnProp> props = {
      IntProp<TAlignment>(u"Alignment", &C::Alignment, &C::SetAlignment),
      IntProp<int>(u"AutoMaxSize", &C::AutoMaxSize, &C::SetAutoMaxSize),
      IntProp<int>(u"AutoMinSize", &C::AutoMinSize, &C::SetAutoMinSize),
      BordersProp(u"Borders", &C::Borders, &C::SetBorders),
      PenProp(u"BorderPen", &C::BorderPen),
      TextProp(u"CheckFalse", &C::CheckFalse, &C::SetCheckFalse),
      TextProp(u"CheckTrue", &C::CheckTrue, &C::SetCheckTrue),
      IntProp<TColor>(u"Color", &C::Color, &C::SetColor),
      IntProp<TColumnPopupType>(u"ColumnPopupType", &C::ColumnPopupType, &C::SetColumnPopupType),
      ListProp(u"ComboItems", &C::ComboItems),
      IntProp<int>(u"DefIdx", &C::DefIdx, &C::SetDefIdx),
      IntProp<int>(u"DropDownCount", &C::DropDownCount, &C::SetDropDownCount),
      IntProp<int>(u"EditLength", &C::EditLength, &C::SetEditLength),
      TextProp(u"EditMask", &C::EditMask, &C::SetEditMask),
      IntProp<TEditorType>(u"Editor", &C::Editor, &C::SetEditor),
      ListProp(u"Filter", &C::Filter),
      BoolProp(u"FilterCaseSensitive", &C::FilterCaseSensitive, &C::SetFilterCaseSensitive),
      BoolProp(u"Fixed", &C::Fixed, &C::SetFixed),
      TextProp(u"FloatFormat", &C::FloatFormat, &C::SetFloatFormat),
      FontProp(u"Font", &C::Font),
      TextProp(u"Header", &C::Header, &C::SetHeader),
      IntProp<TAlignment>(u"HeaderAlignment", &C::HeaderAlignment, &C::SetHeaderAlignment),
      FontProp(u"HeaderFont", &C::HeaderFont),
      IntProp<int>(u"MaxSize", &C::MaxSize, &C::SetMaxSize),
      IntProp<int>(u"MinSize", &C::MinSize, &C::SetMinSize),
      TextProp(u"Name", &C::Name, &C::SetName),
      BoolProp(u"Password", &C::Password, &C::SetPassword),
      BoolProp(u"PrintBorderCustom", &C::PrintBorderCustom, &C::SetPrintBorderCustom),
      PenProp(u"PrintBorderPen", &C::PrintBorderPen),
      BordersProp(u"PrintBorders", &C::PrintBorders, &C::SetPrintBorders),
      IntProp<TColor>(u"PrintColor", &C::PrintColor, &C::SetPrintColor),
      FontProp(u"PrintFont", &C::PrintFont),
      BoolProp(u"PrintFontCustom", &C::PrintFontCustom, &C::SetPrintFontCustom),
      BoolProp(u"ReadOnly", &C::ReadOnly, &C::SetReadOnly),
      BoolProp(u"ShowBands", &C::ShowBands, &C::SetShowBands),
      TextProp(u"SortPrefix", &C::SortPrefix, &C::SetSortPrefix),
      IntProp<TSortStyle>(u"SortStyle", &C::SortStyle, &C::SetSortStyle),
      TextProp(u"SortSuffix", &C::SortSuffix, &C::SetSortSuffix),
      IntProp<int>(u"SpinMax", &C::SpinMax, &C::SetSpinMax),
      IntProp<int>(u"SpinMin", &C::SpinMin, &C::SetSpinMin),
      IntProp<int>(u"SpinStep", &C::SpinStep, &C::SetSpinStep),
      IntProp<int>(u"Tag", &C::Tag, &C::SetTag),
      IntProp<int>(u"Width", &C::Width, &C::SetWidth),
  };
  return props;
}

const TColumnProp* FindProp(const String& Name) {
  for (const TColumnProp& p : ColumnProps())
    if (Name == p.Name) return &p;
  return nullptr;
}

// Caption and condition of a Filter line "caption=condition" (the whole line for both without "=").
void SplitFilterLine(const String& Line, String& Caption, String& Condition) {
  const size_t eq = Line.find(u'=');
  Caption = eq == String::npos ? Line : Line.substr(0, eq);
  Condition = eq == String::npos ? Line : Line.substr(eq + 1);
}

}  // namespace

// =============================================================================================
// Column stream

void TAdvColumnGrid::SaveColumnsToStream(TStream* Stream) {
  std::string out(kStreamMagic);
  out += "\nCount=" + std::to_string(FColumnCollection->Count()) + "\n";
  for (int i = 0; i < FColumnCollection->Count(); ++i) {
    const TGridColumnItem* c = FColumnCollection->Items(i);
    out += "Column\n";
    for (const TColumnProp& p : ColumnProps())
      out += StringToUtf8(String(p.Name) + u"=" + Escape(p.Get(c))) + "\n";
    out += "End\n";
  }
  Stream->WriteBytes(out);
}

void TAdvColumnGrid::LoadColumnsFromStream(TStream* Stream) {
  const int64_t size = Stream->Size() - Stream->Position();
  std::string bytes(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
  if (!bytes.empty()) Stream->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
  // Read whole before anything is applied: a stream that is not a column stream changes nothing.
  std::vector<std::string> lines;
  for (size_t at = 0; at <= bytes.size();) {
    size_t nl = bytes.find('\n', at);
    if (nl == std::string::npos) nl = bytes.size();
    lines.push_back(bytes.substr(at, nl - at));
    at = nl + 1;
  }
  if (lines.size() < 2 || lines[0] != kStreamMagic || lines[1].rfind("Count=", 0) != 0)
    throw EReadError(u"Stream does not hold the columns of a column grid");
  using TValues = std::vector<std::pair<const TColumnProp*, String>>;
  std::vector<TValues> columns;
  TValues* current = nullptr;
  for (size_t i = 2; i < lines.size(); ++i) {
    const std::string& l = lines[i];
    if (l == "Column") {
      columns.emplace_back();
      current = &columns.back();
    } else if (l == "End") {
      current = nullptr;
    } else if (!l.empty()) {
      const size_t eq = l.find('=');
      if (!current || eq == std::string::npos) throw EReadError(u"Invalid column stream");
      // Properties this grid does not know are skipped: a newer stream still loads.
      if (const TColumnProp* p = FindProp(Utf8ToString(l.substr(0, eq))))
        current->emplace_back(p, Unescape(Utf8ToString(l.substr(eq + 1))));
    }
  }
  const int count = StrToInt(Utf8ToString(lines[1].substr(6)));
  if (count != static_cast<int>(columns.size())) throw EReadError(u"Invalid column stream");
  const bool was = FColumnCollection->NoRecursiveUpdate();
  FColumnCollection->SetNoRecursiveUpdate(true);
  try {
    const int n = std::min(count, FColumnCollection->Count());
    for (int i = 0; i < n; ++i)
      for (const auto& [prop, value] : columns[static_cast<size_t>(i)]) prop->Set(FColumnCollection->Items(i), value);
  } catch (...) {
    FColumnCollection->SetNoRecursiveUpdate(was);
    throw;
  }
  FColumnCollection->SetNoRecursiveUpdate(was);
  SyncHeaders();
  Invalidate();
}

// =============================================================================================
// Column positions

void TAdvColumnGrid::SaveColPositions() {
  if (ColumnSize()->Location() == clIniFile) SaveColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else TAdvStringGrid::SaveColPositions();
}

void TAdvColumnGrid::LoadColPositions() {
  if (ColumnSize()->Location() == clIniFile) LoadColumnPositions(ColumnSize()->Key(), ColumnSize()->Section());
  else TAdvStringGrid::LoadColPositions();
}

void TAdvColumnGrid::SaveColumnPositions(const String& Key, const String& Section) {
  if (Key.empty() || Section.empty()) return;
  TMemIniFile ini(Key);
  for (int i = 0; i < FColumnCollection->Count(); ++i)
    ini.WriteInteger(Section, u"CP" + IntToStr(i), FColumnCollection->Items(i)->DefIdx());
  ini.UpdateFile();
}

void TAdvColumnGrid::LoadColumnPositions(const String& Key, const String& Section) {
  if (Key.empty() || Section.empty()) return;
  const int n = FColumnCollection->Count();
  std::vector<int> pos;
  std::vector<bool> seen(static_cast<size_t>(n), false);
  {
    TMemIniFile ini(Key);
    for (int i = 0; i < n; ++i) {
      const int v = ini.ReadInteger(Section, u"CP" + IntToStr(i), -1);
      // A missing key, or a column named twice or not at all: the order stays.
      if (v < 0 || v >= n || seen[static_cast<size_t>(v)]) return;
      seen[static_cast<size_t>(v)] = true;
      pos.push_back(v);
    }
  }
  ResetColumnOrder();
  for (int j = 0; j < n; ++j) FColumnCollection->Items(pos[static_cast<size_t>(j)])->SetDefIdx(j);
  FColumnCollection->ResetOrganization();
  for (int i = 0; i < n; ++i) FColumnCollection->Items(i)->SetDefIdx(pos[static_cast<size_t>(i)]);
}

// =============================================================================================
// Column popup

void TAdvColumnGrid::WndProc(TMessage& Message) {
  TAdvStringGrid::WndProc(Message);
  if (Message.Msg != WM_LBUTTONDOWN && Message.Msg != WM_RBUTTONDOWN) return;
  const TMouseButton Button = Message.Msg == WM_LBUTTONDOWN ? mbLeft : mbRight;
  const int X = LParamX(Message.LParam), Y = LParamY(Message.LParam);
  int c = -1, r = -1;
  MouseToCell(X, Y, c, r);
  if (c < 0 || r < 0) return;
  const int rc = RealColIndex(c);
  TGridColumnItem* col = ColumnAt(rc);
  if (!col || !col->ColumnPopup()) return;
  const TColumnPopupType t = col->ColumnPopupType();
  const bool left = t == cpFixedCellsLClick || t == cpNormalCellsLClick || t == cpAllCellsLClick;
  const bool right = t == cpFixedCellsRClick || t == cpNormalCellsRClick || t == cpAllCellsRClick;
  if (!((Button == mbLeft && left) || (Button == mbRight && right))) return;
  TPopupMenu* menu = col->ColumnPopup();
  if (OnColumnPopup) OnColumnPopup(this, rc, r, menu);
  const bool all = t == cpAllCellsLClick || t == cpAllCellsRClick;
  const bool fixedKind = t == cpFixedCellsLClick || t == cpFixedCellsRClick;
  const bool fixedRow = r < FixedRows();
  if (!(all || (fixedRow && fixedKind) || (!fixedRow && !fixedKind))) return;
  const TRect cr = CellRect(c, r);
  const TPoint at = ClientToScreen(Point(cr.Left, cr.Bottom));
  menu->Popup(at.X, at.Y);
}

// =============================================================================================
// Filter lines

bool TAdvColumnGrid::DoGetColumnFilter(int Column) {
  FilterList()->SetSorted(false);
  const bool own = TAdvStringGrid::DoGetColumnFilter(Column);
  TGridColumnItem* col = ColumnAt(Column);
  if (!col || col->Filter()->Count() == 0) return own;
  TStringList* list = FilterList();
  list->Clear();
  for (int i = 0; i < col->Filter()->Count(); ++i) {
    String caption, condition;
    SplitFilterLine(col->Filter()->Strings(i), caption, condition);
    list->Add(caption);
  }
  return true;
}

void TAdvColumnGrid::DoFilterSelect(int ItemIndex) {
  const int colIndex = FilterColumn();
  TGridColumnItem* col = ColumnAt(colIndex);
  // A column without lines of its own filters by the values of its cells, as the string grid does.
  if (!col || col->Filter()->Count() == 0) {
    TAdvStringGrid::DoFilterSelect(ItemIndex);
    SetFilterColumn(-1);
    return;
  }
  if (ItemIndex >= 0 && ItemIndex < col->Filter()->Count()) {
    String caption, condition;
    SplitFilterLine(col->Filter()->Strings(ItemIndex), caption, condition);
    if (FAutoFilterDisplay) col->SetHeader(caption);
    if (AutoFilterUpdate()) SetFilterActive(false);
    if (OnFilterSelect) OnFilterSelect(this, colIndex, ItemIndex, caption, condition);
    TFilterData* entry = Filter()->ColumnFilter(colIndex);
    entry->SetCondition(condition);
    entry->SetCaseSensitive(col->FilterCaseSensitive());
    if (AutoFilterUpdate()) {
      SetFilterActive(true);
      if (RowCount() != FixedRows()) SetRowEx(FixedRows());
      DoFilterDone();
    }
  }
  SetFilterColumn(-1);
}

// =============================================================================================
// Grouping

void TAdvColumnGrid::Group(int Colindex) {
  if (TGridColumnItem* col = ColumnAt(Colindex)) FSaveCol->Assign(col);
  TAdvStringGrid::Group(Colindex);
}

void TAdvColumnGrid::UnGroup() {
  const int grouped = GroupColumn();
  TAdvStringGrid::UnGroup();
  if (grouped <= 0) return;
  if (TGridColumnItem* col = ColumnAt(grouped)) col->Assign(FSaveCol.get());
}
