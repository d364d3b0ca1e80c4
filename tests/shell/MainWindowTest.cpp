#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "MainWindowTestSupport.h"
#include "button/LbButton.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/MessageLoop.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/PaintToPng.h"

using namespace shellwin;
namespace fs = std::filesystem;

namespace {

// Every configuration step (the seven of this model's wizard but New and Open, and the hidden
// ones of the family).
const char16_t* const kGuarded[] = {
    u"Btn_Prm_Gen", u"Btn_LoRaWAN_Access", u"Btn_Modbus_Set_Access", u"Btn_BACnet_SetAccess",
    u"Btn_BACnet_EDE_File", u"Btn_CAN_Rec_Frame", u"Btn_CAN_Send_Frame", u"Btn_PDO_CANopen",
    u"Btn_SDO_Client_CANopen", u"Btn_SDO_Server_CANopen", u"Btn_CANopen_EDS", u"Btn_DNet_Net",
    u"Btn_DNet_Offset", u"Btn_DMX_Default", u"Btn_IEC61850_Client", u"Btn_TLS_List_Certificates",
    u"Btn_IEC61850_Access", u"Btn_MQTT_Set_Topic", u"Btn_OPC_UA_Client_Access", u"Btn_OPC_UA_Server_Access",
    u"Btn_SNMP_Manager_Access", u"Btn_SNMP_Trap", u"Btn_SNMP_MIB", u"Btn_PROFINET_XML",
    u"Btn_EtherNetIP_Access", u"Btn_S7_Protocol_Access", u"Btn_KNX_Access", u"Btn_PROFIBUS_GSD",
    u"Btn_CreateBin"};

// A stand-in for a step form of another library.
class TFStub : public TForm {
 public:
  TFStub(TComponent* owner, const String& name) : TForm(owner) { SetName(name); }
};

}  // namespace

TEST(MainWindowStart, EmptyProgramFolder) {
  ShellWindows w;
  TFKelvaneFirmWare* m = w.main;
  for (const char* d : {"MASTER", "PROJECTS", "LANGUAGE"}) EXPECT_TRUE(fs::is_directory(w.folder / d)) << d;
  EXPECT_EQ(m->Caption(), u"Brenix - Configurator MS40001 SNMP Agent / LoRaWAN Gateway ");
  EXPECT_EQ(m->ClientWidth(), 694);
  EXPECT_EQ(m->ClientHeight(), 484);
  EXPECT_EQ(m->L_SW_Code->Caption(), u"MS40001");
  EXPECT_EQ(m->L_SW_Desc->Caption(), u"SNMP Agent / LoRaWAN Gateway - Converter");
  EXPECT_EQ(m->L_Name_Conf->Caption(), u"None Configuration Opened ");
  EXPECT_EQ(m->L_Name_Conf_L2->Caption(), u"Use Step1 to open or create new configuration");
  EXPECT_FALSE(m->Timer_Update->Enabled());
  EXPECT_FALSE(m->LL_Update->Visible());
  EXPECT_TRUE(Project_Folder.empty());
  EXPECT_EQ(Path_ParGen, u"/ParGen.xml");
  ASSERT_NE(Grid_Clipboard, nullptr);
  ASSERT_NE(MIB_Read_Descriptions, nullptr);
  ASSERT_NE(MIB_Write_Descriptions, nullptr);
}

