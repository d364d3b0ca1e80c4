#include "protocols/ethernet_it/UOPC_UA_Scan_Server.h"

#include "button/LbButton.h"
#include "platform/Dialogs.h"
#include "platform/Encoding.h"
#include "platform/Library.h"
#include "shell/UFormKit.h"
#include "shell/UShellGlyphs.h"

TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server = nullptr;

namespace {

constexpr int kScanClientWidth = 1035;
constexpr int kScanClientHeight = 337;
constexpr int kScanColumns = 9;
constexpr int kScanWidths[kScanColumns] = {40, 50, 50, 165, 115, 245, 115, 115, 113};
constexpr int kScanHeaders[kScanColumns - 1] = {4410, 4411, 4424, 4412, 4413, 4414, 4415, 4416};

using TOpcua_Client_Begin = int32_t (*)(opcua_server_to_discover);
using TOpcua_Return_Variable = int32_t (*)(opcua_structure*, int32_t);
using TOpcua_Last_Error = const char* (*)();

// A browse that failed says why: the library's own reason where it gives one.
const char16_t* const kScanFailed = u"Error!! The scan of the OPC UA Server failed: ";
const char16_t* const kScanFailedUnknown = u"the library gives no reason";

// A library text: UTF-8, or the system code page where it is none; null reads as empty.
String Opc_Library_Text(const void* Text) { return Text ? DecodeUtf8OrAnsi(static_cast<const char*>(Text)) : String(); }

// Releases the library however the browse ends.
struct TLibraryHold {
  HMODULE Module;
  ~TLibraryHold() {
    if (Module) FreeLibrary(Module);
  }
};

TLbButton* Add_Scan_Button(TPanel* Row, const String& Name, int Left) {
  auto* b = Add_Control<TLbButton>(Row, Name);
  b->SetBounds(Left, 6, 110, 28);
  Apply_Dialog_Button_Look(b);
  b->SetShowHint(true);
  return b;
}

}  // namespace

TFOPC_UA_Scan_Server::TFOPC_UA_Scan_Server(TComponent* AOwner) : TForm(AOwner) {
  SetName(u"FOPC_UA_Scan_Server");
  BuildControls();
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnShow = [this](TObject* s) { FormShow(s); };
}

TFOPC_UA_Scan_Server::~TFOPC_UA_Scan_Server() {
  if (FOPC_UA_Scan_Server == this) FOPC_UA_Scan_Server = nullptr;
}

