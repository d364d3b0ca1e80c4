#include <gtest/gtest.h>

#include <functional>

#include "gateway/ULoRaWAN_Gateway.h"
#include "platform/testing/ModalScript.h"
#include "shell/ULanguage.h"

namespace {

// A device that passes every test: ABP, one uplink and one downlink rule.
void ValidDevice(TDeviceLoRa& d) {
  d.SetDeviceEUI(u"0004A30B001C0530");
  d.SetJoinEUI(u"0000000000000001");
  d.SetActMethod(LoRaWAN_Act_ABP);
  d.SetNetSessKey(u"00112233445566778899AABBCCDDEEFF");
  d.SetAppSessKey(u"FFEEDDCCBBAA99887766554433221100");
  d.SetDevAdd(u"26011BDA");
  d.SetDiagTimeOut(u"1000");
  TRuleLoRa* u = d.UpLinkRules.Add();
  u->SetPort(u"1");
  u->SetStartBit(u"0");
  u->SetNumBits(u"4");
  u->SetPosBit(u"0");
  TRuleLoRa* w = d.DownLinkRules.Add();
  w->SetPort(u"2");
  w->SetStartBit(u"0");
  w->SetNumBits(u"4");
  w->SetPosBit(u"10");
}

TRuleLoRa& Up(TDeviceLoRa& d) { return *d.UpLinkRules[0]; }
TRuleLoRa& Down(TDeviceLoRa& d) { return *d.DownLinkRules[0]; }

}  // namespace

TEST(LoRaWANCheckTest, CheckStringHex) {
  struct Case {
    const char16_t* text;
    int n;
    int result;
  };
  const Case cases[] = {{u"00ff", 4, 0},   {u" 00FF ", 4, 0}, {u"00F", 4, 1}, {u"00FFF", 4, 1},
                        {u"00FG", 4, 2},   {u"0 FF", 4, 2},   {u"", 0, 0},    {u"", 8, 1},
                        {u"abcdef12", 8, 0}, {u"-1234567", 8, 2}};
  for (const Case& c : cases) EXPECT_EQ(CheckStringHex(c.text, c.n), c.result) << StringToUtf8(c.text);
}

