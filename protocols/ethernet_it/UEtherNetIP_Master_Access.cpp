#include "protocols/ethernet_it/UEtherNetIP_Master_Access.h"

#include "button/LbButton.h"
#include "protocols/ethernet_it/EthernetItColumns.h"
#include "protocols/ethernet_it/UEtherNEtIP_EDS.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFEtherNetIP_Master_Access* FEtherNetIP_Master_Access = nullptr;

namespace {

constexpr int kEipMasterRows = 10;
constexpr int kEipMasterBytes = 1438;
constexpr int kEipErrorRow = 4931;
constexpr int kEipNoFreeRow = 4961;

TTableFormDef MakeEtherNetIPMasterDef() {
  TTableFormDef d;
  d.Name = u"FEtherNetIP_Master_Access";
  d.ClientWidth = 1180;
  d.ClientHeight = 337;
  Use_Text_Block(d, 4900);
  d.DeleteQuestion = 4940;
  d.ClickSelectsRow = false;
  d.ButtonsFromLeft = true;
  d.Root = u"EtherNetIP_Master_Access";
  TTableGridDef g;
  g.Name = u"ACG";
  g.NumberHeader = 4914;
  g.DataRows = kEipMasterRows;
  g.KeyColumn = emIP_Address;
  const std::vector<String> header = {u"Default"};
  g.Columns = {
      Ethernet_It_Flag(4915, 4923, u"Enable", 50, u"N"),
      Ethernet_It_Column(4916, 4924, u"IP_Address", 95),
      Ethernet_It_Column(4917, 4925, u"Start_Input", 70),
      Ethernet_It_Column(4918, 4926, u"Num_Input", 70),
      Ethernet_It_Column(4919, 4927, u"Start_Output", 82),
      Ethernet_It_Column(4920, 4928, u"Num_Output", 80),
      Ethernet_It_Column(4921, 4929, u"Time_Poll", 65),
      Ethernet_It_Column(4941, 4943, u"Instance_T_O", 95),
      Ethernet_It_Column(4947, 4949, u"Connection_Point_T_O", 110),
      Ethernet_It_Column(4942, 4944, u"Instance_O_T", 95),
      Ethernet_It_Column(4948, 4950, u"Connection_Point_O_T", 110),
      Ethernet_It_Column(4953, 4955, u"Dim_Header_T_O", 110, edComboEdit, header, u"Default"),
      Ethernet_It_Column(4954, 4956, u"Dim_Header_O_T", 110, edComboEdit, header, u"Default"),
      Ethernet_It_Column(4922, 4930, u"Mnemonic", 110),
  };
  d.Grids = {g};
  return d;
}

// The whole cell as an integer within Low .. High (an empty or non-numeric cell is not).
bool EipInRange(const String& Cell, int64_t Low, int64_t High, int32_t& Value) {
  return TryCellToInt(Cell, Value) && Value >= Low && Value <= High;
}

bool EipDimHeaderValid(const String& Cell) {
  int32_t v = 0;
  return UpperCase(Trim(Cell)) == u"DEFAULT" || EipInRange(Cell, 0, 7, v);
}

}  // namespace

const TTableFormDef& EtherNetIP_Master_Form_Def() {
  static const TTableFormDef def = MakeEtherNetIPMasterDef();
  return def;
}

TFEtherNetIP_Master_Access::TFEtherNetIP_Master_Access(TComponent* AOwner)
    : TTableForm(AOwner, EtherNetIP_Master_Form_Def()) {
  ACG = Grids[0];
  Btn_Import_EDS = Add_Control<TLbButton>(P_Button, u"Btn_Import_EDS");
  Btn_Import_EDS->SetBounds(Btn_PasteRow->Left() + (Btn_PasteRow->Left() - Btn_CopyRow->Left()), Btn_PasteRow->Top(),
                            110, 28);
  Apply_Dialog_Button_Look(Btn_Import_EDS);
  Btn_Import_EDS->SetShowHint(true);
  Btn_Import_EDS->OnClick = [this](TObject* s) { Btn_Import_EDSClick(s); };
  OD_EDS = New<TOpenDialog>(this);
  OD_EDS->SetName(u"OD_EDS");
  OD_EDS->SetFilter(u"EtherNet/IP EDS (*.eds)|*.eds");
}

TFEtherNetIP_Master_Access::~TFEtherNetIP_Master_Access() {
  if (FEtherNetIP_Master_Access == this) FEtherNetIP_Master_Access = nullptr;
}

void TFEtherNetIP_Master_Access::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint = Hint_Lists[0].get();
}

void TFEtherNetIP_Master_Access::Set_Lang() {
  TTableForm::Set_Lang();
  Set_Text({Btn_Import_EDS, 4959, 4960});
}

