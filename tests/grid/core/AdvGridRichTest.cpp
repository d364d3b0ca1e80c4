// Rich-text cells: conversion through the grid's rich edit, painting, measuring, the selected
// text, the save hook, and the grid's rich control.
#include <gtest/gtest.h>

#include <string>

#include "AdvGridTestSupport.h"
#include "platform/testing/ImageCanvas.h"

namespace {

using advgrid_test::GridForm;

const String kRichBold = u"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20\\b WWWW\\b0\\par\r\n\\i x\\u8364?}";
const String kRichPlain = u"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 WWWW\\par\r\n\\i x\\u8364?}";

struct RichForm : GridForm<> {
  RichForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    grid->SetDefaultColWidth(90);
    grid->SetDefaultRowHeight(40);
  }
  // Dark and red pixels of a cell painted alone on a white image.
  struct Ink {
    int Dark = 0;
    int Red = 0;
  };
  Ink Paint(int DCol, int DRow, TGridDrawState State = {}) {
    const TRect r = grid->CellRect(DCol, DRow);
    TImageCanvas img(r.Right + 4, r.Bottom + 4);
    grid->DrawCellContent(img.Canvas(), DCol, DRow, r, State);
    Ink ink;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const TColor p = img.Pixel(x, y);
        const int R = GetRValue(p), G = GetGValue(p), B = GetBValue(p);
        if (R + G + B < 300) ++ink.Dark;
        if (R > 150 && G < 100 && B < 100) ++ink.Red;
      }
    return ink;
  }
};

TEST(AdvGridRich, CellRoundTripsThroughTheRichEdit) {
  RichForm f;
  f.grid->SetCellEx(1, 1, kRichBold);
  TAdvRichEdit* re = f.grid->RichEdit();
  f.grid->CellToRich(1, 1, re);
  EXPECT_EQ(re->GetText(), u"WWWW\r\nx\x20ac");
  EXPECT_TRUE(re->Runs().front().Format.Bold);
  f.grid->RichToCell(2, 2, re);
  const String stored = f.grid->GetCellEx(2, 2);
  EXPECT_EQ(stored.substr(0, 5), u"{\\rtf");
  // Stored once in the rich edit's own form, the cell comes back unchanged.
  f.grid->CellToRich(2, 2, re);
  EXPECT_EQ(f.grid->RichToString(re), stored);
  EXPECT_EQ(re->GetText(), u"WWWW\r\nx\x20ac");
  EXPECT_TRUE(re->Runs().front().Format.Bold);
  EXPECT_TRUE(re->Runs().back().Format.Italic);
}

TEST(AdvGridRich, PrinterPageGetsTheCellAtItsOwnResolution) {
  RichForm f;
  f.grid->SetCellEx(1, 1, u"{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs20 WW}");
  f.grid->SetXYOffset(Point(4, 4));
  // The ink's box on a page at Dpi, the cell's rectangle scaled to it.
  struct Box {
    int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1, Dark = 0;
  };
  auto inkAt = [&](int Dpi) {
    const int k = Dpi / 96;
    TImageCanvas page(100 * k, 40 * k);
    page.SetPixelsPerInch(Dpi);
    f.grid->DrawRichTextCell(1, 1, Rect(0, 0, 100 * k, 40 * k), page.Canvas());
    Box b;
    for (int y = 0; y < page.Height(); ++y)
      for (int x = 0; x < page.Width(); ++x) {
        const TColor p = page.Pixel(x, y);
        if (GetRValue(p) + GetGValue(p) + GetBValue(p) >= 300) continue;
        ++b.Dark;
        b.Left = std::min(b.Left, x);
        b.Top = std::min(b.Top, y);
        b.Right = std::max(b.Right, x + 1);
        b.Bottom = std::max(b.Bottom, y + 1);
      }
    return b;
  };
  const Box screen = inkAt(96), printer = inkAt(288);
  ASSERT_GT(screen.Dark, 10);
  // Three times the pixels each way: the same text at the same size on paper.
  EXPECT_NEAR(printer.Bottom - printer.Top, 3 * (screen.Bottom - screen.Top), 3);
  EXPECT_NEAR(printer.Right - printer.Left, 3 * (screen.Right - screen.Left), 3);
  EXPECT_GT(printer.Dark, screen.Dark * 6);
  // The text offset is scaled too.
  EXPECT_GE(screen.Left, 4);
  EXPECT_GE(printer.Left, 12);
  EXPECT_LT(printer.Left, 3 * screen.Left + 3);
}

TEST(AdvGridRich, PlainTextEditGivesItsText) {
  RichForm f;
  TRichEdit* plain = New<TRichEdit>(f.form);
  plain->SetPlainText(true);
  plain->SetText(u"a\x4e2d");
  EXPECT_EQ(f.grid->RichToString(plain), u"a\x4e2d");
}

