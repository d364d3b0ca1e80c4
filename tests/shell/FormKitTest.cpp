#include <gtest/gtest.h>

#include <memory>

#include "button/LbButton.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"
#include "shell/UDialogFrame.h"
#include "shell/UFormKit.h"
#include "shell/ULanguage.h"
#include "shell/UShellGlyphs.h"
#include "shell/UTableBuilder.h"

namespace {

// Every pixel of two glyphs alike.
bool SameGlyph(TBitmap* a, TBitmap* b) {
  if (a->Width() != b->Width() || a->Height() != b->Height()) return false;
  for (int y = 0; y < a->Height(); ++y) {
    for (int x = 0; x < a->Width(); ++x) {
      if (a->Canvas()->Pixels(x, y) != b->Canvas()->Pixels(x, y)) return false;
    }
  }
  return true;
}

class FormKitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    form = New<TForm>(nullptr);
    form->SetName(u"FKit");
  }
  void TearDown() override {
    delete form;
    Load_Default_Strings();  // texts changed by a test go back
  }
  TForm* form = nullptr;
};

TEST_F(FormKitTest, UiTextIsTheLoadedTextAndEmptyOutsideTheTable) {
  const int count = Language_List->Count();
  ASSERT_GT(count, 400);
  Language_List->SetStrings(400, u"Changed by a language file");
  EXPECT_EQ(UI_Text(400), u"Changed by a language file");
  for (int i : {0, 9, count - 1}) EXPECT_EQ(UI_Text(i), Language_List->Strings(i)) << i;
  for (int i : {-1, count, count + 100}) EXPECT_EQ(UI_Text(i), u"") << i;

  TStringList* loaded = Language_List;
  Language_List = nullptr;
  EXPECT_EQ(UI_Text(0), u"");
  Language_List = loaded;
}

TEST_F(FormKitTest, TextTableSetsCaptionsAndHintsAndLeavesTheRest) {
  TLabel* label = Add_Label(form, u"L_Name", 16, 70);
  auto* edit = Add_Control<TEdit>(form, u"E_Name");
  auto* button = Add_Control<TLbButton>(form, u"Btn_Go");
  edit->SetHint(u"kept hint");
  label->SetHint(u"kept label hint");
  Language_List->SetStrings(100, u"Form caption");
  Language_List->SetStrings(101, u"Label caption");
  Language_List->SetStrings(102, u"Edit hint");
  Language_List->SetStrings(103, u"Button caption");
  Language_List->SetStrings(104, u"Button hint");

  Set_Texts({{form, 100}, {label, 101}, {edit, -1, 102}, {button, 103, 104}});
  EXPECT_EQ(form->Caption(), u"Form caption");
  EXPECT_EQ(label->Caption(), u"Label caption");
  EXPECT_EQ(label->Hint(), u"kept label hint");
  EXPECT_EQ(edit->Hint(), u"Edit hint");
  EXPECT_EQ(button->Caption(), u"Button caption");
  EXPECT_EQ(button->Hint(), u"Button hint");

  // A language change runs the same table again over the new texts.
  Language_List->SetStrings(103, u"Knopf");
  Language_List->SetStrings(104, u"Hinweis");
  const std::vector<TTextEntry> table{{button, 103, 104}, {edit, -1, -1}};
  Set_Texts(table);
  EXPECT_EQ(button->Caption(), u"Knopf");
  EXPECT_EQ(button->Hint(), u"Hinweis");
  EXPECT_EQ(edit->Hint(), u"Edit hint");
}

