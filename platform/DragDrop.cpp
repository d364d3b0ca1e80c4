#include "platform/DragDrop.h"

#include <map>

namespace {

std::map<const TWinControl*, TDropTarget*>& DropTargets() {
  static std::map<const TWinControl*, TDropTarget*> targets;
  return targets;
}

}  // namespace

bool RegisterDragDrop(TWinControl* Window, TDropTarget* Target) {
  if (!Window || !Target) return false;
  return DropTargets().emplace(Window, Target).second;
}

bool RevokeDragDrop(TWinControl* Window) { return DropTargets().erase(Window) > 0; }

TDropTarget* RegisteredDropTarget(const TWinControl* Window) {
  auto& targets = DropTargets();
  auto it = targets.find(Window);
  return it == targets.end() ? nullptr : it->second;
}
