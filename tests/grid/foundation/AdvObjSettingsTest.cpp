#include "grid/foundation/AdvObjSettings.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

// Counts the calls of a notify event.
struct Counter {
  int n = 0;
  TNotifyEvent Handler() {
    return [this](TObject*) { ++n; };
  }
};

// ---- TSearchFooter ----------------------------------------------------------------------------

TEST(SearchFooterTest, RunTimeDefaultsHaveNoCaptions) {
  TSearchFooter f(nullptr, false);
  EXPECT_FALSE(f.AlwaysHighLight());
  EXPECT_TRUE(f.AutoSearch());
  EXPECT_EQ(f.Color(), 0xFFFFFF);
  EXPECT_EQ(f.ColorTo(), clBtnFace);
  for (const String* s : {&f.FindNextCaption(), &f.FindPrevCaption(), &f.HighLightCaption(),
                          &f.HintClose(), &f.HintFindNext(), &f.HintFindPrev(), &f.HintHighlight(),
                          &f.MatchCaseCaption()})
    EXPECT_EQ(*s, u"");
  EXPECT_FALSE(f.SearchActiveColumnOnly());
  EXPECT_EQ(f.SearchColumn(), -1);
  EXPECT_FALSE(f.SearchMatchStart());
  EXPECT_FALSE(f.SearchFixedCells());
  EXPECT_FALSE(f.SearchHiddenRows());
  EXPECT_EQ(f.SearchDirection(), sdTopBottom);
  EXPECT_TRUE(f.ShowClose());
  EXPECT_TRUE(f.ShowFindNext());
  EXPECT_TRUE(f.ShowFindPrev());
  EXPECT_TRUE(f.ShowHighLight());
  EXPECT_TRUE(f.ShowMatchCase());
  EXPECT_FALSE(f.Visible());
  EXPECT_FALSE(f.AutoThemeAdapt());
  EXPECT_EQ(f.LastSearch, u"");
  TFont plain;
  EXPECT_EQ(f.Font()->Name(), plain.Name());
  EXPECT_EQ(f.Font()->Height(), plain.Height());
}

TEST(SearchFooterTest, DesignTimeCreationFillsTheEnglishTexts) {
  TSearchFooter f(nullptr, true);
  EXPECT_EQ(f.FindPrevCaption(), u"Find &previous");
  EXPECT_EQ(f.FindNextCaption(), u"Find &next");
  EXPECT_EQ(f.MatchCaseCaption(), u"Match case");
  EXPECT_EQ(f.HighLightCaption(), u"Highlight");
  EXPECT_EQ(f.HintClose(), u"Close");
  EXPECT_EQ(f.HintFindNext(), u"Find next occurrence");
  EXPECT_EQ(f.HintFindPrev(), u"Find previous occurrence");
  EXPECT_EQ(f.HintHighlight(), u"Highlight occurrences");
}

TEST(SearchFooterTest, WritersNotifyAlwaysOrOnlyOnChange) {
  struct Case {
    const char* name;
    std::function<void(TSearchFooter&)> write;
    int calls;
  };
  TFont tahoma;
  tahoma.SetName(u"Tahoma");
  const std::vector<Case> cases = {
      {"Color, same value", [](TSearchFooter& f) { f.SetColor(0xFFFFFF); }, 1},
      {"ColorTo", [](TSearchFooter& f) { f.SetColorTo(0xF0F0F0); }, 1},
      {"FindNextCaption, same value", [](TSearchFooter& f) { f.SetFindNextCaption(u""); }, 1},
      {"HintClose", [](TSearchFooter& f) { f.SetHintClose(u"x"); }, 1},
      {"ShowClose, same value", [](TSearchFooter& f) { f.SetShowClose(true); }, 1},
      {"Font", [&](TSearchFooter& f) { f.SetFont(&tahoma); }, 1},
      {"AutoThemeAdapt", [](TSearchFooter& f) { f.SetAutoThemeAdapt(false); }, 1},
      {"ShowFindNext, same value", [](TSearchFooter& f) { f.SetShowFindNext(true); }, 0},
      {"ShowFindNext", [](TSearchFooter& f) { f.SetShowFindNext(false); }, 1},
      {"ShowMatchCase, same value", [](TSearchFooter& f) { f.SetShowMatchCase(true); }, 0},
      {"Visible, same value", [](TSearchFooter& f) { f.SetVisible(false); }, 0},
      {"Visible", [](TSearchFooter& f) { f.SetVisible(true); }, 1},
      {"SearchColumn (plain)", [](TSearchFooter& f) { f.SetSearchColumn(3); }, 0},
      {"AutoSearch (plain)", [](TSearchFooter& f) { f.SetAutoSearch(false); }, 0},
  };
  for (const Case& c : cases) {
    TSearchFooter f(nullptr, false);
    Counter counter;
    f.OnChange = counter.Handler();
    c.write(f);
    EXPECT_EQ(counter.n, c.calls) << c.name;
  }
}

