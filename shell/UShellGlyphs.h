#pragma once
// Pictures of the shell's windows, drawn by this program: the main window's button glyphs, the
// dialog buttons' marks and the about box's logo. Glyphs are one cell whose bottom-left pixel
// gives the transparent colour, as the push button draws them.
#include <memory>

#include "platform/Graphics.h"
#include "platform/UString.h"

class TLbButton;

// Background of every glyph, left out when the glyph is drawn.
constexpr TColor Glyph_Background = clFuchsia;

// The glyph of a main-window button by its name ("Btn_New", ...): 40 x 40 for the three header
// buttons, 24 x 24 for the step buttons. An unknown name gives a plain step arrow.
std::unique_ptr<TBitmap> Create_Main_Glyph(const String& ButtonName);
// 16 x 16 marks of the dialog buttons: a tick (OK) or a cross (Cancel); "prev"/"next" arrows.
std::unique_ptr<TBitmap> Create_Dialog_Glyph(const String& Kind);
// The maker's logo stand-in, Size x Size.
std::unique_ptr<TBitmap> Create_Logo(int Size);

// The look every dialog button of the shell shares: encarta face 0xEDF7F8, pressed 0x0080FF,
// hot yellow, light grey, one glyph.
void Apply_Dialog_Button_Look(TLbButton* Button);

// Background colour of the shell's windows.
constexpr TColor Shell_Window_Color = 0xEDF7F8;
