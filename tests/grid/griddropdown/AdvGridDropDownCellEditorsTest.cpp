// The multi-column and grid drop-down editors over grid cells: items filled by the editor-property
// event, the opening item and text, committing, Esc, and the popup's row taken by Enter.
#include <gtest/gtest.h>

#include "grid/griddropdown/AdvGridDropDownCellEditors.h"
#include "tests/grid/core/AdvGridEditorsTestSupport.h"

namespace griddropdown_editors_test {

using editors_test::EditorForm;

constexpr int kCol = 2;
constexpr int kRow = 2;

// Fills either editor's items from the editor-property event, as a program would.
struct LookupEditorForm : EditorForm {
  LookupEditorForm() {
    grid->OnGetEditorProp = [this](TObject*, int c, int, TEditLink*) {
      if (kinds[c] == edGridDropDown) Fill(grid->GridDropDown());
      if (kinds[c] == edAdvGridDropDown) Fill(grid->AdvGridDropDown());
    };
  }
  template <class TEditor>
  void Fill(TEditor* Editor) {
    Editor->Columns()->Clear();
    Editor->Columns()->Add()->SetWidth(80);
    Editor->Columns()->Add()->SetWidth(40);
    Editor->Items()->Clear();
    for (const auto& [name, code] : {std::pair{u"alpha", u"1"}, {u"beta", u"2"}, {u"gamma", u"3"}}) {
      auto* item = Editor->Items()->Add();
      item->Text()->Add(name);
      item->Text()->Add(code);
    }
    // No EndUpdate here: the editor rebuilds its lookup list itself after the event.
  }
  TAdvCustomDropDown* editor() { return dynamic_cast<TAdvCustomDropDown*>(grid->EditCtrl()); }
  bool open() { return grid->InEditMode() && editor() && editor()->Visible(); }
  TForm* popup() { return editor() ? GridDropDownPopup(editor()) : nullptr; }
};

template <class TEditor>
int ItemIndexOf(TAdvCustomDropDown* Editor) {
  return static_cast<TEditor*>(Editor)->ItemIndex();
}

TEST(AdvGridLookupDropDownEditors, OpenOnTheItemOfTheCellAndCommitTheirText) {
  for (TEditorType kind : {edGridDropDown, edAdvGridDropDown}) {
    SCOPED_TRACE(static_cast<int>(kind));
    LookupEditorForm f;
    f.Edit(kCol, kRow, kind, u"beta");
    ASSERT_TRUE(f.open());
    const int index = kind == edGridDropDown ? ItemIndexOf<TGridGridDropDown>(f.editor())
                                             : ItemIndexOf<TGridAdvGridDropDown>(f.editor());
    EXPECT_EQ(index, 1);
    EXPECT_EQ(f.editor()->GetText(), u"beta");
    // Untouched, the cell keeps its text.
    f.grid->HideInplaceEdit();
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.Cell(kCol, kRow), "beta");
    EXPECT_TRUE(f.Has("done"));

    // An empty cell opens on the first item and still shows nothing.
    f.Edit(kCol, kRow + 1, kind, u"");
    ASSERT_TRUE(f.open());
    const int first = kind == edGridDropDown ? ItemIndexOf<TGridGridDropDown>(f.editor())
                                             : ItemIndexOf<TGridAdvGridDropDown>(f.editor());
    EXPECT_EQ(first, 0);
    EXPECT_EQ(f.editor()->GetText(), u"");
    f.grid->HideInplaceEdit();
    EXPECT_EQ(f.Cell(kCol, kRow + 1), "");
  }
}

TEST(AdvGridLookupDropDownEditors, TypingCompletesFromItemsFilledByTheEvent) {
  for (TEditorType kind : {edGridDropDown, edAdvGridDropDown}) {
    SCOPED_TRACE(static_cast<int>(kind));
    LookupEditorForm f;
    f.Edit(kCol, kRow, kind, u"");
    ASSERT_TRUE(f.open());
    f.Type(u"g");
    EXPECT_EQ(f.editor()->GetText(), u"gamma");
    f.Key(VK_RETURN);
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.Cell(kCol, kRow), "gamma");
  }
}

TEST(AdvGridLookupDropDownEditors, EnterInTheOpenPopupTakesTheRowAndEscKeepsTheCell) {
  for (TEditorType kind : {edGridDropDown, edAdvGridDropDown}) {
    SCOPED_TRACE(static_cast<int>(kind));
    LookupEditorForm f;
    f.grid->MouseActions()->SetDirectComboDrop(true);
    f.Edit(kCol, kRow, kind, u"alpha");
    ASSERT_TRUE(f.open());
    ASSERT_NE(f.popup(), nullptr);
    f.driver.Key(f.popup(), VK_DOWN);
    f.driver.Key(f.popup(), VK_DOWN);
    f.driver.Key(f.popup(), VK_RETURN);
    if (kind == edAdvGridDropDown) {
      // The grid drop-down's popup grid takes Enter itself: the popup closes, the editor stays.
      EXPECT_TRUE(f.open());
      EXPECT_EQ(f.popup(), nullptr);
      EXPECT_EQ(f.editor()->GetText(), u"gamma");
      f.Key(VK_RETURN);
    }
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.Cell(kCol, kRow), "gamma");

    // Esc in the open popup ends the edit with the cell as it was, not with the popup's row.
    f.Edit(kCol, kRow, kind, u"alpha");
    ASSERT_NE(f.popup(), nullptr);
    f.driver.Key(f.popup(), VK_DOWN);
    f.driver.Key(f.popup(), VK_ESCAPE);
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.Cell(kCol, kRow), "alpha");
    EXPECT_TRUE(f.grid->Focused());
  }
}

TEST(AdvGridLookupDropDownEditors, EditorsBelongToTheirGridAndTakeItsStyle) {
  LookupEditorForm f;
  f.grid->SetComponentStyle(tsOffice2007Obsidian);
  TGridGridDropDown* multi = f.grid->GridDropDown();
  TGridAdvGridDropDown* advGrid = f.grid->AdvGridDropDown();
  ASSERT_NE(multi, nullptr);
  ASSERT_NE(advGrid, nullptr);
  EXPECT_EQ(f.grid->GridDropDown(), multi);
  EXPECT_EQ(multi->TGridDropDownEditor::Grid(), f.grid);
  EXPECT_EQ(advGrid->TGridDropDownEditor::Grid(), f.grid);
  // The grid drop-down's Grid is the grid in its popup.
  EXPECT_EQ(advGrid->Grid(), advGrid->GetPopupGrid());
  EXPECT_EQ(multi->Parent(), f.grid);
  EXPECT_FALSE(multi->Visible());
  EXPECT_EQ(multi->GetComponentStyle(), tsOffice2007Obsidian);
  EXPECT_EQ(advGrid->GetComponentStyle(), tsOffice2007Obsidian);
  // The multi-column drop-down's header takes the style's colours.
  EXPECT_EQ(multi->HeaderFont()->Color(), static_cast<TColor>(0x433C37));
}

}  // namespace griddropdown_editors_test
