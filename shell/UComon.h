#pragma once
// Process-wide state, per-step file paths and the common conversions and checks (unit UComon).
// Everything here is used on the UI thread only.
#include <cstdint>
#include <vector>

#include "platform/UString.h"

class TStringList;
class TAdvStringGrid;
class TAdvColumnGrid;

// ---- Folders (set once by the main window's start-up) ----
extern String Program_Folder;   // the executable's folder, no trailing separator
extern String Master_Folder;    // Program_Folder/MASTER
extern String Projects_Folder;  // Program_Folder/PROJECTS
extern String Language_Folder;  // Program_Folder/LANGUAGE

// ---- The open configuration ----
extern String Project_Name;     // name of the open (or last opened) configuration
extern String Project_Folder;   // Projects_Folder/Project_Name while one is open, else empty

// ---- Fixed texts ----
extern const String Soft_Code_Init;    // "MS40001"
extern const String Soft_Desc_Init;    // "SNMP Agent / LoRaWAN Gateway - Converter"
extern const String Update_Soft_Code;  // "MS40001", sent by the version request
extern const String Main_Caption_Init; // the main window's caption, ends with a blank
extern String Main_Caption;
extern String Soft_Code;
extern String Soft_Desc;

// ---- What the update dialog remembers ----
extern String Last_IP_Address;   // saved; default "192.168.2.205"
extern int32_t Last_Update_Option;
extern bool Last_Read_Back;

// ---- Language and options (saved in Kelvane.xml) ----
extern String Language_Name;     // language file name without ".lng"
extern bool Opt_Enable_Internet;
extern bool Opt_Enable_Update;
extern bool Opt_Jump_Field_Tables;
extern bool Opt_Double_Click_Auto_Size;

// ---- Other shared objects ----
extern String EDE_Import_Folder;              // not saved
extern TStringList* Grid_Clipboard;           // created by the main window's start-up
extern std::vector<bool> Grid_Clipboard_CB_Mask;
extern TStringList* MIB_Read_Descriptions;    // created by the main window's start-up
extern TStringList* MIB_Write_Descriptions;

// Default of Last_IP_Address when the settings give none.
extern const String Default_IP_Address;  // "192.168.2.205"

// Network server host of the LoRaWAN settings when ParGen.xml gives none: the parameter form's
// default and the image builder's. A literal, so that it is ready before any static initialiser
// reads it.
inline constexpr char16_t Default_LoRaWAN_Server_Address[] = u"eu1.cloud.thethings.network";

// ---- Per-step file paths, each Project_Folder joined with the step's file name ----
extern String Path_ParGen;
extern String Path_LoRaWAN_Gateway;
extern String Path_ModbusM_SetAccess;
extern String Path_ModbusTCPM_SetAccess;
extern String Path_BACnet_Master_Access;
extern String Path_BACnet_Slave;
extern String Path_CAN_Rec_Frames;
extern String Path_CAN_Send_Frames;
extern String Path_SDO_Server_CANopen;
extern String Path_SDO_Client_CANopen;
extern String Path_PDO_CANopen;
extern String Path_DNETM_Net;
extern String Path_DNETM_DefOff;
extern String Path_DMX_Default_Values;
extern String Path_IEC_61850_Client;
extern String Path_TLS_Known_Cert;
extern String Path_IEC61850_Variables;
extern String Path_J1939_Rec_Frames;
extern String Path_J1939_Send_Frames;
extern String Path_MQTT_Set_Topic;
extern String Path_NMEA_Rec_Frames;
extern String Path_NMEA_Send_Frames;
extern String Path_OPC_UA_Client;
extern String Path_OPC_UA_Server;
extern String Path_SNMP_Manager;
extern String Path_SNMP_Trap;
extern String Path_EtherNetIP_Master_Rules;
extern String Path_S7_Protocol;
extern String Path_KNX_SetAccess;

// Assigns the 29 paths from Project_Folder ("/ParGen.xml" and so on while none is open).
// Checks nothing, creates nothing.
void Set_Files();

// Sets the four folders from a program folder (a trailing separator is dropped).
void Set_Folders(const String& Folder);

// ---- Common conversions and checks (verdicts as values, never a message) ----

// True when Text is four dot-separated parts 0..255 (blanks around parts allowed).
bool Split_IP_Address(const String& Text, String& IP1, String& IP2, String& IP3, String& IP4);
// True when Text is NOT a valid address (error flag); all four bytes are written unless Text is empty.
bool IP_To_Bytes(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4);
// True when Text is "a.b.c.d:port"; outputs are zeroed first and set only on success.
bool IP_Port_To_Bytes(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4,
                      uint16_t& Port);
// The locale's decimal separator when it is ',' or '.', otherwise ','.
Char Get_Decimal_Separator();
// Converts with the given separator; on failure Value := 1.0 and false.
bool Text_To_Float(const String& Text, Char Separator, float& Value);

int SNMP_Level_From_Text(const String& Text);        // 0, 1 or 2
int SNMP_Auth_From_Text(const String& Text);         // 0 or 1
int SNMP_Priv_From_Text(const String& Text);         // 0 or 1
int SNMP_Level_From_Short_Text(const String& Text);  // -1, 0, 1 or 3 (bit 0 auth, bit 1 privacy)

// 0 valid; 1 longer than 128, 2 a character other than digits and ".", 3 leading ".", 4 trailing
// ".", 5 "..", 6 an arc above 4294967295 or not convertible (an empty text has one empty arc: 6).
int Check_SNMP_OID(const String& Text);
// 0 valid; 1 longer than 15, 2 too short (user name < 1, pass phrase < 8), 3 bad character.
int Check_SNMP_User(const String& Text, bool Is_User);
// 0 valid, 1 invalid; Group selects the main/sub form, Allow_Zero admits 0.0.0 (individual form only).
int Check_KNX_Address(const String& Text, bool Group, bool Allow_Zero);
bool Is_KNX_Group_Address(const String& Text);

