#include "platform/testing/RecordingCanvas.h"

#include <sstream>

std::string TRecordedCall::ToString() const {
  std::ostringstream o;
  o << Name << '(';
  bool first = true;
  for (int a : Args) {
    if (!first) o << ',';
    o << a;
    first = false;
  }
  if (!Text.empty()) {
    if (!first) o << ',';
    o << '\'' << StringToUtf8(Text) << '\'';
  }
  o << ')';
  return o.str();
}

std::string TRecordingCanvas::Log() const {
  std::string out;
  for (const auto& c : calls_) out += c.ToString() + "\n";
  return out;
}

std::vector<TRecordedCall> TRecordingCanvas::CallsNamed(const std::string& name) const {
  std::vector<TRecordedCall> out;
  for (const auto& c : calls_)
    if (c.Name == name) out.push_back(c);
  return out;
}

bool TRecordingCanvas::Record(std::string name, std::vector<int> args, String text) {
  if (depth_ > 0 && !recordNested_) return false;
  TRecordedCall c;
  c.Name = std::move(name);
  c.Args = std::move(args);
  c.Text = std::move(text);
  c.PenColor = pen_.Color();
  c.BrushColor = brush_.Color();
  c.BrushStyle = brush_.Style();
  c.FontColor = font_.Color();
  calls_.push_back(std::move(c));
  return true;
}

void TRecordingCanvas::MoveTo(int x, int y) {
  TCanvas::MoveTo(x, y);
  Record("MoveTo", {x, y});
}
void TRecordingCanvas::LineTo(int x, int y) {
  Record("LineTo", {x, y});
  penPos_ = {x, y};
}
void TRecordingCanvas::Rectangle(int l, int t, int r, int b) { Record("Rectangle", {l, t, r, b}); }
void TRecordingCanvas::FillRect(const TRect& r) { Record("FillRect", {r.Left, r.Top, r.Right, r.Bottom}); }
void TRecordingCanvas::FrameRect(const TRect& r) { Record("FrameRect", {r.Left, r.Top, r.Right, r.Bottom}); }
void TRecordingCanvas::RoundRect(int l, int t, int r, int b, int w, int h) { Record("RoundRect", {l, t, r, b, w, h}); }
void TRecordingCanvas::Ellipse(int l, int t, int r, int b) { Record("Ellipse", {l, t, r, b}); }
void TRecordingCanvas::Polygon(const std::vector<TPoint>& points) {
  std::vector<int> a;
  for (const TPoint& p : points) {
    a.push_back(p.X);
    a.push_back(p.Y);
  }
  Record("Polygon", a);
}
void TRecordingCanvas::Polyline(const std::vector<TPoint>& points) {
  std::vector<int> a;
  for (const TPoint& p : points) {
    a.push_back(p.X);
    a.push_back(p.Y);
  }
  Record("Polyline", a);
}
TColor TRecordingCanvas::Pixels(int x, int y) {
  auto it = pixels_.find({x, y});
  return it == pixels_.end() ? clNone : it->second;
}
void TRecordingCanvas::SetPixels(int x, int y, TColor c) {
  Record("SetPixels", {x, y, c});
  pixels_[{x, y}] = c;
}
void TRecordingCanvas::DrawFocusRect(const TRect& r) {
  Record("DrawFocusRect", {r.Left, r.Top, r.Right, r.Bottom});
}
void TRecordingCanvas::FloodFill(int x, int y, TColor c, TFillStyle style) {
  Record("FloodFill", {x, y, c, static_cast<int>(style)});
}
void TRecordingCanvas::ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text) {
  if (!rect && options == 0) {
    Record("TextOut", {x, y}, text);
    return;
  }
  std::vector<int> a{x, y, static_cast<int>(options)};
  if (rect) a.insert(a.end(), {rect->Left, rect->Top, rect->Right, rect->Bottom});
  Record("ExtTextOut", a, text);
}
void TRecordingCanvas::SetClipRect(const TRect& r) { Record("SetClipRect", {r.Left, r.Top, r.Right, r.Bottom}); }
void TRecordingCanvas::IntersectClipRect(const TRect& r) {
  Record("IntersectClipRect", {r.Left, r.Top, r.Right, r.Bottom});
}
void TRecordingCanvas::ExcludeClipRect(const TRect& r) {
  Record("ExcludeClipRect", {r.Left, r.Top, r.Right, r.Bottom});
}
void TRecordingCanvas::SelectClipRgn(std::nullptr_t) { Record("SelectClipRgn", {}); }
void TRecordingCanvas::SetClipEllipse(const TRect& r) { Record("SetClipEllipse", {r.Left, r.Top, r.Right, r.Bottom}); }
void TRecordingCanvas::SetClipRoundRect(const TRect& r, int ellipseW, int ellipseH) {
  Record("SetClipRoundRect", {r.Left, r.Top, r.Right, r.Bottom, ellipseW, ellipseH});
}
bool TRecordingCanvas::RectVisible(const TRect&) { return true; }
int TRecordingCanvas::SaveDC() {
  saved_.push_back(SaveBaseState());
  Record("SaveDC", {});
  return static_cast<int>(saved_.size());
}
bool TRecordingCanvas::RestoreDC(int saved) {
  Record("RestoreDC", {saved});
  int n = static_cast<int>(saved_.size());
  int target = saved < 0 ? n + saved + 1 : saved;
  if (target < 1 || target > n) return false;
  RestoreBaseState(saved_[target - 1]);
  saved_.resize(target - 1);
  return true;
}
void TRecordingCanvas::Draw(int x, int y, TGraphic* g) {
  Record("Draw", {x, y, g ? g->Width() : 0, g ? g->Height() : 0});
}
void TRecordingCanvas::StretchDraw(const TRect& r, TGraphic* g) {
  Record("StretchDraw", {r.Left, r.Top, r.Right, r.Bottom, g ? g->Width() : 0, g ? g->Height() : 0});
}
void TRecordingCanvas::CopyRect(const TRect& d, TCanvas*, const TRect& s) {
  Record("CopyRect", {d.Left, d.Top, d.Right, d.Bottom, s.Left, s.Top, s.Right, s.Bottom});
}
void TRecordingCanvas::BrushCopy(const TRect& d, TBitmap*, const TRect& s, TColor key) {
  Record("BrushCopy", {d.Left, d.Top, d.Right, d.Bottom, s.Left, s.Top, s.Right, s.Bottom, key});
}
int TRecordingCanvas::DoDrawText(const String& text, TRect& r, unsigned flags) {
  Record("DrawText", {r.Left, r.Top, r.Right, r.Bottom, static_cast<int>(flags)}, text);
  Nest n(depth_);
  return TCanvas::DoDrawText(text, r, flags);
}
bool TRecordingCanvas::DoDrawEdge(TRect& r, unsigned edge, unsigned flags) {
  Record("DrawEdge", {r.Left, r.Top, r.Right, r.Bottom, static_cast<int>(edge), static_cast<int>(flags)});
  Nest n(depth_);
  return TCanvas::DoDrawEdge(r, edge, flags);
}
bool TRecordingCanvas::DoDrawFrameControl(const TRect& r, unsigned type, unsigned state) {
  Record("DrawFrameControl", {r.Left, r.Top, r.Right, r.Bottom, static_cast<int>(type), static_cast<int>(state)});
  return true;
}
bool TRecordingCanvas::DoThemeDrawBackground(const String& cls, int part, int state, const TRect& r) {
  Record("ThemeDrawBackground", {part, state, r.Left, r.Top, r.Right, r.Bottom}, cls);
  return true;
}
