// UComon: the common conversions and checks, and the serial port probe.
#include "shell/UComon.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <limits>
#include <string>

#include "platform/Classes.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"

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
