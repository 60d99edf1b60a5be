// The browser host's COM answers, seen through every one of its five views, and the
// real control active in place in a real frame window. Out-parameters are preset to
// kPoison so that "written" and "never written" both show.
#include <dispex.h>

#include <cstring>

#include "../../browser/dispatch_name.h"
#include "../../browser/himetric.h"
#include "../../shell/startup.h"
#include "browser_fixture.h"

namespace {

using BrowserHost = BrowserFixture;

template <typename T>
T* Poisoned() {
    return reinterpret_cast<T*>(kPoison);
}

struct View {
    const char* name;
    IUnknown* unknown;
};

std::vector<View> Views(WebBrowser* host) {
    return {{"IOleClientSite", static_cast<IOleClientSite*>(host)},
            {"IOleInPlaceSite", static_cast<IOleInPlaceSite*>(host)},
            {"IStorage", static_cast<IStorage*>(host)},
            {"IDispatch", static_cast<IDispatch*>(host)},
            {"IDocHostUIHandler", static_cast<IDocHostUIHandler*>(host)}};
}

TEST_F(BrowserHost, QueryInterfaceGivesFourViewsThroughEveryViewAndRefusesTheRest) {
    struct Case {
        const char* name;
        REFIID iid;
        void* expected;  // null: refused
    } cases[] = {
        {"IUnknown", IID_IUnknown, static_cast<IUnknown*>(static_cast<IOleClientSite*>(host))},
        {"IOleInPlaceSite", IID_IOleInPlaceSite, static_cast<IOleInPlaceSite*>(host)},
        {"IDispatch", IID_IDispatch, static_cast<IDispatch*>(host)},
        {"IDocHostUIHandler", IID_IDocHostUIHandler, static_cast<IDocHostUIHandler*>(host)},
        // Implemented, but not handed out.
        {"IOleClientSite", IID_IOleClientSite, nullptr},
        {"IOleWindow", IID_IOleWindow, nullptr},
        {"IStorage", IID_IStorage, nullptr},
        // Never implemented.
        {"IDispatchEx", __uuidof(IDispatchEx), nullptr},
        {"IDocHostUIHandler2", __uuidof(IDocHostUIHandler2), nullptr},
        {"IOleInPlaceSiteEx", IID_IOleInPlaceSiteEx, nullptr},
        {"IServiceProvider", IID_IServiceProvider, nullptr},
        {"IOleCommandTarget", IID_IOleCommandTarget, nullptr},
        {"IOleObject", IID_IOleObject, nullptr},
    };
    for (const View& view : Views(host)) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string("asked through ") + view.name + " for " + c.name);
            const LONG before = host->refCount;
            void* out = Poisoned<void>();
            const HRESULT hr = view.unknown->QueryInterface(c.iid, &out);
            if (c.expected) {
                EXPECT_EQ(hr, S_OK);
                EXPECT_EQ(out, c.expected);
                EXPECT_EQ(host->refCount, before + 1) << "a handed-out view is counted";
                host->Release();
            } else {
                EXPECT_EQ(hr, E_NOINTERFACE);
                EXPECT_EQ(out, nullptr) << "a refusal writes null";
                EXPECT_EQ(host->refCount, before);
            }
        }
        const LONG before = host->refCount;
        EXPECT_EQ(view.unknown->QueryInterface(IID_IUnknown, nullptr), E_POINTER) << view.name;
        EXPECT_EQ(host->refCount, before) << view.name;
    }
}

TEST_F(BrowserHost, AddRefAndReleaseShareOneCountThatNeverFreesTheObject) {
    const LONG start = host->refCount;
    LONG expected = start;
    for (const View& view : Views(host)) {
        EXPECT_EQ(view.unknown->AddRef(), static_cast<ULONG>(++expected)) << view.name;
    }
    for (const View& view : Views(host)) {
        EXPECT_EQ(view.unknown->Release(), static_cast<ULONG>(--expected)) << view.name;
    }
    // Down to zero and below: the count goes negative and the object stays.
    while (host->refCount > -3) host->Release();
    EXPECT_EQ(host->refCount, -3);
    EXPECT_EQ(static_cast<IDispatch*>(host)->Release(), static_cast<ULONG>(-4));
    HWND window = Poisoned<HWND__>();
    EXPECT_EQ(static_cast<IOleInPlaceSite*>(host)->GetWindow(&window), S_OK);
    EXPECT_EQ(window, frame);
    const RECT moved = {20, 40, 320, 240};
    host->setRect(moved);
    EXPECT_TRUE(SameRect(RectInParent(host->controlWindow()), moved)) << "the control still follows the host";
    while (host->refCount < start) host->AddRef();
}

