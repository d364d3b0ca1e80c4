#include <gtest/gtest.h>

#include "MainWindowTestSupport.h"
#include "button/LbButton.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"

using namespace shellwin;

TEST(About, FixedTextsAfterALanguageChange) {
  ShellWindows w;
  ModalScript script;
  Language_List->SetStrings(0, u"Anfang");
  w.main->Change_Language();
  script.AnswerModal(u"FAbout", [&](TForm* f) {
    EXPECT_TRUE(PaintToPng(f, Utf8ToString((PictureFolder() / "about.png").string())));
    return mrNone;
  });
  EXPECT_EQ(w.main->L_Begin->Caption(), u"Anfang");
  w.main->Btn_Click(w.main->Btn_Info);
  TFAbout* a = w.about;
  const struct {
    TLabel* label;
    const char16_t* text;
    int left, top;
  } labels[] = {
      {a->Label1, u"Software Kelvane ", 128, 24},
      {a->Label2, u"SNMP Agent / LoRaWAN Gateway - Converter", 128, 39},
      {a->Label6, u"Software Code : ", 128, 62},
      {a->Label9, u"MS40001", 240, 62},
      {a->Label3, u"Version :", 128, 77},
      {a->Label10, u"1.000", 240, 77},
      {a->Label8, u"Document Code :", 128, 93},
      {a->Label12, u"MM40001", 240, 93},
      {a->Label4, u"www.example.com", 316, 131},
  };
  for (const auto& l : labels) {
    EXPECT_EQ(l.label->Caption(), l.text);
    EXPECT_EQ(l.label->Left(), l.left);
    EXPECT_EQ(l.label->Top(), l.top);
  }
  EXPECT_EQ(a->Caption(), u"About...");
  EXPECT_EQ(a->ClientWidth(), 425);
  EXPECT_EQ(a->ClientHeight(), 148);
  EXPECT_EQ(a->LbButton1->ModalResult(), mrOk);
  EXPECT_EQ(a->LbButton1->Caption(), u"OK");
  EXPECT_TRUE(a->Image2->Stretch());
  EXPECT_GE(a->Image2->Picture()->Width(), 81);
}

TEST(About, LogoAndAddressOpenTheSameHomePage) {
  ShellWindows w;
  ModalScript script;
  w.about->Label4Click(w.about->Image2);
  w.about->Label4Click(w.about->Label4);
  const String home = u"http://www.example.com/HOME/default.asp?frompg=MS40001";
  EXPECT_EQ(script.OpenedUrls(), (std::vector<String>{home, home}));
  // The image and the label are wired to the same handler.
  InputDriver driver;
  driver.Click(w.about->Image2);
  driver.Click(w.about->Label4);
  EXPECT_EQ(script.OpenedUrls().size(), 4u);
}
