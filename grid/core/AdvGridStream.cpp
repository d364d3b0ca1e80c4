// The grid's own cell stream (how AssignCells copies cells between grids) and the column widths
// kept in an INI file.
#include <memory>
#include <vector>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"
#include "platform/IniFiles.h"
#include "platform/Registry.h"

namespace {

// One line: UTF-16LE units, then CR LF.
void WriteLine(TStream* Stream, const String& Line) {
  std::string bytes;
  bytes.reserve((Line.size() + 2) * 2);
  auto put = [&bytes](Char c) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  };
  for (Char c : Line) put(c);
  put(u'\r');
  put(u'\n');
  Stream->WriteBytes(bytes);
}

// Reads UTF-16 units up to a CR (then its LF) or the stream's end.
String ReadLine(TStream* Stream) {
  String line;
  uint8_t b[2];
  while (Stream->Read(b, 2) == 2) {
    Char c = static_cast<Char>(b[0] | (b[1] << 8));
    if (c == u'\r') {
      int64_t pos = Stream->Position();
      if (Stream->Read(b, 2) != 2 || static_cast<Char>(b[0] | (b[1] << 8)) != u'\n') Stream->SetPosition(pos);
      break;
    }
    line.push_back(c);
  }
  return line;
}

bool AtEnd(TStream* Stream) { return Stream->Position() >= Stream->Size(); }

}  // namespace

// =============================================================================================
// Save and load texts

String TAdvStringGrid::SaveCell(int RCol, int DRow) {
  String s = SaveVirtCells ? GetFormattedCell(RCol, DRow) : GetGridCell(RCol, DRow);
  if (s.empty()) {
    // An empty box cell saves the text of its state.
    if (TCellGraphic* cg = GetCellGraphic(RCol, DRow)) {
      if (cg->CellType() == ctCheckBox) {
        bool on = false;
        GetCheckBoxState(RCol, RealRowIndex(DRow), on);
        on ? DoGetCheckTrue(RCol, DRow, s) : DoGetCheckFalse(RCol, DRow, s);
      } else if (cg->CellType() == ctTriStateCheckBox) {
        cg->CellCheckBoxState() == cbChecked ? DoGetCheckTrue(RCol, DRow, s) : DoGetCheckFalse(RCol, DRow, s);
      }
    }
  }
  int kind = ClassifyCellText(s, true);
  if (!SaveWithHTML && kind == 1) s = StripHTMLTags(s);
  if (SaveWithRTF && kind == 2) {
    String r;
    for (Char c : s)
      if (c != u'\r' && c != u'\n') r.push_back(c);
    s = r;
  } else if (kind == 2) {
    s = RichCellPlainText(RCol, DRow);
  }
  if (OnSaveCell) OnSaveCell(this, RCol, DRow, s);
  return s;
}

void TAdvStringGrid::LoadCell(int RCol, int DRow, const String& Value) {
  String s = Value;
  if (OnLoadCell) OnLoadCell(this, RCol, DRow, s);
  SetGridCell(RCol, DRow, s);
}

// =============================================================================================
// Stream form: "cols,rows", "cw col,width" for every column, "col,row,text" per non-empty cell
// (positions relative to the saved range), UTF-16LE lines ending in CR LF.

void TAdvStringGrid::SaveToStream(TStream* Stream) {
  WriteLine(Stream, IntToStr(SaveColCount()) + u"," + IntToStr(SaveRowCount()));
  for (int i = 0; i < ColCount(); ++i) WriteLine(Stream, u"cw " + IntToStr(i) + u"," + IntToStr(ColWidths(i)));
  const int c0 = SaveStartCol(), r0 = SaveStartRow();
  for (int r = r0; r <= SaveEndRow(); ++r) {
    for (int c = c0; c <= SaveEndCol(); ++c) {
      String s = SaveCell(c, r);
      if (s.empty()) continue;
      WriteLine(Stream, IntToStr(c - c0) + u"," + IntToStr(r - r0) + u"," + MaskLineBreaks(s));
    }
  }
}

void TAdvStringGrid::LoadFromStream(TStream* Stream) {
  if (!AtEnd(Stream)) {
    String first = ReadLine(Stream);
    if (!first.empty()) {
      size_t comma = first.find(u',');
      String cols = first.substr(0, comma);
      String rows = comma == String::npos ? String() : first.substr(comma + 1);
      SetColCount(StrToInt(cols) + SaveStartCol());
      SetRowCount(StrToInt(rows) + SaveStartRow());
    }
  }
  const int c0 = SaveStartCol(), r0 = SaveStartRow();
  while (!AtEnd(Stream)) {
    int64_t pos = Stream->Position();
    String line = ReadLine(Stream);
    if (line.size() >= 2 && line[0] == u'c' && line[1] == u'w') {
      String rest = line.substr(std::min<size_t>(3, line.size()));
      size_t comma = rest.find(u',');
      int col = StrToInt(rest.substr(0, comma));
      int width = StrToInt(comma == String::npos ? String() : rest.substr(comma + 1));
      if (col < 0 || col >= ColCount()) throw EInvalidGridOperation(u"Grid index out of range");
      SetColWidths(col, width);
      continue;
    }
    size_t c1 = line.find(u',');
    size_t c2 = c1 == String::npos ? String::npos : line.find(u',', c1 + 1);
    if (c1 == String::npos || c2 == String::npos || c1 == 0 || c2 == c1 + 1) {
      Stream->SetPosition(pos);
      break;
    }
    int col = StrToInt(line.substr(0, c1)) + c0;
    int row = StrToInt(line.substr(c1 + 1, c2 - c1 - 1)) + r0;
    if (col >= 0 && col < ColCount() && row >= 0 && row < RowCount())
      LoadCell(col, row, UnmaskLineBreaks(line.substr(c2 + 1), Multilinecells));
  }
  CellsChanged(Rect(0, 0, ColCount() - 1, RowCount() - 1));
  CellsLoaded();
}

