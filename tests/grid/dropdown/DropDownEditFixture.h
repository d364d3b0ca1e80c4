#pragma once
// A drop-down edit on a shown form, driven by the input driver on its virtual clock, with the
// locale's separators pinned and one fake 1920 x 1080 monitor (work area above a 40-pixel task
// bar), so that popup placement is exact.
#include <gtest/gtest.h>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/Forms.h"
#include "platform/PopupForm.h"
#include "platform/SysUtils.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace dropdown_test {

class DropDownEditFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = TFormatSettings{};  // '.' decimal, ',' thousand
    SetTestMonitors({{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)}});
    form = New<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    edit = new TAdvCustomDropDown(form);
    edit->SetParent(form);
    edit->SetLeft(20);
    edit->SetTop(20);
    form->Show();
    form->FocusControl(edit);
  }
  void TearDown() override {
    delete form;
    SetTestMonitors({});
    FormatSettings() = saved;
  }
  TDropDownForm* Popup() const { return edit->DropDownForm(); }
  void ClickButton() { driver.Click(edit->Button()->Button()); }
  // Alt+Down as the keyboard sends it (a system key).
  void AltDown() { driver.Key(form, VK_DOWN, TShiftState{ssAlt}); }
  void Type(const String& Text) { driver.Type(form, Text); }

  TFormatSettings saved = FormatSettings();
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TAdvCustomDropDown* edit = nullptr;
};

}  // namespace dropdown_test
