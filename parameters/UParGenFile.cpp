// ParGen.xml (load on show, save on OK) and the checks that OK runs first.
#include "parameters/UParGen.h"

#include <cstdint>

#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"
#include "shell/UUnreadFile.h"

namespace {

// A decimal Integer as the class library reads one: optional spaces before, optional sign,
// digits, nothing after, within 32 bits. Hexadecimal forms of its converter are refused.
bool Try_Decimal(const String& Text, int64_t& Value) {
  size_t i = 0;
  while (i < Text.size() && Text[i] == u' ') ++i;
  bool neg = false;
  if (i < Text.size() && (Text[i] == u'+' || Text[i] == u'-')) {
    neg = Text[i] == u'-';
    ++i;
  }
  if (i >= Text.size()) return false;
  int64_t v = 0;
  for (; i < Text.size(); ++i) {
    const Char c = Text[i];
    if (c < u'0' || c > u'9') return false;
    v = v * 10 + (c - u'0');
    if (v > int64_t(INT32_MAX) + 1) return false;
  }
  if (!neg && v > INT32_MAX) return false;
  Value = neg ? -v : v;
  return true;
}

// A check routine's number: the text as a decimal integer, -1 when it is none.
int64_t Number_Of(const String& Text) {
  int64_t v = 0;
  return Try_Decimal(Text, v) ? v : -1;
}

int Index_Of_Item(TComboBox* cb, const String& Text) {
  for (int i = 0; i < cb->Items()->Count(); ++i) {
    if (SameText(cb->Items()->Strings(i), Text)) return i;
  }
  return -1;
}

}  // namespace

// ---- loading ----
void TFParGen::Apply_Element(const TParElementDef& E, const String* Value) {
  switch (E.Kind) {
    case pskIndex: {
      TComboBox* cb = Combo(E.Control);
      int64_t v = 0;
      if (!Value || !Try_Decimal(*Value, v)) v = Number_Of(E.Default);
      cb->SetItemIndex(v >= 0 && v < cb->Items()->Count() ? static_cast<int>(v) : -1);
      break;
    }
    case pskItem: {
      TComboBox* cb = Combo(E.Control);
      if (Value) {
        cb->SetItemIndex(Index_Of_Item(cb, *Value));
      } else {
        const int64_t d = Number_Of(E.Default);
        cb->SetItemIndex(d < cb->Items()->Count() ? static_cast<int>(d) : -1);
      }
      break;
    }
    case pskFlag:
      Check(E.Control)->SetChecked(Value ? *Value == u"1" : E.Default == u"1");
      break;
    case pskNumberFlag: {
      int64_t v = 0;
      const String& text = Value ? *Value : E.Default;
      Check(E.Control)->SetChecked(Try_Decimal(text, v) && v == 1);
      break;
    }
    case pskText:
      Edit(E.Control)->SetText(Value ? *Value : E.Default);
      break;
    case pskSNMPName: {
      TComboBox* cb = Combo(E.Control);
      int pos = static_cast<int>(Number_Of(E.Default));
      if (Value) {
        const String key = UpperCase(Trim(*Value));
        if (E.Control == u"CB_SNMP_Agent_SecurityLevel") pos = SNMP_Level_From_Text(key);
        else if (E.Control == u"CB_SNMP_Agent_AuthorityMode") pos = SNMP_Auth_From_Text(key);
        else pos = SNMP_Priv_From_Text(key);
      }
      cb->SetItemIndex(pos);
      break;
    }
    case pskShownText: {
      TComboBox* cb = Combo(E.Control);
      cb->SetItemIndex(-1);
      if (Value) cb->SetText(*Value);
      break;
    }
    case pskConstant:
      break;
  }
  // The mode is fixed whatever the file holds.
  if (E.Control == u"CB_LoRaWAN_Mode") CB_LoRaWAN_Mode->SetItemIndex(0);
  // The data-rate values that follow are looked up in the lists of the band just read.
  if (E.Control == u"CB_LoRaWAN_RF_Band") Change_LoRaWAN_DataRate();
}

void TFParGen::Load_Defaults() {
  for (const TParElementDef& e : ParGen_Element_Table()) Apply_Element(e, nullptr);
}

