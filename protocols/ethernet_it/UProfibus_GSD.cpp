#include "protocols/ethernet_it/UProfibus_GSD.h"

#include <memory>
#include <vector>

#include "platform/Dialogs.h"
#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/XMLDoc.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

int32_t GSD_Input_Bytes = 0;
int32_t GSD_Output_Bytes = 0;

namespace {

constexpr int kGsdOverwrite = 1503;
constexpr int kGsdNoParameters = 1504;
constexpr int kGsdBadSizes = 1509;
constexpr size_t kGsdHeaderWidth = 85;

int32_t GsdModules(int32_t Bytes) { return Bytes > 0 ? (Bytes + GSD_Module_Bytes - 1) / GSD_Module_Bytes : 0; }

class TGsdLines {
 public:
  void Add(const String& Line) { FText += Line + u"\r\n"; }
  void Empty(int Count = 1) {
    for (int i = 0; i < Count; ++i) Add(String());
  }
  // The header comment's frame lines.
  void Rule() { Add(u";* " + String(80, u'=') + u" *"); }
  void Blank() { Add(u";*" + String(82, u' ') + u"*"); }
  void Framed(const String& Text) {
    String line = u";* " + Text;
    if (line.size() < kGsdHeaderWidth - 1) line += String(kGsdHeaderWidth - 1 - line.size(), u' ');
    Add(line + u"*");
  }
  // A section head: rule, title, rule, each Width wide, then an empty line.
  void Section(const String& Title, size_t Width) {
    const String rule = u";" + String(Width - 1, u'=');
    String title = u";==== " + Title + u" ";
    if (title.size() < Width) title += String(Width - title.size(), u'=');
    Add(rule);
    Add(title);
    Add(rule);
    Empty();
  }
  const String& Text() const { return FText; }

