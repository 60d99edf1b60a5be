// The page bridge under 10,000 calls of whatever a page, a broken script engine or a
// hostile caller could send: random names (random lengths and characters, some
// beginning with "e" or "E", empty ones, null ones), 0 to 5 names at once, random
// identifiers, flags and arguments, and null pointers wherever a pointer goes. The calls
// go to the real host with the real control in the real frame window, from a fixed
// seed, so a failure names the call that can be replayed.
//
// A model follows the view: only an Invoke with the identifier that GetIDsOfNames gave
// out for an "e" name may switch to the game view. After every call the window is
// checked against the model, and every answer against the bridge's contract: nothing
// is written where the contract writes nothing, every identifier slot of an unmatched
// name holds DISPID_UNKNOWN, and no slot past the names asked for is touched.
#include <cstdio>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "../../browser/dispatch_name.h"
#include "browser_fixture.h"

namespace {

constexpr unsigned kSeed = 20240607;
constexpr int kCalls = 10000;
constexpr int kMaxNames = 5;
constexpr int kSlots = kMaxNames + 3;  // identifier slots, the last ones never asked for
constexpr DISPID kPoisonId = static_cast<DISPID>(kPoison);

// Where a user might have put the game window: a spurious switch would move it back.
constexpr RECT kUserPlacedGameWindow = {200, 150, 1200, 850};

class Random {
public:
    explicit Random(unsigned seed) : engine_(seed) {}
    int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(engine_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(engine_); }
    unsigned Bits() { return static_cast<unsigned>(engine_()); }

    wchar_t Character() {
        switch (Between(0, 9)) {
        case 0: return Chance(0.5) ? L'e' : L'E';
        case 1: return static_cast<wchar_t>(Between(0x4E00, 0x9FFF));  // CJK
        case 2: return static_cast<wchar_t>(Between(0xD800, 0xDFFF));  // lone surrogate halves
        case 3: return static_cast<wchar_t>(Between(0x01, 0x1F));      // control characters
        case 4: return static_cast<wchar_t>(Between(0x0001, 0xFFFF));
        default: return static_cast<wchar_t>(Between(0x20, 0x7E));
        }
    }

    std::wstring Text(int length) {
        std::wstring text;
        for (int i = 0; i < length; ++i) text += Character();
        return text;
    }

private:
    std::mt19937 engine_;
};

// One name of a call: absent (a null pointer in the array) or a text.
struct Name {
    bool null = false;
    std::wstring text;
};

std::string Printable(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7F) {
            out += static_cast<char>(c);
        } else {
            char escaped[12];
            snprintf(escaped, sizeof(escaped), "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        }
    }
    return out;
}

class PageBridgeFuzz : public BrowserFixture {
protected:
    Name RandomName() {
        Name name;
        switch (random.Between(0, 9)) {
        case 0: name.null = true; break;
        case 1: break;  // empty
        case 2:
        case 3: name.text = L"e" + random.Text(random.Between(0, 24)); break;
        case 4: name.text = L"E" + random.Text(random.Between(0, 24)); break;
        default: name.text = random.Text(random.Between(1, 24)); break;
        }
        return name;
    }

    IID RandomIid() {
        switch (random.Between(0, 2)) {
        case 0: return IID_NULL;
        case 1: return IID_IDispatch;
        default: {
            IID iid;
            unsigned* words = reinterpret_cast<unsigned*>(&iid);
            for (int i = 0; i < 4; ++i) words[i] = random.Bits();
            return iid;
        }
        }
    }

    // An identifier for Invoke: sometimes one the host gave out, otherwise anything
    // else, the host's own identifier excepted, so that only a granted one can switch.
    DISPID RandomId() {
        if (!granted.empty() && random.Chance(0.1)) return *granted.begin();
        static const DISPID kNotable[] = {0, 1, -1, DISPID_UNKNOWN, DISPID_VALUE, DISPID_PROPERTYPUT,
                                          DISPID_NEWENUM, kDispidGameView - 1, kDispidGameView + 1};
        DISPID id;
        do {
            id = random.Chance(0.4) ? kNotable[random.Between(0, 8)] : static_cast<DISPID>(random.Bits());
        } while (id == kDispidGameView || granted.count(id));
        return id;
    }

