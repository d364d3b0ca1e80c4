#include "shell/UShellGlyphs.h"

#include <vector>

#include "button/LbButton.h"

namespace {

std::unique_ptr<TBitmap> Blank(int w, int h) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(w, h);
  TCanvas* c = bmp->Canvas();
  c->Brush()->SetColor(Glyph_Background);
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(Rect(0, 0, w, h));
  return bmp;
}

void Pen(TCanvas* c, TColor color, int width = 1) {
  c->Pen()->SetColor(color);
  c->Pen()->SetWidth(width);
  c->Pen()->SetStyle(psSolid);
}

void Fill(TCanvas* c, TColor color) {
  c->Brush()->SetColor(color);
  c->Brush()->SetStyle(bsSolid);
}

void Line(TCanvas* c, int x1, int y1, int x2, int y2) {
  c->MoveTo(x1, y1);
  c->LineTo(x2, y2);
}

constexpr TColor kBlue = 0xB0642A;     // steel blue (BGR)
constexpr TColor kDarkBlue = 0x6E3A14;
constexpr TColor kOrange = 0x1C8CF0;
constexpr TColor kGreen = 0x3CA03C;
constexpr TColor kRed = 0x3030D0;
constexpr TColor kPaper = 0xFAFAFA;
constexpr TColor kFolder = 0x40C0F0;

// Step glyphs, 24 x 24.
void Document(TCanvas* c, TColor edge) {
  Pen(c, edge);
  Fill(c, kPaper);
  c->Polygon({Point(4, 2), Point(15, 2), Point(20, 7), Point(20, 22), Point(4, 22)});
  Line(c, 15, 2, 15, 7);
  c->LineTo(20, 7);
}

void DrawNew(TCanvas* c) {
  Document(c, kDarkBlue);
  Pen(c, kGreen, 3);
  Line(c, 12, 10, 12, 20);
  Line(c, 7, 15, 17, 15);
}

void DrawOpen(TCanvas* c) {
  Pen(c, 0x1870A0);
  Fill(c, kFolder);
  c->Polygon({Point(2, 5), Point(9, 5), Point(11, 8), Point(21, 8), Point(21, 20), Point(2, 20)});
  Fill(c, 0x80E0FF);
  c->Polygon({Point(5, 11), Point(23, 11), Point(20, 20), Point(2, 20)});
}

void DrawSettings(TCanvas* c) {
  // Three sliders.
  for (int i = 0; i < 3; ++i) {
    const int y = 5 + i * 7;
    Pen(c, kDarkBlue, 2);
    Line(c, 3, y, 21, y);
    Pen(c, kDarkBlue);
    Fill(c, i == 1 ? kOrange : kBlue);
    const int x = i == 0 ? 14 : (i == 1 ? 7 : 17);
    c->Rectangle(x - 2, y - 3, x + 3, y + 4);
  }
}

void DrawRadio(TCanvas* c) {
  // An antenna with two arcs of waves.
  Pen(c, kDarkBlue, 2);
  Line(c, 12, 10, 12, 22);
  Line(c, 8, 22, 17, 22);
  Fill(c, kOrange);
  Pen(c, kDarkBlue);
  c->Ellipse(9, 6, 16, 13);
  Pen(c, kBlue, 2);
  c->Polyline({Point(6, 4), Point(4, 9), Point(6, 14)});
  c->Polyline({Point(18, 4), Point(20, 9), Point(18, 14)});
  c->Polyline({Point(3, 1), Point(1, 9), Point(3, 17)});
  c->Polyline({Point(21, 1), Point(23, 9), Point(21, 17)});
}

void DrawTable(TCanvas* c) {
  Pen(c, kDarkBlue);
  Fill(c, kPaper);
  c->Rectangle(2, 3, 22, 21);
  Fill(c, kBlue);
  c->FillRect(Rect(3, 4, 21, 8));
  Pen(c, 0xA0A0A0);
  for (int y = 11; y < 21; y += 4) Line(c, 3, y, 21, y);
  Line(c, 9, 8, 9, 20);
  Line(c, 15, 8, 15, 20);
}

void DrawMib(TCanvas* c) {
  Document(c, kDarkBlue);
  // A small tree of objects.
  Pen(c, kBlue);
  Line(c, 8, 9, 8, 19);
  Line(c, 8, 13, 12, 13);
  Line(c, 8, 18, 12, 18);
  Fill(c, kOrange);
  Pen(c, kDarkBlue);
  c->Rectangle(6, 7, 11, 11);
  c->Rectangle(12, 11, 17, 15);
  c->Rectangle(12, 16, 17, 20);
}

void DrawUpdate(TCanvas* c) {
  // A device with a download arrow.
  Pen(c, kDarkBlue);
  Fill(c, 0x707070);
  c->Rectangle(3, 15, 21, 22);
  Fill(c, kGreen);
  c->FillRect(Rect(5, 18, 8, 20));
  Fill(c, kGreen);
  Pen(c, 0x206020);
  c->Polygon({Point(9, 1), Point(15, 1), Point(15, 7), Point(19, 7), Point(12, 14), Point(5, 7), Point(9, 7)});
}

void DrawArrow(TCanvas* c) {
  Fill(c, kBlue);
  Pen(c, kDarkBlue);
  c->Polygon({Point(5, 9), Point(13, 9), Point(13, 4), Point(20, 12), Point(13, 20), Point(13, 15), Point(5, 15)});
}

