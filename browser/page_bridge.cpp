// window.external: the page's one way into the launcher. Any member whose name starts
// with "e" switches, once and for good, from the landing view to the game view; every
// other name gets no identifier. The switch is the frame's to make: it is asked with a
// sent message, so it runs inside the page's script call, and the resize it causes
// lays out the game view before that call returns.
#include "../core/launcher_state.h"
#include "dispatch_name.h"
#include "web_browser.h"

STDMETHODIMP WebBrowser::GetTypeInfoCount(UINT* count) {
    if (!count) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

STDMETHODIMP WebBrowser::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) {
    ClearOut(typeInfo);
    return E_FAIL;
}

STDMETHODIMP WebBrowser::GetIDsOfNames(REFIID, LPOLESTR* names, UINT nameCount, LCID, DISPID* ids) {
    if (!names || !ids) {
        return E_POINTER;
    }
    if (nameCount == 0) {
        return E_INVALIDARG;
    }
    // Every slot gets an answer: script engines preset the identifier to 0 and would
    // otherwise go on to Invoke whatever happens to be there.
    for (UINT i = 0; i < nameCount; ++i) {
        ids[i] = DISPID_UNKNOWN;
    }
    if (!IsGameViewName(names[0])) {
        return S_FALSE;
    }
    ids[0] = kDispidGameView;
    return S_OK;
}

STDMETHODIMP WebBrowser::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) {
    if (id == kDispidGameView) {
        SendMessageW(frameWindow, kSwitchToGameViewMessage, 0, 0);
    }
    return S_OK;
}
