#include "shell/TableFile.h"

#include <algorithm>
#include <limits>
#include <system_error>

#include "platform/Files.h"
#include "platform/XMLDoc.h"

// ---------------------------------------------------------------------------------------------
// Cell numbers

namespace {

int HexDigit(Char c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

// Reads Text into a value of `bits` width (32 or 64).
bool ParseCellNumber(const String& Text, int bits, int64_t& Value) {
  size_t i = 0;
  const size_t n = Text.size();
  while (i < n && Text[i] == u' ') ++i;  // blanks only, as the class library skips them
  bool negative = false;
  if (i < n && (Text[i] == u'+' || Text[i] == u'-')) {
    negative = Text[i] == u'-';
    ++i;
  }
  bool hex = false;
  if (i < n && Text[i] == u'$') {
    hex = true;
    ++i;
  } else if (i < n && (Text[i] == u'x' || Text[i] == u'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < n && Text[i] == u'0' && (Text[i + 1] == u'x' || Text[i + 1] == u'X')) {
    hex = true;
    i += 2;
  }
  if (i >= n) return false;  // no digits

  if (hex) {
    // Bit pattern of the target width: at most bits/4 significant digits.
    uint64_t acc = 0;
    int significant = 0;
    for (; i < n; ++i) {
      const int d = HexDigit(Text[i]);
      if (d < 0) return false;
      if (significant > 0 || d != 0) ++significant;
      if (significant > bits / 4) return false;
      acc = (acc << 4) | static_cast<uint64_t>(d);
    }
    int64_t v = bits == 32 ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(acc)))
                           : static_cast<int64_t>(acc);
    if (negative) v = static_cast<int64_t>(0 - static_cast<uint64_t>(v));
    if (bits == 32) v = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v)));
    Value = v;
    return true;
  }

  // Decimal: accumulate as a magnitude and check against the signed range of the width.
  const uint64_t limit = bits == 32 ? (negative ? 2147483648ULL : 2147483647ULL)
                                    : (negative ? 9223372036854775808ULL : 9223372036854775807ULL);
  uint64_t acc = 0;
  for (; i < n; ++i) {
    const Char c = Text[i];
    if (c < u'0' || c > u'9') return false;
    const uint64_t d = static_cast<uint64_t>(c - u'0');
    if (acc > (limit - d) / 10) return false;
    acc = acc * 10 + d;
  }
  if (negative) {
    Value = acc == 9223372036854775808ULL ? std::numeric_limits<int64_t>::min()
                                          : -static_cast<int64_t>(acc);
  } else {
    Value = static_cast<int64_t>(acc);
  }
  return true;
}

}  // namespace

bool TryCellToInt(const String& Text, int32_t& Value) {
  int64_t v = 0;
  if (!ParseCellNumber(Text, 32, v)) return false;
  Value = static_cast<int32_t>(v);
  return true;
}

int32_t CellToInt(const String& Text, int32_t Default) {
  int32_t v = 0;
  return TryCellToInt(Text, v) ? v : Default;
}

bool TryCellToInt64(const String& Text, int64_t& Value) { return ParseCellNumber(Text, 64, Value); }

int64_t CellToInt64(const String& Text, int64_t Default) {
  int64_t v = 0;
  return TryCellToInt64(Text, v) ? v : Default;
}

// ---------------------------------------------------------------------------------------------
// Errors

namespace {
String FileLabel(const String& Path) {
  const String name = ExtractFileName(Path);
  return name.empty() ? Path : name;
}
}  // namespace

ETableFileError::ETableFileError(String Msg, String Path)
    : Exception(std::move(Msg)), path_(std::move(Path)) {}

ETableFileMalformed::ETableFileMalformed(String Path, const String& Detail)
    : ETableFileError(u"Error in file " + FileLabel(Path) + u": the file cannot be read (" + Detail + u")",
                      Path) {}

ETableFileMissingSection::ETableFileMissingSection(String Path, String Section)
    : ETableFileError(u"Error in file " + FileLabel(Path) + u": the element \"" + Section + u"\" is missing",
                      Path),
      section_(std::move(Section)) {}

ETableFileMissingAttribute::ETableFileMissingAttribute(String Path, String Section, int Row, String Attribute)
    : ETableFileError(u"Error in file " + FileLabel(Path) + u": row " + IntToStr(Row) + u" of \"" + Section +
                          u"\" has no attribute \"" + Attribute + u"\"",
                      Path),
      section_(std::move(Section)),
      row_(Row),
      attribute_(std::move(Attribute)) {}