TEST(SearchFooterTest, SetFontCopiesTheFont) {
  TSearchFooter f(nullptr, false);
  TFont font;
  font.SetName(u"Tahoma");
  font.SetHeight(-11);
  f.SetFont(&font);
  EXPECT_NE(f.Font(), &font);
  EXPECT_EQ(f.Font()->Name(), u"Tahoma");
  EXPECT_EQ(f.Font()->Height(), -11);
}

TEST(SearchFooterTest, AssignCopiesSettingsButNotThePublicState) {
  TSearchFooter src(nullptr, true);
  src.SetColorTo(0xF0F0F0);
  src.SetSearchColumn(4);
  src.SetSearchDirection(sdLeftRight);
  src.SetShowFindPrev(false);
  src.SetVisible(true);
  src.SetAutoThemeAdapt(true);
  src.LastSearch = u"abc";
  TFont font;
  font.SetName(u"Tahoma");
  src.SetFont(&font);

  TSearchFooter dst(nullptr, false);
  Counter counter;
  dst.OnChange = counter.Handler();
  dst.Assign(&src);
  EXPECT_EQ(counter.n, 0);
  EXPECT_EQ(dst.ColorTo(), 0xF0F0F0);
  EXPECT_EQ(dst.SearchColumn(), 4);
  EXPECT_EQ(dst.SearchDirection(), sdLeftRight);
  EXPECT_FALSE(dst.ShowFindPrev());
  EXPECT_TRUE(dst.Visible());
  EXPECT_EQ(dst.FindNextCaption(), u"Find &next");
  EXPECT_EQ(dst.HintHighlight(), u"Highlight occurrences");
  EXPECT_EQ(dst.Font()->Name(), u"Tahoma");
  EXPECT_FALSE(dst.AutoThemeAdapt());
  EXPECT_EQ(dst.LastSearch, u"");
}

// ---- Assign from a foreign class --------------------------------------------------------------

TEST(GridSettingsTest, AssignFromAnotherClassIsIgnoredWithoutError) {
  TBands bands;
  TNavigation nav;
  nav.SetAllowInsertRow(true);
  Counter counter;
  nav.OnChange = counter.Handler();
  EXPECT_NO_THROW(nav.Assign(&bands));
  EXPECT_NO_THROW(nav.Assign(nullptr));
  EXPECT_TRUE(nav.AllowInsertRow());
  EXPECT_EQ(counter.n, 0);

  TSearchFooter footer(nullptr, false);
  TMouseActions mouse(nullptr);
  TFocusHelper focus(nullptr);
  TSyncGrid sync(nullptr);
  EXPECT_NO_THROW(footer.Assign(&nav));
  EXPECT_NO_THROW(mouse.Assign(&footer));
  EXPECT_NO_THROW(focus.Assign(&mouse));
  EXPECT_NO_THROW(sync.Assign(&focus));
  EXPECT_NO_THROW(bands.Assign(&sync));
  EXPECT_EQ(footer.SearchColumn(), -1);
}

// ---- TNavigation ------------------------------------------------------------------------------