// Serial ports present: device names ("ttyS0", "ttyUSB0", "ttyACM0", ...) whose device opens for
// reading and writing or refuses access (held or protected counts as present). Probes numbers
// 0..255 of each kind, in this kind order and ascending. The caller frees the list.
TStringList* Find_COM_Ports();
// The same over another device folder (tests).
TStringList* Find_COM_Ports_In(const String& Device_Folder);

// Field protocols of this model with their own Wi-Fi address: 1, "SNMP Agent", "".
int Get_Protocol_Names(String& Name1, String& Name2);

// ---- Grid row operations (UComonGrid.cpp) ----
// Rows are display rows (row 0 the header); the routines work on real columns 1 .. n, n =
// ColCount + NumHiddenColumns - 1, so hidden columns travel with their row. The plain routines move
// texts; the _CB ones move check-box states as states and each cell's read-only flag.

// A double click on a header cell sizes the column (Opt_Double_Click_Auto_Size); DCol is a display
// column.
void Grid_Auto_Size_Col(TAdvStringGrid* Grid, int DRow, int DCol);
// Enter moves to the next cell, from the last one to (1, 1) (Opt_Jump_Field_Tables); the key is
// swallowed whether or not the cell moved. Other keys, or the option off: Key unchanged.
void Grid_Enter_Next_Cell(TAdvStringGrid* Grid, Char& Key);
void Grid_Copy_Row(TAdvColumnGrid* Grid, int DRow);
// UI 1502 without a valid copy, UI 1501 for another column count, UI 1500 over a used row (a
// non-check-box cell holding text after trimming); pastes only when nothing refused. True when
// the row was pasted.
bool Grid_Paste_Row(TAdvColumnGrid* Grid, int DRow, bool Valid_Copy);
// Rows DRow .. RowCount - 2 move down one (the last row's content is lost); DRow is cleared, its
// column 1 "Y" with Enable.
void Grid_Insert_Row(int DRow, TAdvColumnGrid* Grid, bool Enable);
// Rows below DRow move up one; the last row is cleared.
void Grid_Delete_Row(int DRow, TAdvColumnGrid* Grid);
void Grid_Copy_Row_CB(TAdvStringGrid* Grid, int DRow);
// As Grid_Paste_Row, but a row is used when a cell without check box holds any text (untrimmed).
bool Grid_Paste_Row_CB(TAdvStringGrid* Grid, int DRow, bool Valid_Copy);
// The new row is editable: its boxes unchecked but column 1's (checked with Enable).
void Grid_Insert_Row_CB(int DRow, TAdvStringGrid* Grid, bool Enable);
// The freed last row is read-only: its boxes unchecked but column 1's (checked with Enable).
void Grid_Delete_Row_CB(int DRow, TAdvStringGrid* Grid, bool Enable);

// ---- External program runner ----

// Starts NomeSW with Parameter (split into arguments at blanks; double quotes group) in
// Program_Folder and waits, polling every 10 ms, until it ends or the wait limit has passed; a
// program still running then is left running (reaped later, never killed). A failed start returns
// at once. tipo (window kind) has no meaning on this platform.
void Start_Program(const String& NomeSW, const String& Parameter, uint8_t tipo);

constexpr uint32_t Start_Program_Default_Limit_Ms = 150000;
// Wait limit of Start_Program; tests shorten it.
void Set_Start_Program_Limit(uint32_t Ms);
uint32_t Start_Program_Limit();
// Splits a parameter text into arguments (blanks separate, double quotes group, "" inside quotes
// is a literal quote).
std::vector<String> Split_Parameters(const String& Parameter);

// ---- OPC UA records exchanged with the browsing library (native 64-bit layout) ----

struct opcua_server_to_discover {
  const char* server_address = nullptr;
  int32_t user_pass_auth_flag = 0;
  const char* username = nullptr;
  const char* password = nullptr;
  const char* cert = nullptr;
  const char* priv_key = nullptr;
  int32_t security_type = 0;
  int32_t security_policy = 0;
};

struct opcua_structure {
  uint16_t nameSpaceIndex = 0;
  uint16_t identifierType = 0;   // 0 numeric, 3 string, 4 GUID, 5 byte string
  uint32_t numeric = 0;
  const char* stringname = nullptr;
  uint32_t stringLength = 0;
  uint32_t guide1 = 0;
  uint16_t guide2 = 0;
  uint16_t guide3 = 0;
  uint8_t guide4[8] = {};
  const uint8_t* byteString = nullptr;
  uint32_t byteStringLength = 0;
  const char* displayName = nullptr;
  uint32_t displayNameLength = 0;
  int32_t dataType = 0;
  uint8_t accessLevel = 0;       // bit 0 readable, bit 1 writable
  uint8_t spare[3] = {};
};

struct TOPC_UA_Guid {
  uint32_t data1 = 0;
  uint16_t data2 = 0;
  uint16_t data3 = 0;
  uint8_t data4[8] = {};
};

String OPC_UA_IdType_To_Text(int Code);
int OPC_UA_Text_To_IdType(const String& Text);
String OPC_UA_Id_To_Text(opcua_structure Data);
String OPC_UA_DataType_To_Text(int Code);
String OPC_UA_Auth_To_Text(int Code);
int OPC_UA_Text_To_Auth(const String& Text);
String OPC_UA_Mode_To_Text(int Code);
int OPC_UA_Text_To_Mode(const String& Text);
String OPC_UA_Policy_To_Text(int Code);
int OPC_UA_Text_To_Policy(const String& Text);
