#include "platform/testing/FakeMetrics.h"

TScopedFakeMetrics::TScopedFakeMetrics(int charWidth, int ascent, int descent, int leading)
    : metrics_(charWidth, ascent, descent, leading), previous_(DefaultTextMetrics()) {
  SetDefaultTextMetrics(&metrics_);
}

TScopedFakeMetrics::~TScopedFakeMetrics() { SetDefaultTextMetrics(previous_); }
