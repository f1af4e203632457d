#include "TkEdit.h"

#include "TkCommandBar.h"
#include "TkCommandBars.h"
#include "TkCommandBarsDefs.h"
#include "TkControl.h"
#include "TkControls.h"
#include "TkMouseManager.h"
#include "TkPopupBar.h"

#include <richedit.h>

#include <vector>

namespace {

// TrackPopupBar flags of the context menu: on top of the open bars (0x1), no command update (0x80), the
// chosen id answered instead of sent (0x100); to the left for right-to-left windows (0x8).
constexpr UINT kContextMenuFlags = 0x181;
constexpr UINT kContextMenuFlagsRightToLeft = 0x189;

struct RichEditLibrary {
    const char* pszModule;
    const wchar_t* pszClass;
};
// Newest first; the index + 1 counted from the end is the version.
const RichEditLibrary kRichEditLibraries[] = {
    {"RICHED20.DLL", L"RichEdit20W"},
    {"RICHED32.DLL", L"RICHEDIT"},
};

int LoadRichEditLibrary() {
    // The library stays loaded until exit: windows of its class may exist as long as the process.
    for (int i = 0; i < static_cast<int>(std::size(kRichEditLibraries)); ++i) {
        if (::LoadLibraryA(kRichEditLibraries[i].pszModule) != nullptr)
            return static_cast<int>(std::size(kRichEditLibraries)) - i;
    }
    return 0;
}

const wchar_t* EditClassName(int nVersion) {
    if (nVersion <= 0)
        return L"EDIT";
    return kRichEditLibraries[std::size(kRichEditLibraries) - static_cast<size_t>(nVersion)].pszClass;
}

}  // namespace

IMPLEMENT_DYNAMIC(CTkEdit, CEdit)

BEGIN_MESSAGE_MAP(CTkEdit, CEdit)
    ON_COMMAND_RANGE(ID_EDIT_COPY, ID_EDIT_CUT, OnEditCommand)
    ON_COMMAND(ID_EDIT_PASTE, OnEditPaste)
    ON_UPDATE_COMMAND_UI_RANGE(ID_EDIT_COPY, ID_EDIT_CUT, OnUpdateEditCommand)
    ON_UPDATE_COMMAND_UI(ID_EDIT_PASTE, OnUpdateEditCommand)
    ON_MESSAGE(InPlaceEditQueryMessage, OnInPlaceEditQuery)
    ON_MESSAGE(WM_IME_STARTCOMPOSITION, OnStartComposition)
    ON_MESSAGE(WM_IME_ENDCOMPOSITION, OnEndComposition)
    ON_WM_KILLFOCUS()
    ON_WM_PAINT()
END_MESSAGE_MAP()

int CTkEdit::GetRichEditVersion() {
    static const int nVersion = LoadRichEditLibrary();
    return nVersion;
}

BOOL CTkEdit::CreateEdit(DWORD dwStyle, const RECT& rc, CWnd* pParent, UINT nId) {
    const int nVersion = GetRichEditVersion();
    if (!CWnd::Create(EditClassName(nVersion), nullptr, dwStyle, rc, pParent, nId))
        return FALSE;
    if (nVersion > 0) {
        SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
        // Only while the window is still empty does the mode change take.
        SendMessage(EM_SETTEXTMODE, TM_PLAINTEXT | TM_SINGLELEVELUNDO);
    }
    return TRUE;
}

CString CTkEdit::GetEditText() const {
    if (GetRichEditVersion() < 2) {
        CString strText;
        GetWindowText(strText);
        return strText;
    }
    GETTEXTLENGTHEX length{GTL_DEFAULT | GTL_NUMCHARS, 1200};
    const LRESULT nLength = SendMessage(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length));
    if (nLength <= 0)
        return CString();
    std::vector<wchar_t> buffer(static_cast<size_t>(nLength) + 1);
    GETTEXTEX text{};
    text.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    text.flags = GT_DEFAULT;
    text.codepage = 1200;
    SendMessage(EM_GETTEXTEX, reinterpret_cast<WPARAM>(&text), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.back() = L'\0';
    return CString(buffer.data());
}

void CTkEdit::SetEditText(LPCWSTR pszText) {
    const BOOL bWasSetting = m_bSettingText;
    m_bSettingText = TRUE;
    SetWindowText(pszText);
    m_bSettingText = bWasSetting;
}

