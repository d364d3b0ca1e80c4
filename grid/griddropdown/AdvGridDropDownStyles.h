#pragma once
// The style presets the grid drop-down and the multi-column drop-down share: header, line and
// selection colours per component style, applied after the drop-down edit's own preset.
#include "grid/dropdown/AdvDropDown.h"

struct TGridDropDownStyleRow {
  TQELStyle Style;
  TColor HeaderColor, HeaderColorTo;
  bool SetsFontColor;
  TColor FontColor;
  TSelectionColorStyle Selection;
  TColor SelectionColor;  // clNone: the selection style's own
  TColor SelectionTextColor;
  TColor LineColor, FixedLineColor;
};

// The row of AStyle; the Office 2010 rows only with WithOffice2010. nullptr when the style has none.
const TGridDropDownStyleRow* FindGridDropDownStyle(TQELStyle AStyle, bool WithOffice2010);

// The line colours a selection style sets (scCustom sets none).
template <class TDropDownClass>
void ApplyGridDropDownSelectionLines(TDropDownClass& D, TSelectionColorStyle Style) {
  if (Style == scOffice2007) {
    D.SetLineColor(static_cast<TColor>(0xF1EDEB));
    D.SetFixedLineColor(static_cast<TColor>(0xD1BBA4));
  } else if (Style == scWindowsVista || Style == scWindows7) {
    D.SetLineColor(static_cast<TColor>(0xECECF0));
    D.SetFixedLineColor(static_cast<TColor>(0xD4D2D1));
  }
}

// Sets a drop-down's colours from its style row.
template <class TDropDownClass>
void ApplyGridDropDownStyle(TDropDownClass& D, TQELStyle AStyle, bool WithOffice2010) {
  const TGridDropDownStyleRow* row = FindGridDropDownStyle(AStyle, WithOffice2010);
  if (!row) return;
  D.SetHeaderColor(row->HeaderColor);
  D.SetHeaderColorTo(row->HeaderColorTo);
  if (row->SetsFontColor) D.HeaderFont()->SetColor(row->FontColor);
  D.SetSelectionColorStyle(row->Selection);
  if (row->SelectionColor != clNone) {
    D.SetSelectionColor(row->SelectionColor);
    D.SetSelectionColorTo(row->SelectionColor);
  }
  D.SetSelectionTextColor(row->SelectionTextColor);
  D.SetLineColor(row->LineColor);
  D.SetFixedLineColor(row->FixedLineColor);
}
