#pragma once
// The kit every dialog and table form is built from: the form look, the UI text look-up with the
// text table that Set_Lang applies, and the layout cursor. The dialog frame is in UDialogFrame.h,
// the builder of a form's declarative control table in UTableBuilder.h.
#include <initializer_list>
#include <vector>

#include "platform/Forms.h"
#include "platform/StdCtrls.h"
#include "shell/UShellGlyphs.h"

// ---- form look ----

// What a form's window looks like. Every form is centred on the screen and writes in Verdana,
// 11 pixels; a form that differs says so in the fields here, or sets the property afterwards.
struct TFormLook {
  TFormBorderStyle BorderStyle = bsSingle;
  TBorderIcons BorderIcons{biSystemMenu};
  TColor Color = Shell_Window_Color;
  TColor FontColor = clWindowText;
};
// Before the client size: the border decides how the window's size makes the client size.
void Apply_Form_Look(TForm* Form, const TFormLook& Look = {});

// A label with a Verdana font of its own.
void Apply_Label_Font(TLabel* Label, int Height, TColor Color, TFontStyles Style = {});
// The grey captions of the title area (software code, description, step labels).
void Apply_Title_Font(TLabel* Label, int Height, bool Bold);

// A control named Name inside Parent, which owns it.
template <class TKind>
TKind* Add_Control(TWinControl* Parent, const String& Name) {
  auto* c = New<TKind>(Parent);
  c->SetName(Name);
  c->SetParent(Parent);
  return c;
}
// A label at Left, Top inside Parent.
TLabel* Add_Label(TWinControl* Parent, const String& Name, int Left, int Top);

// ---- texts ----

// The UI text at Index of the loaded language; empty outside the table.
String UI_Text(int Index);

// One row of a form's text table: the control and the UI texts of its caption and hint
// (-1 leaves that one as it is). A form's own caption is a row with the form as control.
struct TTextEntry {
  TControl* Control = nullptr;
  int Caption = -1;
  int Hint = -1;
};
void Set_Text(const TTextEntry& Entry);
void Set_Texts(std::initializer_list<TTextEntry> Table);
void Set_Texts(const std::vector<TTextEntry>& Table);

// Fills a list with Count UI texts from First and selects the first.
void Set_Text_Items(TComboBox* Combo, int First, int Count);

// ---- layout ----

// Where the next row of a form goes: rows stand Pitch pixels apart from Top, or take the height
// they are given. Replaces hand-numbered tops, so a row added or left out moves those below it.
class TLayoutCursor {
 public:
  constexpr explicit TLayoutCursor(int Top, int Pitch = 0) : FStart(Top), FTop(Top), FPitch(Pitch) {}

  // The top of the next row.
  constexpr int Top() const { return FTop; }
  constexpr int Pitch() const { return FPitch; }
  // The top of the next Rows rows taken as one; the cursor moves below them.
  constexpr int Next(int Rows = 1) {
    const int top = FTop;
    FTop += Rows * FPitch;
    return top;
  }
  // The top of a block Height pixels high; the cursor moves below it.
  constexpr int Take(int Height) {
    const int top = FTop;
    FTop += Height;
    return top;
  }
  // The top of row Index counted from the first; the cursor stays.
  constexpr int Row(int Index) const { return FStart + Index * FPitch; }
  // Goes on from row Index.
  constexpr void Seek(int Index) { FTop = Row(Index); }

 private:
  int FStart;
  int FTop;
  int FPitch;
};
