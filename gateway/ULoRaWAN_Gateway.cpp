#include "gateway/ULoRaWAN_Gateway.h"

#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/SysUtils.h"
#include "platform/XMLDoc.h"
#include "shell/UBuiltinTexts.h"
#include "shell/UFormKit.h"

const String LoRaWAN_Act_ABP = u"Activation by Personalization [ABP]";
const String LoRaWAN_Act_OTAA = u"Over-the-Air Activation [OTAA]";

// ---------------------------------------------------------------------------------------------
// Rules

void TRuleLoRa::Assign(const TRuleLoRa& o) {
  if (this == &o) return;
  FEnable = o.FEnable;
  FPort = o.FPort;
  FStartTest = o.FStartTest;
  FLenTest = o.FLenTest;
  FHexTest = o.FHexTest;
  FValueTest = o.FValueTest;
  FStartBit = o.FStartBit;
  FNumBits = o.FNumBits;
  FOnChange = o.FOnChange;
  FOnCMD = o.FOnCMD;
  FOnTimer = o.FOnTimer;
  FTime = o.FTime;
  FPosBit = o.FPosBit;
  FMnemonic = o.FMnemonic;
}

bool TRuleLoRa::operator==(const TRuleLoRa& o) const {
  return FEnable == o.FEnable && FPort == o.FPort && FStartTest == o.FStartTest && FLenTest == o.FLenTest &&
         FHexTest == o.FHexTest && FValueTest == o.FValueTest && FStartBit == o.FStartBit &&
         FNumBits == o.FNumBits && FOnChange == o.FOnChange && FOnCMD == o.FOnCMD && FOnTimer == o.FOnTimer &&
         FTime == o.FTime && FPosBit == o.FPosBit && FMnemonic == o.FMnemonic;
}

namespace {
[[noreturn]] void IndexError(int Index) {
  throw EListError(u"List index out of bounds (" + IntToStr(Index) + u")");
}
}  // namespace

TRuleLoRa* TRuleLoRaList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[Index].get();
}

TRuleLoRa* TRuleLoRaList::Add() { return Insert(Count()); }

TRuleLoRa* TRuleLoRaList::Insert(int Index) {
  if (Index < 0 || Index > Count()) IndexError(Index);
  auto it = FItems.insert(FItems.begin() + Index, std::make_unique<TRuleLoRa>());
  return it->get();
}

void TRuleLoRaList::Delete(int Index) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  FItems.erase(FItems.begin() + Index);
}

void TRuleLoRaList::Clear() { FItems.clear(); }

void TRuleLoRaList::Assign(const TRuleLoRaList& Source) {
  std::vector<std::unique_ptr<TRuleLoRa>> copy;
  copy.reserve(Source.FItems.size());
  for (const auto& r : Source.FItems) copy.push_back(std::make_unique<TRuleLoRa>(*r));
  FItems = std::move(copy);
}

