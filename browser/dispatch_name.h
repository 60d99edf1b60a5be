// The page bridge's whole name rule: any window.external member whose name starts
// with a lowercase "e" means "enter the game view".
#pragma once

#ifdef _WIN32
#include <oaidl.h>
#else
typedef long DISPID;  // as oaidl.h has it, for the native unit tests
#endif

inline constexpr DISPID kDispidGameView = 10001;  // DISPID_GAME_VIEW, the only identifier given out

// Only the first 16-bit character counts; null and empty names never match.
bool IsGameViewName(const wchar_t* name);
