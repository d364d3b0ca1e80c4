#pragma once
// The MQTT topics the gateway publishes from its internal data array and those it subscribes to
// and writes into it (MQTT_Set_Topic.xml): two tables on two tabs with more columns than this
// configuration shows. The working mode set at every show decides which columns are visible, and
// the check tests only visible columns. Template cells are edited in the topic template editor.
#include "shell/UTableForm.h"

enum TMQTT_Pub_Col {
  mpTopic = 1,
  mpRetained,
  mpQoS,
  mpDataType,
  mpDimension,
  mpPosition,
  mpIPAddress,
  mpInputTemplate,
  mpTemplate,
  mpOnChange,
  mpOnCMD,
  mpOnTimer,
  mpTime,
  mpChannel,
  mpSwap,
  mpSwapWord,
  mpMnemonic
};
enum TMQTT_Sub_Col {
  msTopic = 1,
  msRetained,
  msQoS,
  msDataType,
  msDimension,
  msPosition,
  msIPAddress,
  msPort,
  msEthType,
  msInputTemplate,
  msTemplate,
  msSwap,
  msSwapWord,
  msMnemonic
};

// True when Str holds an odd number of "$" characters.
bool Error_In_Topic_Template(const String& Str);

class TFMQTT_Set_Topic : public TTableForm {
 public:
  explicit TFMQTT_Set_Topic(TComponent* AOwner);
  ~TFMQTT_Set_Topic() override;
  String ClassName() const override { return u"TFMQTT_Set_Topic"; }

  TTabSheet* TS_MQTT_Publish = nullptr;
  TTabSheet* TS_MQTT_Subscribe = nullptr;
  TAdvColumnGrid* ACG_Pub = nullptr;
  TAdvColumnGrid* ACG_Sub = nullptr;
  TStringList* Hint_MQTT_Set_Topic_Pub = nullptr;  // the frame's hint lists
  TStringList* Hint_MQTT_Set_Topic_Sub = nullptr;
  int Byte_IN = 1500;   // bytes the publish positions address, set at every show
  int Byte_OUT = 1500;  // the same for the subscribe positions
  int Working_Mode = 1;

  bool Do_Copy_Pub() const { return Copy_Flags[0]; }
  bool Do_Copy_Sub() const { return Copy_Flags[1]; }

  void FormCreate(TObject* Sender) override;
  void Set_Limits() override;
  bool Check_Tables() override { return Controllo_dati(); }
  String File_Path() const override;

  // Shows the first failure ("Error row " + row + text) and answers false.
  bool Controllo_dati();
  // Edits cell (ACol, ARow) of the table Sender in the topic template editor; OK writes the whole
  // text back, Cancel leaves the cell.
  void Show_Form_Topic(TObject* Sender, int ARow, int ACol);

  void Grid_DblClickCell(TObject* Sender, int ARow, int ACol) override;
  void Grid_Hint(TObject* Sender, int ARow, int ACol, String& Hint) override;

 private:
  // The first failing test of a row of grid Table (0 publish, 1 subscribe); empty when it passes.
  String Row_Failure(int Table, int Row) const;
};

extern TFMQTT_Set_Topic* FMQTT_Set_Topic;

const TTableFormDef& MQTT_Set_Topic_Form_Def();
