#pragma once

#include "framework/wnd.h"

class CStatic : public CWnd {};
class CButton : public CWnd {};

class CEdit : public CWnd {};

// Trackbar calls, on a plain wrapper or on one that subclasses the control.
template <class Base>
class CSliderOps : public Base {
public:
    void SetRange(int minimum, int maximum, BOOL redraw = FALSE) const
    {
        this->SendMessage(TBM_SETRANGEMIN, FALSE, minimum);
        this->SendMessage(TBM_SETRANGEMAX, redraw, maximum);
    }
    // Redrawn at once.
    void SetPos(int position) const { this->SendMessage(TBM_SETPOS, TRUE, position); }
    int GetPos() const { return static_cast<int>(this->SendMessage(TBM_GETPOS)); }
};

using CSliderCtrl = CSliderOps<CWnd>;

// Binds a wrapper to a control of the dialog being initialised.
struct CDataExchange {
    CWnd* m_pDlgWnd;
};

inline void DDX_Control(CDataExchange* pDX, int id, CWnd& control)
{
    if (!control.m_hWnd)
        control.BindControl(::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, id));
}
