#pragma once
// The EDE export (unit UBACnet_EDE_File): writes the gateway's own BACnet server objects, as
// BACnet_Slave.xml holds them, into an EDE file (BACnetEDE.h) for BACnet clients and engineering
// tools. Each object gets the next instance number of its object type, counted from 0 over the
// read section and then the write section, and the server's device instance from ParGen.xml.
// Works without a window.
#include <array>
#include <vector>

#include "gateway/BACnetEDE.h"

// A Mnemonic or an Eng. Unit that would shift the fields of its EDE line: nothing is written.
class EEDEExportError : public Exception {
 public:
  using Exception::Exception;
};

// The object type number of a server object's Data Type (trimmed and upper-cased); 0 for any
// other text, the empty one included.
int EDE_Object_Type_From_Name(const String& Text);

// One export: the object list, the settings read from ParGen.xml and the instance counters, all
// fresh for every export.
class TBACnetEDEExport {
 public:
  // The object types that are counted, in the order of their counters.
  static constexpr std::array<int, 18> Counted_Types = {0,  1,  2,  3,  4,  5,  13, 14, 19,
                                                        21, 22, 23, 30, 40, 44, 45, 46, 48};

  std::vector<TBACnet_EDE_Obj> Objects;
  String Device_Instance;   // empty without ParGen.xml or its key
  bool Long_Names = false;  // object names of up to 32 characters instead of 16

  void Clear_EDE_Instance_Counters() { Counters.fill(0); }
  // The server type, the device instance and the name length from ParGen.xml (Path_ParGen).
  // Raises ETableFileMalformed for a file that is not well-formed XML.
  void Load_EDE_Device_Settings();
  // One object per row element of BACnet_Slave.xml (Path_BACnet_Slave), read section first; no
  // file, no objects. Raises ETableFileError for a malformed file, a missing section or a row
  // without Data_Type, Eng_Unit or Mnemonic, and EEDEExportError for a Mnemonic or Eng. Unit
  // holding ";" or a line break.
  void Load_EDE_Objects();
  // The type's next instance number; a type without a counter gives 0 and counts nothing.
  int Next_EDE_Instance(int Type);

 private:
  std::array<int, 18> Counters{};
};

// The whole export into FileName: written whole (a temporary file renamed over it), or not at all
// when a step fails; the failure is raised.
void Create_EDE_File_Body(const String& FileName);
void Create_EDE_File(const String& FileName);
