#pragma once

#include "framework/noncopyable.h"
#include "framework/win.h"

class CWnd;

// The framework's help command.
constexpr UINT ID_HELP = 0xE146;

class CWinThread : CNoCopy {
public:
    virtual ~CWinThread() = default;
    CWnd* GetMainWnd() const { return m_pMainWnd; }

    CWnd* m_pMainWnd = nullptr;
};

// The application: InitInstance runs the program and returns FALSE to end it
// without a message loop of its own.
class CWinApp : public CWinThread {
public:
    explicit CWinApp(const wchar_t* appName = nullptr) : m_pszAppName(appName) {}

    virtual BOOL InitInstance() { return FALSE; }

    // Commands no window handled end up here; true when one was handled.
    virtual bool OnCmdMsg(UINT id);

    // There is no help content; the command is accepted and does nothing.
    void OnHelp() {}

    const wchar_t* m_pszAppName;
};

// The one application object, defined by the program.
CWinApp* AfxGetApp();
inline CWinThread* AfxGetThread() { return AfxGetApp(); }

HINSTANCE AfxGetInstanceHandle();
// The module that holds a resource: always this executable.
HINSTANCE AfxFindResourceHandle(LPCWSTR name, LPCWSTR type);

// Registers the common controls the dialogs use, then runs the application.
int AfxWinMain();
