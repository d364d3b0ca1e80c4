#pragma once
// Device image builder (unit USaveBincc): the two configuration banks that the updater copies into
// the device. Bank 1 is the 2048-byte parameter block (ParGen.xml); bank 2 holds the SNMP agent
// tables (SNMP_Trap.xml) followed by the LoRaWAN section (LoRaWAN_Gateway.xml), which ends with the
// packet-forwarder configuration text.
//
// Every integer of the images is little-endian and written byte by byte. A text slot holds the low
// 8 bits of each UTF-16 code unit from its first byte, zero after a shorter text, no terminator
// when the text fills it; a longer text is cut to the slot.
//
// All of it runs on the UI thread; the build state below is program-lifetime storage refilled by
// every build.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/UString.h"
#include "shell/UComon.h"  // Default_LoRaWAN_Server_Address

class TXMLNode;

// ---- Device memory map ----
constexpr uint32_t Bank2_Base_Address = 0x80000;       // where the device loads bank 2
constexpr uint32_t SNMP_Read_Table_Address = 0x80000;  // bank 2 offset 0
constexpr uint32_t SNMP_Write_Table_Address = 0x83000; // bank 2 offset 12288
constexpr uint32_t LoRaWAN_Section_Address = 0x86000;  // bank 2 offset 24576

constexpr int Parameters_Block_Size = 2048;
constexpr int Bank1_Buffer_Size = 0x20000;  // 131072
constexpr int Bank2_Buffer_Size = 0x80000;  // 524288
constexpr int SNMP_Table_Entries = 256;
constexpr int SNMP_Entry_Size = 48;
constexpr int SNMP_Tables_Size = 2 * SNMP_Table_Entries * SNMP_Entry_Size;  // 24576

// Gateway-wide LoRaWAN settings read from ParGen.xml; reset to these defaults by every build.
struct TLoRaWAN_ParGen {
  bool ModeMaster = true;  // false: the device works as an end node
  int32_t RF_Band = 0;     // 0 EU868, 1 US915
  String Server_Add;
  String Server_Port_Up;
  String Server_Port_Down;
  String KA_Interval;
  String NetworkType;  // "true" for a public network, "false" otherwise
  std::array<uint8_t, 8> JoinEUI{};
  uint8_t Activation_method = 0;  // 0 ABP, 1 OTAA
  std::array<uint8_t, 16> DevNAME{};
  std::array<uint8_t, 4> Dev_Address{};
  std::array<uint8_t, 16> NwkSKey{};
  std::array<uint8_t, 16> AppSKey{};
  std::array<uint8_t, 16> AppKey{};
  uint8_t LoRaWAN_Class = 0;  // 0 A, 1 B, 2 C
};

// The record as ParGen.xml's missing keys leave it (server host, ports "1780", keep-alive "10",
// private network, gateway mode, EU868).
TLoRaWAN_ParGen Default_LoRaWAN_ParGen();

// One SNMP agent object as the device reads it (48 bytes in the image).
struct SNMP_Trap_Entry {
  uint16_t Position = 0;
  uint16_t Bit = 0;
  uint16_t NumBits = 0;
  uint8_t Conversion = 0;
  uint8_t Flags = 0;  // 0x1 on change, 0x2 on command, 0x4 on timer, 0x8 integer
  uint32_t Time = 0;
  std::array<uint8_t, 16> Community_Name{};
  std::array<uint8_t, 16> Description{};
  uint32_t IP_Address = 0;  // a.b.c.d as a*2^24 + b*2^16 + c*2^8 + d
};

// ---- Build state ----
extern std::array<uint8_t, Parameters_Block_Size> Parameters_Block;
extern TLoRaWAN_ParGen LoRaWAN_ParGen;
extern std::array<SNMP_Trap_Entry, SNMP_Table_Entries> SNMP_Trap_Read_Table;
extern std::array<SNMP_Trap_Entry, SNMP_Table_Entries> SNMP_Trap_Write_Table;
extern std::array<uint8_t, Bank1_Buffer_Size> Bank1_Buffer;
extern int32_t Bank1_Length;
extern std::array<uint8_t, Bank2_Buffer_Size> Bank2_Buffer;
extern int32_t Bank2_Length;