TEST(NavigationTest, Defaults) {
  TNavigation n;
  const std::vector<std::pair<const char*, bool>> flags = {
      {"AllowInsertRow", n.AllowInsertRow()},
      {"AllowDeleteRow", n.AllowDeleteRow()},
      {"AlwaysEdit", n.AlwaysEdit()},
      {"AdvanceOnEnter", n.AdvanceOnEnter()},
      {"AdvanceInsert", n.AdvanceInsert()},
      {"AutoGotoWhenSorted", n.AutoGotoWhenSorted()},
      {"AutoGotoIncremental", n.AutoGotoIncremental()},
      {"AutoComboDropSize", n.AutoComboDropSize()},
      {"AllowClipboardShortCuts", n.AllowClipboardShortCuts()},
      {"AllowSmartClipboard", n.AllowSmartClipboard()},
      {"AllowRTFClipboard", n.AllowRTFClipboard()},
      {"AllowFmtClipboard", n.AllowFmtClipboard()},
      {"AllowClipboardAlways", n.AllowClipboardAlways()},
      {"AdvanceAuto", n.AdvanceAuto()},
      {"AppendOnArrowDown", n.AppendOnArrowDown()},
      {"CursorWalkEditor", n.CursorWalkEditor()},
      {"CursorMoveRows", n.CursorMoveRows()},
      {"MoveRowOnSort", n.MoveRowOnSort()},
      {"KeepScrollOnSort", n.KeepScrollOnSort()},
      {"MoveScrollOnly", n.MoveScrollOnly()},
      {"ImproveMaskSel", n.ImproveMaskSel()},
      {"KeepHorizScroll", n.KeepHorizScroll()},
      {"LineFeedOnEnter", n.LineFeedOnEnter()},
      {"TabToNextAtEnd", n.TabToNextAtEnd()}};
  for (auto [name, value] : flags) EXPECT_FALSE(value) << name;
  const std::vector<std::pair<const char*, bool>> onFlags = {
      {"AdvanceOnEnterLoop", n.AdvanceOnEnterLoop()},
      {"AdvanceAutoEdit", n.AdvanceAutoEdit()},
      {"AdvanceSkipReadOnlyCells", n.AdvanceSkipReadOnlyCells()},
      {"AllowCtrlEnter", n.AllowCtrlEnter()},
      {"AllowClipboardRowGrow", n.AllowClipboardRowGrow()},
      {"AllowClipboardColGrow", n.AllowClipboardColGrow()},
      {"EditSelectAll", n.EditSelectAll()},
      {"ComboGetUpDown", n.ComboGetUpDown()},
      {"CursorWalkAlwaysEdit", n.CursorWalkAlwaysEdit()},
      {"LeftRightRowSelect", n.LeftRightRowSelect()},
      {"CopyHTMLTagsToClipboard", n.CopyHTMLTagsToClipboard()},
      {"SkipFixedCells", n.SkipFixedCells()},
      {"SkipDisabledRows", n.SkipDisabledRows()}};
  for (auto [name, value] : onFlags) EXPECT_TRUE(value) << name;
  EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
  EXPECT_EQ(n.TabAdvanceDirection(), adLeftRight);
  EXPECT_EQ(n.InsertPosition(), pInsertBefore);
  EXPECT_EQ(n.ClipboardPasteAction(), paReplace);
  EXPECT_EQ(n.CursorAdvance(), caDefault);
  EXPECT_EQ(n.HomeEndKey(), heFirstLastColumn);
}

TEST(NavigationTest, OnlyAdvanceInsertAndAdvanceDirectionNotifyAndOnlyOnChange) {
  TNavigation n;
  Counter counter;
  n.OnChange = counter.Handler();
  n.SetAdvanceInsert(false);
  n.SetAdvanceDirection(adLeftRight);
  EXPECT_EQ(counter.n, 0);
  n.SetAdvanceInsert(true);
  n.SetAdvanceDirection(adTopBottom);
  EXPECT_EQ(counter.n, 2);
  n.SetAllowInsertRow(true);
  n.SetTabAdvanceDirection(adTopBottomInCol);
  n.SetAdvanceAuto(true);
  EXPECT_EQ(counter.n, 2);
}