    void CallGetIDsOfNames() {
        const int count = random.Between(0, kMaxNames);
        std::vector<Name> names;
        for (int i = 0; i < kMaxNames; ++i) names.push_back(RandomName());
        LPOLESTR pointers[kMaxNames];
        for (int i = 0; i < kMaxNames; ++i) {
            pointers[i] = names[i].null ? nullptr : const_cast<LPOLESTR>(names[i].text.c_str());
        }
        const bool noNames = random.Chance(0.05), noIds = random.Chance(0.05);
        DISPID ids[kSlots];
        for (DISPID& id : ids) id = kPoisonId;
        const IID iid = RandomIid();
        const LCID locale = random.Bits();

        std::string call = "GetIDsOfNames(" + std::to_string(count) + " names";
        for (int i = 0; i < count && !noNames; ++i) {
            call += names[i].null ? ", null" : ", \"" + Printable(names[i].text) + "\"";
        }
        call += std::string(noNames ? ", names array null" : "") + (noIds ? ", identifier array null" : "") + ")";
        lastCall = call;
        SCOPED_TRACE(call);

        const HRESULT answer =
            external->GetIDsOfNames(iid, noNames ? nullptr : pointers, count, locale, noIds ? nullptr : ids);
        for (int i = 0; i < kMaxNames; ++i) {
            EXPECT_EQ(pointers[i], names[i].null ? nullptr : names[i].text.c_str()) << "the names were changed";
        }
        const int answered = (noNames || noIds) ? 0 : count;
        for (int i = answered; i < kSlots; ++i) EXPECT_EQ(ids[i], kPoisonId) << "slot " << i << " was never asked for";
        if (answered == 0) {
            EXPECT_NE(answer, S_OK) << "no name, no identifier";
            return;
        }
        const bool match = pointers[0] && pointers[0][0] == L'e';
        EXPECT_EQ(answer, match ? S_OK : S_FALSE);
        EXPECT_EQ(ids[0], match ? kDispidGameView : DISPID_UNKNOWN);
        for (int i = 1; i < count; ++i) {
            EXPECT_EQ(ids[i], DISPID_UNKNOWN) << "slot " << i << ": only the first name counts";
        }
        if (match) granted.insert(ids[0]);
    }

    void CallInvoke() {
        const DISPID id = RandomId();
        static const WORD kFlags[] = {DISPATCH_METHOD, DISPATCH_PROPERTYGET, DISPATCH_PROPERTYPUT,
                                      DISPATCH_PROPERTYPUTREF, DISPATCH_METHOD | DISPATCH_PROPERTYGET, 0};
        const WORD flags = random.Chance(0.8) ? kFlags[random.Between(0, 5)] : static_cast<WORD>(random.Bits());

        // Arguments: 0 to 5 of them, or a null argument array whatever the count says.
        const int argumentCount = random.Between(0, 5);
        VARIANT arguments[5];
        std::vector<BSTR> texts;
        for (VARIANT& argument : arguments) {
            VariantInit(&argument);
            if (random.Chance(0.5)) {
                argument.vt = VT_I4;
                argument.lVal = static_cast<LONG>(random.Bits());
            } else {
                argument.vt = VT_BSTR;
                argument.bstrVal = SysAllocString(random.Text(random.Between(0, 12)).c_str());
                texts.push_back(argument.bstrVal);
            }
        }
        DISPID namedIds[5] = {DISPID_PROPERTYPUT, 1, 2, 3, 4};
        DISPPARAMS params = {};
        params.cArgs = static_cast<UINT>(argumentCount);
        params.rgvarg = random.Chance(0.2) ? nullptr : arguments;
        params.cNamedArgs = static_cast<UINT>(random.Between(0, argumentCount));
        params.rgdispidNamedArgs = random.Chance(0.3) ? nullptr : namedIds;
        const bool noParams = random.Chance(0.2), noResult = random.Chance(0.3), noException = random.Chance(0.3),
                   noArgumentError = random.Chance(0.3);

        VARIANT result;
        memset(&result, 0xAB, sizeof(result));
        EXCEPINFO exception;
        memset(&exception, 0xCD, sizeof(exception));
        UINT argumentError = static_cast<UINT>(kPoison);
        VARIANT argumentsBefore[5];
        memcpy(argumentsBefore, arguments, sizeof(arguments));
        const DISPPARAMS paramsBefore = params;
        VARIANT resultBefore = result;
        const EXCEPINFO exceptionBefore = exception;

        lastCall = "Invoke(" + std::to_string(id) + ", flags " + std::to_string(flags) + ", " +
                   (noParams ? std::string("no parameters") : std::to_string(argumentCount) + " arguments") +
                   (noResult ? ", no result" : "") + (noException ? ", no exception" : "") +
                   (noArgumentError ? ", no argument error" : "") + ")";
        SCOPED_TRACE(lastCall);
        const HRESULT answer = external->Invoke(id, RandomIid(), random.Bits(), flags, noParams ? nullptr : &params,
                                                noResult ? nullptr : &result, noException ? nullptr : &exception,
                                                noArgumentError ? nullptr : &argumentError);
        EXPECT_EQ(answer, S_OK);
        EXPECT_EQ(memcmp(arguments, argumentsBefore, sizeof(arguments)), 0) << "the arguments were written";
        EXPECT_EQ(memcmp(&params, &paramsBefore, sizeof(params)), 0) << "the parameters were written";
        EXPECT_EQ(memcmp(&result, &resultBefore, sizeof(result)), 0) << "the result was written";
        EXPECT_EQ(memcmp(&exception, &exceptionBefore, sizeof(exception)), 0) << "the exception was written";
        EXPECT_EQ(argumentError, static_cast<UINT>(kPoison)) << "the argument error was written";
        for (BSTR text : texts) SysFreeString(text);

        if (granted.count(id)) {
            expectedView = View::Game;
            expectedWindow = GameWindow();
            ++switches;
        }
    }

