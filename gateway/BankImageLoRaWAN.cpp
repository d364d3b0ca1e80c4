// Bank 2, second part: the LoRaWAN section from LoRaWAN_Gateway.xml.
#include "gateway/BankImageLoRaWAN.h"

#include "gateway/PacketForwarderConf.h"
#include <optional>

#include "gateway/TableFile.h"
#include "gateway/ULoRaWAN_Gateway.h"
#include "gateway/USaveBincc.h"
#include "shell/UComon.h"

namespace {

const String Sec_Devices = u"LoRaWAN_Devices_List";
const String Sec_UpLink = u"LoRaWAN_UpLink_Rules";
const String Sec_DownLink = u"LoRaWAN_DownLink_Rules";

// Where an attribute is read from, for the error report.
struct TPlace {
  const String& Section;
  int Row;  // 1-based element position within its section
};

String Required(const TTableRow& Row, const String& Name, const TPlace& At) {
  std::optional<String> v = Row.Get(Name);
  if (!v) throw ETableFileMissingAttribute(Path_LoRaWAN_Gateway, At.Section, At.Row, Name);
  return *v;
}

// Byte counts and positions must be numbers: a rule that moves an unknown number of bytes
// must not reach the device.
int32_t Required_Int(const TTableRow& Row, const String& Name, const TPlace& At) {
  String text = Required(Row, Name, At);
  int32_t v = 0;
  if (!TryCellToInt(text, v))
    throw EConvertError(u"'" + text + u"' is not a valid integer value (" + At.Section + u", row " +
                        IntToStr(At.Row) + u", " + Name + u")");
  return v;
}

bool Is_Y(const String& Text) { return UpperCase(Trim(Text)) == u"Y"; }

std::vector<uint8_t> Test_Bytes(const TTableRow& Rule) {
  std::optional<String> hex_flag = Rule.Get(u"HexTest");
  bool hex = hex_flag && Is_Y(*hex_flag);
  String value = Rule.Value(u"ValueTest");
  std::vector<uint8_t> bytes;
  if (hex) {
    if (value.size() % 2 == 1) value = u"0" + value;
    bytes.reserve(value.size() / 2);
    for (size_t i = 0; i + 1 < value.size(); i += 2) bytes.push_back(Hex_Pair(value[i], value[i + 1]));
  } else {
    bytes.reserve(value.size());
    for (Char c : value) bytes.push_back(static_cast<uint8_t>(c & 0xFF));
  }
  return bytes;
}

void Read_Gateway_Device(const TTableRow& Row, TLoRaWAN_Device& D, const TLoRaWAN_Infos& Infos, const TPlace& At) {
  if (Row.Value(u"Class", u"A") == u"C") D.options |= 0x2;
  Hex_To_Field(Required(Row, u"DeviceEUI", At), D.DevEUI, true);
  Hex_To_Field(Required(Row, u"JoinEUI", At), D.JoinEUI, true);
  Put_Text_Slot(D.DevNAME, Required(Row, u"DeviceName", At));
  if (UpperCase(Trim(Required(Row, u"ActivationMethod", At))) == u"OVER-THE-AIR ACTIVATION [OTAA]")
    D.options |= 0x100;
  Hex_To_Field(Required(Row, u"NetworkSessionKey", At), D.NwkSKey, false);
  Hex_To_Field(Required(Row, u"ApplicationSessionKey", At), D.AppSKey, false);
  Hex_To_Field(Required(Row, u"ApplicationKey", At), D.AppKey, false);
  Hex_To_Field(Required(Row, u"DeviceAddress", At), D.DevADDR, true);
  // Read as the table check reads it, so every time-out it accepts (up to 4294967295 ms) arrives.
  uint32_t timeout = 0;
  D.timeout = LoRaWAN_DiagTimeOut(Row.Value(u"DiagTimeOut"), timeout) ? timeout : 0;
  std::optional<String> rx2 = Row.Get(u"RX2_Datarate");
  D.DL_settings = rx2 ? static_cast<uint8_t>(DataRate_From_Name(*rx2, Infos.DataRate)) : Infos.DataRate;
}

void Read_End_Node_Device(TLoRaWAN_Device& D) {
  D.options = LoRaWAN_ParGen.LoRaWAN_Class;
  D.JoinEUI = LoRaWAN_ParGen.JoinEUI;
  D.NwkSKey = LoRaWAN_ParGen.NwkSKey;
  D.AppSKey = LoRaWAN_ParGen.AppSKey;
  D.AppKey = LoRaWAN_ParGen.AppKey;
  D.DevADDR = LoRaWAN_ParGen.Dev_Address;
  if (LoRaWAN_ParGen.Activation_method == 1) D.options |= 0x100;
}

uint16_t Optional_Test_Field(const TTableRow& Row, const String& Name) {
  std::optional<String> v = Row.Get(Name);
  return v ? static_cast<uint16_t>(CellToInt(*v, 0xFFFF)) : 0xFFFF;
}

void Read_UpLink_Rules(const TTableRows& Rules, TLoRaWAN_Infos& Infos) {
  int row = 0;
  for (const TTableRow& n : Rules) {
    TPlace at{Sec_UpLink, ++row};
    if (!Is_Y(Required(n, u"Enable", at))) continue;
    auto r = std::make_unique<TLoRaWAN_Rule>();
    r->num_device = static_cast<uint16_t>(Infos.Num_Devices);
    r->port = static_cast<uint16_t>(CellToInt(Required(n, u"Port", at), 0xFFFF));
    r->start_test = Optional_Test_Field(n, u"StartTest");
    r->len_test = Optional_Test_Field(n, u"LenTest");
    r->data_test = Test_Bytes(n);
    r->byte_offset_frame = static_cast<uint16_t>(Required_Int(n, u"StartBit", at));
    r->num_bytes = static_cast<uint16_t>(Required_Int(n, u"NumberBits", at));
    r->byte_offset_memory = static_cast<uint16_t>(Required_Int(n, u"PositionBit", at));
    Infos.Rules_List.push_back(std::move(r));
    ++Infos.Num_Rules;
  }
}

void Read_DownLink_Rules(const TTableRows& Rules, TLoRaWAN_Infos& Infos) {
  int row = 0;
  for (const TTableRow& n : Rules) {
    TPlace at{Sec_DownLink, ++row};
    if (!Is_Y(Required(n, u"Enable", at))) continue;
    auto r = std::make_unique<TLoRaWAN_Rule>();
    r->num_device = static_cast<uint16_t>(Infos.Num_Devices);
    r->options = 0x8;
    r->port = static_cast<uint16_t>(Required_Int(n, u"Port", at));
    r->byte_offset_frame = static_cast<uint16_t>(Required_Int(n, u"StartBit", at));
    r->num_bytes = static_cast<uint16_t>(Required_Int(n, u"NumberBits", at));
    if (Is_Y(Required(n, u"OnChange", at))) r->options |= 0x1;
    if (Is_Y(Required(n, u"OnCommand", at))) r->options |= 0x2;
    if (Is_Y(Required(n, u"OnTimer", at))) r->options |= 0x4;
    r->time_poll = static_cast<uint32_t>(CellToInt(Required(n, u"Time", at), 0));
    r->byte_offset_memory = static_cast<uint16_t>(Required_Int(n, u"PositionBit", at));
    Infos.Rules_List.push_back(std::move(r));
    ++Infos.Num_Rules;
  }
}

// One device of the file, the Row-th (1-based).
void Read_Device(const TLoRaWAN_File_Device& f, int Row, TLoRaWAN_Infos& Infos) {
  TPlace at{Sec_Devices, Row};
  if (LoRaWAN_ParGen.ModeMaster && f.Attrs.Value(u"Enable") != u"Y") return;
  if (!f.MissingRulesSection.empty()) throw ETableFileMissingSection(Path_LoRaWAN_Gateway, f.MissingRulesSection);
  auto d = std::make_unique<TLoRaWAN_Device>();
  if (LoRaWAN_ParGen.ModeMaster)
    Read_Gateway_Device(f.Attrs, *d, Infos, at);
  else
    Read_End_Node_Device(*d);
  d->options |= 0x20;
  Infos.Devices_List.push_back(std::move(d));
  Read_UpLink_Rules(f.UpLinkRules, Infos);
  Read_DownLink_Rules(f.DownLinkRules, Infos);
  ++Infos.Num_Devices;
}

uint64_t Test_Bytes_Total(const TLoRaWAN_Infos& Infos) {
  uint64_t t = 0;
  for (const auto& r : Infos.Rules_List) t += r->data_test.size();
  return t;
}

int32_t Put_Device(int32_t P, std::span<uint8_t> B, const TLoRaWAN_Device& D) {
  auto put = [&](std::span<const uint8_t> field) {
    for (uint8_t b : field) B[P++] = b;
  };
  put(D.DevEUI);
  put(D.JoinEUI);
  put(D.DevNAME);
  put(D.NwkSKey);
  put(D.AppSKey);
  put(D.AppKey);
  put(D.DevADDR);
  Put_U32(B, P, D.options);
  Put_U32(B, P + 4, D.timeout);
  B[P + 8] = D.DL_settings;
  B[P + 9] = B[P + 10] = B[P + 11] = 0;
  return P + 12;
}

int32_t Put_Rule(int32_t P, std::span<uint8_t> B, const TLoRaWAN_Rule& R) {
  Put_U16(B, P + 0, R.num_device);
  Put_U16(B, P + 2, R.port);
  Put_U16(B, P + 4, R.start_test);
  Put_U16(B, P + 6, R.len_test);
  Put_U32(B, P + 8, R.data_test_add);
  Put_U32(B, P + 12, R.time_poll);
  Put_U16(B, P + 16, R.byte_offset_frame);
  Put_U16(B, P + 18, R.byte_offset_memory);
  Put_U16(B, P + 20, R.num_bytes);
  Put_U16(B, P + 22, R.options);
  return P + LoRaWAN_Rule_Size;
}

}  // namespace

