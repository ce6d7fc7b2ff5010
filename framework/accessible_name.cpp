#include "framework/accessible_name.h"

// IID_IAccessible is defined here: without <initguid.h> before <oleacc.h>
// mingw only declares it, and the stray symbol makes every call fail with
// E_NOINTERFACE.
#include <initguid.h>
#include <oleacc.h>

using Microsoft::WRL::ComPtr;

namespace {

// The system's accessible object for a control with another name. Every
// other answer (role, state, location, default action) is the system's.
class CNamedAccessible final : public IAccessible {
public:
    CNamedAccessible(ComPtr<IAccessible> standard, std::wstring name)
        : m_standard(std::move(standard)), m_name(std::move(name))
    {
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        // IOleWindow and IEnumVARIANT, which clients use to find the window
        // and the children: the system object's own.
        return m_standard->QueryInterface(iid, object);
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&m_refs); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG refs = ::InterlockedDecrement(&m_refs);
        if (refs == 0)
            delete this;
        return refs;
    }

    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override
    {
        if (child.vt != VT_I4 || child.lVal != CHILDID_SELF)
            return m_standard->get_accName(child, name);
        if (!name)
            return E_INVALIDARG;
        *name = ::SysAllocString(m_name.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return m_standard->GetTypeInfoCount(count); }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override
    {
        return m_standard->GetTypeInfo(index, locale, info);
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                            DISPID* ids) override
    {
        return m_standard->GetIDsOfNames(iid, names, count, locale, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* badArgument) override
    {
        return m_standard->Invoke(id, iid, locale, flags, params, result, exception, badArgument);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override { return m_standard->get_accParent(parent); }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override { return m_standard->get_accChildCount(count); }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return m_standard->get_accChild(child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return m_standard->get_accValue(child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return m_standard->get_accDescription(child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return m_standard->get_accRole(child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return m_standard->get_accState(child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return m_standard->get_accHelp(child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return m_standard->get_accHelpTopic(file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return m_standard->get_accKeyboardShortcut(child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override { return m_standard->get_accFocus(child); }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return m_standard->get_accSelection(children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return m_standard->get_accDefaultAction(child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return m_standard->accSelect(flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return m_standard->accLocation(left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return m_standard->accNavigate(direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return m_standard->accHitTest(x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return m_standard->accDoDefaultAction(child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return m_standard->put_accName(child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return m_standard->put_accValue(child, value);
    }

private:
    ComPtr<IAccessible> m_standard;
    std::wstring m_name;
    LONG m_refs = 1;
};

} // namespace

CComApartment::CComApartment() : m_hr(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))
{
}

CComApartment::~CComApartment()
{
    // A thread already in another kind of apartment was not entered here.
    if (SUCCEEDED(m_hr))
        ::CoUninitialize();
}

const MessageEntry<CAccessibleName> CAccessibleName::messageMap[] = {
    OnMessage<&CAccessibleName::OnGetObject>(WM_GETOBJECT),
    OnMessage<&CAccessibleName::OnNcDestroy>(WM_NCDESTROY),
};

CAccessibleName::CAccessibleName() = default;
CAccessibleName::~CAccessibleName() = default;

bool CAccessibleName::OnMessageMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    return DispatchMessageMap(messageMap, *this, message, wParam, lParam, result);
}

void CAccessibleName::NameControl(HWND control, std::wstring name)
{
    m_strName = std::move(name);
    BindControl(control);
}

LRESULT CAccessibleName::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    // The object identifier is a LONG; a 64-bit LPARAM may carry it
    // zero-extended.
    if (static_cast<LONG>(lParam) != OBJID_CLIENT)
        return Default();
    if (!m_accessible) {
        ComPtr<IAccessible> standard;
        if (FAILED(::CreateStdAccessibleObject(m_hWnd, OBJID_CLIENT, IID_IAccessible, &standard)))
            return Default();
        m_accessible.Attach(new CNamedAccessible(std::move(standard), m_strName));
    }
    // Failing that, the system's object without the name is better than none.
    const LRESULT result = ::LresultFromObject(IID_IAccessible, wParam, m_accessible.Get());
    return result >= 0 ? result : Default();
}

// The object answers for this window only: a window bound later gets its own.
void CAccessibleName::OnNcDestroy()
{
    m_accessible.Reset();
    Default();
}
