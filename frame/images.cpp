#include "images.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string.h>

#include "../core/system_folder.h"
#include "../res/resource_ids.h"

ChromeImage LoadChromeImage(HINSTANCE instance, int resourceId) {
    ChromeImage image;
    image.handle = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0,
                                                   LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    // A null handle still yields a bitmap object; it simply holds no picture.
    image.bitmap = Gdiplus::Bitmap::FromHBITMAP(image.handle, nullptr);
    return image;
}

namespace {

// A stream over a copy of the landing artwork's bytes in a fixed global block, or null
// (and no block left allocated) when the resource cannot be read. FALSE: releasing the
// stream leaves the block alone.
IStream* LandingArtStream(HINSTANCE instance, HGLOBAL* block) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_LANDING_ART), L"PNG");
    if (!resource) {
        return nullptr;
    }
    DWORD size = SizeofResource(instance, resource);
    const void* bytes = LockResource(LoadResource(instance, resource));
    if (!bytes) {
        return nullptr;
    }
    *block = GlobalAlloc(GMEM_FIXED, size);
    if (!*block) {
        return nullptr;
    }
    memcpy(GlobalLock(*block), bytes, size);
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(*block, FALSE, &stream))) {
        GlobalFree(*block);
        *block = nullptr;
        return nullptr;
    }
    return stream;
}

// The decoded pixels copied into a 32-bit RGB bitmap of the same size, or null when
// the copy cannot be made. Reading the pixels is what makes GDI+ really decode (it
// may otherwise put that off until the first draw), and a bitmap without alpha is
// drawn by a plain block transfer, where the decoder's ARGB would be converted and
// blended again at every paint. The values are premultiplied, so a translucent pixel
// (the artwork has none) comes out as drawn over black, as on a fresh window surface.
Gdiplus::Bitmap* DrawReadyCopy(Gdiplus::Bitmap& decoded) {
    const INT width = static_cast<INT>(decoded.GetWidth());
    const INT height = static_cast<INT>(decoded.GetHeight());
    Gdiplus::Bitmap* copy = new Gdiplus::Bitmap(width, height, PixelFormat32bppRGB);
    Gdiplus::Rect whole(0, 0, width, height);
    Gdiplus::BitmapData target = {};
    if (copy->GetLastStatus() != Gdiplus::Ok ||
        copy->LockBits(&whole, Gdiplus::ImageLockModeWrite, PixelFormat32bppRGB, &target) != Gdiplus::Ok) {
        delete copy;
        return nullptr;
    }
    // The decoder writes straight into the copy's locked pixels.
    Gdiplus::BitmapData source = target;
    source.PixelFormat = PixelFormat32bppPARGB;
    const bool read = decoded.LockBits(&whole, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                                       PixelFormat32bppPARGB, &source) == Gdiplus::Ok;
    if (read) {
        decoded.UnlockBits(&source);
    }
    copy->UnlockBits(&target);
    if (!read) {
        delete copy;
        return nullptr;
    }
    return copy;
}

}  // namespace

Gdiplus::Image* DecodeLandingArt(HINSTANCE instance) {
    // Wine's GDI+ decodes through the system's imaging component, which it loads (with
    // the property system it imports) by a search that ignores the restriction to the
    // system folder; loaded from there first, it is found already loaded. Done on the
    // decode's worker, beside the window's start-up.
    LoadSystemLibrary(L"windowscodecs.dll");
    HGLOBAL block = nullptr;
    IStream* stream = LandingArtStream(instance, &block);
    if (!stream) {
        return nullptr;
    }
    Gdiplus::Bitmap* decoded = new Gdiplus::Bitmap(stream);
    const bool decodedOk = decoded->GetLastStatus() == Gdiplus::Ok;
    Gdiplus::Bitmap* ready = decodedOk ? DrawReadyCopy(*decoded) : nullptr;
    if (decodedOk && !ready) {
        return decoded;  // drawn as decoded, only slower; it keeps reading from the stream
    }
    // Either the copy holds every pixel, or there is nothing to show (the landing paint
    // then draws nothing and still keys the window): the decoder and its bytes can go.
    delete decoded;
    stream->Release();
    GlobalFree(block);
    return ready;
}

void DrawImageAt(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int width, int height) {
    if (image) {
        graphics.DrawImage(image, x, y, width, height);
    }
}
