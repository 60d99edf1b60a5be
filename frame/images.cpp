#include "images.h"

#include <objidl.h>
#include <gdiplus.h>

#include <string.h>

#include "../res/resource_ids.h"

ChromeImage LoadChromeImage(HINSTANCE instance, int resourceId) {
    ChromeImage image;
    image.handle = static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(resourceId), IMAGE_BITMAP, 0, 0,
                                                   LR_CREATEDIBSECTION | LR_DEFAULTSIZE));
    // A null handle still yields a bitmap object; it simply holds no picture.
    image.bitmap = Gdiplus::Bitmap::FromHBITMAP(image.handle, nullptr);
    return image;
}

Gdiplus::Image* DecodeLandingArt(HINSTANCE instance) {
    HRSRC resource = FindResourceW(instance, MAKEINTRESOURCEW(IDR_LANDING_ART), L"PNG");
    if (!resource) {
        return nullptr;
    }
    DWORD size = SizeofResource(instance, resource);
    const void* bytes = LockResource(LoadResource(instance, resource));
    HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
    if (!bytes || !block) {
        return nullptr;
    }
    memcpy(GlobalLock(block), bytes, size);
    IStream* stream = nullptr;
    // FALSE: the image keeps reading from the stream, so the block must outlive it.
    if (FAILED(CreateStreamOnHGlobal(block, FALSE, &stream))) {
        return nullptr;
    }
    return new Gdiplus::Image(stream);
}

void DrawImageAt(Gdiplus::Graphics& graphics, Gdiplus::Image* image, int x, int y, int width, int height) {
    if (image) {
        graphics.DrawImage(image, x, y, width, height);
    }
}
