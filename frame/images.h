// Pictures of the launcher: every one is a resource of the executable, converted once
// and never released (the process ends through ExitProcess).
#pragma once

#include <windows.h>

namespace Gdiplus {
class Bitmap;
class Graphics;
class Image;
}  // namespace Gdiplus

// A chrome bitmap as loaded: the DIB section and the GDI+ bitmap made from it.
// Either may be null when the resource is missing; drawing it then draws nothing.
struct ChromeImage {
    HBITMAP handle;
    Gdiplus::Bitmap* bitmap;
};

ChromeImage LoadChromeImage(HINSTANCE instance, int resourceId);

// Decodes the landing artwork (custom resource type "PNG") from a copy of its bytes
// in a fixed global block into a bitmap that draws without further decoding or
// conversion; null when the artwork cannot be decoded. Touches no window and no
// shared state, so it may run on a worker thread (GDI+ must be running).
Gdiplus::Image* DecodeLandingArt(HINSTANCE instance);

// Draws at the image's native size: the size is given by the caller, never read from
// the image, so nothing is scaled unless a resource has the wrong size.
void DrawImageAt(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int width, int height);
