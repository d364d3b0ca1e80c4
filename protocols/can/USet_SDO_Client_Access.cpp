#include "protocols/can/USet_SDO_Client_Access.h"

#include "shell/UComon.h"

TFSet_SDO_Client_Access* FSet_SDO_Client_Access = nullptr;

namespace {

constexpr TCANopenTexts kSdoClientTexts{2700, 2714, {2716, 2727}, {2739, 2749}, 2760, 2779};

TTableFormDef MakeSdoClientDef() {
  const String tabs[2] = {u"TS_SDO_Read", u"TS_SDO_Write"};
  const String sections[2] = {u"SDO_Read", u"SDO_Write"};
  const std::vector<String> columns[2] = {
      {u"Device_ID", u"Index", u"SubIndex", u"NByte", u"Poll_Time", u"Address_B1", u"Address_B2", u"Address_B3",
       u"Address_B4", u"Mnemonic"},
      {u"Device_ID", u"Index", u"SubIndex", u"NByte", u"Poll_Time", u"?On_Change", u"Address_B1", u"Address_B2",
       u"Address_B3", u"Address_B4", u"Mnemonic"},
  };
  return CANopen_Form_Def(u"FSet_SDO_Client_Access", 798, 337, u"SDO_Client_CANopen", kSdoClientTexts, tabs, sections,
                          columns, 256);
}

}  // namespace

const TTableFormDef& Set_SDO_Client_Access_Form_Def() {
  static const TTableFormDef def = MakeSdoClientDef();
  return def;
}

TFSet_SDO_Client_Access::TFSet_SDO_Client_Access(TComponent* AOwner)
    : TCANopenForm(AOwner, Set_SDO_Client_Access_Form_Def(), kSdoClientTexts,
                   {{{{1, 1, 127, 2761}, {2, 4096, 65535, 2762}, {3, 0, 255, 2763}},
                     {4, 0, 0, 2764},
                     {{5, 1, 100000000, 2765}},
                     6,
                     2766,
                     false,
                     {}},
                    {{{1, 1, 127, 2770}, {2, 4096, 65535, 2771}, {3, 0, 255, 2772}},
                     {4, 0, 0, 2773},
                     {{5, 0, 100000000, 2774}},
                     7,
                     2775,
                     true,
                     {}}}),
      TS_SDO_Read(Sheets[0]),
      TS_SDO_Write(Sheets[1]) {}

TFSet_SDO_Client_Access::~TFSet_SDO_Client_Access() {
  if (FSet_SDO_Client_Access == this) FSet_SDO_Client_Access = nullptr;
}

void TFSet_SDO_Client_Access::FormCreate(TObject* Sender) {
  TCANopenForm::FormCreate(Sender);
  Hint_SDO_Client_Read = Hint_Lists[0].get();
  Hint_SDO_Client_Write = Hint_Lists[1].get();
}

String TFSet_SDO_Client_Access::File_Path() const { return Path_SDO_Client_CANopen; }
