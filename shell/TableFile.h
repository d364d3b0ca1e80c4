#pragma once
// Table files: the XML layout in which every table form keeps its tables, one save and one load
// algorithm driven by a description of the file, and the cell-number parse shared by the check
// routines and the image builder.
//
// Layout of a table file: the root element, then at document level the comment
// "SW_VERSION = 1.000"; below the root one section element per table (or the rows directly
// under the root for single-table files); one row element per table row with one attribute per
// data column, in column order, holding the cell text unchanged.
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/UString.h"
#include "platform/XMLDoc.h"

// ---------------------------------------------------------------------------------------------
// Cell numbers
//
// Accepted: leading blanks (not tabs), an optional "+" or "-", then decimal digits, or hexadecimal
// digits after "$", "x", "X", "0x" or "0X"; nothing after the digits (trailing blanks included).
// Decimal values outside the target range fail. Hexadecimal digits are a bit pattern of the
// target width, as the class library reads them ("$FFFFFFFF" is -1 in 32 bits); more digits than
// the width holds fail. Any failure, an empty text included, gives the caller's default.
bool TryCellToInt(const String& Text, int32_t& Value);
int32_t CellToInt(const String& Text, int32_t Default = -1);
bool TryCellToInt64(const String& Text, int64_t& Value);
int64_t CellToInt64(const String& Text, int64_t Default = -1);

// ---------------------------------------------------------------------------------------------
// Errors of a table-file load. They are left to reach the application's default error box; the
// rows filled before the failure keep their values.
class ETableFileError : public Exception {
 public:
  ETableFileError(String Msg, String Path);
  const String& Path() const { return path_; }

 private:
  String path_;
};

// The file is not well-formed XML, cannot be read, or has no root element.
class ETableFileMalformed : public ETableFileError {
 public:
  ETableFileMalformed(String Path, const String& Detail);
};

// A section (or another required element) is missing.
class ETableFileMissingSection : public ETableFileError {
 public:
  ETableFileMissingSection(String Path, String Section);
  const String& Section() const { return section_; }

 private:
  String section_;
};

// A row element lacks an attribute that its reader requires. Row is 1-based within its section.
class ETableFileMissingAttribute : public ETableFileError {
 public:
  ETableFileMissingAttribute(String Path, String Section, int Row, String Attribute);
  const String& Section() const { return section_; }
  int Row() const { return row_; }
  const String& Attribute() const { return attribute_; }

 private:
  String section_;
  int row_ = 0;
  String attribute_;
};

// A section holds more rows than its table has; the rows that fit were loaded.
class ETableFileTooManyRows : public ETableFileError {
 public:
  ETableFileTooManyRows(String Path, String Section, int Capacity);
};

// ---------------------------------------------------------------------------------------------
// Description of a table file

// What a form's load does with a row element that lacks the attribute.
enum class TMissingAttr {
  Keep,     // the cell keeps its reset value
  Default,  // the cell gets TTableAttr::Default
  Fail      // ETableFileMissingAttribute; the load stops there
};

struct TTableAttr {
  String Name;
  int Column = 0;  // real grid column (column 0 is the row number and never stored)
  TMissingAttr Missing = TMissingAttr::Keep;
  String Default;
};

// A read default of Column (TMissingAttr::Default) that applies only while the row's cell in
// WhenColumn, read before it, is WhenText.
struct TTableDefaultCondition {
  int Column = 0;
  int WhenColumn = 0;
  String WhenText;
};

// An attribute that is read, never written, and that stands for a group of flag columns: a row
// that has it gets every column of the group "N" and the column its upper-cased text names "Y";
// the group's own attributes of that row are not read.
struct TTableChoiceAttr {
  String Name;
  std::vector<int> Columns;
  std::vector<std::pair<String, int>> Choices;  // upper-cased text, column that becomes "Y"
};

