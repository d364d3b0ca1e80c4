#pragma once
// Fixed text metrics for layout tests: every character has the same width, every font the same
// ascent and descent, so positions are exact and never depend on the installed fonts.
#include "platform/Graphics.h"

class TFakeMetrics : public TTextMetricsSource {
 public:
  // Defaults: 7 pixels a character, ascent 10 + descent 3 = line height 13, leading 2.
  explicit TFakeMetrics(int charWidth = 7, int ascent = 10, int descent = 3, int leading = 2)
      : charWidth_(charWidth), ascent_(ascent), descent_(descent), leading_(leading) {}

  int TextWidth(const TFont&, std::u16string_view text) override {
    return charWidth_ * static_cast<int>(text.size());
  }
  int Ascent(const TFont&) override { return ascent_; }
  int Descent(const TFont&) override { return descent_; }
  int ExternalLeading(const TFont&) override { return leading_; }
  int AveCharWidth(const TFont&) override { return charWidth_; }

  int CharWidth() const { return charWidth_; }
  int LineHeight() const { return ascent_ + descent_; }

 private:
  int charWidth_;
  int ascent_;
  int descent_;
  int leading_;
};

// Installs fake metrics as the process default for the scope (canvases without metrics of
// their own measure with them); the previous default comes back at the end.
class TScopedFakeMetrics {
 public:
  explicit TScopedFakeMetrics(int charWidth = 7, int ascent = 10, int descent = 3, int leading = 2);
  ~TScopedFakeMetrics();
  TScopedFakeMetrics(const TScopedFakeMetrics&) = delete;
  TScopedFakeMetrics& operator=(const TScopedFakeMetrics&) = delete;
  TFakeMetrics& Metrics() { return metrics_; }

 private:
  TFakeMetrics metrics_;
  TTextMetricsSource* previous_ = nullptr;
};
