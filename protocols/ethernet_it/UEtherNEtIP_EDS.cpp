#include "protocols/ethernet_it/UEtherNEtIP_EDS.h"

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Encoding.h"
#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFEtherNEtIP_EDS* FEtherNEtIP_EDS = nullptr;

namespace {

constexpr int kEdsDialogWidth = 1150;
constexpr int kEdsDialogHeight = 337;
constexpr int kEdsNoConnection = 5015;

}  // namespace

TFEtherNEtIP_EDS::TFEtherNEtIP_EDS(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FEtherNEtIP_EDS");
  Apply_Form_Look(this);
  SetShowHint(true);
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
  // A dialog closed before its report is due must not report later.
  OnHide = [this](TObject*) { TClose->SetEnabled(false); };
}

TFEtherNEtIP_EDS::~TFEtherNEtIP_EDS() {
  if (FEtherNEtIP_EDS == this) FEtherNEtIP_EDS = nullptr;
}

void TFEtherNEtIP_EDS::BuildControls() {
  Build_Dialog_Frame(this, *this, {.OkLeft = 16, .CancelLeft = 134});
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_OK->SetShowHint(true);
  Btn_Cancel->SetShowHint(true);

  ACG = Add_Control<TAdvColumnGrid>(this, u"ACG");
  ACG->SetAlign(alClient);
  ACG->SetColCount(ecDimHeaderTO + 1);
  ACG->SetRowCount(2);
  ACG->SetFixedCols(0);
  ACG->SetFixedRows(1);
  ACG->SetDefaultRowHeight(21);
  ACG->SetOptions(TGridOptions(ACG->Options()).Exclude(goEditing).Include(goRowSelect).Include(goColSizing));
  const int widths[] = {100, 190, 230, 95, 110, 95, 110, 105, 105};
  for (int c = ecConnection; c <= ecDimHeaderTO; ++c) ACG->Columns()->Items(c)->SetWidth(widths[c]);

  TClose = New<TTimer>(this);
  TClose->SetName(u"TClose");
  TClose->SetEnabled(false);
  TClose->SetInterval(10);
  TClose->OnTimer = [this](TObject* s) { TCloseTimer(s); };
}

void TFEtherNEtIP_EDS::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientWidth(kEdsDialogWidth);
  SetClientHeight(kEdsDialogHeight);
  List_Conn.clear();
  Set_Lang();
}

void TFEtherNEtIP_EDS::Set_Lang() {
  Set_Texts({{this, 5000}, {L_SW_Desc, 5001}, {Btn_OK, 5002, 5004}, {Btn_Cancel, 5003, 5005}});
  for (int c = ecConnection; c <= ecDimHeaderTO; ++c) ACG->Columns()->Items(c)->SetHeader(UI_Text(5006 + c));
}

void TFEtherNEtIP_EDS::FormShow(TObject*) {
  List_Conn.clear();
  if (FileExists(EDS_FileName)) {
    try {
      for (const String& entry : EDS_Connection_Entries(ReadTextFile(EDS_FileName))) DecodeConnStr(entry);
    } catch (const std::exception& E) {
      List_Conn.clear();
      Application->ShowException(E);
    }
  }
  ShowDatainGrid();
  // The arrow keys pick a connection at once.
  if (ACG->CanFocus()) ACG->SetFocus();
}

String TFEtherNEtIP_EDS::DecodeConnStr(const String& ConnStr) {
  TConnData d;
  d.ConnIndex = static_cast<int32_t>(List_Conn.size()) + 1;
  if (Decode_EDS_Connection(ConnStr, d)) List_Conn.push_back(d);
  return String();
}

void TFEtherNEtIP_EDS::ShowDatainGrid() {
  ACG->SetRowCount(2);
  for (int c = 0; c < ACG->ColCount() + ACG->NumHiddenColumns(); ++c) ACG->SetCellEx(c, 1, String());
  if (List_Conn.empty()) {
    TClose->SetEnabled(true);
    return;
  }
  ACG->SetRowCount(static_cast<int>(List_Conn.size()) + 1);
  for (size_t i = 0; i < List_Conn.size(); ++i) {
    const TConnData& d = List_Conn[i];
    const int r = static_cast<int>(i) + 1;
    ACG->SetCellEx(ecConnection, r, u"Connection" + IntToStr(r));
    ACG->SetCellEx(ecConnName, r, d.ConnName);
    ACG->SetCellEx(ecHelpStr, r, d.HelpStr);
    ACG->SetCellEx(ecInstanceOT, r, IntToStr(d.InstanceOT));
    ACG->SetCellEx(ecConnPointOT, r, IntToStr(d.ConnPointOT));
    ACG->SetCellEx(ecInstanceTO, r, IntToStr(d.InstanceTO));
    ACG->SetCellEx(ecConnPointTO, r, IntToStr(d.ConnPointTO));
    ACG->SetCellEx(ecDimHeaderOT, r, d.DimHeaderOT == 4 ? String(u"Default") : IntToStr(d.DimHeaderOT));
    ACG->SetCellEx(ecDimHeaderTO, r, d.DimHeaderTO == 0 ? String(u"Default") : IntToStr(d.DimHeaderTO));
  }
  ACG->SetRowEx(1);
}

void TFEtherNEtIP_EDS::TCloseTimer(TObject*) {
  TClose->SetEnabled(false);
  MessageDlg(UI_Text(kEdsNoConnection), mtError, TMsgDlgButtons{mbOK});
  SetModalResult(mrCancel);
}
