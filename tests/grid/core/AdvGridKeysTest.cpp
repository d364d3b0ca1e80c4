// Typed characters: Escape while editing, Enter on a read-only cell, the incremental lookup.
#include <gtest/gtest.h>

#include <vector>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

class TKeyGrid : public TAdvStringGrid {
 public:
  using TAdvStringGrid::TAdvStringGrid;
  using TAdvStringGrid::KeyPress;
  using TAdvStringGrid::DialogCode;
  const String& Lookup() const { return SearchInc; }
};

TEST(AdvGridKeys, EscapeWhileEditingRestoresAndSkipsTheClassLibrary) {
  GridForm<TKeyGrid> f;
  TKeyGrid* g = f.grid;
  g->SetOptions(g->Options() | goEditing);
  g->SetCellEx(2, 2, u"old");
  g->GotoCell(2, 2);
  g->SetFocus();
  g->ShowEditor();
  ASSERT_TRUE(g->EditorMode());
  g->SetCellEx(2, 2, u"typed");
  std::vector<Char> seen;
  g->OnKeyPress = [&](TObject*, Char& Key) { seen.push_back(Key); };
  Char key = 27;
  g->KeyPress(key);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "old");
  EXPECT_EQ(seen, (std::vector<Char>{27}));  // once: the class library's handling did not fire it again
}

TEST(AdvGridKeys, EnterOnAReadOnlyCellIsSwallowedAfterOnKeyPress) {
  TKeyGrid* g = New<TKeyGrid>(nullptr);
  g->SetOptions(g->Options() | goEditing);
  g->SetReadOnly(2, 2, true);
  g->GotoCell(2, 2);
  std::vector<Char> seen;
  g->OnKeyPress = [&](TObject*, Char& Key) { seen.push_back(Key); };
  Char key = 13;
  g->KeyPress(key);
  EXPECT_EQ(key, 0);
  EXPECT_EQ(seen, (std::vector<Char>{13}));
  EXPECT_FALSE(g->EditorMode());
  delete g;
}

TEST(AdvGridKeys, IncrementalLookupFollowsTheTypedText) {
  TKeyGrid* g = New<TKeyGrid>(nullptr);
  g->SetRowCount(6);
  g->SortSettings()->SetColumn(1);
  const char16_t* texts[] = {u"zeta", u"Alpha", u"abraham", u"Abel", u"beta"};
  for (int r = 1; r <= 5; ++r) g->SetCellEx(1, r, texts[r - 1]);
  g->Navigation()->SetAutoGotoWhenSorted(true);
  g->Navigation()->SetAutoGotoIncremental(true);
  struct Step {
    Char Key;
    int Row;
    const char* Text;
  };
  const Step steps[] = {{u'a', 2, "a"}, {u'b', 3, "ab"}, {8, 2, "a"}, {u'q', 2, ""}};
  for (const Step& s : steps) {
    Char key = s.Key;
    g->KeyPress(key);
    EXPECT_EQ(g->Row(), s.Row) << s.Text;
    EXPECT_EQ(Utf8(g->Lookup()), s.Text);
  }
  g->SetOptions(g->Options() | goEditing);
  Char key = u'b';
  g->KeyPress(key);
  EXPECT_EQ(g->Row(), 2);  // no lookup while editing is on
  delete g;
}

// The lookup is the grid's Search: the column of the shown sort, its text without tags.
TEST(AdvGridKeys, IncrementalLookupSearchesTheShownSortColumnWithoutTags) {
  TKeyGrid* g = New<TKeyGrid>(nullptr);
  g->SetRowCount(4);
  g->SortSettings()->SetShow(true);
  g->SortSettings()->SetColumn(2);
  const char16_t* texts[][2] = {{u"beta", u"zulu"}, {u"x", u"<b>Bravo</b>"}, {u"bx", u"beta"}};
  for (int r = 1; r <= 3; ++r) {
    g->SetCellEx(1, r, texts[r - 1][0]);
    g->SetCellEx(2, r, texts[r - 1][1]);
  }
  g->Navigation()->SetAutoGotoWhenSorted(true);
  g->Navigation()->SetAutoGotoIncremental(true);
  for (const auto& [key, row] : {std::pair<Char, int>{u'b', 2}, {u'e', 3}}) {
    Char k = key;
    g->KeyPress(k);
    EXPECT_EQ(g->Row(), row) << Utf8(g->Lookup());
  }
  delete g;
}

TEST(AdvGridKeys, CharactersAreWantedWithoutEditingOrWithTheLookup) {
  TKeyGrid* g = New<TKeyGrid>(nullptr);
  EXPECT_NE(g->DialogCode() & DLGC_WANTCHARS, 0u);  // the class library wants them only with goEditing
  g->SetOptions(g->Options() | goEditing);
  g->Navigation()->SetAutoGotoWhenSorted(true);
  EXPECT_NE(g->DialogCode() & DLGC_WANTCHARS, 0u);
  delete g;
}

}  // namespace