// =============================================================================================
// Column widths ("Col" + display column = width) in the INI file or the registry key named by
// ColumnSize. The store is written back after a load too.

namespace {

// The integer values of one section of either store.
class TColSizeStore {
 public:
  explicit TColSizeStore(const TColumnSize& Cs) {
    if (Cs.Location() == clIniFile) {
      FIni = std::make_unique<TMemIniFile>(Cs.Key());
      FSection = Cs.Section();
    } else {
      FReg = std::make_unique<TRegistry>();
      FReg->OpenKey(Cs.Key() + u"\\" + Cs.Section(), true);
    }
  }
  int Read(const String& Name, int Default) const {
    if (FIni) return FIni->ReadInteger(FSection, Name, Default);
    return FReg->ValueExists(Name) ? FReg->ReadInteger(Name) : Default;
  }
  void Write(const String& Name, int Value) {
    if (FIni)
      FIni->WriteInteger(FSection, Name, Value);
    else
      FReg->WriteInteger(Name, Value);
  }
  void Flush() {
    if (FIni)
      FIni->UpdateFile();
    else
      FReg->CloseKey();
  }

 private:
  std::unique_ptr<TMemIniFile> FIni;
  std::unique_ptr<TRegistry> FReg;
  String FSection;
};

}  // namespace

void TAdvStringGrid::SaveColSizes() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || Designing()) return;
  TColSizeStore store(*FColumnSize);
  for (int i = 0; i < ColCount(); ++i) store.Write(u"Col" + IntToStr(i), ColWidths(i));
  store.Flush();
}

void TAdvStringGrid::LoadColSizes() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || Designing()) return;
  TColSizeStore store(*FColumnSize);
  for (int i = 0; i < ColCount(); ++i) {
    int w = store.Read(u"Col" + IntToStr(i), ColWidths(i));
    if (w != ColWidths(i)) SetColWidths(i, w);
  }
  store.Flush();
}

// =============================================================================================
// Column order ("Pos" + position = the home column there) in the store named by ColumnSize.

namespace {

// Values that name each of Count columns exactly once.
bool IsColumnPermutation(const std::vector<int>& Values, int Count) {
  if (static_cast<int>(Values.size()) != Count) return false;
  std::vector<bool> seen(static_cast<size_t>(Count), false);
  for (int v : Values) {
    if (v < 0 || v >= Count || seen[static_cast<size_t>(v)]) return false;
    seen[static_cast<size_t>(v)] = true;
  }
  return true;
}

}  // namespace

void TAdvStringGrid::SaveColPositions() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || Designing()) return;
  TColSizeStore store(*FColumnSize);
  for (int i = 0; i < FColumnOrder->Count(); ++i) store.Write(u"Pos" + IntToStr(i), FColumnOrder->Items(i));
  store.Flush();
}

void TAdvStringGrid::LoadColPositions() {
  if (FColumnSize->Key().empty() || FColumnSize->Section().empty() || Designing()) return;
  TColSizeStore store(*FColumnSize);
  const int total = ColCount() + NumHiddenColumns();
  std::vector<int> saved;
  if (store.Read(u"Pos0", -1) != -1) {
    for (int i = 0; i < total; ++i) {
      const int v = store.Read(u"Pos" + IntToStr(i), -1);
      if (v != -1) saved.push_back(v);
    }
  }
  store.Flush();
  // An order naming a column twice would have the reset move columns back and forth.
  if (!IsColumnPermutation(saved, total)) return;
  std::vector<int> inverse(static_cast<size_t>(total));
  for (int i = 0; i < total; ++i) inverse[static_cast<size_t>(saved[static_cast<size_t>(i)])] = i;
  std::vector<int> hidden;
  FColumnOrder->Clear();
  for (int c = 0; c < total; ++c) {
    if (IsHiddenColumn(c)) hidden.push_back(c);
    FColumnOrder->Add(inverse[static_cast<size_t>(c)]);
  }
  UnHideColumnsAll();
  ResetColumnOrder();
  for (int c : hidden) HideColumn(c);
  FColumnOrder->Clear();
  for (int v : saved) FColumnOrder->Add(v);
}
