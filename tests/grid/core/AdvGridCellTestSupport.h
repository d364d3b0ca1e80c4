#pragma once
// Helpers of the cell-level tests: a grid freed at the end of the scope, and a grid whose
// column 2 carries virtual check boxes in its normal cells, as a column grid's data check-box
// column does.
#include "grid/core/AdvGrid.h"
#include "platform/Classes.h"

namespace advgrid_test {

struct GridOwner {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  GridOwner() = default;
  GridOwner(const GridOwner&) = delete;
  GridOwner& operator=(const GridOwner&) = delete;
  ~GridOwner() { delete g; }
  TAdvStringGrid* operator->() const { return g; }
};

class VirtualBoxGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  bool Normal(int ACol, int ARow) const {
    return ACol == 2 && ARow >= FixedRows() && ARow < RowCount() - FixedFooters();
  }
  TCellGraphic* GetCellGraphic(int ACol, int ARow) override {
    if (!Normal(ACol, ARow)) return TAdvStringGrid::GetCellGraphic(ACol, ARow);
    SharedCellGraphic()->SetCellType(ctVirtCheckBox);
    return SharedCellGraphic();
  }
  TCellType GetCellType(int ACol, int ARow) override {
    return Normal(ACol, ARow) ? ctVirtCheckBox : TAdvStringGrid::GetCellType(ACol, ARow);
  }
};

}  // namespace advgrid_test
