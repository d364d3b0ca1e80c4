#include "protocols/ethernet_it/USNMPManagerAccess.h"

#include "platform/Dialogs.h"
#include "protocols/ethernet_it/EthernetItColumns.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFSNMPManagerAccess* FSNMPManagerAccess = nullptr;

namespace {

enum SnmpManagerCol { smEnable = 1, smIP, smVersion, smCommunity, smOID, smType, smMode, smOnChange, smOnCMD,
                      smOnTimer, smTime, smPosition, smNumBytes, smConversion, smCancel, smUser, smAuthPass,
                      smPrivPass, smLevel, smAuthMode, smPrivMode, smMnemonic };

constexpr int kSnmpManagerRows = 512;
constexpr int kSnmpManagerPositions = 1440;
constexpr int kSnmpManagerErrorRow = 4637;

TTableFormDef MakeSnmpManagerDef() {
  TTableFormDef d;
  d.Name = u"FSNMPManagerAccess";
  d.ClientWidth = 1230;
  d.ClientHeight = 337;
  d.Caption = 4600;
  d.Description = 4601;
  d.ButtonCaptions = 4602;
  d.ButtonHints = 4648;
  d.DeleteQuestion = 4647;
  d.ClickSelectsRow = false;
  d.ButtonsFromLeft = true;
  d.HintByDisplayedColumn = true;
  d.Root = u"SNMP_Manager_Access";
  TTableGridDef g;
  g.Name = u"ACG_SNMP";
  g.NumberHeader = 4608;
  g.DataRows = kSnmpManagerRows;
  g.KeyColumn = smIP;
  g.Columns = {
      Ethernet_It_Flag(4609, 4623, u"Enable", 50, u"Y"),
      Ethernet_It_Column(4610, 4624, u"IP_Address", 90),
      Ethernet_It_Column(4611, 4625, u"Version", 60, edComboList, {u"1", u"2", u"3"}),
      Ethernet_It_Column(4612, 4626, u"Community_String", 106, edComboEdit, {u"Public", u"Private"}),
      Ethernet_It_Column(4613, 4627, u"OID", 100),
      Ethernet_It_Column(4614, 4628, u"Type", 65, edComboList, {u"String", u"Int"}),
      Ethernet_It_Column(4615, 4629, u"Mode", 65, edComboList, {u"Get", u"Set", u"Trap"}),
      Ethernet_It_Flag(4616, 4630, u"On_Change", 75, u"N"),
      Ethernet_It_Flag(4617, 4631, u"On_Command", 50, u"N"),
      Ethernet_It_Flag(4618, 4632, u"On_Timer", 65, u"N"),
      Ethernet_It_Column(4619, 4633, u"Time", 65),
      Ethernet_It_Column(4620, 4634, u"Position", 75, edComboList),
      Ethernet_It_Column(4621, 4635, u"Number_Bytes", 75),
      Ethernet_It_Column(4654, 4655, u"ConvertFrom", 95, edComboList,
                         {u"None", u"Float", u"Float * 10", u"Float * 100"}, u"None"),
      Ethernet_It_Flag(4660, 4661, u"Cancel", 50, u"N"),
      Ethernet_It_Column(4662, 4668, u"User", 70),
      Ethernet_It_Column(4663, 4669, u"Auth_Pass", 70),
      Ethernet_It_Column(4664, 4670, u"Priv_Pass", 70),
      Ethernet_It_Column(4665, 4671, u"Security_Level", 100, edComboList,
                         {u"NoAuth NoPriv", u"Auth NoPriv", u"Auth Priv"}),
      Ethernet_It_Column(4666, 4672, u"Auth_Mode", 75, edComboList, {u"MD5", u"SHA"}),
      Ethernet_It_Column(4667, 4673, u"Priv_Mode", 75, edComboList, {u"DES", u"AES"}),
      Ethernet_It_Column(4622, 4636, u"Mnemonic", 80),
  };
  d.Grids = {g};
  return d;
}

// Message of Check_SNMP_User's result for a user name (First) or a pass phrase; empty when valid.
String SnmpManagerUserFailure(int Result, int First) { return Result == 0 ? String() : UI_Text(First + Result - 1); }

}  // namespace

const TTableFormDef& SNMP_Manager_Form_Def() {
  static const TTableFormDef def = MakeSnmpManagerDef();
  return def;
}

TFSNMPManagerAccess::TFSNMPManagerAccess(TComponent* AOwner) : TTableForm(AOwner, SNMP_Manager_Form_Def()) {
  ACG_SNMP = Grids[0];
}

TFSNMPManagerAccess::~TFSNMPManagerAccess() {
  if (FSNMPManagerAccess == this) FSNMPManagerAccess = nullptr;
}

