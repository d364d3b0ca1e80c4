// Packet-forwarder configuration text.
#include "gateway/PacketForwarderConf.h"

#include <iterator>

#include "gateway/PacketForwarderTemplates.h"
#include "gateway/USaveBincc.h"
#include "platform/SysUtils.h"

namespace {

// Each template line holds at most one placeholder.
String Fill_Line(const char16_t* Line) {
  static const struct {
    const char16_t* Key;
    String (*Value)();
  } fields[] = {
      {u"{NetworkType}", [] { return LoRaWAN_ParGen.NetworkType; }},
      {u"{Server_Add}", [] { return Json_String_Escape(LoRaWAN_ParGen.Server_Add); }},
      {u"{Server_Port_Up}", [] { return LoRaWAN_ParGen.Server_Port_Up; }},
      {u"{Server_Port_Down}", [] { return LoRaWAN_ParGen.Server_Port_Down; }},
      {u"{KA_Interval}", [] { return LoRaWAN_ParGen.KA_Interval; }},
  };
  String s = Line;
  for (const auto& f : fields) {
    size_t at = s.find(f.Key);
    if (at != String::npos) return s.substr(0, at) + f.Value() + s.substr(at + String(f.Key).size());
  }
  return s;
}

template <size_t N>
void Fill(std::vector<String>& Lines, const char16_t* const (&Template)[N]) {
  Lines.reserve(N);
  for (const char16_t* line : Template) Lines.push_back(Fill_Line(line));
}

}  // namespace

void Build_Packet_Forwarder_Conf(std::vector<String>& Conf_File_Lines) {
  Conf_File_Lines.clear();
  if (LoRaWAN_ParGen.RF_Band == 0)
    Fill(Conf_File_Lines, packet_forwarder_templates::EU868);
  else if (LoRaWAN_ParGen.RF_Band == 1)
    Fill(Conf_File_Lines, packet_forwarder_templates::US915);
}

String Json_String_Escape(const String& Text) {
  static const char16_t hex[] = u"0123456789ABCDEF";
  String out;
  out.reserve(Text.size());
  for (Char c : Text) {
    if (c == u'"' || c == u'\\') {
      out += u'\\';
      out += c;
    } else if (c < 0x20 || c > 0x7E) {
      out += u"\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += hex[(c >> shift) & 0xF];
    } else {
      out += c;
    }
  }
  return out;
}