 private:
  String FText;
};

void GsdHeader(TGsdLines& L) {
  L.Add(u";");
  L.Add(u";" + String(17, u'*') + u" PROFIBUS Slave / LoRaWAN Gateway - Converter " + String(21, u'*'));
  L.Rule();
  L.Blank();
  const String indent(10, u' ');
  L.Framed(u"Vendor:   " + GSD_Vendor_Company);
  L.Framed(indent + GSD_Vendor_Street);
  L.Framed(indent + GSD_Vendor_Town);
  L.Framed(indent + GSD_Vendor_Country);
  L.Framed(indent + u"Tel. : " + GSD_Vendor_Phone);
  L.Framed(indent + u"FAX. : " + GSD_Vendor_Fax);
  L.Framed(indent + u"eMail: " + GSD_Vendor_Mail);
  L.Blank();
  L.Rule();
  L.Blank();
  L.Framed(u"Function:       PROFIBUS Slave / LoRaWAN Gateway - Converter");
  L.Blank();
  L.Blank();
  L.Framed(u"Order Number : MX40002");
  L.Blank();
  L.Blank();
  L.Add(u";" + String(84, u'*'));
}

void GsdParameterTexts(TGsdLines& L) {
  L.Empty(2);
  L.Add(u"#Profibus_DP");
  L.Empty(2);
  L.Section(u"Prm-Text-Def-List", 85);
  for (const char16_t* line :
       {u"PrmText=1", u"Text(0)=\"disable\"", u"Text(1)=\"enable\"", u"EndPrmText", u"", u"PrmText  = 2",
        u"Text(0)  = \"clock up\"", u"Text(1)  = \"clock down\"", u"EndPrmText", u"", u"PrmText  = 3"})
    L.Add(line);
  for (int n = 1; n <= 5; ++n) L.Add(u"Text(" + IntToStr(n) + u")  = \"" + IntToStr(10 * n) + u"\"");
  L.Add(u"EndPrmText");
  L.Empty(2);
  L.Section(u"Ext-User-Prm-Data-Def-List", 86);
  for (const char16_t* line : {u"ExtUserPrmData=1 \"[SlotNumber]\"",
                               u"Unsigned8 0 0-32",
                               u"EndExtUserPrmData",
                               u"",
                               u"ExtUserPrmData=2 \"Diagnostic Alarm\"",
                               u"Bit(0) 0 0-1",
                               u"Prm_Text_Ref=1",
                               u"EndExtUserPrmData",
                               u"",
                               u"ExtUserPrmData=3 \"Process Alarm\"",
                               u"Bit(1) 0 0-1",
                               u"Prm_Text_Ref=1",
                               u"EndExtUserPrmData",
                               u"",
                               u"ExtUserPrmData=4 \"Counter mode\"",
                               u"Unsigned8 0 0-1",
                               u"Prm_Text_Ref=2",
                               u"EndExtUserPrmData",
                               u"",
                               u"ExtUserPrmData=5 \"Counter timebase (ms)\"",
                               u"Unsigned8 1 1-5",
                               u"Prm_Text_Ref=3",
                               u"EndExtUserPrmData",
                               u"",
                               u"ExtUserPrmData=6 \"Counter high-limit\"",
                               u"Unsigned16 65535 0-65535",
                               u"EndExtUserPrmData",
                               u"",
                               u"ExtUserPrmData=7 \"Counter low-limit\"",
                               u"Unsigned16 0 0-65535",
                               u"EndExtUserPrmData"})
    L.Add(line);
  L.Empty(2);
}

void GsdKeywords(TGsdLines& L, int32_t I, int32_t O) {
  L.Section(u"General DP Keywords", 86);
  for (const char16_t* line :
       {u"GSD_Revision = 5", u"Vendor_Name = \"Brenix\"", u"Model_Name = \"MX40002\"", u"Revision = \"1.00\"",
        u"Ident_Number = 0xAFE0", u"Protocol_Ident = 0", u"Station_Type = 0", u"FMS_supp = 0",
        u"Hardware_Release = \"V1.00\"", u"Software_Release = \"V1.00\"", u"Redundancy = 0", u"Repeater_Ctrl_Sig = 2",
        u"24V_Pins = 0"})
    L.Add(line);
  L.Empty(2);
  L.Section(u"Supported baudrates", 79);
  const char16_t* rates[] = {u"9.6", u"19.2", u"45.45", u"93.75", u"187.5", u"500", u"1.5M", u"3M", u"6M", u"12M"};
  const int tsdr[] = {15, 15, 15, 15, 15, 15, 20, 35, 50, 95};
  for (const char16_t* rate : rates) L.Add(String(rate) + u"_supp = 1");
  L.Empty();
  for (size_t i = 0; i < std::size(rates); ++i) L.Add(u"MaxTsdr_" + String(rates[i]) + u"=" + IntToStr(tsdr[i]));
  L.Empty(2);
  L.Section(u"Slave specific values", 79);
  for (const char16_t* line :
       {u"OrderNumber=\"MX40002\"", u"Slave_Family = 9@Brenix@MX40002", u"Implementation_Type = \"VPC3+\"",
        u"Info_Text=\"Brenix: PROFIBUS Slave / LoRaWAN Gateway - Converter\"", u"Bitmap_Device = \"DPV0_1N\"",
        u"Bitmap_SF=\"DPV0_1S\"", u"", u"Freeze_Mode_supp=1", u"Sync_Mode_supp=1", u"Fail_Safe=1", u"Auto_Baud_supp=1",
        u"Set_Slave_Add_supp=0", u"", u"Min_Slave_Intervall=6", u"", u"Modular_Station=1"})
    L.Add(line);
  L.Add(u"Max_Module=" + IntToStr(GsdModules(I) + GsdModules(O)));
  L.Add(u"Modul_Offset=1");
  L.Add(u"Max_Input_Len=" + IntToStr(I));
  L.Add(u"Max_Output_Len=" + IntToStr(O));
  L.Add(u"Max_Data_Len=" + IntToStr(I + O));
  L.Add(u"Max_Diag_Data_Len=15");
  L.Empty();
  L.Add(u"WD_Base_1ms_supp = 1");
  L.Add(u"Publisher_supp = 1");
  L.Empty();
  L.Section(u"User-Prm-Data", 79);
  L.Add(u"Max_User_Prm_Data_Len = 12");
  L.Add(u"Ext_User_Prm_Data_Const(0)= 0x00,0x00,0x00");
  L.Empty();
  L.Section(u"Modulstatus", 79);
  for (int slot = 1; slot <= 2; ++slot) {
    const String s = IntToStr(slot);
    L.Add(u"Unit_Diag_Area = " + IntToStr(22 + 2 * slot) + u" - " + IntToStr(23 + 2 * slot));
    L.Add(u"Value(1)= \"Slot " + s + u": Module error\"");
    L.Add(u"Value(2)= \"Slot " + s + u": Wrong module\"");
    L.Add(u"Value(3)= \"Slot " + s + u": No module\"");
    L.Add(u"Unit_Diag_Area_End");
  }
  L.Empty(2);
  L.Section(u"Module-Definition-List", 79);
}

// Modules First .. First + Count - 1 of Bytes bytes; the last one holds what is left.
void GsdModulesOf(TGsdLines& L, const String& Kind, const String& Identifier, int32_t Bytes, int32_t First) {
  const int32_t count = GsdModules(Bytes);
  for (int32_t i = 0; i < count; ++i) {
    const int32_t k = First + i;
    const int32_t length = i + 1 < count ? GSD_Module_Bytes : Bytes - GSD_Module_Bytes * (count - 1);
    L.Add(u"Module=\"" + Kind + u"  (PORT" + IntToStr(k) + u")    \" " + Identifier + u",0x" + IntToHex(length - 1, 2) +
          u",0x00,0x" + IntToHex(k, 2));
    L.Add(IntToStr(k));
    L.Add(u"EndModule");
  }
}

}  // namespace