TEST_F(BrowserHost, ClientSiteHasNoContainerAndNoMonikers) {
    IOleClientSite* site = host;
    EXPECT_EQ(site->SaveObject(), E_NOTIMPL);
    EXPECT_EQ(site->ShowObject(), S_OK);
    EXPECT_EQ(site->OnShowWindow(TRUE), S_OK);
    EXPECT_EQ(site->OnShowWindow(FALSE), S_OK);
    EXPECT_EQ(site->RequestNewObjectLayout(), E_NOTIMPL);

    IOleContainer* container = Poisoned<IOleContainer>();
    EXPECT_EQ(site->GetContainer(&container), E_NOINTERFACE);
    EXPECT_EQ(container, nullptr);

    const DWORD assignments[] = {OLEGETMONIKER_ONLYIFTHERE, OLEGETMONIKER_FORCEASSIGN, OLEGETMONIKER_UNASSIGN,
                                 OLEGETMONIKER_TEMPFORUSER};
    const DWORD which[] = {OLEWHICHMK_CONTAINER, OLEWHICHMK_OBJREL, OLEWHICHMK_OBJFULL};
    for (DWORD assign : assignments) {
        for (DWORD w : which) {
            IMoniker* moniker = Poisoned<IMoniker>();
            const HRESULT expected = (assign == 1 && w == 1) ? E_FAIL : E_NOTIMPL;
            EXPECT_EQ(site->GetMoniker(assign, w, &moniker), expected) << "(" << assign << ", " << w << ")";
            EXPECT_EQ(moniker, nullptr) << "(" << assign << ", " << w << ")";
        }
    }
}

TEST_F(BrowserHost, InPlaceSiteAllowsActivationAndDescribesTheFrameWithoutMenusOrAccelerators) {
    IOleInPlaceSite* site = host;
    HWND window = Poisoned<HWND__>();
    EXPECT_EQ(site->GetWindow(&window), S_OK);
    EXPECT_EQ(window, frame);
    EXPECT_EQ(site->GetWindow(nullptr), E_POINTER);

    EXPECT_EQ(site->ContextSensitiveHelp(TRUE), E_NOTIMPL);
    EXPECT_EQ(site->CanInPlaceActivate(), S_OK);
    EXPECT_EQ(site->OnUIActivate(), S_OK);
    EXPECT_EQ(site->Scroll(SIZE{5, 5}), E_NOTIMPL);
    EXPECT_EQ(site->OnUIDeactivate(FALSE), S_OK);
    EXPECT_EQ(site->DiscardUndoState(), E_NOTIMPL);
    EXPECT_EQ(site->DeactivateAndUndo(), E_NOTIMPL);
    const RECT elsewhere = {1, 2, 3, 4};
    EXPECT_EQ(site->OnPosRectChange(&elsewhere), E_NOTIMPL);
    EXPECT_TRUE(SameRect(host->rect, ToRect(kLandingBrowserRect))) << "the control cannot move itself";

    IOleInPlaceFrame* inPlaceFrame = Poisoned<IOleInPlaceFrame>();
    IOleInPlaceUIWindow* document = Poisoned<IOleInPlaceUIWindow>();
    RECT position, clip;
    memset(&position, 0xEF, sizeof(position));
    memset(&clip, 0xEF, sizeof(clip));
    OLEINPLACEFRAMEINFO info;
    memset(&info, 0xEF, sizeof(info));
    info.cb = 0x1234;  // not what the structure's size is: it must be left alone all the same
    EXPECT_EQ(site->GetWindowContext(&inPlaceFrame, &document, &position, &clip, &info), S_OK);
    EXPECT_EQ(inPlaceFrame, nullptr);
    EXPECT_EQ(document, nullptr);
    EXPECT_TRUE(SameRect(position, host->rect)) << Describe(position);
    EXPECT_TRUE(SameRect(clip, host->rect)) << Describe(clip);
    EXPECT_EQ(info.cb, 0x1234u);
    EXPECT_EQ(info.fMDIApp, FALSE);
    EXPECT_EQ(info.hwndFrame, frame);
    EXPECT_EQ(info.haccel, nullptr);
    EXPECT_EQ(info.cAccelEntries, 0u);
}

