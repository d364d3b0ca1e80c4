#pragma once
// A real widget that paints a few lines of Verdana -13 in black on white, either by Qt itself or
// through the Qt canvas, so a test can compare what the two put on a widget.
#include <QImage>
#include <memory>
#include <vector>

#include "platform/UString.h"

class TQtTextWidget {
 public:
  TQtTextWidget(std::vector<String> Texts, int Width, int Height);
  ~TQtTextWidget();
  void SetThroughCanvas(bool Value);
  // The widget's painting, in RGB32.
  QImage Grab();

 private:
  struct TImpl;
  std::unique_ptr<TImpl> FImpl;
};