void TFEtherNetIP_Master_Access::Set_Limits() {
  Num_Byte_In = kEipMasterBytes;
  Num_Byte_Out = kEipMasterBytes;
}

String TFEtherNetIP_Master_Access::File_Path() const { return Path_EtherNetIP_Master_Rules; }

void TFEtherNetIP_Master_Access::Grid_Hint(TObject* Sender, int ARow, int ACol, String& HintText) {
  // Only the header row has hints of its own; other cells keep theirs.
  if (ARow == 0) TTableForm::Grid_Hint(Sender, ARow, ACol, HintText);
}

String TFEtherNetIP_Master_Access::Row_Failure(int R, int& Total_In, int& Total_Out) const {
  auto cell = [&](int Col) { return ACG->GetCellEx(Col, R); };
  String ip1, ip2, ip3, ip4;
  if (!Split_IP_Address(cell(emIP_Address), ip1, ip2, ip3, ip4)) return UI_Text(4932);
  int32_t v = 0;
  if (!EipInRange(cell(emStart_Input), 0, 65535, v)) return UI_Text(4933);
  if (!EipInRange(cell(emNum_Input), 0, 65535, v)) return UI_Text(4934);
  Total_In += v;
  if (!EipInRange(cell(emStart_Output), 0, 65535, v)) return UI_Text(4935);
  if (!EipInRange(cell(emNum_Output), 0, 65535, v)) return UI_Text(4936);
  Total_Out += v;
  if (!EipInRange(cell(emTime_Poll), 1, 100000000, v)) return UI_Text(4937);
  if (!EipInRange(cell(emInstance_T_O), 0, 65535, v)) return UI_Text(4945);
  if (!EipInRange(cell(emConn_Point_T_O), 0, 65535, v)) return UI_Text(4951);
  if (!EipInRange(cell(emInstance_O_T), 0, 65535, v)) return UI_Text(4946);
  if (!EipInRange(cell(emConn_Point_O_T), 0, 65535, v)) return UI_Text(4952);
  if (!EipDimHeaderValid(cell(emDim_Header_T_O))) return UI_Text(4957);
  if (!EipDimHeaderValid(cell(emDim_Header_O_T))) return UI_Text(4958);
  return String();
}

bool TFEtherNetIP_Master_Access::Controllo_dati() {
  int totalIn = 0;
  int totalOut = 0;
  for (int r = 1; r <= kEipMasterRows; ++r) {
    if (UpperCase(ACG->GetCellEx(emEnable, r)) != u"Y") continue;
    if (Trim(ACG->GetCellEx(emIP_Address, r)).empty()) break;
    const String failure = Row_Failure(r, totalIn, totalOut);
    if (!failure.empty()) {
      Show_Row_Error(kEipErrorRow, r, failure);
      return false;
    }
  }
  if (totalIn > Num_Byte_In) {
    MessageDlg(UI_Text(4938) + IntToStr(Num_Byte_In), mtError, TMsgDlgButtons{mbOK});
    return false;
  }
  if (totalOut > Num_Byte_Out) {
    MessageDlg(UI_Text(4939) + IntToStr(Num_Byte_Out), mtError, TMsgDlgButtons{mbOK});
    return false;
  }
  return true;
}

void TFEtherNetIP_Master_Access::Btn_Import_EDSClick(TObject*) {
  if (!OD_EDS->Execute()) return;
  TFEtherNEtIP_EDS* eds = Table_Form_On_Demand(FEtherNEtIP_EDS);
  eds->EDS_FileName = OD_EDS->FileName();
  if (eds->ShowModal() != mrOk) return;
  int row = 0;
  for (int r = 1; r <= kEipMasterRows && row == 0; ++r)
    if (Trim(ACG->GetCellEx(emIP_Address, r)).empty() && Trim(ACG->GetCellEx(emInstance_T_O, r)).empty()) row = r;
  if (row == 0) {
    MessageDlg(UI_Text(kEipNoFreeRow), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const int from = eds->ACG->GetRowEx();
  auto take = [&](int To, int From) { ACG->SetCellEx(To, row, eds->ACG->GetCellEx(From, from)); };
  take(emInstance_O_T, ecInstanceOT);
  take(emConn_Point_O_T, ecConnPointOT);
  take(emInstance_T_O, ecInstanceTO);
  take(emConn_Point_T_O, ecConnPointTO);
  take(emDim_Header_T_O, ecDimHeaderTO);
  take(emDim_Header_O_T, ecDimHeaderOT);
}

int TFEtherNetIP_Master_Access::Err_Check_Data_Path(const String& Data_Path, int Num_DP) {
  return ::Err_Check_Data_Path(Data_Path, Num_DP);
}
