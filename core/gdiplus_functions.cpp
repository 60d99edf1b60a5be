// GDI+ taken from the system folder at its first use instead of being imported. An
// imported DLL is loaded before WinMain, looked for in the executable's own folder
// first when it is not one of the system's known DLLs, and Windows versions differ on
// whether GDI+ is one. The SDK's Gdiplus classes stay as they are: they call the flat
// functions, and these are defined here with the SDK's own declarations, each passing
// on to the function of the same name in gdiplus.dll. Without GDI+ every one of them
// fails, which leaves the launcher as a failed GdiplusStartup leaves it: no pictures,
// everything else as ever. The program links no gdiplus library, so a flat function
// that the code comes to need and that is not defined here is a link error.
//
// Not a delay-load import: its helper looks the DLL up by name, which reaches the
// executable's folder on a system without the restricted search; a missing DLL raises
// an exception at the first call where these report a status; and GNU ld has no
// delay-load option, so the two compilers would build it two ways.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "system_folder.h"

namespace {

// Loaded once, by whichever thread calls GDI+ first, and kept until the process ends.
HMODULE GdiplusModule() {
    static const HMODULE gdiplus = LoadSystemLibrary(L"gdiplus.dll");
    return gdiplus;
}

template <typename Function>
Function Find(const char* name) {
    return FindFunction<Function>(GdiplusModule(), name);
}

constexpr Gdiplus::GpStatus kNoGdiplus = Gdiplus::GdiplusNotInitialized;

// The SDK classes' operator new constructs on whatever GdipAlloc returns, unchecked,
// so without GDI+ the blocks come from the process heap: the object is made, holds no
// image and is deleted as usual. Both halves come from the same side.
struct GdiplusAllocator {
    decltype(&Gdiplus::DllExports::GdipAlloc) allocate;
    decltype(&Gdiplus::DllExports::GdipFree) free;
};

const GdiplusAllocator& Allocator() {
    static const GdiplusAllocator allocator = [] {
        GdiplusAllocator found = {Find<decltype(&Gdiplus::DllExports::GdipAlloc)>("GdipAlloc"),
                                  Find<decltype(&Gdiplus::DllExports::GdipFree)>("GdipFree")};
        return found.allocate && found.free ? found : GdiplusAllocator{nullptr, nullptr};
    }();
    return allocator;
}

}  // namespace

namespace Gdiplus {

Status WINAPI GdiplusStartup(ULONG_PTR* token, const GdiplusStartupInput* input, GdiplusStartupOutput* output) {
    static const auto function = Find<decltype(&GdiplusStartup)>("GdiplusStartup");
    return function ? function(token, input, output) : kNoGdiplus;
}

namespace DllExports {

void* WINGDIPAPI GdipAlloc(size_t size) {
    const GdiplusAllocator& allocator = Allocator();
    return allocator.allocate ? allocator.allocate(size) : HeapAlloc(GetProcessHeap(), 0, size);
}

void WINGDIPAPI GdipFree(void* block) {
    const GdiplusAllocator& allocator = Allocator();
    if (allocator.free) {
        allocator.free(block);
    } else {
        HeapFree(GetProcessHeap(), 0, block);
    }
}

GpStatus WINGDIPAPI GdipCreateFromHDC(HDC dc, GpGraphics** graphics) {
    static const auto function = Find<decltype(&GdipCreateFromHDC)>("GdipCreateFromHDC");
    return function ? function(dc, graphics) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipDeleteGraphics(GpGraphics* graphics) {
    static const auto function = Find<decltype(&GdipDeleteGraphics)>("GdipDeleteGraphics");
    return function ? function(graphics) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipDrawImageRectI(GpGraphics* graphics, GpImage* image, INT x, INT y, INT width, INT height) {
    static const auto function = Find<decltype(&GdipDrawImageRectI)>("GdipDrawImageRectI");
    return function ? function(graphics, image, x, y, width, height) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipCreateBitmapFromHBITMAP(HBITMAP handle, HPALETTE palette, GpBitmap** bitmap) {
    static const auto function = Find<decltype(&GdipCreateBitmapFromHBITMAP)>("GdipCreateBitmapFromHBITMAP");
    return function ? function(handle, palette, bitmap) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipCreateBitmapFromStream(IStream* stream, GpBitmap** bitmap) {
    static const auto function = Find<decltype(&GdipCreateBitmapFromStream)>("GdipCreateBitmapFromStream");
    return function ? function(stream, bitmap) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipCreateBitmapFromScan0(INT width, INT height, INT stride, PixelFormat format, BYTE* scan0,
                                              GpBitmap** bitmap) {
    static const auto function = Find<decltype(&GdipCreateBitmapFromScan0)>("GdipCreateBitmapFromScan0");
    return function ? function(width, height, stride, format, scan0, bitmap) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipBitmapLockBits(GpBitmap* bitmap, GDIPCONST GpRect* rect, UINT flags, PixelFormat format,
                                       BitmapData* locked) {
    static const auto function = Find<decltype(&GdipBitmapLockBits)>("GdipBitmapLockBits");
    return function ? function(bitmap, rect, flags, format, locked) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipBitmapUnlockBits(GpBitmap* bitmap, BitmapData* locked) {
    static const auto function = Find<decltype(&GdipBitmapUnlockBits)>("GdipBitmapUnlockBits");
    return function ? function(bitmap, locked) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipGetImageWidth(GpImage* image, UINT* width) {
    static const auto function = Find<decltype(&GdipGetImageWidth)>("GdipGetImageWidth");
    return function ? function(image, width) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipGetImageHeight(GpImage* image, UINT* height) {
    static const auto function = Find<decltype(&GdipGetImageHeight)>("GdipGetImageHeight");
    return function ? function(image, height) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipCloneImage(GpImage* image, GpImage** clone) {
    static const auto function = Find<decltype(&GdipCloneImage)>("GdipCloneImage");
    return function ? function(image, clone) : kNoGdiplus;
}

GpStatus WINGDIPAPI GdipDisposeImage(GpImage* image) {
    static const auto function = Find<decltype(&GdipDisposeImage)>("GdipDisposeImage");
    return function ? function(image) : kNoGdiplus;
}

}  // namespace DllExports
}  // namespace Gdiplus