void TFSNMPManagerAccess::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_SNMP = Hint_Lists[0].get();
}

void TFSNMPManagerAccess::FormShow(TObject* Sender) {
  TTableForm::FormShow(Sender);
  if (ACG_SNMP->CanFocus()) ACG_SNMP->SetFocus();
}

void TFSNMPManagerAccess::Set_Limits() {
  Fill_Position_List(ACG_SNMP->Columns()->Items(smPosition)->ComboItems(), kSnmpManagerPositions);
}

String TFSNMPManagerAccess::File_Path() const { return Path_SNMP_Manager; }

String TFSNMPManagerAccess::Row_Failure(int R) const {
  auto cell = [&](int Col) { return ACG_SNMP->GetCellEx(Col, R); };
  String ip1, ip2, ip3, ip4;
  if (!Split_IP_Address(cell(smIP), ip1, ip2, ip3, ip4)) return UI_Text(4638);
  // 1 too long, 2 a bad character, 3 leading ".", 4 trailing ".", 5 "..", 6 an arc too big (also
  // an empty OID).
  const int oid = Check_SNMP_OID(cell(smOID));
  if (oid >= 1 && oid <= 6) return UI_Text(4638 + oid);
  if (Trim(cell(smOnTimer)) == u"Y") {
    const int32_t time = CellToInt(cell(smTime));
    if (time < 1 || time > 100000000) return UI_Text(4645);
  }
  const int32_t bytes = CellToInt(cell(smNumBytes));
  if (bytes < 0 || bytes > 1024) return UI_Text(4646);
  if (Trim(cell(smConversion)).empty()) return UI_Text(4656);
  if (CellToInt(cell(smVersion)) != 3) return String();
  String failure = SnmpManagerUserFailure(Check_SNMP_User(cell(smUser), true), 4674);
  if (failure.empty()) failure = SnmpManagerUserFailure(Check_SNMP_User(cell(smAuthPass), false), 4677);
  if (failure.empty()) failure = SnmpManagerUserFailure(Check_SNMP_User(cell(smPrivPass), false), 4680);
  if (!failure.empty()) return failure;
  const int level = SNMP_Level_From_Short_Text(cell(smLevel));
  if (level == -1) return UI_Text(4683);
  if ((level & 1) && Trim(cell(smAuthMode)).empty()) return UI_Text(4684);
  if ((level & 2) && Trim(cell(smPrivMode)).empty()) return UI_Text(4685);
  return String();
}

bool TFSNMPManagerAccess::Controllo_dati() {
  int rows = 0;  // the rows up to the first empty IP Address
  while (rows < kSnmpManagerRows && !Trim(ACG_SNMP->GetCellEx(smIP, rows + 1)).empty()) ++rows;
  std::vector<bool> enabled(static_cast<size_t>(rows) + 1, false);
  for (int r = 1; r <= rows; ++r) {
    enabled[static_cast<size_t>(r)] = Trim(ACG_SNMP->GetCellEx(smEnable, r)) == u"Y";
    if (!enabled[static_cast<size_t>(r)]) continue;
    const String failure = Row_Failure(r);
    if (!failure.empty()) {
      Show_Row_Error(kSnmpManagerErrorRow, r, failure);
      return false;
    }
  }
  // Each request once: the same address, version and OID in two enabled rows is refused. The
  // trimmed keys are taken once, so the pairwise test over 512 rows stays cheap.
  struct TSnmpRequestKey {
    String IP, Version, OID;
    bool operator==(const TSnmpRequestKey&) const = default;
  };
  std::vector<TSnmpRequestKey> keys(static_cast<size_t>(rows) + 1);
  for (int r = 1; r <= rows; ++r) {
    if (enabled[static_cast<size_t>(r)])
      keys[static_cast<size_t>(r)] = {Trim(ACG_SNMP->GetCellEx(smIP, r)), Trim(ACG_SNMP->GetCellEx(smVersion, r)),
                                      Trim(ACG_SNMP->GetCellEx(smOID, r))};
  }
  for (int b = 1; b <= rows && b < kSnmpManagerRows; ++b) {
    if (!enabled[static_cast<size_t>(b)]) continue;
    for (int e = b + 1; e <= rows; ++e) {
      if (!enabled[static_cast<size_t>(e)] || !(keys[static_cast<size_t>(b)] == keys[static_cast<size_t>(e)])) continue;
      MessageDlg(UI_Text(4686) + IntToStr(b) + UI_Text(4687) + IntToStr(e) + UI_Text(4688), mtError,
                 TMsgDlgButtons{mbOK});
      return false;
    }
  }
  return true;
}
