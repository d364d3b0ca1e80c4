#pragma once
// The PROFINET step: the GSDML device description (an ISO 15745 device profile) of the gateway
// as an IO device with one module of input and output bytes. A fixed template with the station
// name and the two data lengths of ParGen.xml; written only by the step, never read back.
#include <cstdint>
#include <string>

#include "platform/UString.h"

// What the writer takes from ParGen.xml.
struct TProfinetParameters {
  String Station_Name;    // PROFINET_NAME_STA; "SERIAL" when missing or blank
  int32_t NB_IN = 1438;   // PROFINET_NB_IN: the GSDML Output length
  int32_t NB_OUT = 1438;  // PROFINET_NB_OUT: the GSDML Input length
};

// The longest input and output data the file declares (MaxInputLength, MaxOutputLength).
constexpr int32_t PROFINET_Max_Data_Length = 1440;

// Reads Path_ParGen; a missing file or key gives its default. A file that is not well-formed
// XML raises ETableFileMalformed.
TProfinetParameters Read_PROFINET_Parameters();

// The file's bytes: UTF-8 with byte order mark, CR LF after every line. A length below 0 or above
// PROFINET_Max_Data_Length, or a station name holding a character XML cannot carry, raises
// Exception with the UI text that says so.
std::string PROFINET_XML_Bytes(const TProfinetParameters& Parameters);

// Reads the parameters and writes the file whole at Path (nothing written when refused).
void Save_PROFINET_XML(const String& Path);

// Asks for the folder (save dialog in Project_Folder, preset to Name) and, when a file of that
// name is there, whether to overwrite it; then Save_PROFINET_XML. Only the chosen folder is used.
void Create_PROFINET_XML(const String& Name);
