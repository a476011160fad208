#pragma once
// What the start-up benchmark's programs share: the moment a window is first
// on screen, and a quick end that leaves the peak memory as it was.

#include <QWidget>

#include <functional>

namespace bench {

// Once the first window that isWindow() accepts has painted for the first
// time and the picture has gone to the screen, prints "first-paint
// NANOSECONDS CPU_MS" (wall clock since the epoch, and the processor time
// the process has used) on standard output and calls then() with that window.
void reportFirstPaint(std::function<bool(QWidget *)> isWindow, std::function<void(QWidget *)> then);

// Ends the process at once, without tearing the application down.
[[noreturn]] void endNow();

}  // namespace bench
