// Custom editor links (inline and in the popup form) and the inplace rich-text editor over grid
// cells: their keys, what they open on and what they write back.
#include <gtest/gtest.h>

#include "AdvGridEditorsTestSupport.h"
#include "grid/core/AdvEditLink.h"

namespace {

using editors_test::EditorForm;
using editors_test::Utf8;

constexpr int kCol = 2;
constexpr int kRow = 2;

// A link whose control is a plain edit that routes its keys through the link's key filter.
class TTestLink : public TEditLink {
 public:
  using TEditLink::TEditLink;
  TEdit* Edit = nullptr;
  int Created = 0;
  void CreateEditor(TWinControl* AParent) override {
    if (!Edit) {
      Edit = New<TEdit>(this);
      Edit->OnKeyDown = [this](TObject* s, Word& k, TShiftState sh) { EditKeyDown(s, k, sh); };
    }
    Edit->SetParent(AParent);
    ++Created;
  }
  void DestroyEditor() override {
    delete Edit;
    Edit = nullptr;
  }
  TWinControl* GetEditControl() override { return Edit; }
  String GetEditorValue() override { return Edit ? Edit->Text() : String(); }
  void SetEditorValue(const String& s) override { Edit->SetText(s); }
};

struct LinkForm : EditorForm {
  TTestLink* link = nullptr;
  explicit LinkForm(TEditStyle Style = esInplace) {
    link = New<TTestLink>(form);
    link->SetEditStyle(Style);
    link->SetPopupWidth(120);
    link->SetPopupHeight(30);
    grid->SetEditLink(link);
  }
  bool open() { return link->Edit && link->Edit->Visible() && grid->InEditMode(); }
  // Opens the link and types Typed after the text (the edit selects all when it takes the focus).
  void EditAndType(TEditorType Kind, const String& Text, const String& Typed) {
    Edit(kCol, kRow, Kind, Text);
    link->Edit->SetSelStart(static_cast<int>(Text.size()));
    link->Edit->SetSelLength(0);
    Type(Typed);
  }
};

TEST(AdvGridEditLink, OpensOverTheCellOnTheEditTextWithTheLinkGiven) {
  LinkForm f;
  TEditLink* given = nullptr;
  f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink* l) { given = l; };
  f.Edit(kCol, kRow, edCustom, u"abc");
  ASSERT_TRUE(f.open());
  EXPECT_EQ(given, f.link);
  EXPECT_EQ(f.link->Grid(), f.grid);
  EXPECT_EQ(f.link->EditCell(), Point(kCol, kRow));
  EXPECT_EQ(Utf8(f.link->Edit->Text()), "abc");
  EXPECT_TRUE(f.link->Edit->Focused());
  EXPECT_EQ(f.link->Edit->Parent(), f.grid);
  const TRect r = f.grid->CellRect(kCol, kRow);
  EXPECT_EQ(f.link->Edit->Left(), r.Left);
  EXPECT_EQ(f.link->Edit->Width(), r.Right - r.Left - f.grid->GridLineWidth());
  EXPECT_EQ(f.grid->EditCtrl(), f.link->Edit);
}

TEST(AdvGridEditLink, UpAndDownStayWithTheControlOnlyWhenItWantsThem) {
  for (bool wants : {false, true}) {
    LinkForm f;
    f.link->SetWantKeyUpDown(wants);
    f.EditAndType(edCustom, u"abc", u"d");
    f.Key(VK_DOWN);
    EXPECT_EQ(f.open(), wants) << wants;
    EXPECT_EQ(f.grid->Row(), wants ? kRow : kRow + 1) << wants;
    EXPECT_EQ(f.Cell(kCol, kRow), wants ? "abc" : "abcd") << wants;
  }
}

TEST(AdvGridEditLink, AltWithAnyKeyEndsTheEdit) {
  LinkForm f;
  f.EditAndType(edCustom, u"abc", u"d");
  f.Key('X', {ssAlt});
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "abcd");
  EXPECT_TRUE(f.Has("done"));
}

TEST(AdvGridEditLink, EscapeRestoresTheTextFromBeforeTheEdit) {
  LinkForm f;
  f.EditAndType(edCustom, u"abc", u"zz");
  f.Key(VK_ESCAPE);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "abc");
  EXPECT_TRUE(f.grid->Focused());
}

TEST(AdvGridEditLink, RefusedEnterReopensTheLinkOnTheSameCell) {
  LinkForm f;
  f.grid->OnCellValidate = [](TObject*, int, int, String& v, bool& valid) { valid = v != u"abcx"; };
  f.EditAndType(edCustom, u"abc", u"x");
  f.Key(VK_RETURN);
  EXPECT_TRUE(f.open());
  EXPECT_EQ(f.grid->Row(), kRow);
  EXPECT_EQ(f.grid->CurrentEditor(), edCustom);
  EXPECT_EQ(f.Cell(kCol, kRow), "abc");
}