bool TRuleLoRaList::operator==(const TRuleLoRaList& o) const {
  if (Count() != o.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (!(*FItems[i] == *o.FItems[i])) return false;
  return true;
}

// ---------------------------------------------------------------------------------------------
// Devices

void TDeviceLoRa::Clear() {
  FEnable = true;
  for (int i = 0; i < 12; ++i) SetField(i, String());
  UpLinkRules.Clear();
  DownLinkRules.Clear();
}

void TDeviceLoRa::Assign(const TDeviceLoRa& Source) {
  if (this == &Source) return;
  FEnable = Source.FEnable;
  for (int i = 0; i < 12; ++i) SetField(i, Source.Field(i));
  UpLinkRules.Assign(Source.UpLinkRules);
  DownLinkRules.Assign(Source.DownLinkRules);
}

String TDeviceLoRa::Field(int Index) const {
  switch (Index) {
    case 0: return FDeviceEUI;
    case 1: return FJoinEUI;
    case 2: return FDeviceName;
    case 3: return FActMethod;
    case 4: return FNetSessKey;
    case 5: return FAppSessKey;
    case 6: return FAppKey;
    case 7: return FDevAdd;
    case 8: return FClassLoRa;
    case 9: return FDiagTimeOut;
    case 10: return FRX2Datarate;
    case 11: return FMnemonic;
    default: IndexError(Index);
  }
}

void TDeviceLoRa::SetField(int Index, const String& v) {
  switch (Index) {
    case 0: FDeviceEUI = v; break;
    case 1: FJoinEUI = v; break;
    case 2: FDeviceName = v; break;
    case 3: FActMethod = v; break;
    case 4: FNetSessKey = v; break;
    case 5: FAppSessKey = v; break;
    case 6: FAppKey = v; break;
    case 7: FDevAdd = v; break;
    case 8: FClassLoRa = v; break;
    case 9: FDiagTimeOut = v; break;
    case 10: FRX2Datarate = v; break;
    case 11: FMnemonic = v; break;
    default: IndexError(Index);
  }
}

bool TDeviceLoRa::operator==(const TDeviceLoRa& o) const {
  if (FEnable != o.FEnable) return false;
  for (int i = 0; i < 12; ++i)
    if (Field(i) != o.Field(i)) return false;
  return UpLinkRules == o.UpLinkRules && DownLinkRules == o.DownLinkRules;
}

// ---------------------------------------------------------------------------------------------
// Device list

TDeviceLoRaList::TDeviceLoRaList(int Count) {
  FItems.reserve(Count > 0 ? Count : 0);
  for (int i = 0; i < Count; ++i) FItems.push_back(std::make_unique<TDeviceLoRa>());
}

TDeviceLoRa* TDeviceLoRaList::Items(int Index) const {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  return FItems[Index].get();
}

void TDeviceLoRaList::ClearAll() {
  for (auto& d : FItems) d->Clear();
}

bool TDeviceLoRaList::InsertDevice(int Index, bool Enable) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  if (!Trim(FItems.back()->DeviceEUI()).empty()) return false;
  FItems.pop_back();
  auto fresh = std::make_unique<TDeviceLoRa>();
  fresh->SetEnable(Enable);
  FItems.insert(FItems.begin() + Index, std::move(fresh));
  return true;
}

void TDeviceLoRaList::DeleteDevice(int Index, bool Enable) {
  if (Index < 0 || Index >= Count()) IndexError(Index);
  FItems.erase(FItems.begin() + Index);
  auto fresh = std::make_unique<TDeviceLoRa>();
  fresh->SetEnable(Enable);
  FItems.push_back(std::move(fresh));
}

void TDeviceLoRaList::CopyDevice(int Index) {
  auto copy = std::make_unique<TDeviceLoRa>();
  copy->Assign(*Items(Index));
  FDeviceClip = std::move(copy);
  FRuleClip.reset();  // one row on the clipboard at a time
}

bool TDeviceLoRaList::PasteDevice(int Index) {
  TDeviceLoRa* target = Items(Index);
  if (!FDeviceClip) return false;
  target->Assign(*FDeviceClip);
  return true;
}

TRuleLoRaList& TDeviceLoRaList::Rules(TDeviceLoRa& Device, TLoRaRuleKind Kind) {
  return Kind == TLoRaRuleKind::Uplink ? Device.UpLinkRules : Device.DownLinkRules;
}

bool TDeviceLoRaList::InsertRule(int Device, TLoRaRuleKind Kind, int Index, bool Enable) {
  TRuleLoRaList& rules = Rules(*Items(Device), Kind);
  if (Index < 0) IndexError(Index);
  if (rules.Count() >= LoRaWAN_Max_Rules) return false;
  TRuleLoRa* r = rules.Insert(Index > rules.Count() ? rules.Count() : Index);
  r->SetEnable(Enable);
  return true;
}

void TDeviceLoRaList::DeleteRule(int Device, TLoRaRuleKind Kind, int Index) {
  TRuleLoRaList& rules = Rules(*Items(Device), Kind);
  if (Index < 0) IndexError(Index);
  if (Index < rules.Count()) rules.Delete(Index);
}

void TDeviceLoRaList::CopyRule(int Device, TLoRaRuleKind Kind, int Index) {
  const TRuleLoRaList& rules = Rules(*Items(Device), Kind);
  FRuleClip = std::make_unique<TRuleLoRa>(*rules.Items(Index));
  FRuleClipKind = Kind;
  FDeviceClip.reset();
}

bool TDeviceLoRaList::HasCopiedRule(TLoRaRuleKind Kind) const { return FRuleClip && FRuleClipKind == Kind; }

