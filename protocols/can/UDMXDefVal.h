#pragma once
// The DMX default values table (unit UDMXDefVal): a default value 0..255 and a mnemonic for every
// DMX channel; the channel count comes from ParGen.xml. File DMX_Default_Values.xml, one Row
// element per channel and no key column.
#include "shell/UTableForm.h"

class TFDMXDefVal : public TTableForm {
 public:
  enum { Value_Col = 1, Mnemonic_Col };
  static constexpr int Default_Channels = 512;

  explicit TFDMXDefVal(TComponent* AOwner);
  ~TFDMXDefVal() override;
  String ClassName() const override { return u"TFDMXDefVal"; }

  TAdvColumnGrid* ACG_DMX_Def_Val = nullptr;
  TStringList* Hint = nullptr;  // the frame's hint list
  int Num_Channels = Default_Channels;

  void FormCreate(TObject* Sender) override;
  void Set_Lang() override;
  // The channel count from ParGen.xml, then one row per channel: its number, "0", no mnemonic.
  void Reset_Grids() override;
  void Load_Tables() override;
  void Save_Tables() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;

  // Every row's default value must be 0..255; shows the first failure and answers false.
  bool Controllo_dati();

  // The file's description: Row elements, every channel written, surplus elements ignored.
  static const TTableLayout& File_Layout();
};

extern TFDMXDefVal* FDMXDefVal;

const TTableFormDef& DMX_Def_Val_Form_Def();

// "DMX_Num_Channels" of ParGen.xml; 512 when the file or the element is missing or the text is no
// number. A number outside 1..65535 is reported (OutOfRange gets its text) and gives 512 too.
int DMX_Channel_Count(const String& ParGenPath, String* OutOfRange = nullptr);
