// The mouse pointer shown over all of the program's windows.
#pragma once

namespace MousePointer {

inline constexpr int Default = 0;
inline constexpr int Hourglass = 11;

// Default gives every window its own pointer back; Hourglass shows the busy
// pointer everywhere until Default is set again. Other codes count as Default.
void set(int pointer);
int current();

} // namespace MousePointer
