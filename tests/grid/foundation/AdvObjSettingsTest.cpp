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

// A Boolean property of a settings class with its default.
template <class T>
struct BoolProp {
  const char* name;
  bool def;
  std::function<bool(const T&)> get;
  std::function<void(T&, bool)> set;
};
#define BOOL_PROP(T, P, D) \
  BoolProp<T> { #P, D, [](const T& o) { return o.P(); }, [](T& o, bool v) { o.Set##P(v); } }

const std::vector<BoolProp<TNavigation>>& NavigationFlags() {
  static const std::vector<BoolProp<TNavigation>> props = {
      BOOL_PROP(TNavigation, AllowInsertRow, false),
      BOOL_PROP(TNavigation, AllowDeleteRow, false),
      BOOL_PROP(TNavigation, AlwaysEdit, false),
      BOOL_PROP(TNavigation, AdvanceOnEnter, false),
      BOOL_PROP(TNavigation, AdvanceOnEnterLoop, true),
      BOOL_PROP(TNavigation, AdvanceInsert, false),
      BOOL_PROP(TNavigation, AdvanceAutoEdit, true),
      BOOL_PROP(TNavigation, AdvanceSkipReadOnlyCells, true),
      BOOL_PROP(TNavigation, AutoGotoWhenSorted, false),
      BOOL_PROP(TNavigation, AutoGotoIncremental, false),
      BOOL_PROP(TNavigation, AutoComboDropSize, false),
      BOOL_PROP(TNavigation, AllowClipboardShortCuts, false),
      BOOL_PROP(TNavigation, AllowCtrlEnter, true),
      BOOL_PROP(TNavigation, AllowSmartClipboard, false),
      BOOL_PROP(TNavigation, AllowRTFClipboard, false),
      BOOL_PROP(TNavigation, AllowFmtClipboard, false),
      BOOL_PROP(TNavigation, AllowClipboardAlways, false),
      BOOL_PROP(TNavigation, AllowClipboardRowGrow, true),
      BOOL_PROP(TNavigation, AllowClipboardColGrow, true),
      BOOL_PROP(TNavigation, AdvanceAuto, false),
      BOOL_PROP(TNavigation, AppendOnArrowDown, false),
      BOOL_PROP(TNavigation, EditSelectAll, true),
      BOOL_PROP(TNavigation, ComboGetUpDown, true),
      BOOL_PROP(TNavigation, CursorWalkEditor, false),
      BOOL_PROP(TNavigation, CursorWalkAlwaysEdit, true),
      BOOL_PROP(TNavigation, CursorMoveRows, false),
      BOOL_PROP(TNavigation, MoveRowOnSort, false),
      BOOL_PROP(TNavigation, KeepScrollOnSort, false),
      BOOL_PROP(TNavigation, MoveScrollOnly, false),
      BOOL_PROP(TNavigation, ImproveMaskSel, false),
      BOOL_PROP(TNavigation, LeftRightRowSelect, true),
      BOOL_PROP(TNavigation, CopyHTMLTagsToClipboard, true),
      BOOL_PROP(TNavigation, KeepHorizScroll, false),
      BOOL_PROP(TNavigation, LineFeedOnEnter, false),
      BOOL_PROP(TNavigation, SkipFixedCells, true),
      BOOL_PROP(TNavigation, SkipDisabledRows, true),
      BOOL_PROP(TNavigation, TabToNextAtEnd, false)};
  return props;
}

TEST(NavigationTest, Defaults) {
  TNavigation n;
  for (const auto& p : NavigationFlags()) EXPECT_EQ(p.get(n), p.def) << p.name;
  EXPECT_EQ(n.AdvanceDirection(), adLeftRight);
  EXPECT_EQ(n.TabAdvanceDirection(), adLeftRight);
  EXPECT_EQ(n.InsertPosition(), pInsertBefore);
  EXPECT_EQ(n.ClipboardPasteAction(), paReplace);
  EXPECT_EQ(n.CursorAdvance(), caDefault);
  EXPECT_EQ(n.HomeEndKey(), heFirstLastColumn);
}

TEST(NavigationTest, AssignCopiesEveryFlag) {
  TNavigation src;
  for (const auto& p : NavigationFlags()) p.set(src, !p.def);
  TNavigation dst;
  dst.Assign(&src);
  for (const auto& p : NavigationFlags()) EXPECT_EQ(p.get(dst), !p.def) << p.name;
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
  src.SetInsertPosition(pInsertAfter);
  src.SetClipboardPasteAction(paInsert);
  src.SetCursorAdvance(caSnake);
  TNavigation dst;
  Counter counter;
  dst.OnChange = counter.Handler();
  dst.Assign(&src);
  EXPECT_EQ(dst.AdvanceDirection(), adTopBottom);
  EXPECT_EQ(dst.TabAdvanceDirection(), adLeftRightInRow);
  EXPECT_TRUE(dst.KeepScrollOnSort());
  EXPECT_EQ(dst.HomeEndKey(), heFirstLastCell);
  EXPECT_FALSE(dst.EditSelectAll());
  EXPECT_EQ(dst.InsertPosition(), pInsertAfter);
  EXPECT_EQ(dst.ClipboardPasteAction(), paInsert);
  EXPECT_EQ(dst.CursorAdvance(), caSnake);
  EXPECT_EQ(counter.n, 0);
}

// ---- TMouseActions ----------------------------------------------------------------------------

const std::vector<BoolProp<TMouseActions>>& MouseFlags() {
  static const std::vector<BoolProp<TMouseActions>> props = {
      BOOL_PROP(TMouseActions, AllColumnSize, false),
      BOOL_PROP(TMouseActions, AllRowSize, false),
      BOOL_PROP(TMouseActions, AllSelect, false),
      BOOL_PROP(TMouseActions, AutoSizeColOnDblClick, true),
      BOOL_PROP(TMouseActions, CaretPositioning, false),
      BOOL_PROP(TMouseActions, CheckAllCheck, false),
      BOOL_PROP(TMouseActions, ColSelect, false),
      BOOL_PROP(TMouseActions, DirectComboClose, false),
      BOOL_PROP(TMouseActions, DirectComboDrop, false),
      BOOL_PROP(TMouseActions, DirectDateClose, false),
      BOOL_PROP(TMouseActions, DirectDateDrop, false),
      BOOL_PROP(TMouseActions, DirectEdit, false),
      BOOL_PROP(TMouseActions, DisjunctRowSelect, false),
      BOOL_PROP(TMouseActions, DisjunctRowSelectNoCtrl, false),
      BOOL_PROP(TMouseActions, DisjunctColSelect, false),
      BOOL_PROP(TMouseActions, DisjunctCellSelect, false),
      BOOL_PROP(TMouseActions, EditOnDblClickOnly, false),
      BOOL_PROP(TMouseActions, HotmailRowSelect, false),
      BOOL_PROP(TMouseActions, MoveRowOnNodeClick, false),
      BOOL_PROP(TMouseActions, NoAutoRangeScroll, false),
      BOOL_PROP(TMouseActions, NodeAllExpandContract, false),
      BOOL_PROP(TMouseActions, NoScrollOnPartialRow, false),
      BOOL_PROP(TMouseActions, PreciseCheckBoxCheck, false),
      BOOL_PROP(TMouseActions, PreciseNodeClick, true),
      BOOL_PROP(TMouseActions, RangeSelectAndEdit, false),
      BOOL_PROP(TMouseActions, RowSelect, false),
      BOOL_PROP(TMouseActions, RowSelectPersistent, false),
      BOOL_PROP(TMouseActions, SelectOnRightClick, false),
      BOOL_PROP(TMouseActions, SizeFixedCol, false),
      BOOL_PROP(TMouseActions, SizeFixedRow, false)};
  return props;
}

TEST(MouseActionsTest, Defaults) {
  TMouseActions m(nullptr);
  for (const auto& p : MouseFlags()) EXPECT_EQ(p.get(m), p.def) << p.name;
  EXPECT_EQ(m.FixedRowsEdit(), fceNone);
  EXPECT_EQ(m.FixedColsEdit(), fceNone);
  EXPECT_EQ(m.FixedRowsEditor(), fceEdit);
  EXPECT_EQ(m.FixedColsEditor(), fceEdit);
  EXPECT_EQ(m.FixedComboValues()->Count(), 0);
  EXPECT_EQ(m.WheelIncrement(), 0);
  EXPECT_EQ(m.WheelAction(), waMoveSelection);
}

TEST(MouseActionsTest, AssignCopiesEveryFlag) {
  TMouseActions src(nullptr);
  // Not designing: the disjunct selections do not clear each other.
  for (const auto& p : MouseFlags()) p.set(src, !p.def);
  for (const auto& p : MouseFlags()) ASSERT_EQ(p.get(src), !p.def) << p.name;
  TMouseActions dst(nullptr);
  dst.Assign(&src);
  for (const auto& p : MouseFlags()) EXPECT_EQ(p.get(dst), !p.def) << p.name;
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
  TObjStringGrid owner(nullptr), other(nullptr);
  TStringGrid* ownerGrid = &owner;
  TStringGrid* otherGrid = &other;
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