bool TDeviceLoRaList::PasteRule(int Device, TLoRaRuleKind Kind, int Index) {
  TRuleLoRaList& rules = Rules(*Items(Device), Kind);
  if (Index < 0) IndexError(Index);
  if (!HasCopiedRule(Kind)) return false;
  if (Index < rules.Count()) {
    *rules.Items(Index) = *FRuleClip;
    return true;
  }
  if (rules.Count() >= LoRaWAN_Max_Rules) return false;
  *rules.Add() = *FRuleClip;
  return true;
}

// ---------------------------------------------------------------------------------------------
// File layout

const std::vector<String>& LoRaWAN_Device_Attributes() {
  static const std::vector<String> names = {
      u"Enable",         u"DeviceEUI",     u"JoinEUI",      u"DeviceName",
      u"ActivationMethod", u"NetworkSessionKey", u"ApplicationSessionKey", u"ApplicationKey",
      u"DeviceAddress",  u"Class",         u"DiagTimeOut",  u"RX2_Datarate",
      u"Mnemonic"};
  return names;
}

const std::vector<String>& LoRaWAN_UpLink_Attributes() {
  static const std::vector<String> names = {u"Enable",    u"Port",     u"StartTest",  u"LenTest",
                                            u"HexTest",   u"ValueTest", u"StartBit",  u"NumberBits",
                                            u"PositionBit", u"Mnemonic"};
  return names;
}

const std::vector<String>& LoRaWAN_DownLink_Attributes() {
  static const std::vector<String> names = {u"Enable",  u"Port",      u"StartBit", u"NumberBits",
                                            u"OnChange", u"OnCommand", u"OnTimer", u"Time",
                                            u"PositionBit", u"Mnemonic"};
  return names;
}

namespace {

const String kRoot = u"LoRaWAN_Gateway";
const String kDevices = u"LoRaWAN_Devices_List";
const String kDevice = u"LoRaWAN_Device";
const String kRules = u"LoRaWAN_Rules";
const String kUp = u"LoRaWAN_UpLink_Rules";
const String kDown = u"LoRaWAN_DownLink_Rules";
const String kRule = u"Rule";

String YN(bool b) { return b ? u"Y" : u"N"; }
bool FlagY(const String& v) { return UpperCase(Trim(v)) == u"Y"; }

void WriteUpRule(TXMLNode Parent, const TRuleLoRa& r) {
  TXMLNode e = Parent.AddChild(kRule);
  e.SetAttribute(u"Enable", YN(r.Enable()));
  e.SetAttribute(u"Port", r.Port());
  e.SetAttribute(u"StartTest", r.StartTest());
  e.SetAttribute(u"LenTest", r.LenTest());
  e.SetAttribute(u"HexTest", YN(r.HexTest()));
  e.SetAttribute(u"ValueTest", r.ValueTest());
  e.SetAttribute(u"StartBit", r.StartBit());
  e.SetAttribute(u"NumberBits", r.NumBits());
  e.SetAttribute(u"PositionBit", r.PosBit());
  e.SetAttribute(u"Mnemonic", r.Mnemonic());
}

void WriteDownRule(TXMLNode Parent, const TRuleLoRa& r) {
  TXMLNode e = Parent.AddChild(kRule);
  e.SetAttribute(u"Enable", YN(r.Enable()));
  e.SetAttribute(u"Port", r.Port());
  e.SetAttribute(u"StartBit", r.StartBit());
  e.SetAttribute(u"NumberBits", r.NumBits());
  e.SetAttribute(u"OnChange", YN(r.OnChange()));
  e.SetAttribute(u"OnCommand", YN(r.OnCMD()));
  e.SetAttribute(u"OnTimer", YN(r.OnTimer()));
  e.SetAttribute(u"Time", r.Time());
  e.SetAttribute(u"PositionBit", r.PosBit());
  e.SetAttribute(u"Mnemonic", r.Mnemonic());
}

TXMLNode LoadLoRaWANRoot(TXMLDocument& Doc, const String& Path) {
  try {
    Doc.LoadFromFile(Path);
  } catch (const Exception& e) {
    throw ETableFileMalformed(Path, e.Message());
  }
  // Found by name: another element may stand before it at document level.
  for (TXMLNode n = Doc.ChildNodes().First(); n; n = n.NextSibling())
    if (n.NodeType() == ntElement && n.NodeName() == kRoot) return n;
  throw ETableFileMissingSection(Path, kRoot);
}

TXMLNode Child(const TXMLNode& Parent, const String& Name, const String& Path) {
  TXMLNode n = Parent.ChildNodes().FindNode(Name);
  if (!n) throw ETableFileMissingSection(Path, Name);
  return n;
}

std::vector<TXMLNode> ChildElements(const TXMLNode& Parent) {
  // Walks the siblings directly: indexing the child list would make a load quadratic.
  std::vector<TXMLNode> out;
  for (TXMLNode n = Parent.ChildNodes().First(); n; n = n.NextSibling())
    if (n.NodeType() == ntElement) out.push_back(n);
  return out;
}

// Reads one attribute of a row; a required one that is missing stops the load.
class TAttrReader {
 public:
  TAttrReader(const TXMLNode& Element, const String& Path, const String& Where, int Row)
      : e_(Element), path_(Path), where_(Where), row_(Row) {}
  String Required(const String& Name) const {
    if (!e_.HasAttribute(Name)) throw ETableFileMissingAttribute(path_, where_, row_, Name);
    return e_.Attributes(Name);
  }
  String Optional(const String& Name) const { return e_.AttributeDef(Name, String()); }

