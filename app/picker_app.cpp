#include "app/picker_app.h"

#include "ui/picker_dlg.h"

CPickerApp theApp;

CWinApp* AfxGetApp()
{
    return &theApp;
}

bool CPickerApp::OnCmdMsg(UINT id)
{
    if (id == ID_HELP) {
        OnHelp();
        return true;
    }
    return CWinApp::OnCmdMsg(id);
}

BOOL CPickerApp::InitInstance()
{
    CPickerDlg dlg;
    // Before the dialog runs: its initialisation finds the menu bar through
    // the application's main window.
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