void TFParGen::Load_ParGen(const String& Path) {
  ParGen_Unread = false;
  if (!FileExists(Path)) {
    XML1->Clear();
    Load_Defaults();
    return;
  }
  try {
    XML1->LoadFromFile(Path);
  } catch (...) {
    // A file that cannot be read must not leave the previous configuration's values in the
    // controls, where OK would write them into this one.
    Load_Defaults();
    ParGen_Unread = true;
    throw;
  }
  const TXMLNode root = XML1->DocumentElement();
  for (const TParElementDef& e : ParGen_Element_Table()) {
    String value;
    bool found = false;
    if (root) {
      try {
        const TXMLNode node = root.ChildNodes().FindNode(e.Element);
        if (node) {
          value = node.Text();  // raises when the element holds elements instead of text
          found = true;
        }
      } catch (const EXMLDocError&) {
        found = false;
      }
    }
    Apply_Element(e, found ? &value : nullptr);
  }
}

void TFParGen::FormShow(TObject*) {
  bool failed = false;
  try {
    Load_ParGen(Path_ParGen);
  } catch (const std::exception& E) {
    failed = true;
    Is_Change = false;
    Move_GroupBoxs();
    Application->ShowException(E);
  }
  if (failed) return;
  Is_Change = false;
  Move_GroupBoxs();
}

// ---- saving ----
String TFParGen::Element_Value(const TParElementDef& E) const {
  switch (E.Kind) {
    case pskIndex:
      return IntToStr(Combo(E.Control)->ItemIndex());
    case pskItem:
    case pskSNMPName:
    case pskShownText:
      return Combo(E.Control)->Text();
    case pskFlag:
    case pskNumberFlag:
      return Check(E.Control)->Checked() ? u"1" : u"0";
    case pskText:
      return Edit(E.Control)->Text();
    case pskConstant:
      return E.Default;
  }
  return String();
}

bool TFParGen::May_Save_ParGen() {
  return !ParGen_Unread || Confirm_Overwrite_Unread_File(Path_ParGen);
}

void TFParGen::Save_ParGen(const String& Path) {
  XML1->Clear();
  TXMLNode root = XML1->AddRoot(u"Par_Gen");
  XML1->AddComment(u"SW_VERSION = 1.000");
  for (const TParElementDef& e : ParGen_Element_Table()) root.AddChild(e.Element).SetText(Element_Value(e));
  XML1->SaveToFile(Path);
  ParGen_Unread = false;
}

// ---- checks ----
void TFParGen::Error_Box(int Index) { MessageDlg(UI_Text(Index), mtError, TMsgDlgButtons{mbOK}); }

bool TFParGen::Octets_In_Range(const String& Prefix, int FirstMessage) {
  int message = FirstMessage;
  for (const String& n : Octet_Names(Prefix)) {
    const int64_t v = Number_Of(Edit(n)->Text());
    if (v < 0 || v > 255) {
      Error_Box(message);
      return false;
    }
    ++message;
  }
  return true;
}

