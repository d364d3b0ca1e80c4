#include "protocols/ethernet_it/UTLS_Server_Known_Cert.h"

#include "protocols/ethernet_it/EthernetItColumns.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFTLS_Server_Known_Cert* FTLS_Server_Known_Cert = nullptr;

namespace {

constexpr int kTlsCertRows = 10;
constexpr int kTlsCertRowHeight = 60;  // several lines of a certificate show
constexpr TColor kTlsEnableColor = 0x00B0D8FF;       // red 255, green 216, blue 176
constexpr TColor kTlsCertificateColor = 0x00FEFAE0;  // red 224, green 250, blue 254

TTableFormDef MakeTlsCertDef() {
  TTableFormDef d;
  d.Name = u"FTLS_Server_Known_Cert";
  d.ClientWidth = 800;
  d.ClientHeight = 337;
  Use_Text_Block(d, 3400);
  d.DeleteQuestion = 3421;
  d.ButtonsFromLeft = true;
  d.Root = u"TLS_Server_Known_Cert";
  TTableGridDef g;
  g.Name = u"ASG";
  g.NumberHeader = 3414;
  g.DataRows = kTlsCertRows;
  g.KeyColumn = 2;
  g.StringGrid = true;
  g.CheckBoxCells = true;
  g.FreedRowEnabled = true;  // the freed last row's box set, its cells read-only
  g.Columns = {
      Ethernet_It_Flag(3415, 3418, u"Enable", 50, u"Y"),
      Ethernet_It_Column(3416, 3419, u"Certificate", 500),
      Ethernet_It_Column(3417, 3420, u"Mnemonic", 160),
  };
  d.Grids = {g};
  return d;
}

}  // namespace

const TTableFormDef& TLS_Server_Known_Cert_Form_Def() {
  static const TTableFormDef def = MakeTlsCertDef();
  return def;
}

TFTLS_Server_Known_Cert::TFTLS_Server_Known_Cert(TComponent* AOwner)
    : TTableForm(AOwner, TLS_Server_Known_Cert_Form_Def()) {
  ASG = String_Grids[0];
}

TFTLS_Server_Known_Cert::~TFTLS_Server_Known_Cert() {
  if (FTLS_Server_Known_Cert == this) FTLS_Server_Known_Cert = nullptr;
}

void TFTLS_Server_Known_Cert::Init_Table() {
  for (int r = 1; r <= kTlsCertRows; ++r) {
    ASG->SetRowHeights(r, kTlsCertRowHeight);
    ASG->SetCellEx(0, r, IntToStr(r));
    ASG->SetCheckBoxState(1, r, false);
    ASG->SetColors(1, r, kTlsEnableColor);
    ASG->SetAlignments(1, r, taCenter);
    ASG->SetColors(2, r, kTlsCertificateColor);
    ASG->SetColors(3, r, clWhite);
  }
}

void TFTLS_Server_Known_Cert::FormCreate(TObject* Sender) {
  Init_Table();
  TTableForm::FormCreate(Sender);
  Hint_List = Hint_Lists[0].get();
}

String TFTLS_Server_Known_Cert::File_Path() const { return Path_TLS_Known_Cert; }