TEST(MainWindowStart, LayoutOfTheVisibleControls) {
  ShellWindows w;
  TFKelvaneFirmWare* m = w.main;
  const struct {
    TControl* c;
    int left, top, width, height;  // -1: not checked
  } places[] = {
      {m->Btn_Info, 516, 8, 50, 50},       {m->Btn_Opz, 574, 8, 50, 50},
      {m->Btn_Close, 632, 8, 50, 50},      {m->Btn_New, 80, 112, 170, 36},
      {m->Btn_Open, 258, 112, 170, 36},    {m->Btn_Prm_Gen, 80, 156, 170, 36},
      {m->Btn_LoRaWAN_Access, 80, 200, 170, 36}, {m->Btn_SNMP_Trap, 80, 244, 170, 36},
      {m->Btn_SNMP_MIB, 80, 288, 170, 36}, {m->Btn_CreateBin, 80, 332, 170, 36},
      {m->Shape2, 80, 70, 348, 36},        {m->Shape1, 10, 383, 674, 1},
      {m->L_SW_Code, 16, 8, -1, -1},
      {m->L_SW_Desc, 16, 42, -1, -1},      {m->L_Name_Conf, 87, 75, -1, -1},
      {m->L_Name_Conf_L2, 87, 88, -1, -1}, {m->L_Begin, 16, 84, -1, -1},
      {m->L_Step_1, 16, 128, -1, -1},      {m->L_Step_6, 16, 348, -1, -1},
      {m->L_Brenix, 565, 348, -1, -1},
  };
  for (const auto& p : places) {
    SCOPED_TRACE(StringToUtf8(p.c->Name()));
    EXPECT_TRUE(p.c->Visible());
    EXPECT_EQ(p.c->Left(), p.left);
    EXPECT_EQ(p.c->Top(), p.top);
    if (p.width >= 0) {
      EXPECT_EQ(p.c->Width(), p.width);
      EXPECT_EQ(p.c->Height(), p.height);
    }
  }
  // The update link waits hidden for a newer version.
  EXPECT_FALSE(m->LL_Update->Visible());
  EXPECT_EQ(m->LL_Update->BoundsRect(), Rect(208, 19, 208 + 294, 19 + 17));
  EXPECT_FALSE(m->L_Step_7->Visible());
  EXPECT_FALSE(m->L_Step_8->Visible());
  const std::vector<TLbButton*> buttons = m->Buttons();
  ASSERT_EQ(buttons.size(), 34u);
  int shown = 0;
  for (TLbButton* b : buttons) {
    shown += b->Visible() ? 1 : 0;
    EXPECT_EQ(b->Color(), TColor(0xEDF7F8));
    EXPECT_EQ(b->ColorWhenDown(), TColor(0x0080FF));
    EXPECT_EQ(b->NumGlyphs(), 1) << StringToUtf8(b->Name());
    EXPECT_FALSE(b->Glyph()->Empty());
    const bool sky = b == m->Btn_New || b == m->Btn_Open || b == m->Btn_CreateBin;
    EXPECT_EQ(b->HotTrackColor(), sky ? clSkyBlue : clYellow) << StringToUtf8(b->Name());
  }
  EXPECT_EQ(shown, 10);
  EXPECT_EQ(m->Btn_Prm_Gen->Style(), bsNormal);
  EXPECT_EQ(m->Btn_SNMP_Trap->Style(), bsEncarta);
  EXPECT_EQ(m->Btn_Prm_Gen->Alignment(), taLeftJustify);
  EXPECT_FALSE(m->Btn_SNMP_Trap->ShowHint());
  EXPECT_FALSE(m->Btn_PROFIBUS_GSD->ShowHint());
  EXPECT_TRUE(m->Btn_New->ShowHint());
  EXPECT_EQ(m->Btn_SNMP_Trap->Hint(), u"Set the SNMP Agent Access Rules");
  EXPECT_EQ(m->Btn_CreateBin->Caption(), u"Update Device");
  EXPECT_EQ(m->Btn_Info->Caption(), u"");
  EXPECT_EQ(m->Btn_Info->Hint(), u"Information");
}

