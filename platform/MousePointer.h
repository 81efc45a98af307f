// The program-wide mouse pointer, which wins over every control's own pointer.
#pragma once

namespace MousePointer {

enum Shape { Default = 0, Crosshair = 2, Hourglass = 11 };

// Default gives every control its own pointer back.
void set(int shape);
int current();

} // namespace MousePointer
