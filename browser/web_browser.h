// WebBrowser hosts the system's WebBrowser ActiveX control in the frame window.
//
// One object, five interfaces: it is the control's client site, in-place site and
// (empty) storage, the page's window.external and the document host UI handler that
// keeps the control's own menus away. All views share one identity and one reference
// count, and the count never frees the object: it lives until the process ends, and
// so do the control and every interface obtained from it.
#pragma once

#include <windows.h>
#include <exdisp.h>
#include <mshtmhst.h>
#include <ole2.h>

#include <string>

inline constexpr RECT kInitialHostRect = {-300, -300, 300, 300};

class WebBrowser : public IOleClientSite,
                   public IOleInPlaceSite,
                   public IStorage,
                   public IDispatch,
                   public IDocHostUIHandler {
public:
    // Creates the control in place in frameWindow and opens the start page. A failed
    // creation has shown its message box; the host then stays without a control.
    explicit WebBrowser(HWND frameWindow);

    // IUnknown, shared by every view.
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IOleClientSite
    STDMETHODIMP SaveObject() override;
    STDMETHODIMP GetMoniker(DWORD assign, DWORD whichMoniker, IMoniker** moniker) override;
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override;
    STDMETHODIMP OnShowWindow(BOOL show) override;
    STDMETHODIMP RequestNewObjectLayout() override;

    // Places the control at r, frame client pixels. Safe without a control.
    virtual void setRect(const RECT& r);
    // The control's own window, or null while it is not active in place.
    virtual HWND controlWindow();

    // IOleWindow / IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL enterMode) override;
    STDMETHODIMP CanInPlaceActivate() override;
    STDMETHODIMP OnInPlaceActivate() override;
    STDMETHODIMP OnUIActivate() override;
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO frameInfo) override;
    STDMETHODIMP Scroll(SIZE extent) override;
    STDMETHODIMP OnUIDeactivate(BOOL undoable) override;
    STDMETHODIMP OnInPlaceDeactivate() override;
    STDMETHODIMP DiscardUndoState() override;
    STDMETHODIMP DeactivateAndUndo() override;
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;

    // IStorage: handed to OleCreate, stores nothing.
    STDMETHODIMP CreateStream(const OLECHAR*, DWORD, DWORD, DWORD, IStream**) override;
    STDMETHODIMP OpenStream(const OLECHAR*, void*, DWORD, DWORD, IStream**) override;
    STDMETHODIMP CreateStorage(const OLECHAR*, DWORD, DWORD, DWORD, IStorage**) override;
    STDMETHODIMP OpenStorage(const OLECHAR*, IStorage*, DWORD, SNB, DWORD, IStorage**) override;
    STDMETHODIMP CopyTo(DWORD, const IID*, SNB, IStorage*) override;
    STDMETHODIMP MoveElementTo(const OLECHAR*, IStorage*, const OLECHAR*, DWORD) override;
    STDMETHODIMP Commit(DWORD) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP EnumElements(DWORD, void*, DWORD, IEnumSTATSTG**) override;
    STDMETHODIMP DestroyElement(const OLECHAR*) override;
    STDMETHODIMP RenameElement(const OLECHAR*, const OLECHAR*) override;
    STDMETHODIMP SetElementTimes(const OLECHAR*, const FILETIME*, const FILETIME*, const FILETIME*) override;
    STDMETHODIMP SetClass(REFCLSID) override;
    STDMETHODIMP SetStateBits(DWORD, DWORD) override;
    STDMETHODIMP Stat(STATSTG*, DWORD) override;

    // IDispatch: the page bridge (page_bridge.cpp).
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** typeInfo) override;
    STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT nameCount, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD id, POINT* at, IUnknown* target, IDispatch* object) override;
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override;
    STDMETHODIMP ShowUI(DWORD id, IOleInPlaceActiveObject* active, IOleCommandTarget* target,
                        IOleInPlaceFrame* frame, IOleInPlaceUIWindow* document) override;
    STDMETHODIMP HideUI() override;
    STDMETHODIMP UpdateUI() override;
    STDMETHODIMP EnableModeless(BOOL enable) override;
    STDMETHODIMP OnDocWindowActivate(BOOL activate) override;
    STDMETHODIMP OnFrameWindowActivate(BOOL activate) override;
    STDMETHODIMP ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frameWindow) override;
    STDMETHODIMP TranslateAccelerator(LPMSG message, const GUID* group, DWORD command) override;
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD reserved) override;
    STDMETHODIMP GetDropTarget(IDropTarget* dropTarget, IDropTarget** replacement) override;
    STDMETHODIMP GetExternal(IDispatch** external) override;
    STDMETHODIMP TranslateUrl(DWORD translate, LPWSTR url, LPWSTR* translated) override;
    STDMETHODIMP FilterDataObject(IDataObject* data, IDataObject** replacement) override;

    // Opens url in the control without a history entry (navigation.cpp).
    void navigate(std::wstring url);

    IOleObject* oleObject = nullptr;
    IOleInPlaceObject* inPlaceObject = nullptr;
    IOleInPlaceActiveObject* inPlaceActiveObject = nullptr;  // offered every message by the message loop
    IWebBrowser2* webBrowser2 = nullptr;
    LONG refCount = 0;
    RECT rect = kInitialHostRect;
    HWND frameWindow = nullptr;
    HWND cachedControlWindow = nullptr;

private:
    bool createControl();
};

// An out-pointer of a call that answers S_FALSE or fails is set to null first (when
// there is one): S_FALSE counts as success, and a caller testing SUCCEEDED, or
// releasing what it got, must not find garbage there.
template <typename T>
inline void ClearOut(T** out) {
    if (out) *out = nullptr;
}

// Texts of the creation failures; each is shown in an "Error" box with an error icon.
inline constexpr const wchar_t* kCreationErrorCaption = L"Error";
inline constexpr const wchar_t* kOleCreateFailedText = L"OleCreate CLSID_WebBrowser失败";
inline constexpr const wchar_t* kDoVerbFailedText = L"oleObject->DoVerb()失败";
inline constexpr const wchar_t* kNoWebBrowser2Text = L"QueryInterface获取iwebbrowser2指针失败";