TEST_F(BrowserHost, StorageAcceptsItsClassAndImplementsNothingElse) {
    IStorage* storage = host;
    EXPECT_EQ(storage->SetClass(CLSID_WebBrowser), S_OK);
    EXPECT_EQ(storage->SetClass(GUID_NULL), S_OK);

    IStream* stream = Poisoned<IStream>();
    IStorage* child = Poisoned<IStorage>();
    IEnumSTATSTG* elements = Poisoned<IEnumSTATSTG>();
    STATSTG stat;
    memset(&stat, 0xEF, sizeof(stat));
    const STATSTG untouched = stat;
    const FILETIME now = {1, 2};
    const HRESULT answers[] = {
        storage->CreateStream(L"s", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &stream),
        storage->OpenStream(L"s", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, &stream),
        storage->CreateStorage(L"c", STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0, 0, &child),
        storage->OpenStorage(L"c", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, nullptr, 0, &child),
        storage->CopyTo(0, nullptr, nullptr, storage),
        storage->MoveElementTo(L"s", storage, L"t", STGMOVE_MOVE),
        storage->Commit(STGC_DEFAULT),
        storage->Revert(),
        storage->EnumElements(0, nullptr, 0, &elements),
        storage->DestroyElement(L"s"),
        storage->RenameElement(L"s", L"t"),
        storage->SetElementTimes(L"s", &now, &now, &now),
        storage->SetStateBits(1, 1),
        storage->Stat(&stat, STATFLAG_DEFAULT),
    };
    for (size_t i = 0; i < sizeof(answers) / sizeof(answers[0]); ++i) {
        EXPECT_EQ(answers[i], E_NOTIMPL) << "method " << i;
    }
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(elements, nullptr);
    EXPECT_EQ(memcmp(&stat, &untouched, sizeof(stat)), 0);
}

