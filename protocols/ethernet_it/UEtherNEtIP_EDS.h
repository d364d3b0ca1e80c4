#pragma once
// The EDS connection dialog (unit UEtherNEtIP_EDS): lists the usable connections of a slave's EDS
// file and lets the user pick one; the EtherNet/IP scanner table copies the picked row's
// instances, connection points and header formats. A file without a usable connection is
// reported once the dialog is on screen, and the dialog then closes with Cancel.
#include <vector>

#include "grid/core/AdvColumnGrid.h"
#include "platform/Forms.h"
#include "protocols/ethernet_it/UEtherNetIP_EDS_Decode.h"
#include "shell/UDialogFrame.h"

// Columns of the connection list.
enum TEDSConnCol {
  ecConnection,
  ecConnName,
  ecHelpStr,
  ecInstanceOT,
  ecConnPointOT,
  ecInstanceTO,
  ecConnPointTO,
  ecDimHeaderOT,
  ecDimHeaderTO
};

class TFEtherNEtIP_EDS : public TForm, public TDialogFrame {
 public:
  explicit TFEtherNEtIP_EDS(TComponent* AOwner);
  ~TFEtherNEtIP_EDS() override;
  String ClassName() const override { return u"TFEtherNEtIP_EDS"; }

  TAdvColumnGrid* ACG = nullptr;
  TTimer* TClose = nullptr;  // armed by a show that found nothing usable
  String EDS_FileName;       // set by the caller before showing
  std::vector<TConnData> List_Conn;

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  // Decodes one entry and appends it when usable; always answers an empty text.
  String DecodeConnStr(const String& ConnStr);
  void ShowDatainGrid();
  void TCloseTimer(TObject* Sender);

 private:
  void BuildControls();
};

extern TFEtherNEtIP_EDS* FEtherNEtIP_EDS;