TEST(AdvGridRich, CellPaintsFormatted) {
  RichForm f;
  f.grid->SetCellEx(1, 2, kRichPlain);
  f.grid->SetCellEx(2, 2, kRichBold);
  f.grid->SetCellEx(3, 2, u"{\\rtf1 not {\\b readable");
  const RichForm::Ink plain = f.Paint(1, 2), bold = f.Paint(2, 2);
  EXPECT_GT(plain.Dark, 20);
  EXPECT_GT(bold.Dark, plain.Dark * 9 / 8);  // the bold strokes
  EXPECT_GT(f.Paint(3, 2).Dark, 20);  // unreadable RTF shows as its text
}

TEST(AdvGridRich, SelectedCellShowsTheSelectionTextColour) {
  RichForm f;
  f.grid->SetSelectionColor(clWhite);
  f.grid->SetSelectionTextColor(clRed);
  f.grid->SetCellEx(2, 2, kRichBold);
  f.grid->SetCellEx(1, 1, kRichBold);
  EXPECT_EQ(f.Paint(2, 2).Red, 0);
  f.grid->SetSelection(TGridRect{2, 2, 2, 2});
  // The focused current cell counts as selected only when drawn so.
  ASSERT_TRUE(f.grid->Focused());
  EXPECT_EQ(f.Paint(2, 2, TGridDrawState{gdSelected}).Red, 0);
  f.grid->SetOptions(f.grid->Options() | goDrawFocusSelected);
  EXPECT_GT(f.Paint(2, 2, TGridDrawState{gdSelected}).Red, 20);
  f.grid->SelectionRTFKeep = true;
  EXPECT_EQ(f.Paint(2, 2, TGridDrawState{gdSelected}).Red, 0);
}

TEST(AdvGridRich, MeasuredSizeIsTheEditorsRequest) {
  RichForm f;
  f.grid->SetWordWrap(false);
  f.grid->SetCellEx(1, 1, kRichBold);
  const TSize one = f.grid->GetCellTextSize(1, 1, false, false);
  TAdvRichEdit* re = f.grid->RichEdit();
  EXPECT_EQ(one.cx, re->ReqWidth());
  EXPECT_EQ(one.cy, re->ReqHeight() + 4);
  EXPECT_GT(one.cx, 10);
  f.grid->SetCellEx(1, 1, u"{\\rtf1\\fs48 WWWW\\par x\\par y}");
  const TSize big = f.grid->GetCellTextSize(1, 1, false, false);
  EXPECT_GT(big.cx, one.cx);
  EXPECT_GT(big.cy, one.cy);
}

TEST(AdvGridRich, SelectedTextGivesThePlainText) {
  RichForm f;
  f.grid->SetCellEx(1, 1, kRichBold);
  f.grid->SetCellEx(2, 1, u"plain");
  f.grid->SetSelection(TGridRect{1, 1, 2, 1});
  EXPECT_EQ(f.grid->SelectedText(), u"WWWW\r\nx\x20ac\tplain");
}

TEST(AdvGridRich, SaveHookKeepsRtfOrGivesPlainText) {
  RichForm f;
  f.grid->SetCellEx(1, 1, kRichBold);
  f.grid->SaveWithRTF = true;
  String expected;
  for (Char c : kRichBold)
    if (c != u'\r' && c != u'\n') expected += c;
  EXPECT_EQ(f.grid->SaveCell(1, 1), expected);
  f.grid->SaveWithRTF = false;
  EXPECT_EQ(f.grid->SaveCell(1, 1), u"WWWW\r\nx\x20ac");
}

TEST(AdvGridRich, SuperscriptSubscriptAndNormalSelection) {
  RichForm f;
  TAdvRichEdit* re = f.grid->RichEdit();
  re->SetText(u"x2");
  re->SetSelStart(1);
  re->SetSelLength(1);
  struct Case {
    void (TAdvRichEdit::*Set)();
    bool Normal, Sub, Super;
  };
  const Case cases[] = {{&TAdvRichEdit::SelSuperscript, false, false, true},
                        {&TAdvRichEdit::SelNormal, true, false, false},
                        {&TAdvRichEdit::SelSubscript, false, true, false}};
  for (const Case& c : cases) {
    (re->*c.Set)();
    EXPECT_EQ(re->IsSelNormal(), c.Normal);
    EXPECT_EQ(re->IsSelSubscript(), c.Sub);
    EXPECT_EQ(re->IsSelSuperscript(), c.Super);
  }
}

TEST(AdvGridRich, HiddenRichEditIsMadeOnceAndLetsTheMouseThrough) {
  RichForm f;
  TAdvRichEdit* re = f.grid->RichEdit();
  EXPECT_EQ(f.grid->RichEdit(), re);
  EXPECT_FALSE(re->Visible());
  EXPECT_EQ(re->Parent(), f.grid);
  EXPECT_TRUE(GetWindowExStyle(re) & WS_EX_TRANSPARENT);
}

}  // namespace
