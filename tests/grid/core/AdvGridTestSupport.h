#pragma once
// A string grid on a shown form, and a grid that lets tests place hidden-row records (the
// operations that hide rows come later).
#include <initializer_list>
#include <string>

#include "grid/core/AdvGrid.h"
#include "platform/Forms.h"
#include "platform/HintWindow.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace advgrid_test {

inline std::string Utf8(const String& s) { return StringToUtf8(s); }

class TRecordGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  // A record for real row Idx holding Texts (by real column), kept in ascending Idx order.
  TGridItem* AddHiddenRecord(int Idx, std::initializer_list<const char16_t*> Texts, TObject* Obj0 = nullptr) {
    int pos = 0;
    while (pos < GridItems()->Count() && static_cast<TGridItem*>(GridItems()->Items(pos))->Idx() < Idx) ++pos;
    auto* item = static_cast<TGridItem*>(GridItems()->Insert(pos));
    item->SetIdx(Idx);
    int i = 0;
    for (const char16_t* t : Texts) item->Items()->AddObject(t, i++ == 0 ? Obj0 : nullptr);
    return item;
  }
  TIntList* XRef() const { return SortRowXRef(); }
};

template <class TGrid = TAdvStringGrid>
struct GridForm {
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TGrid* grid = nullptr;

  GridForm() {
    form = New<TForm>(nullptr);
    form->SetClientWidth(600);
    form->SetClientHeight(500);
    grid = New<TGrid>(form);
    grid->SetParent(form);
    grid->SetBounds(10, 10, 400, 250);
    form->Show();
    grid->TakeInvalidatedRects();
  }
  ~GridForm() { delete form; }
};

// What the grid answers the hint request with for the cursor at At (client pixels).
inline THintInfo AskHintAt(TAdvStringGrid* g, TPoint At) {
  THintInfo info;
  info.HintControl = g;
  info.HintWindowClass = HintWindowClass;
  info.CursorPos = At;
  info.HintStr = g->Hint();
  g->Perform(CM_HINTSHOW, 0, reinterpret_cast<intptr_t>(&info));
  return info;
}

}  // namespace advgrid_test
