#include "shell/UComon.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string>

#include "platform/Classes.h"
#include "platform/Encoding.h"
#include "platform/Files.h"
#include "platform/Process.h"
#include "platform/SysUtils.h"
#include "platform/TimeSource.h"

// ---- State ----
String Program_Folder;
String Master_Folder;
String Projects_Folder;
String Language_Folder;
String Project_Name;
String Project_Folder;

const String Soft_Code_Init = u"MS40001";
const String Soft_Desc_Init = u"SNMP Agent / LoRaWAN Gateway - Converter";
const String Update_Soft_Code = u"MS40001";
const String Main_Caption_Init = u"Brenix - Configurator MS40001 SNMP Agent / LoRaWAN Gateway ";
String Main_Caption;
String Soft_Code;
String Soft_Desc;

String Last_IP_Address;
int32_t Last_Update_Option = 0;
bool Last_Read_Back = false;

String Language_Name;
bool Opt_Enable_Internet = false;
bool Opt_Enable_Update = false;
bool Opt_Jump_Field_Tables = false;
bool Opt_Double_Click_Auto_Size = false;

String EDE_Import_Folder;
TStringList* Grid_Clipboard = nullptr;
std::vector<bool> Grid_Clipboard_CB_Mask;
TStringList* MIB_Read_Descriptions = nullptr;
TStringList* MIB_Write_Descriptions = nullptr;

const String Default_IP_Address = u"192.168.2.205";

String Path_ParGen;
String Path_LoRaWAN_Gateway;
String Path_ModbusM_SetAccess;
String Path_ModbusTCPM_SetAccess;
String Path_BACnet_Master_Access;
String Path_BACnet_Slave;
String Path_CAN_Rec_Frames;
String Path_CAN_Send_Frames;
String Path_SDO_Server_CANopen;
String Path_SDO_Client_CANopen;
String Path_PDO_CANopen;
String Path_DNETM_Net;
String Path_DNETM_DefOff;
String Path_DMX_Default_Values;
String Path_IEC_61850_Client;
String Path_TLS_Known_Cert;
String Path_IEC61850_Variables;
String Path_J1939_Rec_Frames;
String Path_J1939_Send_Frames;
String Path_MQTT_Set_Topic;
String Path_NMEA_Rec_Frames;
String Path_NMEA_Send_Frames;
String Path_OPC_UA_Client;
String Path_OPC_UA_Server;
String Path_SNMP_Manager;
String Path_SNMP_Trap;
String Path_EtherNetIP_Master_Rules;
String Path_S7_Protocol;
String Path_KNX_SetAccess;

void Set_Files() {
  struct Entry {
    String* Path;
    const char16_t* File;
  };
  static const Entry kFiles[] = {
      {&Path_ParGen, u"ParGen.xml"},
      {&Path_LoRaWAN_Gateway, u"LoRaWAN_Gateway.xml"},
      {&Path_ModbusM_SetAccess, u"ModbusM_SetAccess.xml"},
      {&Path_ModbusTCPM_SetAccess, u"ModbusTCPM_SetAccess.xml"},
      {&Path_BACnet_Master_Access, u"BACnet_Master_Access.xml"},
      {&Path_BACnet_Slave, u"BACnet_Slave.xml"},
      {&Path_CAN_Rec_Frames, u"CAN_Rec_Frames.xml"},
      {&Path_CAN_Send_Frames, u"CAN_Send_Frames.xml"},
      {&Path_SDO_Server_CANopen, u"SDO_Server_CANopen.xml"},
      {&Path_SDO_Client_CANopen, u"SDO_Client_CANopen.xml"},
      {&Path_PDO_CANopen, u"PDO_CANopen.xml"},
      {&Path_DNETM_Net, u"DNETM_Net.xml"},
      {&Path_DNETM_DefOff, u"DNETM_DefOff.xml"},
      {&Path_DMX_Default_Values, u"DMX_Default_Values.xml"},
      {&Path_IEC_61850_Client, u"IEC_61850_Client.xml"},
      {&Path_TLS_Known_Cert, u"TLS_Known_Cert.xml"},
      {&Path_IEC61850_Variables, u"IEC61850_Variables.xml"},
      {&Path_J1939_Rec_Frames, u"J1939_Rec_Frames.xml"},
      {&Path_J1939_Send_Frames, u"J1939_Send_Frames.xml"},
      {&Path_MQTT_Set_Topic, u"MQTT_Set_Topic.xml"},
      {&Path_NMEA_Rec_Frames, u"NMEA_Rec_Frames.xml"},
      {&Path_NMEA_Send_Frames, u"NMEA_Send_Frames.xml"},
      {&Path_OPC_UA_Client, u"OPC_UA_Client.xml"},
      {&Path_OPC_UA_Server, u"OPC_UA_Server.xml"},
      {&Path_SNMP_Manager, u"SNMP_Manager.xml"},
      {&Path_SNMP_Trap, u"SNMP_Trap.xml"},
      {&Path_EtherNetIP_Master_Rules, u"EtherNetIP_Master_Rules.xml"},
      {&Path_S7_Protocol, u"S7_Protocol.xml"},
      {&Path_KNX_SetAccess, u"KNX_SetAccess.xml"},
  };
  // A plain join on purpose: with no configuration open every path is "/<file>", never a
  // file of the current folder.
  for (const Entry& e : kFiles) *e.Path = Project_Folder + u"/" + e.File;
}

