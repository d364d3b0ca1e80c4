#pragma once
// EDE files: the semicolon-separated list of a BACnet device's objects. The reader takes a remote
// device's file (sixteen columns) for the EDE import; the writer lists the gateway's own server
// objects (seven columns). Both work without a window.
#include <cstdint>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/UString.h"

// One object of an EDE file as the reader takes it, with the import dialog's choices.
class TBACnet_Var {
 public:
  String keyname;
  int32_t device_obj_instance = -1;
  String object_name;
  int32_t object_type = -1;
  int32_t object_instance = -1;
  String description;
  String present_value_default;
  String min_present_value;
  String max_present_value;
  bool commandable = false;
  bool support_COV = false;
  String hi_limit;
  String low_limit;
  String stete_text_reference;
  String unit_code;
  String vendor_specific_address;
  // Chosen for import, for the read table, for the write table.
  bool import = false;
  bool read = false;
  bool write = false;
};

// One line of the writer, every field already formatted.
class TBACnet_EDE_Obj {
 public:
  String Keyname;
  String DevObjInstance;
  String ObjectName;
  String ObjectType;
  String ObjectInstance;
  String Description;
  String UnitCode;
};

// The file cannot be read: it cannot be opened or has fewer than seven lines.
class EEDEFileError : public Exception {
 public:
  using Exception::Exception;
};

// True for the object types the client tables can take (analog, binary and multi-state objects,
// life safety point and zone, accumulator, integer, large analog and positive integer values).
bool EDE_Kept_Object_Type(int32_t Type);

// Appends the kept objects of an EDE file's lines to List, in file order: the data begin two
// lines below the "#mandatory" line (line 7 first, else the last such line of the file); blank
// lines are skipped. A file without that line gives nothing. Raises EEDEFileError for fewer than
// seven lines.
void Read_EDE_Lines(const std::vector<String>& Lines, std::vector<TBACnet_Var>& List);
// The same from a file (byte order mark: UTF-8 or UTF-16; without one UTF-8 when valid, else the
// "ANSI" code page). Raises EEDEFileError when it cannot be read.
void Read_EDE_File(const String& FileName, std::vector<TBACnet_Var>& List);

// One data line split into its sixteen fields (the reader's rule: a field is read only when a
// ";" follows it; the last field is the rest of the line).
TBACnet_Var Split_EDE_Line(const String& Line);

// The local time as "hh:mm:ss dd/mm/yyyy" (the injectable clock).
String Get_EDE_Timestamp();
// The middle part of the PROJECT_NAME value: always empty.
String Get_EDE_Project_Name();
// The file's text: the seven header lines (Project_Name in the first), then one line per object,
// every line ended by CR LF.
String EDE_File_Text(const std::vector<TBACnet_EDE_Obj>& Objects);
// Writes EDE_File_Text in the "ANSI" code page, whole: a failing write leaves the old file and
// raises.
void Write_EDE_File(const String& FileName, const std::vector<TBACnet_EDE_Obj>& Objects);
