#pragma once
// The PROFIBUS step: the GSD file ("Generic Station Description", keyword lines) of the gateway
// as a modular DP slave. The input and output bytes of ParGen.xml are cut into modules of at most
// 64 bytes, one slot each. ANSI text, CR LF after every line; written only by the step.
#include <cstdint>
#include <string>

#include "platform/UString.h"

// The maker's contact lines of the file's header comment.
inline const String GSD_Vendor_Company = u"Brenix";
inline const String GSD_Vendor_Street = u"Example Street 1";
inline const String GSD_Vendor_Town = u"00000 Example Town";
inline const String GSD_Vendor_Country = u"Example Region - Example Country";
inline const String GSD_Vendor_Phone = u"+00 000 0000000";
inline const String GSD_Vendor_Fax = u"+00 000 0000001";
inline const String GSD_Vendor_Mail = u"support@example.com";

// Bytes of one module at most, and the highest module number the file can declare.
constexpr int32_t GSD_Module_Bytes = 64;
constexpr int32_t GSD_Max_Modules = 255;

// The sizes the last Create_PROFIBUS_GSD read: input bytes (PROFINET_NB_OUT) and output bytes
// (PROFINET_NB_IN).
extern int32_t GSD_Input_Bytes;
extern int32_t GSD_Output_Bytes;

// Why sizes cannot be described (a negative size, or more than GSD_Max_Modules modules), as the UI
// text that says so; empty when they can.
String GSD_Size_Refusal(int32_t Input, int32_t Output);

// The file's bytes for Input and Output bytes; raises Exception with GSD_Size_Refusal's text.
std::string PROFIBUS_GSD_Bytes(int32_t Input, int32_t Output);

// The path of a chosen name: as chosen when it ends in ".gsd" (any letter case), else with ".gsd".
String PROFIBUS_GSD_Path(const String& Chosen);

// Writes the file whole at Path from the sizes last read.
void Save_PROFIBUS_GSD(const String& Path);

// The step: reads the sizes from Path_ParGen (UI 1504 without it), asks for the file and, when it
// exists, whether to overwrite it (UI 1503), then Save_PROFIBUS_GSD.
void Create_PROFIBUS_GSD();
