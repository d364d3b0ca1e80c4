#pragma once
// What the sorts compare rows on, read from the grid once per column and row instead of on every
// comparison: each column's style (column style and OnGetFormat asked once) and each cell's text
// with the values the styles derive from it.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "grid/core/AdvGrid.h"

// One cell as the comparison rules read it. Text-derived values are computed on first use.
struct TSortCellKey {
  String Text;
  std::unique_ptr<String> Folded;  // upper-cased (a-z) or without tags, as the column's style reads it
  double Number = 0;
  double Date = 0;  // date-time, or the short date of ssShortDateEU/US (a column has one of them)
  double Time = 0;
  int Graphic = -1;
  uint32_t Flags = 0;
};

// What ranking keeps of a cell besides its text: the key's flags and picture key.
struct TSortRankCell {
  uint32_t Flags = 0;
  int Graphic = -1;
};

// Buffers the sorts of a grid keep from one sort to the next: sorting a large grid again then
// neither allocates nor touches fresh memory. The texts only grow, so each keeps its buffer.
struct TSortScratch {
  // Ranking: the rows in their order so far, the runs of tied rows, the cells of the tied rows.
  std::vector<int> Rows, Slot;
  std::vector<size_t> Starts, Next;
  std::vector<String> Texts;
  std::vector<char> CheckCells;
  // One run of rows ordered by one column.
  std::vector<TSortRankCell> Cells;
  std::vector<int> Buckets[2];
  std::vector<std::pair<double, int>> Numbers;
  std::vector<std::pair<const String*, int>> TextItems;
  std::vector<int> Ordered;
  // The values of the texts read as dates or times so far in a column (a column repeats its
  // dates often, and reading one costs more than looking it up).
  std::unordered_map<String, std::pair<TSortStyle, double>> Dates;
  // The partition over ranks, and the way back to the unsorted order.
  std::vector<int> Ranks, Ids, Keys, From;
  // What a permutation of the rows reads before it writes.
  std::vector<int> Moved;
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

// The keys of display rows Left .. Right while a sort orders them. Every row has an id (its
// position when the sort began); Swap follows each exchange of two positions. Comparisons take
// positions, or kPivot for the partition's pivot. While only the keys move (the rows follow in one
// permutation at the end), a column prepared late reads each row where it still is; with
// SetRowsMove the rows move along and are read where they are then. With SingleColumn only the
// sort column travels, so the other columns' keys stay with their positions.
class TSortKeys {
 public:
  static constexpr int kPivot = -1;
  TSortKeys(TAdvStringGrid* AGrid, int Left, int Right, TSortScratch& Scratch);
  void SetRowsMove(bool Value) { FRowsMove = Value; }
  // A row compared with itself is equal without reading its cells (no event decides it).
  void SetSelfEqual(bool Value) { FSelfEqual = Value; }
  // The pivot: the row now at Pos; Row is the grid row handed to OnRawCompare for it.
  void SetPivot(int Pos, int Row);
  int Id(int Pos) const { return FIds[static_cast<size_t>(Pos - FLeft)]; }
  const std::vector<int>& Ids() const { return FIds; }
  void Swap(int Pos1, int Pos2);
  // True when a comparison on ACol (with its ties) or on the sort index (ACol < 0) may reach a
  // column of the style.
  bool ReachesStyle(int ACol, TSortStyle Style);
  // As TAdvStringGrid::CompareRows and CompareRowsIndexed; both count Compares.
  int CompareRows(int ACol, int Pos1, int Pos2);
  int CompareRowsIndexed(int Pos1, int Pos2);

  // The rules themselves, also for two cells outside a sort.
  static void ResolveColumn(TAdvStringGrid* G, int ACol, TSortKeyColumn& C);
  static TSortCellKey MakeKey(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C);
  // What MakeKey derives from the text already in K and from the cell.
  static void FillKey(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C, TSortCellKey& K);
  // What automatic detection reads of a text; Row < 0 leaves the cell type unread.
  static void Classify(TAdvStringGrid* G, int ACol, int Row, const TSortKeyColumn& C, TSortCellKey& K);
  static void ReadCheckBox(TAdvStringGrid* G, int ACol, int Row, TSortCellKey& K);
  static TSortStyle ResolveStyle(const TSortKeyColumn& C, bool IgnoreCase, const TSortCellKey& K1,
                                 const TSortCellKey& K2);
  static int CompareKeys(TAdvStringGrid* G, int ACol, TSortKeyColumn& C, TSortCellKey& K1, int Row1,
                         TSortCellKey& K2, int Row2, TSortDirection Direction);