    void CallGetTypeInfo() {
        ITypeInfo* info = reinterpret_cast<ITypeInfo*>(kPoison);
        const bool noOut = random.Chance(0.3);
        const UINT index = random.Chance(0.5) ? 0u : random.Bits();
        lastCall = "GetTypeInfo(" + std::to_string(index) + (noOut ? ", null)" : ")");
        SCOPED_TRACE(lastCall);
        EXPECT_EQ(external->GetTypeInfo(index, random.Bits(), noOut ? nullptr : &info), E_FAIL);
        EXPECT_EQ(info, noOut ? reinterpret_cast<ITypeInfo*>(kPoison) : nullptr) << "a failure writes null";
    }

    void CallGetTypeInfoCount() {
        UINT count = static_cast<UINT>(kPoison);
        const bool noOut = random.Chance(0.3);
        lastCall = noOut ? "GetTypeInfoCount(null)" : "GetTypeInfoCount()";
        SCOPED_TRACE(lastCall);
        if (noOut) {
            EXPECT_EQ(external->GetTypeInfoCount(nullptr), E_POINTER);
            return;
        }
        EXPECT_EQ(external->GetTypeInfoCount(&count), S_OK);
        EXPECT_EQ(count, 0u);
    }

    void CallGetExternal() {
        IDocHostUIHandler* handler = host;
        const bool noOut = random.Chance(0.3);
        lastCall = noOut ? "GetExternal(null)" : "GetExternal()";
        SCOPED_TRACE(lastCall);
        if (noOut) {
            EXPECT_EQ(handler->GetExternal(nullptr), E_POINTER);
            return;
        }
        IDispatch* dispatch = reinterpret_cast<IDispatch*>(kPoison);
        EXPECT_EQ(handler->GetExternal(&dispatch), S_OK);
        EXPECT_EQ(dispatch, external) << "always the host's own dispatch view";
    }

    RECT GameWindow() const { return WorkAreaOf(frame); }

    RECT WindowRect() const {
        RECT r;
        GetWindowRect(frame, &r);
        return r;
    }

    void ExpectTheModelsView() {
        EXPECT_EQ(*gLauncher.viewMode, expectedView);
        EXPECT_TRUE(SameRect(WindowRect(), expectedWindow))
            << Describe(WindowRect()) << " instead of " << Describe(expectedWindow);
        EXPECT_EQ(LayeredFlags(), static_cast<DWORD>(expectedView == View::Landing ? LWA_COLORKEY : LWA_ALPHA));
        EXPECT_TRUE(IsWindowVisible(frame));
    }

    // After a switch the run goes on either from the landing view again or from a game
    // window that the user placed elsewhere, so that a later wrong switch would show.
    void LeaveTheGameWindowSomewhereElse() {
        if (random.Chance(0.5)) {
            BackToLanding();
            expectedView = View::Landing;
            expectedWindow = landingWindow;
        } else {
            const RECT& r = kUserPlacedGameWindow;
            MoveWindow(frame, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
            expectedWindow = r;
        }
    }

    static void DrainMessages() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    Random random{kSeed};
    std::string lastCall;
    IDispatch* external = nullptr;
    std::set<DISPID> granted;  // identifiers the host gave out for "e" names
    View expectedView = View::Landing;
    RECT landingWindow = {};
    RECT expectedWindow = {};
    int switches = 0;
};

TEST_F(PageBridgeFuzz, TenThousandRandomCallsSwitchOnlyWhenTheNameRuleSaysSo) {
    external = External();
    ASSERT_NE(external, nullptr);
    landingWindow = expectedWindow = WindowRect();
    int calls[5] = {};
    for (int n = 0; n < kCalls; ++n) {
        SCOPED_TRACE("call " + std::to_string(n) + " from seed " + std::to_string(kSeed));
        const int which = random.Between(0, 99);
        const int before = switches;
        if (which < 40) {
            CallGetIDsOfNames();
            ++calls[0];
        } else if (which < 75) {
            CallInvoke();
            ++calls[1];
        } else if (which < 83) {
            CallGetTypeInfo();
            ++calls[2];
        } else if (which < 91) {
            CallGetTypeInfoCount();
            ++calls[3];
        } else {
            CallGetExternal();
            ++calls[4];
        }
        DrainMessages();
        SCOPED_TRACE("after " + lastCall);
        ExpectTheModelsView();
        if (HasFailure()) return;
        if (switches != before) LeaveTheGameWindowSomewhereElse();
    }
    // The run must have exercised both sides of the rule.
    EXPECT_GT(switches, 100);
    EXPECT_GT(calls[1] - switches, 2000);
    std::printf("%d GetIDsOfNames, %d Invoke (%d switches), %d GetTypeInfo, %d GetTypeInfoCount, %d GetExternal\n",
                calls[0], calls[1], switches, calls[2], calls[3], calls[4]);
}

}  // namespace
