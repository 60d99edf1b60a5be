// Start-up of the launcher and its message loop.
#pragma once

#include <windows.h>

namespace Gdiplus {
class Image;
}

inline constexpr const wchar_t* kRegisterFailedText = L"无法注册窗口";
inline constexpr const wchar_t* kRegisterFailedCaption = L"注册窗口失败";
inline constexpr const wchar_t* kCreateFailedText = L"无法创建窗口";
inline constexpr const wchar_t* kCreateFailedCaption = L"创建窗口失败";

// Everything WinMain does; returns the process exit code: 1 when the frame window
// cannot be registered or created, otherwise 0 when the message loop ends (which in
// ordinary use never happens: destroying the window ends the process).
int RunLauncher(HINSTANCE instance, int showCommand);

// Registers "WindowWithEmbeddedWeb"; the class atom, or 0 on failure.
ATOM RegisterFrameClass();

// Creates the hidden, centred landing window (its buttons are made during the call).
HWND CreateFrameWindow();

void StartGdiplus();

// The landing artwork decoded on a worker thread while the GUI thread goes on with
// start-up. The record lives as long as the process.
struct LandingArtDecode {
    HINSTANCE instance;
    Gdiplus::Image* image;  // written by the worker, read once it has been joined
    HANDLE thread;          // null when no thread could be started: the decode then runs at the join
};

// GDI+ must be running.
LandingArtDecode* StartDecodingLandingArt(HINSTANCE instance);

// Waits for the decode and returns the artwork, null when it could not be decoded.
Gdiplus::Image* FinishDecodingLandingArt(LandingArtDecode* decode);

// Offers every message to the control for accelerator translation first, and
// dispatches those it did not translate. Returns when GetMessage yields 0.
int RunMessageLoop();
