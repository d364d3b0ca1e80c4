#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"

using namespace shellwin;
namespace fs = std::filesystem;

namespace {

void WriteFlag(const fs::path& p, TColor top, TColor bottom) {
  // The bottom-left pixel is the transparent colour: a one-pixel frame of its own keeps the
  // stripes whole.
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(48, 34);
  bmp.Canvas()->Brush()->SetColor(clFuchsia);
  bmp.Canvas()->FillRect(Rect(0, 0, 48, 34));
  bmp.Canvas()->Brush()->SetColor(top);
  bmp.Canvas()->FillRect(Rect(1, 1, 47, 17));
  bmp.Canvas()->Brush()->SetColor(bottom);
  bmp.Canvas()->FillRect(Rect(1, 17, 47, 33));
  bmp.SaveToFile(Utf8ToString(p.string()));
}

}  // namespace

class OptionsTest : public ::testing::Test {
 protected:
  void AddLanguages(std::initializer_list<const char*> names) {
    for (const char* n : names) shelltest::WriteBytes(w.Languages() / (std::string(n) + ".lng"), "");
  }
  // Shows the dialog and runs fn inside it; returns the modal result.
  int Show(std::function<int(TFSoftOptions*)> fn) {
    script.AnswerModal(u"FSoftOptions", [this, fn](TForm*) { return fn(w.options); });
    return w.options->ShowModal();
  }
  std::vector<String> SlotNames() const {
    std::vector<String> names;
    for (int k = 0; k < 6; ++k) {
      if (w.options->L_L[k]->Visible()) names.push_back(w.options->L_L[k]->Caption());
    }
    return names;
  }
  ShellWindows w;
  ModalScript script;
};

TEST_F(OptionsTest, LanguagePages) {
  const struct {
    int files;
    String page;
    int slots;
    bool prev, next;
  } cases[] = {
      {0, u"Page 1 / 0", 0, false, true},
      {6, u"Page 1 / 1", 6, false, false},
      {7, u"Page 1 / 2", 6, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.files);
    fs::remove_all(w.Languages());
    fs::create_directories(w.Languages());
    for (int i = 0; i < c.files; ++i) AddLanguages({("L" + std::to_string(i)).c_str()});
    Show([&](TFSoftOptions* o) {
      EXPECT_EQ(o->L_Page_Lang->Caption(), c.page);
      EXPECT_EQ(static_cast<int>(SlotNames().size()), c.slots);
      EXPECT_EQ(o->Btn_Prev->Visible(), c.prev);
      EXPECT_EQ(o->Btn_Next->Visible(), c.next);
      EXPECT_EQ(o->PC_Options->ActivePage(), o->TS_Language);
      return mrCancel;
    });
  }
  // Seven files: the second page holds one slot and only Previous.
  Show([&](TFSoftOptions* o) {
    o->Btn_NextClick(o->Btn_Next);
    EXPECT_EQ(o->L_Page_Lang->Caption(), u"Page 2 / 2");
    EXPECT_EQ(SlotNames(), std::vector<String>{u"L6"});
    EXPECT_TRUE(o->L_L[0]->Visible());
    EXPECT_TRUE(o->Btn_Prev->Visible());
    EXPECT_FALSE(o->Btn_Next->Visible());
    o->Btn_NextClick(o->Btn_Next);
    EXPECT_EQ(o->Show_Page, 2);
    o->Btn_NextClick(o->Btn_Prev);
    EXPECT_EQ(o->L_Page_Lang->Caption(), u"Page 1 / 2");
    return mrCancel;
  });
}

TEST_F(OptionsTest, ListSortedCaseBlindWithoutReadOnlyFilesOrFolders) {
  AddLanguages({"b", "A", "c", "Locked"});
  fs::permissions(w.Languages() / "Locked.lng", fs::perms::owner_write, fs::perm_options::remove);
  fs::create_directories(w.Languages() / "Folder.lng");
  shelltest::WriteBytes(w.Languages() / "readme.txt", "");
  Show([&](TFSoftOptions*) {
    EXPECT_EQ(SlotNames(), (std::vector<String>{u"A", u"b", u"c"}));
    return mrCancel;
  });
  fs::permissions(w.Languages() / "Locked.lng", fs::perms::owner_write, fs::perm_options::add);
}

TEST_F(OptionsTest, FlagsOwnOrDefaultOrNone) {
  AddLanguages({"English", "Italiano", "Deutsch"});
  WriteFlag(w.Languages() / "Italiano.bmp", clGreen, clRed);
  Show([&](TFSoftOptions* o) {
    // Sorted: Deutsch, English, Italiano. No DefaultFlag.bmp yet: names without pictures.
    EXPECT_FALSE(o->I_L[0]->Visible());
    EXPECT_TRUE(o->L_L[0]->Visible());
    EXPECT_TRUE(o->I_L[2]->Visible());
    EXPECT_EQ(o->I_L[2]->Picture()->Width(), 48);
    return mrCancel;
  });
  WriteFlag(w.Languages() / "DefaultFlag.bmp", clWhite, clBlue);
  shelltest::WriteBytes(w.Languages() / "English.bmp", "not a picture");
  Show([&](TFSoftOptions* o) {
    EXPECT_TRUE(o->I_L[0]->Visible());
    EXPECT_EQ(o->I_L[0]->Picture()->Height(), 34);
    // An unreadable flag leaves the name alone; the dialog still appears.
    EXPECT_FALSE(o->I_L[1]->Visible());
    EXPECT_TRUE(o->L_L[1]->Visible());
    EXPECT_TRUE(PaintToPng(o, Utf8ToString((PictureFolder() / "options_language.png").string())));
    return mrCancel;
  });
}

