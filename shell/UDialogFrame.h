#pragma once
// The frame the configurator's dialogs share: a title panel with the software code and the
// dialog's description, and a button panel with OK and Cancel. A dialog derives from it beside
// TForm, so the six parts keep their component names as members; each part is owned by the
// panel or form it stands on.
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/StdCtrls.h"

class TLbButton;

struct TDialogFrame {
  TPanel* P_Title = nullptr;
  TLabel* L_SW_Code = nullptr;
  TLabel* L_SW_Desc = nullptr;
  TPanel* P_Button = nullptr;
  TLbButton* Btn_OK = nullptr;
  TLbButton* Btn_Cancel = nullptr;
};

// Where the frame's buttons stand in the button row.
struct TDialogFrameLayout {
  int OkLeft = 0;
  int CancelLeft = 0;
  // False for a dialog whose action is no plain OK (the update dialog): Btn_OK stays empty and
  // the dialog adds its own button with Add_Dialog_Button.
  bool Ok = true;
};

constexpr int Dialog_Title_Height = 69;
constexpr int Dialog_Button_Height = 40;

// Builds the title panel (top) and the button panel (bottom) of Form into Frame. The form's look
// comes first (Apply_Form_Look).
void Build_Dialog_Frame(TForm* Form, TDialogFrame& Frame, const TDialogFrameLayout& Layout);

// A panel across Parent (aligned, no bevel, no caption, in the parent's colour).
TPanel* Add_Panel(TWinControl* Parent, const String& Name, TAlign Align, int Height);

// A button of the button row with the dialog button look and the dialog glyph Glyph ("ok",
// "cancel").
TLbButton* Add_Dialog_Button(TPanel* Row, const String& Name, int Left, int Width, const String& Glyph);
