// Bank 1: the parameter block read from ParGen.xml, and the gateway-wide LoRaWAN settings.
#include <exception>

#include "gateway/BankImageLoRaWAN.h"
#include "gateway/USaveBincc.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/XMLDoc.h"
#include "shell/UComon.h"

namespace {

// Block offsets.
constexpr int Off_SNMP_IP = 40;
constexpr int Off_SNMP_SM = 44;
constexpr int Off_SNMP_GAT = 48;
constexpr int Off_Name_Of_Station = 80;
constexpr int Off_WiFi_SSID = 1148;
constexpr int Off_WiFi_PWD = 1180;
constexpr int Off_DHCP_Flags = 1256;
constexpr int Off_AP_DHCP = 1258;
constexpr int Off_AP_Security = 1259;
constexpr int Off_AP_DHCP_First = 1260;
constexpr int Off_AP_DHCP_Mask = 1264;
constexpr int Off_AP_Lease = 1268;
constexpr int Off_AP_Max_Client = 1272;
constexpr int Off_WiFi_Type = 1273;
constexpr int Off_AP_Channel = 1274;
constexpr int Off_AP_Auto_Channel = 1275;
constexpr int Off_WiFi_IP = 1276;
constexpr int Off_WiFi_IP2 = 1288;
constexpr int Off_Device_Name = 1300;
constexpr int Off_DNS_Secondary = 1340;
constexpr int Off_DNS_Primary = 1420;
constexpr int Off_SNMP_Flags = 1452;
constexpr int Off_V3_User = 1456;
constexpr int Off_V3_Authority = 1476;
constexpr int Off_V3_Privacy = 1492;
constexpr int Off_Version = 1644;
constexpr int Off_Contact = 1856;
constexpr int Off_Location = 1872;
constexpr int Off_Checksum = 2044;

std::span<uint8_t> Block() { return std::span<uint8_t>(Parameters_Block); }
std::span<uint8_t> Slot(int Offset, int Size) { return Block().subspan(Offset, Size); }

// One ParGen.xml key at a time: a missing element, or one whose text cannot be read, gives the
// caller's default and never disturbs the other keys.
class TParGenKeys {
 public:
  explicit TParGenKeys(const TXMLNode& Root) : root_(Root) {}

  bool Find(const String& Key, String& Value) const {
    try {
      TXMLNode n = root_.ChildNodes().FindNode(Key);
      if (!n) return false;
      Value = n.Text();
      return true;
    } catch (const std::exception&) {
      return false;
    }
  }
  String Text(const String& Key, const String& Def) const {
    String v;
    return Find(Key, v) ? v : Def;
  }
  int Int(const String& Key, int Def) const {
    String v;
    return Find(Key, v) ? StrToIntDef(v, Def) : Def;
  }
  bool Flag(const String& Key) const {
    String v;
    return Find(Key, v) && v == u"1";
  }

  // Four keys Prefix1..Prefix4 as octets a, b, c, d in text order (low 8 bits of each).
  void Octets(const String& Prefix, std::array<int, 4> Def, int Offset) const {
    for (int i = 0; i < 4; ++i)
      Parameters_Block[Offset + i] = static_cast<uint8_t>(Int(Prefix + IntToStr(i + 1), Def[i]));
  }
  // IP1 + IP2 * 256 + IP3 * 65536 + IP4 * 16777216, wrapping.
  uint32_t Packed(const String& Prefix, std::array<int, 4> Def) const {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
      v = v * 256u + static_cast<uint32_t>(Int(Prefix + IntToStr(i + 1), Def[i]));
    return v;
  }