TEST_F(FormKitTest, TextItemsReplaceTheListAndSelectTheFirst) {
  auto* combo = Add_Control<TComboBox>(form, u"CB_List");
  combo->Items()->Add(u"old");
  for (int i = 0; i < 3; ++i) Language_List->SetStrings(1615 + i, u"Item " + IntToStr(i));
  for (int pass = 0; pass < 2; ++pass) {
    Set_Text_Items(combo, 1615, 3);
    ASSERT_EQ(combo->Items()->Count(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(combo->Items()->Strings(i), u"Item " + IntToStr(i));
    EXPECT_EQ(combo->ItemIndex(), 0);
  }
}

TEST_F(FormKitTest, FormLookDefaultsAndAFormThatDeparts) {
  Apply_Form_Look(form);
  EXPECT_EQ(form->BorderStyle(), bsSingle);
  EXPECT_EQ(form->BorderIcons(), TBorderIcons{biSystemMenu});
  EXPECT_EQ(form->Position(), poScreenCenter);
  EXPECT_EQ(form->Color(), Shell_Window_Color);
  EXPECT_EQ(form->Font()->Name(), u"Verdana");
  EXPECT_EQ(form->Font()->Height(), -11);
  EXPECT_EQ(form->Font()->Color(), clWindowText);

  TForm* other = New<TForm>(nullptr);
  Apply_Form_Look(other, {.BorderStyle = bsSizeable, .FontColor = 0x333333});
  EXPECT_EQ(other->BorderStyle(), bsSizeable);
  EXPECT_EQ(other->Font()->Color(), TColor(0x333333));
  EXPECT_EQ(other->Color(), Shell_Window_Color);
  // The client size asked after the look is the one the form keeps.
  other->SetClientWidth(377);
  other->SetClientHeight(351);
  EXPECT_EQ(other->ClientWidth(), 377);
  EXPECT_EQ(other->ClientHeight(), 351);
  delete other;
}

TEST_F(FormKitTest, TitleFontIsGreyVerdanaOfItsOwn) {
  Apply_Form_Look(form);
  const struct {
    int height;
    bool bold;
  } cases[] = {{-32, false}, {-11, true}};
  for (const auto& c : cases) {
    TLabel* l = Add_Label(form, u"L_" + IntToStr(-c.height), 16, 8);
    Apply_Title_Font(l, c.height, c.bold);
    EXPECT_FALSE(l->ParentFont());
    EXPECT_EQ(l->Font()->Name(), u"Verdana");
    EXPECT_EQ(l->Font()->Height(), c.height);
    EXPECT_EQ(l->Font()->Color(), clGray);
    EXPECT_EQ(l->Font()->Style().Contains(fsBold), c.bold);
    // A later change of the form's font leaves it alone.
    form->Font()->SetHeight(-20);
    EXPECT_EQ(l->Font()->Height(), c.height);
    form->Font()->SetHeight(-11);
  }
}

TEST_F(FormKitTest, DialogFrameWithOkAndCancel) {
  Apply_Form_Look(form);
  form->SetClientWidth(331);
  form->SetClientHeight(162);
  TDialogFrame f;
  Build_Dialog_Frame(form, f, {.OkLeft = 85, .CancelLeft = 203});

  const struct {
    TControl* part;
    const char16_t* name;
    TWinControl* parent;
  } parts[] = {{f.P_Title, u"P_Title", form},       {f.L_SW_Code, u"L_SW_Code", f.P_Title},
               {f.L_SW_Desc, u"L_SW_Desc", f.P_Title}, {f.P_Button, u"P_Button", form},
               {f.Btn_OK, u"Btn_OK", f.P_Button},    {f.Btn_Cancel, u"Btn_Cancel", f.P_Button}};
  for (const auto& p : parts) {
    ASSERT_NE(p.part, nullptr) << StringToUtf8(p.name);
    EXPECT_EQ(p.part->Name(), p.name);
    EXPECT_EQ(p.part->Parent(), p.parent) << StringToUtf8(p.name);
    EXPECT_EQ(p.part->Owner(), p.parent) << StringToUtf8(p.name);
  }
  EXPECT_EQ(f.P_Title->Align(), alTop);
  EXPECT_EQ(f.P_Title->Top(), 0);
  EXPECT_EQ(f.P_Title->Height(), Dialog_Title_Height);
  EXPECT_EQ(f.P_Button->Align(), alBottom);
  EXPECT_EQ(f.P_Button->Top(), 162 - Dialog_Button_Height);
  for (TPanel* p : {f.P_Title, f.P_Button}) {
    EXPECT_TRUE(p->ParentColor());
    EXPECT_EQ(p->Color(), Shell_Window_Color);
    EXPECT_EQ(p->BevelOuter(), bvNone);
    EXPECT_FALSE(p->ShowCaption());
  }
  EXPECT_EQ(f.L_SW_Code->Left(), 16);
  EXPECT_EQ(f.L_SW_Code->Top(), 8);
  EXPECT_EQ(f.L_SW_Code->Font()->Height(), -32);
  EXPECT_EQ(f.L_SW_Desc->Top(), 42);
  EXPECT_TRUE(f.L_SW_Desc->Font()->Style().Contains(fsBold));

  const struct {
    TLbButton* button;
    int left;
    const char16_t* glyph;
    int tabOrder;
  } buttons[] = {{f.Btn_OK, 85, u"ok", 0}, {f.Btn_Cancel, 203, u"cancel", 1}};
  for (const auto& b : buttons) {
    EXPECT_EQ(b.button->BoundsRect(), Rect(b.left, 6, b.left + 110, 34));
    EXPECT_EQ(b.button->Style(), bsEncarta);
    EXPECT_EQ(b.button->Color(), Shell_Window_Color);
    EXPECT_TRUE(b.button->ShowHint());
    EXPECT_EQ(b.button->TabOrder(), b.tabOrder);
    EXPECT_TRUE(SameGlyph(b.button->Glyph(), Create_Dialog_Glyph(b.glyph).get())) << StringToUtf8(b.glyph);
  }
  // Reached by name through the panels, as every dialog's parts are.
  EXPECT_EQ(f.P_Button->FindComponent(u"Btn_OK"), f.Btn_OK);
  EXPECT_EQ(f.P_Title->FindComponent(u"L_SW_Desc"), f.L_SW_Desc);
}

TEST_F(FormKitTest, DialogFrameWithoutOkLeavesTheRowToTheDialog) {
  Apply_Form_Look(form);
  TDialogFrame f;
  Build_Dialog_Frame(form, f, {.CancelLeft = 323, .Ok = false});
  EXPECT_EQ(f.Btn_OK, nullptr);
  EXPECT_EQ(f.P_Button->FindComponent(u"Btn_OK"), nullptr);
  ASSERT_NE(f.Btn_Cancel, nullptr);
  EXPECT_EQ(f.Btn_Cancel->Left(), 323);
  EXPECT_EQ(f.Btn_Cancel->TabOrder(), 0);

  TLbButton* own = Add_Dialog_Button(f.P_Button, u"Btn_Update", 16, 200, u"ok");
  own->SetTabOrder(0);
  EXPECT_EQ(own->BoundsRect(), Rect(16, 6, 216, 34));
  EXPECT_EQ(own->TabOrder(), 0);
  EXPECT_EQ(f.Btn_Cancel->TabOrder(), 1);
  EXPECT_TRUE(SameGlyph(own->Glyph(), Create_Dialog_Glyph(u"ok").get()));
}

TEST(LayoutCursorTest, RowsOnAPitchAndBlocksOfTheirOwnHeight) {
  TLayoutCursor rows(12, 28);
  EXPECT_EQ(rows.Next(), 12);
  EXPECT_EQ(rows.Next(3), 40);  // a block of three rows
  EXPECT_EQ(rows.Top(), 124);
  EXPECT_EQ(rows.Next(), 124);
  EXPECT_EQ(rows.Row(0), 12);
  EXPECT_EQ(rows.Row(7), 208);
  EXPECT_EQ(rows.Top(), 152);  // Row does not move the cursor
  rows.Seek(3);
  EXPECT_EQ(rows.Next(), 96);

  // Panels stacked by their heights.
  TLayoutCursor stack(69);
  const int heights[] = {49, 72};
  int expected = 69;
  for (int h : heights) {
    EXPECT_EQ(stack.Take(h), expected);
    expected += h;
  }
  EXPECT_EQ(stack.Top(), 69 + 49 + 72);

  static_assert(TLayoutCursor(112, 44).Row(5) == 332);
}

TEST(TableBuilderTest, RowsFollowTheCursorAndTheColumnGrid) {
  std::vector<TControlDef> t;
  TTableBuilder b(t);
  b.SetPanel(u"CP_A");
  b.Label(u"L_Name", b.NextRow(), 407);
  b.Edit(u"E_Name", b.LastRow(), 408, 31);
  b.CheckRow(u"CB_Flag", b.NextRow(), 409, 410);
  b.Block(u"X_", u"CB_X_GAT", b.NextRow(3), 500);
  b.LabelCombo(u"L_List", u"CB_List", b.NextRow(), 600, {u"a", u"b"});
  b.SetPanel(u"CP_B");
  b.SeekRow(3);
  b.LabelEdit(u"L_Port", u"E_Port", b.NextRow(), 700);
  b.CheckEdit(u"CB_Diag", 710, 711, u"E_Diag", b.RowTop(0), 712);

  const TTableGrid g;
  const struct {
    const char16_t* name;
    const char16_t* panel;
    TControlDefKind kind;
    int left, top, width, height, caption, hint;
  } expected[] = {
      {u"L_Name", u"CP_A", cdLabel, g.LabelX, 12, 170, g.LabelH, 407, -1},
      {u"E_Name", u"CP_A", cdEdit, g.ValueX, 9, g.ValueW, g.EditH, -1, 408},
      {u"CB_Flag", u"CP_A", cdCheck, g.LabelX, 40, g.CheckW, g.CheckH, 409, 410},
      {u"L_X_IP", u"CP_A", cdLabel, g.LabelX, 68, 170, g.LabelH, 500, -1},
      {u"E_X_IP1", u"CP_A", cdEdit, g.OctetX[0], 65, g.OctetW, g.EditH, -1, 501},
      {u"E_X_IP_Dot1", u"CP_A", cdLabel, g.DotX[0], 68, 4, g.LabelH, -1, -1},
      {u"L_X_SM", u"CP_A", cdLabel, g.LabelX, 96, 170, g.LabelH, 505, -1},
      {u"CB_X_GAT", u"CP_A", cdCheck, g.LabelX, 124, g.GatewayCheckW, g.CheckH, 510, 511},
      {u"E_X_GAT4", u"CP_A", cdEdit, g.OctetX[3], 122, g.OctetW, g.EditH, -1, 515},
      {u"L_List", u"CP_A", cdLabel, g.LabelX, 152, 170, g.LabelH, 600, -1},
      {u"CB_List", u"CP_A", cdCombo, g.ValueX, 149, g.ValueW, g.ComboH, -1, 601},
      {u"L_Port", u"CP_B", cdLabel, g.LabelX, 96, 170, g.LabelH, 700, -1},
      {u"E_Port", u"CP_B", cdEdit, g.ValueX, 93, g.ValueW, g.EditH, -1, 701},
      {u"CB_Diag", u"CP_B", cdCheck, g.LabelX, 12, g.GatewayCheckW, g.CheckH, 710, 711},
      {u"E_Diag", u"CP_B", cdEdit, g.ValueX, 10, g.ValueW, g.EditH, -1, 712},
  };
  for (const auto& e : expected) {
    SCOPED_TRACE(StringToUtf8(e.name));
    const TControlDef* d = nullptr;
    for (const TControlDef& c : t) {
      if (c.Name == e.name) d = &c;
    }
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->Panel, e.panel);
    EXPECT_EQ(d->Kind, e.kind);
    EXPECT_EQ(d->Left, e.left);
    EXPECT_EQ(d->Top, e.top);
    EXPECT_EQ(d->Width, e.width);
    EXPECT_EQ(d->Height, e.height);
    EXPECT_EQ(d->CaptionIndex, e.caption);
    EXPECT_EQ(d->HintIndex, e.hint);
  }
  // A block is three rows of label (or check box), four octets and three dots.
  int block = 0;
  for (const TControlDef& c : t) block += c.Name.find(u"X_") != String::npos;
  EXPECT_EQ(block, 3 * 8);
  EXPECT_EQ(t.size(), 2 + 1 + 3 * 8 + 2 + 2 + 2u);
}

}  // namespace