bool TFParGen::Controllo_Dati() {
  auto number = [this](const char16_t* name, int64_t lo, int64_t hi, int message) {
    TEdit* e = Edit(name);
    if (!e->Visible()) return true;
    const int64_t v = Number_Of(e->Text());
    if (v < lo || v > hi) {
      Error_Box(message);
      return false;
    }
    return true;
  };
  auto present = [this](TComboBox* cb, bool always, int message) {
    if (!always && !cb->Visible()) return true;
    if (Trim(cb->Text()).empty()) {
      Error_Box(message);
      return false;
    }
    return true;
  };
  auto length = [this](const char16_t* name, int min, int max, int message) {
    TEdit* e = Edit(name);
    if (!e->Visible()) return true;
    const int n = static_cast<int>(e->Text().size());
    if (n < min || n > max) {
      Error_Box(message);
      return false;
    }
    return true;
  };

  if (CB_EthConn_Enable_DNS->Checked()) {
    if (!Octets_In_Range(u"E_EthConn_Pri_DNS_IP", 1051)) return false;
    if (!Octets_In_Range(u"E_EthConn_Sec_DNS_IP", 1055)) return false;
  }
  if (!present(CB_LoRaWAN_RF_Band, true, 1396)) return false;
  if (!number(u"E_LoRaWAN_Server_Port_Up", 0, 65535, 1343)) return false;
  if (!number(u"E_LoRaWAN_Server_Port_Down", 0, 65535, 1344)) return false;
  if (!number(u"E_LoRaWAN_KeepAlive_Interval", 0, 10000000, 1345)) return false;
  if (!present(Combo(u"CB_LoRaWAN_Network_Type"), false, 1397)) return false;
  {
    TEdit* e = Edit(u"E_LoRaWAN_Diag_Pos");
    const int64_t v = Number_Of(e->Text());
    if (e->Visible() && (v < 0 || v > Par_Diag_Pos_Max)) {
      MessageDlg(FormatLiteralD(UI_Text(1408), {Par_Diag_Pos_Max}), mtError, TMsgDlgButtons{mbOK});
      return false;
    }
  }
  if (!present(CB_LoRaWAN_DataRate, false, 1398)) return false;
  if (!present(Combo(u"CB_LoRaWAN_Transmission_Type"), false, 1399)) return false;
  if (!length(u"E_LoRaWAN_Join_EUI", 16, INT32_MAX, 1400)) return false;
  if (!present(CB_LoRaWAN_Activation_Method, false, 1401)) return false;
  if (!length(u"E_LoRaWAN_Device_Address", 8, 8, 1402)) return false;
  if (!length(u"E_LoRaWAN_Network_Session_Key", 32, 32, 1403)) return false;
  if (!length(u"E_LoRaWAN_Application_Session_Key", 32, 32, 1404)) return false;
  if (!length(u"E_LoRaWAN_Application_Key", 32, 32, 1405)) return false;

  if (CB_WiFi2_Type->ItemIndex() == 0) {
    if (!Octets_In_Range(u"E_WiFi2_IP1_IP", 1184)) return false;
    if (!Octets_In_Range(u"E_WiFi2_IP1_SM", 1188)) return false;
    if (CB_WiFi2_IP1_En_GAT->Checked() && !Octets_In_Range(u"E_WiFi2_IP1_GAT", 1192)) return false;
    if (CB_WiFi2_En_DHCP->Checked()) {
      if (!Octets_In_Range(u"E_WiFi2_DHCP_First_IP", 1196)) return false;
      if (!Octets_In_Range(u"E_WiFi2_DHCP_SM", 1200)) return false;
      const int64_t lease = Number_Of(Edit(u"E_WiFi2_Lease_Time")->Text());
      if (lease < 1 || lease > 99999999) {
        Error_Box(1204);
        return false;
      }
    }
  } else {
    TEdit* first1 = Edit(u"E_WiFi2_IP1_IP1");
    if (first1->Visible() && first1->Enabled()) {
      if (!Octets_In_Range(u"E_WiFi2_IP1_IP", 1205)) return false;
      if (!Octets_In_Range(u"E_WiFi2_IP1_SM", 1209)) return false;
      if (CB_WiFi2_IP1_En_GAT->Checked() && !Octets_In_Range(u"E_WiFi2_IP1_GAT", 1213)) return false;
    }
    TEdit* first2 = Edit(u"E_WiFi2_IP2_IP1");
    if (first2->Visible() && first2->Enabled()) {
      if (!Octets_In_Range(u"E_WiFi2_IP2_IP", 1217)) return false;
      if (!Octets_In_Range(u"E_WiFi2_IP2_SM", 1221)) return false;
      if (CB_WiFi2_IP2_En_GAT->Checked() && !Octets_In_Range(u"E_WiFi2_IP2_GAT", 1225)) return false;
    }
  }

  if (!Octets_In_Range(u"E_SNMP_Agent_IP", 1284)) return false;
  if (!Octets_In_Range(u"E_SNMP_Agent_SM", 1288)) return false;
  if (CB_SNMP_Agent_GAT->Checked() && !Octets_In_Range(u"E_SNMP_Agent_GAT", 1292)) return false;
  return true;
}
