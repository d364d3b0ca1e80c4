#pragma once
// A list drop-down (detail, image or colour picker) on a shown form, driven by the input driver on
// its virtual clock, with one fake monitor so that the popup lands where the edit is; plus the
// pictures the tests give their items and the place where pictures of open popups are written.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/Forms.h"
#include "platform/PopupForm.h"
#include "platform/SysUtils.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"

namespace dropdown_test {

template <class TDropDownClass>
class ListDropDownFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    SetTestMonitors({{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)}});
    form = New<TForm>(nullptr);
    form->SetBounds(100, 100, 400, 300);
    edit = new TDropDownClass(form);
    edit->SetParent(form);
    edit->SetLeft(20);
    edit->SetTop(20);
    form->Show();
    form->FocusControl(edit);
  }
  void TearDown() override {
    delete form;
    SetTestMonitors({});
  }
  TDropDownForm* Popup() const { return edit->DropDownForm(); }
  // A key pressed while the popup has the keyboard.
  void PopupKey(Word Key, TShiftState Shift = {}) { driver.Key(Popup(), Key, Shift); }
  // Writes a picture of the control under the test's temporary folder; returns its path.
  String SavePicture(TControl* Control, const std::string& Name) {
    const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "dropdown";
    std::filesystem::create_directories(dir);
    const String path = String((dir / Name).u16string());
    EXPECT_TRUE(PaintToPng(Control, path));
    return path;
  }

  ModalScript script;
  InputDriver driver;
  TForm* form = nullptr;
  TDropDownClass* edit = nullptr;
};

// A W x H picture filled with Color, with a black frame.
inline std::unique_ptr<TBitmap> SolidPicture(int W, int H, TColor Color) {
  auto bitmap = std::make_unique<TBitmap>();
  bitmap->SetPixelFormat(pf24bit);
  bitmap->SetSize(W, H);
  bitmap->Canvas()->Brush()->SetColor(Color);
  bitmap->Canvas()->Pen()->SetColor(clBlack);
  bitmap->Canvas()->Rectangle(0, 0, W, H);
  return bitmap;
}

}  // namespace dropdown_test