TEST_F(BrowserHost, UiHandlerKeepsTheControlsOwnUiAwayAndGivesThePageTheDispatchView) {
    IDocHostUIHandler* handler = host;
    POINT at = {10, 10};
    EXPECT_EQ(handler->ShowContextMenu(CONTEXT_MENU_DEFAULT, &at, nullptr, nullptr), S_OK);
    DOCHOSTUIINFO info;
    memset(&info, 0xEF, sizeof(info));
    info.cbSize = sizeof(info);
    DOCHOSTUIINFO untouched = info;
    EXPECT_EQ(handler->GetHostInfo(&info), S_OK);
    EXPECT_EQ(memcmp(&info, &untouched, sizeof(info)), 0) << "the control keeps its defaults";
    EXPECT_EQ(handler->ShowUI(DOCHOSTUITYPE_BROWSE, nullptr, nullptr, nullptr, nullptr), S_OK);
    EXPECT_EQ(handler->HideUI(), S_OK);
    EXPECT_EQ(handler->UpdateUI(), S_OK);
    EXPECT_EQ(handler->EnableModeless(TRUE), S_OK);
    EXPECT_EQ(handler->OnDocWindowActivate(TRUE), S_OK);
    EXPECT_EQ(handler->OnFrameWindowActivate(TRUE), S_OK);
    const RECT border = {0, 0, 10, 10};
    EXPECT_EQ(handler->ResizeBorder(&border, nullptr, TRUE), S_OK);
    MSG message = {frame, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    EXPECT_EQ(handler->TranslateAccelerator(&message, nullptr, 0), S_FALSE);

    LPOLESTR key = Poisoned<OLECHAR>();
    EXPECT_EQ(handler->GetOptionKeyPath(&key, 0), S_FALSE);
    EXPECT_EQ(key, nullptr);
    IDropTarget* dropTarget = Poisoned<IDropTarget>();
    EXPECT_EQ(handler->GetDropTarget(nullptr, &dropTarget), S_FALSE);
    EXPECT_EQ(dropTarget, nullptr);
    LPWSTR translated = Poisoned<wchar_t>();
    wchar_t url[] = L"http://example.invalid/";
    EXPECT_EQ(handler->TranslateUrl(0, url, &translated), S_FALSE);
    EXPECT_EQ(translated, nullptr);
    IDataObject* filtered = Poisoned<IDataObject>();
    EXPECT_EQ(handler->FilterDataObject(nullptr, &filtered), S_FALSE);
    EXPECT_EQ(filtered, nullptr);

    const LONG before = host->refCount;
    IDispatch* external = Poisoned<IDispatch>();
    EXPECT_EQ(handler->GetExternal(&external), S_OK);
    EXPECT_EQ(external, static_cast<IDispatch*>(host));
    EXPECT_EQ(host->refCount, before) << "no reference is added for the page";
    EXPECT_EQ(handler->GetExternal(nullptr), E_POINTER);
}

TEST_F(BrowserHost, DispatchViewHasNoTypeInformation) {
    IDispatch* dispatch = host;
    UINT count = static_cast<UINT>(kPoison);
    EXPECT_EQ(dispatch->GetTypeInfoCount(&count), S_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(dispatch->GetTypeInfoCount(nullptr), E_POINTER);
    ITypeInfo* typeInfo = Poisoned<ITypeInfo>();
    EXPECT_EQ(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &typeInfo), E_FAIL);
    EXPECT_EQ(typeInfo, nullptr);
}

TEST_F(BrowserHost, GetIDsOfNamesMatchesOnlyALeadingLowercaseEOfTheFirstName) {
    constexpr DISPID kUnset = static_cast<DISPID>(kPoison);
    struct Case {
        std::vector<const wchar_t*> names;
        HRESULT result;
        std::vector<DISPID> ids;
    } cases[] = {
        {{L"enterGame"}, S_OK, {kDispidGameView}},
        {{L"e"}, S_OK, {kDispidGameView}},
        {{L"exit"}, S_OK, {kDispidGameView}},
        {{L"Exit"}, S_FALSE, {DISPID_UNKNOWN}},
        {{L"EnterGame"}, S_FALSE, {DISPID_UNKNOWN}},
        {{L""}, S_FALSE, {DISPID_UNKNOWN}},
        {{nullptr}, S_FALSE, {DISPID_UNKNOWN}},
        {{L"goGame"}, S_FALSE, {DISPID_UNKNOWN}},
        {{L"enterGame", L"e", L"x"}, S_OK, {kDispidGameView, DISPID_UNKNOWN, DISPID_UNKNOWN}},
        {{L"Exit", L"enterGame"}, S_FALSE, {DISPID_UNKNOWN, DISPID_UNKNOWN}},
    };
    const IID* iids[] = {&IID_NULL, &IID_IDispatch};
    const LCID locales[] = {LOCALE_USER_DEFAULT, MAKELCID(0x0804, SORT_DEFAULT)};
    IDispatch* dispatch = host;
    for (const Case& c : cases) {
        for (const IID* iid : iids) {
            for (LCID locale : locales) {
                std::vector<LPOLESTR> names;
                for (const wchar_t* name : c.names) names.push_back(const_cast<LPOLESTR>(name));
                std::vector<DISPID> ids(c.names.size() + 1, kUnset);  // one slot more than asked for
                const HRESULT hr =
                    dispatch->GetIDsOfNames(*iid, names.data(), static_cast<UINT>(names.size()), locale, ids.data());
                const std::string first = c.names[0] ? std::string(c.names[0], c.names[0] + wcslen(c.names[0])) : "null";
                SCOPED_TRACE(first + " and " + std::to_string(c.names.size() - 1) + " more");
                EXPECT_EQ(hr, c.result);
                EXPECT_EQ(std::vector<DISPID>(ids.begin(), ids.end() - 1), c.ids);
                EXPECT_EQ(ids.back(), kUnset) << "wrote past the names it was given";
            }
        }
    }
    EXPECT_EQ(*gLauncher.viewMode, ::View::Landing) << "naming a member switches nothing";
}

TEST_F(BrowserHost, GetIDsOfNamesRefusesMissingArraysAndAnEmptyRequest) {
    IDispatch* dispatch = host;
    LPOLESTR names[] = {const_cast<LPOLESTR>(L"enterGame")};
    DISPID id = static_cast<DISPID>(kPoison);
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, nullptr, 1, LOCALE_USER_DEFAULT, &id), E_POINTER);
    EXPECT_EQ(id, static_cast<DISPID>(kPoison));
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, nullptr), E_POINTER);
    EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 0, LOCALE_USER_DEFAULT, &id), E_INVALIDARG);
    EXPECT_EQ(id, static_cast<DISPID>(kPoison));
}

