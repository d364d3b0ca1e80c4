#pragma once
// Runs the real message loop in a test: Qt events, window timers on Qt's clock and posted
// messages, those posted from other threads included. It waits for events instead of spinning.
#include <cstdint>
#include <functional>

// Runs the loop until Done answers true; false when it still answered false after LimitMs
// (a guard, so that a test whose event never comes fails instead of hanging).
bool RunMessageLoopUntil(const std::function<bool()>& Done, uint32_t LimitMs = 60000);