TEST(NavigationTest, AdvanceAutoSwitchesAdvanceOnEnterOnButNeverOff) {
  TNavigation n;
  n.SetAdvanceAuto(true);
  EXPECT_TRUE(n.AdvanceOnEnter());
  n.SetAdvanceAuto(false);
  EXPECT_TRUE(n.AdvanceOnEnter());
  EXPECT_FALSE(n.AdvanceAuto());

  TNavigation m;
  m.SetAdvanceAuto(false);  // unchanged: nothing happens
  EXPECT_FALSE(m.AdvanceOnEnter());
}

TEST(NavigationTest, AssignReproducesBothDirectionsAndRaisesNoEvent) {
  TNavigation src;
  src.SetAdvanceDirection(adTopBottom);
  src.SetTabAdvanceDirection(adLeftRightInRow);
  src.SetKeepScrollOnSort(true);
  src.SetHomeEndKey(heFirstLastCell);
  src.SetEditSelectAll(false);
  TNavigation dst;
  Counter counter;
  dst.OnChange = counter.Handler();
  dst.Assign(&src);
  EXPECT_EQ(dst.AdvanceDirection(), adTopBottom);
  EXPECT_EQ(dst.TabAdvanceDirection(), adLeftRightInRow);
  EXPECT_TRUE(dst.KeepScrollOnSort());
  EXPECT_EQ(dst.HomeEndKey(), heFirstLastCell);
  EXPECT_FALSE(dst.EditSelectAll());
  EXPECT_EQ(counter.n, 0);
}

// ---- TMouseActions ----------------------------------------------------------------------------

TEST(MouseActionsTest, Defaults) {
  TMouseActions m(nullptr);
  EXPECT_TRUE(m.AutoSizeColOnDblClick());
  EXPECT_TRUE(m.PreciseNodeClick());
  const std::vector<std::pair<const char*, bool>> off = {
      {"AllColumnSize", m.AllColumnSize()}, {"AllRowSize", m.AllRowSize()},
      {"AllSelect", m.AllSelect()}, {"CaretPositioning", m.CaretPositioning()},
      {"CheckAllCheck", m.CheckAllCheck()}, {"ColSelect", m.ColSelect()},
      {"DirectComboClose", m.DirectComboClose()}, {"DirectComboDrop", m.DirectComboDrop()},
      {"DirectDateClose", m.DirectDateClose()}, {"DirectDateDrop", m.DirectDateDrop()},
      {"DirectEdit", m.DirectEdit()}, {"DisjunctRowSelect", m.DisjunctRowSelect()},
      {"DisjunctRowSelectNoCtrl", m.DisjunctRowSelectNoCtrl()},
      {"DisjunctColSelect", m.DisjunctColSelect()}, {"DisjunctCellSelect", m.DisjunctCellSelect()},
      {"EditOnDblClickOnly", m.EditOnDblClickOnly()}, {"HotmailRowSelect", m.HotmailRowSelect()},
      {"MoveRowOnNodeClick", m.MoveRowOnNodeClick()}, {"NoAutoRangeScroll", m.NoAutoRangeScroll()},
      {"NodeAllExpandContract", m.NodeAllExpandContract()},
      {"NoScrollOnPartialRow", m.NoScrollOnPartialRow()},
      {"PreciseCheckBoxCheck", m.PreciseCheckBoxCheck()},
      {"RangeSelectAndEdit", m.RangeSelectAndEdit()}, {"RowSelect", m.RowSelect()},
      {"RowSelectPersistent", m.RowSelectPersistent()},
      {"SelectOnRightClick", m.SelectOnRightClick()}, {"SizeFixedCol", m.SizeFixedCol()},
      {"SizeFixedRow", m.SizeFixedRow()}};
  for (auto [name, value] : off) EXPECT_FALSE(value) << name;
  EXPECT_EQ(m.FixedRowsEdit(), fceNone);
  EXPECT_EQ(m.FixedColsEdit(), fceNone);
  EXPECT_EQ(m.FixedRowsEditor(), fceEdit);
  EXPECT_EQ(m.FixedColsEditor(), fceEdit);
  EXPECT_EQ(m.FixedComboValues()->Count(), 0);
  EXPECT_EQ(m.WheelIncrement(), 0);
  EXPECT_EQ(m.WheelAction(), waMoveSelection);
}

