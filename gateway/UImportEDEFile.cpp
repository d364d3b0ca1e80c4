#include "gateway/UImportEDEFile.h"

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "shell/TableFile.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFImportEDEFile* FImportEDEFile = nullptr;

namespace {

constexpr int kEdeDesignRows = 512;
constexpr int kEdeButtonWidth = 110;

String EdeFlagText(bool On) { return On ? u"Y" : u"N"; }

}  // namespace

TFImportEDEFile::TFImportEDEFile(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FImportEDEFile");
  Apply_Form_Look(this);
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFImportEDEFile::~TFImportEDEFile() {
  if (FImportEDEFile == this) FImportEDEFile = nullptr;
}

void TFImportEDEFile::BuildControls() {
  const int okLeft = 863 - 2 * (kEdeButtonWidth + 6) - 2;
  Build_Dialog_Frame(this, *this, {.OkLeft = okLeft, .CancelLeft = okLeft + kEdeButtonWidth + 6});
  Btn_OK->SetModalResult(mrNone);
  Btn_Cancel->SetModalResult(mrCancel);
  Btn_OK->OnClick = [this](TObject* s) { Btn_OKClick(s); };
  Btn_Select_All = Add_Dialog_Button(P_Button, u"Btn_Select_All", 8, kEdeButtonWidth, u"");
  Btn_Unselect_All = Add_Dialog_Button(P_Button, u"Btn_Unselect_All", 8 + kEdeButtonWidth + 6, kEdeButtonWidth, u"");
  Btn_Select_All->OnClick = [this](TObject* s) { Btn_Select_AllClick(s); };
  Btn_Unselect_All->OnClick = [this](TObject* s) { Btn_Unselect_AllClick(s); };

  P_ID_IP = Add_Panel(this, u"P_ID_IP", alTop, 34);
  LID_IP = Add_Label(P_ID_IP, u"LID_IP", 16, 10);
  E_ID_IP = Add_Control<TEdit>(P_ID_IP, u"E_ID_IP");
  E_ID_IP->SetBounds(300, 6, 200, 21);
  E_ID_IP->SetTabOrder(0);

  ACG = Add_Control<TAdvColumnGrid>(this, u"ACG");
  ACG->SetAlign(alClient);
  ACG->SetColCount(9);
  ACG->SetRowCount(kEdeDesignRows + 1);
  ACG->SetFixedCols(1);
  ACG->SetFixedRows(1);
  ACG->SetDefaultRowHeight(21);
  ACG->SetOptions(TGridOptions(ACG->Options()).Include(goEditing).Include(goColSizing));
  TGridColumnCollection* cols = ACG->Columns();
  const int widths[] = {40, 55, 50, 50, 170, 85, 75, 220, 95};
  for (int c = 0; c < 9; ++c) cols->Items(c)->SetWidth(widths[c]);
  for (int c : {eiImport, eiRead, eiWrite, eiCommandable}) cols->Items(c)->SetEditor(edDataCheckBox);
  for (int c = eiName; c <= eiCommandable; ++c) cols->Items(c)->SetReadOnly(true);
  ACG->OnCheckBoxClick = [this](TObject* s, int c, int r, bool st) { ACGCheckBoxClick(s, c, r, st); };
}

void TFImportEDEFile::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientWidth(863);
  SetClientHeight(337);
  Set_Lang();
  List_EDE_Var.clear();
}

void TFImportEDEFile::Set_Lang() {
  Set_Texts({{this, 2100}, {L_SW_Desc, 2101}, {Btn_OK, 2102}, {Btn_Cancel, 2103}, {LID_IP, 2115},
             {Btn_Select_All, 2120}, {Btn_Unselect_All, 2121}});
  for (int c = 0; c <= eiCommandable; ++c) ACG->Columns()->Items(c)->SetHeader(UI_Text(2104 + c));
}

void TFImportEDEFile::FormShow(TObject*) {
  ACG->SetRowCount(kEdeDesignRows + 1);
  for (int r = 1; r <= kEdeDesignRows; ++r) {
    ACG->SetCellEx(0, r, IntToStr(r));
    for (int c = 1; c <= eiCommandable; ++c) ACG->SetCellEx(c, r, String());
  }
  if (E_ID_IP->CanFocus()) E_ID_IP->SetFocus();
  Cancel_EDE_List_Vars();
  Load_EDE_File();
  Show_Data_in_Grid();
}

void TFImportEDEFile::Load_EDE_File() {
  try {
    Read_EDE_File(EDE_File, List_EDE_Var);
  } catch (const std::exception& E) {
    List_EDE_Var.clear();
    Application->ShowException(E);
  }
}

void TFImportEDEFile::Show_Data_in_Grid() {
  const int count = static_cast<int>(List_EDE_Var.size());
  ACG->SetRowCount(std::max(count + 1, 2));
  for (int i = 0; i < count; ++i) {
    const TBACnet_Var& v = List_EDE_Var[static_cast<size_t>(i)];
    const int r = i + 1;
    ACG->SetCellEx(0, r, IntToStr(r));
    ACG->SetCellEx(eiImport, r, EdeFlagText(v.import));
    ACG->SetCellEx(eiRead, r, EdeFlagText(v.read));
    ACG->SetCellEx(eiWrite, r, EdeFlagText(v.write));
    ACG->SetCellEx(eiName, r, v.object_name);
    ACG->SetCellEx(eiObject_Type, r, IntToStr(v.object_type));
    ACG->SetCellEx(eiInstance, r, IntToStr(v.object_instance));
    ACG->SetCellEx(eiDescription, r, v.description);
    ACG->SetCellEx(eiCommandable, r, EdeFlagText(v.commandable));
  }
}

void TFImportEDEFile::ACGCheckBoxClick(TObject*, int ACol, int ARow, bool State) {
  if (ARow < 1 || ARow > static_cast<int>(List_EDE_Var.size())) return;
  TBACnet_Var& v = List_EDE_Var[static_cast<size_t>(ARow) - 1];
  if (ACol == eiWrite && !v.commandable) {
    MessageDlg(UI_Text(2113) + IntToStr(ARow) + UI_Text(2114), mtError, TMsgDlgButtons{mbOK});
    ACG->SetCellEx(eiWrite, ARow, u"N");
    return;
  }
  if (ACol == eiImport) v.import = State;
  if (ACol == eiRead) v.read = State;
  if (ACol == eiWrite) v.write = State;
}

void TFImportEDEFile::Select_All(bool On) {
  for (size_t i = 0; i < List_EDE_Var.size(); ++i) {
    ACG->SetCellEx(eiImport, static_cast<int>(i) + 1, EdeFlagText(On));
    List_EDE_Var[i].import = On;
  }
}

void TFImportEDEFile::Btn_Select_AllClick(TObject*) { Select_All(true); }

void TFImportEDEFile::Btn_Unselect_AllClick(TObject*) { Select_All(false); }

void TFImportEDEFile::Btn_OKClick(TObject*) {
  const String text = E_ID_IP->Text();
  if (App_BACnet_Type == 0) {
    uint8_t b1 = 0, b2 = 0, b3 = 0, b4 = 0;
    if (IP_To_Bytes(text, b1, b2, b3, b4)) {
      MessageDlg(UI_Text(2116), mtError, TMsgDlgButtons{mbOK});
      return;
    }
  } else if (App_BACnet_Type == 1) {
    const int32_t id = CellToInt(text);
    if (id < 0 || id > 254) {
      MessageDlg(UI_Text(2117), mtError, TMsgDlgButtons{mbOK});
      return;
    }
  }
  SetModalResult(mrOk);
}
