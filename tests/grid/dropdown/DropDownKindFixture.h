#pragma once
// One drop-down editor of a given kind on a shown form, driven by the input driver on its virtual
// clock, with the locale's separators pinned to "." and ",".
#include <gtest/gtest.h>

#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace dropdown_test {

template <class TEditor>
class DropDownKindFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    FormatSettings() = TFormatSettings{};
    form = New<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    edit = new TEditor(form);
    edit->SetParent(form);
    edit->SetLeft(20);
    edit->SetTop(20);
    form->Show();
    form->FocusControl(edit);
  }
  void TearDown() override {
    delete form;
    FormatSettings() = saved;
  }
  TDropDownForm* Popup() const { return edit->DropDownForm(); }

  TFormatSettings saved = FormatSettings();
  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TEditor* edit = nullptr;
};

}  // namespace dropdown_test
