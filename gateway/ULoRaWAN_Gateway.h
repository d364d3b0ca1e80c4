#pragma once
// The LoRaWAN end devices of a configuration with their uplink and downlink rules: the model
// behind the "LoRaWAN Access" step, its file LoRaWAN_Gateway.xml and its check routine.
//
// LoRaWAN_Gateway.xml: root LoRaWAN_Gateway (found by name), the comment "SW_VERSION = 1.000"
// after it, LoRaWAN_Devices_List holding one LoRaWAN_Device per device; inside each device
// LoRaWAN_Rules with LoRaWAN_UpLink_Rules and LoRaWAN_DownLink_Rules, one Rule per rule.
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "gateway/TableFile.h"
#include "platform/Classes.h"
#include "platform/UString.h"

constexpr int LoRaWAN_Max_Devices = 1000;  // data rows of the device grid
constexpr int LoRaWAN_Max_Rules = 1024;    // data rows of each rule grid

// Items of the activation-method list, in order.
extern const String LoRaWAN_Act_ABP;   // "Activation by Personalization [ABP]"
extern const String LoRaWAN_Act_OTAA;  // "Over-the-Air Activation [OTAA]"

// ---------------------------------------------------------------------------------------------
// One rule; uplink and downlink rules share the class. Every value is the text as typed.
class TRuleLoRa : public TObject {
 public:
  TRuleLoRa() = default;
  TRuleLoRa(const TRuleLoRa& Source) : TObject() { Assign(Source); }
  TRuleLoRa& operator=(const TRuleLoRa& Source) {
    Assign(Source);
    return *this;
  }
  void Assign(const TRuleLoRa& Source);  // every field
  String ClassName() const override { return u"TRuleLoRa"; }

  bool Enable() const { return FEnable; }
  void SetEnable(bool v) { FEnable = v; }
  const String& Port() const { return FPort; }
  void SetPort(const String& v) { FPort = v; }
  const String& StartTest() const { return FStartTest; }
  void SetStartTest(const String& v) { FStartTest = v; }
  const String& LenTest() const { return FLenTest; }
  void SetLenTest(const String& v) { FLenTest = v; }
  bool HexTest() const { return FHexTest; }
  void SetHexTest(bool v) { FHexTest = v; }
  const String& ValueTest() const { return FValueTest; }
  void SetValueTest(const String& v) { FValueTest = v; }
  const String& StartBit() const { return FStartBit; }  // "Start Byte"
  void SetStartBit(const String& v) { FStartBit = v; }
  const String& NumBits() const { return FNumBits; }  // "Number Bytes"
  void SetNumBits(const String& v) { FNumBits = v; }
  bool OnChange() const { return FOnChange; }
  void SetOnChange(bool v) { FOnChange = v; }
  bool OnCMD() const { return FOnCMD; }
  void SetOnCMD(bool v) { FOnCMD = v; }
  bool OnTimer() const { return FOnTimer; }
  void SetOnTimer(bool v) { FOnTimer = v; }
  const String& Time() const { return FTime; }
  void SetTime(const String& v) { FTime = v; }
  const String& PosBit() const { return FPosBit; }  // "Position Byte"
  void SetPosBit(const String& v) { FPosBit = v; }
  const String& Mnemonic() const { return FMnemonic; }
  void SetMnemonic(const String& v) { FMnemonic = v; }

  bool operator==(const TRuleLoRa& o) const;

 private:
  bool FEnable = true;
  String FPort, FStartTest, FLenTest;
  bool FHexTest = false;
  String FValueTest, FStartBit, FNumBits;
  bool FOnChange = false, FOnCMD = false, FOnTimer = false;
  String FTime, FPosBit, FMnemonic;
};

// A list that owns its rules.
class TRuleLoRaList {
 public:
  TRuleLoRaList() = default;
  TRuleLoRaList(const TRuleLoRaList& o) { Assign(o); }
  TRuleLoRaList& operator=(const TRuleLoRaList& o) {
    if (this != &o) Assign(o);
    return *this;
  }

  int Count() const { return static_cast<int>(FItems.size()); }
  TRuleLoRa* Items(int Index) const;  // raises EListError out of range
  TRuleLoRa* operator[](int Index) const { return Items(Index); }
  TRuleLoRa* Add();                   // a new rule at the end
  TRuleLoRa* Insert(int Index);       // a new rule before Index (Index == Count appends)
  void Delete(int Index);             // frees the rule
  void Clear();                       // frees every rule
  void Assign(const TRuleLoRaList& Source);  // deep copy

  bool operator==(const TRuleLoRaList& o) const;

 private:
  std::vector<std::unique_ptr<TRuleLoRa>> FItems;
};

// ---------------------------------------------------------------------------------------------
// One end device; it owns its rules.
class TDeviceLoRa : public TObject {
 public:
  String ClassName() const override { return u"TDeviceLoRa"; }