void CTkEdit::SetTextFormat(COLORREF clrText, COLORREF clrBack) {
    const int nVersion = GetRichEditVersion();
    if (nVersion == 0)
        return;
    CHARFORMAT2W format{};
    // Version 1 knows only the shorter record.
    format.cbSize = nVersion >= 2 ? sizeof(CHARFORMAT2W) : sizeof(CHARFORMATW);
    format.dwMask = CFM_COLOR | CFM_BACKCOLOR;
    format.crTextColor = clrText;
    format.crBackColor = clrBack;
    SendMessage(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    SendMessage(EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(clrBack));
}

BOOL CTkEdit::IsCommandEnabled(UINT nId) const {
    int nStart = 0;
    int nEnd = 0;
    GetSel(nStart, nEnd);
    const BOOL bWritable = (GetStyle() & (ES_READONLY | WS_DISABLED)) == 0;
    switch (nId) {
        case ID_EDIT_COPY:
            return nStart != nEnd;
        case ID_EDIT_CUT:
            return nStart != nEnd && bWritable;
        case ID_EDIT_PASTE:
            return bWritable && ::IsClipboardFormatAvailable(CF_TEXT);
        default:
            return FALSE;
    }
}

void CTkEdit::OnEditCommand(UINT nId) {
    SendMessage(nId == ID_EDIT_COPY ? WM_COPY : WM_CUT);
}

void CTkEdit::OnEditPaste() {
    SendMessage(WM_PASTE);
}

void CTkEdit::OnUpdateEditCommand(CCmdUI* pCmdUI) {
    pCmdUI->Enable(IsCommandEnabled(pCmdUI->m_nID));
}

LRESULT CTkEdit::OnInPlaceEditQuery(WPARAM, LPARAM) {
    return 1;
}

LRESULT CTkEdit::OnStartComposition(WPARAM, LPARAM) {
    m_bComposing = TRUE;
    return Default();
}

LRESULT CTkEdit::OnEndComposition(WPARAM, LPARAM) {
    m_bComposing = FALSE;
    return Default();
}

void CTkEdit::OnKillFocus(CWnd* pNewWnd) {
    m_bComposing = FALSE;
    CEdit::OnKillFocus(pNewWnd);
}

void CTkEdit::OnPaint() {
    Default();
    if (!m_bOpaquePaint)
        return;
    // Glass shows through wherever alpha is 0: copy the painted area, set every alpha to 255, put it back.
    CRect rc;
    GetClientRect(&rc);
    CScopedMemDC memDC(rc.Width(), rc.Height());
    if (!memDC.IsValid())
        return;
    CClientDC dc(this);
    memDC.BitBlt(0, 0, rc.Width(), rc.Height(), &dc, 0, 0, SRCCOPY);
    DWORD* pBits = memDC.GetBits();
    for (int i = 0; i < rc.Width() * rc.Height(); ++i)
        pBits[i] |= 0xFF000000;
    dc.BitBlt(0, 0, rc.Width(), rc.Height(), &memDC, 0, 0, SRCCOPY);
}

CTkCommandBar* CTkEdit::GetParentBar() const {
    return DYNAMIC_DOWNCAST(CTkCommandBar, GetParent());
}

void CTkEdit::ShowContextMenu(CPoint ptScreen) {
    CString strCut;
    if (!strCut.LoadString(ID_EDIT_CUT))
        return;
    CTkCommandBar* pBar = GetParentBar();
    CTkCommandBars* pCommandBars = pBar != nullptr ? pBar->GetCommandBars() : nullptr;
    if (pCommandBars == nullptr)
        return;

    // The select-all posted when the edit took the focus would otherwise land after the menu.
    MSG msg;
    if (::PeekMessageW(&msg, m_hWnd, EM_SETSEL, EM_SETSEL, PM_REMOVE))
        SendMessage(EM_SETSEL, msg.wParam, msg.lParam);

    CTkPopupBar* pPopup = CTkPopupBar::CreatePopupBar(pCommandBars);
    if (pPopup == nullptr)
        return;
    for (UINT nId : {ID_EDIT_CUT, ID_EDIT_COPY, ID_EDIT_PASTE}) {
        if (CTkControl* pControl = pPopup->GetControls()->Add(kControlButton, static_cast<int>(nId)))
            pControl->SetEnabled(IsCommandEnabled(nId));
    }

    // The focused control's lock would keep the menu from the mouse.
    CTkMouseManager* pMouseManager = CreateMouseManager();
    const int nLock = pMouseManager->m_nLock;
    pMouseManager->m_nLock = 0;
    const UINT nFlags =
        (GetExStyle() & (WS_EX_LAYOUTRTL | WS_EX_RTLREADING)) ? kContextMenuFlagsRightToLeft : kContextMenuFlags;
    const UINT nCommand =
        static_cast<UINT>(CTkCommandBars::TrackPopupBar(pPopup, nFlags, ptScreen.x, ptScreen.y, this, nullptr, this));
    pMouseManager->m_nLock = nLock;
    pPopup->InternalRelease();

    if (nCommand != 0 && ::IsWindow(m_hWnd) && IsCommandEnabled(nCommand))
        OnCmdMsg(nCommand, CN_COMMAND, nullptr, nullptr);
    if (pBar != nullptr && ::IsWindow(pBar->GetSafeHwnd()))
        pBar->Invalidate();
}

void CTkEdit::FollowControlVisibility(const CTkControl& control) {
    if (GetSafeHwnd() == nullptr)
        return;
    CTkCommandBar* pBar = control.GetParent();
    const BOOL bShow = control.GetControls() != nullptr && pBar != nullptr && control.IsVisible() &&
                       pBar->GetSafeHwnd() != nullptr && pBar->IsWindowVisible();
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}
