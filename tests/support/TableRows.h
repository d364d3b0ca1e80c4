#pragma once
// Rows of a table form's grid as a list of cell texts (columns 1 .. n), for tests that fill and
// read tables row by row.
#include <vector>

#include "grid/core/AdvGrid.h"

namespace table_rows {

using Cells = std::vector<String>;  // columns 1 .. n of a row

// Row with column Col set to Value.
inline Cells With(Cells Row, int Col, const String& Value) {
  Row[static_cast<size_t>(Col) - 1] = Value;
  return Row;
}

inline void Put_Row(TAdvStringGrid* Grid, int Row, const Cells& Values) {
  for (size_t i = 0; i < Values.size(); ++i) Grid->SetCellEx(static_cast<int>(i) + 1, Row, Values[i]);
}

// Every real column from 1 on, hidden ones included.
inline Cells Row_Of(TAdvStringGrid* Grid, int Row) {
  Cells c;
  for (int i = 1; i < Grid->ColCount() + Grid->NumHiddenColumns(); ++i) c.push_back(Grid->GetCellEx(i, Row));
  return c;
}

}  // namespace table_rows
