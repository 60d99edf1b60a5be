// The WebBrowser host's creation, placement and site interfaces. The control calls
// back into the site from inside our own calls (OnInPlaceActivate arrives during
// DoVerb), so every field a callback reads is set before the call that triggers it.
#include "web_browser.h"

#include "himetric.h"
#include "navigation.h"

namespace {

void ShowCreationError(const wchar_t* text) {
    MessageBoxW(nullptr, text, kCreationErrorCaption, MB_ICONERROR);
}

// The screen resolution is read once; a later change of DPI is deliberately not seen.
SIZE ScreenDpi() {
    static SIZE dpi = {0, 0};
    if (dpi.cx == 0) {
        HDC screen = GetDC(nullptr);
        dpi.cx = GetDeviceCaps(screen, LOGPIXELSX);
        dpi.cy = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    return dpi;
}

}  // namespace

WebBrowser::WebBrowser(HWND frame) : frameWindow(frame) {
    if (createControl()) {
        OpenStartPage(*this);
    }
}

bool WebBrowser::createControl() {
    if (FAILED(OleCreate(CLSID_WebBrowser, IID_IOleObject, OLERENDER_DRAW, nullptr,
                         static_cast<IOleClientSite*>(this), static_cast<IStorage*>(this),
                         reinterpret_cast<void**>(&oleObject)))) {
        oleObject = nullptr;
        ShowCreationError(kOleCreateFailedText);
        return false;
    }
    oleObject->SetClientSite(this);
    OleSetContainedObject(oleObject, TRUE);
    RECT position = kInitialHostRect;
    if (FAILED(oleObject->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, -1, frameWindow, &position))) {
        ShowCreationError(kDoVerbFailedText);
        return false;
    }
    if (FAILED(oleObject->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&webBrowser2)))) {
        webBrowser2 = nullptr;
        ShowCreationError(kNoWebBrowser2Text);
        return false;
    }
    webBrowser2->put_Silent(VARIANT_TRUE);  // the control must not pop up dialogs of its own
    if (FAILED(webBrowser2->QueryInterface(IID_IOleInPlaceActiveObject,
                                           reinterpret_cast<void**>(&inPlaceActiveObject)))) {
        inPlaceActiveObject = nullptr;
    }
    return true;
}

void WebBrowser::setRect(const RECT& r) {
    rect = r;
    if (!oleObject) {
        return;  // creation failed: only the rectangle is remembered
    }
    const SIZE dpi = ScreenDpi();
    const IntSize extent = HimetricExtent({rect.left, rect.top, rect.right, rect.bottom}, dpi.cx, dpi.cy);
    SIZEL himetric = {extent.width, extent.height};
    oleObject->SetExtent(DVASPECT_CONTENT, &himetric);
    if (inPlaceObject) {
        inPlaceObject->SetObjectRects(&rect, &rect);
    }
}

HWND WebBrowser::controlWindow() {
    if (cachedControlWindow) {
        return cachedControlWindow;
    }
    if (!inPlaceObject) {
        return nullptr;
    }
    inPlaceObject->GetWindow(&cachedControlWindow);
    return cachedControlWindow;
}

// IUnknown ----------------------------------------------------------------------------

STDMETHODIMP WebBrowser::QueryInterface(REFIID riid, void** object) {
    if (!object) {
        return E_POINTER;
    }
    // IOleClientSite, IOleWindow and IStorage are implemented but deliberately not
    // handed out: the control gets them directly and never needs to ask. A refusal
    // writes null, as COM requires: callers may release whatever comes back.
    if (IsEqualIID(riid, IID_IUnknown)) {
        *object = static_cast<IOleClientSite*>(this);
    } else if (IsEqualIID(riid, IID_IOleInPlaceSite)) {
        *object = static_cast<IOleInPlaceSite*>(this);
    } else if (IsEqualIID(riid, IID_IDispatch)) {
        *object = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(riid, IID_IDocHostUIHandler)) {
        *object = static_cast<IDocHostUIHandler*>(this);
    } else {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) WebBrowser::AddRef() {
    return ++refCount;
}

STDMETHODIMP_(ULONG) WebBrowser::Release() {
    return --refCount;  // never frees: the host lives as long as the process
}

// IOleClientSite ----------------------------------------------------------------------

STDMETHODIMP WebBrowser::SaveObject() {
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowser::GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) {
    ClearOut(moniker);
    if (assign == OLEGETMONIKER_ONLYIFTHERE && whichMoniker == OLEWHICHMK_CONTAINER) {
        return E_FAIL;
    }
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowser::GetContainer(IOleContainer** container) {
    ClearOut(container);
    return E_NOINTERFACE;
}

STDMETHODIMP WebBrowser::ShowObject() {
    return S_OK;
}

STDMETHODIMP WebBrowser::OnShowWindow(BOOL) {
    return S_OK;
}

STDMETHODIMP WebBrowser::RequestNewObjectLayout() {
    return E_NOTIMPL;
}

// IOleInPlaceSite ---------------------------------------------------------------------

STDMETHODIMP WebBrowser::GetWindow(HWND* window) {
    if (!window) {
        return E_POINTER;
    }
    *window = frameWindow;
    return S_OK;
}

STDMETHODIMP WebBrowser::ContextSensitiveHelp(BOOL) {
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowser::CanInPlaceActivate() {
    return S_OK;
}

STDMETHODIMP WebBrowser::OnInPlaceActivate() {
    if (!oleObject) {
        return S_OK;  // only the control we created activates here; nothing to hold on to otherwise
    }
    OleLockRunning(oleObject, TRUE, FALSE);
    if (FAILED(oleObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlaceObject)))) {
        inPlaceObject = nullptr;
    }
    if (inPlaceObject) {
        inPlaceObject->SetObjectRects(&rect, &rect);  // a rectangle set before activation applies now
    }
    return S_OK;
}

STDMETHODIMP WebBrowser::OnUIActivate() {
    return S_OK;
}

STDMETHODIMP WebBrowser::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                          LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) {
    if (frame) *frame = nullptr;
    if (document) *document = nullptr;
    if (position) *position = rect;
    if (clip) *clip = rect;
    if (frameInfo) {
        // cb stays as the caller set it.
        frameInfo->fMDIApp = FALSE;
        frameInfo->hwndFrame = frameWindow;
        frameInfo->haccel = nullptr;
        frameInfo->cAccelEntries = 0;
    }
    return S_OK;
}

