#pragma once
// A canvas on an image for pixel-exact tests (24-bit, white unless said otherwise).
#include <map>
#include <string>
#include <vector>

#include "platform/Graphics.h"

class TImageCanvas {
 public:
  TImageCanvas(int width, int height, TColor fill = clWhite);
  TCanvas* Canvas() { return bitmap_.Canvas(); }
  TBitmap* Bitmap() { return &bitmap_; }
  int Width() const { return bitmap_.Width(); }
  int Height() const { return bitmap_.Height(); }
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