TEST(LoRaWANCheckTest, FirstFailingTestGivesItsMessage) {
  Load_Default_Strings();
  using Edit = std::function<void(TDeviceLoRaList&)>;
  struct Case {
    const char* name;
    Edit edit;
    const char* message;  // "" = passes
  };
  auto dev = [](TDeviceLoRaList& l) -> TDeviceLoRa& { return *l[1]; };  // device number 2
  const Case cases[] = {
      {"valid", [](TDeviceLoRaList&) {}, ""},
      {"lower-case EUI with blanks", [&](TDeviceLoRaList& l) { dev(l).SetDeviceEUI(u" 0004a30b001c0530 "); }, ""},
      {"short EUI", [&](TDeviceLoRaList& l) { dev(l).SetDeviceEUI(u"0004A30B"); },
       "Error Device 2!! Device EUI must have 8 bytes (16 characters)"},
      {"bad EUI char", [&](TDeviceLoRaList& l) { dev(l).SetDeviceEUI(u"0004A30B001C053G"); },
       "Error Device 2!! Device EUI must have only valid chatacter (0..9 and A..F)"},
      {"empty join EUI", [&](TDeviceLoRaList& l) { dev(l).SetJoinEUI(u""); },
       "Error Device 2!! Join EUI must have 8 bytes (16 characters)"},
      {"no method", [&](TDeviceLoRaList& l) { dev(l).SetActMethod(u"  "); },
       "Error Device 2!! Activation Method must be selected"},
      {"ABP session key", [&](TDeviceLoRaList& l) { dev(l).SetNetSessKey(u"0011"); },
       "Error Device 2!! Network Session Key must have 16 bytes (32 characters)"},
      {"ABP app session key char",
       [&](TDeviceLoRaList& l) { dev(l).SetAppSessKey(u"FFEEDDCCBBAA99887766554433221XYZ"); },
       "Error Device 2!! Application Session Key must have only valid chatacter (0..9 and A..F)"},
      {"ABP without app key passes", [&](TDeviceLoRaList& l) { dev(l).SetAppKey(u""); }, ""},
      {"OTAA without session keys passes",
       [&](TDeviceLoRaList& l) {
         dev(l).SetActMethod(LoRaWAN_Act_OTAA);
         dev(l).SetNetSessKey(u"");
         dev(l).SetAppSessKey(u"");
         dev(l).SetAppKey(u"2B7E151628AED2A6ABF7158809CF4F3C");
       },
       ""},
      {"OTAA needs the app key", [&](TDeviceLoRaList& l) { dev(l).SetActMethod(LoRaWAN_Act_OTAA); },
       "Error Device 2!! Application Key must have 16 bytes (32 characters)"},
      {"OTAA needs the device address",
       [&](TDeviceLoRaList& l) {
         dev(l).SetActMethod(LoRaWAN_Act_OTAA);
         dev(l).SetAppKey(u"2B7E151628AED2A6ABF7158809CF4F3C");
         dev(l).SetDevAdd(u"");
       },
       "Error Device 2!! Device Address must have 4 bytes (8 characters)"},
      {"device address char", [&](TDeviceLoRaList& l) { dev(l).SetDevAdd(u"26011BDX"); },
       "Error Device 2!! Device Address must have only valid chatacter (0..9 and A..F)"},
      {"empty diag timeout", [&](TDeviceLoRaList& l) { dev(l).SetDiagTimeOut(u""); },
       "Error Device 2!! Diag. TimeOut must be between 0 and 4294967295 milliseconds"},
      {"diag timeout max", [&](TDeviceLoRaList& l) { dev(l).SetDiagTimeOut(u"4294967295"); }, ""},
      {"diag timeout too big", [&](TDeviceLoRaList& l) { dev(l).SetDiagTimeOut(u"4294967296"); },
       "Error Device 2!! Diag. TimeOut must be between 0 and 4294967295 milliseconds"},
      {"uplink port", [&](TDeviceLoRaList& l) { Up(dev(l)).SetPort(u"65536"); },
       "Error Device 2, UpLink Rule 1!! Port must be between 0 and 65535"},
      {"second uplink rule numbered 2",
       [&](TDeviceLoRaList& l) {
         TRuleLoRa* r = dev(l).UpLinkRules.Add();
         *r = Up(dev(l));
         r->SetStartBit(u"501");
       },
       "Error Device 2, UpLink Rule 2!! Start Byte must be between 0 and 500"},
      {"disabled empty rule passes", [&](TDeviceLoRaList& l) { dev(l).UpLinkRules.Add()->SetEnable(false); }, ""},
      {"empty start test ignores the test fields",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetLenTest(u"x");
         Up(dev(l)).SetValueTest(u"abc");
       },
       ""},
      {"bad start test", [&](TDeviceLoRaList& l) { Up(dev(l)).SetStartTest(u"-1"); },
       "Error Device 2, UpLink Rule 1!! Start Test must be a valid numeric value"},
      {"bad len test", [&](TDeviceLoRaList& l) { Up(dev(l)).SetStartTest(u"0"); },
       "Error Device 2, UpLink Rule 1!! Len Test must be a valid numeric value"},
      {"ascii value of the right length",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetStartTest(u"0");
         Up(dev(l)).SetLenTest(u"2");
         Up(dev(l)).SetValueTest(u"ab");
       },
       ""},
      {"ascii value too long",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetStartTest(u"0");
         Up(dev(l)).SetLenTest(u"2");
         Up(dev(l)).SetValueTest(u"abc");
       },
       "Error Device 2, UpLink Rule 1!! Value Test must have 2 characters"},
      {"hex value length",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetStartTest(u"3");
         Up(dev(l)).SetLenTest(u"2");
         Up(dev(l)).SetHexTest(true);
         Up(dev(l)).SetValueTest(u"01F");
       },
       "Error Device 2, UpLink Rule 1!! Value Test must have 2 bytes (4 characters)"},
      {"hex value char",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetStartTest(u"3");
         Up(dev(l)).SetLenTest(u"2");
         Up(dev(l)).SetHexTest(true);
         Up(dev(l)).SetValueTest(u"01FZ");
       },
       "Error Device 2, UpLink Rule 1!! Value Test must have only valid chatacter (0..9 and A..F)"},
      {"hex len 0 with empty value",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetStartTest(u"0");
         Up(dev(l)).SetLenTest(u"0");
         Up(dev(l)).SetHexTest(true);
       },
       ""},
      {"uplink number bytes", [&](TDeviceLoRaList& l) { Up(dev(l)).SetNumBits(u"0"); },
       "Error Device 2, UpLink Rule 1!! Number Bytes must be between 1 and 1536"},
      {"uplink position", [&](TDeviceLoRaList& l) { Up(dev(l)).SetPosBit(u"1536"); },
       "Error Device 2, UpLink Rule 1!! Position Byte must be between 0 and 1535"},
      {"uplink 1500 + 36",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetPosBit(u"1500");
         Up(dev(l)).SetNumBits(u"36");
       },
       ""},
      {"uplink 1500 + 37",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetPosBit(u"1500");
         Up(dev(l)).SetNumBits(u"37");
       },
       "Error Device 2, UpLink Rule 1!! Position Byte plus Number Bytes must be minor of 1536"},
      {"uplink hex numbers", [&](TDeviceLoRaList& l) { Up(dev(l)).SetPort(u"0x10"); }, ""},
      {"downlink port empty", [&](TDeviceLoRaList& l) { Down(dev(l)).SetPort(u""); },
       "Error Device 2, DownLink Rule 1!! Port must be between 0 and 65535"},
      {"downlink start byte", [&](TDeviceLoRaList& l) { Down(dev(l)).SetStartBit(u"x"); },
       "Error Device 2, DownLink Rule 1!! Start Byte must be between 0 and 500"},
      {"downlink number bytes", [&](TDeviceLoRaList& l) { Down(dev(l)).SetNumBits(u"1537"); },
       "Error Device 2, DownLink Rule 1!! Number Bytes must be between 1 and 1536"},
      {"timer off ignores time", [&](TDeviceLoRaList& l) { Down(dev(l)).SetTime(u"abc"); }, ""},
      {"timer on needs time",
       [&](TDeviceLoRaList& l) {
         Down(dev(l)).SetOnTimer(true);
         Down(dev(l)).SetTime(u"abc");
       },
       "Error Device 2, DownLink Rule 1!! Time must be between 0 and 100000000 milliseconds"},
      {"downlink position", [&](TDeviceLoRaList& l) { Down(dev(l)).SetPosBit(u"-1"); },
       "Error Device 2, DownLink Rule 1!! Position Byte must be between 0 and 1535"},
      {"downlink 1500 + 36",
       [&](TDeviceLoRaList& l) {
         Down(dev(l)).SetPosBit(u"1500");
         Down(dev(l)).SetNumBits(u"36");
       },
       ""},
      {"downlink 1500 + 37",
       [&](TDeviceLoRaList& l) {
         Down(dev(l)).SetPosBit(u"1500");
         Down(dev(l)).SetNumBits(u"37");
       },
       "Error Device 2, DownLink Rule 1!! Position Byte plus Number Bytes must be minor of 1536"},
      {"disabled device is checked",
       [&](TDeviceLoRaList& l) {
         dev(l).SetEnable(false);
         dev(l).SetJoinEUI(u"1");
       },
       "Error Device 2!! Join EUI must have 8 bytes (16 characters)"},
      {"device tests come before its rules",
       [&](TDeviceLoRaList& l) {
         Up(dev(l)).SetPort(u"");
         dev(l).SetDiagTimeOut(u"");
       },
       "Error Device 2!! Diag. TimeOut must be between 0 and 4294967295 milliseconds"},
      {"blank EUI skips the device and its rules",
       [&](TDeviceLoRaList& l) {
         l[2]->SetDeviceEUI(u"   ");
         l[2]->SetJoinEUI(u"bad");
         l[2]->UpLinkRules.Add();
       },
       ""},
      {"devices after a blank one are checked",
       [&](TDeviceLoRaList& l) {
         l[3]->SetDeviceEUI(u"1");
       },
       "Error Device 4!! Device EUI must have 8 bytes (16 characters)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TDeviceLoRaList l(5);
    ValidDevice(*l[0]);
    ValidDevice(*l[1]);
    c.edit(l);
    String message = u"stale";
    EXPECT_EQ(Check_LoRaWAN_Data(l, message), *c.message == 0);
    EXPECT_EQ(StringToUtf8(message), c.message);
  }
}

