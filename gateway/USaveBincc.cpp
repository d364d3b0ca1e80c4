// Build order, bank buffers and bank files of the device image.
#include "gateway/USaveBincc.h"

#include <algorithm>
#include <string>

#include "gateway/BankImageLoRaWAN.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

std::array<uint8_t, Parameters_Block_Size> Parameters_Block{};
TLoRaWAN_ParGen LoRaWAN_ParGen = Default_LoRaWAN_ParGen();
std::array<SNMP_Trap_Entry, SNMP_Table_Entries> SNMP_Trap_Read_Table{};
std::array<SNMP_Trap_Entry, SNMP_Table_Entries> SNMP_Trap_Write_Table{};
std::array<uint8_t, Bank1_Buffer_Size> Bank1_Buffer{};
int32_t Bank1_Length = 0;
std::array<uint8_t, Bank2_Buffer_Size> Bank2_Buffer{};
int32_t Bank2_Length = 0;

namespace {

bool Banks_Ready = false;

constexpr int Off_Read_Table_Address = 1444;
constexpr int Off_Write_Table_Address = 1448;
constexpr int Off_LoRaWAN_Address = 1652;

void Show_Error(const String& Text) { MessageDlg(Text, mtError, TMsgDlgButtons{mbOK}, 0); }

std::string_view Bank_Bytes(const uint8_t* Data, int32_t Length) {
  return std::string_view(reinterpret_cast<const char*>(Data), static_cast<size_t>(Length));
}

}  // namespace

void Put_U16(std::span<uint8_t> Buffer, int32_t Offset, uint16_t Value) {
  Buffer[Offset] = static_cast<uint8_t>(Value & 0xFF);
  Buffer[Offset + 1] = static_cast<uint8_t>(Value >> 8);
}

void Put_U32(std::span<uint8_t> Buffer, int32_t Offset, uint32_t Value) {
  for (int i = 0; i < 4; ++i) Buffer[Offset + i] = static_cast<uint8_t>((Value >> (8 * i)) & 0xFF);
}

uint32_t Get_U32(std::span<const uint8_t> Buffer, int32_t Offset) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | Buffer[Offset + i];
  return v;
}

void Put_Text_Slot(std::span<uint8_t> Slot, const String& Text) {
  for (uint8_t& b : Slot) b = 0;
  size_t n = std::min(Slot.size(), Text.size());
  for (size_t i = 0; i < n; ++i) Slot[i] = static_cast<uint8_t>(Text[i] & 0xFF);
}

void Build_Bin_Banks() {
  Banks_Ready = false;
  Bank1_Length = 0;
  Bank2_Length = 0;
  // A build never inherits LoRaWAN settings from a previously built configuration.
  LoRaWAN_ParGen = Default_LoRaWAN_ParGen();

  Init_Parameters_Block();
  TLoRaWAN_Infos infos;
  std::vector<String> conf_file_lines;
  Clear_SNMP_Trap_Tables();
  Load_General_Parameters(infos);

  std::span<uint8_t> block(Parameters_Block);
  Put_U32(block, Off_Read_Table_Address, SNMP_Read_Table_Address);
  Put_U32(block, Off_Write_Table_Address, SNMP_Write_Table_Address);
  Put_U32(block, Off_LoRaWAN_Address, LoRaWAN_Section_Address);

  Load_SNMP_Trap_Tables();
  Load_LoRaWAN_Devices_Rules(infos, Get_U32(block, Off_LoRaWAN_Address), conf_file_lines);

  // The whole section is measured before anything is written, so an oversized configuration
  // leaves no half-built image behind.
  int64_t section = LoRaWAN_Section_Size(infos, conf_file_lines);
  if (SNMP_Tables_Size + section > Bank2_Buffer_Size) {
    String msg = FormatLiteralD(Language_List->Strings(1650), {SNMP_Tables_Size + section, Bank2_Buffer_Size});
    throw EBankOverflow(msg);
  }

  int32_t len1 = Put_Parameters_Block(0, Bank1_Buffer);
  int32_t len2 = Put_SNMP_Trap_Tables(0, Bank2_Buffer);
  len2 = Put_LoRaWAN_Section(len2, Bank2_Buffer, infos, conf_file_lines);
  Bank1_Length = len1;
  Bank2_Length = len2;
  Banks_Ready = true;
}

bool Bin_Banks_Ready() { return Banks_Ready; }

bool Write_Bin_Files(String* Failure) {
  if (!Banks_Ready || Project_Folder.empty()) return false;
  String bin = PathJoin(Project_Folder, u"bin");
  if (!DirectoryExists(bin) && !ForceDirectories(bin)) {
    if (Failure) *Failure = u"The folder \"" + bin + u"\" cannot be created.";
    return false;
  }
  // The updater copies both banks into the device: a new bank 1 beside an old bank 2 would be a
  // configuration that never existed, so both are replaced or neither.
  const auto error =
      TrySaveFilesTogether({{PathJoin(bin, u"bank1.bin"), Bank_Bytes(Bank1_Buffer.data(), Bank1_Length)},
                            {PathJoin(bin, u"bank2.bin"), Bank_Bytes(Bank2_Buffer.data(), Bank2_Length)}});
  if (error && Failure) *Failure = error->Message();
  return !error;
}

bool Compile_Bin() {
  try {
    Build_Bin_Banks();
  } catch (const EBankOverflow& e) {
    Show_Error(e.Message());
    return false;
  }
  return true;
}

bool Save_Bin() {
  if (!Banks_Ready) {
    Show_Error(Language_List->Strings(1652));
    return false;
  }
  String failure;
  if (!Write_Bin_Files(&failure)) {
    String text = Language_List->Strings(1651) + PathJoin(Project_Folder, u"bin");
    if (!failure.empty()) text += u"\n" + failure;
    Show_Error(text);
    return false;
  }
  return true;
}
