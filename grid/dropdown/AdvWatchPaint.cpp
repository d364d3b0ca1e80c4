// The analog clock's painting: the face into a cache, the hands over a copy of it.
#include <algorithm>
#include <cmath>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvWatch.h"

namespace {
int WatchPaintRound(double X) { return static_cast<int>(std::nearbyint(X)); }
TPoint WatchPaintPoint(TPoint Centre, double Degrees, double Distance) {
  const double a = Degrees * 3.14159265358979323846 / 180.0;
  return Point(WatchPaintRound(Centre.X + std::sin(a) * Distance), WatchPaintRound(Centre.Y - std::cos(a) * Distance));
}
void WatchLine(TCanvas* C, TPoint From, TPoint To) {
  C->MoveTo(From.X, From.Y);
  C->LineTo(To.X, To.Y);
}
void WatchCircle(TCanvas* C, TPoint Centre, double Size) {
  const int l = WatchPaintRound(Centre.X - Size / 2), t = WatchPaintRound(Centre.Y - Size / 2);
  const int s = WatchPaintRound(Size);
  C->Ellipse(l, t, l + s, t + s);
}
}  // namespace

void TAdvWatch::Paint() {
  TCanvas* c = Canvas();
  const TRect client = ClientRect();
  if (!FHandsOnly || !FCacheValid || FCache->Width() != client.Right || FCache->Height() != client.Bottom) {
    // A fresh bitmap: a region clip selected on a reused bitmap's canvas does not hold on the next
    // face drawing.
    FCache = std::make_unique<TBitmap>();
    FCache->SetSize(client.Right, client.Bottom);
    TCanvas* cache = FCache->Canvas();
    cache->Brush()->SetStyle(bsSolid);
    cache->Brush()->SetColor(Parent() ? Parent()->Color() : Color());
    cache->FillRect(client);
    DrawFace(cache);
    FCacheValid = true;
  }
  FHandsOnly = false;
  c->Draw(0, 0, FCache.get());
  if (FAMPMScroll >= 0 && FShowAMPM) {
    // The AM/PM strip slid by the frame's offset, inside the box's frame.
    const TRect box = AMPMRect();
    const int h = box.Bottom - box.Top;
    c->SaveDC();
    c->IntersectClipRect(box);
    c->Brush()->SetStyle(bsSolid);
    c->Brush()->SetColor(FAppearance->AMPMColor());
    c->FillRect(box);
    c->Font()->Assign(FAppearance->AMPMFont());
    c->Brush()->SetStyle(bsClear);
    TRect am = Rect(box.Left, box.Top - FAMPMScroll, box.Right, box.Top - FAMPMScroll + h);
    DrawText(c, u"AM", am, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    TRect pm = Rect(box.Left, am.Bottom, box.Right, am.Bottom + h);
    DrawText(c, u"PM", pm, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
    c->RestoreDC(-1);
  }
  DrawHands(c);
}

void TAdvWatch::DrawFace(TCanvas* C) {
  TWatchAppearance* a = FAppearance.get();
  const TRect face = FaceRect();
  const TPoint ctr = Centre();
  const int r = Radius();
  const TRect bg = a->Shape() == wsCircle ? face : ClientRect();
  const TRect clip = Rect(bg.Left - 1, bg.Top - 1, bg.Right + 2, bg.Bottom + 2);
  C->SaveDC();
  if (a->Shape() == wsCircle) C->SetClipEllipse(clip);
  else if (a->Shape() == wsRoundRect) C->SetClipRoundRect(clip, 20, 20);
  if (a->BackgroundColor() != clNone && a->BackgroundColorTo() != clNone) {
    DrawGradient(C, a->BackgroundColor(), a->BackgroundColorTo(), 80, bg, a->BackgroundGradient() == wgRadial);
  } else if (a->BackgroundColor() != clNone) {
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(a->BackgroundColor());
    C->FillRect(bg);
  }
  if (a->BorderColor() != clNone && a->BorderWidth() > 0) {
    C->Pen()->SetColor(a->BorderColor());
    C->Pen()->SetWidth(a->BorderWidth());
    C->Brush()->SetStyle(bsClear);
    if (a->Shape() == wsCircle) C->Ellipse(bg);
    else if (a->Shape() == wsRect) C->Rectangle(bg);
    else C->RoundRect(bg.Left, bg.Top, bg.Right, bg.Bottom, 20, 20);
  }
  if (TGraphic* g = a->Picture()->Graphic(); g && !g->Empty()) {
    g->SetTransparent(true);
    C->Draw(0, 0, g);
  }
  C->SelectClipRgn(nullptr);
  C->RestoreDC(-1);

  // Tick marks.
  if (a->TickMarks() != tmNone) {
    const int outer = r - a->BorderWidth() / 2;
    const int hourInner = a->HourMarkLength() > 0 ? outer - a->HourMarkLength() : WatchPaintRound(outer * 0.9);
    C->Pen()->SetColor(a->HourColor());
    C->Pen()->SetWidth(a->HourMarkWidth());
    for (int i = 0; i < 12; ++i) {
      const bool quarter = i % 3 == 0;
      if (!quarter && a->TickMarks() == tmQuartHours) continue;
      const double deg = i * 30.0;
      if (quarter && a->HourMarkStyle() == hmsQuartDblLine) {
        for (int side : {-2, 2}) {
          const TPoint shift = WatchPaintPoint(Point(0, 0), deg + 90, side);
          const TPoint from = WatchPaintPoint(ctr, deg, outer), to = WatchPaintPoint(ctr, deg, hourInner);
          WatchLine(C, Point(from.X + shift.X, from.Y + shift.Y), Point(to.X + shift.X, to.Y + shift.Y));
        }
      } else {
        WatchLine(C, WatchPaintPoint(ctr, deg, outer), WatchPaintPoint(ctr, deg, hourInner));
      }
    }
    if (a->TickMarks() == tmAll) {
      const int minuteInner = a->MinuteMarkLength() > 0 ? outer - a->MinuteMarkLength() : WatchPaintRound(outer * 0.95);
      C->Pen()->SetColor(a->MinuteColor());
      C->Pen()->SetWidth(a->MinuteMarkWidth());
      for (int i = 0; i < 60; ++i) {
        if (i % 5 == 0) continue;
        WatchLine(C, WatchPaintPoint(ctr, i * 6.0, outer), WatchPaintPoint(ctr, i * 6.0, minuteInner));
      }
    }
  }

  // Hour numbers.
  if (FShowNumbers && (a->TickMarks() == tmAll || a->TickMarks() == tmQuartHours)) {
    C->Font()->Assign(a->HourFont());
    C->Brush()->SetStyle(bsClear);
    const double rr = r - a->BorderWidth() / 2;
    const int b = a->HourMarkLength() > 0 ? a->HourMarkLength() : WatchPaintRound(rr - 0.9 * rr) + 2;
    for (int i = 1; i <= 12; ++i) {
      if (a->TickMarks() == tmQuartHours && i % 3 != 0) continue;
      const String text = IntToStr(i);
      const TSize size = C->TextExtent(text);
      const double k = i == 10 ? 0.2 * size.cy : i == 11 ? 0.15 * size.cy : 0;
      const TPoint p = WatchPaintPoint(ctr, i * 30.0, rr - 2 * b - 2 - k + b / 2);
      C->TextOut(p.X - size.cx / 2, p.Y - size.cy / 2, text);
    }
  }

  // AM/PM box.
  if (FShowAMPM) {
    const TRect box = AMPMRect();
    C->Font()->Assign(a->AMPMFont());
    if (a->AMPMColor() != clNone || a->AMPMBorderColor() != clNone) {
      C->Brush()->SetStyle(a->AMPMColor() != clNone ? bsSolid : bsClear);
      C->Brush()->SetColor(a->AMPMColor());
      C->Pen()->SetWidth(1);
      C->Pen()->SetStyle(a->AMPMBorderColor() != clNone ? psSolid : psClear);
      C->Pen()->SetColor(a->AMPMBorderColor());
      if (a->AMPMFrame() == apRoundRect) C->RoundRect(box.Left, box.Top, box.Right, box.Bottom, 5, 5);
      else C->Rectangle(box);
      C->Pen()->SetStyle(psSolid);
    }
    C->Brush()->SetStyle(bsClear);
    TRect t = box;
    DrawText(C, FAM ? u"AM" : u"PM", t, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
  }
}

void TAdvWatch::DrawHands(TCanvas* C) {
  TWatchAppearance* a = FAppearance.get();
  const TPoint ctr = Centre();
  const double r = Radius();
  uint16_t h = 0, m = 0, s = 0, ms = 0;
  DecodeTime(ShownTime(), h, m, s, ms);
  const double hourDeg = (h % 12) * 30.0 + m / 12.0 * 6.0;
  const double minuteDeg = m * 6.0;
  const double secondDeg = s * 6.0;
  const bool pointer = a->PointerStyle() == psPointer;
  auto line = [&](double Deg, double Tail, double Tip, TColor Color, int Width, TPoint Offset) {
    C->Pen()->SetColor(Color);
    C->Pen()->SetWidth(Width);
    const TPoint from = WatchPaintPoint(ctr, Deg + 180, Tail * r), to = WatchPaintPoint(ctr, Deg, Tip * r);
    WatchLine(C, Point(from.X + Offset.X, from.Y + Offset.Y), Point(to.X + Offset.X, to.Y + Offset.Y));
  };
  auto hand = [&](double Deg, double Tail, double Tip, TColor Color, TPoint Offset) {
    C->Pen()->SetWidth(1);
    C->Pen()->SetColor(Color);
    C->Brush()->SetStyle(bsSolid);
    C->Brush()->SetColor(Color);
    std::vector<TPoint> pts = {WatchPaintPoint(ctr, Deg + 180, Tail * r), WatchPaintPoint(ctr, Deg + 90, 0.05 * r),
                               WatchPaintPoint(ctr, Deg, Tip * r), WatchPaintPoint(ctr, Deg - 90, 0.05 * r)};
    for (TPoint& p : pts) p = Point(p.X + Offset.X, p.Y + Offset.Y);
    C->Polygon(pts);
  };
  if (a->PointerStyle() == psLine) {
    if (a->HourPointerShadow() != clNone) line(hourDeg, 0.1, 0.46, a->HourPointerShadow(), a->HourPointerSize(), Point(-1, 3));
    if (a->MinutePointerShadow() != clNone)
      line(minuteDeg, 0.1, 0.65, a->MinutePointerShadow(), a->MinutePointerSize(), Point(0, 3));
    line(hourDeg, 0.1, 0.5, a->HourPointer(), a->HourPointerSize(), Point(0, 0));
    line(minuteDeg, 0.1, 0.7, a->MinutePointer(), a->MinutePointerSize(), Point(0, 0));
  } else if (pointer) {
    if (a->HourPointerShadow() != clNone) hand(hourDeg, 0.1, 0.5, a->HourPointerShadow(), Point(1, 3));
    hand(hourDeg, 0.1, 0.5, a->HourPointer(), Point(0, 0));
    if (a->MinutePointerShadow() != clNone) hand(minuteDeg, 0.1, 0.7, a->MinutePointerShadow(), Point(1, 3));
    hand(minuteDeg, 0.1, 0.7, a->MinutePointer(), Point(0, 0));
  }
  if ((a->PointerStyle() == psLine || pointer) && FSettings->Auto() && FSettings->Second())
    line(secondDeg, 0.2, 0.9, a->SecondPointer(), a->SecondPointerSize(), Point(0, 0));

  // Centre point.
  const int size = a->CenterPointSize();
  if (size > 0) {
    C->Pen()->SetWidth(1);
    if (a->CenterPointColor() != clNone) {
      C->Pen()->SetColor(a->CenterPointColor());
      C->Brush()->SetStyle(bsSolid);
      C->Brush()->SetColor(a->CenterPointColor());
      WatchCircle(C, ctr, size);
    }
    int w = 0;
    C->Brush()->SetStyle(bsClear);
    if (a->CenterPointOuterBorderColor() != clNone) {
      w = WatchPaintRound(0.2 * size);
      C->Pen()->SetColor(a->CenterPointOuterBorderColor());
      C->Pen()->SetWidth(std::max(1, w));
      WatchCircle(C, ctr, size);
    }
    if (a->CenterPointBorderColor() != clNone) {
      C->Pen()->SetColor(a->CenterPointBorderColor());
      C->Pen()->SetWidth(std::max(1, WatchPaintRound(0.1 * size)));
      WatchCircle(C, ctr, size - w);
    }
  }
}