void Set_Folders(const String& Folder) {
  Program_Folder = Folder.size() > 1 ? ExcludeTrailingPathDelimiter(Folder) : Folder;
  Master_Folder = Program_Folder + u"/MASTER";
  Projects_Folder = Program_Folder + u"/PROJECTS";
  Language_Folder = Program_Folder + u"/LANGUAGE";
}

// ---- Conversions and checks ----
namespace {

constexpr int kMaxLen = std::numeric_limits<int>::max();

// Text before the first `sep` (all of s when absent) and the text after it.
String Before(const String& s, const String& sep) {
  const int p = Pos(sep, s);
  return p == 0 ? s : Copy(s, 1, p - 1);
}
String After(const String& s, const String& sep) {
  const int p = Pos(sep, s);
  return p == 0 ? String() : Copy(s, p + 1, kMaxLen);
}
bool Has(const String& s, const String& sep) { return Pos(sep, s) > 0; }
bool InRange(int v, int lo, int hi) { return v >= lo && v <= hi; }

}  // namespace

bool Split_IP_Address(const String& Text, String& IP1, String& IP2, String& IP3, String& IP4) {
  String s = Trim(Text);
  if (!Has(s, u".")) return false;
  IP1 = Trim(Before(s, u"."));
  s = Trim(After(s, u"."));
  if (!Has(s, u".")) return false;
  IP2 = Trim(Before(s, u"."));
  s = Trim(After(s, u"."));
  if (!Has(s, u".")) return false;
  IP3 = Trim(Before(s, u"."));
  IP4 = Trim(After(s, u"."));
  for (const String* part : {&IP1, &IP2, &IP3, &IP4})
    if (!InRange(StrToIntDef(*part, 1000), 0, 255)) return false;
  return true;
}

bool IP_To_Bytes(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4) {
  if (Text.empty()) return true;
  uint8_t* bytes[4] = {&B1, &B2, &B3, &B4};
  bool error = false;
  String s = Text;
  for (int i = 0; i < 4; ++i) {
    // A missing "." leaves parts 1 to 3 empty (an error) rather than taking the rest.
    const int p = Pos(u".", s);
    const String part = i == 3 ? s : (p > 0 ? Copy(s, 1, p - 1) : String());
    const int v = StrToIntDef(part, -1);
    if (InRange(v, 0, 255)) {
      *bytes[i] = static_cast<uint8_t>(v);
    } else {
      *bytes[i] = 0;
      error = true;
    }
    if (p > 0) s = Copy(s, p + 1, kMaxLen);
  }
  return error;
}

bool IP_Port_To_Bytes(const String& Text, uint8_t& B1, uint8_t& B2, uint8_t& B3, uint8_t& B4,
                      uint16_t& Port) {
  B1 = B2 = B3 = B4 = 0;
  Port = 0;
  if (Text.empty() || !Has(Text, u".")) return false;
  int v[4] = {};
  String rest = Text;
  // Parts 1 to 3 end at "."; the separator that must follow each part in the rest.
  const char16_t* next[3] = {u".", u".", u":"};
  for (int i = 0; i < 3; ++i) {
    v[i] = StrToIntDef(Trim(Before(rest, u".")), -1);
    rest = Trim(After(rest, u"."));
    if (!InRange(v[i], 0, 255) || !Has(rest, next[i])) return false;
  }
  v[3] = StrToIntDef(Trim(Before(rest, u":")), -1);
  const int port = StrToIntDef(Trim(After(rest, u":")), -1);
  if (!InRange(v[3], 0, 255) || !InRange(port, 0, 65535)) return false;
  B1 = static_cast<uint8_t>(v[0]);
  B2 = static_cast<uint8_t>(v[1]);
  B3 = static_cast<uint8_t>(v[2]);
  B4 = static_cast<uint8_t>(v[3]);
  Port = static_cast<uint16_t>(port);
  return true;
}