 private:
  const TXMLNode& e_;
  const String& path_;
  String where_;
  int row_;
};

void ReadRules(const TXMLNode& Section, TRuleLoRaList& Rules, bool Uplink, const String& Path, const String& Where) {
  int row = 0;
  for (const TXMLNode& e : ChildElements(Section)) {
    if (row >= LoRaWAN_Max_Rules) throw ETableFileTooManyRows(Path, Where, LoRaWAN_Max_Rules);
    ++row;
    TRuleLoRa* r = Rules.Add();
    const TAttrReader a(e, Path, Where, row);
    r->SetEnable(FlagY(a.Required(u"Enable")));
    r->SetPort(a.Required(u"Port"));
    if (Uplink) {
      r->SetStartTest(a.Optional(u"StartTest"));
      r->SetLenTest(a.Optional(u"LenTest"));
      r->SetHexTest(FlagY(a.Optional(u"HexTest")));
      r->SetValueTest(a.Optional(u"ValueTest"));
      r->SetStartBit(a.Required(u"StartBit"));
      r->SetNumBits(a.Required(u"NumberBits"));
    } else {
      r->SetStartBit(a.Required(u"StartBit"));
      r->SetNumBits(a.Required(u"NumberBits"));
      r->SetOnChange(FlagY(a.Required(u"OnChange")));
      r->SetOnCMD(FlagY(a.Required(u"OnCommand")));
      r->SetOnTimer(FlagY(a.Required(u"OnTimer")));
      r->SetTime(a.Required(u"Time"));
    }
    r->SetPosBit(a.Required(u"PositionBit"));
    r->SetMnemonic(a.Required(u"Mnemonic"));
  }
}

// Fills Row from the element, reusing what Row holds from an earlier element.
void FillRow(TTableRow& Row, const TXMLNode& Element, const std::vector<String>& Names,
             std::vector<std::optional<String>>& Values) {
  Element.AttributeValues(Names, Values);
  size_t k = 0;
  for (size_t i = 0; i < Names.size(); ++i) {
    if (!Values[i]) continue;
    if (k == Row.Attrs.size()) Row.Attrs.emplace_back();
    Row.Attrs[k].first.assign(Names[i]);
    Row.Attrs[k].second = std::move(*Values[i]);
    ++k;
  }
  Row.Attrs.resize(k);
}

// The rule rows of a section into Rows, reusing the rows Rows holds.
void FillRows(TTableRows& Rows, const TXMLNode& Section, const std::vector<String>& Names,
              std::vector<std::optional<String>>& Values) {
  size_t k = 0;
  if (Section)
    for (const TXMLNode& r : ChildElements(Section)) {
      if (k == Rows.size()) Rows.emplace_back();
      FillRow(Rows[k++], r, Names, Values);
    }
  Rows.resize(k);
}

}  // namespace

