#pragma once
// The mouse pointers of the map correction's two picks on the site map, icon files in the run
// folder's "ico" (their centre is the hot spot, where the pin's point lies). The artwork comes
// from tools/cursors.

inline constexpr const char* kFirstPointCursorFile = "RedPosition.ICO";
inline constexpr const char* kSecondPointCursorFile = "BluePosition.ICO";