TEST(MainWindowGuard, EveryConfigurationStepIsRefusedWithoutConfiguration) {
  ShellWindows w;
  ModalScript script;
  int routines = 0;
  TStepRoutines& r = w.main->Step_Routines;
  r.Compile_Bin = [&] { ++routines; return true; };
  r.Save_Bin = [&] { ++routines; return true; };
  r.Create_SNMP_MIB = [&](TSaveDialog&) { ++routines; };
  r.Create_EDE_File = [&](const String&) { ++routines; };
  r.Create_EDS_File = [&](const String&) { ++routines; };
  r.Create_PROFIBUS_GSD = [&] { ++routines; };
  TFStub parGen(nullptr, u"FParGen");
  w.main->Register_Form(u"TFParGen", &parGen, nullptr);
  for (const char16_t* name : kGuarded) {
    TLbButton* b = w.main->ButtonByName(name);
    ASSERT_NE(b, nullptr) << StringToUtf8(name);
    w.main->Btn_Click(b);
  }
  ASSERT_EQ(script.Messages().size(), std::size(kGuarded));
  for (const auto& msg : script.Messages()) {
    EXPECT_EQ(msg.Type, mtError);
    EXPECT_EQ(msg.Text, u"Error! Project not Valid");
    EXPECT_EQ(msg.Buttons, TMsgDlgButtons{mbOK});
  }
  EXPECT_EQ(routines, 0);
  EXPECT_TRUE(script.ModalForms().empty());
  EXPECT_TRUE(script.FileDialogs().empty());
}

TEST(MainWindowGuard, ButtonsThatNeedNoConfiguration) {
  ShellWindows w;
  ModalScript script;
  script.AnswerModal(u"FAbout", mrOk);
  script.AnswerModal(u"FSoftOptions", mrCancel);
  script.AnswerModal(u"FNew_Project", mrCancel);
  script.AnswerModal(u"FOpenConf", mrCancel);
  w.main->Btn_Click(w.main->Btn_Info);
  w.main->Btn_Click(w.main->Btn_Opz);
  w.main->Btn_Click(w.main->Btn_New);
  w.main->Btn_Click(w.main->Btn_Open);
  EXPECT_TRUE(script.Messages().empty());
  ASSERT_EQ(script.ModalForms().size(), 4u);
  EXPECT_EQ(script.ModalForms()[0].FormName, u"FAbout");
  EXPECT_EQ(script.ModalForms()[1].FormName, u"FSoftOptions");
  EXPECT_EQ(script.ModalForms()[2].FormName, u"FNew_Project");
  EXPECT_EQ(script.ModalForms()[3].FormName, u"FOpenConf");
  // Cancel in the options dialog writes no settings.
  EXPECT_FALSE(fs::exists(w.folder / "Kelvane.xml"));
}

TEST(MainWindowSteps, NewConfigurationOpensItAndTheStepsRun) {
  ShellWindows w;
  ModalScript script;
  script.AnswerModal(u"FNew_Project", [&](TForm*) {
    w.newProject->E_New_Proj->SetText(u"Plant1");
    w.newProject->Btn_OKClick(w.newProject->Btn_OK);
    return mrNone;
  });
  w.main->Btn_Click(w.main->Btn_New);
  EXPECT_TRUE(fs::is_directory(w.Projects() / "Plant1" / "bin"));
  EXPECT_EQ(Project_Name, u"Plant1");
  EXPECT_EQ(Project_Folder, PathJoin(Projects_Folder, u"Plant1"));
  EXPECT_EQ(Path_SNMP_Trap, Project_Folder + u"/SNMP_Trap.xml");
  EXPECT_EQ(w.main->L_Name_Conf->Caption(), u"Opened Configuration of the Converter : ");
  EXPECT_EQ(w.main->L_Name_Conf_L2->Caption(), u"Plant1");

  // Linked forms are shown; the update step builds, saves, sets the Ethernet kind and shows.
  TFStub parGen(nullptr, u"FParGen"), lora(nullptr, u"FLoRaWAN_Gateway"), snmp(nullptr, u"FSNMP_Trap_Access"),
      boot(nullptr, u"FBoot");
  w.main->Register_Form(u"TFParGen", &parGen, nullptr);
  w.main->Register_Form(u"TFLoRaWAN_Gateway", &lora, nullptr);
  w.main->Register_Form(u"TFSNMP_Trap_Access", &snmp, nullptr);
  w.main->Register_Form(u"TFBoot", &boot, nullptr);
  std::vector<std::string> calls;
  TStepRoutines& r = w.main->Step_Routines;
  r.Compile_Bin = [&] { calls.push_back("compile"); return true; };
  r.Save_Bin = [&] { calls.push_back("save"); return true; };
  r.Set_Boot_Form_Type = [&](int t) { calls.push_back("type " + std::to_string(t)); };
  r.Create_SNMP_MIB = [&](TSaveDialog& d) {
    calls.push_back("mib " + StringToUtf8(d.Filter()) + " " + StringToUtf8(d.DefaultExt()));
  };
  for (int i = 0; i < 4; ++i) {
    script.AnswerModal(u"", [&](TForm* f) {
      calls.push_back("show " + StringToUtf8(f->Name()));
      return mrCancel;
    });
  }
  for (TLbButton* b : {w.main->Btn_Prm_Gen, w.main->Btn_LoRaWAN_Access, w.main->Btn_SNMP_Trap, w.main->Btn_SNMP_MIB,
                       w.main->Btn_CreateBin}) {
    w.main->Btn_Click(b);
  }
  EXPECT_EQ(calls, (std::vector<std::string>{"show FParGen", "show FLoRaWAN_Gateway", "show FSNMP_Trap_Access",
                                             "mib Management Information Base (*.mib)|*.mib *.mib", "compile",
                                             "save", "type 1", "show FBoot"}));
  EXPECT_TRUE(script.Messages().empty());

  // A refused build stops the step before the save and the dialog.
  calls.clear();
  r.Compile_Bin = [&] { calls.push_back("compile"); return false; };
  w.main->Btn_Click(w.main->Btn_CreateBin);
  EXPECT_EQ(calls, std::vector<std::string>{"compile"});
}

