#include "grid/griddropdown/AdvGridDropDownStyles.h"

namespace {
constexpr TColor kOffice2010Line = 0xEEDDCF;
constexpr TColor kOffice2010Selection = 0x6CD0FF;
constexpr TColor kOffice2010Font = 0x5B391E;

constexpr TGridDropDownStyleRow kGridDropDownStyles[] = {
    {tsOffice2003Blue, 0xD68759, 0x933803, true, 0xFFFFFF, scOffice2007, clNone, clBlack, 0x962D00, 0x962D00},
    {tsOffice2003Silver, 0xBDA4A5, 0x957475, false, 0, scOffice2007, clNone, clBlack, 0x947C7C, 0x947C7C},
    {tsOffice2003Olive, 0x82C0AF, 0x447A63, false, 0, scOffice2007, clNone, clBlack, 0x588060, 0x588060},
    {tsOffice2003Classic, 0x808080, 0x808080, false, 0, scOffice2007, clNone, clBlack, 0x808080, 0x808080},
    {tsOffice2007Luna, 0xFFEFE3, 0xFFD2AF, true, 0x723708, scOffice2007, clNone, clBlack, 0xFFD2AF, 0xFFD2AF},
    {tsOffice2007Obsidian, 0xF2F1F0, 0xC9C2BD, true, 0x433C37, scOffice2007, clNone, clBlack, 0x5C534C, 0x5C534C},
    {tsWindowsXP, clBtnFace, clBtnFace, true, 0x000000, scCustom, clHighlight, clHighlightText, 0xC0C0C0, 0x000000},
    {tsWhidbey, 0xEBEEEF, 0x7E9898, true, 0xFFFFFF, scOffice2007, clNone, clBlack, 0x962D00, 0x962D00},
    {tsOffice2007Silver, 0xF8F7F6, 0xE8E0DB, true, 0x8B4215, scOffice2007, clNone, clBlack, 0x74706F, 0x74706F},
    {tsWindowsVista, 0xFFFDF9, 0xFFFAF0, true, 0x000000, scWindowsVista, clNone, clBlack, 0xFCF2DA, 0xFCF2DA},
    {tsWindows7, 0xFDFBFA, 0xFDF3EB, true, 0x000000, scWindows7, clNone, clBlack, 0xFBD6B8, 0xFBD6B8},
    {tsTerminal, clBtnFace, clBtnFace, true, 0x000000, scCustom, clHighlight, clHighlightText, 0x808080, 0x808080},
};

constexpr TGridDropDownStyleRow kOffice2010Styles[] = {
    {tsOffice2010Blue, 0xEDDBCD, clNone, true, kOffice2010Font, scCustom, kOffice2010Selection, clBlack,
     kOffice2010Line, kOffice2010Line},
    {tsOffice2010Silver, 0xEDE9E5, clNone, true, kOffice2010Font, scCustom, kOffice2010Selection, clBlack,
     kOffice2010Line, kOffice2010Line},
    {tsOffice2010Black, 0x828282, clNone, true, 0xD7D7D6, scCustom, kOffice2010Selection, clBlack, kOffice2010Line,
     kOffice2010Line},
};
}  // namespace

const TGridDropDownStyleRow* FindGridDropDownStyle(TQELStyle AStyle, bool WithOffice2010) {
  for (const TGridDropDownStyleRow& row : kGridDropDownStyles)
    if (row.Style == AStyle) return &row;
  if (WithOffice2010)
    for (const TGridDropDownStyleRow& row : kOffice2010Styles)
      if (row.Style == AStyle) return &row;
  return nullptr;
}
