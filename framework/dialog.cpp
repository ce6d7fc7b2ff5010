#include "framework/dialog.h"

#include "framework/noncopyable.h"
#include "framework/win_app.h"

namespace {

// Messages whose result a dialog procedure returns directly rather than
// through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message)
{
    switch (message) {
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return true;
    default:
        return false;
    }
}

// The message filter hook of the thread, for as long as a modal run lasts.
class CMessageFilterHook : CNoCopy {
public:
    explicit CMessageFilterHook(HOOKPROC proc)
        : m_hHook(::SetWindowsHookExW(WH_MSGFILTER, proc, nullptr, ::GetCurrentThreadId()))
    {
    }
    ~CMessageFilterHook()
    {
        if (m_hHook)
            ::UnhookWindowsHookEx(m_hHook);
    }

private:
    HHOOK m_hHook;
};

// A template's size in dialog units, from either template format: an
// extended one (version 1, signature 0xFFFF) has it 22 bytes in, a plain
// one 14.
SIZE TemplateSize(UINT id)
{
    const LPCWSTR name = MAKEINTRESOURCEW(id);
    HINSTANCE module = AfxFindResourceHandle(name, RT_DIALOG);
    HRSRC found = ::FindResourceW(module, name, RT_DIALOG);
    const auto* words = found ? static_cast<const WORD*>(::LockResource(::LoadResource(module, found))) : nullptr;
    if (!words)
        return {0, 0};
    const WORD* size = words + (words[0] == 1 && words[1] == 0xFFFF ? 11 : 7);
    return {static_cast<short>(size[0]), static_cast<short>(size[1])};
}

} // namespace

INT_PTR CDialog::DoModal()
{
    // Without a parent the application's main window owns the dialog, so that
    // it is disabled while this one runs; the main window itself has none.
    HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    CWnd* mainWnd = AfxGetApp() ? AfxGetApp()->GetMainWnd() : nullptr;
    if (!parent && mainWnd && mainWnd != this)
        parent = mainWnd->m_hWnd;
    // The system's modal loop gives a dialog no say before IsDialogMessage
    // acts on a key, but IsDialogMessage first offers every message to the
    // thread's WH_MSGFILTER hook (code MSGF_DIALOGBOX). Hooking there, rather
    // than running a loop of our own, keeps the system's loop (and any loop
    // that calls IsDialogMessage) exactly as it is.
    CMessageFilterHook hook(MessageFilter);
    return ::DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), parent,
                             DialogProc, reinterpret_cast<LPARAM>(this));
}

CDialog* CDialog::FromDescendant(HWND hWnd)
{
    HWND root = hWnd ? ::GetAncestor(hWnd, GA_ROOT) : nullptr;
    if (!root || ::GetWindowLongPtrW(root, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(DialogProc))
        return nullptr;
    return reinterpret_cast<CDialog*>(::GetWindowLongPtrW(root, DWLP_USER));
}

// Nested modal runs each hook the thread; the newest hook is asked first and
// answers for any dialog of ours, so a message is offered once.
LRESULT CALLBACK CDialog::MessageFilter(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == MSGF_DIALOGBOX) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (CDialog* dialog = FromDescendant(msg->hwnd))
            return dialog->PreTranslateMessage(msg);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CDialog::OnInitDialog()
{
    CDataExchange dx{this};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::GrowToTemplateHeight() const
{
    const SIZE size = TemplateSize(m_nIDTemplate);
    RECT needed{0, 0, size.cx, size.cy};
    RECT client;
    ::MapDialogRect(m_hWnd, &needed);
    GetClientRect(&client);
    const int shortBy = needed.bottom - client.bottom;
    if (shortBy <= 0 || IsIconic())
        return;
    RECT window;
    ::GetWindowRect(m_hWnd, &window);
    SetWindowPos(nullptr, 0, 0, window.right - window.left, window.bottom - window.top + shortBy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (OnMessageMap(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_INITDIALOG: {
        const BOOL result = OnInitDialog();
        // The templates carry no position: centre over the owner, or on the
        // screen, once the window has its final height. Centred before a
        // wrapped menu bar grows it, it would sit low and could pass the
        // work area's bottom.
        GrowToTemplateHeight();
        CenterWindow();
        return result;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 || HIWORD(wParam) == 1) {
            switch (LOWORD(wParam)) {
            case IDOK:
                OnOK();
                return 0;
            case IDCANCEL:
                OnCancel();
                return 0;
            default:
                if (AfxGetApp() && AfxGetApp()->OnCmdMsg(LOWORD(wParam)))
                    return 0;
            }
        }
        break;
    }
    return Default();
}

LRESULT CDialog::Default()
{
    if (!m_pCurrentMsg || !m_hWnd)
        return 0;
    m_bDefaulting = true;
    const LRESULT result = ::DefDlgProcW(m_hWnd, m_pCurrentMsg->message, m_pCurrentMsg->wParam,
                                         m_pCurrentMsg->lParam);
    m_bDefaulting = false;
    return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        self->m_hWnd = hWnd;
        ::SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, DWLP_USER));
    }
    // Messages before WM_INITDIALOG (WM_SETFONT) go to the dialog manager.
    if (!self)
        return FALSE;
    // The dialog manager's first call back while Default() runs is the very
    // message being defaulted: let the manager process it.
    if (self->m_bDefaulting) {
        self->m_bDefaulting = false;
        return FALSE;
    }

    const CurrentMessage current{message, wParam, lParam};
    const CurrentMessage* outer = self->m_pCurrentMsg;
    self->m_pCurrentMsg = &current;
    const LRESULT result = self->WindowProc(message, wParam, lParam);
    self->m_pCurrentMsg = outer;

    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
    }
    if (ReturnsDirectly(message))
        return result;
    // Handled here, default processing included: the result stands.
    ::SetWindowLongPtrW(hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}