TEST(MainWindowSteps, UnlinkedStepsStopAfterTheGuard) {
  ShellWindows w;
  ModalScript script;
  fs::create_directories(w.Projects() / "P");
  Project_Name = u"P";
  Project_Folder = PathJoin(Projects_Folder, u"P");
  for (const char16_t* name : kGuarded) w.main->Btn_Click(w.main->ButtonByName(name));
  EXPECT_TRUE(script.Messages().empty());
  EXPECT_TRUE(script.ModalForms().empty());
  EXPECT_TRUE(script.FileDialogs().empty());
}

TEST(MainWindowSteps, EdeExportAppendsCsvAndAsksBeforeOverwriting) {
  ShellWindows w;
  ModalScript script;
  fs::create_directories(w.Projects() / "P");
  Project_Name = u"P";
  Project_Folder = PathJoin(Projects_Folder, u"P");
  std::vector<String> written;
  w.main->Step_Routines.Create_EDE_File = [&](const String& f) { written.push_back(f); };
  const String base = PathJoin(Project_Folder, u"ede");
  shelltest::WriteBytes(w.Projects() / "P" / "old.CSV", "x");
  const struct {
    String chosen;
    int answer;  // -1: no question expected
    bool writes;
    String file;
  } cases[] = {
      {base, -1, true, base + u".csv"},
      {base + u".Csv", -1, true, base + u".Csv"},
      {PathJoin(Project_Folder, u"old.CSV"), mrYes, true, PathJoin(Project_Folder, u"old.CSV")},
      {PathJoin(Project_Folder, u"old.CSV"), mrNo, false, String()},
      {PathJoin(Project_Folder, u"old.CSV"), mrCancel, false, String()},
  };
  for (const auto& c : cases) {
    written.clear();
    const size_t before = script.Messages().size();
    script.AnswerFileDialog(c.chosen);
    if (c.answer >= 0) script.ExpectMessage(c.answer);
    w.main->Btn_Click(w.main->Btn_BACnet_EDE_File);
    EXPECT_EQ(script.FileDialogs().back().InitialDir, Project_Folder);
    EXPECT_EQ(script.Messages().size(), before + (c.answer >= 0 ? 1 : 0)) << StringToUtf8(c.chosen);
    if (c.answer >= 0) {
      EXPECT_EQ(script.Messages().back().Type, mtConfirmation);
      EXPECT_EQ(script.Messages().back().Buttons, mbYesNoCancel);
    }
    EXPECT_EQ(written, c.writes ? std::vector<String>{c.file} : std::vector<String>{});
  }
}

