#pragma once
// The "SNMP MIB" step: an SMIv2 module GATEWAY under enterprise 49314 describing the SNMP
// agent's objects, written from the enabled rows of SNMP_Trap.xml. Read object n is
// bufferinval n, write object n is bufferoutval n, and notification trapvaln (trapsval n)
// carries read object n. n is the row's position among the enabled rows of its table, the
// same position the row has in the device's agent tables.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/SysUtils.h"
#include "platform/UString.h"

class TSaveDialog;

// Entry n-1 is 1 when the n-th enabled row of the table has Type INT, else 0; entry n-1 belongs
// to entry n-1 of MIB_Read_Descriptions / MIB_Write_Descriptions (shell/UComon.h).
extern std::vector<uint8_t> MIB_Read_Int_Flags;
extern std::vector<uint8_t> MIB_Write_Int_Flags;

// The device's agent tables hold this many entries; enabled rows past it have no object.
constexpr int MIB_Max_Objects = 256;

// A description that cannot be written as an object name (the module would not parse or would
// redefine one of its own identifiers). Raised by Save_SNMP_MIB; nothing is written then.
class EMIBDescriptionError : public Exception {
 public:
  using Exception::Exception;
};

// Clears and fills the two description lists and the two flag arrays from the SNMP_Trap.xml at
// Path_SNMP_Trap: every enabled row ("Enable" upper-cased "Y") of each section, in file order.
// No file: empty lists. A malformed file or a missing section raises ETableFileError. Creates
// the description lists when the start-up has not.
void Read_SNMP_Trap_Descriptions();
// The same from another file.
void Read_SNMP_Trap_Descriptions_From(const String& Path);

// The message that refuses the first description the module cannot carry, or "" when every
// description can be written. Refused: a text that is not a lower-case letter followed by
// letters and digits (at most 64 characters), a word that SMIv2 or common MIB compilers reserve
// or that the base module defines, and a name used by another object of the module.
String Check_MIB_Descriptions();

// The module text built from the four lists: CR LF after every line, ASCII.
std::string SNMP_MIB_Text();

// Writes the module to FileName, replacing it whole. Raises EMIBDescriptionError (nothing
// written) when Check_MIB_Descriptions refuses, ETableFileError when the file cannot be written
// (an existing file is then left as it was).
void Save_SNMP_MIB(const String& FileName);

// Read_SNMP_Trap_Descriptions then Save_SNMP_MIB: the file-producing part of the step.
void Create_SNMP_MIB_File(const String& FileName);

// The step: SaveMIB (given the MIB filter and default extension) opens in Project_Folder; on a chosen file that exists, "File already
// exists. Do you want to overwrite?" (UI 1505, Yes/No); then the descriptions are read, a
// refused description is shown in an error box and nothing is written, else the file is written.
// Errors of the table file and of the write reach the default error box.
void Create_SNMP_MIB(TSaveDialog& SaveMIB);