struct TTableSection {
  String Name;  // empty: the rows are direct children of the root (single-table files)
  std::vector<TTableAttr> Attrs;  // in the order they are written
  int KeyColumn = 1;              // rows are written up to the first whose key cell, trimmed, is empty
  bool TrimKey = true;            // false: a key cell of blanks is not empty
  bool KeyStop = true;            // false: no key column, every row of the table is written
  bool SkipSurplusRows = false;   // rows beyond the table are ignored instead of failing the load
  bool Optional = false;          // a missing section reads as an empty one instead of failing the load
  std::vector<TTableChoiceAttr> Choices;  // read before Attrs
  std::vector<TTableDefaultCondition> DefaultConditions;
  std::vector<std::pair<int, String>> EmptyDefaults;  // column, text of a cell still empty after its row was read
};

struct TTableLayout {
  String Root;
  String Comment = u"SW_VERSION = 1.000";
  String RowElement = u"row";
  std::vector<TTableSection> Sections;  // in the order they are written and read
};

// ---------------------------------------------------------------------------------------------
// The cells a table file is written from and loaded into: a grid adapter, or TTableData.
// Rows are 1-based data rows (row 0 is the header row), columns are real column indices.
class TTableCells {
 public:
  virtual ~TTableCells() = default;
  virtual int RowCount() const = 0;  // data rows
  virtual String Cell(int Col, int Row) const = 0;
  virtual void SetCell(int Col, int Row, const String& Text) = 0;
};

// In-memory table: ColCount columns (column 0 included) and RowCount data rows, all cells empty.
class TTableData : public TTableCells {
 public:
  TTableData(int ColCount, int RowCount);
  int ColCount() const { return cols_; }
  int RowCount() const override { return rows_; }
  String Cell(int Col, int Row) const override;  // "" outside the table
  void SetCell(int Col, int Row, const String& Text) override;  // ignored outside the table
  // Every data row gets Texts[c] in column c (missing entries: empty); column 0 the row number.
  void Reset(const std::vector<String>& Texts);

 private:
  int cols_ = 0;
  int rows_ = 0;
  std::vector<String> cells_;  // (rows_ + 1) x cols_, row 0 unused
};

// ---------------------------------------------------------------------------------------------
// Save and load

// The document as a form writes it: root, comment, then for each section (Tables[i] belongs to
// Layout.Sections[i]) the rows from 1 up to the first blank key, every attribute written.
// Returns the UTF-8 bytes that SaveTableFile writes.
std::string TableFileBytes(const TTableLayout& Layout, const std::vector<const TTableCells*>& Tables);

// Writes Bytes whole (SaveFileWhole): a failing save leaves the old file as it was. Raises
// ETableFileError saying what failed.
void WriteFileWhole(const String& Path, const std::string& Bytes);

// Writes the document whole: into a temporary file beside Path, then renamed over it, so a
// failing write never leaves a half-written table file. Raises ETableFileError on failure.
void SaveTableFile(const TTableLayout& Layout, const std::vector<const TTableCells*>& Tables,
                   const String& Path);

// Loads Path into the tables (which the caller has reset): the root is the document's first
// element; each section is the root's first child element of its name; child element i of a
// section fills row i + 1, every attribute read on its own. Returns false, touching nothing,
// when no file exists. Raises ETableFileMalformed, ETableFileMissingSection,
// ETableFileMissingAttribute or ETableFileTooManyRows; what was filled before stays.
bool LoadTableFile(const TTableLayout& Layout, const String& Path, const std::vector<TTableCells*>& Tables);

// Loads Path into Doc and returns its root (the first element at document level), for readers of
// table files that are not plain tables. Raises ETableFileMalformed.
TXMLNode LoadTableRoot(TXMLDocument& Doc, const String& Path);

// ---------------------------------------------------------------------------------------------
// Rows as the file holds them, for readers that fill no grid (the image builder, the MIB writer).

class TTableRow {
 public:
  // The layout's attributes that the element has, in the layout's order.
  std::vector<std::pair<String, String>> Attrs;

  bool Has(const String& Name) const;
  std::optional<String> Get(const String& Name) const;
  String Value(const String& Name, const String& Default = String()) const;
};
using TTableRows = std::vector<TTableRow>;

// Every child element of every section of Layout, in document order (names not looked at).
// Sections[i] belongs to Layout.Sections[i]. Returns false with empty sections when no file
// exists; raises ETableFileMalformed or ETableFileMissingSection.
bool ReadTableFile(const TTableLayout& Layout, const String& Path, std::vector<TTableRows>& Sections);
