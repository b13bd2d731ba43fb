#pragma once
// Scheduling priority of the calling thread.

namespace q36 {

// Raises the calling thread's priority by steps nice levels where the system allows it;
// otherwise leaves it as it is. Never fails.
void RaiseThreadPriority(int steps);

}  // namespace q36
