#pragma once

#include "framework/controls.h"
#include "framework/wnd.h"

// A modal dialog from a template. The object is bound to its window at
// WM_INITDIALOG (kept in DWLP_USER); from then on every message of the window
// goes through WindowProc: the derived class's message table first, then the
// dialog's own handling of WM_INITDIALOG, IDOK and IDCANCEL, then commands for
// the application, and finally the dialog manager's default processing.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT idTemplate, CWnd* pParentWnd = nullptr)
        : m_nIDTemplate(idTemplate), m_pParentWnd(pParentWnd)
    {
    }

    // Creates the window, runs it modally and returns the code it ended
    // with; -1 if it could not be created.
    INT_PTR DoModal();
    void EndDialog(int result) const { ::EndDialog(m_hWnd, result); }

    // Grows the window until its client area is as tall as the template. The
    // dialog manager sizes the window for a menu bar of one row; a bar that
    // wraps (a larger menu font) would cut the bottom of the dialog off.
    void GrowToTemplateHeight() const;

    virtual BOOL OnInitDialog();
    // Sees each message of the dialog and its controls before the dialog
    // manager does (keys before they turn into focus moves and button
    // clicks); true when it was handled and must go no further.
    virtual BOOL PreTranslateMessage(MSG*) { return FALSE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT Default() override;

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    // The derived class's message table; true when a row handled the message.
    virtual bool OnMessageMap(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MessageFilter(int code, WPARAM wParam, LPARAM lParam);
    // The dialog of ours whose window is, or holds, `hWnd`; null for others.
    static CDialog* FromDescendant(HWND hWnd);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    // Set while Default() hands the current message to the dialog manager,
    // which calls DialogProc once more with it first.
    bool m_bDefaulting = false;
};
