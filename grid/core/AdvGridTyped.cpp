// Typed views of the cell text: integers, floats, dates and times by display row and (All) by
// real row, the value of a form control in an HTML cell, the version text and the print column
// metrics. Cells hold text only; every conversion of a cell to a number goes through here.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"

namespace {

const char16_t kNoInteger[] = u"Cell does not contain integer value";
const char16_t kNoFloat[] = u"Cell does not contain a float value";

int TextToInt(const String& Text) {
  String s = Trim(Text);
  if (s.empty() || s == u"-") return 0;
  int v = 0;
  if (!TryStrToInt(s, v)) throw EAdvGridError(kNoInteger);
  return v;
}

double TextToFloat(const String& Text) {
  const String t = Trim(Text);
  if (t.empty() || t == u"-") return 0;
  String s = ExtractNumberText(t);
  // Letters without a number ("abc") clean to nothing: that is no number, not 0.
  if (s.empty()) throw EAdvGridError(kNoFloat);
  if (s == u"-") return 0;
  // The cleaner writes a point; the platform's conversion reads the locale's separator.
  const Char sep = FormatSettings().DecimalSeparator;
  for (Char& c : s)
    if (c == u'.') c = sep;
  double v = 0;
  if (!TryStrToFloat(s, v)) throw EAdvGridError(kNoFloat);
  return v;
}

String VersionText(int Nr) {
  auto n = static_cast<uint32_t>(Nr);
  return IntToStr((n >> 24) & 0xFF) + u"." + IntToStr((n >> 16) & 0xFF) + u"." + IntToStr((n >> 8) & 0xFF) +
         u"." + IntToStr(n & 0xFF);
}

}  // namespace

// ---- integers ----

int TAdvStringGrid::GetInts(int RCol, int DRow) { return TextToInt(GetStrippedCell(RCol, DRow)); }

void TAdvStringGrid::SetInts(int RCol, int DRow, int Value) {
  SetCellEx(RCol, DRow, IntToStr(Value));
  // The store is addressed by real column; what is on screen sits at the display column.
  if (FNumHidden > 0) RepaintCell(RealToDisplCol(RCol), DRow);
}

int TAdvStringGrid::GetAllInts(int RCol, int RRow) { return TextToInt(GetCellsEx(RCol, RRow)); }

void TAdvStringGrid::SetAllInts(int RCol, int RRow, int Value) { SetCellsEx(RCol, RRow, IntToStr(Value)); }

// ---- floats ----

double TAdvStringGrid::GetFloats(int RCol, int DRow) { return TextToFloat(GetStrippedCell(RCol, DRow)); }

void TAdvStringGrid::SetFloats(int RCol, int DRow, double Value) {
  SetCellEx(RCol, DRow, Format(GetCellFloatFormat(RCol, DRow), {Value}));
}

double TAdvStringGrid::GetAllFloats(int RCol, int RRow) { return TextToFloat(GetCellsEx(RCol, RRow)); }

void TAdvStringGrid::SetAllFloats(int RCol, int RRow, double Value) {
  SetCellsEx(RCol, RRow, Format(FFloatFormat, {Value}));
}

String TAdvStringGrid::GetCellFloatFormat(int, int) { return FFloatFormat; }

String TAdvStringGrid::GetFormattedCell(int RCol, int DRow) {
  String text = GetCellEx(RCol, DRow);
  if (!OnGetFloatFormat) return text;
  const int kind = ClassifyNumberText(text);
  if (kind != 0 && kind != 1 && kind != 5) return text;
  bool isFloat = true;
  String fmt = FFloatFormat;
  OnGetFloatFormat(this, RCol, DRow, isFloat, fmt);
  if (!isFloat || fmt.empty()) return text;
  try {
    if (Pos(u"d", fmt) > 0) return Format(fmt, {GetInts(RCol, DRow)});
    return Format(fmt, {GetFloats(RCol, DRow)});
  } catch (const Exception&) {
    return text;  // shown as stored
  }
}

// ---- dates and times ----

TDateTime TAdvStringGrid::GetDates(int RCol, int DRow) { return StrToDate(GetCellEx(RCol, DRow)); }

void TAdvStringGrid::SetDates(int RCol, int DRow, TDateTime Value) {
  SetCellEx(RCol, DRow, Value > 0 || ShowNullDates ? DateToStr(Value) : String());
}

TDateTime TAdvStringGrid::GetTimes(int RCol, int DRow) { return StrToTime(GetCellEx(RCol, DRow)); }

void TAdvStringGrid::SetTimes(int RCol, int DRow, TDateTime Value) { SetCellEx(RCol, DRow, TimeToStr(Value)); }

// ---- form controls in HTML cells ----

String TAdvStringGrid::GetCtrlVal(int RCol, int DRow, const String& ID) {
  String value;
  if (!GetControlValue(GetCellEx(RCol, DRow), ID, value)) return String();
  return value;
}

void TAdvStringGrid::SetCtrlVal(int RCol, int DRow, const String& ID, const String& Value) {
  String text = GetCellEx(RCol, DRow);
  if (SetControlValue(text, ID, Value)) SetCellEx(RCol, DRow, text);
}

// ---- version and print metrics ----

int TAdvStringGrid::GetVersionNr() { return 0x06020103; }

String TAdvStringGrid::GetVersionString() { return VersionText(GetVersionNr()) + u" Sep, 2012"; }

String TAdvStringGrid::Version() { return VersionText(GetVersionNr()); }

int TAdvStringGrid::PrintColWidth(int ACol) const {
  if (ACol < 0 || ACol >= kMappedCols) throw EAdvGridError(u"Columns is not in valid range");
  return FPrintColWidth[static_cast<size_t>(ACol)];
}

int TAdvStringGrid::PrintColOffset(int ACol) const {
  if (ACol < 0 || ACol >= kMappedCols) throw EAdvGridError(u"Columns is not in valid range");
  return FPrintColOffset[static_cast<size_t>(ACol)];
}
