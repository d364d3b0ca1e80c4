// In-process drag and drop of controls (DragMode, BeginDrag, DragOver, DragDrop, EndDrag), run by
// the same mouse messages as all other input: the input pipeline hands every move and left
// release to the drag first while one is pending.
#include <cstdlib>

#include "platform/Controls.h"
#include "platform/Forms.h"
#include "platform/qt/ControlBackend.h"

namespace {

struct DragRun {
  TControl* Source = nullptr;
  bool Started = false;
  TPoint Start{};
  int Threshold = 5;
  TControl* Target = nullptr;  // the control under the mouse, asked by DragOver
  bool Accepted = false;
  TPoint TargetPos{};
};

DragRun g_drag;

void SetDragCursor(TCursor c) {
  if (Screen) Screen->SetCursor(c);
}

// Asks the control under the screen point, telling the one left that the drag has gone.
void DragTo(TPoint ScreenPos) {
  TControl* now = FindDragTarget(ScreenPos, false);
  if (g_drag.Target && g_drag.Target != now) {
    TControl* left = g_drag.Target;
    g_drag.Target = nullptr;
    g_drag.Accepted = false;
    bool ignored = false;
    const TPoint p = left->ScreenToClient(ScreenPos);
    left->DragOver(g_drag.Source, p.X, p.Y, dsDragLeave, ignored);
    if (!g_drag.Source) return;  // the source went away meanwhile
  }
  if (!now) {
    SetDragCursor(crNoDrop);
    return;
  }
  const TDragState state = g_drag.Target == now ? dsDragMove : dsDragEnter;
  g_drag.Target = now;
  const TPoint p = now->ScreenToClient(ScreenPos);
  g_drag.TargetPos = p;
  bool accept = false;
  now->DragOver(g_drag.Source, p.X, p.Y, state, accept);
  if (!g_drag.Source) return;
  g_drag.Accepted = g_drag.Target == now && accept;
  SetDragCursor(g_drag.Accepted ? crDrag : crNoDrop);
}

void Finish(bool Drop) {
  TControl* source = g_drag.Source;
  TControl* target = g_drag.Target;
  const bool started = g_drag.Started, accepted = g_drag.Accepted;
  const TPoint at = g_drag.TargetPos;
  g_drag = DragRun{};
  if (!source || !started) return;
  SetDragCursor(crDefault);
  TControl* dropped = nullptr;
  if (target) {
    // The target hears that the drag leaves it (its drag-over work ends), then takes the drop.
    bool ignored = false;
    target->DragOver(source, at.X, at.Y, dsDragLeave, ignored);
    if (Drop && accepted && confqt::IsAlive(target) && confqt::IsAlive(source)) {
      target->DragDrop(source, at.X, at.Y);
      dropped = target;
    }
  }
  if (confqt::IsAlive(source) && source->OnEndDrag) source->OnEndDrag(source, dropped, at.X, at.Y);
}

}  // namespace

void TControl::BeginDrag(bool Immediate, int Threshold) {
  if (g_drag.Source) return;
  g_drag = DragRun{};
  g_drag.Source = this;
  g_drag.Start = GetCursorPos();
  g_drag.Threshold = Threshold < 0 ? 5 : Threshold;
  if (Immediate) {
    g_drag.Started = true;
    DragTo(g_drag.Start);
  }
}

void TControl::EndDrag(bool Drop) {
  if (g_drag.Source == this) Finish(Drop);
}

bool TControl::Dragging() const { return g_drag.Source == this; }

void TControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
  Accept = static_cast<bool>(OnDragOver);
  if (OnDragOver) OnDragOver(this, Source, X, Y, State, Accept);
}

void TControl::DragDrop(TObject* Source, int X, int Y) {
  if (OnDragDrop) OnDragDrop(this, Source, X, Y);
}

namespace confdrag {

bool Pending() { return g_drag.Source != nullptr; }

bool MouseMoved(TPoint ScreenPos) {
  if (!g_drag.Source) return false;
  if (!g_drag.Started) {
    if (std::abs(ScreenPos.X - g_drag.Start.X) <= g_drag.Threshold &&
        std::abs(ScreenPos.Y - g_drag.Start.Y) <= g_drag.Threshold)
      return false;
    g_drag.Started = true;
  }
  DragTo(ScreenPos);
  return true;
}

bool MouseReleased(TPoint ScreenPos) {
  if (!g_drag.Source) return false;
  const bool started = g_drag.Started;
  if (started) DragTo(ScreenPos);
  Finish(true);
  return started;
}

void ControlGone(TControl* Control) {
  if (g_drag.Target == Control) {
    g_drag.Target = nullptr;
    g_drag.Accepted = false;
  }
  if (g_drag.Source == Control) {
    g_drag = DragRun{};
    SetDragCursor(crDefault);
  }
}

}  // namespace confdrag