 private:
  TXMLNode root_;
};

void Set_Octets(int Offset, uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  Parameters_Block[Offset] = a;
  Parameters_Block[Offset + 1] = b;
  Parameters_Block[Offset + 2] = c;
  Parameters_Block[Offset + 3] = d;
}

// Address, mask and gateway of one interface; the gateway is 255.255.255.255 unless enabled.
void Load_Interface(const TParGenKeys& Keys, int Offset, const String& IP, const String& SM,
                    const String& GAT, const String& Enable_GAT, std::array<int, 4> Def_IP) {
  Keys.Octets(IP, Def_IP, Offset);
  Keys.Octets(SM, {255, 255, 255, 0}, Offset + 4);
  Keys.Octets(GAT, {192, 168, 0, 1}, Offset + 8);
  if (!Keys.Flag(Enable_GAT)) Set_Octets(Offset + 8, 255, 255, 255, 255);
}

void Load_End_Node(const TParGenKeys& Keys, TLoRaWAN_Infos& Infos) {
  Infos.opzioni_funzionamento = 0x2100;
  Infos.Adaptive_DataRate = static_cast<uint8_t>(Keys.Int(u"LoRaWAN_Adaptive_DataRate", 0));
  Infos.Transmission_Type =
      static_cast<uint8_t>(Transmission_Type_From_Name(Keys.Text(u"LoRaWAN_Transmission_Type", u"")));
  Clear_End_Node_Identity();
  Hex_To_Field(Keys.Text(u"LoRaWAN_Join_EUI", u""), LoRaWAN_ParGen.JoinEUI, true);
  LoRaWAN_ParGen.Activation_method =
      static_cast<uint8_t>(Activation_From_Name(Keys.Text(u"LoRaWAN_Activation_Method", u"")));
  if (LoRaWAN_ParGen.Activation_method == 1) {
    Hex_To_Field(Keys.Text(u"LoRaWAN_Application_Key", u""), LoRaWAN_ParGen.AppKey, false);
  } else {
    Hex_To_Field(Keys.Text(u"LoRaWAN_Device_Address", u""), LoRaWAN_ParGen.Dev_Address, true);
    Hex_To_Field(Keys.Text(u"LoRaWAN_Network_Session_Key", u""), LoRaWAN_ParGen.NwkSKey, false);
    Hex_To_Field(Keys.Text(u"LoRaWAN_Application_Session_Key", u""), LoRaWAN_ParGen.AppSKey, false);
  }
  String cls = UpperCase(Trim(Keys.Text(u"LoRaWAN_Class", u"")));
  LoRaWAN_ParGen.LoRaWAN_Class = cls == u"B" ? 1 : cls == u"C" ? 2 : 0;
}

void Load_LoRaWAN_Settings(const TParGenKeys& Keys, TLoRaWAN_Infos& Infos) {
  LoRaWAN_ParGen.ModeMaster = UpperCase(Keys.Text(u"LoRaWAN_Mode", u"")) != u"END NODE";
  String band = Keys.Text(u"LoRaWAN_RF_Band", u"");
  LoRaWAN_ParGen.RF_Band = band == u"US915" ? 1 : 0;
  Infos.RF_Band = static_cast<uint8_t>(LoRaWAN_ParGen.RF_Band & 0xFF);
  Infos.position_diagnostic = static_cast<uint32_t>(Keys.Int(u"LoRaWAN_Diagostic_Position", 0));
  if (LoRaWAN_ParGen.ModeMaster) {
    Infos.opzioni_funzionamento = 0x1111;
    LoRaWAN_ParGen.Server_Add = Keys.Text(u"LoRaWAN_Server_Address", Default_LoRaWAN_Server_Address);
    LoRaWAN_ParGen.Server_Port_Up = Keys.Text(u"LoRaWAN_Server_Port_Up", u"1780");
    LoRaWAN_ParGen.Server_Port_Down = Keys.Text(u"LoRaWAN_Server_Port_Down", u"1780");
    LoRaWAN_ParGen.KA_Interval = Keys.Text(u"LoRaWAN_KeepAlive_Interval", u"10");
  } else {
    TLoRaWAN_ParGen defaults = Default_LoRaWAN_ParGen();
    LoRaWAN_ParGen.Server_Add = defaults.Server_Add;
    LoRaWAN_ParGen.Server_Port_Up = defaults.Server_Port_Up;
    LoRaWAN_ParGen.Server_Port_Down = defaults.Server_Port_Down;
    LoRaWAN_ParGen.KA_Interval = defaults.KA_Interval;
  }
  LoRaWAN_ParGen.NetworkType =
      Network_Type_From_Name(Keys.Text(u"LoRaWAN_Network_Type", u"")) == 1 ? u"true" : u"false";
  if (!LoRaWAN_ParGen.ModeMaster) Load_End_Node(Keys, Infos);
  Infos.DataRate = static_cast<uint8_t>(DataRate_From_Name(Keys.Text(u"LoRaWAN_RX2_Datarate", u""), 0));
  Infos.Freq_SubBand = static_cast<uint8_t>(Keys.Int(u"LoRaWAN_Frequency_Sub_Band", 1));
}

void Load_SNMP_Agent(const TParGenKeys& Keys) {
  Load_Interface(Keys, Off_SNMP_IP, u"SNMP_Agent_IP", u"SNMP_Agent_SM", u"SNMP_Agent_GAT",
                 u"SNMP_Agent_EN_GAT", {192, 168, 0, 5});
  Put_Text_Slot(Slot(Off_Name_Of_Station, 16), Keys.Text(u"SNMP_Agent_Name_of_Station", u"devicename1"));
  Put_Text_Slot(Slot(Off_Contact, 16), Keys.Text(u"SNMP_Agent_Contact", u""));
  Put_Text_Slot(Slot(Off_Location, 16), Keys.Text(u"SNMP_Agent_Location", u""));

  uint32_t flags = 0;
  if (Keys.Flag(u"SNMP_Agent_VERSION1")) flags |= 0x1;
  if (Keys.Flag(u"SNMP_Agent_VERSION2")) flags |= 0x2;
  if (Keys.Flag(u"SNMP_Agent_VERSION3")) flags |= 0x4;
  if (flags & 0x4) {
    Put_Text_Slot(Slot(Off_V3_User, 20), Keys.Text(u"SNMP_Agent_VER3_USER", u""));
    String level_text;
    int level = Keys.Find(u"SNMP_Agent_VER3_SECURITY_LEVEL", level_text) ? SNMP_Level_From_Text(level_text) : 0;
    if (level == 1 || level == 2) flags |= 0x10;
    if (level == 2) flags |= 0x20;
  }
  if (flags & 0x10) {
    Put_Text_Slot(Slot(Off_V3_Authority, 16), Keys.Text(u"SNMP_Agent_VER3_AUTHORITY", u""));
    String mode;
    bool sha = Keys.Find(u"SNMP_Agent_VER3_AUTHORITY_MODE", mode) && SNMP_Auth_From_Text(mode) == 1;
    flags |= sha ? 0x80 : 0x40;
  }
  if (flags & 0x20) {
    Put_Text_Slot(Slot(Off_V3_Privacy, 16), Keys.Text(u"SNMP_Agent_VER3_PRIVACY", u""));
    String mode;
    bool aes = Keys.Find(u"SNMP_Agent_VER3_PRIVACY_MODE", mode) && SNMP_Priv_From_Text(mode) == 1;
    flags |= aes ? 0x200 : 0x100;
  }
  Put_U32(Block(), Off_SNMP_Flags, flags);
}

}  // namespace

