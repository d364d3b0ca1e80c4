#include "protocols/ethernet_it/UIEC61850_Variables.h"

#include "protocols/ethernet_it/EthernetItColumns.h"
#include "shell/UComon.h"
#include "shell/UFormKit.h"

TFIEC61850_Variables* FIEC61850_Variables = nullptr;

namespace {

enum IecVariablesCol { ivEnable = 1, ivName, ivType, ivLength, ivReadOnly, ivPosition, ivStartBit, ivConversion,
                       ivFactor, ivSwap, ivSwapWord, ivMnemonic };

constexpr int kIecVariablesRows = 50;
constexpr int kIecVariablesBytes = 1438;
constexpr int kIecErrorRow = 3329;

TTableFormDef MakeIecVariablesDef() {
  TTableFormDef d;
  d.Name = u"FIEC61850_Variables";
  d.ClientWidth = 1155;
  d.ClientHeight = 337;
  Use_Text_Block(d, 3300);
  d.DeleteQuestion = 3331;
  d.ButtonsFromLeft = true;
  d.Root = u"IEC61850_Variables";
  TTableGridDef g;
  g.Name = u"ACG";
  g.NumberHeader = 3314;
  g.DataRows = kIecVariablesRows;
  g.KeyColumn = ivName;
  g.Columns = {
      Ethernet_It_Flag(3315, 3322, u"Enable", 50, u"Y"),
      Ethernet_It_Column(3316, 3323, u"Name", 250),
      Ethernet_It_Column(3317, 3324, u"Type", 80, edComboList, {u"Int", u"Float", u"Digital (Bit)"}),
      Ethernet_It_Column(3318, 3325, u"Length", 65),
      Ethernet_It_Flag(3319, 3326, u"ReadOnly", 65, u"N"),
      Ethernet_It_Column(3320, 3327, u"Position", 80),
      Ethernet_It_Column(3332, 3335, u"StartBit", 60, edComboList,
                         {u"0", u"1", u"2", u"3", u"4", u"5", u"6", u"7"}),
      Ethernet_It_Column(3333, 3336, u"Conversion", 75, edComboList, {u"None", u"Int to Float", u"Float to Int"}),
      Ethernet_It_Column(3334, 3337, u"MultiplicationFactor", 75, edComboEdit, {u"None"}),
      Ethernet_It_Flag(3342, 3344, u"Swap", 45, u"N"),
      Ethernet_It_Flag(3343, 3345, u"SwapWord", 80, u"N"),
      Ethernet_It_Column(3321, 3328, u"Mnemonic", 128),
  };
  d.Grids = {g};
  return d;
}

}  // namespace

const TTableFormDef& IEC61850_Variables_Form_Def() {
  static const TTableFormDef def = MakeIecVariablesDef();
  return def;
}

TFIEC61850_Variables::TFIEC61850_Variables(TComponent* AOwner) : TTableForm(AOwner, IEC61850_Variables_Form_Def()) {
  ACG = Grids[0];
  ACG->OnComboChange = [this](TObject* s, int c, int r, int i, const String& t) { ComboChange(s, c, r, i, t); };
}

TFIEC61850_Variables::~TFIEC61850_Variables() {
  if (FIEC61850_Variables == this) FIEC61850_Variables = nullptr;
}

void TFIEC61850_Variables::FormCreate(TObject* Sender) {
  TTableForm::FormCreate(Sender);
  Hint_List = Hint_Lists[0].get();
}

void TFIEC61850_Variables::Set_Limits() { NByte_IN = kIecVariablesBytes; }

String TFIEC61850_Variables::File_Path() const { return Path_IEC61850_Variables; }

void TFIEC61850_Variables::ComboChange(TObject*, int, int, int, const String&) {}

bool TFIEC61850_Variables::Controllo_dati() {
  Char separator = u',';
  try {
    separator = Get_Decimal_Separator();
  } catch (...) {
    separator = u',';
  }
  for (int r = 1; r <= kIecVariablesRows; ++r) {
    auto cell = [&](int Col) { return ACG->GetCellEx(Col, r); };
    if (Trim(cell(ivName)).empty()) return true;
    if (Trim(cell(ivEnable)) != u"Y") continue;
    String failure;
    const int32_t length = CellToInt(cell(ivLength));
    const int32_t position = CellToInt(cell(ivPosition));
    float factor = 0;
    if (length < 1 || length > 4) {
      failure = UI_Text(3341);
    } else if (position < 0 || position > NByte_IN - 1) {
      failure = UI_Text(3330) + IntToStr(NByte_IN - 1);
    } else if (cell(ivType) == u"Digital (Bit)" && Trim(cell(ivStartBit)).empty()) {
      failure = UI_Text(3338);
    } else if (Trim(cell(ivConversion)).empty()) {
      failure = UI_Text(3339);
    } else if (UpperCase(Trim(cell(ivFactor))) != u"NONE" && !Text_To_Float(cell(ivFactor), separator, factor)) {
      failure = UI_Text(3340);
    }
    if (!failure.empty()) {
      Show_Row_Error(kIecErrorRow, r, failure);
      return false;
    }
  }
  return true;
}