// Header glyphs, 40 x 40.
void DrawInfo(TCanvas* c) {
  Pen(c, kDarkBlue, 2);
  Fill(c, kBlue);
  c->Ellipse(3, 3, 37, 37);
  Fill(c, clWhite);
  Pen(c, clWhite);
  c->Ellipse(17, 9, 23, 15);
  c->FillRect(Rect(17, 17, 23, 31));
  c->FillRect(Rect(15, 17, 23, 19));
  c->FillRect(Rect(15, 29, 25, 31));
}

void DrawOptions(TCanvas* c) {
  // A toothed wheel: eight teeth around a ring.
  Pen(c, 0x404040);
  Fill(c, 0x808080);
  const int cx = 20, cy = 20;
  const int teeth[8][2] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
  for (const auto& t : teeth) {
    const int dx = t[0], dy = t[1];
    const int r = (dx != 0 && dy != 0) ? 11 : 15;
    const int x = cx + dx * r, y = cy + dy * r;
    c->Rectangle(x - 4, y - 4, x + 5, y + 5);
  }
  c->Ellipse(7, 7, 34, 34);
  Fill(c, Glyph_Background);
  c->Ellipse(15, 15, 26, 26);
}

void DrawClose(TCanvas* c) {
  Pen(c, 0x202080, 2);
  Fill(c, kRed);
  c->RoundRect(3, 3, 37, 37, 10, 10);
  Pen(c, clWhite, 4);
  Line(c, 12, 12, 28, 28);
  Line(c, 28, 12, 12, 28);
}

}  // namespace

std::unique_ptr<TBitmap> Create_Main_Glyph(const String& ButtonName) {
  if (ButtonName == u"Btn_Info" || ButtonName == u"Btn_Opz" || ButtonName == u"Btn_Close") {
    auto bmp = Blank(40, 40);
    TCanvas* c = bmp->Canvas();
    if (ButtonName == u"Btn_Info") DrawInfo(c);
    else if (ButtonName == u"Btn_Opz") DrawOptions(c);
    else DrawClose(c);
    c->SetPixels(0, 39, Glyph_Background);
    return bmp;
  }
  auto bmp = Blank(24, 24);
  TCanvas* c = bmp->Canvas();
  if (ButtonName == u"Btn_New") DrawNew(c);
  else if (ButtonName == u"Btn_Open") DrawOpen(c);
  else if (ButtonName == u"Btn_Prm_Gen") DrawSettings(c);
  else if (ButtonName == u"Btn_LoRaWAN_Access") DrawRadio(c);
  else if (ButtonName == u"Btn_SNMP_Trap" || ButtonName == u"Btn_SNMP_Manager_Access") DrawTable(c);
  else if (ButtonName == u"Btn_SNMP_MIB") DrawMib(c);
  else if (ButtonName == u"Btn_CreateBin") DrawUpdate(c);
  else DrawArrow(c);
  c->SetPixels(0, 23, Glyph_Background);
  return bmp;
}

std::unique_ptr<TBitmap> Create_Dialog_Glyph(const String& Kind) {
  auto bmp = Blank(16, 16);
  TCanvas* c = bmp->Canvas();
  if (Kind == u"ok") {
    Pen(c, kGreen, 3);
    c->Polyline({Point(3, 8), Point(6, 12), Point(13, 3)});
  } else if (Kind == u"cancel") {
    Pen(c, kRed, 3);
    Line(c, 4, 4, 12, 12);
    Line(c, 12, 4, 4, 12);
  } else if (Kind == u"prev") {
    Fill(c, kBlue);
    Pen(c, kDarkBlue);
    c->Polygon({Point(11, 2), Point(11, 13), Point(4, 7)});
  } else {
    Fill(c, kBlue);
    Pen(c, kDarkBlue);
    c->Polygon({Point(4, 2), Point(4, 13), Point(11, 7)});
  }
  c->SetPixels(0, 15, Glyph_Background);
  return bmp;
}

std::unique_ptr<TBitmap> Create_Logo(int Size) {
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(Size, Size);
  TCanvas* c = bmp->Canvas();
  Fill(c, clWhite);
  c->FillRect(Rect(0, 0, Size, Size));
  // A gateway between two networks: two rings joined through a square.
  Pen(c, kDarkBlue, 3);
  Fill(c, kBlue);
  const int s = Size;
  c->RoundRect(s * 3 / 10, s * 3 / 10, s * 7 / 10, s * 7 / 10, s / 8, s / 8);
  Pen(c, kOrange, 3);
  Fill(c, clWhite);
  c->Ellipse(s / 20, s / 20, s * 3 / 10, s * 3 / 10);
  c->Ellipse(s * 7 / 10, s * 7 / 10, s * 19 / 20, s * 19 / 20);
  Line(c, s * 3 / 10 - s / 20, s * 3 / 10 - s / 20, s * 3 / 10 + 2, s * 3 / 10 + 2);
  Line(c, s * 7 / 10 - 2, s * 7 / 10 - 2, s * 7 / 10 + s / 20, s * 7 / 10 + s / 20);
  Pen(c, clWhite, 2);
  Line(c, s * 4 / 10, s / 2, s * 6 / 10, s / 2);
  Line(c, s / 2, s * 4 / 10, s / 2, s * 6 / 10);
  return bmp;
}

void Apply_Dialog_Button_Look(TLbButton* Button) {
  Button->SetStyle(bsEncarta);
  Button->SetColor(Shell_Window_Color);
  Button->SetColorWhenDown(0x0080FF);
  Button->SetHotTrackColor(clYellow);
  Button->SetLightColor(clGray);
}