TEST(MouseActionsTest, DisjunctSelectionsExcludeEachOtherOnlyWhileDesigning) {
  for (bool designing : {false, true}) {
    TMouseActions m(nullptr);
    m.OnIsDesigning = [designing](TObject*, bool& d) { d = designing; };
    m.SetDisjunctColSelect(true);
    m.SetDisjunctRowSelect(true);
    EXPECT_TRUE(m.DisjunctRowSelect());
    EXPECT_EQ(m.DisjunctColSelect(), !designing) << designing;
    m.SetDisjunctCellSelect(true);
    EXPECT_EQ(m.DisjunctRowSelect(), !designing) << designing;
    m.SetDisjunctRowSelectDirect(true);
    EXPECT_TRUE(m.DisjunctCellSelect());
    EXPECT_TRUE(m.DisjunctRowSelect());
  }
}

TEST(MouseActionsTest, HotmailRowSelectSetsItsCompanionsAndAlwaysInvalidates) {
  TMouseActions m(nullptr);
  Counter invalidate, change;
  m.OnInvalidate = invalidate.Handler();
  m.OnChange = change.Handler();
  m.OnIsDesigning = [](TObject*, bool& d) { d = true; };
  m.SetDisjunctColSelect(true);
  m.SetHotmailRowSelect(true);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_TRUE(m.CheckAllCheck());
  EXPECT_TRUE(m.DisjunctColSelect());  // plain write: no exclusion rule
  EXPECT_EQ(invalidate.n, 1);
  m.SetHotmailRowSelect(false);
  EXPECT_TRUE(m.DisjunctRowSelect());
  EXPECT_TRUE(m.CheckAllCheck());
  EXPECT_EQ(invalidate.n, 2);
  EXPECT_EQ(change.n, 0);
}

TEST(MouseActionsTest, EditOnDblClickOnlyDisablesEditingAndWheelActionNotifiesOnChange) {
  TMouseActions m(nullptr);
  Counter disable, change;
  m.OnDisableEdit = disable.Handler();
  m.OnChange = change.Handler();
  m.SetEditOnDblClickOnly(false);
  EXPECT_EQ(disable.n, 0);
  m.SetEditOnDblClickOnly(true);
  m.SetEditOnDblClickOnly(true);
  EXPECT_EQ(disable.n, 2);
  m.SetWheelAction(waMoveSelection);
  EXPECT_EQ(change.n, 0);
  m.SetWheelAction(waScroll);
  EXPECT_EQ(change.n, 1);
}

TEST(MouseActionsTest, FixedComboValuesAreCopiedIntoTheOwnedList) {
  TMouseActions m(nullptr);
  TStringList values;
  values.Add(u"A");
  values.Add(u"B");
  m.SetFixedComboValues(&values);
  values.Clear();
  ASSERT_EQ(m.FixedComboValues()->Count(), 2);
  EXPECT_EQ(m.FixedComboValues()->Strings(1), u"B");
}

TEST(MouseActionsTest, AssignCopiesEverySettingWithoutEvents) {
  TMouseActions src(nullptr);
  src.SetRowSelect(true);
  src.SetWheelIncrement(3);
  src.SetWheelAction(waScroll);
  src.SetFixedColsEdit(fceDblClick);
  src.SetFixedRowsEditor(fceComboList);
  src.SetDisjunctCellSelect(true);
  src.SetSizeFixedRow(true);
  src.SetHotmailRowSelect(true);
  src.SetEditOnDblClickOnly(true);
  src.FixedComboValues()->Add(u"x");
  TMouseActions dst(nullptr);
  Counter any;
  dst.OnChange = any.Handler();
  dst.OnInvalidate = any.Handler();
  dst.OnDisableEdit = any.Handler();
  dst.Assign(&src);
  EXPECT_EQ(any.n, 0);
  EXPECT_TRUE(dst.RowSelect());
  EXPECT_EQ(dst.WheelIncrement(), 3);
  EXPECT_EQ(dst.WheelAction(), waScroll);
  EXPECT_EQ(dst.FixedColsEdit(), fceDblClick);
  EXPECT_EQ(dst.FixedRowsEditor(), fceComboList);
  EXPECT_TRUE(dst.DisjunctCellSelect());
  EXPECT_TRUE(dst.DisjunctRowSelect());
  EXPECT_TRUE(dst.CheckAllCheck());
  EXPECT_TRUE(dst.SizeFixedRow());
  EXPECT_TRUE(dst.HotmailRowSelect());
  EXPECT_TRUE(dst.EditOnDblClickOnly());
  EXPECT_EQ(dst.FixedComboValues()->Count(), 1);
}

