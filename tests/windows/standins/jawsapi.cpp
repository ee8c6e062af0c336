// A stand-in for JAWS's automation object: an in-process COM server of JAWS's class that answers
// IDispatch (and JAWS's interface id) with the three methods SayString, RunFunction and StopSpeech,
// each logging its call and answering true.
#include "standinlog.h"

#include <oaidl.h>
#include <oleauto.h>

namespace {

const CLSID kJawsClassId
    = {0xCCE5B1E5, 0xB2ED, 0x45D5, {0xB0, 0x9F, 0x8E, 0xC5, 0x4B, 0x75, 0xAB, 0xF4}};
const IID kJawsApiId
    = {0x123DEDB4, 0x2CF6, 0x429C, {0xA2, 0xAB, 0xCC, 0x80, 0x9E, 0x55, 0x16, 0xCE}};
const wchar_t *const kMethods[] = {L"SayString", L"RunFunction", L"StopSpeech"};
const char *const kMethodNames[] = {"SayString", "RunFunction", "StopSpeech"};

class JawsApi final : public IDispatch
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
    {
        if (id != IID_IUnknown && id != IID_IDispatch && id != kJawsApiId) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&m_references); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT *count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo **) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(
        REFIID, LPOLESTR *names, UINT count, LCID, DISPID *ids) override
    {
        for (DISPID id = 0; id < 3; ++id) {
            if (count == 1 && lstrcmpiW(names[0], kMethods[id]) == 0) {
                ids[0] = id + 1;
                return S_OK;
            }
        }
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS *parameters,
        VARIANT *result, EXCEPINFO *, UINT *) override
    {
        if (id < 1 || id > 3)
            return DISP_E_MEMBERNOTFOUND;
        // The arguments come last first: the text is the last one.
        const UINT count = parameters->cArgs;
        const wchar_t *text = count > 0 && V_VT(&parameters->rgvarg[count - 1]) == VT_BSTR
            ? V_BSTR(&parameters->rgvarg[count - 1])
            : L"";
        logCall("JAWS", kMethodNames[id - 1], text);
        if (result) {
            VariantInit(result);
            V_VT(result) = VT_BOOL;
            V_BOOL(result) = VARIANT_TRUE;
        }
        return S_OK;
    }

private:
    LONG m_references = 1;
};

class Factory : public IClassFactory
{
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void **object) override
    {
        if (id != IID_IUnknown && id != IID_IClassFactory) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown *outer, REFIID id, void **object) override
    {
        if (outer)
            return CLASS_E_NOAGGREGATION;
        JawsApi *api = new JawsApi;
        const HRESULT found = api->QueryInterface(id, object);
        api->Release();
        return found;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory factory;

} // namespace

extern "C" __declspec(dllexport) HRESULT
    __stdcall DllGetClassObject(REFCLSID classId, REFIID id, void **object)
{
    if (classId != kJawsClassId)
        return CLASS_E_CLASSNOTAVAILABLE;
    return factory.QueryInterface(id, object);
}

extern "C" __declspec(dllexport) HRESULT __stdcall DllCanUnloadNow()
{
    return S_FALSE;
}
