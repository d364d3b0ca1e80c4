#pragma once
// The connection entries of a slave's EDS file (the CIP Electronic Data Sheet): a tolerant line
// scanner for the [Connection Manager] section and the decoder of one "ConnectionN" entry into the
// values the scanner table needs. No window; the EDS dialog lists what is decoded here.
#include <cstdint>
#include <vector>

#include "platform/UString.h"

// One decoded connection. The constructor values are replaced by a successful decode.
struct TConnData {
  int32_t ConnIndex = 0;    // 1-based position in the list
  String ConnName;          // field 13, trimmed, quotation marks kept
  String HelpStr;           // field 14, likewise
  uint8_t DimHeaderTO = 0;  // bits 12..14 of the connection parameters
  uint8_t DimHeaderOT = 4;  // bits 8..10
  uint8_t NumClass = 4;     // not taken from the path: a decode writes 0
  uint16_t InstanceTO = 30;
  uint8_t ConnPointTO = 0;
  uint16_t InstanceOT = 30;
  uint8_t ConnPointOT = 0;
};

// The bytes the decoder keeps of a connection path; further bytes are ignored.
constexpr int EDS_Path_Capacity = 1001;

// The texts after "=" of the section's "ConnectionN" entries (N digits, the key without regard to
// case), each with its continuation lines joined, in file order. A "$" outside quotation marks
// starts a comment; the section may appear several times. Lines of other keys are not part of any
// entry, nor is what follows an entry's closing ";".
std::vector<String> EDS_Connection_Entries(const String& Text);

// Decodes one entry text; false when it cannot be used (fewer than 15 fields, no closing ";",
// a path that does not start with a class segment, lacks a connection point or names an instance
// above 65535). Fields split only at commas outside quotation marks. ConnIndex is left as it was.
bool Decode_EDS_Connection(const String& ConnStr, TConnData& Data);

// The bytes of a path text: pieces between blanks that are hexadecimal digits without prefix and
// at most FF, in order, at most EDS_Path_Capacity of them; other pieces are skipped.
std::vector<uint8_t> EDS_Path_Bytes(const String& Path);

// The usable connections of an EDS file, numbered from 1. No file: none. A file that cannot be
// read raises EFOpenError.
std::vector<TConnData> Read_EDS_Connections(const String& FileName);

// A data path as comma-separated hexadecimal bytes: 1 at the first piece that is no such byte,
// else 2 when fewer than Num_DP pieces were read, else 0.
int Err_Check_Data_Path(const String& Data_Path, int Num_DP);