Char Get_Decimal_Separator() {
  const Char c = FormatSettings().DecimalSeparator;
  return (c == u',' || c == u'.') ? c : u',';
}

bool Text_To_Float(const String& Text, Char Separator, float& Value) {
  const String s = Separator == u'.' ? StringReplace(Text, u",", u".") : StringReplace(Text, u".", u",");
  double d = 0;
  if (TryStrToFloat(s, d) && std::isfinite(d) && std::fabs(d) <= std::numeric_limits<float>::max()) {
    Value = static_cast<float>(d);
    return true;
  }
  Value = 1.0f;
  return false;
}

int SNMP_Level_From_Text(const String& Text) {
  const String s = UpperCase(Trim(Text));
  if (s == u"AUTHORITY NOPRIVACY") return 1;
  if (s == u"AUTHORITY PRIVACY") return 2;
  return 0;
}

int SNMP_Auth_From_Text(const String& Text) { return UpperCase(Trim(Text)) == u"SHA" ? 1 : 0; }

int SNMP_Priv_From_Text(const String& Text) { return UpperCase(Trim(Text)) == u"AES" ? 1 : 0; }

int SNMP_Level_From_Short_Text(const String& Text) {
  const String s = Trim(UpperCase(Text));
  if (s == u"AUTH NOPRIV") return 1;
  if (s == u"AUTH PRIV") return 3;
  if (s.empty()) return -1;
  return 0;
}

int Check_SNMP_OID(const String& Text) {
  if (Text.size() > 128) return 1;
  for (Char c : Text)
    if (c != u'.' && (c < u'0' || c > u'9')) return 2;
  if (!Text.empty() && Text.front() == u'.') return 3;
  if (!Text.empty() && Text.back() == u'.') return 4;
  if (Has(Text, u"..")) return 5;
  // Every arc must convert: an arc too long for 64 bits (or an empty text) is out of range too.
  String rest = Text;
  for (;;) {
    const String arc = Trim(Before(rest, u"."));
    int64_t v = 0;
    if (!TryStrToInt64(arc, v) || v < 0 || v > 4294967295LL) return 6;
    if (!Has(rest, u".")) break;
    rest = After(rest, u".");
  }
  return 0;
}

int Check_SNMP_User(const String& Text, bool Is_User) {
  if (Text.size() > 15) return 1;
  if (Text.size() < (Is_User ? 1u : 8u)) return 2;
  for (Char c : Text) {
    const bool ok = (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    if (!ok) return 3;
  }
  return 0;
}

int Check_KNX_Address(const String& Text, bool Group, bool Allow_Zero) {
  if (!Group) {
    if (Has(Text, u"/")) return 1;
    // A raw address is the text as typed: a trailing blank does not convert.
    if (!Has(Text, u".")) return InRange(StrToIntDef(Text, -1), 1, 65535) ? 0 : 1;
    const String area = Trim(Before(Text, u"."));
    const String rest = Trim(After(Text, u"."));
    if (!Has(rest, u".")) return 1;
    const String line = Trim(Before(rest, u"."));
    const String device = Trim(After(rest, u"."));
    if (Has(device, u".")) return 1;
    const int a = StrToIntDef(area, -1), l = StrToIntDef(line, -1), d = StrToIntDef(device, -1);
    if (!InRange(a, 0, 15) || !InRange(l, 0, 15) || !InRange(d, 0, 255)) return 1;
    if (!Allow_Zero && a == 0 && l == 0 && d == 0) return 1;
    return 0;
  }
  if (Has(Text, u".")) return 1;
  if (!Has(Text, u"/")) return InRange(StrToIntDef(Text, -1), 1, 65535) ? 0 : 1;
  const int main = StrToIntDef(Trim(Before(Text, u"/")), -1);
  const String rest = Trim(After(Text, u"/"));
  if (!Has(rest, u"/")) {
    const int sub = StrToIntDef(rest, -1);
    if (!InRange(main, 0, 31) || !InRange(sub, 0, 2047) || (main == 0 && sub == 0)) return 1;
    return 0;
  }
  const int middle = StrToIntDef(Trim(Before(rest, u"/")), -1);
  const String subText = Trim(After(rest, u"/"));
  if (Has(subText, u"/")) return 1;
  const int sub = StrToIntDef(subText, -1);
  if (!InRange(main, 0, 31) || !InRange(middle, 0, 7) || !InRange(sub, 0, 255)) return 1;
  if (main == 0 && middle == 0 && sub == 0) return 1;
  return 0;
}

bool Is_KNX_Group_Address(const String& Text) { return !Has(Text, u"."); }

TStringList* Find_COM_Ports_In(const String& Device_Folder) {
  TStringList* list = New<TStringList>();
  static const char* const kKinds[] = {"ttyS", "ttyUSB", "ttyACM"};
  const std::string folder = StringToUtf8(ExcludeTrailingPathDelimiter(Device_Folder));
  for (const char* kind : kKinds) {
    for (int n = 0; n <= 255; ++n) {
      const std::string name = std::string(kind) + std::to_string(n);
      const std::string path = folder + "/" + name;
      // Non-blocking so that a modem line without carrier cannot hang the probe.
      const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
      bool present = fd >= 0;
      if (fd >= 0) ::close(fd);
      // Refused access means the port exists but is held or protected.
      if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EBUSY)) present = true;
      if (present) list->Add(Utf8ToString(name));
    }
  }
  return list;
}