TEST(MainWindowSettings, CloseWritesTheSettingsAndTheNextStartReopens) {
  ShellWindows w;
  fs::create_directories(w.Projects() / "Plant1" / "bin");
  Project_Name = u"Plant1";
  Project_Folder = PathJoin(Projects_Folder, u"Plant1");
  Opt_Enable_Internet = Opt_Enable_Update = true;
  w.Restart();
  EXPECT_TRUE(fs::exists(w.folder / "Kelvane.xml"));
  EXPECT_EQ(Project_Name, u"Plant1");
  EXPECT_EQ(Project_Folder, PathJoin(Projects_Folder, u"Plant1"));
  EXPECT_EQ(w.main->L_Name_Conf_L2->Caption(), u"Plant1");
  EXPECT_EQ(Path_ParGen, Project_Folder + u"/ParGen.xml");
  EXPECT_TRUE(w.main->Timer_Update->Enabled());
  EXPECT_EQ(w.main->Timer_Update->Interval(), Update_First_Interval_Ms);

  // The folder is gone: nothing opens, the name stays for the next write.
  fs::remove_all(w.Projects() / "Plant1");
  w.Restart();
  EXPECT_EQ(Project_Name, u"Plant1");
  EXPECT_TRUE(Project_Folder.empty());
  EXPECT_EQ(w.main->L_Name_Conf->Caption(), u"None Configuration Opened ");
}

TEST(MainWindowSettings, ASavedNameOutsideProjectsOpensNothing) {
  ShellWindows w;
  fs::create_directories(w.folder / "elsewhere");
  for (const char16_t* name : {u"../elsewhere", u"..", u"."}) {
    Project_Name = name;
    w.Restart();
    EXPECT_TRUE(Project_Folder.empty()) << StringToUtf8(name);
  }
}

TEST(MainWindowLanguage, ChangeLanguageRetextsEveryLinkedFormInOrder) {
  ShellWindows w;
  std::vector<String> calls;
  // Linked in another order than the one of the language change.
  for (const char16_t* name : {u"TFSNMP_Trap_Access", u"TFParGen", u"TFBoot", u"TFLoRaWAN_Gateway"}) {
    w.main->Register_Form(name, nullptr, [&calls, name] { calls.push_back(name); });
  }
  // Texts as a loaded language would leave them.
  Language_List->SetStrings(15, u"Neue Konfiguration");
  Language_List->SetStrings(100, u"Neue Konfiguration anlegen");
  Language_List->SetStrings(200, u"Konfiguration oeffnen");
  Language_List->SetStrings(300, u"Optionen");
  Language_List->SetStrings(9, u"Keine Konfiguration");
  w.main->Change_Language();
  EXPECT_EQ(calls, (std::vector<String>{u"TFLoRaWAN_Gateway", u"TFBoot", u"TFParGen", u"TFSNMP_Trap_Access"}));
  EXPECT_EQ(w.main->Btn_New->Caption(), u"Neue Konfiguration");
  EXPECT_EQ(w.main->L_Name_Conf->Caption(), u"Keine Konfiguration");
  EXPECT_EQ(w.newProject->Caption(), u"Neue Konfiguration anlegen");
  EXPECT_EQ(w.openConf->Caption(), u"Konfiguration oeffnen");
  EXPECT_EQ(w.options->Caption(), u"Optionen");
  EXPECT_EQ(w.about->Caption(), u"About...");
  const auto& order = Language_Change_Order();
  ASSERT_EQ(order.size(), 41u);
  EXPECT_EQ(order.front(), u"TFKelvaneFirmWare");
  EXPECT_EQ(order.back(), u"TFKNXAccess");
}