  bool Enable() const { return FEnable; }
  void SetEnable(bool v) { FEnable = v; }
  const String& DeviceEUI() const { return FDeviceEUI; }
  void SetDeviceEUI(const String& v) { FDeviceEUI = v; }
  const String& JoinEUI() const { return FJoinEUI; }
  void SetJoinEUI(const String& v) { FJoinEUI = v; }
  const String& DeviceName() const { return FDeviceName; }
  void SetDeviceName(const String& v) { FDeviceName = v; }
  const String& ActMethod() const { return FActMethod; }
  void SetActMethod(const String& v) { FActMethod = v; }
  const String& NetSessKey() const { return FNetSessKey; }
  void SetNetSessKey(const String& v) { FNetSessKey = v; }
  const String& AppSessKey() const { return FAppSessKey; }
  void SetAppSessKey(const String& v) { FAppSessKey = v; }
  const String& AppKey() const { return FAppKey; }
  void SetAppKey(const String& v) { FAppKey = v; }
  const String& DevAdd() const { return FDevAdd; }
  void SetDevAdd(const String& v) { FDevAdd = v; }
  const String& ClassLoRa() const { return FClassLoRa; }
  void SetClassLoRa(const String& v) { FClassLoRa = v; }
  const String& DiagTimeOut() const { return FDiagTimeOut; }
  void SetDiagTimeOut(const String& v) { FDiagTimeOut = v; }
  const String& RX2Datarate() const { return FRX2Datarate; }
  void SetRX2Datarate(const String& v) { FRX2Datarate = v; }
  const String& Mnemonic() const { return FMnemonic; }
  void SetMnemonic(const String& v) { FMnemonic = v; }

  TRuleLoRaList UpLinkRules;
  TRuleLoRaList DownLinkRules;

  // Back to the state at creation: enabled, every text empty, no rules.
  void Clear();
  // Fields and both rule lists copied.
  void Assign(const TDeviceLoRa& Source);
  // The text fields 2..13 of the device grid, in column order (DeviceEUI .. Mnemonic).
  String Field(int Index) const;  // Index 0..11
  void SetField(int Index, const String& v);

  bool operator==(const TDeviceLoRa& o) const;

 private:
  bool FEnable = true;
  String FDeviceEUI, FJoinEUI, FDeviceName, FActMethod, FNetSessKey, FAppSessKey, FAppKey, FDevAdd, FClassLoRa,
      FDiagTimeOut, FRX2Datarate, FMnemonic;
};

// ---------------------------------------------------------------------------------------------
// The form's DeviceList: one device per device-grid data row (entry i is row i + 1). Row
// operations move whole devices, so each device's rules always travel with it.
enum class TLoRaRuleKind { Uplink, Downlink };

class TDeviceLoRaList {
 public:
  explicit TDeviceLoRaList(int Count = LoRaWAN_Max_Devices);

  int Count() const { return static_cast<int>(FItems.size()); }
  TDeviceLoRa* Items(int Index) const;  // raises EListError out of range
  TDeviceLoRa* operator[](int Index) const { return Items(Index); }

  // Every device back to its state at creation (Clear_Rules_List).
  void ClearAll();

  // A fresh device (Enable as given) at Index; the devices from Index on move down one entry
  // with their rules. Refused (false, nothing changed) when the last entry holds a device
  // (non-blank DeviceEUI), which would otherwise be lost.
  bool InsertDevice(int Index, bool Enable = true);
  // Removes the device at Index with its rules; the later devices move up one entry and the
  // freed last entry is a fresh device with Enable as given.
  void DeleteDevice(int Index, bool Enable = true);

  // The clipboard holds one row: a device with its rules, or one rule of a kind. A copy
  // replaces whatever was copied before.
  void CopyDevice(int Index);
  bool HasCopiedDevice() const { return FDeviceClip != nullptr; }
  // Overwrites the device at Index (fields and rules) with the copied one; false when nothing
  // was copied.
  bool PasteDevice(int Index);

  // Rule operations on the rule list of one device. Insert refuses (false) when the list is
  // full; an index past the end of the list appends.
  bool InsertRule(int Device, TLoRaRuleKind Kind, int Index, bool Enable = true);
  void DeleteRule(int Device, TLoRaRuleKind Kind, int Index);  // no-op past the end
  void CopyRule(int Device, TLoRaRuleKind Kind, int Index);
  // True when a rule of this kind was copied (an uplink rule never pastes into downlink rules).
  bool HasCopiedRule(TLoRaRuleKind Kind) const;
  // Overwrites rule Index (or appends when Index is past the end); false when no rule of this
  // kind was copied or the list is full.
  bool PasteRule(int Device, TLoRaRuleKind Kind, int Index);

  // What the last load gave: LoadComplete is false when a load failed part-way (the entries
  // hold what was read before the failure; the form must not overwrite the file silently, but
  // ask with Confirm_Overwrite_Unread_File of shell/UUnreadFile.h).
  bool LoadComplete() const { return FLoadComplete; }
  int LoadedDevices() const { return FLoadedDevices; }
  void SetLoadState(bool Complete, int Devices) {
    FLoadComplete = Complete;
    FLoadedDevices = Devices;
  }

