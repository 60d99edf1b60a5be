// The resources as the built executable holds them, read from Orvendal.exe itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "../../core/chrome_table.h"
#include "../../res/resource_ids.h"
#include "test_support.h"

namespace {

constexpr WORD kChinese = MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED);  // 0x0804
constexpr WORD kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);          // 0x0409

class Resources : public ::testing::Test {
protected:
    void SetUp() override {
        exe = LoadLibraryExW((OwnFolder() + L"Orvendal.exe").c_str(), nullptr,
                             LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        ASSERT_NE(exe, nullptr) << "Orvendal.exe must be built beside the tests";
    }

    // The bytes of one resource in one language; empty when it is not there.
    std::string Bytes(LPCWSTR type, int id, WORD language) {
        HRSRC found = FindResourceExW(exe, type, MAKEINTRESOURCEW(id), language);
        if (!found) return {};
        const char* data = static_cast<const char*>(LockResource(LoadResource(exe, found)));
        return std::string(data, SizeofResource(exe, found));
    }

    HMODULE exe = nullptr;
};

struct BitmapRow {
    int id, width, height;
};

TEST_F(Resources, BitmapsAre24BitBottomUpDibsOfTheirButtonsSizeInChinese) {
    // Every face has its button's size; logo and strip have the title bar's height.
    BitmapRow rows[2 * ChromeButtonCount + 2] = {{IDB_LOGO, 98, 30}, {IDB_TITLE_STRIP, 220, 30}};
    int n = 2;
    for (const ChromeButtonSpec& entry : kChromeButtons) {
        rows[n++] = {entry.plainFace, entry.width, entry.height};
        rows[n++] = {HoverFace(entry), entry.width, entry.height};
    }
    for (const BitmapRow& row : rows) {
        SCOPED_TRACE(row.id);
        const std::string bytes = Bytes(RT_BITMAP, row.id, kChinese);
        ASSERT_GE(bytes.size(), sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header;
        memcpy(&header, bytes.data(), sizeof(header));
        EXPECT_EQ(header.biSize, sizeof(BITMAPINFOHEADER));
        EXPECT_EQ(header.biWidth, row.width);
        EXPECT_EQ(header.biHeight, row.height) << "positive height: bottom-up";
        EXPECT_EQ(header.biBitCount, 24);
        EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
        EXPECT_EQ(header.biClrUsed, 0u);
        const size_t stride = (row.width * 3 + 3) & ~3u;
        EXPECT_EQ(bytes.size(), sizeof(header) + stride * row.height);
    }
}

TEST_F(Resources, LandingArtIsAnOpaque1196By807PngInChinese) {
    const std::string png = Bytes(L"PNG", IDR_LANDING_ART, kChinese);
    ASSERT_GT(png.size(), 33u);
    EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    EXPECT_EQ(png.substr(12, 4), "IHDR");
    auto be32 = [&](size_t at) {
        return (unsigned char)png[at] << 24 | (unsigned char)png[at + 1] << 16 | (unsigned char)png[at + 2] << 8 |
               (unsigned char)png[at + 3];
    };
    EXPECT_EQ(be32(16), 1196u);
    EXPECT_EQ(be32(20), 807u);
    EXPECT_EQ(png[24], 8) << "8 bits per channel";
    EXPECT_EQ(png[25], 6) << "RGBA";
    EXPECT_EQ(png[28], 0) << "not interlaced";
    for (const char* chunk : {"sRGB", "gAMA", "pHYs"}) {
        EXPECT_NE(png.find(chunk), std::string::npos) << chunk;
    }
}

TEST_F(Resources, IconGroupHoldsOne64By64TrueColourIcon) {
    const std::string group = Bytes(RT_GROUP_ICON, IDI_APP, kChinese);
    ASSERT_EQ(group.size(), 6u + 14u);
    auto u16 = [&](size_t at) { return (unsigned char)group[at] | (unsigned char)group[at + 1] << 8; };
    EXPECT_EQ(u16(2), 1) << "icon type";
    EXPECT_EQ(u16(4), 1) << "one entry";
    EXPECT_EQ((unsigned char)group[6], 64);
    EXPECT_EQ((unsigned char)group[7], 64);
    EXPECT_EQ(u16(6 + 6), 32) << "bits per pixel";
    const unsigned bytes = u16(6 + 8) | u16(6 + 10) << 16;
    EXPECT_EQ(bytes, 16936u);
    const int iconId = u16(6 + 12);
    EXPECT_EQ(Bytes(RT_ICON, iconId, kChinese).size(), 16936u);
    EXPECT_NE(LoadIconW(exe, MAKEINTRESOURCEW(IDI_APP)), nullptr);
}

std::wstring VersionString(const std::string& block, const wchar_t* key) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + key;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value) return L"<missing>";
    return static_cast<const wchar_t*>(value);
}

TEST_F(Resources, VersionBlockNamesTheProductInChineseWithFixedPartAsShipped) {
    std::string block = Bytes(RT_VERSION, IDV_VERSION, kEnglish);
    ASSERT_FALSE(block.empty()) << "the version block is in language 0x0409";
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(fixed->dwFileVersionMS, 0u);
    EXPECT_EQ(fixed->dwFileVersionLS, 1u);
    EXPECT_EQ(fixed->dwProductVersionMS, 0u);
    EXPECT_EQ(fixed->dwProductVersionLS, 1u);
    EXPECT_EQ(fixed->dwFileFlagsMask, 0x3Fu);
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, static_cast<DWORD>(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_DLL));
    EXPECT_EQ(fixed->dwFileDateMS | fixed->dwFileDateLS, 0u);

    EXPECT_EQ(VersionString(block, L"FileDescription"), L"Orvendal微端");
    EXPECT_EQ(VersionString(block, L"ProductName"), L"Orvendal登录器");
    EXPECT_EQ(VersionString(block, L"FileVersion"), L"0.0.0.1");
    EXPECT_EQ(VersionString(block, L"ProductVersion"), L"0.0.0.1");
    EXPECT_NE(VersionString(block, L"CompanyName"), L"<missing>");
    EXPECT_NE(VersionString(block, L"InternalName"), L"<missing>");

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0804);
    EXPECT_EQ(translation[1], 0x04B0);
}

TEST_F(Resources, ManifestOnlyAsksToRunAsTheInvoker) {
    const std::string manifest = Bytes(RT_MANIFEST, IDM_MANIFEST, kEnglish);
    ASSERT_FALSE(manifest.empty());
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
    EXPECT_NE(manifest.find("uiAccess=\"false\""), std::string::npos);
    for (const char* absent : {"dependency", "dpiAware", "supportedOS", "Common-Controls"}) {
        EXPECT_EQ(manifest.find(absent), std::string::npos) << absent;
    }
}

}  // namespace