// ---- TSyncGrid, TBands, TFocusHelper ----------------------------------------------------------

TEST(SyncGridTest, TheOwningGridIsRefused) {
  // Only identities are compared, so stand-in addresses do for the grids.
  alignas(8) char owner[8], other[8];
  auto* ownerGrid = reinterpret_cast<TStringGrid*>(owner);
  auto* otherGrid = reinterpret_cast<TStringGrid*>(other);
  TSyncGrid sync(ownerGrid);
  EXPECT_EQ(sync.Grid(), nullptr);
  sync.SetGrid(otherGrid);
  sync.SetGrid(ownerGrid);
  EXPECT_EQ(sync.Grid(), otherGrid);
  EXPECT_FALSE(sync.ScrollVertical() || sync.ScrollHorizontal() || sync.SelectionColumn() ||
               sync.SelectionRow() || sync.MoveColumn() || sync.MoveRow());

  TSyncGrid src(otherGrid);
  src.SetGrid(ownerGrid);
  src.SetMoveRow(true);
  src.SetScrollHorizontal(true);
  TSyncGrid dst(ownerGrid);
  dst.SetGrid(otherGrid);
  dst.Assign(&src);  // through the writer: the destination's own grid is refused
  EXPECT_EQ(dst.Grid(), otherGrid);
  EXPECT_TRUE(dst.MoveRow());
  EXPECT_TRUE(dst.ScrollHorizontal());
}

TEST(BandsTest, DefaultsAndNotificationsOnlyWhileActive) {
  TBands b;
  EXPECT_FALSE(b.Active());
  EXPECT_EQ(b.PrimaryColor(), clInfoBk);
  EXPECT_EQ(b.SecondaryColor(), clWindow);
  EXPECT_EQ(b.PrimaryLength(), 1);
  EXPECT_EQ(b.SecondaryLength(), 1);
  EXPECT_EQ(b.TotalLength(), 2);
  EXPECT_FALSE(b.Print());

  Counter counter;
  b.OnChange = counter.Handler();
  b.SetPrimaryColor(clRed);
  b.SetPrimaryLength(3);
  b.SetSecondaryLength(2);
  EXPECT_EQ(counter.n, 0);
  EXPECT_EQ(b.TotalLength(), 5);

  b.SetActive(true);
  EXPECT_EQ(counter.n, 1);
  b.SetActive(true);
  b.SetPrimaryColor(clRed);  // unchanged
  EXPECT_EQ(counter.n, 1);
  b.SetSecondaryColor(clYellow);
  b.SetSecondaryLength(4);
  EXPECT_EQ(counter.n, 3);
  EXPECT_EQ(b.TotalLength(), 7);
  b.SetPrint(true);
  EXPECT_EQ(counter.n, 3);
}

TEST(BandsTest, AssignRecomputesTheTotalLength) {
  TBands src;
  src.SetActive(true);
  src.SetPrimaryLength(2);
  src.SetSecondaryLength(5);
  src.SetPrimaryColor(clAqua);
  src.SetPrint(true);
  TBands dst;
  Counter counter;
  dst.OnChange = counter.Handler();
  dst.Assign(&src);
  EXPECT_EQ(counter.n, 0);
  EXPECT_TRUE(dst.Active());
  EXPECT_EQ(dst.PrimaryColor(), clAqua);
  EXPECT_EQ(dst.TotalLength(), 7);
  EXPECT_TRUE(dst.Print());
}

TEST(FocusHelperTest, DefaultAndAssign) {
  TFocusHelper a(nullptr), b(nullptr);
  EXPECT_FALSE(a.Enabled());
  b.SetEnabled(true);
  a.Assign(&b);
  EXPECT_TRUE(a.Enabled());
}

}  // namespace
