#pragma once
// The CANopen electronic data sheet (EDS version 4.0, CiA 306) that describes the gateway to a
// master's configuration tool: fixed communication objects, the PDOs of PDO_CANopen.xml and the
// manufacturer objects of SDO_Server_CANopen.xml. Plain ASCII, CR LF, no window and no UI text.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/UString.h"

struct SDO_Sub_Type {
  uint8_t Sub = 0;
  uint8_t Quantity = 0;
  bool Readonly = false;
  String Mnemonic;  // never written
};

struct SDO_Index {
  uint16_t Index = 0;
  std::vector<SDO_Sub_Type> Sub_Indexs;
};

struct TEDS_PDO {
  int32_t COB_ID = 0;
  int32_t Dimension = 0;
};

inline const String EDS_File_Name = u"CANopen_LoRaWAN_Gateway.eds";
inline const String EDS_Product_Name = u"CANopen / LoRaWAN Gateway - Converter";
inline const String EDS_Product_Number = u"004";
inline const String EDS_Order_Code = u"MX40004";

// What the writer read last (rebuilt by every Create_EDS_File).
extern std::vector<SDO_Index> SDO_Index_List;
extern TEDS_PDO Receive_PDO_Table[30];
extern TEDS_PDO Transmit_PDO_Table[30];
extern int Nr_Receive_PDO;
extern int Nr_Transmit_PDO;

// Reads the two table files, builds the sheet and writes it whole to FileName. A file that cannot
// be read, a row the sheet cannot describe (a missing or unconvertible value, more than 30 PDOs
// of a direction, a Dimension outside 1..8, one sub-index of an index twice) and a failed write
// raise an exception naming the file and row; nothing is written then.
void Create_EDS_File(const String& FileName);
void Load_PDO_CANopen();
void Load_SDO_Server_CANopen();
int Find_SDO_Index(int Index);
// Each index's sub-indexes ascending, equal ones in file order; the index list keeps its order.
void Sort_SDO_Sub_Indexs();
// The sheet's bytes from what was read, with the date and time of the clock.
std::string EDS_Text();
// The time key of an EDS file: 12-hour clock, "hh:mmAM" / "hh:mmPM".
String EDS_Time_Text(int Hour, int Minute);
