#pragma once
// A canvas on an image for pixel-exact tests (24-bit, white unless said otherwise).
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Graphics.h"

// A 24-bit bitmap of Width x Height whose pixels take Colors in turn, row by row (white when
// Colors is empty), written straight into its rows.
std::unique_ptr<TBitmap> PatternBitmap(int Width, int Height, const std::vector<TColor>& Colors);
// RGB of a pixel of a 24- or 32-bit bitmap, read straight from its rows.
TColor BitmapPixel(TBitmap* Bitmap, int X, int Y);
// The colours of the pixels of R (clipped to the bitmap), each with how many pixels have it.
std::map<TColor, int> BitmapColors(TBitmap* Bitmap, const TRect& R);
// The pixels along the edge of R (its outermost rows and columns; R lies inside the bitmap), each
// pixel once.
std::vector<TColor> BitmapEdge(TBitmap* Bitmap, const TRect& R);

class TImageCanvas {
 public:
  TImageCanvas(int width, int height, TColor fill = clWhite);
  TCanvas* Canvas() { return bitmap_.Canvas(); }
  TBitmap* Bitmap() { return &bitmap_; }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
  // The resolution the canvas answers (96 unless set): a raster of a printer's page at Dpi.
  void SetPixelsPerInch(int Dpi);
  // RGB of a pixel (clNone outside the image).
  TColor Pixel(int x, int y);
  // The pixels of r as text, one string a row: each colour found in legend becomes its letter,
  // any other colour `other`.
  std::vector<std::string> Art(const TRect& r, const std::map<TColor, char>& legend, char other = '?');
  // All pixels, row by row (for before/after comparisons).
  std::vector<TColor> Snapshot();
  int CountColor(TColor c);
  bool SavePng(const String& path);

 private:
  TBitmap bitmap_;
};
