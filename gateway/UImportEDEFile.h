#pragma once
// The EDE import dialog (unit UImportEDEFile): lists the objects of a remote BACnet device's EDE
// file, lets the user choose per object whether it is imported and into the read table, the write
// table or both, and asks for the device's address. The BACnet client tables form shows it and
// imports the chosen objects after OK.
#include <vector>

#include "gateway/BACnetEDE.h"
#include "grid/core/AdvColumnGrid.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UDialogFrame.h"

// Columns of the object list.
enum TEDEImportCol { eiImport = 1, eiRead, eiWrite, eiName, eiObject_Type, eiInstance, eiDescription, eiCommandable };

class TFImportEDEFile : public TForm, public TDialogFrame {
 public:
  explicit TFImportEDEFile(TComponent* AOwner);
  ~TFImportEDEFile() override;
  String ClassName() const override { return u"TFImportEDEFile"; }

  TLbButton* Btn_Select_All = nullptr;
  TLbButton* Btn_Unselect_All = nullptr;
  TPanel* P_ID_IP = nullptr;
  TLabel* LID_IP = nullptr;
  TEdit* E_ID_IP = nullptr;  // keeps its text between showings
  TAdvColumnGrid* ACG = nullptr;
  String EDE_File;                       // set by the caller before showing
  std::vector<TBACnet_Var> List_EDE_Var; // the file's objects; object i is grid row i + 1
  int App_BACnet_Type = 0;               // set by the caller: 0 BACnet/IP, 1 MS/TP, other

  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void Set_Lang();
  void Cancel_EDE_List_Vars() { List_EDE_Var.clear(); }
  // Appends the objects of EDE_File to List_EDE_Var; a file that cannot be read is reported.
  void Load_EDE_File();
  void Show_Data_in_Grid();
  void ACGCheckBoxClick(TObject* Sender, int ACol, int ARow, bool State);
  void Btn_Select_AllClick(TObject* Sender);
  void Btn_Unselect_AllClick(TObject* Sender);
  void Btn_OKClick(TObject* Sender);

 private:
  void BuildControls();
  void Select_All(bool On);
};

extern TFImportEDEFile* FImportEDEFile;
