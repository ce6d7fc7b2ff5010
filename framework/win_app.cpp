#include "framework/win_app.h"

bool CWinApp::OnCmdMsg(UINT)
{
    return false;
}

HINSTANCE AfxGetInstanceHandle()
{
    return ::GetModuleHandleW(nullptr);
}

HINSTANCE AfxFindResourceHandle(LPCWSTR, LPCWSTR)
{
    return AfxGetInstanceHandle();
}

int AfxWinMain()
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp* app = AfxGetApp();
    app->InitInstance();
    return 0;
}