STDMETHODIMP WebBrowser::Scroll(SIZE) {
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowser::OnUIDeactivate(BOOL) {
    return S_OK;
}

STDMETHODIMP WebBrowser::OnInPlaceDeactivate() {
    cachedControlWindow = nullptr;
    inPlaceObject = nullptr;  // forgotten, not released: nothing is released in this program
    return S_OK;
}

STDMETHODIMP WebBrowser::DiscardUndoState() {
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowser::DeactivateAndUndo() {
    return E_NOTIMPL;
}

STDMETHODIMP WebBrowser::OnPosRectChange(LPCRECT) {
    return E_NOTIMPL;  // the control does not get to move itself
}

// IStorage ----------------------------------------------------------------------------

STDMETHODIMP WebBrowser::CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream** stream) {
    ClearOut(stream);
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::OpenStream(const OLECHAR*, void*, DWORD, DWORD, IStream** stream) {
    ClearOut(stream);
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage** storage) {
    ClearOut(storage);
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::OpenStorage(const OLECHAR*, IStorage*, DWORD, SNB, DWORD, IStorage** storage) {
    ClearOut(storage);
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::CopyTo(DWORD, const IID*, SNB, IStorage*) {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::Commit(DWORD) {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::Revert() {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::EnumElements(DWORD, void*, DWORD, IEnumSTATSTG** elements) {
    ClearOut(elements);
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::DestroyElement(const OLECHAR*) {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::RenameElement(const OLECHAR*, const OLECHAR*) {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::SetElementTimes(const OLECHAR*, const FILETIME*, const FILETIME*, const FILETIME*) {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::SetClass(REFCLSID) {
    return S_OK;
}
STDMETHODIMP WebBrowser::SetStateBits(DWORD, DWORD) {
    return E_NOTIMPL;
}
STDMETHODIMP WebBrowser::Stat(STATSTG*, DWORD) {
    return E_NOTIMPL;
}

// IDocHostUIHandler -------------------------------------------------------------------

STDMETHODIMP WebBrowser::ShowContextMenu(DWORD, POINT*, IUnknown*, IDispatch*) {
    return S_OK;  // handled: the page gets no context menu
}
STDMETHODIMP WebBrowser::GetHostInfo(DOCHOSTUIINFO*) {
    return S_OK;
}
STDMETHODIMP WebBrowser::ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                                IOleInPlaceUIWindow*) {
    return S_OK;  // handled: no menus or tool bars of the control's own
}
STDMETHODIMP WebBrowser::HideUI() {
    return S_OK;
}
STDMETHODIMP WebBrowser::UpdateUI() {
    return S_OK;
}
STDMETHODIMP WebBrowser::EnableModeless(BOOL) {
    return S_OK;
}
STDMETHODIMP WebBrowser::OnDocWindowActivate(BOOL) {
    return S_OK;
}
STDMETHODIMP WebBrowser::OnFrameWindowActivate(BOOL) {
    return S_OK;
}
STDMETHODIMP WebBrowser::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
    return S_OK;
}
STDMETHODIMP WebBrowser::TranslateAccelerator(LPMSG, const GUID*, DWORD) {
    return S_FALSE;
}
STDMETHODIMP WebBrowser::GetOptionKeyPath(LPOLESTR* key, DWORD) {
    ClearOut(key);
    return S_FALSE;
}
STDMETHODIMP WebBrowser::GetDropTarget(IDropTarget*, IDropTarget** replacement) {
    ClearOut(replacement);
    return S_FALSE;
}
STDMETHODIMP WebBrowser::GetExternal(IDispatch** external) {
    if (!external) {
        return E_POINTER;
    }
    *external = static_cast<IDispatch*>(this);  // no reference added: the host never goes away
    return S_OK;
}
STDMETHODIMP WebBrowser::TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) {
    ClearOut(translated);
    return S_FALSE;
}
STDMETHODIMP WebBrowser::FilterDataObject(IDataObject*, IDataObject** replacement) {
    ClearOut(replacement);
    return S_FALSE;
}
