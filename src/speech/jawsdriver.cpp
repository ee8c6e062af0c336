#include "speech/jawsdriver.h"

#include "speech/jawsbraillecall.h"

#include <objbase.h>
#include <oleauto.h>

#include <utility>

namespace {

// {CCE5B1E5-B2ED-45D5-B09F-8EC54B75ABF4}
const CLSID kJawsClassId
    = {0xCCE5B1E5, 0xB2ED, 0x45D5, {0xB0, 0x9F, 0x8E, 0xC5, 0x4B, 0x75, 0xAB, 0xF4}};
// {123DEDB4-2CF6-429C-A2AB-CC809E5516CE}
const IID kJawsApiId
    = {0x123DEDB4, 0x2CF6, 0x429C, {0xA2, 0xAB, 0xCC, 0x80, 0x9E, 0x55, 0x16, 0xCE}};

// Calls a method of an automation object by its name. The arguments come last first, as
// IDispatch::Invoke expects them.
HRESULT invokeMethod(IDispatch *object, const wchar_t *name, VARIANT *reversedArguments,
    UINT argumentCount, VARIANT *result)
{
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(found))
        return found;
    DISPPARAMS parameters = {reversedArguments, nullptr, argumentCount, 0};
    return object->Invoke(
        id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result, nullptr, nullptr);
}

} // namespace

JawsDriver::JawsDriver(std::u16string name, bool hasSpeech, bool hasBraille)
    : ScreenReaderDriver(std::move(name), hasSpeech, hasBraille)
{
    acquire();
}

JawsDriver::~JawsDriver()
{
    release();
}

void JawsDriver::acquire()
{
    // Counted once per held initialisation, so that release undoes exactly what acquire did,
    // whatever model the thread was initialised in before.
    if (!m_comInitialized)
        m_comInitialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    if (m_controller)
        return;
    void *object = nullptr;
    if (SUCCEEDED(
            CoCreateInstance(kJawsClassId, nullptr, CLSCTX_INPROC_SERVER, kJawsApiId, &object)))
        m_controller = static_cast<IJawsApi *>(object);
}

void JawsDriver::release()
{
    if (m_controller) {
        m_controller->Release();
        m_controller = nullptr;
    }
    if (m_comInitialized) {
        CoUninitialize();
        m_comInitialized = false;
    }
}

bool JawsDriver::callWithText(const wchar_t *method, const std::u16string &text, const bool *flag)
{
    VARIANT arguments[2];
    UINT count = 0;
    if (flag) {
        VariantInit(&arguments[count]);
        V_VT(&arguments[count]) = VT_BOOL;
        V_BOOL(&arguments[count]) = *flag ? VARIANT_TRUE : VARIANT_FALSE;
        ++count;
    }
    VariantInit(&arguments[count]);
    V_VT(&arguments[count]) = VT_BSTR;
    V_BSTR(&arguments[count]) = SysAllocStringLen(
        reinterpret_cast<const OLECHAR *>(text.data()), static_cast<UINT>(text.size()));
    ++count;

    VARIANT result;
    VariantInit(&result);
    const HRESULT called = invokeMethod(m_controller, method, arguments, count, &result);
    for (UINT i = 0; i < count; ++i)
        VariantClear(&arguments[i]);
    const bool answeredTrue = SUCCEEDED(called)
        && SUCCEEDED(VariantChangeType(&result, &result, 0, VT_BOOL))
        && V_BOOL(&result) == VARIANT_TRUE;
    VariantClear(&result);
    return answeredTrue;
}

bool JawsDriver::speak(const std::u16string &text, bool interrupt)
{
    if (text.empty() || !m_controller)
        return false;
    return callWithText(L"SayString", text, &interrupt);
}

bool JawsDriver::braille(const std::u16string &text)
{
    if (text.empty() || !m_controller)
        return false;
    return callWithText(L"RunFunction", jawsBrailleCall(text), nullptr);
}

bool JawsDriver::isSpeaking()
{
    return false;
}

bool JawsDriver::silence()
{
    if (!m_controller)
        return false;
    VARIANT result;
    VariantInit(&result);
    const HRESULT called = invokeMethod(m_controller, L"StopSpeech", nullptr, 0, &result);
    VariantClear(&result);
    return SUCCEEDED(called);
}

bool JawsDriver::isActive()
{
    if (!FindWindowW(L"JFWUI2", nullptr)) {
        release();
        return false;
    }
    if (!m_controller)
        acquire();
    return m_controller != nullptr;
}