void Load_LoRaWAN_Devices_Rules(TLoRaWAN_Infos& Infos, uint32_t Base, std::vector<String>& Conf_File_Lines) {
  Infos.Num_Devices = 0;
  Infos.Num_Rules = 0;
  int row = 0;
  For_Each_LoRaWAN_File_Device(Path_LoRaWAN_Gateway,
                               [&](const TLoRaWAN_File_Device& f) { Read_Device(f, ++row, Infos); });

  // Addresses are device addresses; the sums wrap like the device's 32-bit arithmetic, and an
  // image that large is refused before it is written.
  Infos.Address_DevList = Base + LoRaWAN_Header_Size;
  Infos.Address_RuleList = Infos.Address_DevList + LoRaWAN_Device_Size * Infos.Num_Devices;
  uint32_t a = Infos.Address_RuleList + LoRaWAN_Rule_Size * Infos.Num_Rules;
  for (auto& r : Infos.Rules_List) {
    r->data_test_add = a;
    a += static_cast<uint32_t>(r->data_test.size());
  }
  Infos.Address_ConfFile = a;

  Build_Packet_Forwarder_Conf(Conf_File_Lines);
}

std::string Conf_File_Bytes(const std::vector<String>& Conf_File_Lines) {
  std::string out;
  size_t total = 2;
  for (const String& l : Conf_File_Lines) total += l.size() + 1;
  out.reserve(total);
  for (size_t i = 0; i < Conf_File_Lines.size(); ++i) {
    if (i > 0) out += '\n';
    for (Char c : Conf_File_Lines[i])
      if ((c & 0xFF) != 0x0D) out += static_cast<char>(c & 0xFF);
  }
  out += '\n';
  out += '\0';
  return out;
}

