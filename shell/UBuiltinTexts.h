#pragma once
// The built-in English UI texts, compiled in from shell/texts/*.txt.
//
// Data file format (one entry a line, UTF-8):  <index><TAB><text>
//   - lines starting with "#" and empty lines are ignored;
//   - the text is taken exactly as written (blanks at both ends are kept), with the escapes
//     \t (tab), \n (line feed), \r (carriage return) and \\ (backslash);
//   - an index given in no file holds the placeholder " ".
#include <cstddef>
#include <vector>

#include "platform/UString.h"

constexpr int Builtin_Text_Count = 5600;
constexpr int Builtin_Language_Count = 5500;

struct TBuiltinTextFile {
  const char* Name;                 // file name inside shell/texts
  const unsigned char* Data;        // raw bytes of the file
  std::size_t Size;
};

// Generated at build time from shell/texts/*.txt (sorted by file name).
extern const TBuiltinTextFile Builtin_Text_Files[];
extern const int Builtin_Text_File_Count;

struct TBuiltinTextIssue {
  String File;
  int Line = 0;
  String Reason;
};

struct TBuiltinTextEntry {
  int Index = 0;
  String Text;
  int Line = 0;
};

// Parses one data file; entries in file order. Malformed lines go to Issues.
void Parse_Builtin_Text_File(const TBuiltinTextFile& File, std::vector<TBuiltinTextEntry>& Entries,
                             std::vector<TBuiltinTextIssue>& Issues);

// Builds the table from data files: Builtin_Text_Count entries, " " where no file gives a text.
// An index out of range, or given a second time (in any file), is reported and not applied.
std::vector<String> Build_Builtin_Texts(const TBuiltinTextFile* Files, int Count,
                                        std::vector<TBuiltinTextIssue>& Issues);

// The 5,600 texts, built once from all data files. Malformed lines, indices out of range and
// an index given twice are collected in Builtin_Text_Issues() (a test keeps that list empty).
const std::vector<String>& Builtin_Texts();
const std::vector<TBuiltinTextIssue>& Builtin_Text_Issues();
// The same texts as a new table of the caller's (built afresh unless Builtin_Texts() exists), so
// that a list filled from it need not keep a second copy alive.
std::vector<String> Builtin_Texts_Copy();
