#include <gtest/gtest.h>

#include "shell/UComon.h"

namespace {

TEST(OpcUa, IdentifierKinds) {
  const struct {
    int Code;
    const char16_t* Text;
  } kToText[] = {{0, u"Numeric"}, {3, u"String"}, {4, u"Guid"}, {5, u"ByteString"}, {1, u""}, {2, u""}, {6, u""},
                 {-1, u""}};
  for (const auto& c : kToText) EXPECT_EQ(OPC_UA_IdType_To_Text(c.Code), c.Text) << c.Code;

  const struct {
    const char16_t* Text;
    int Code;
  } kToCode[] = {{u"Numeric", 0}, {u"string", 3}, {u"guid", 4}, {u"BYTESTRING", 5}, {u"ByteString", 5},
                 {u"", 0},        {u" Guid", 0},  {u"Byte String", 0}};
  for (const auto& c : kToCode) EXPECT_EQ(OPC_UA_Text_To_IdType(c.Text), c.Code) << StringToUtf8(c.Text);
}

TEST(OpcUa, IdentifierAsText) {
  opcua_structure numeric;
  numeric.identifierType = 0;
  numeric.numeric = 4294967295u;
  EXPECT_EQ(OPC_UA_Id_To_Text(numeric), u"4294967295");

  opcua_structure guid;
  guid.identifierType = 4;
  guid.guide1 = 0x12AB;
  guid.guide2 = 1;
  guid.guide3 = 2;
  for (int i = 0; i < 8; ++i) guid.guide4[i] = static_cast<uint8_t>(i + 1);
  EXPECT_EQ(OPC_UA_Id_To_Text(guid), u"000012AB-0001-0002-0102-030405060708");
  guid.guide1 = 0xDEADBEEF;
  guid.guide2 = 0xABCD;
  guid.guide3 = 0xFFFF;
  guid.guide4[7] = 0xFE;
  EXPECT_EQ(OPC_UA_Id_To_Text(guid), u"DEADBEEF-ABCD-FFFF-0102-0304050607FE");

  // 8-bit texts are read up to their zero in the ANSI code page; the lengths are not used.
  const char name[] = "Temp\xE9rature\0ignored";
  opcua_structure text;
  text.identifierType = 3;
  text.stringname = name;
  text.stringLength = 2;
  EXPECT_EQ(OPC_UA_Id_To_Text(text), u"Temp\u00E9rature");

  const uint8_t bytes[] = {'A', 'B', 0x80, 0, 'C'};
  opcua_structure byteString;
  byteString.identifierType = 5;
  byteString.byteString = bytes;
  byteString.byteStringLength = 5;
  EXPECT_EQ(OPC_UA_Id_To_Text(byteString), u"AB\u20AC");

  opcua_structure missing;
  missing.identifierType = 3;
  EXPECT_EQ(OPC_UA_Id_To_Text(missing), u"");
  missing.identifierType = 1;
  EXPECT_EQ(OPC_UA_Id_To_Text(missing), u"");
}

TEST(OpcUa, DataTypes) {
  const char16_t* const kTexts[] = {u"Boolean", u"Int8",  u"UInt8",  u"Int16",  u"UInt16",
                                    u"Int32",   u"UInt32", u"Int64", u"UInt64", u"Float",
                                    u"Double",  u"String", u"DateTime", u"Guid", u"ByteString"};
  for (int i = 0; i < 15; ++i) EXPECT_EQ(OPC_UA_DataType_To_Text(i), kTexts[i]) << i;
  EXPECT_EQ(OPC_UA_DataType_To_Text(15), u"");
  EXPECT_EQ(OPC_UA_DataType_To_Text(-1), u"");
}

// Code <-> text maps whose unknown values fall on the last entry of their table.
struct MapCase {
  const char* Name;
  String (*ToText)(int);
  int (*ToCode)(const String&);
  std::vector<const char16_t*> Texts;
};

TEST(OpcUa, AuthorisationModeAndPolicyMaps) {
  const MapCase kMaps[] = {
      {"authentication", OPC_UA_Auth_To_Text, OPC_UA_Text_To_Auth,
       {u"Anonymous", u"Username and Password", u"Certificate"}},
      {"security mode", OPC_UA_Mode_To_Text, OPC_UA_Text_To_Mode, {u"None", u"Sign", u"Sign and Encrypt"}},
      {"security policy", OPC_UA_Policy_To_Text, OPC_UA_Text_To_Policy,
       {u"None", u"Basic 128 RSA 15", u"Basic 256", u"Basic 256 SHA 256", u"AES 128 SHA 256 RSA OAEP",
        u"AES 256 SHA 256 RSA PSS"}},
  };
  for (const MapCase& m : kMaps) {
    SCOPED_TRACE(m.Name);
    const int last = static_cast<int>(m.Texts.size()) - 1;
    for (int i = 0; i <= last; ++i) {
      EXPECT_EQ(m.ToText(i), m.Texts[i]);
      EXPECT_EQ(m.ToCode(m.Texts[i]), i);
    }
    EXPECT_EQ(m.ToText(last + 1), m.Texts[last]);
    EXPECT_EQ(m.ToText(9), m.Texts[last]);
    EXPECT_EQ(m.ToText(-1), m.Texts[last]);
    EXPECT_EQ(m.ToCode(u""), last);
    EXPECT_EQ(m.ToCode(u"unknown"), last);
  }
  // Comparison is exact: letter case and blanks count.
  EXPECT_EQ(OPC_UA_Text_To_Auth(u"anonymous"), 2);
  EXPECT_EQ(OPC_UA_Text_To_Mode(u"none"), 2);
  EXPECT_EQ(OPC_UA_Text_To_Policy(u"None "), 5);
}

}  // namespace
