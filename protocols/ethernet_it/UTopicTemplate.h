#pragma once
// A larger box in which one topic or template cell of the MQTT topic tables is edited, with a
// legend of the keywords a template may use. The caller puts the cell's text in, shows it, and
// takes the whole text back on OK; it checks nothing and writes no file.
#include "platform/ComCtrls.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "shell/UDialogFrame.h"

class TAdvStringGrid;

class TFTopicTemplate : public TForm, public TDialogFrame {
 public:
  explicit TFTopicTemplate(TComponent* AOwner);
  ~TFTopicTemplate() override;
  String ClassName() const override { return u"TFTopicTemplate"; }

  TPanel* Panel1 = nullptr;
  TRichEdit* RE_TopicTemplate = nullptr;
  TSplitter* Splitter1 = nullptr;
  TPanel* P_Legend = nullptr;
  TLabel* L_List_Keywords = nullptr;
  TAdvStringGrid* ASG_Keywords = nullptr;

  // Set by the caller before each show.
  int TopicTemplate = 0;  // non-zero: a template is edited; zero: a topic
  int Working_Mode = 0;
  int Pub_Sub = 0;  // 0 publish table, 1 subscribe table

  void FormCreate(TObject* Sender);
  void Set_Lang();
  void FormShow(TObject* Sender);
  void Laod_Keywords();

 private:
  void BuildControls();
};

extern TFTopicTemplate* FTopicTemplate;