std::string LoRaWAN_Gateway_Bytes(const TDeviceLoRaList& List) {
  TXMLDocument doc;
  doc.SetActive(true);
  TXMLNode root = doc.AddRoot(kRoot);
  doc.AddComment(u"SW_VERSION = 1.000");
  TXMLNode devices = root.AddChild(kDevices);
  for (int i = 0; i < List.Count(); ++i) {
    const TDeviceLoRa& d = *List.Items(i);
    if (Trim(d.DeviceEUI()).empty()) break;
    TXMLNode e = devices.AddChild(kDevice);
    e.SetAttribute(u"Enable", YN(d.Enable()));
    const std::vector<String>& names = LoRaWAN_Device_Attributes();
    for (int f = 0; f < 12; ++f) e.SetAttribute(names[f + 1], d.Field(f));
    TXMLNode rules = e.AddChild(kRules);
    TXMLNode up = rules.AddChild(kUp);
    for (int r = 0; r < d.UpLinkRules.Count(); ++r) WriteUpRule(up, *d.UpLinkRules.Items(r));
    TXMLNode down = rules.AddChild(kDown);
    for (int r = 0; r < d.DownLinkRules.Count(); ++r) WriteDownRule(down, *d.DownLinkRules.Items(r));
  }
  return doc.SaveToUtf8();
}

void Save_LoRaWAN_Gateway_File(const String& Path, const TDeviceLoRaList& List) {
  WriteFileWhole(Path, LoRaWAN_Gateway_Bytes(List));
}

bool Load_LoRaWAN_Gateway_File(const String& Path, TDeviceLoRaList& List, bool ModeMaster) {
  // Rules are appended as they are read; a list that still held rules would double them.
  List.ClearAll();
  if (!FileExists(Path)) {
    if (!ModeMaster && List.Count() > 0) List.Items(0)->SetDeviceEUI(u"0001020304050607");
    List.SetLoadState(true, 0);
    return false;
  }
  List.SetLoadState(false, 0);
  TXMLDocument doc;
  const TXMLNode root = LoadLoRaWANRoot(doc, Path);
  const TXMLNode devices = Child(root, kDevices, Path);
  int count = 0;
  for (const TXMLNode& e : ChildElements(devices)) {
    if (!ModeMaster && count >= 1) break;
    if (count >= List.Count()) throw ETableFileTooManyRows(Path, kDevices, List.Count());
    TDeviceLoRa& d = *List.Items(count);
    const int n = count + 1;
    const TAttrReader a(e, Path, kDevices, n);
    d.SetEnable(e.HasAttribute(u"Enable") && e.Attributes(u"Enable") == u"Y");
    d.SetDeviceEUI(a.Required(u"DeviceEUI"));
    d.SetJoinEUI(a.Required(u"JoinEUI"));
    d.SetDeviceName(a.Required(u"DeviceName"));
    d.SetActMethod(a.Required(u"ActivationMethod"));
    d.SetNetSessKey(a.Required(u"NetworkSessionKey"));
    d.SetAppSessKey(a.Required(u"ApplicationSessionKey"));
    d.SetAppKey(a.Required(u"ApplicationKey"));
    d.SetDevAdd(a.Required(u"DeviceAddress"));
    d.SetClassLoRa(a.Optional(u"Class"));
    d.SetDiagTimeOut(a.Optional(u"DiagTimeOut"));
    d.SetRX2Datarate(a.Optional(u"RX2_Datarate"));
    d.SetMnemonic(a.Required(u"Mnemonic"));
    const TXMLNode rules = Child(e, kRules, Path);
    const String where = u"device " + IntToStr(n);
    ReadRules(Child(rules, kUp, Path), d.UpLinkRules, true, Path, kUp + u" of " + where);
    ReadRules(Child(rules, kDown, Path), d.DownLinkRules, false, Path, kDown + u" of " + where);
    ++count;
    List.SetLoadState(false, count);
  }
  List.SetLoadState(true, count);
  return true;
}

bool For_Each_LoRaWAN_File_Device(const String& Path, const std::function<void(const TLoRaWAN_File_Device&)>& Fn) {
  if (!FileExists(Path)) return false;
  TXMLDocument doc;
  const TXMLNode root = LoadLoRaWANRoot(doc, Path);
  const TXMLNode devices = Child(root, kDevices, Path);
  std::vector<std::optional<String>> values;
  // One device object for all: its rows keep their storage from device to device.
  TLoRaWAN_File_Device d;
  for (const TXMLNode& e : ChildElements(devices)) {
    FillRow(d.Attrs, e, LoRaWAN_Device_Attributes(), values);
    const TXMLNode rules = e.ChildNodes().FindNode(kRules);
    const TXMLNode up = rules ? rules.ChildNodes().FindNode(kUp) : TXMLNode();
    const TXMLNode down = rules ? rules.ChildNodes().FindNode(kDown) : TXMLNode();
    d.MissingRulesSection.clear();
    if (!rules) d.MissingRulesSection = kRules;
    else if (!up) d.MissingRulesSection = kUp;
    else if (!down) d.MissingRulesSection = kDown;
    FillRows(d.UpLinkRules, up, LoRaWAN_UpLink_Attributes(), values);
    FillRows(d.DownLinkRules, down, LoRaWAN_DownLink_Attributes(), values);
    Fn(d);
  }
  return true;
}