TLoRaWAN_ParGen Default_LoRaWAN_ParGen() {
  TLoRaWAN_ParGen p;
  p.ModeMaster = true;
  p.RF_Band = 0;
  p.Server_Add = Default_LoRaWAN_Server_Address;
  p.Server_Port_Up = u"1780";
  p.Server_Port_Down = u"1780";
  p.KA_Interval = u"10";
  p.NetworkType = u"false";
  return p;
}

void Init_Parameters_Block() {
  Parameters_Block.fill(0);
  Put_U32(Block(), 0, 250000);
  Put_U32(Block(), 4, 250000);
  Put_U32(Block(), 12, 9600);
  Set_Octets(Off_SNMP_IP, 192, 168, 2, 205);
  Set_Octets(Off_SNMP_SM, 255, 255, 255, 0);
  Set_Octets(Off_SNMP_GAT, 255, 255, 255, 255);
  Put_U16(Block(), 52, 10000);
  Put_U16(Block(), 54, 10001);
  Put_U16(Block(), 56, 10001);
  for (int i = 0; i < 8; ++i) Parameters_Block[436 + i] = 8;
}

void Set_Parameters_Version() { Put_Text_Slot(Slot(Off_Version, 8), u"1.000"); }

void Load_General_Parameters(TLoRaWAN_Infos& Infos) {
  if (!FileExists(Path_ParGen)) return;
  TXMLDocument doc;
  doc.LoadFromFile(Path_ParGen);
  TXMLNode root = doc.DocumentElement();
  if (!root) throw EXMLDocError(u"ParGen.xml has no root element");
  Load_General_Parameters_From(root, Infos);
}

