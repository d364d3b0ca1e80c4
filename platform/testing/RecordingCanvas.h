#pragma once
// A canvas that draws nothing and records every drawing call with its coordinates and the pen,
// brush and font colours in force. Calls made inside a recorded call (the text lines DrawText
// puts out, say) are not recorded again. Measuring goes through the metrics source as usual.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Graphics.h"

struct TRecordedCall {
  std::string Name;        // "Rectangle", "LineTo", "TextOut", "DrawText", ...
  std::vector<int> Args;   // coordinates, flags, colours, in the order of the call
  String Text;             // text of text calls, theme class of theme calls
  TColor PenColor = clNone;
  TColor BrushColor = clNone;
  TBrushStyle BrushStyle = bsSolid;
  TColor FontColor = clNone;
  // "Rectangle(0,0,4,3)", "TextOut(5,6,'abc')".
  std::string ToString() const;
};

class TRecordingCanvas : public TCanvas {
 public:
  const std::vector<TRecordedCall>& Calls() const { return calls_; }
  // The calls' ToString(), one a line.
  std::string Log() const;
  // Only the calls with this name.
  std::vector<TRecordedCall> CallsNamed(const std::string& name) const;
  void Clear() { calls_.clear(); }
  // Also records the calls made inside other calls (the lines and underlines of DrawText).
  void SetRecordNested(bool v) { recordNested_ = v; }

  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void Rectangle(int l, int t, int r, int b) override;
  using TCanvas::Rectangle;
  void FillRect(const TRect& r) override;
  void FrameRect(const TRect& r) override;
  void RoundRect(int l, int t, int r, int b, int ellipseW, int ellipseH) override;
  void Ellipse(int l, int t, int r, int b) override;
  using TCanvas::Ellipse;
  void Polygon(const std::vector<TPoint>& points) override;
  void Polyline(const std::vector<TPoint>& points) override;
  // Reads back what SetPixels wrote; clNone elsewhere.
  TColor Pixels(int x, int y) override;
  void SetPixels(int x, int y, TColor c) override;
  void DrawFocusRect(const TRect& r) override;
  void FloodFill(int x, int y, TColor c, TFillStyle style) override;
  void ExtTextOut(int x, int y, unsigned options, const TRect* rect, const String& text) override;
  void SetClipRect(const TRect& r) override;
  void IntersectClipRect(const TRect& r) override;
  void ExcludeClipRect(const TRect& r) override;
  void SelectClipRgn(std::nullptr_t) override;
  void SetClipEllipse(const TRect& r) override;
  void SetClipRoundRect(const TRect& r, int ellipseW, int ellipseH) override;
  bool RectVisible(const TRect& r) override;
  int SaveDC() override;
  bool RestoreDC(int saved) override;
  // Args: x, y, graphic width, height.
  void Draw(int x, int y, TGraphic* graphic) override;
  void StretchDraw(const TRect& r, TGraphic* graphic) override;
  void CopyRect(const TRect& dest, TCanvas* source, const TRect& src) override;
  void BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& src, TColor key) override;
  // Args: rect left, top, right, bottom, flags; the rectangle as given (before CALCRECT).
  int DoDrawText(const String& text, TRect& r, unsigned flags) override;
  bool DoDrawEdge(TRect& r, unsigned edge, unsigned flags) override;
  bool DoDrawFrameControl(const TRect& r, unsigned type, unsigned state) override;
  bool DoThemeDrawBackground(const String& themeClass, int part, int state, const TRect& r) override;

 private:
  // Records unless inside another recorded call; returns whether it did.
  bool Record(std::string name, std::vector<int> args, String text = {});
  struct Nest {
    explicit Nest(int& d) : d_(d) { ++d_; }
    ~Nest() { --d_; }
    int& d_;
  };
  std::vector<TRecordedCall> calls_;
  std::map<std::pair<int, int>, TColor> pixels_;
  std::vector<TSavedState> saved_;
  int depth_ = 0;
  bool recordNested_ = false;
};
