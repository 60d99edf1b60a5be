#include "script_runner.h"

#include <activscp.h>

namespace {

// The engine's site: it hands out "external" and notes script errors. Lives on the
// stack for one run, so its reference count is only kept for form.
class ExternalSite : public IActiveScriptSite {
public:
    explicit ExternalSite(IDispatch* external) : external_(external) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override {
        if (!object) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IActiveScriptSite)) {
            *object = static_cast<IActiveScriptSite*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
    STDMETHODIMP_(ULONG) Release() override { return --refs_; }

    STDMETHODIMP GetLCID(LCID*) override { return E_NOTIMPL; }
    STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** typeInfo) override {
        if (lstrcmpW(name, L"external") != 0) return TYPE_E_ELEMENTNOTFOUND;
        if (mask & SCRIPTINFO_IUNKNOWN) {
            *item = external_;
            external_->AddRef();
        }
        if (mask & SCRIPTINFO_ITYPEINFO) *typeInfo = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDocVersionString(BSTR*) override { return E_NOTIMPL; }
    STDMETHODIMP OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    STDMETHODIMP OnStateChange(SCRIPTSTATE) override { return S_OK; }
    STDMETHODIMP OnScriptError(IActiveScriptError* error) override {
        outcome.scriptError = true;
        EXCEPINFO info = {};
        if (error && SUCCEEDED(error->GetExceptionInfo(&info)) && info.bstrDescription) {
            outcome.errorText = info.bstrDescription;
        }
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrDescription);
        SysFreeString(info.bstrHelpFile);
        return S_OK;
    }
    STDMETHODIMP OnEnterScript() override { return S_OK; }
    STDMETHODIMP OnLeaveScript() override { return S_OK; }

    ScriptOutcome outcome;

private:
    IDispatch* external_;
    LONG refs_ = 1;
};

}  // namespace

ScriptOutcome RunScriptWithExternal(IDispatch* external, const wchar_t* script) {
    ExternalSite site(external);
    CLSID jscript;
    IActiveScript* engine = nullptr;
    IActiveScriptParse* parser = nullptr;
    if (FAILED(CLSIDFromProgID(L"JScript", &jscript)) ||
        FAILED(CoCreateInstance(jscript, nullptr, CLSCTX_INPROC_SERVER, IID_IActiveScript,
                                reinterpret_cast<void**>(&engine))) ||
        FAILED(engine->QueryInterface(__uuidof(IActiveScriptParse), reinterpret_cast<void**>(&parser)))) {
        if (engine) engine->Release();
        site.outcome.parse = REGDB_E_CLASSNOTREG;
        return site.outcome;
    }
    parser->InitNew();
    engine->SetScriptSite(&site);
    engine->AddNamedItem(L"external", SCRIPTITEM_ISVISIBLE);
    engine->SetScriptState(SCRIPTSTATE_STARTED);
    EXCEPINFO exception = {};
    site.outcome.parse = parser->ParseScriptText(script, nullptr, nullptr, nullptr, 0, 0, 0, nullptr, &exception);
    engine->Close();
    parser->Release();
    engine->Release();
    return site.outcome;
}