TEST_F(OptionsTest, LanguageClickNoYesAndCancel) {
  AddLanguages({"English", "Test"});
  shelltest::WriteBytes(w.Languages() / "Test.lng", "STR15 = Neue Konfiguration\r\nSTR304 = \u00b6Sprache : \u00b6\r\n");
  std::vector<String> retexted;
  w.main->Register_Form(u"TFLoRaWAN_Gateway", nullptr, [&] { retexted.push_back(u"lora"); });
  Language_Name = u"English";
  Show([&](TFSoftOptions* o) {
    script.ExpectMessage(mrNo);
    o->LangClick(o->L_L[1]);
    EXPECT_EQ(script.Messages().back().Text, u"Do you want to change the Language from English to Test?");
    EXPECT_EQ(script.Messages().back().Type, mtConfirmation);
    EXPECT_EQ(script.Messages().back().Buttons, mbYesNo);
    EXPECT_EQ(w.main->Btn_New->Caption(), u"New Configuration");
    EXPECT_TRUE(retexted.empty());
    script.ExpectMessage(mrYes);
    o->LangClick(o->I_L[1]);
    EXPECT_EQ(o->Language_In_Use, u"Test");
    EXPECT_EQ(Language_Name, u"English");
    return mrCancel;
  });
  // The texts changed at once everywhere; the name only changes with OK.
  EXPECT_EQ(retexted, std::vector<String>{u"lora"});
  EXPECT_EQ(Language_List->Strings(15), u"Neue Konfiguration");
  EXPECT_EQ(w.main->Btn_New->Caption(), u"Neue Konfiguration");
  EXPECT_EQ(w.options->L_Sel_Lang->Caption(), u"Sprache : Test");
  EXPECT_EQ(Language_Name, u"English");
  EXPECT_FALSE(fs::exists(w.folder / "Kelvane.xml"));
}

TEST_F(OptionsTest, ConnectionOptionsAndOk) {
  Opt_Enable_Internet = true;
  Opt_Enable_Update = true;
  const int result = Show([&](TFSoftOptions* o) {
    EXPECT_TRUE(o->CB_En_Con->Checked());
    EXPECT_TRUE(o->CB_Update->Enabled());
    EXPECT_TRUE(o->Btn_Check_Update->Enabled());
    EXPECT_FALSE(o->LL_Check_Update->Visible());
    o->CB_En_Con->SetChecked(false);
    EXPECT_FALSE(o->CB_Update->Enabled());
    EXPECT_TRUE(o->CB_Update->Checked());
    EXPECT_FALSE(o->Btn_Check_Update->Enabled());
    o->CB_Soft_Set_Jump_Table->SetChecked(true);
    o->Btn_OKClick(o->Btn_OK);
    return mrNone;
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_FALSE(Opt_Enable_Internet);
  EXPECT_TRUE(Opt_Enable_Update);
  EXPECT_TRUE(Opt_Jump_Field_Tables);
  EXPECT_FALSE(Opt_Double_Click_Auto_Size);
  EXPECT_FALSE(w.main->Timer_Update->Enabled());
}

TEST_F(OptionsTest, OkFromTheMainWindowWritesSettingsAndArmsTheTimer) {
  script.AnswerModal(u"FSoftOptions", [&](TForm*) {
    w.options->CB_En_Con->SetChecked(true);
    w.options->CB_Update->SetChecked(true);
    w.options->Btn_OKClick(w.options->Btn_OK);
    return mrNone;
  });
  w.main->Btn_Click(w.main->Btn_Opz);
  EXPECT_TRUE(w.main->Timer_Update->Enabled());
  const std::string xml = shelltest::ReadBytes(w.folder / "Kelvane.xml");
  EXPECT_NE(xml.find("<enable_internet>1</enable_internet><enable_update>1</enable_update>"), std::string::npos);
}

TEST_F(OptionsTest, Texts) {
  TFSoftOptions* o = w.options;
  EXPECT_EQ(o->ClientWidth(), 509);
  EXPECT_EQ(o->ClientHeight(), 373);
  EXPECT_EQ(o->Caption(), u"Software Options");
  EXPECT_EQ(o->TS_Language->Caption(), u"Language");
  EXPECT_EQ(o->TS_Con_Options->Caption(), u"Connection Options");
  EXPECT_EQ(o->TS_Soft_Settings->Caption(), u"Software Settings");
  EXPECT_EQ(o->L_Sel_Lang->Caption(), u"Selected Language : ");
  EXPECT_EQ(o->L_Page_Lang->Caption(), u"Page 1 / 1");
  EXPECT_EQ(o->CB_Update->Caption(), u"Check Software Update at Start of Program");
  EXPECT_EQ(o->Btn_Check_Update->Width(), 204);
  EXPECT_EQ(o->Btn_Next->Layout(), blGlyphRight);
  EXPECT_EQ(o->PC_Options->ActivePage(), o->TS_Con_Options);
  Opt_Enable_Internet = true;
  Show([&](TFSoftOptions* d) {
    d->PC_Options->SetActivePage(d->TS_Con_Options);
    EXPECT_TRUE(PaintToPng(d, Utf8ToString((PictureFolder() / "options_connection.png").string())));
    return mrCancel;
  });
}