  // Ranks of the rows at positions Left .. Right under the sort's whole comparison (CompareRows on
  // ACol, CompareRowsIndexed for ACol < 0), by position: rows of equal rank compare equal, a lower
  // rank sorts first. False, with nothing ranked, when that comparison is no fixed order of the
  // cells' values: an event or the locale's collation decides, a column's style differs between
  // rows it compares, or a column that stays in place breaks a tie.
  bool Rank(int ACol, std::vector<int>& Ranks);
  // The text a comparison reads of a cell.
  static String CellText(TAdvStringGrid* G, int ACol, int Row);
  // The same into Text, whose buffer is reused.
  static void ReadCellText(TAdvStringGrid* G, int ACol, int Row, String& Text);
  // A check box cell, which automatic detection compares by its state.
  static bool IsCheckCell(TAdvStringGrid* G, int ACol, int Row);
  // True when every two of the cells with these texts compare equal whatever the style: one text
  // in all, and no check box (CheckCells, read for ssAutomatic) or picture to tell them apart.
  static bool AllTie(const TSortKeyColumn& C, const String* Texts, const char* CheckCells, size_t N);
  // What FillKey finds for each of the rows with these texts and check box cells (read for
  // ssAutomatic), check box states read for all when one is a check box cell; kept apart from the texts.
  static void FillCells(TAdvStringGrid* G, int ACol, const TSortKeyColumn& C, int First, const int* Positions,
                        String* Texts, const char* CheckCells, TSortRankCell* Cells, size_t N);
  // The style every comparison between two of the cells Cells[Index[i]] resolves to; false when it
  // depends on the pair.
  static bool UniformStyle(const TSortKeyColumn& C, bool IgnoreCase, const TSortRankCell* Cells, const int* Index,
                           size_t N, TSortStyle& Style);
  // What a resolved style orders by: a number, a text compared by code units, or neither (events
  // and the locale's collation).
  enum class TOrderBy { None, Number, Text };
  static TOrderBy OrderBy(TSortStyle Style);
  static double OrderNumber(const TSortKeyColumn& C, TSortStyle Style, String& Text, const TSortRankCell& Cell);
  // The text compared, made in place (upper-cased or without tags).
  static const String& OrderText(TSortStyle Style, String& Text);

 private:
  struct TSortAt {
    int Id, Pos, Row;
  };
  TSortAt At(int Pos) const { return Pos == kPivot ? FPivot : TSortAt{Id(Pos), Pos, Pos}; }
  bool Travels(int ACol) const { return FAllTravel || ACol == FTravelCol; }
  TSortKeyColumn& Resolved(int ACol);
  // Resolved and, unless ignored, its keys read.
  TSortKeyColumn& Column(int ACol) {
    if (static_cast<size_t>(ACol) < FColumns.size()) {
      TSortKeyColumn& c = FColumns[static_cast<size_t>(ACol)];
      if (c.Prepared || c.Ignored) return c;
    }
    return Prepare(ACol);
  }
  TSortKeyColumn& Prepare(int ACol);
  int CompareColumn(int ACol, const TSortAt& A, const TSortAt& B, TSortDirection Direction);
  // Orders the rows at Rows[0 .. N) (positions from FLeft), which tie on the columns before, by
  // column Col; Starts gets the offset (from Offset) of each run of equal rows.
  // Texts and CheckCells: what the cells of the rows hold (the texts are taken).
  bool RankRun(int Col, TSortDirection Direction, bool Reverse, int* Rows, String* Texts, const char* CheckCells,
               size_t N, size_t Offset, std::vector<size_t>& Starts);
  TAdvStringGrid* FGrid;
  TSortScratch& FScratch;
  int FLeft;
  std::vector<int> FIds;
  std::vector<TSortKeyColumn> FColumns;  // by real column, grown on demand
  bool FRowsMove = false;
  bool FSelfEqual = false;
  bool FAllTravel = true;
  int FTravelCol = -1;
  // The settings of the sort, read once.
  bool FFull = true;
  TSortDirection FDirection = sdAscending;
  int FColumnsToCompare = 0;  // TotalColCount
  TSortAt FPivot{0, 0, -1};
};
