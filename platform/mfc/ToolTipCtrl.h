#pragma once
#include "Wnd.h"

// CToolTipCtrl: a tooltip control ("tooltips_class32"), a popup owned by the window it serves. A
// derived class may answer the control's messages in its own map (it is subclassed at creation).
// Tool records are filled with the TOOLINFO size that carries lParam (AFX_TOOLINFO_V2_SIZE), which
// every version of the control accepts. Each member is one message to the control.

class CToolTipCtrl : public CWnd {
    DECLARE_DYNAMIC(CToolTipCtrl)
public:
    // dwStyle: TTS_* bits; the window is a popup owned by pParentWnd's window.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // ---- Tools: a whole window (nIDTool 0) or a rectangle of one (nIDTool). The control sees mouse
    // messages only through RelayEvent.
    // lpszText may be LPSTR_TEXTCALLBACK: the owner is asked with TTN_GETDISPINFO.
    BOOL AddTool(CWnd* pWnd, LPCTSTR lpszText = LPSTR_TEXTCALLBACKW, LPCRECT lpRectTool = nullptr,
                 UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCTSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, LPCRECT lpRect);
    // lpToolInfo->hwnd and uId name the tool; cbSize is set here. lpszText, when set, must hold 80
    // characters.
    BOOL GetToolInfo(TTTOOLINFOW* lpToolInfo) const;
    void SetToolInfo(TTTOOLINFOW* lpToolInfo) {
        SendMessage(TTM_SETTOOLINFOW, 0, reinterpret_cast<LPARAM>(lpToolInfo));
    }
    int GetToolCount() const { return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)); }

    // ---- Behaviour
    void Activate(BOOL bActivate) { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate)); }
    // The automatic delay (initial, reshow and autopop follow it).
    void SetDelayTime(UINT nDelay) { SendMessage(TTM_SETDELAYTIME, TTDT_AUTOMATIC, static_cast<LPARAM>(nDelay)); }
    // dwDuration: TTDT_INITIAL, TTDT_RESHOW, TTDT_AUTOPOP.
    void SetDelayTime(DWORD dwDuration, int iTime) { SendMessage(TTM_SETDELAYTIME, dwDuration, MAKELPARAM(iTime, 0)); }
    int GetDelayTime(DWORD dwDuration) const { return static_cast<int>(SendMessage(TTM_GETDELAYTIME, dwDuration)); }
    // Hands a mouse message of a tool window to the control.
    void RelayEvent(LPMSG lpMsg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg)); }
    int SetMaxTipWidth(int iWidth) {
        return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, static_cast<LPARAM>(iWidth)));
    }
    // uIcon: TTI_NONE, TTI_INFO, TTI_WARNING, TTI_ERROR.
    BOOL SetTitle(UINT uIcon, LPCTSTR lpstrTitle) {
        return static_cast<BOOL>(SendMessage(TTM_SETTITLEW, uIcon, reinterpret_cast<LPARAM>(lpstrTitle)));
    }
    void SetTipBkColor(COLORREF clr) { SendMessage(TTM_SETTIPBKCOLOR, static_cast<WPARAM>(clr)); }
    void SetTipTextColor(COLORREF clr) { SendMessage(TTM_SETTIPTEXTCOLOR, static_cast<WPARAM>(clr)); }
    void Pop() { SendMessage(TTM_POP); }
    void Update() { SendMessage(TTM_UPDATE); }

private:
    // A tool record for (pWnd, nIDTool) of the size described above.
    static TTTOOLINFOW ToolInfo(CWnd* pWnd, UINT_PTR nIDTool);
};