TEST(MainWindowUpdate, TimerChecksAfterAMinuteThenEveryTwoHours) {
  ShellWindows w(false);
  InputDriver driver;
  LoopbackHttpServer server(LoopbackHttpServer::Ok("VER. 1.002"));
  MakerServerScope scope(server.Host());
  shelltest::WriteBytes(w.folder / "Kelvane.xml",
                        "<Conf_Settings><lastinternet><enable_internet>1</enable_internet>"
                        "<enable_update>1</enable_update></lastinternet></Conf_Settings>");
  w.Create();
  ASSERT_TRUE(w.main->Timer_Update->Enabled());
  driver.AdvanceTime(59999);
  EXPECT_FALSE(w.main->Version_Check.Running());
  EXPECT_EQ(server.Requests(), 0);
  driver.AdvanceTime(1);
  // The request runs off the UI thread; its verdict arrives through the message loop.
  EXPECT_TRUE(w.main->Version_Check.Running());
  ASSERT_TRUE(RunMessageLoopUntil([&] { return !w.main->Version_Check.Running(); }));
  EXPECT_EQ(server.Requests(), 1);
  EXPECT_TRUE(w.main->LL_Update->Visible());
  EXPECT_EQ(w.main->LL_Update->Parts().Target, u"http://" + server.Host() + u"/Home/download/download.asp#MX40001");
  EXPECT_EQ(w.main->LL_Update->Parts().LinkText, u"New Version Available. Click Here for more Details");
  EXPECT_EQ(w.main->Timer_Update->Interval(), Update_Repeat_Interval_Ms);
  EXPECT_TRUE(w.main->Timer_Update->Enabled());
  driver.AdvanceTime(Update_Repeat_Interval_Ms);
  ASSERT_TRUE(RunMessageLoopUntil([&] { return !w.main->Version_Check.Running(); }));
  EXPECT_EQ(server.Requests(), 2);

  ModalScript script;
  w.main->LL_UpdateLinkClick(w.main->LL_Update, w.main->LL_Update->Parts().Target, sltURL);
  w.main->L_BrenixClick(w.main->L_Brenix);
  EXPECT_EQ(script.OpenedUrls(),
            (std::vector<String>{u"http://" + server.Host() + u"/Home/download/download.asp#MX40001",
                                 u"http://" + server.Host() + u"/HOME/default.asp?frompg=MS40001"}));
}

TEST(MainWindowUpdate, NoNewerVersionHidesTheLink) {
  ShellWindows w;
  RefusingPort port;
  MakerServerScope scope(port.Host());
  w.main->LL_Update->SetVisible(true);
  w.main->Timer_UpdateTimer(w.main->Timer_Update);
  ASSERT_TRUE(RunMessageLoopUntil([&] { return !w.main->Version_Check.Running(); }));
  EXPECT_FALSE(w.main->LL_Update->Visible());
  EXPECT_TRUE(w.main->Timer_Update->Enabled());
}

