#pragma once
// Platform-internal: window timers and TTimer. In production each runs on a Qt timer; in tests
// (virtual mode) they wait for the test to advance the clock and fire in due order.
#include <cstdint>

class TControl;
class TTimer;

namespace conftimers {
// Either target (window timer with id) or timer (TTimer) is set.
void Set(TControl* target, TTimer* timer, uintptr_t id, unsigned interval);
void Kill(TControl* target, TTimer* timer, uintptr_t id);
void KillAll(TControl* target);
void SetVirtual(bool on);
bool Virtual();
int Count();
// The tick at which the earliest timer is due; false when none runs.
bool PeekNext(uint32_t& due);
// Fires the earliest due timer and schedules its next run.
void FireNext();
}  // namespace conftimers
