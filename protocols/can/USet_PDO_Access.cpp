#include "protocols/can/USet_PDO_Access.h"

#include "shell/UComon.h"

TFSet_PDO_Access* FSet_PDO_Access = nullptr;

namespace {

constexpr TCANopenTexts kPdoTexts{2600, 2614, {2616, 2629}, {2643, 2655}, 2668, 2691};

TTableFormDef MakePdoDef() {
  const String tabs[2] = {u"TS_Receive_PDO", u"TS_Transmit_PDO"};
  const String sections[2] = {u"Receive_PDO", u"Transmit_PDO"};
  const std::vector<String> columns[2] = {
      {u"COB-ID", u"Dimension", u"Address_B1", u"Address_B2", u"Address_B3", u"Address_B4", u"Address_B5",
       u"Address_B6", u"Address_B7", u"Address_B8", u"TimeOut", u"Mnemonic"},
      {u"COB-ID", u"Dimension", u"Address_B1", u"Address_B2", u"Address_B3", u"Address_B4", u"Address_B5",
       u"Address_B6", u"Address_B7", u"Address_B8", u"Send_Time", u"?On_Change", u"Mnemonic"},
  };
  return CANopen_Form_Def(u"FSet_PDO_Access", 798, 337, u"PDO_CANopen", kPdoTexts, tabs, sections, columns, 30);
}

}  // namespace

const TTableFormDef& Set_PDO_Access_Form_Def() {
  static const TTableFormDef def = MakePdoDef();
  return def;
}

TFSet_PDO_Access::TFSet_PDO_Access(TComponent* AOwner)
    : TCANopenForm(AOwner, Set_PDO_Access_Form_Def(), kPdoTexts,
                   {{{{1, 0, 2047, 2669}}, {2, 1, 8, 2670}, {}, 3, 2671, false, {{11, 0, 65535, 2679}}},
                    {{{1, 0, 2047, 2680}}, {2, 1, 8, 2681}, {}, 3, 2682, true, {{11, 0, 100000000, 2690}}}}),
      TS_Receive_PDO(Sheets[0]),
      TS_Transmit_PDO(Sheets[1]) {}

TFSet_PDO_Access::~TFSet_PDO_Access() {
  if (FSet_PDO_Access == this) FSet_PDO_Access = nullptr;
}

void TFSet_PDO_Access::FormCreate(TObject* Sender) {
  TCANopenForm::FormCreate(Sender);
  Hint_PDO_Receive = Hint_Lists[0].get();
  Hint_PDO_Transmit = Hint_Lists[1].get();
}

String TFSet_PDO_Access::File_Path() const { return Path_PDO_CANopen; }