class TLoRaWAN_Infos;

// ---- Entry points of the Update Device step ----

// Builds both banks in memory. Returns false, after an error box, when the configuration does not
// fit into bank 2 (nothing is kept then, so a following Save_Bin writes nothing). A malformed input
// file raises (the reader's exception) and leaves no banks either.
bool Compile_Bin();
// Writes bin/bank1.bin and bin/bank2.bin into Project_Folder, creating the bin folder when missing.
// Returns false, after an error box (saying what failed), when no build is ready or a file cannot
// be written; the caller then must not go on to the update dialog.
bool Save_Bin();

// The build (Compile_Bin without the error box): throws EBankOverflow when bank 2 would overflow.
void Build_Bin_Banks();
// Writes the two files, both or neither (an old pair stays whole); false when a folder or file
// cannot be created or written, with what failed in *Failure when given.
bool Write_Bin_Files(String* Failure = nullptr);
// True after a successful build until the next build starts.
bool Bin_Banks_Ready();

// ---- Parameter block (bank 1) ----
void Init_Parameters_Block();
// Reads ParGen.xml (Path_ParGen) into the block, LoRaWAN_ParGen and the header of Infos.
void Load_General_Parameters(TLoRaWAN_Infos& Infos);
// Reads the parameters from an already loaded document's root element.
void Load_General_Parameters_From(const TXMLNode& Root, TLoRaWAN_Infos& Infos);
void Set_Parameters_Version();
// Stores the checksum at 2044 and copies the 2048 bytes to Buffer at Position; returns Position + 2048.
int32_t Put_Parameters_Block(int32_t Position, std::span<uint8_t> Buffer);

int Network_Type_From_Name(const String& Text);
// Data-rate index of an RX2 data-rate name for LoRaWAN_ParGen.RF_Band, else Default.
int DataRate_From_Name(const String& Text, int Default);
int Activation_From_Name(const String& Text);
int Transmission_Type_From_Name(const String& Text);
void Clear_End_Node_Identity();

// Left-pads Text with "0" to N characters (a longer text stays as it is).
String Pad_Left_Zeros(const String& Text, int N);
// Hex text to bytes: trimmed, padded to 2 * Field.size() digits and read two at a time from the left (a pair
// that is not hexadecimal gives 0). In order: the first pair into Field[0]; reversed: into the last
// byte. Digits beyond the field are ignored.
void Hex_To_Field(const String& Text, std::span<uint8_t> Field, bool Reversed);
// Two characters read as one hexadecimal byte; 0 when either is not a hex digit.
uint8_t Hex_Pair(Char High, Char Low);

// ---- SNMP tables (bank 2, offsets 0..24575) ----
void Clear_SNMP_Trap_Tables();
// Fills both tables from SNMP_Trap.xml (Path_SNMP_Trap); the counts go to block offsets 1436/1440.
void Load_SNMP_Trap_Tables();
int Conversion_From_Name(const String& Text);
// Appends the 256 read entries, then the 256 write entries; returns Position + 24576.
int32_t Put_SNMP_Trap_Tables(int32_t Position, std::span<uint8_t> Buffer);

// ---- Little-endian and text-slot writers shared by the serialisers ----
void Put_U16(std::span<uint8_t> Buffer, int32_t Offset, uint16_t Value);
void Put_U32(std::span<uint8_t> Buffer, int32_t Offset, uint32_t Value);
uint32_t Get_U32(std::span<const uint8_t> Buffer, int32_t Offset);
// Zero-fills the slot, then stores the low byte of each code unit; a longer text is cut.
void Put_Text_Slot(std::span<uint8_t> Slot, const String& Text);