TEST(AdvGridEditLink, TabToNextAtEndCommitsAndOpensTheNextCell) {
  LinkForm f;
  f.grid->SetOptions(f.grid->Options() | goTabs);
  f.grid->Navigation()->SetTabToNextAtEnd(true);
  f.kinds[kCol + 1] = edCustom;
  f.grid->SetCellEx(kCol + 1, kRow, u"next");
  f.EditAndType(edCustom, u"abc", u"d");
  f.Key(VK_TAB);
  f.driver.DrainPosted();
  EXPECT_EQ(f.Cell(kCol, kRow), "abcd");
  EXPECT_EQ(f.grid->Col(), kCol + 1);
  ASSERT_TRUE(f.open());
  EXPECT_EQ(Utf8(f.link->Edit->Text()), "next");
}

TEST(AdvGridEditLink, PopupValueSurvivesEnter) {
  LinkForm f(esPopup);
  f.Edit(kCol, kRow, edCustom, u"abc");
  ASSERT_TRUE(f.link->PopupForm());
  EXPECT_TRUE(f.link->PopupForm()->Visible());
  EXPECT_EQ(f.link->Edit->Parent(), f.link->PopupForm());
  EXPECT_EQ(f.link->PopupForm()->Name(), u"gridform");
  ASSERT_TRUE(f.link->Edit->Focused());
  f.link->Edit->SetSelStart(3);
  f.link->Edit->SetSelLength(0);
  // The keys go to the popup form, whose edit has the focus.
  f.driver.Type(f.link->PopupForm(), u"d");
  f.driver.Key(f.link->PopupForm(), VK_RETURN);
  EXPECT_EQ(f.Cell(kCol, kRow), "abcd");
  EXPECT_FALSE(f.link->PopupForm()->Visible());
  EXPECT_FALSE(f.grid->InEditMode());
}

TEST(AdvGridEditLink, PopupPlacement) {
  struct Case {
    int left, top;
    bool atCell;
  };
  for (const Case& c : {Case{100, -1, true}, Case{-1, 50, true}, Case{100, 50, false}}) {
    LinkForm f(esPopup);
    f.link->SetPopupLeft(c.left);
    f.link->SetPopupTop(c.top);
    f.link->SetAutoPopupWidth(true);
    f.Edit(kCol, kRow, edCustom, u"abc");
    TForm* popup = f.link->PopupForm();
    const TRect r = f.grid->CellRect(kCol, kRow);
    const TPoint expected = c.atCell ? f.grid->ClientToScreen(Point(r.Left, r.Top)) : Point(100, 50);
    EXPECT_EQ(popup->Left(), expected.X) << c.left << "," << c.top;
    EXPECT_EQ(popup->Top(), expected.Y) << c.left << "," << c.top;
    EXPECT_EQ(popup->ClientWidth(), r.Right - r.Left);
    f.grid->HideInplaceEdit();
  }
}

TEST(AdvGridEditLink, PopupDeactivationCommitsAndTheGridsNextFocusOpensNothing) {
  LinkForm f(esPopup);
  f.grid->Navigation()->SetAlwaysEdit(true);
  f.Edit(kCol, kRow, edCustom, u"abc");
  f.link->Edit->SetText(u"typed");
  f.link->FormExit(f.link->PopupForm());
  EXPECT_EQ(f.Cell(kCol, kRow), "typed");
  EXPECT_FALSE(f.link->PopupForm()->Visible());
  EXPECT_FALSE(f.grid->InEditMode());
  ASSERT_TRUE(f.grid->InvokedFocusChange());
  f.grid->Perform(WM_SETFOCUS, 0, 0);
  EXPECT_FALSE(f.grid->InvokedFocusChange());
  EXPECT_FALSE(f.grid->InEditMode());
}

TEST(AdvGridEditLink, WithoutALinkNothingOpensAndTheEndIsStillReported) {
  EditorForm f;
  f.Edit(kCol, kRow, edCustom, u"abc");
  EXPECT_EQ(f.grid->EditCtrl(), nullptr);
  EXPECT_TRUE(f.grid->InEditMode());
  f.grid->HideInplaceEdit();
  f.driver.DrainPosted();
  EXPECT_TRUE(f.Has("done"));
  EXPECT_EQ(f.Cell(kCol, kRow), "abc");
  ASSERT_FALSE(f.grid->DoneMessages.empty());
}

TEST(AdvGridEditLink, AFreedLinkIsForgottenByTheGrid) {
  EditorForm f;
  auto* link = New<TTestLink>(f.form);
  f.grid->SetEditLink(link);
  f.Edit(kCol, kRow, edCustom, u"abc");
  f.grid->HideInplaceEdit();
  delete link;
  EXPECT_EQ(f.grid->EditLink(), nullptr);
}