TEST(MainWindowPicture, PaintsForAPerson) {
  ShellWindows w;
  TFKelvaneFirmWare* m = w.main;
  const std::unique_ptr<TBitmap> pic = PaintToBitmap(m);
  ASSERT_TRUE(SavePng(pic.get(), Utf8ToString((PictureFolder() / "main_window.png").string())));
  ASSERT_EQ(pic->Width(), 694);
  ASSERT_EQ(pic->Height(), 484);
  const TColor ground = ColorToRGB(m->Color());
  auto colors = [&](const TRect& r) { return BitmapColors(pic.get(), r); };
  auto count = [](const std::map<TColor, int>& seen, TColor c) {
    const auto it = seen.find(ColorToRGB(c));
    return it == seen.end() ? 0 : it->second;
  };

  // The window's own colour where nothing stands.
  EXPECT_EQ(BitmapPixel(pic.get(), pic->Width() - 1, pic->Height() - 1), ground);
  EXPECT_EQ(BitmapPixel(pic.get(), pic->Width() - 1, m->Shape1->Top() + 1), ground);

  // Every label shown is its text in its font's colour on the window's colour.
  std::vector<TLabel*> labels = {m->L_SW_Code, m->L_SW_Desc, m->L_Begin, m->L_Name_Conf, m->L_Brenix};
  for (TLabel* l : {m->L_Step_1, m->L_Step_2, m->L_Step_3, m->L_Step_4, m->L_Step_5, m->L_Step_6, m->L_Step_7,
                    m->L_Step_8})
    if (l->Visible()) labels.push_back(l);
  for (TLabel* l : labels) {
    SCOPED_TRACE(StringToUtf8(l->Name()));
    const std::map<TColor, int> seen = colors(PaintedRect(l, m));
    const int all = l->Width() * l->Height();
    EXPECT_GE(count(seen, l->Font()->Color()) * 10, all);
    EXPECT_EQ(count(seen, l->Font()->Color()) + count(seen, ground), all);
  }

  // The frame around the configuration name and the rule under the steps, in their pens' colours;
  // the frame's inside keeps the window's colour around the texts.
  const std::vector<TColor> frame = BitmapEdge(pic.get(), PaintedRect(m->Shape2, m));
  EXPECT_EQ(std::count(frame.begin(), frame.end(), ColorToRGB(m->Shape2->Pen()->Color())), std::ssize(frame));
  EXPECT_GT(count(colors(PaintedRect(m->Shape2, m)), ground), m->Shape2->Width() * m->Shape2->Height() / 2);
  EXPECT_EQ(colors(PaintedRect(m->Shape1, m)),
            (std::map<TColor, int>{{ColorToRGB(m->Shape1->Pen()->Color()), m->Shape1->Width()}}));

  // Every button shown: its edge in its light colour, its face in its colour, and on the face its
  // glyph and caption.
  for (TLbButton* b : m->Buttons()) {
    if (!b->Visible()) continue;
    SCOPED_TRACE(StringToUtf8(b->Name()));
    const TRect r = PaintedRect(b, m);
    const std::vector<TColor> edge = BitmapEdge(pic.get(), r);
    EXPECT_EQ(std::count(edge.begin(), edge.end(), ColorToRGB(b->LightColor())), std::ssize(edge));
    const TRect face = Rect(r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
    const std::map<TColor, int> inside = colors(face);
    const int faceColored = count(inside, b->Color());
    EXPECT_GE(faceColored * 4, face.Width() * face.Height());
    EXPECT_GE(face.Width() * face.Height() - faceColored, b->Caption().empty() ? 150 : 250);
    if (!b->Caption().empty()) {
      EXPECT_GE(count(inside, b->Font()->Color()), 100);
    }
  }
}

TEST(MainWindowSettings, CloseButtonWritesTheSettingsWithoutAQuestion) {
  ShellWindows w;
  ModalScript script;
  Language_Name = u"Deutsch";
  w.main->Btn_Click(w.main->Btn_Close);
  EXPECT_TRUE(script.Messages().empty());
  const std::string xml = shelltest::ReadBytes(w.folder / "Kelvane.xml");
  EXPECT_NE(xml.find("<language>Deutsch</language>"), std::string::npos);
}

TEST(MainWindowSettings, AnUnwritableSettingsFileIsReportedAndTheWindowStillCloses) {
  ShellWindows w;
  ModalScript script;
  fs::create_directories(w.folder / "Kelvane.xml");
  TCloseAction action = caHide;
  w.main->FormClose(w.main, action);
  EXPECT_EQ(action, caHide);
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_NE(script.Messages()[0].Text.find(u"Kelvane.xml"), String::npos);
}

TEST(MainWindowGuard, MouseClicksReachTheHandler) {
  ShellWindows w;
  ModalScript script;
  InputDriver driver;
  script.AnswerModal(u"FAbout", mrOk);
  driver.Click(w.main->Btn_Info);
  driver.Click(w.main->Btn_SNMP_MIB);
  ASSERT_EQ(script.ModalForms().size(), 1u);
  EXPECT_EQ(script.ModalForms()[0].FormName, u"FAbout");
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Text, u"Error! Project not Valid");
}
