#pragma once
// The LoRaWAN section of bank 2: header, end devices, rules, the rules' test bytes and the
// packet-forwarder configuration text, with every address as the device sees it.
#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "platform/Classes.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"

class TXMLNode;

constexpr int LoRaWAN_Header_Size = 36;
constexpr int LoRaWAN_Device_Size = 96;
constexpr int LoRaWAN_Rule_Size = 24;

// Raised when a configuration does not fit into bank 2; its message is the user's error text.
class EBankOverflow : public Exception {
 public:
  using Exception::Exception;
};

class TLoRaWAN_Device : public TObject {
 public:
  std::array<uint8_t, 8> DevEUI{};
  std::array<uint8_t, 8> JoinEUI{};
  std::array<uint8_t, 16> DevNAME{};
  std::array<uint8_t, 16> NwkSKey{};
  std::array<uint8_t, 16> AppSKey{};
  std::array<uint8_t, 16> AppKey{};
  std::array<uint8_t, 4> DevADDR{};
  uint32_t options = 0;  // 0x2 class C, 0x20 always, 0x100 over-the-air activation
  uint32_t timeout = 0;  // diagnostic time-out, ms
  uint8_t DL_settings = 0;
};

class TLoRaWAN_Rule : public TObject {
 public:
  uint16_t num_device = 0;
  uint16_t port = 0;
  uint16_t start_test = 0;
  uint16_t len_test = 0;
  uint32_t data_test_add = 0;
  uint32_t time_poll = 0;
  uint16_t byte_offset_frame = 0;
  uint16_t byte_offset_memory = 0;
  uint16_t num_bytes = 0;
  uint16_t options = 0;  // down-link: 0x8 always, 0x1 on change, 0x2 on command, 0x4 on timer
  std::vector<uint8_t> data_test;  // written after all rule records, not in the record
};

class TLoRaWAN_Infos : public TObject {
 public:
  uint32_t Num_Devices = 0;
  uint32_t Num_Rules = 0;
  uint32_t Address_DevList = 0;
  uint32_t Address_RuleList = 0;
  uint32_t Address_ConfFile = 0;
  uint32_t opzioni_funzionamento = 0;  // 0x1111 gateway, 0x2100 end node
  uint8_t RF_Band = 0;
  uint8_t DataRate = 0;
  uint8_t Adaptive_DataRate = 0;
  uint8_t Transmission_Type = 0;
  uint32_t position_diagnostic = 0;
  uint8_t Freq_SubBand = 0;
  // Own their objects; destroying the header destroys every device and rule.
  std::vector<std::unique_ptr<TLoRaWAN_Device>> Devices_List;
  std::vector<std::unique_ptr<TLoRaWAN_Rule>> Rules_List;
};

// Reads LoRaWAN_Gateway.xml (Path_LoRaWAN_Gateway) into Infos, computes the section's addresses
// from Base and fills Conf_File_Lines with the packet-forwarder configuration. Raises for a
// malformed file, a missing root or section, a missing required attribute or a required integer
// that is not one.
void Load_LoRaWAN_Devices_Rules(TLoRaWAN_Infos& Infos, uint32_t Base, std::vector<String>& Conf_File_Lines);

// The configuration text as the device reads it: the lines joined by LF, a final LF and a zero
// byte; no CR (nor any character whose low byte is 0x0D) survives.
std::string Conf_File_Bytes(const std::vector<String>& Conf_File_Lines);

// Bytes the section will take: 36 + 96 per device + 24 per rule + test bytes + text + 2.
int64_t LoRaWAN_Section_Size(const TLoRaWAN_Infos& Infos, const std::vector<String>& Conf_File_Lines);

// Appends the section at Position; returns the position after its last byte. Raises EBankOverflow
// (writing nothing) when the section does not fit into Buffer.
int32_t Put_LoRaWAN_Section(int32_t Position, std::span<uint8_t> Buffer, const TLoRaWAN_Infos& Infos,
                            const std::vector<String>& Conf_File_Lines);