TEST(LoRaWANCheckTest, CheckDataShowsTheFirstErrorInAnErrorBox) {
  Load_Default_Strings();
  TDeviceLoRaList l(3);
  ValidDevice(*l[0]);
  {
    ModalScript script;
    EXPECT_TRUE(Check_Data(l));
    EXPECT_TRUE(script.Messages().empty());
  }
  l[0]->DownLinkRules.Add();  // enabled, every field empty
  ModalScript script;
  EXPECT_FALSE(Check_Data(l));
  ASSERT_EQ(script.Messages().size(), 1u);
  EXPECT_EQ(script.Messages()[0].Type, mtError);
  EXPECT_TRUE(script.Messages()[0].Buttons == TMsgDlgButtons{mbOK});
  EXPECT_EQ(script.Messages()[0].Text, u"Error Device 1, DownLink Rule 2!! Port must be between 0 and 65535");
}

TEST(LoRaWANCheckTest, AnEmptiedTextStillFails) {
  Load_Default_Strings();
  Language_List->SetStrings(5497, String());  // a language file may empty a text
  TDeviceLoRaList l(1);
  ValidDevice(*l[0]);
  l[0]->SetDiagTimeOut(u"");
  String message;
  EXPECT_FALSE(Check_LoRaWAN_Data(l, message));
  EXPECT_EQ(message, u"Error Device 1!! Diag. TimeOut must be between 0 and 4294967295 milliseconds");
  Load_Default_Strings();
}
