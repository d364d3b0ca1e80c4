#include "protocols/can/USet_SDO_Server_Access.h"

#include "shell/UComon.h"

TFSet_SDO_Server_Access* FSet_SDO_Server_Access = nullptr;

namespace {

constexpr TCANopenTexts kSdoServerTexts{2800, 2814, {2816, 2825}, {2834, 2842}, 2850, 2865};

TTableFormDef MakeSdoServerDef() {
  const String tabs[2] = {u"TS_SDO_Read", u"TS_SDO_Write"};
  const String sections[2] = {u"SDO_Read", u"SDO_Write"};
  const std::vector<String> columns[2] = {
      {u"Index", u"SubIndex", u"NByte", u"Address_B1", u"Address_B2", u"Address_B3", u"Address_B4", u"Mnemonic"},
      {u"Index", u"SubIndex", u"NByte", u"Address_B1", u"Address_B2", u"Address_B3", u"Address_B4", u"Mnemonic"},
  };
  return CANopen_Form_Def(u"FSet_SDO_Server_Access", 749, 337, u"SDO_Server_CANopen", kSdoServerTexts, tabs, sections,
                          columns, 500);
}

}  // namespace

const TTableFormDef& Set_SDO_Server_Access_Form_Def() {
  static const TTableFormDef def = MakeSdoServerDef();
  return def;
}

TFSet_SDO_Server_Access::TFSet_SDO_Server_Access(TComponent* AOwner)
    : TCANopenForm(AOwner, Set_SDO_Server_Access_Form_Def(), kSdoServerTexts,
                   {{{{1, 8192, 24575, 2851}, {2, 0, 255, 2852}}, {3, 0, 0, 2853}, {}, 4, 2854, false, {}},
                    {{{1, 8192, 24575, 2858}, {2, 0, 255, 2859}}, {3, 0, 0, 2860}, {}, 4, 2861, true, {}}}),
      TS_SDO_Read(Sheets[0]),
      TS_SDO_Write(Sheets[1]) {}

TFSet_SDO_Server_Access::~TFSet_SDO_Server_Access() {
  if (FSet_SDO_Server_Access == this) FSet_SDO_Server_Access = nullptr;
}

void TFSet_SDO_Server_Access::FormCreate(TObject* Sender) {
  TCANopenForm::FormCreate(Sender);
  Hint_SDO_Client_Read = Hint_Lists[0].get();
  Hint_SDO_Client_Write = Hint_Lists[1].get();
}

String TFSet_SDO_Server_Access::File_Path() const { return Path_SDO_Server_CANopen; }