bool Read_LoRaWAN_Gateway_File(const String& Path, std::vector<TLoRaWAN_File_Device>& Devices) {
  Devices.clear();
  return For_Each_LoRaWAN_File_Device(Path, [&](const TLoRaWAN_File_Device& d) { Devices.push_back(d); });
}

bool LoRaWAN_DiagTimeOut(const String& Text, uint32_t& Value) {
  int64_t v = 0;
  if (!TryCellToInt64(Text, v) || v < 0 || v > 4294967295LL) return false;
  Value = static_cast<uint32_t>(v);
  return true;
}

// ---------------------------------------------------------------------------------------------
// ParGen.xml

bool ParGenKey(const String& ParGenPath, const String& Key, String& Text) {
  if (!FileExists(ParGenPath)) return false;
  try {
    TXMLDocument doc;
    doc.LoadFromFile(ParGenPath);
    const TXMLNode root = doc.DocumentElement();
    if (!root) return false;
    const TXMLNode n = root.ChildNodes().FindNode(Key);
    if (!n) return false;
    Text = n.Text();
    return true;
  } catch (const Exception&) {
    return false;
  }
}

bool Is_a_Master(const String& ParGenPath) {
  String mode;
  if (!ParGenKey(ParGenPath, u"LoRaWAN_Mode", mode)) return true;
  return UpperCase(mode) != u"END NODE";
}

std::vector<String> LoRaWAN_RX2_Datarates(const String& ParGenPath) {
  String band;
  if (ParGenKey(ParGenPath, u"LoRaWAN_RF_Band", band) && band == u"US915")
    return {u"SF12BW500", u"SF11BW500", u"SF10BW500", u"SF9BW500", u"SF8BW500", u"SF7BW500", u""};
  return {u"SF12BW125", u"SF11BW125", u"SF10BW125", u"SF9BW125", u"SF8BW125", u"SF7BW125", u"SF7BW250", u""};
}

// ---------------------------------------------------------------------------------------------
// Checks

int CheckStringHex(const String& Str, int NumChar) {
  const String s = UpperCase(Trim(Str));
  if (static_cast<int>(s.size()) != NumChar) return 1;
  for (Char c : s)
    if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'))) return 2;
  return 0;
}