ETableFileTooManyRows::ETableFileTooManyRows(String Path, String Section, int Capacity)
    : ETableFileError(u"Error in file " + FileLabel(Path) + u": \"" + Section + u"\" holds more than " +
                          IntToStr(Capacity) + u" rows; only the first " + IntToStr(Capacity) +
                          u" were loaded",
                      Path) {}

// ---------------------------------------------------------------------------------------------
// TTableData

TTableData::TTableData(int ColCount, int RowCount)
    : cols_(ColCount < 0 ? 0 : ColCount),
      rows_(RowCount < 0 ? 0 : RowCount),
      cells_(static_cast<size_t>(cols_) * static_cast<size_t>(rows_ + 1)) {}

String TTableData::Cell(int Col, int Row) const {
  if (Col < 0 || Col >= cols_ || Row < 0 || Row > rows_) return String();
  return cells_[static_cast<size_t>(Row) * cols_ + Col];
}

void TTableData::SetCell(int Col, int Row, const String& Text) {
  if (Col < 0 || Col >= cols_ || Row < 0 || Row > rows_) return;
  cells_[static_cast<size_t>(Row) * cols_ + Col] = Text;
}

void TTableData::Reset(const std::vector<String>& Texts) {
  for (int r = 1; r <= rows_; ++r) {
    for (int c = 0; c < cols_; ++c) {
      String t = c < static_cast<int>(Texts.size()) ? Texts[c] : String();
      if (c == 0) t = IntToStr(r);
      SetCell(c, r, t);
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Save

namespace {

void BuildDocument(TXMLDocument& Doc, const TTableLayout& Layout, const std::vector<const TTableCells*>& Tables) {
  Doc.Clear();
  Doc.SetActive(true);
  TXMLNode root = Doc.AddRoot(Layout.Root);
  Doc.AddComment(Layout.Comment);
  for (size_t s = 0; s < Layout.Sections.size(); ++s) {
    const TTableSection& sec = Layout.Sections[s];
    TXMLNode parent = sec.Name.empty() ? root : root.AddChild(sec.Name);
    const TTableCells* table = s < Tables.size() ? Tables[s] : nullptr;
    if (!table) continue;
    for (int r = 1; r <= table->RowCount(); ++r) {
      if (sec.KeyStop) {
        const String key = table->Cell(sec.KeyColumn, r);
        if (sec.TrimKey ? Trim(key).empty() : key.empty()) break;
      }
      TXMLNode row = parent.AddChild(Layout.RowElement);
      for (const TTableAttr& a : sec.Attrs) row.SetAttribute(a.Name, table->Cell(a.Column, r));
    }
  }
}

}  // namespace

std::string TableFileBytes(const TTableLayout& Layout, const std::vector<const TTableCells*>& Tables) {
  TXMLDocument doc;
  BuildDocument(doc, Layout, Tables);
  return doc.SaveToUtf8();
}

void WriteFileWhole(const String& Path, const std::string& Bytes) {
  if (const auto error = TrySaveFileWhole(Path, Bytes))
    throw ETableFileError(u"Error in file " + FileLabel(Path) + u": " + error->Message(), Path);
}

void SaveTableFile(const TTableLayout& Layout, const std::vector<const TTableCells*>& Tables,
                   const String& Path) {
  WriteFileWhole(Path, TableFileBytes(Layout, Tables));
}

// ---------------------------------------------------------------------------------------------
// Load

namespace {

TXMLNode SectionNode(const TXMLNode& Root, const TTableSection& Sec, const String& Path) {
  if (Sec.Name.empty()) return Root;
  TXMLNode node = Root.ChildNodes().FindNode(Sec.Name);
  if (!node && !Sec.Optional) throw ETableFileMissingSection(Path, Sec.Name);
  return node;
}

// Walks the siblings directly: indexing the child list would make a load quadratic.
template <class F>
void ForEachChildElement(const TXMLNode& Parent, F&& f) {
  for (TXMLNode child = Parent.ChildNodes().First(); child; child = child.NextSibling())
    if (child.NodeType() == ntElement) f(child);
}

bool DefaultApplies(const TTableSection& Sec, int Column, const TTableCells& Table, int Row) {
  for (const TTableDefaultCondition& c : Sec.DefaultConditions)
    if (c.Column == Column && Table.Cell(c.WhenColumn, Row) != c.WhenText) return false;
  return true;
}

}  // namespace

TXMLNode LoadTableRoot(TXMLDocument& Doc, const String& Path) {
  try {
    Doc.LoadFromFile(Path);
  } catch (const Exception& e) {
    throw ETableFileMalformed(Path, e.Message());
  }
  TXMLNode root = Doc.DocumentElement();
  if (!root) throw ETableFileMalformed(Path, u"no root element");
  return root;
}

bool LoadTableFile(const TTableLayout& Layout, const String& Path, const std::vector<TTableCells*>& Tables) {
  if (!FileExists(Path)) return false;
  TXMLDocument doc;
  TXMLNode root = LoadTableRoot(doc, Path);
  for (size_t s = 0; s < Layout.Sections.size(); ++s) {
    const TTableSection& sec = Layout.Sections[s];
    TXMLNode section = SectionNode(root, sec, Path);
    TTableCells* table = s < Tables.size() ? Tables[s] : nullptr;
    if (!table || !section) continue;
    const String sectionName = sec.Name.empty() ? Layout.Root : sec.Name;
    int row = 0;
    bool overflow = false;
    std::vector<String> names;
    for (const TTableAttr& a : sec.Attrs) names.push_back(a.Name);
    for (const TTableChoiceAttr& c : sec.Choices) names.push_back(c.Name);
    std::vector<std::optional<String>> values;
    std::vector<int> chosen;  // columns a choice attribute of the row has set
    ForEachChildElement(section, [&](const TXMLNode& element) {
      if (overflow) return;
      if (row >= table->RowCount()) {
        overflow = !sec.SkipSurplusRows;
        return;
      }
      ++row;
      element.AttributeValues(names, values);
      chosen.clear();
      for (size_t i = 0; i < sec.Choices.size(); ++i) {
        const std::optional<String>& v = values[sec.Attrs.size() + i];
        if (!v) continue;
        const TTableChoiceAttr& c = sec.Choices[i];
        const String text = UpperCase(*v);
        for (int col : c.Columns) {
          table->SetCell(col, row, u"N");
          chosen.push_back(col);
        }
        for (const auto& [choice, col] : c.Choices)
          if (text == choice) table->SetCell(col, row, u"Y");
      }
      for (size_t i = 0; i < sec.Attrs.size(); ++i) {
        const TTableAttr& a = sec.Attrs[i];
        if (std::find(chosen.begin(), chosen.end(), a.Column) != chosen.end()) continue;
        if (values[i]) {
          table->SetCell(a.Column, row, *values[i]);
        } else if (a.Missing == TMissingAttr::Default) {
          if (DefaultApplies(sec, a.Column, *table, row)) table->SetCell(a.Column, row, a.Default);
        } else if (a.Missing == TMissingAttr::Fail) {
          throw ETableFileMissingAttribute(Path, sectionName, row, a.Name);
        }
      }
      for (const auto& [col, text] : sec.EmptyDefaults)
        if (table->Cell(col, row).empty()) table->SetCell(col, row, text);
    });
    if (overflow) throw ETableFileTooManyRows(Path, sectionName, table->RowCount());
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Rows without a grid

bool TTableRow::Has(const String& Name) const {
  for (const auto& a : Attrs)
    if (a.first == Name) return true;
  return false;
}

std::optional<String> TTableRow::Get(const String& Name) const {
  for (const auto& a : Attrs)
    if (a.first == Name) return a.second;
  return std::nullopt;
}

String TTableRow::Value(const String& Name, const String& Default) const {
  for (const auto& a : Attrs)
    if (a.first == Name) return a.second;
  return Default;
}

namespace {
TTableRow RowFromElement(const TXMLNode& Element, const std::vector<String>& Names,
                         std::vector<std::optional<String>>& Values) {
  Element.AttributeValues(Names, Values);
  TTableRow row;
  row.Attrs.reserve(Names.size());
  for (size_t i = 0; i < Names.size(); ++i)
    if (Values[i]) row.Attrs.emplace_back(Names[i], std::move(*Values[i]));
  return row;
}
}  // namespace

bool ReadTableFile(const TTableLayout& Layout, const String& Path, std::vector<TTableRows>& Sections) {
  Sections.assign(Layout.Sections.size(), TTableRows());
  if (!FileExists(Path)) return false;
  TXMLDocument doc;
  TXMLNode root = LoadTableRoot(doc, Path);
  for (size_t s = 0; s < Layout.Sections.size(); ++s) {
    const TTableSection& sec = Layout.Sections[s];
    TXMLNode section = SectionNode(root, sec, Path);
    if (!section) continue;
    std::vector<String> names;
    for (const TTableAttr& a : sec.Attrs) names.push_back(a.Name);
    std::vector<std::optional<String>> values;
    ForEachChildElement(section, [&](const TXMLNode& element) {
      Sections[s].push_back(RowFromElement(element, names, values));
    });
  }
  return true;
}
