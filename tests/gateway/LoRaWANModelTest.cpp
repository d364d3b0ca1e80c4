#include <gtest/gtest.h>

#include "gateway/ULoRaWAN_Gateway.h"

namespace {

using K = TLoRaRuleKind;

// Device i gets EUI "dev<i>" and one uplink rule with port "<i>" and one downlink rule with
// port "<i>0", so every rule names its device.
void Fill(TDeviceLoRaList& l, int n) {
  for (int i = 0; i < n; ++i) {
    l[i]->SetDeviceEUI(u"dev" + IntToStr(i));
    l[i]->UpLinkRules.Add()->SetPort(IntToStr(i));
    l[i]->DownLinkRules.Add()->SetPort(IntToStr(i) + u"0");
  }
}

// "dev<i>/<up port>/<down port>" per entry, "-" for a fresh entry.
std::vector<std::string> Shape(const TDeviceLoRaList& l) {
  std::vector<std::string> out;
  for (int i = 0; i < l.Count(); ++i) {
    const TDeviceLoRa& d = *l[i];
    if (d.DeviceEUI().empty() && d.UpLinkRules.Count() == 0 && d.DownLinkRules.Count() == 0) {
      out.push_back(d.Enable() ? "-" : "-off");
      continue;
    }
    std::string s = StringToUtf8(d.DeviceEUI());
    for (int r = 0; r < d.UpLinkRules.Count(); ++r) s += "/" + StringToUtf8(d.UpLinkRules[r]->Port());
    for (int r = 0; r < d.DownLinkRules.Count(); ++r) s += "/" + StringToUtf8(d.DownLinkRules[r]->Port());
    out.push_back(s);
  }
  return out;
}

using V = std::vector<std::string>;

}  // namespace

TEST(LoRaWANModelTest, FreshListHasEnabledEmptyDevices) {
  TDeviceLoRaList l;
  EXPECT_EQ(l.Count(), LoRaWAN_Max_Devices);
  EXPECT_TRUE(l[999]->Enable());
  EXPECT_EQ(l[999]->Mnemonic(), u"");
  EXPECT_THROW(l.Items(1000), EListError);
  TRuleLoRa r;
  EXPECT_TRUE(r.Enable());
  EXPECT_FALSE(r.HexTest());
  EXPECT_FALSE(r.OnTimer());
}

TEST(LoRaWANModelTest, DevicesMoveWithTheirRules) {
  TDeviceLoRaList l(5);
  Fill(l, 3);
  ASSERT_TRUE(l.InsertDevice(1, false));
  EXPECT_EQ(Shape(l), (V{"dev0/0/00", "-off", "dev1/1/10", "dev2/2/20", "-"}));
  l.DeleteDevice(0);
  EXPECT_EQ(Shape(l), (V{"-off", "dev1/1/10", "dev2/2/20", "-", "-"}));
  l.DeleteDevice(0, false);
  EXPECT_EQ(Shape(l), (V{"dev1/1/10", "dev2/2/20", "-", "-", "-off"}));

  // Inserting would push a device out of the last entry: refused, nothing moves.
  TDeviceLoRaList full(3);
  Fill(full, 3);
  EXPECT_FALSE(full.InsertDevice(0));
  EXPECT_EQ(Shape(full), (V{"dev0/0/00", "dev1/1/10", "dev2/2/20"}));
  // A last entry with rules but a blank EUI is never written, so it may go.
  TDeviceLoRaList spare(3);
  Fill(spare, 3);
  spare[2]->SetDeviceEUI(u" ");
  EXPECT_TRUE(spare.InsertDevice(0));
  EXPECT_EQ(Shape(spare), (V{"-", "dev0/0/00", "dev1/1/10"}));
}

TEST(LoRaWANModelTest, CopiedDeviceCarriesItsOwnRules) {
  TDeviceLoRaList l(4);
  Fill(l, 2);
  EXPECT_FALSE(l.PasteDevice(3));
  l.CopyDevice(0);
  ASSERT_TRUE(l.HasCopiedDevice());
  l[0]->UpLinkRules[0]->SetPort(u"changed");  // the copy is not a view of the source
  ASSERT_TRUE(l.PasteDevice(1));
  ASSERT_TRUE(l.PasteDevice(3));
  EXPECT_EQ(Shape(l), (V{"dev0/changed/00", "dev0/0/00", "-", "dev0/0/00"}));
  l[1]->DownLinkRules[0]->SetPort(u"x");
  EXPECT_EQ(l[3]->DownLinkRules[0]->Port(), u"00");
}

TEST(LoRaWANModelTest, RuleOperationsStayInTheirKind) {
  TDeviceLoRaList l(2);
  Fill(l, 2);
  l[0]->UpLinkRules.Add()->SetPort(u"extra");
  l.CopyRule(0, K::Uplink, 1);
  EXPECT_TRUE(l.HasCopiedRule(K::Uplink));
  EXPECT_FALSE(l.HasCopiedRule(K::Downlink));
  EXPECT_FALSE(l.PasteRule(1, K::Downlink, 0));
  EXPECT_EQ(l[1]->DownLinkRules[0]->Port(), u"10");
  ASSERT_TRUE(l.PasteRule(1, K::Uplink, 0));  // overwrites
  ASSERT_TRUE(l.PasteRule(1, K::Uplink, 7));  // past the end: appended
  EXPECT_EQ(Shape(l), (V{"dev0/0/extra/00", "dev1/extra/extra/10"}));

  ASSERT_TRUE(l.InsertRule(0, K::Downlink, 0, false));
  EXPECT_FALSE(l[0]->DownLinkRules[0]->Enable());
  EXPECT_EQ(l[0]->DownLinkRules[1]->Port(), u"00");
  l.DeleteRule(0, K::Uplink, 0);
  l.DeleteRule(0, K::Uplink, 9);  // nothing there
  EXPECT_EQ(Shape(l)[0], "dev0/extra//00");

  // A full list refuses one more rule.
  TDeviceLoRaList f(1);
  for (int i = 0; i < LoRaWAN_Max_Rules; ++i) f[0]->UpLinkRules.Add();
  EXPECT_FALSE(f.InsertRule(0, K::Uplink, 0));
  f.CopyRule(0, K::Uplink, 0);
  EXPECT_FALSE(f.PasteRule(0, K::Uplink, LoRaWAN_Max_Rules));
  EXPECT_EQ(f[0]->UpLinkRules.Count(), LoRaWAN_Max_Rules);
}

TEST(LoRaWANModelTest, ClearAllResetsEveryDevice) {
  TDeviceLoRaList l(3);
  Fill(l, 3);
  l[1]->SetEnable(false);
  l[2]->SetDiagTimeOut(u"5");
  l.ClearAll();
  EXPECT_EQ(Shape(l), (V{"-", "-", "-"}));
  EXPECT_EQ(l[2]->DiagTimeOut(), u"");
}

TEST(LoRaWANModelTest, TheClipboardHoldsOneRow) {
  TDeviceLoRaList l(2);
  Fill(l, 2);
  l.CopyRule(0, K::Downlink, 0);
  l.CopyDevice(1);
  EXPECT_FALSE(l.HasCopiedRule(K::Downlink));
  EXPECT_FALSE(l.PasteRule(0, K::Downlink, 0));
  l.CopyRule(0, K::Uplink, 0);
  EXPECT_FALSE(l.HasCopiedDevice());
  EXPECT_FALSE(l.PasteDevice(0));
}