TEST_F(BrowserHost, InvokeAnswersOkWithoutTouchingItsArgumentsAndSwitchesOnlyForTheGameIdentifier) {
    RECT landing;
    GetWindowRect(frame, &landing);
    IDispatch* dispatch = host;
    const DISPID others[] = {0, DISPID_UNKNOWN, DISPID_VALUE, 1, 10000, 10002, static_cast<DISPID>(kPoison)};
    const WORD flags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT};
    auto invoke = [&](DISPID id, WORD flag) {
        DISPPARAMS params;
        memset(&params, 0xEF, sizeof(params));
        const DISPPARAMS paramsBefore = params;
        VARIANT result;
        memset(&result, 0xEF, sizeof(result));
        const VARIANT resultBefore = result;
        EXCEPINFO exception;
        memset(&exception, 0xEF, sizeof(exception));
        const EXCEPINFO exceptionBefore = exception;
        UINT argumentError = static_cast<UINT>(kPoison);
        EXPECT_EQ(dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flag, &params, &result, &exception,
                                   &argumentError),
                  S_OK);
        EXPECT_EQ(memcmp(&params, &paramsBefore, sizeof(params)), 0);
        EXPECT_EQ(memcmp(&result, &resultBefore, sizeof(result)), 0);
        EXPECT_EQ(memcmp(&exception, &exceptionBefore, sizeof(exception)), 0);
        EXPECT_EQ(argumentError, static_cast<UINT>(kPoison));
    };
    for (DISPID id : others) {
        for (WORD flag : flags) {
            SCOPED_TRACE("identifier " + std::to_string(id) + ", flags " + std::to_string(flag));
            invoke(id, flag);
            EXPECT_EQ(*gLauncher.viewMode, ::View::Landing);
            RECT now;
            GetWindowRect(frame, &now);
            EXPECT_TRUE(SameRect(now, landing)) << Describe(now);
            EXPECT_EQ(LayeredFlags(), static_cast<DWORD>(LWA_COLORKEY));
        }
    }
    invoke(kDispidGameView, DISPATCH_METHOD);
    EXPECT_EQ(*gLauncher.viewMode, ::View::Game);
    EXPECT_EQ(dispatch->Invoke(kDispidGameView, IID_NULL, 0, DISPATCH_METHOD, nullptr, nullptr, nullptr, nullptr),
              S_OK)
        << "nothing of the call is looked at, so null arguments are fine";
}

// ---- the real control in the frame window ---------------------------------------------

SIZEL ExtentOf(IOleObject* object) {
    SIZEL extent = {static_cast<LONG>(kPoison), static_cast<LONG>(kPoison)};
    object->GetExtent(DVASPECT_CONTENT, &extent);
    return extent;
}

SIZEL ExpectedExtent(const RECT& r) {
    HDC screen = GetDC(nullptr);
    const int dpiX = GetDeviceCaps(screen, LOGPIXELSX), dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    const IntSize extent = HimetricExtent({r.left, r.top, r.right, r.bottom}, dpiX, dpiY);
    return {extent.width, extent.height};
}

TEST_F(BrowserHost, ControlIsActiveInPlaceAsAChildOfTheFrameAtTheLandingRectangle) {
    ASSERT_NE(host->oleObject, nullptr);
    ASSERT_NE(host->webBrowser2, nullptr);
    EXPECT_NE(host->inPlaceActiveObject, nullptr);
    ASSERT_NE(host->inPlaceObject, nullptr);

    EXPECT_EQ(host->cachedControlWindow, nullptr) << "nothing asks for the window before controlWindow";
    HWND control = host->controlWindow();
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(host->cachedControlWindow, control);
    EXPECT_EQ(control, ShellEmbedding());
    EXPECT_EQ(GetParent(control), frame);
    EXPECT_TRUE(IsWindowVisible(control));
    const RECT landing = ToRect(kLandingBrowserRect);
    EXPECT_TRUE(SameRect(RectInParent(control), landing)) << Describe(RectInParent(control));
    const SIZEL extent = ExtentOf(host->oleObject), expected = ExpectedExtent(landing);
    EXPECT_EQ(extent.cx, expected.cx);
    EXPECT_EQ(extent.cy, expected.cy);

    VARIANT_BOOL silent = VARIANT_FALSE;
    host->webBrowser2->get_Silent(&silent);
    EXPECT_EQ(silent, VARIANT_TRUE) << "the control must not show dialogs of its own";
}

