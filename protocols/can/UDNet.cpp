#include "protocols/can/UDNet.h"

#include "protocols/can/FrameTableForms.h"
#include "shell/UComon.h"

TFDNet* FDNet = nullptr;

namespace {

// Every attribute is required: a row lacking one stops the load.
TTableColumnDef DNetColumn(int Header, int Hint, const String& Attribute, int Width) {
  TTableColumnDef c = Frame_Column(Header, Hint, Attribute, edNormal, Width);
  c.Missing = TMissingAttr::Fail;
  return c;
}

TTableFormDef MakeDNetDef() {
  TTableFormDef d = Frame_Form_Def(u"FDNet", 700, 420, 2900, 2901, 2902, 2908, 2927, u"DNET_Net");
  TTableGridDef g = Frame_Grid(u"ASG", 2914, 64, TFDNet::ID_Col,
                               {
                                   DNetColumn(2915, 2919, u"ID", 80),
                                   DNetColumn(2916, 2920, u"NB_IN", 100),
                                   DNetColumn(2917, 2921, u"NB_OUT", 100),
                                   DNetColumn(2918, 2922, u"Mnemonic", 250),
                               });
  g.EnableColumn = false;
  g.TrimKey = false;
  d.Grids = {g};
  return d;
}

}  // namespace

const TTableFormDef& DNet_Form_Def() {
  static const TTableFormDef def = MakeDNetDef();
  return def;
}

TFDNet::TFDNet(TComponent* AOwner) : TTableForm(AOwner, DNet_Form_Def()), ASG(Grids[0]) {}

TFDNet::~TFDNet() {
  if (FDNet == this) FDNet = nullptr;
}

void TFDNet::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_DeviceNet = Hint_Lists[0].get();
}

String TFDNet::File_Path() const { return Path_DNETM_Net; }

bool TFDNet::controllo_dati() {
  for (int n = 1; n < ASG->RowCount() && !ASG->GetCellEx(ID_Col, n).empty(); ++n) {
    auto outside = [&](int Col, int32_t High) {
      const int32_t v = CellToInt(ASG->GetCellEx(Col, n));
      return v < 0 || v > High;
    };
    int failure = -1;
    if (outside(ID_Col, 63))
      failure = 2924;
    else if (outside(NB_IN_Col, 65535))
      failure = 2925;
    else if (outside(NB_OUT_Col, 65535))
      failure = 2926;
    if (failure >= 0) {
      Show_Row_Error(2923, n, UI_Text(failure));
      return false;
    }
  }
  return true;
}