TStringList* Find_COM_Ports() { return Find_COM_Ports_In(u"/dev"); }

int Get_Protocol_Names(String& Name1, String& Name2) {
  Name1 = u"SNMP Agent";
  Name2.clear();
  return 1;
}

// ---- External program runner ----
namespace {
uint32_t g_startProgramLimit = Start_Program_Default_Limit_Ms;
}

void Set_Start_Program_Limit(uint32_t Ms) { g_startProgramLimit = Ms; }
uint32_t Start_Program_Limit() { return g_startProgramLimit; }

std::vector<String> Split_Parameters(const String& Parameter) {
  std::vector<String> args;
  String current;
  bool inArg = false, quoted = false;
  for (std::size_t i = 0; i < Parameter.size(); ++i) {
    const Char c = Parameter[i];
    if (quoted) {
      if (c == u'"') {
        if (i + 1 < Parameter.size() && Parameter[i + 1] == u'"') {
          current += u'"';
          ++i;
        } else {
          quoted = false;
        }
      } else {
        current += c;
      }
    } else if (c == u' ' || c == u'\t') {
      if (inArg) args.push_back(current);
      current.clear();
      inArg = false;
    } else if (c == u'"') {
      quoted = inArg = true;
    } else {
      current += c;
      inArg = true;
    }
  }
  if (inArg) args.push_back(current);
  return args;
}

void Start_Program(const String& NomeSW, const String& Parameter, uint8_t tipo) {
  (void)tipo;  // window kind: no meaning for a process started here
  String error;
  std::unique_ptr<TProcess> process = TProcess::Start(NomeSW, Split_Parameters(Parameter), Program_Folder, &error);
  if (!process) return;
  const uint32_t t0 = GetTickCount();
  for (;;) {
    const bool running = process->Running();
    if (running && TicksElapsed(t0, GetTickCount()) >= g_startProgramLimit) break;
    process->WaitFor(10);
    if (!running) break;
  }
  // Destroying the handle leaves a running program alone; the platform reaps it later.
}

// ---- OPC UA records ----
static_assert(sizeof(void*) == 8, "the browsing library's records are laid out for 64-bit");
static_assert(sizeof(opcua_server_to_discover) == 56);
static_assert(offsetof(opcua_server_to_discover, server_address) == 0);
static_assert(offsetof(opcua_server_to_discover, user_pass_auth_flag) == 8);
static_assert(offsetof(opcua_server_to_discover, username) == 16);
static_assert(offsetof(opcua_server_to_discover, password) == 24);
static_assert(offsetof(opcua_server_to_discover, cert) == 32);
static_assert(offsetof(opcua_server_to_discover, priv_key) == 40);
static_assert(offsetof(opcua_server_to_discover, security_type) == 48);
static_assert(offsetof(opcua_server_to_discover, security_policy) == 52);
static_assert(sizeof(opcua_structure) == 80);
static_assert(offsetof(opcua_structure, nameSpaceIndex) == 0);
static_assert(offsetof(opcua_structure, identifierType) == 2);
static_assert(offsetof(opcua_structure, numeric) == 4);
static_assert(offsetof(opcua_structure, stringname) == 8);
static_assert(offsetof(opcua_structure, stringLength) == 16);
static_assert(offsetof(opcua_structure, guide1) == 20);
static_assert(offsetof(opcua_structure, guide2) == 24);
static_assert(offsetof(opcua_structure, guide3) == 26);
static_assert(offsetof(opcua_structure, guide4) == 28);
static_assert(offsetof(opcua_structure, byteString) == 40);
static_assert(offsetof(opcua_structure, byteStringLength) == 48);
static_assert(offsetof(opcua_structure, displayName) == 56);
static_assert(offsetof(opcua_structure, displayNameLength) == 64);
static_assert(offsetof(opcua_structure, dataType) == 68);
static_assert(offsetof(opcua_structure, accessLevel) == 72);
static_assert(offsetof(opcua_structure, spare) == 73);
static_assert(sizeof(TOPC_UA_Guid) == 16);
static_assert(offsetof(TOPC_UA_Guid, data2) == 4);
static_assert(offsetof(TOPC_UA_Guid, data3) == 6);
static_assert(offsetof(TOPC_UA_Guid, data4) == 8);

