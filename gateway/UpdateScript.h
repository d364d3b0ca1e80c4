#pragma once
// The updater's operation script Ethernet_Update.xml: the device address and ports, then one
// operation per file to write (the firmware image, bank 1, bank 2). The external updater reads
// it beside itself; this program never reads it back.
#include "platform/UString.h"

class TXMLDocument;

// Item indices of the update dialog's option list.
enum : int { Update_Firmware_And_Configuration = 0, Update_Firmware = 1, Update_Configuration = 2 };

// The protection word handed to our updater ("0x" and three hexadecimal digits).
inline constexpr char16_t Update_Protection_Word[] = u"0x5A3";

struct TUpdate_Script_Input {
  String IP_Address;       // the dialog's four address edits joined with "." as typed
  int Update_Option = Update_Firmware_And_Configuration;
  bool Read_Back = true;
  String Master_Folder;    // holds the firmware image Sim40001.sim
  String Project_Folder;   // holds bin/bank1.bin and bin/bank2.bin
};

// Clears the document and builds the script in it. An option outside 0..2 gives no operation.
void Build_Update_Script(TXMLDocument& Doc, const TUpdate_Script_Input& In);

// Program_Folder/Ethernet_Update.xml and Program_Folder/Ethernet_Update.exe.
String Update_Script_Path();
String Updater_Program_Path();