void TFOPC_UA_Scan_Server::BuildControls() {
  Apply_Form_Look(this, {.BorderStyle = bsSizeable, .BorderIcons = {biSystemMenu, biMaximize}});
  SetShowHint(true);
  SetClientWidth(kScanClientWidth);
  SetClientHeight(kScanClientHeight);
  Build_Dialog_Frame(this, *this, {.OkLeft = 16, .CancelLeft = 134});
  Btn_OK->SetModalResult(mrOk);
  Btn_Cancel->SetModalResult(mrCancel);
  Timer_Scan = New<TTimer>(this);
  Timer_Scan->SetName(u"Timer_Scan");
  Timer_Scan->SetEnabled(false);
  Timer_Scan->SetInterval(100);
  Timer_Scan->OnTimer = [this](TObject* s) { Timer_ScanTimer(s); };
  LWaiting = Add_Label(P_Title, u"LWaiting", 180, 22);
  LWaiting->SetAutoSize(false);
  LWaiting->SetBounds(180, 22, 675, 24);
  LWaiting->SetAlignment(taCenter);
  Apply_Title_Font(LWaiting, -16, true);
  LWaiting->SetVisible(false);
  Btn_SelectAllRead = Add_Scan_Button(P_Button, u"Btn_SelectAllRead", 252);
  Btn_ClearAllRead = Add_Scan_Button(P_Button, u"Btn_ClearAllRead", 370);
  Btn_SelectAllWrite = Add_Scan_Button(P_Button, u"Btn_SelectAllWrite", 488);
  Btn_ClearAllWrite = Add_Scan_Button(P_Button, u"Btn_ClearAllWrite", 606);
  for (TLbButton* b : {Btn_SelectAllRead, Btn_SelectAllWrite})
    b->OnClick = [this](TObject* s) { Btn_SelectAllReadClick(s); };
  for (TLbButton* b : {Btn_ClearAllRead, Btn_ClearAllWrite})
    b->OnClick = [this](TObject* s) { Btn_ClearAllReadClick(s); };

  TAdvColumnGrid* g = ACG_OPC_UA_Scan_Var = Add_Control<TAdvColumnGrid>(this, u"ACG_OPC_UA_Scan_Var");
  g->SetAlign(alClient);
  g->SetColCount(kScanColumns);
  g->SetRowCount(2);
  g->SetFixedCols(1);
  g->SetFixedRows(1);
  g->SetDefaultRowHeight(21);
  g->SetOptions(TGridOptions(g->Options()).Include(goEditing).Include(goColSizing));
  for (int c = 0; c < kScanColumns; ++c) {
    TGridColumnItem* item = g->Columns()->Items(c);
    item->SetWidth(kScanWidths[c]);
    if (c == scRead || c == scWrite) item->SetEditor(edDataCheckBox);
    if (c >= scDisplayName && c <= scNameSpace) item->SetReadOnly(true);
  }
}

void TFOPC_UA_Scan_Server::FormCreate(TObject*) {
  L_SW_Code->SetCaption(Soft_Code);
  SetClientHeight(kScanClientHeight);
  SetClientWidth(kScanClientWidth);
  Set_Lang();
}

void TFOPC_UA_Scan_Server::Set_Lang() {
  Set_Texts({{this, 4400},
             {L_SW_Desc, 4401},
             {Btn_OK, 4402, 4406},
             {Btn_Cancel, 4403, 4407},
             {Btn_SelectAllRead, 4404, 4408},
             {Btn_ClearAllRead, 4405, 4409},
             {Btn_SelectAllWrite, 4426, 4428},
             {Btn_ClearAllWrite, 4427, 4429},
             {LWaiting, 4423}});
  for (int c = 0; c < kScanColumns - 1; ++c)
    ACG_OPC_UA_Scan_Var->Columns()->Items(c)->SetHeader(UI_Text(kScanHeaders[c]));
  ACG_OPC_UA_Scan_Var->Columns()->Items(scReadWrite)->SetHeader(u"Read/Write");
}

void TFOPC_UA_Scan_Server::FormShow(TObject*) {
  Erase_Table();
  if (Server.server_address && *Server.server_address) {
    List_Var.clear();
    List_Var_Texts.clear();
    LWaiting->SetVisible(true);
    Timer_Scan->SetEnabled(true);
    return;
  }
  Show_Variables_List();
}

