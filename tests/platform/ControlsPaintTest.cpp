#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/ScratchFolder.h"

namespace {

TEST(ControlsPaintTest, SmallFormPaintsOffscreenToPng) {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  form->SetBorderStyle(bsSingle);
  form->SetColor(0xEDF7F8);
  form->Font()->SetName(u"Verdana");
  form->SetClientWidth(320);
  form->SetClientHeight(140);
  auto* label = New<TLabel>(form);
  label->SetParent(form);
  label->SetBounds(14, 12, 10, 10);
  label->SetCaption(u"Device Name");
  auto* edit = New<TEdit>(form);
  edit->SetParent(form);
  edit->SetBounds(120, 9, 180, 21);
  edit->SetText(u"gateway-01");
  auto* combo = New<TComboBox>(form);
  combo->SetParent(form);
  combo->SetStyle(csDropDownList);
  combo->SetBounds(120, 40, 180, 22);
  combo->Items()->Add(u"EU868");
  combo->Items()->Add(u"US915");
  combo->SetItemIndex(0);
  auto* check = New<TCheckBox>(form);
  check->SetParent(form);
  check->SetBounds(14, 75, 200, 17);
  check->SetCaption(u"Enable DNS");
  check->SetChecked(true);
  auto* shape = New<TShape>(form);
  shape->SetParent(form);
  shape->SetBounds(10, 105, 300, 1);
  shape->Pen()->SetColor(clSilver);

  std::filesystem::path png = std::filesystem::current_path() / "controls_small_form.png";
  ASSERT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
  TPicture pic;
  pic.LoadFromFile(Utf8ToString(png.string()));
  ASSERT_EQ(pic.Width(), 320);
  ASSERT_EQ(pic.Height(), 140);
  TCanvas* c = pic.Bitmap()->Canvas();
  // The form colour around the controls, a white edit face, dark text in the label's area.
  EXPECT_EQ(ColorToRGB(c->Pixels(5, 5)), 0xEDF7F8);
  EXPECT_EQ(ColorToRGB(c->Pixels(290, 20)), 0xFFFFFF);
  int dark = 0;
  for (int y = label->Top(); y < label->Top() + label->Height(); ++y) {
    for (int x = label->Left(); x < label->Left() + label->Width(); ++x) {
      TColor p = ColorToRGB(c->Pixels(x, y));
      if (GetRValue(p) < 100 && GetGValue(p) < 100 && GetBValue(p) < 100) ++dark;
    }
  }
  EXPECT_GT(dark, 20);
  EXPECT_EQ(ColorToRGB(c->Pixels(150, 105)), clSilver);
  delete form;
}

// Whatever the border, the grab is the client area: the frame is the window manager's.
TEST(ControlsPaintTest, GrabbedFormIsItsClientAreaForEveryBorderStyle) {
  ModalScript script;
  TScratchFolder scratch("controls_border");
  const std::filesystem::path png = scratch / "form.png";
  struct Case {
    const char* name;
    TFormBorderStyle style;
    bool shown;
  } cases[] = {
      {"single", bsSingle, false},        {"sizeable", bsSizeable, false}, {"dialog", bsDialog, false},
      {"tool window", bsToolWindow, false}, {"sizeable tool window", bsSizeToolWin, false},
      {"none", bsNone, false},            {"single, shown", bsSingle, true}, {"sizeable, shown", bsSizeable, true},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    TForm* form = New<TForm>(nullptr);
    form->SetBorderStyle(k.style);
    form->SetColor(0xEDF7F8);
    form->SetClientWidth(320);
    form->SetClientHeight(140);
    auto* corner = New<TShape>(form);
    corner->SetParent(form);
    corner->SetBounds(316, 136, 4, 4);
    corner->Brush()->SetColor(clRed);
    corner->Pen()->SetColor(clRed);
    if (k.shown) form->Show();
    ASSERT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
    TPicture pic;
    pic.LoadFromFile(Utf8ToString(png.string()));
    EXPECT_EQ(pic.Width(), 320);
    EXPECT_EQ(pic.Height(), 140);
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 140);
    if (pic.Width() == 320 && pic.Height() == 140) {
      // The bottom-right corner of the client area is the last pixel of the image.
      EXPECT_EQ(ColorToRGB(pic.Bitmap()->Canvas()->Pixels(319, 139)), clRed);
      EXPECT_EQ(ColorToRGB(pic.Bitmap()->Canvas()->Pixels(315, 135)), 0xEDF7F8);
    }
    delete form;
  }
}

// A focused drop-down list shows its text selected in a focus rectangle; an unfocused one and
// an editable one do not.
TEST(ControlsPaintTest, FocusedDropDownListShowsItsFocusMark) {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  form->SetColor(0xEDF7F8);
  form->SetClientWidth(320);
  form->SetClientHeight(100);
  auto* edit = New<TEdit>(form);
  edit->SetParent(form);
  edit->SetBounds(10, 10, 180, 21);
  auto addCombo = [&](TComboBoxStyle style, int top) {
    auto* combo = New<TComboBox>(form);
    combo->SetParent(form);
    combo->SetStyle(style);
    combo->SetBounds(10, top, 180, 22);
    combo->Items()->Add(u"EU868");
    combo->Items()->Add(u"US915");
    combo->SetItemIndex(0);
    return combo;
  };
  TComboBox* list = addCombo(csDropDownList, 40);
  TComboBox* editable = addCombo(csDropDown, 70);
  form->Show();
  TScratchFolder scratch("combo_focus");
  const std::filesystem::path png = scratch / "combo.png";
  // Highlight pixels inside the combo box, and how many of them stand on its top and bottom
  // rows of highlight (the selected band runs the width of the text field).
  auto highlightIn = [&](TComboBox* combo) {
    EXPECT_TRUE(PaintToPng(form, Utf8ToString(png.string())));
    TPicture pic;
    pic.LoadFromFile(Utf8ToString(png.string()));
    TCanvas* c = pic.Bitmap()->Canvas();
    int n = 0;
    for (int y = combo->Top(); y < combo->Top() + combo->Height(); ++y) {
      for (int x = combo->Left(); x < combo->Left() + combo->Width(); ++x) {
        if (ColorToRGB(c->Pixels(x, y)) == ColorToRGB(clHighlight)) ++n;
      }
    }
    return n;
  };
  edit->SetFocus();
  EXPECT_EQ(highlightIn(list), 0);
  list->SetFocus();
  const int focusedList = highlightIn(list);
  // Most of the text field: well over half of a 140 x 14 band.
  EXPECT_GT(focusedList, 1000);
  editable->SetFocus();
  EXPECT_EQ(highlightIn(list), 0);
  EXPECT_EQ(highlightIn(editable), 0);
  // Moving on through the keyboard takes the mark along.
  list->SetFocus();
  driver.Key(form, VK_TAB);
  EXPECT_EQ(form->FocusedControl(), editable);
  EXPECT_EQ(highlightIn(list), 0);
  delete form;
}

}  // namespace
