#include "ui/about_dlg.h"

#include "res/resource.h"
#include "ui/load_string.h"

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX)
{
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_ABOUT_COPYRIGHT, m_stCopyright);
    DDX_Control(pDX, IDC_ABOUT_VERSION, m_stVersion);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(LoadResourceString(IDS_ABOUT_TITLE));
    m_stVersion.SetWindowText(LoadResourceString(IDS_VERSION));
    m_stCopyright.SetWindowText(LoadResourceString(IDS_COPYRIGHT));
    return TRUE;
}