// ---- rich text --------------------------------------------------------------------------------

// A rich-text cell's plain text, read through the grid's own rich control.
String RichPlain(EditorForm& f, int Col, int Row) {
  f.grid->CellToRich(Col, Row, f.grid->RichEdit());
  return f.grid->RichEdit()->GetText();
}

TEST(AdvGridRichEditor, SelectionOffsetsAnswerOneAtATime) {
  EditorForm f;
  TAdvRichEdit* re = f.grid->InplaceRichEdit();
  re->SetParent(f.form);
  re->SetText(u"x2");
  re->SetSelStart(1);
  re->SetSelLength(1);
  struct Case {
    void (TAdvRichEdit::*set)();
    bool normal, sub, super;
  };
  for (const Case& c : {Case{&TAdvRichEdit::SelSuperscript, false, false, true},
                        Case{&TAdvRichEdit::SelSubscript, false, true, false},
                        Case{&TAdvRichEdit::SelNormal, true, false, false}}) {
    (re->*c.set)();
    EXPECT_EQ(re->IsSelNormal(), c.normal);
    EXPECT_EQ(re->IsSelSubscript(), c.sub);
    EXPECT_EQ(re->IsSelSuperscript(), c.super);
  }
}

TEST(AdvGridRichEditor, OpensFormattedAndCommitsRichText) {
  EditorForm f;
  f.Edit(kCol, kRow, edRichEdit, u"{\\rtf1\\ansi {\\b bold} plain}");
  TAdvRichEdit* re = f.grid->InplaceRichEdit();
  ASSERT_TRUE(re->Visible());
  EXPECT_EQ(f.grid->EditCtrl(), re);
  EXPECT_EQ(Utf8(re->GetText()), "bold plain");
  const TRichRuns runs = re->Runs();
  ASSERT_FALSE(runs.empty());
  EXPECT_TRUE(runs.front().Format.Bold);
  EXPECT_TRUE(f.Has("prop 2,2"));
  re->SetSelStart(re->TextLength());
  f.Type(u"!");
  f.grid->HideInplaceEdit();
  const String cell = f.grid->GetCellEx(kCol, kRow);
  EXPECT_EQ(cell.rfind(u"{\\rtf", 0), 0u);
  EXPECT_EQ(Utf8(RichPlain(f, kCol, kRow)), "bold plain!");
  EXPECT_TRUE(f.Has("done"));
}

TEST(AdvGridRichEditor, TypedLinesGrowTheRowAndNeverShrinkIt) {
  for (int startHeight : {20, 200}) {
    EditorForm f;
    f.grid->SizeWhileTyping()->SetHeight(true);
    f.grid->SetRowHeights(kRow, startHeight);
    std::vector<int> sized;
    f.grid->OnEndRowSize = [&](TObject*, int r) { sized.push_back(r); };
    f.Edit(kCol, kRow, edRichEdit, u"");
    f.Type(u"one\rtwo\rthree");
    if (startHeight == 20) {
      EXPECT_GT(f.grid->RowHeights(kRow), startHeight);
      ASSERT_FALSE(sized.empty());
      EXPECT_EQ(sized.back(), kRow);
      EXPECT_EQ(f.grid->InplaceRichEdit()->Height(), f.grid->RowHeights(kRow) - 1);
    } else {
      EXPECT_EQ(f.grid->RowHeights(kRow), startHeight);
      EXPECT_TRUE(sized.empty());
    }
  }
}

TEST(AdvGridRichEditor, TheGridTakingTheFocusEndsTheEdit) {
  EditorForm f;
  f.Edit(kCol, kRow, edRichEdit, u"");
  TAdvRichEdit* re = f.grid->InplaceRichEdit();
  ASSERT_TRUE(re->Focused());
  f.Type(u"x");
  f.grid->SetFocus();
  EXPECT_FALSE(re->Visible());
  EXPECT_FALSE(f.grid->InEditMode());
  EXPECT_EQ(Utf8(RichPlain(f, kCol, kRow)), "x");
  EXPECT_TRUE(f.Has("done"));
}

TEST(AdvGridRichEditor, TabWithGoTabsCommitsAndOpensTheNextCell) {
  EditorForm f;
  f.grid->SetOptions(f.grid->Options() | goTabs);
  f.kinds[kCol + 1] = edRichEdit;
  f.Edit(kCol, kRow, edRichEdit, u"");
  f.Type(u"a");
  f.Key(VK_TAB);
  EXPECT_EQ(Utf8(RichPlain(f, kCol, kRow)), "a");
  EXPECT_EQ(f.grid->Col(), kCol + 1);
  EXPECT_TRUE(f.grid->InplaceRichEdit()->Visible());
  EXPECT_TRUE(f.grid->InEditMode());
}

}  // namespace
