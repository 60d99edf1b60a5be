// The launcher's one top-level window, "WindowWithEmbeddedWeb": the landing artwork
// shaped by its colour key, later the game view with its own title bar.
#pragma once

#include <windows.h>

inline constexpr const wchar_t* kFrameClassName = L"WindowWithEmbeddedWeb";
inline constexpr const wchar_t* kFrameTitle = L"Orvendal";
inline constexpr DWORD kFrameStyle = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
inline constexpr DWORD kFrameExStyle = WS_EX_LAYERED;

LRESULT CALLBACK FrameWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
