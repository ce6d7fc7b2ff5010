#pragma once

#include "framework/wnd.h"

class CStatic : public CWnd {};
class CButton : public CWnd {};

class CEdit : public CWnd {
public:
    void SetSel(int start, int end) const { SendMessage(EM_SETSEL, start, end); }
};

class CSliderCtrl : public CWnd {
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) const
    {
        SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    void SetPos(int position) const { SendMessage(TBM_SETPOS, TRUE, position); }
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    int GetRangeMax() const { return static_cast<int>(SendMessage(TBM_GETRANGEMAX)); }
};

// Binds a wrapper to a control of the dialog being initialised.
struct CDataExchange {
    CWnd* m_pDlgWnd;
};

inline void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.BindControl(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id));
}
