#pragma once

#include "framework/win_app.h"

class CPickerApp : public CWinApp {
public:
    CPickerApp() : CWinApp(nullptr) {}

    BOOL InitInstance() override;
    bool OnCmdMsg(UINT id) override;
};

extern CPickerApp theApp;