String GSD_Size_Refusal(int32_t Input, int32_t Output) {
  if (Input < 0 || Output < 0) return UI_Text(kGsdBadSizes);
  if (static_cast<int64_t>(GsdModules(Input)) + GsdModules(Output) > GSD_Max_Modules) return UI_Text(kGsdBadSizes);
  return String();
}

std::string PROFIBUS_GSD_Bytes(int32_t I, int32_t O) {
  const String refusal = GSD_Size_Refusal(I, O);
  if (!refusal.empty()) throw Exception(refusal);
  TGsdLines L;
  GsdHeader(L);
  GsdParameterTexts(L);
  GsdKeywords(L, I, O);
  GsdModulesOf(L, u"DI", u"0x42", I, 1);
  GsdModulesOf(L, u"DO", u"0x82", O, GsdModules(I) + 1);
  L.Empty(3);
  L.Add(u"SlotDefinition");
  for (int32_t s = 1; s <= GsdModules(I) + GsdModules(O); ++s) {
    const String n = IntToStr(s);
    L.Add(u"Slot(" + n + u") = \"Slot " + n + u"\" " + n + u" " + n);
  }
  L.Add(u"EndSlotDefinition");
  L.Empty(4);
  return EncodeText(L.Text(), teAnsi);
}

String PROFIBUS_GSD_Path(const String& Chosen) {
  const String ext = u".GSD";
  if (Chosen.size() >= ext.size() && UpperCase(Chosen.substr(Chosen.size() - ext.size())) == ext) return Chosen;
  return Chosen + u".gsd";
}

void Save_PROFIBUS_GSD(const String& Path) {
  WriteFileWhole(Path, PROFIBUS_GSD_Bytes(GSD_Input_Bytes, GSD_Output_Bytes));
}

void Create_PROFIBUS_GSD() {
  if (!FileExists(Path_ParGen)) {
    MessageDlg(UI_Text(kGsdNoParameters), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  {
    TXMLDocument doc;
    const TXMLNode root = LoadTableRoot(doc, Path_ParGen);
    auto size = [&](const String& Key) {
      int32_t v = 0;
      const TXMLNode n = root.ChildNodes().FindNode(Key);
      return n && TryCellToInt(n.Text(), v) ? v : 0;
    };
    GSD_Output_Bytes = size(u"PROFINET_NB_IN");
    GSD_Input_Bytes = size(u"PROFINET_NB_OUT");
  }
  const String refusal = GSD_Size_Refusal(GSD_Input_Bytes, GSD_Output_Bytes);
  if (!refusal.empty()) {
    MessageDlg(refusal, mtError, TMsgDlgButtons{mbOK});
    return;
  }
  std::unique_ptr<TSaveDialog> dialog(New<TSaveDialog>(nullptr));
  dialog->SetInitialDir(Project_Folder);
  dialog->SetFilter(u"Generic Station Description (*.gsd)|*.gsd");
  if (!dialog->Execute()) return;
  const String path = PROFIBUS_GSD_Path(dialog->FileName());
  if (FileExists(path) && MessageDlg(UI_Text(kGsdOverwrite), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}) == mrNo)
    return;
  Save_PROFIBUS_GSD(path);
}
