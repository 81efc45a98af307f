// The mouse pointer shown over all of the program's windows, winning over every control's own.
#pragma once

namespace MousePointer {

inline constexpr int Default = 0;
inline constexpr int Crosshair = 2;
inline constexpr int Hourglass = 11;

// Default gives every window and control its own pointer back; Crosshair and
// Hourglass show that pointer everywhere until another one is set. Other codes
// count as Default.
void set(int pointer);
int current();

} // namespace MousePointer