int64_t LoRaWAN_Section_Size(const TLoRaWAN_Infos& Infos, const std::vector<String>& Conf_File_Lines) {
  int64_t text = 2;
  for (size_t i = 0; i < Conf_File_Lines.size(); ++i) {
    if (i > 0) ++text;
    for (Char c : Conf_File_Lines[i])
      if ((c & 0xFF) != 0x0D) ++text;
  }
  return LoRaWAN_Header_Size + int64_t(LoRaWAN_Device_Size) * Infos.Devices_List.size() +
         int64_t(LoRaWAN_Rule_Size) * Infos.Rules_List.size() + static_cast<int64_t>(Test_Bytes_Total(Infos)) + text;
}

int32_t Put_LoRaWAN_Section(int32_t Position, std::span<uint8_t> Buffer, const TLoRaWAN_Infos& Infos,
                            const std::vector<String>& Conf_File_Lines) {
  int64_t size = LoRaWAN_Section_Size(Infos, Conf_File_Lines);
  if (Position < 0 || Position + size > static_cast<int64_t>(Buffer.size()))
    throw EBankOverflow(u"The LoRaWAN section does not fit into bank 2");

  int32_t p = Position;
  Put_U32(Buffer, p + 0, Infos.Num_Devices);
  Put_U32(Buffer, p + 4, Infos.Num_Rules);
  Put_U32(Buffer, p + 8, Infos.Address_DevList);
  Put_U32(Buffer, p + 12, Infos.Address_RuleList);
  Put_U32(Buffer, p + 16, Infos.Address_ConfFile);
  Put_U32(Buffer, p + 20, Infos.opzioni_funzionamento);
  Buffer[p + 24] = Infos.RF_Band;
  Buffer[p + 25] = Infos.DataRate;
  Buffer[p + 26] = Infos.Adaptive_DataRate;
  Buffer[p + 27] = Infos.Transmission_Type;
  Put_U32(Buffer, p + 28, Infos.position_diagnostic);
  Buffer[p + 32] = Infos.Freq_SubBand;
  Buffer[p + 33] = Buffer[p + 34] = Buffer[p + 35] = 0;
  p += LoRaWAN_Header_Size;

  for (const auto& d : Infos.Devices_List) p = Put_Device(p, Buffer, *d);
  for (const auto& r : Infos.Rules_List) p = Put_Rule(p, Buffer, *r);
  for (const auto& r : Infos.Rules_List)
    for (uint8_t b : r->data_test) Buffer[p++] = b;
  for (char c : Conf_File_Bytes(Conf_File_Lines)) Buffer[p++] = static_cast<uint8_t>(c);
  return p;
}
