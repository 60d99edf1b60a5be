#include "navigation.h"

#include "../shell/launcher_state.h"
#include "../shell/program_path.h"
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

void NavigateTo(IWebBrowser2* browser, BSTR url) {
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
    NavigateTo(webBrowser2, address);
    SysFreeString(address);
}

void NavigateToStartPage(WebBrowser& host) {
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
        NavigateTo(host->webBrowser2, current);
    }
    SysFreeString(current);
}