TEST_F(BrowserHost, SetRectMovesTheControlAndSetsItsExtentFromTheRoundedCorners) {
    const RECT cases[] = {{0, 30, 1195, 806}, {1, 1, 2, 2}, {-50, -20, 300, 200}, {470, 220, 1056, 663}};
    for (const RECT& r : cases) {
        SCOPED_TRACE(Describe(r));
        host->setRect(r);
        EXPECT_TRUE(SameRect(host->rect, r));
        EXPECT_TRUE(SameRect(RectInParent(ShellEmbedding()), r)) << Describe(RectInParent(ShellEmbedding()));
        const SIZEL extent = ExtentOf(host->oleObject), expected = ExpectedExtent(r);
        EXPECT_EQ(extent.cx, expected.cx);
        EXPECT_EQ(extent.cy, expected.cy);
    }
}

// The control's side of deactivation and activation is played by calling the site
// the way the control calls it; the control's window shows what the host did with it.
TEST_F(BrowserHost, SetRectWhileDeactivatedOnlyRemembersAndTheNextActivationAppliesIt) {
    IOleInPlaceSite* site = host;
    HWND control = host->controlWindow();
    ASSERT_NE(control, nullptr);
    IOleInPlaceObject* inPlace = host->inPlaceObject;
    const RECT landing = ToRect(kLandingBrowserRect);

    EXPECT_EQ(site->OnInPlaceDeactivate(), S_OK);
    EXPECT_EQ(host->inPlaceObject, nullptr);
    EXPECT_EQ(host->cachedControlWindow, nullptr);
    EXPECT_EQ(host->controlWindow(), nullptr) << "no window while not in place";

    const RECT later = {10, 40, 610, 440};
    host->setRect(later);
    EXPECT_TRUE(SameRect(host->rect, later));
    const SIZEL extent = ExtentOf(host->oleObject), expected = ExpectedExtent(later);
    EXPECT_EQ(extent.cx, expected.cx) << "the extent is set all the same";
    EXPECT_EQ(extent.cy, expected.cy);
    EXPECT_TRUE(SameRect(RectInParent(control), landing)) << "nothing may move an inactive control";

    EXPECT_EQ(site->OnInPlaceActivate(), S_OK);
    EXPECT_EQ(host->inPlaceObject, inPlace) << "fetched anew from the control";
    EXPECT_EQ(host->controlWindow(), control);
    EXPECT_TRUE(SameRect(RectInParent(control), later)) << Describe(RectInParent(control));
}

// The message loop offers every message to the control first and dispatches only what
// the control did not translate. Both sides write into one log, so the order shows:
// 'o' offered, 'd' dispatched.
std::vector<std::pair<char, UINT>> loopLog;

class AcceleratorSpy : public IOleInPlaceActiveObject {
public:
    STDMETHODIMP QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG message) override {
        if (message->message >= WM_APP) loopLog.push_back({'o', message->message});
        return message->message == WM_APP + 2 ? S_OK : S_FALSE;  // S_OK: the control acted on it
    }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
};

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP) loopLog.push_back({'d', message});
    return DefWindowProcW(window, message, wParam, lParam);
}

TEST_F(BrowserHost, MessageLoopOffersEveryMessageToTheControlAndDispatchesWhatItDidNotTranslate) {
    WNDCLASSW recordingClass = {};
    recordingClass.lpfnWndProc = RecordingProc;
    recordingClass.hInstance = GetModuleHandleW(nullptr);
    recordingClass.lpszClassName = L"OrvendalRecordingWindow";
    RegisterClassW(&recordingClass);
    HWND target = CreateWindowExW(0, L"OrvendalRecordingWindow", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    AcceleratorSpy spy;
    IOleInPlaceActiveObject* real = host->inPlaceActiveObject;
    host->inPlaceActiveObject = &spy;
    for (UINT message : {WM_APP + 1, WM_APP + 2, WM_APP + 3}) PostMessageW(target, message, 0, 0);
    PostQuitMessage(0);
    EXPECT_EQ(RunMessageLoop(), 0);
    host->inPlaceActiveObject = real;

    const std::vector<std::pair<char, UINT>> expected = {
        {'o', WM_APP + 1}, {'d', WM_APP + 1}, {'o', WM_APP + 2}, {'o', WM_APP + 3}, {'d', WM_APP + 3}};
    EXPECT_EQ(loopLog, expected);
    DestroyWindow(target);
}

}  // namespace