namespace {

constexpr int Memory_Size = 1536;  // bytes of the exchange memory the rules address

// Never empty, so a failing test can never read as a pass: a text emptied by a language file
// falls back to the built-in one.
String Msg(int Index, std::initializer_list<int64_t> Values) {
  String text = UI_Text(Index);
  if (Trim(text).empty() && Index < static_cast<int>(Builtin_Texts().size())) text = Builtin_Texts()[Index];
  if (Trim(text).empty()) text = u"Error Device %d!!";
  return FormatLiteralD(text, Values);
}

// The check's number reading: anything that does not convert counts as -1.
int32_t Num(const String& s) { return CellToInt(s, -1); }

String CheckHex(const String& Value, int Digits, int LengthText, int CharText, int n) {
  const int r = CheckStringHex(Value, Digits);
  if (r == 1) return Msg(LengthText, {n});
  if (r == 2) return Msg(CharText, {n});
  return String();
}

String CheckUplink(const TRuleLoRa& r, int n, int k) {
  const int32_t port = Num(r.Port());
  if (port < 0 || port > 65535) return Msg(5498, {n, k});
  if (!Trim(r.StartTest()).empty()) {
    if (Num(r.StartTest()) < 0) return Msg(5499, {n, k});
    const int32_t len = Num(r.LenTest());
    if (len < 0) return Msg(5500, {n, k});
    if (r.HexTest()) {
      const int64_t digits = 2 * static_cast<int64_t>(len);
      const int h = digits > INT32_MAX ? 1 : CheckStringHex(r.ValueTest(), static_cast<int>(digits));
      if (h == 1) return Msg(5501, {n, k, len, digits});
      if (h == 2) return Msg(5502, {n, k});
    } else if (static_cast<int64_t>(r.ValueTest().size()) != len) {
      return Msg(5503, {n, k, len});
    }
  }
  const int32_t start = Num(r.StartBit());
  if (start < 0 || start > 500) return Msg(5504, {n, k});
  const int32_t bytes = Num(r.NumBits());
  if (bytes < 1 || bytes > Memory_Size) return Msg(5505, {n, k, Memory_Size});
  const int32_t pos = Num(r.PosBit());
  if (pos < 0 || pos > Memory_Size - 1) return Msg(5506, {n, k, Memory_Size - 1});
  if (pos + bytes > Memory_Size) return Msg(5507, {n, k, Memory_Size});
  return String();
}

String CheckDownlink(const TRuleLoRa& r, int n, int k) {
  const int32_t port = Num(r.Port());
  if (port < 0 || port > 65535) return Msg(5508, {n, k});
  const int32_t start = Num(r.StartBit());
  if (start < 0 || start > 500) return Msg(5509, {n, k});
  const int32_t bytes = Num(r.NumBits());
  if (bytes < 1 || bytes > Memory_Size) return Msg(5510, {n, k, Memory_Size});
  if (r.OnTimer()) {
    const int32_t time = Num(r.Time());
    if (time < 0 || time > 100000000) return Msg(5511, {n, k});
  }
  const int32_t pos = Num(r.PosBit());
  if (pos < 0 || pos > Memory_Size - 1) return Msg(5512, {n, k, Memory_Size - 1});
  if (pos + bytes > Memory_Size) return Msg(5513, {n, k, Memory_Size});
  return String();
}

String CheckRules(const TDeviceLoRa& d, int n) {
  String e;
  for (int k = 0; k < d.UpLinkRules.Count(); ++k) {
    const TRuleLoRa& r = *d.UpLinkRules.Items(k);
    if (!r.Enable()) continue;
    e = CheckUplink(r, n, k + 1);
    if (!e.empty()) return e;
  }
  for (int k = 0; k < d.DownLinkRules.Count(); ++k) {
    const TRuleLoRa& r = *d.DownLinkRules.Items(k);
    if (!r.Enable()) continue;
    e = CheckDownlink(r, n, k + 1);
    if (!e.empty()) return e;
  }
  return String();
}

String CheckDevice(const TDeviceLoRa& d, int n) {
  String e = CheckHex(d.DeviceEUI(), 16, 5485, 5486, n);
  if (e.empty()) e = CheckHex(d.JoinEUI(), 16, 5487, 5488, n);
  if (!e.empty()) return e;
  if (Trim(d.ActMethod()).empty()) return Msg(5489, {n});
  if (d.ActMethod() == LoRaWAN_Act_ABP) {
    e = CheckHex(d.NetSessKey(), 32, 5490, 5491, n);
    if (e.empty()) e = CheckHex(d.AppSessKey(), 32, 5492, 5493, n);
  } else {
    e = CheckHex(d.AppKey(), 32, 5494, 5495, n);
  }
  if (e.empty()) e = CheckHex(d.DevAdd(), 8, 5496, 5514, n);
  if (!e.empty()) return e;
  uint32_t timeout = 0;
  if (!LoRaWAN_DiagTimeOut(d.DiagTimeOut(), timeout)) return Msg(5497, {n});
  return CheckRules(d, n);
}

}  // namespace

bool Check_LoRaWAN_Rules(const TDeviceLoRa& Device, int Number, String& Message) {
  Message = CheckRules(Device, Number);
  return Message.empty();
}

bool Check_LoRaWAN_Data(const TDeviceLoRaList& List, String& Message) {
  Message.clear();
  for (int i = 0; i < List.Count(); ++i) {
    const TDeviceLoRa& d = *List.Items(i);
    if (Trim(d.DeviceEUI()).empty()) continue;
    Message = CheckDevice(d, i + 1);
    if (!Message.empty()) return false;
  }
  return true;
}

bool Check_Data(const TDeviceLoRaList& List) {
  String message;
  if (Check_LoRaWAN_Data(List, message)) return true;
  MessageDlg(message, mtError, TMsgDlgButtons{mbOK});
  return false;
}
