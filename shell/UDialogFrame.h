#pragma once
// The frame the configurator's dialogs share: a title panel with the software code and the
// dialog's description, and a button panel with OK and Cancel. A dialog derives from it beside
// TForm, so the six parts keep their component names as members.
class TPanel;
class TLabel;
class TLbButton;

struct TDialogFrame {
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
};
