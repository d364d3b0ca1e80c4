#pragma once
// What the sorts compare rows on, read from the grid once per column and row instead of on every
// comparison: each column's style (column style and OnGetFormat asked once) and each cell's text
// with the values the styles derive from it.
#include <cstdint>
#include <vector>

#include "grid/core/AdvGrid.h"

// One cell as the comparison rules read it. Text-derived values are computed on first use.
struct TSortCellKey {
  String Text;
  String Folded;  // upper-cased (a-z) or without tags, as the column's style reads it
  double Number = 0;
  double DateTime = 0;
  double Time = 0;
  double ShortDate = 0;
  int Graphic = -1;
  uint32_t Flags = 0;
};

// A column's part of a sort: its style before detection, prefix, suffix, and the keys by row id.
struct TSortKeyColumn {
  bool Resolved = false;
  bool Prepared = false;
  bool Ignored = false;
  TSortStyle Style = ssAutomatic;
  String Prefix;
  String Suffix;
  std::vector<TSortCellKey> Keys;
};

// The keys of display rows Left .. Right while a sort moves them. Every row has an id (its
// position when the sort began); Swap follows each exchange of two rows, so a column prepared
// later still reads each row where it is then. Rows handed to the comparisons are grid rows
// (for OnRawCompare; the pivot's scratch row for the pivot).
class TSortKeys {
 public:
  TSortKeys(TAdvStringGrid* AGrid, int Left, int Right);
  int Id(int Pos) const { return FIds[static_cast<size_t>(Pos - FLeft)]; }
  void Swap(int Pos1, int Pos2);
  // True when a comparison on ACol (with its ties) or on the sort index (ACol < 0) may reach a
  // column of style ssRaw, whose event reads the rows themselves.
  bool ReachesRawColumn(int ACol);
  // As TAdvStringGrid::CompareRows and CompareRowsIndexed; both count Compares.
  int CompareRows(int ACol, int Id1, int Row1, int Id2, int Row2);
  int CompareRowsIndexed(int Id1, int Row1, int Id2, int Row2);

  // The rules themselves, also for two cells outside a sort.
  static void ResolveColumn(TAdvStringGrid* G, int ACol, TSortKeyColumn& C);
  static TSortCellKey MakeKey(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C);
  // What automatic detection reads of a text; Row < 0 leaves the cell type unread.
  static void Classify(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C, TSortCellKey& K);
  static void ReadCheckBox(TAdvStringGrid* G, int ACol, int Row, TSortCellKey& K);
  static TSortStyle ResolveStyle(const TSortKeyColumn& C, bool IgnoreCase, const TSortCellKey& K1,
                                 const TSortCellKey& K2);
  static int CompareKeys(TAdvStringGrid* G, int ACol, TSortKeyColumn& C, TSortCellKey& K1, int Row1,
                         TSortCellKey& K2, int Row2, TSortDirection Direction);

 private:
  TSortKeyColumn& Resolved(int ACol);
  TSortKeyColumn& Column(int ACol);  // resolved and, unless ignored, its keys read
  int CompareColumn(int ACol, int Id1, int Row1, int Id2, int Row2, TSortDirection Direction);
  TAdvStringGrid* FGrid;
  int FLeft;
  std::vector<int> FIds;
  std::vector<TSortKeyColumn> FColumns;  // by real column, grown on demand
};
