// UComon: the OPC UA records exchanged with the browsing library and their texts.
#include "shell/UComon.h"

#include <cstddef>
#include <string_view>

#include "platform/Encoding.h"
#include "platform/SysUtils.h"

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
