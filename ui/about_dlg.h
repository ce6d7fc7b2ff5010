#pragma once

#include "framework/controls.h"
#include "framework/dialog.h"

// The About box: icon, version line, copyright line, OK.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();

    CStatic m_stCopyright;
    CStatic m_stVersion;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