void Load_General_Parameters_From(const TXMLNode& Root, TLoRaWAN_Infos& Infos) {
  TParGenKeys keys(Root);
  Set_Parameters_Version();

  // The slot has 32 bytes; the device keeps its last one as a terminator.
  Put_Text_Slot(Slot(Off_Device_Name, 31), Copy(keys.Text(u"Eth_Conn_Device_Name", u""), 1, 31));

  uint16_t dhcp = 0;
  if (keys.Flag(u"Eth_Conn_DHCP_Cable")) dhcp |= 0x1;
  if (keys.Flag(u"Eth_Conn_DHCP_WiFi")) dhcp |= 0x2;
  Put_U16(Block(), Off_DHCP_Flags, dhcp);

  if (keys.Flag(u"Eth_Conn_Enable_DNS")) {
    keys.Octets(u"Eth_Conn_Primary_DNS", {8, 8, 8, 8}, Off_DNS_Primary);
    keys.Octets(u"Eth_Conn_Secondary_DNS", {8, 8, 4, 4}, Off_DNS_Secondary);
  }

  Load_LoRaWAN_Settings(keys, Infos);

  Parameters_Block[Off_WiFi_Type] = static_cast<uint8_t>(keys.Int(u"WiFi_Type", 0));
  Load_Interface(keys, Off_WiFi_IP, u"WiFi_IP", u"WiFi_SM", u"WiFi_GAT", u"WiFi_EN_Gateway",
                 {192, 168, 0, 100});

  String name1, name2;
  if (Parameters_Block[Off_WiFi_Type] == 1 && Get_Protocol_Names(name1, name2) == 2) {
    Load_Interface(keys, Off_WiFi_IP2, u"WiFi_IP2_IP", u"WiFi_IP2_SM", u"WiFi_IP2_GAT",
                   u"WiFi_IP2_EN_Gateway", {192, 168, 0, 110});
  } else {
    for (int i = 0; i < 12; ++i) Parameters_Block[Off_WiFi_IP2 + i] = 0;
  }

  Put_Text_Slot(Slot(Off_WiFi_SSID, 32), keys.Text(u"WiFi_SSID", u""));
  Put_Text_Slot(Slot(Off_WiFi_PWD, 64), keys.Text(u"WiFi_PWD", u""));

  if (Parameters_Block[Off_WiFi_Type] == 0) {
    Parameters_Block[Off_AP_Security] = static_cast<uint8_t>(keys.Int(u"WiFi_Secure_Type", 0));
    Parameters_Block[Off_AP_DHCP] = static_cast<uint8_t>(keys.Int(u"WiFi_EN_DHCP", 0));
    Put_U32(Block(), Off_AP_DHCP_First, keys.Packed(u"WiFi_DHCP_First_IP", {192, 168, 0, 200}));
    Put_U32(Block(), Off_AP_DHCP_Mask, keys.Packed(u"WiFi_DHCP_SM", {255, 255, 255, 0}));
    Put_U32(Block(), Off_AP_Lease, static_cast<uint32_t>(keys.Int(u"WiFi_Lease_Time", 86400)));
    Parameters_Block[Off_AP_Max_Client] =
        static_cast<uint8_t>(static_cast<uint32_t>(keys.Int(u"WiFi_Max_Client", 9)) + 1u);
    Parameters_Block[Off_AP_Channel] = static_cast<uint8_t>(keys.Int(u"WiFi_Channel", 1));
    Parameters_Block[Off_AP_Auto_Channel] = Parameters_Block[Off_AP_Channel] == 0 ? 1 : 0;
  }

  Load_SNMP_Agent(keys);
}

