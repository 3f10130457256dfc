#pragma once

namespace platform {

// Waits `seconds` (fractions allowed) while processing window events, so that the stop button
// and repaints keep working during long computations. At least one round of event processing
// always runs; it returns once strictly more than `seconds` has passed on a monotonic clock
// (unaffected by midnight or clock changes). Handlers of other windows may run inside it.
void WaitTime(double seconds);

}  // namespace platform
