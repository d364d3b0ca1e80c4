#include "platform/testing/QtTextWidget.h"

#include <QPainter>
#include <QWidget>

#include "platform/qt/QtCanvas.h"

namespace {

class TTextWidget : public QWidget {
 public:
  bool ThroughCanvas = false;
  std::vector<String> Texts;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.fillRect(rect(), QColor(255, 255, 255));
    TFont font;
    font.SetName(u"Verdana");
    font.SetHeight(-13);
    if (!ThroughCanvas) {
      const TQtFontEntry& qf = CachedQtFont(font);
      p.setRenderHint(QPainter::TextAntialiasing, false);
      p.setFont(qf.Font);
      p.setPen(QColor(0, 0, 0));
      for (size_t i = 0; i < Texts.size(); ++i)
        p.drawText(QPoint(4, 22 * static_cast<int>(i) + 2 + qf.Ascent),
                   QString::fromUtf16(Texts[i].data(), static_cast<qsizetype>(Texts[i].size())));
      return;
    }
    TQtCanvas c;
    c.Bind(&p);
    c.Font()->Assign(&font);
    c.Font()->SetColor(clBlack);
    c.SetBkMode(TRANSPARENT);
    for (size_t i = 0; i < Texts.size(); ++i) c.ExtTextOut(4, 22 * static_cast<int>(i) + 2, 0, nullptr, Texts[i]);
    c.Unbind();
  }
};

}  // namespace

struct TQtTextWidget::TImpl {
  TTextWidget Widget;
};

TQtTextWidget::TQtTextWidget(std::vector<String> Texts, int Width, int Height) : FImpl(std::make_unique<TImpl>()) {
  FImpl->Widget.Texts = std::move(Texts);
  FImpl->Widget.resize(Width, Height);
}

TQtTextWidget::~TQtTextWidget() = default;

void TQtTextWidget::SetThroughCanvas(bool Value) { FImpl->Widget.ThroughCanvas = Value; }

QImage TQtTextWidget::Grab() { return FImpl->Widget.grab().toImage().convertToFormat(QImage::Format_RGB32); }
