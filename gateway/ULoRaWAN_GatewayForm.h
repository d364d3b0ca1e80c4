#pragma once
// The LoRaWAN gateway form (unit ULoRaWAN_Gateway): the "LoRaWAN Access" step. The device grid
// lists the end devices; the uplink and downlink grids show the rules of the device selected in
// it. Unlike the other table forms its data lives in DeviceList (ULoRaWAN_Gateway.h): the grids
// are stored into the list when one is left and after every row operation, and the file
// LoRaWAN_Gateway.xml is written from the list. A table form on the shared frame: the rule grids
// are the frame's grids; the device grid, its panel and the splitter are the form's own.
#include <memory>

#include "gateway/ULoRaWAN_Gateway.h"
#include "shell/UTableForm.h"

class TSplitter;

class TFLoRaWAN_Gateway : public TTableForm {
 public:
  explicit TFLoRaWAN_Gateway(TComponent* AOwner);
  ~TFLoRaWAN_Gateway() override;
  String ClassName() const override { return u"TFLoRaWAN_Gateway"; }

  TPanel* PLoRaWAN_Device_List = nullptr;
  TLabel* LLoRaWAN_Device_List_Title = nullptr;
  TAdvStringGrid* ASG_LoRaWAN_Device_List = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* PLoRaWAN_Rules_List = nullptr;
  TLabel* LLoRaWAN_Rules_List_Title = nullptr;
  TPageControl* PC_LoRaWAN_Device_Rules_List = nullptr;  // the frame's page control
  TTabSheet* TS_LoRaWAN_Uplink_Rules_List = nullptr;
  TTabSheet* TS_LoRaWAN_Downlink_Rules_List = nullptr;
  TAdvColumnGrid* ACG_LoRaWAN_Uplink = nullptr;
  TAdvColumnGrid* ACG_LoRaWAN_Downlink = nullptr;

  std::unique_ptr<TDeviceLoRaList> DeviceList;  // entry i is device-grid row i + 1
  std::unique_ptr<TStringList> Act_Meth_SL;
  std::unique_ptr<TStringList> Class_SL;
  std::unique_ptr<TStringList> RX2_SL;
  std::unique_ptr<TStringList> Hint_Dev_List;
  TStringList* Hint_Dev = nullptr;
  TStringList* Hint_Uplink = nullptr;    // the frame's hint lists of the rule grids
  TStringList* Hint_Downlink = nullptr;
  bool ModeMaster = true;  // false: end node, the gateway itself is the one device (entry 0)
  int Last_Grid = 0;       // the grid entered last: 0 devices, 1 uplink, 2 downlink
  bool DoCopy_Dev = false;
  bool DoCopy_Up() const { return Copy_Flags[0]; }
  bool DoCopy_Down() const { return Copy_Flags[1]; }

  // ---- the frame's steps ----
  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  // Clear_Rules_List, Clear_Devices_Table, Clear_Rules_Tables.
  void Reset_Grids() override;
  // The mode and its layout, the first page shown.
  void Set_Limits() override;
  void Load_Tables() override { Load_Configuration(); }
  void After_Load() override;
  bool Check_Tables() override;
  void Save_Tables() override { Save_Configuration(); }
  String File_Path() const override;
  int Row_Grid_Index() const override { return Row_Target() == 2 ? 1 : 0; }
  // The grid the row buttons act on (as Last_Grid): the grid entered last.
  int Row_Target() const;
  void After_Row_Change(int Index) override;

  void Btn_DelRowClick(TObject* Sender) override;
  void Btn_InsRowClick(TObject* Sender) override;
  void Btn_CopyRowClick(TObject* Sender) override;
  void Btn_PasteRowClick(TObject* Sender) override;
  // No Enter to the next cell and no header double click in this form.
  void Grid_KeyPress(TObject*, Char&) override {}
  void Grid_DblClickCell(TObject*, int, int) override {}
  void Grid_ClickCell(TObject* Sender, int ARow, int ACol) override;
  void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) override;

  // ---- the form's own ----
  void Init_Table();
  bool Is_a_Master() const;
  void Clear_Rules_List();
  void Clear_Devices_Table();
  void Clear_Rules_Tables();
  void Clear_Rules_Uplink_Tables();
  void Clear_Rules_Downlink_Tables();
  void Show_Data_Devices_Table();
  // The rules of the device of the device grid's current row (entry 0 in end-node mode).
  void Show_Rules_Data();
  void Grid_Enter(TObject* Sender);
  void Grid_Exit(TObject* Sender);
  // Device-grid rows from row 1 up to the first blank Device EUI into their entries; the later
  // entries keep their rules but no texts, so the list never holds a device the file would not.
  void Save_Device_List();
  // The rule grid into the rules of the device it shows.
  void Save_UpLink_Rules_List();
  void Save_DownLink_Rules_List();
  void Load_Configuration();
  void Save_Configuration();
  // The check of OK: every device (gateway mode), or the end node's rules.
  bool Check_Data();
  void ASG_LoRaWAN_Device_ListGetEditorType(TObject* Sender, int ACol, int ARow, TEditorType& AEditor);
  void ASG_LoRaWAN_Device_ListComboChange(TObject* Sender, int ACol, int ARow, int AItemIndex,
                                          const String& ASelection);
  // The device grid's current cell moved (keyboard, mouse or code): the rule grids follow.
  void ASG_LoRaWAN_Device_ListClick(TObject* Sender);
  // Columns 6 and 7 read-only for an OTAA row, column 8 for any other.
  void Set_Key_Columns(int ARow);

  // The device entry the rule grids show; -1 for none.
  int Rules_Device() const { return FRules_Device; }

 private:
  void BuildDeviceControls();
  void Set_Device_Headers();
  void Set_Mode_Layout();
  void Store_Rules(TAdvColumnGrid* Grid, TLoRaRuleKind Kind);
  void Show_Rules(TAdvColumnGrid* Grid, const TRuleLoRaList& Rules, TLoRaRuleKind Kind);
  // The device grid's row state after an operation that freed or created it.
  void Editable_Row(int ARow);
  int FRules_Device = -1;
  int FMoved_To_Row = -1;  // the row a move refreshed the rules for, before its click arrives
};

extern TFLoRaWAN_Gateway* FLoRaWAN_Gateway;
// FLoRaWAN_Gateway, created the first time (the program entry makes the form on first use).
TFLoRaWAN_Gateway* FLoRaWAN_Gateway_On_Demand();

// The form's declaration: the rule grids, texts and sizes.
const TTableFormDef& LoRaWAN_Gateway_Form_Def();
