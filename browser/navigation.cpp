#include "navigation.h"

#include <string.h>

#include "../core/launcher_state.h"
#include "web_browser.h"

#ifndef ORVENDAL_PORTAL_HOST
#define ORVENDAL_PORTAL_HOST "127.0.0.1:8080"
#endif

const char* const StartPageUrl = "http://" ORVENDAL_PORTAL_HOST "/tovr/login";

namespace {

// navNoHistory: the new page replaces the current history entry, at start and on reload.
VARIANT NoHistoryFlags() {
    VARIANT flags;
    VariantInit(&flags);
    flags.vt = VT_UINT;
    flags.uintVal = navNoHistory;
    return flags;
}

void NavigateWithoutHistory(IWebBrowser2* browser, BSTR url) {
    VARIANT flags = NoHistoryFlags();
    browser->Navigate(url, &flags, nullptr, nullptr, nullptr);
    VariantClear(&flags);
}

}  // namespace

void WebBrowser::navigate(std::wstring url) {
    if (!webBrowser2) {
        return;
    }
    BSTR address = SysAllocString(url.c_str());
    if (!address) {
        return;  // out of memory for the copy: the page simply stays blank
    }
    NavigateWithoutHistory(webBrowser2, address);
    SysFreeString(address);
}

wchar_t* AnsiToWide(const char* text) {
    const int length = static_cast<int>(strlen(text));
    const int count = length > 0 ? MultiByteToWideChar(CP_ACP, 0, text, length, nullptr, 0) : 0;
    wchar_t* wide = new wchar_t[count + 1];
    if (count > 0) {
        MultiByteToWideChar(CP_ACP, 0, text, length, wide, count);
    }
    wide[count] = L'\0';
    return wide;
}

void OpenStartPage(WebBrowser& host) {
    wchar_t* wide = AnsiToWide(StartPageUrl);
    host.navigate(wide);
    delete[] wide;
}

void ReloadPage() {
    WebBrowser* host = gLauncher.browser;
    if (!host || !host->webBrowser2) {
        return;  // the control was never created
    }
    BSTR current = nullptr;
    if (host->webBrowser2->get_LocationURL(&current) == S_OK) {
        NavigateWithoutHistory(host->webBrowser2, current);
    }
    SysFreeString(current);
}