  static TRuleLoRaList& Rules(TDeviceLoRa& Device, TLoRaRuleKind Kind);

 private:
  std::vector<std::unique_ptr<TDeviceLoRa>> FItems;
  std::unique_ptr<TDeviceLoRa> FDeviceClip;
  std::unique_ptr<TRuleLoRa> FRuleClip;
  TLoRaRuleKind FRuleClipKind = TLoRaRuleKind::Uplink;
  bool FLoadComplete = true;
  int FLoadedDevices = 0;
};

// ---------------------------------------------------------------------------------------------
// LoRaWAN_Gateway.xml

// The document as the form writes it: devices from the first entry up to the first whose
// DeviceEUI, trimmed, is empty, every one with all its rules, enabled or not.
std::string LoRaWAN_Gateway_Bytes(const TDeviceLoRaList& List);
// Writes it whole (temporary file renamed over Path). Raises ETableFileError on failure.
void Save_LoRaWAN_Gateway_File(const String& Path, const TDeviceLoRaList& List);

// The form's reader: clears the list, then fills it from Path; in gateway mode (ModeMaster) every
// device element, in end-node mode only the first. Device Enable is true only for exactly "Y";
// rule flags are true for "Y" after trimming and upper-casing. Required attributes, the
// elements below the root and more devices or rules than the grids hold are read failures:
// ETableFileMissingSection, ETableFileMissingAttribute, ETableFileTooManyRows or
// ETableFileMalformed; the entries read before stay and List.LoadComplete() is false.
// No file: false, nothing read (end-node mode: entry 0's DeviceEUI becomes "0001020304050607").
bool Load_LoRaWAN_Gateway_File(const String& Path, TDeviceLoRaList& List, bool ModeMaster);

// The file's content without interpretation, for readers that fill no list (the image builder):
// every device element of LoRaWAN_Devices_List in document order with the attributes it has,
// and the attributes of each of its rules. Raises ETableFileMalformed or
// ETableFileMissingSection (root, devices list, rules elements); false when no file exists.
struct TLoRaWAN_File_Device {
  TTableRow Attrs;
  TTableRows UpLinkRules;
  TTableRows DownLinkRules;
  // The first of LoRaWAN_Rules / LoRaWAN_UpLink_Rules / LoRaWAN_DownLink_Rules missing under
  // this device, empty when all are there. Only a reader that uses the device's rules fails on it.
  String MissingRulesSection;
};
bool Read_LoRaWAN_Gateway_File(const String& Path, std::vector<TLoRaWAN_File_Device>& Devices);
// The same, one device at a time, without keeping the file's devices: Fn sees each device as it
// is read (one object, refilled for the next device). False when no file exists.
bool For_Each_LoRaWAN_File_Device(const String& Path, const std::function<void(const TLoRaWAN_File_Device&)>& Fn);

// Attribute names in the order written.
const std::vector<String>& LoRaWAN_Device_Attributes();
const std::vector<String>& LoRaWAN_UpLink_Attributes();
const std::vector<String>& LoRaWAN_DownLink_Attributes();

// DiagTimeOut as the unsigned 32-bit milliseconds it stands for; false when the text is not a
// number in 0..4294967295.
bool LoRaWAN_DiagTimeOut(const String& Text, uint32_t& Value);

// The text of a key of ParGen.xml; false when the file, the root or the key is missing or the
// file cannot be read.
bool ParGenKey(const String& ParGenPath, const String& Key, String& Text);

// ParGen.xml: false (end-node mode) only when its LoRaWAN_Mode, upper-cased, is "END NODE";
// a missing file or element gives true.
bool Is_a_Master(const String& ParGenPath);
// The RX2 data rates offered for a device: the US915 list when ParGen.xml's LoRaWAN_RF_Band is
// exactly "US915", else the EU868 list; each ends with an empty item.
std::vector<String> LoRaWAN_RX2_Datarates(const String& ParGenPath);

// ---------------------------------------------------------------------------------------------
// Checks

// 1 when Str, trimmed and upper-cased, does not have NumChar characters; 2 when it holds a
// character other than 0-9 and A-F; else 0.
int CheckStringHex(const String& Str, int NumChar);

// True when every device passes; else false with the message of the first failing test over
// the list's devices and enabled rules (UI 5485 to 5514, "%d" filled in order). Devices with a
// blank DeviceEUI are skipped with their rules.
bool Check_LoRaWAN_Data(const TDeviceLoRaList& List, String& Message);

// The rule tests alone for one device (Number its device number in the messages): an end node's
// identity comes from the communication parameters, not from its device entry.
bool Check_LoRaWAN_Rules(const TDeviceLoRa& Device, int Number, String& Message);

// Check_LoRaWAN_Data with the message shown in an error box (OK button): true when every
// device passes.
bool Check_Data(const TDeviceLoRaList& List);
