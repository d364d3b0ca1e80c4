// The balloon tooltip window of the grid's cell balloons: set up when balloons are enabled (at
// window creation, after loading, or when Balloon.Enable changes) and destroyed when disabled.
#include "grid/core/AdvGrid.h"

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
