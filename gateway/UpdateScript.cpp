#include "gateway/UpdateScript.h"

#include <vector>

#include "platform/Files.h"
#include "platform/XMLDoc.h"
#include "shell/UComon.h"

namespace {

struct TStep {
  String File;
  const char16_t* Start_Address;
  const char16_t* Bank_Type;
  const char16_t* Write_CSS;
  bool Last = false;
};

void Child(TXMLNode Parent, const char16_t* Name, const String& Text) { Parent.AddChild(Name).SetText(Text); }

void Add_Operation(TXMLNode Operations, const TStep& S, bool Read_Back) {
  TXMLNode op = Operations.AddChild(u"Operation");
  Child(op, u"Ope_Protection_Enabled", String());
  Child(op, u"Ope_GoToBoot_Before", u"0");
  Child(op, u"Ope_GoToApp_Before", u"0");
  Child(op, u"Ope_IP_Address", String());
  Child(op, u"Ope_Port", u"2008");
  Child(op, u"Ope_Port_Sec", u"2007");
  Child(op, u"Ope_Erase_Memory", u"0");
  Child(op, u"Ope_FileName", S.File);
  Child(op, u"Ope_Start_Address", S.Start_Address);
  Child(op, u"Ope_Memory_Type", u"0");
  Child(op, u"Ope_Bank_Type", S.Bank_Type);
  Child(op, u"Ope_Read_Back", Read_Back ? u"1" : u"0");
  Child(op, u"Ope_Write_CSS", S.Write_CSS);
  Child(op, u"Ope_Address_CSS", u"0x07A00");
  Child(op, u"Ope_Command_CSS", u"0x02");
  Child(op, u"Ope_Write_Internal_Data", u"0");
  Child(op, u"Ope_WID_Address", u"0x07810");
  Child(op, u"Ope_WID_Command", u"0x02");
  Child(op, u"Ope_WID_Data", u"0x00, 0x00, 0x00, 0x01");
  Child(op, u"Ope_GoToApp_After", S.Last ? u"1" : u"0");
}

}  // namespace

void Build_Update_Script(TXMLDocument& Doc, const TUpdate_Script_Input& In) {
  Doc.Clear();
  Doc.SetActive(true);
  TXMLNode root = Doc.AddRoot(u"Ethernet_Update");
  Child(root, u"Version", u"1000");
  Child(root, u"Title", u"Brenix - MS40001 Ethernet Update");
  Child(root, u"IP_Address_Dev", In.IP_Address);
  Child(root, u"Application_Port", u"10000");
  Child(root, u"Boot_Port", u"2008");
  Child(root, u"Boot_Port_Sec", u"2007");
  Child(root, u"Address_Protection", u"0x07800");
  Child(root.AddChild(u"Protections"), u"Protection", Update_Protection_Word);
  TXMLNode operations = root.AddChild(u"Operations");

  const TStep firmware{PathJoin(In.Master_Folder, u"Sim40001.sim"), u"0x8000", u"1", u"1"};
  const TStep bank1{PathJoin(PathJoin(In.Project_Folder, u"bin"), u"bank1.bin"), u"0x07000", u"2", u"0"};
  const TStep bank2{PathJoin(PathJoin(In.Project_Folder, u"bin"), u"bank2.bin"), u"0x80000", u"2", u"0"};
  std::vector<TStep> steps;
  switch (In.Update_Option) {
    case Update_Firmware_And_Configuration: steps = {firmware, bank1, bank2}; break;
    case Update_Firmware: steps = {firmware}; break;
    case Update_Configuration: steps = {bank1, bank2}; break;
    default: break;
  }
  // The updater returns the device to its application after the last write only.
  if (!steps.empty()) steps.back().Last = true;
  for (const TStep& s : steps) Add_Operation(operations, s, In.Read_Back);
}

String Update_Script_Path() { return PathJoin(Program_Folder, u"Ethernet_Update.xml"); }

String Updater_Program_Path() { return PathJoin(Program_Folder, u"Ethernet_Update.exe"); }