int32_t Put_Parameters_Block(int32_t Position, std::span<uint8_t> Buffer) {
  uint32_t sum = 0;
  for (int i = 0; i < Off_Checksum; ++i) sum += Parameters_Block[i];
  Put_U32(Block(), Off_Checksum, sum);
  if (Position < 0 || static_cast<size_t>(Position) + Parameters_Block_Size > Buffer.size())
    throw EArgumentOutOfRangeException(u"Parameter block does not fit into its bank");
  for (int i = 0; i < Parameters_Block_Size; ++i) Buffer[Position + i] = Parameters_Block[i];
  return Position + Parameters_Block_Size;
}

int Network_Type_From_Name(const String& Text) { return UpperCase(Trim(Text)) == u"PUBLIC" ? 1 : 0; }

int DataRate_From_Name(const String& Text, int Default) {
  static const char16_t* const us915[] = {u"SF12BW500", u"SF11BW500", u"SF10BW500",
                                          u"SF9BW500",  u"SF8BW500",  u"SF7BW500"};
  static const char16_t* const eu868[] = {u"SF12BW125", u"SF11BW125", u"SF10BW125", u"SF9BW125",
                                          u"SF8BW125",  u"SF7BW125",  u"SF7BW250"};
  String t = UpperCase(Trim(Text));
  if (LoRaWAN_ParGen.RF_Band == 1) {
    for (int i = 0; i < 6; ++i)
      if (t == us915[i]) return 8 + i;
  } else {
    for (int i = 0; i < 7; ++i)
      if (t == eu868[i]) return i;
  }
  return Default;
}

int Activation_From_Name(const String& Text) {
  String t = UpperCase(Trim(Text));
  if (t == u"OVER-THE-AIR ACTIVATION [OTAA]") return 1;
  return 0;  // "ACTIVATION BY PERSONALIZATION [ABP]" and anything else
}

int Transmission_Type_From_Name(const String& Text) { return Text == u"Confirmed" ? 1 : 0; }

void Clear_End_Node_Identity() {
  LoRaWAN_ParGen.JoinEUI.fill(0);
  LoRaWAN_ParGen.DevNAME.fill(0);
  LoRaWAN_ParGen.NwkSKey.fill(0);
  LoRaWAN_ParGen.AppSKey.fill(0);
  LoRaWAN_ParGen.AppKey.fill(0);
  LoRaWAN_ParGen.Activation_method = 0;
}

String Pad_Left_Zeros(const String& Text, int N) {
  if (Length(Text) >= N) return Text;
  return StringOfChar(u'0', N - Length(Text)) + Text;
}

namespace {
int Hex_Digit(Char c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}
}  // namespace

uint8_t Hex_Pair(Char High, Char Low) {
  int h = Hex_Digit(High), l = Hex_Digit(Low);
  if (h < 0 || l < 0) return 0;
  return static_cast<uint8_t>(h * 16 + l);
}

void Hex_To_Field(const String& Text, std::span<uint8_t> Field, bool Reversed) {
  const int n = static_cast<int>(Field.size());
  // The table check trims a copy before it accepts the digits, and the file keeps the text as
  // typed: blanks around the digits must not shift them.
  String t = Pad_Left_Zeros(Trim(Text), 2 * n);
  for (int i = 0; i < n; ++i) {
    uint8_t b = Hex_Pair(t[2 * i], t[2 * i + 1]);
    Field[Reversed ? n - 1 - i : i] = b;
  }
}
