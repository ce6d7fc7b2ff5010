#include "framework/accessible_name.h"

// IID_IAccessible is defined here: without <initguid.h> before <oleacc.h>
// mingw only declares it, and the stray symbol makes every call fail with
// E_NOINTERFACE.
#include <initguid.h>
#include <oleacc.h>

using Microsoft::WRL::ComPtr;

// The system's accessible object for a control with another name. Every
// other answer (role, state, location, default action, children) is the
// system's, but every interface a client gets is this object's own: UI
// Automation wraps a control's own object in its MSAA proxy and will not
// wrap the system's, which it knows by a service, and a client that reaches
// the system's object through any interface reads the window text. So the
// object offers no services, and its IDispatch runs the IAccessible type
// description against this object.
// Dynamic annotation (IAccPropServices) would name the system's object
// without a wrapper where the system implements it; Wine's is a stub, and
// one object on every system keeps what Wine shows true of Windows.
class CNamedAccessible final : public IAccessible, public IOleWindow, public IEnumVARIANT {
public:
    CNamedAccessible(HWND hWnd, ComPtr<IAccessible> standard, std::wstring name)
        : m_hWnd(hWnd), m_standard(std::move(standard)), m_bEnumerates(SUCCEEDED(m_standard.As(&m_children))),
          m_name(std::move(name))
    {
    }

    // The window is gone: from now on every call fails as a call to an
    // object whose server has let it go.
    void Disconnect()
    {
        m_standard.Reset();
        m_children.Reset();
        m_hWnd = nullptr;
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == IID_IAccessible)
            *object = static_cast<IAccessible*>(this);
        else if (iid == IID_IOleWindow)
            *object = static_cast<IOleWindow*>(this);
        else if (iid == IID_IEnumVARIANT && m_bEnumerates)
            *object = static_cast<IEnumVARIANT*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
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
            return Call(m_standard, &IAccessible::get_accName, child, name);
        if (!name)
            return E_INVALIDARG;
        if (!m_standard)
            return CO_E_OBJNOTCONNECTED;
        *name = ::SysAllocString(m_name.c_str());
        return *name ? S_OK : E_OUTOFMEMORY;
    }

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override
    {
        if (!count)
            return E_POINTER;
        *count = TypeInfo() ? 1 : 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** info) override
    {
        if (!info)
            return E_POINTER;
        *info = index == 0 ? TypeInfo() : nullptr;
        if (!*info)
            return index == 0 ? TYPE_E_ELEMENTNOTFOUND : DISP_E_BADINDEX;
        (*info)->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        return TypeInfo() ? ::DispGetIDsOfNames(TypeInfo(), names, count, ids) : E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override
    {
        if (iid != IID_NULL)
            return DISP_E_UNKNOWNINTERFACE;
        if (!m_standard)
            return CO_E_OBJNOTCONNECTED;
        if (!TypeInfo())
            return E_NOTIMPL;
        return ::DispInvoke(static_cast<IAccessible*>(this), TypeInfo(), id, flags, params, result, exception,
                            badArgument);
    }

    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override
    {
        return Call(m_standard, &IAccessible::get_accParent, parent);
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override
    {
        return Call(m_standard, &IAccessible::get_accChildCount, count);
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override
    {
        return Call(m_standard, &IAccessible::get_accChild, child, object);
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override
    {
        return Call(m_standard, &IAccessible::get_accValue, child, value);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override
    {
        return Call(m_standard, &IAccessible::get_accDescription, child, text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override
    {
        return Call(m_standard, &IAccessible::get_accRole, child, role);
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override
    {
        return Call(m_standard, &IAccessible::get_accState, child, state);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override
    {
        return Call(m_standard, &IAccessible::get_accHelp, child, help);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override
    {
        return Call(m_standard, &IAccessible::get_accHelpTopic, file, child, topic);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override
    {
        return Call(m_standard, &IAccessible::get_accKeyboardShortcut, child, shortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override
    {
        return Call(m_standard, &IAccessible::get_accFocus, child);
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override
    {
        return Call(m_standard, &IAccessible::get_accSelection, children);
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override
    {
        return Call(m_standard, &IAccessible::get_accDefaultAction, child, action);
    }
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override
    {
        return Call(m_standard, &IAccessible::accSelect, flags, child);
    }
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override
    {
        return Call(m_standard, &IAccessible::accLocation, left, top, width, height, child);
    }
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override
    {
        return Call(m_standard, &IAccessible::accNavigate, direction, start, end);
    }
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override
    {
        return Call(m_standard, &IAccessible::accHitTest, x, y, child);
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override
    {
        return Call(m_standard, &IAccessible::accDoDefaultAction, child);
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override
    {
        return Call(m_standard, &IAccessible::put_accName, child, name);
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override
    {
        return Call(m_standard, &IAccessible::put_accValue, child, value);
    }

    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        if (!window)
            return E_POINTER;
        *window = m_hWnd;
        return m_hWnd ? S_OK : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // The children are the system object's, enumerated by its enumerator.
    HRESULT STDMETHODCALLTYPE Next(ULONG count, VARIANT* children, ULONG* fetched) override
    {
        return Call(m_children, &IEnumVARIANT::Next, count, children, fetched);
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override { return Call(m_children, &IEnumVARIANT::Skip, count); }
    HRESULT STDMETHODCALLTYPE Reset() override { return Call(m_children, &IEnumVARIANT::Reset); }
    HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** copy) override
    {
        return Call(m_children, &IEnumVARIANT::Clone, copy);
    }

private:
    template <class I, class... Params, class... Args>
    static HRESULT Call(const ComPtr<I>& target, HRESULT (STDMETHODCALLTYPE I::*method)(Params...), Args... args)
    {
        return target ? (target.Get()->*method)(args...) : CO_E_OBJNOTCONNECTED;
    }

    // The dual interface's vtable half, which DispInvoke calls through; null
    // where the system has no type library for it.
    ITypeInfo* TypeInfo()
    {
        ComPtr<ITypeLib> library;
        ComPtr<ITypeInfo> info;
        HREFTYPE vtable = 0;
        if (!m_typeInfo && SUCCEEDED(::LoadRegTypeLib(LIBID_Accessibility, 1, 1, 0, &library)) &&
            SUCCEEDED(library->GetTypeInfoOfGuid(IID_IAccessible, &info)) &&
            SUCCEEDED(info->GetRefTypeOfImplType(-1, &vtable)))
            info->GetRefTypeInfo(vtable, &m_typeInfo);
        return m_typeInfo.Get();
    }

    HWND m_hWnd;
    ComPtr<IAccessible> m_standard;
    ComPtr<IEnumVARIANT> m_children;
    bool m_bEnumerates;
    ComPtr<ITypeInfo> m_typeInfo;
    std::wstring m_name;
    LONG m_refs = 1;
};

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
        m_accessible.Attach(new CNamedAccessible(m_hWnd, std::move(standard), m_strName));
    }
    // Failing that, the system's object without the name is better than none.
    const LRESULT result = ::LresultFromObject(IID_IAccessible, wParam, static_cast<IAccessible*>(m_accessible.Get()));
    return result >= 0 ? result : Default();
}

// The object answers for this window only: a window bound later gets its
// own. Clients that still hold it are told that it is gone.
void CAccessibleName::OnNcDestroy()
{
    if (m_accessible)
        m_accessible->Disconnect();
    m_accessible.Reset();
    Default();
}