namespace {

String Hex(uint32_t v, int digits) {
  static const char16_t kDigits[] = u"0123456789ABCDEF";
  String s(digits, u'0');
  for (int i = digits - 1; i >= 0; --i, v >>= 4) s[i] = kDigits[v & 0xF];
  return s;
}

// An 8-bit text of the system code page, up to its terminating zero; null reads as empty.
String Ansi(const char* p) { return p ? Win1252ToString(std::string_view(p)) : String(); }

const char16_t* const kAuth[] = {u"Anonymous", u"Username and Password", u"Certificate"};
const char16_t* const kMode[] = {u"None", u"Sign", u"Sign and Encrypt"};
const char16_t* const kPolicy[] = {u"None", u"Basic 128 RSA 15", u"Basic 256", u"Basic 256 SHA 256",
                                   u"AES 128 SHA 256 RSA OAEP", u"AES 256 SHA 256 RSA PSS"};

// Unknown codes give the table's last text; unknown texts its last code.
template <std::size_t N>
String CodeToText(const char16_t* const (&table)[N], int code) {
  return (code >= 0 && static_cast<std::size_t>(code) < N) ? String(table[code]) : String(table[N - 1]);
}
template <std::size_t N>
int TextToCode(const char16_t* const (&table)[N], const String& text) {
  for (std::size_t i = 0; i < N; ++i)
    if (text == table[i]) return static_cast<int>(i);
  return static_cast<int>(N - 1);
}

}  // namespace

String OPC_UA_IdType_To_Text(int Code) {
  switch (Code) {
    case 0: return u"Numeric";
    case 3: return u"String";
    case 4: return u"Guid";
    case 5: return u"ByteString";
    default: return String();
  }
}

int OPC_UA_Text_To_IdType(const String& Text) {
  const String s = UpperCase(Text);
  if (s == u"NUMERIC") return 0;
  if (s == u"STRING") return 3;
  if (s == u"GUID") return 4;
  if (s == u"BYTESTRING") return 5;
  return 0;
}

String OPC_UA_Id_To_Text(opcua_structure Data) {
  switch (Data.identifierType) {
    case 0: return IntToStr(static_cast<int64_t>(Data.numeric));
    case 3: return Ansi(Data.stringname);
    case 4: {
      String s = Hex(Data.guide1, 8) + u"-" + Hex(Data.guide2, 4) + u"-" + Hex(Data.guide3, 4) + u"-";
      s += Hex(Data.guide4[0], 2) + Hex(Data.guide4[1], 2) + u"-";
      for (int i = 2; i < 8; ++i) s += Hex(Data.guide4[i], 2);
      return s;
    }
    case 5: return Ansi(reinterpret_cast<const char*>(Data.byteString));
    default: return String();
  }
}

String OPC_UA_DataType_To_Text(int Code) {
  static const char16_t* const kTypes[] = {u"Boolean", u"Int8",   u"UInt8",  u"Int16",    u"UInt16",
                                           u"Int32",   u"UInt32", u"Int64",  u"UInt64",   u"Float",
                                           u"Double",  u"String", u"DateTime", u"Guid", u"ByteString"};
  return (Code >= 0 && Code < 15) ? String(kTypes[Code]) : String();
}

String OPC_UA_Auth_To_Text(int Code) { return CodeToText(kAuth, Code); }
int OPC_UA_Text_To_Auth(const String& Text) { return TextToCode(kAuth, Text); }
String OPC_UA_Mode_To_Text(int Code) { return CodeToText(kMode, Code); }
int OPC_UA_Text_To_Mode(const String& Text) { return TextToCode(kMode, Text); }
String OPC_UA_Policy_To_Text(int Code) { return CodeToText(kPolicy, Code); }
int OPC_UA_Text_To_Policy(const String& Text) { return TextToCode(kPolicy, Text); }
