// The balloon tooltip window of the grid's cell balloons: set up when balloons are enabled (at
// window creation, after loading, or when Balloon.Enable changes) and destroyed when disabled;
// the grid answers its request for the text of the cell under the mouse.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"

namespace {
constexpr size_t kBalloonMaxText = 2048;
constexpr size_t kBalloonMaxTitle = 100;
constexpr int kBalloonTipWidth = 300;
}  // namespace

void TAdvStringGrid::BalloonInit() {
  if (FBalloonSettings->Init()) return;
  FBalloonSettings->SetInit(true);
  FHToolTip = std::make_unique<TBalloonToolTip>(this);
  FHToolTip->SetTitle(u"ToolTipText", TTI_ERROR);
  const std::pair<int, int> delays[] = {{TTDT_INITIAL, FBalloonSettings->InitialDelay()},
                                        {TTDT_RESHOW, FBalloonSettings->ReshowDelay()},
                                        {TTDT_AUTOPOP, FBalloonSettings->AutoHideDelay()}};
  for (const auto& [which, ms] : delays)
    if (ms != -1) FHToolTip->SetDelayTime(which, ms);
  if (const uint8_t t = FBalloonSettings->Transparency(); t != 0) FHToolTip->SetAlpha(static_cast<uint8_t>(255 - t));
}

void TAdvStringGrid::BalloonDone() {
  if (!FBalloonSettings->Init()) return;
  FHToolTip.reset();
  FBalloonSettings->SetInit(false);
}

void TAdvStringGrid::BalloonEnableChanged() {
  if (Loading()) return;
  if (FBalloonSettings->Enable())
    BalloonInit();
  else
    BalloonDone();
}

bool TAdvStringGrid::BalloonNotify(TMessage& Message) {
  const auto* hdr = reinterpret_cast<const TNMHdr*>(Message.LParam);
  if (!hdr) return false;
  switch (hdr->Code) {
    case TTN_GETDISPINFO:
      if (FBalloonSettings->Enable()) BalloonAnswer(*reinterpret_cast<TToolTipText*>(Message.LParam));
      return true;
    case TTN_SHOW:
    case TTN_POP: return true;
    default: return false;
  }
}

void TAdvStringGrid::BalloonAnswer(TToolTipText& Info) {
  const TPoint at = ScreenToClient(GetCursorPos());
  int dcol = -1, drow = -1;
  MouseToCell(at.X, at.Y, dcol, drow);
  int rcol = -1;
  if (dcol != -1 && drow != -1) {
    const TPoint base = BaseCell(RealColIndex(dcol), drow);
    rcol = base.X;
    drow = base.Y;
    dcol = DisplColIndex(rcol);
  }
  String text;
  if (dcol != -1 && drow != -1) {
    text = GetGridCell(rcol, drow);
    switch (ClassifyCellText(text, EnableHTML())) {
      case 1: text = StripHTMLTags(text); break;
      case 2: text = RichCellPlainText(rcol, drow); break;
      case 5: text = GetWideCells(rcol, drow); break;
      default: break;
    }
  }
  for (Char& c : text)
    if (c == u'\t') c = u' ';
  size_t skip = 0;
  while (skip < text.size() && (text[skip] == u'\r' || text[skip] == u'\n' || text[skip] == u'\t')) ++skip;
  text = text.size() > kBalloonMaxText ? text.substr(skip, kBalloonMaxText - 3) + u"..." : text.substr(skip);
  int icon = 1;
  String title = u" ";
  if (dcol >= 0 && drow >= 0) {
    TBalloonIcon bi = biInfo;
    if (IsBalloon(rcol, drow, title, text, bi)) icon = static_cast<int>(bi);
  }
  if (OnCellBalloon) OnCellBalloon(this, rcol, drow, title, text, icon);
  FLastBalloonPos = TPoint{dcol, drow};
  FToolTipBuffer = text;
  Info.Text = FToolTipBuffer.c_str();
  if (title.size() > kBalloonMaxTitle) title = title.substr(0, kBalloonMaxTitle - 3) + u"...";
  if (!FHToolTip) return;
  FHToolTip->SetMaxTipWidth(kBalloonTipWidth);
  if (FBalloonSettings->TextColor() != clNone) FHToolTip->SetTipTextColor(ColorToRGB(FBalloonSettings->TextColor()));
  if (FBalloonSettings->BackgroundColor() != clNone)
    FHToolTip->SetTipBkColor(ColorToRGB(FBalloonSettings->BackgroundColor()));
  FHToolTip->SetTitle(title, icon);
}

void TAdvStringGrid::BalloonFollow(TPoint BaseCell) {
  if (!FBalloonSettings->Enable() || FLastBalloonPos.X == -1) return;
  if (BaseCell.X == FLastBalloonPos.X && BaseCell.Y == FLastBalloonPos.Y) return;
  if (FHToolTip) FHToolTip->Pop();
  FLastBalloonPos = TPoint{-1, -1};
}