void TFOPC_UA_Scan_Server::Timer_ScanTimer(TObject*) {
  Timer_Scan->SetEnabled(false);
  const TLibraryHold library{LoadLibraryW(u"OPC_UA_Search")};
  if (!library.Module) {
    MessageDlg(UI_Text(4430), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const auto begin = reinterpret_cast<TOpcua_Client_Begin>(GetProcAddress(library.Module, "opcua_client_begin"));
  const auto next = reinterpret_cast<TOpcua_Return_Variable>(GetProcAddress(library.Module, "opcua_return_variable"));
  if (!begin || !next) {
    MessageDlg(UI_Text(4431), mtError, TMsgDlgButtons{mbOK});
    return;
  }
  const int32_t count = begin(Server);
  std::vector<opcua_structure> records;
  std::vector<TOPC_UA_Scan_Texts> texts;
  for (int32_t i = 0; i < count; ++i) {
    opcua_structure r;
    next(&r, i);
    // The texts belong to the library: copied now, before it is released.
    texts.push_back({Opc_Library_Text(r.displayName), Opc_Library_Text(r.stringname), Opc_Library_Text(r.byteString)});
    records.push_back(r);
  }
  String failure;
  if (count < 0) {
    const auto reason = reinterpret_cast<TOpcua_Last_Error>(GetProcAddress(library.Module, "opcua_last_error"));
    failure = reason ? Opc_Library_Text(reason()) : String();
    if (Trim(failure).empty()) failure = kScanFailedUnknown;
  }
  Set_Variables(std::move(records), std::move(texts));
  LWaiting->SetVisible(false);
  Show_Variables_List();
  if (!failure.empty()) MessageDlg(kScanFailed + failure, mtError, TMsgDlgButtons{mbOK});
}

void TFOPC_UA_Scan_Server::Erase_Table() {
  ACG_OPC_UA_Scan_Var->SetRowCount(2);
  for (int c = 0; c < kScanColumns; ++c) ACG_OPC_UA_Scan_Var->SetCellEx(c, 1, String());
}

void TFOPC_UA_Scan_Server::Set_Variables(std::vector<opcua_structure> Records, std::vector<TOPC_UA_Scan_Texts> Texts) {
  Texts.resize(Records.size());
  // The records' pointers belong to whoever filled them: only the copies are kept.
  for (opcua_structure& r : Records) r.stringname = r.displayName = nullptr, r.byteString = nullptr;
  List_Var = std::move(Records);
  List_Var_Texts = std::move(Texts);
}

void TFOPC_UA_Scan_Server::Show_Variables_List() {
  if (List_Var.empty()) {
    Erase_Table();
    return;
  }
  TAdvColumnGrid* g = ACG_OPC_UA_Scan_Var;
  g->SetRowCount(static_cast<int>(List_Var.size()) + 1);
  for (size_t i = 0; i < List_Var.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    const opcua_structure& v = List_Var[i];
    const TOPC_UA_Scan_Texts& t = List_Var_Texts[i];
    const bool both = v.accessLevel == 0;
    g->SetCellEx(0, r, IntToStr(r));
    g->SetCellEx(scRead, r, both || (v.accessLevel & 1) ? u"Y" : u"N");
    g->SetCellEx(scWrite, r, both || (v.accessLevel & 2) ? u"Y" : u"N");
    g->SetCellEx(scDisplayName, r, t.DisplayName);
    g->SetCellEx(scNodeType, r, OPC_UA_IdType_To_Text(v.identifierType));
    g->SetCellEx(scNodeID, r,
                 v.identifierType == 3   ? t.StringName
                 : v.identifierType == 5 ? t.ByteString
                                         : OPC_UA_Id_To_Text(v));
    g->SetCellEx(scDataType, r, OPC_UA_DataType_To_Text(v.dataType));
    g->SetCellEx(scNameSpace, r, IntToStr(v.nameSpaceIndex));
    g->SetCellEx(scReadWrite, r, v.accessLevel == 1 ? u"Read" : v.accessLevel == 2 ? u"Write" : u"Read/Write");
  }
}

void TFOPC_UA_Scan_Server::Set_Column(TObject* Sender, const String& Tick) {
  if (List_Var.empty()) return;
  const int c = Sender == Btn_SelectAllWrite || Sender == Btn_ClearAllWrite ? scWrite : scRead;
  for (int r = 1; r < ACG_OPC_UA_Scan_Var->RowCount(); ++r) ACG_OPC_UA_Scan_Var->SetCellEx(c, r, Tick);
}

void TFOPC_UA_Scan_Server::Btn_SelectAllReadClick(TObject* Sender) { Set_Column(Sender, u"Y"); }

void TFOPC_UA_Scan_Server::Btn_ClearAllReadClick(TObject* Sender) { Set_Column(Sender, u"N"); }
