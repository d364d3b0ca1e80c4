#pragma once
// The browse form: asks an OPC UA server which variables it offers and lets the user tick which
// become read and which write variables of the client configuration. The client form fills
// Server before showing it and reads List_Var, the kept texts and the ticks after OK.
#include <vector>

#include "grid/core/AdvColumnGrid.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UComon.h"
#include "shell/UDialogFrame.h"

class TLbButton;

// The texts of one browsed variable, copied while the library that owns the record's texts is
// loaded; every later reader uses these.
struct TOPC_UA_Scan_Texts {
  String DisplayName;
  String StringName;
  String ByteString;
};

class TFOPC_UA_Scan_Server : public TForm, public TDialogFrame {
 public:
  explicit TFOPC_UA_Scan_Server(TComponent* AOwner);
  ~TFOPC_UA_Scan_Server() override;
  String ClassName() const override { return u"TFOPC_UA_Scan_Server"; }

  // Browse table columns.
  enum { scRead = 1, scWrite, scDisplayName, scNodeType, scNodeID, scDataType, scNameSpace, scReadWrite };

  opcua_server_to_discover Server;
  std::vector<opcua_structure> List_Var;           // the last browse, in the library's order
  std::vector<TOPC_UA_Scan_Texts> List_Var_Texts;  // by record; the records' text pointers are not used

  TLabel* LWaiting = nullptr;
  TAdvColumnGrid* ACG_OPC_UA_Scan_Var = nullptr;
  TLbButton* Btn_SelectAllRead = nullptr;
  TLbButton* Btn_ClearAllRead = nullptr;
  TLbButton* Btn_SelectAllWrite = nullptr;
  TLbButton* Btn_ClearAllWrite = nullptr;
  TTimer* Timer_Scan = nullptr;  // 100 ms, once a showing: the form paints before the blocking browse

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  // The browse through the library OPC_UA_Search, loaded for it and released on every path.
  void Timer_ScanTimer(TObject* Sender);
  void Erase_Table();
  void Show_Variables_List();
  // Tick or clear the Read column (the R buttons) or the Write column (the W buttons).
  void Btn_SelectAllReadClick(TObject* Sender);
  void Btn_ClearAllReadClick(TObject* Sender);
  // Replaces the list by Records with their texts (a browse's results).
  void Set_Variables(std::vector<opcua_structure> Records, std::vector<TOPC_UA_Scan_Texts> Texts);

 private:
  void BuildControls();
  void Set_Column(TObject* Sender, const String& Tick);
};

extern TFOPC_UA_Scan_Server* FOPC_UA_Scan_Server;
