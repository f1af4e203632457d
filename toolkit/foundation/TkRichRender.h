#pragma once
#include "mfc.h"

#include <imm.h>
#include <richedit.h>
#include <textserv.h>

// Measures and draws rich text (RTF) or plain UTF-16 text without a window, for the rich-text
// tooltip. The windowless rich-edit engine is RICHED20.dll, loaded by name at construction; this
// object is the engine's host (XTextHost, in the interface map under ITextHost). Without the library,
// its CreateTextServices export or a text-services object, every operation answers its empty result
// and draws nothing. The creator owns the object (the first reference); the host's own AddRef and
// Release do not count, since the host lives exactly as long as its owner. UI thread.

class CTkRichRender : public CCmdTarget {
public:
    CTkRichRender();
    ~CTkRichRender() override;
    CTkRichRender(const CTkRichRender&) = delete;
    CTkRichRender& operator=(const CTkRichRender&) = delete;

    // NULL when the engine is missing; borrowed (the renderer keeps its reference).
    ITextServices* GetTextServices() const { return m_pTextServices; }

    // ---- Text and formats
    // Copies the format (cbSize 92) as the engine's default character format; NULL does nothing.
    void SetDefaultCharFormat(const CHARFORMATW* pFormat);
    // Replaces the text and answers the count of characters streamed in (0 for NULL or empty text).
    // A text starting with '{' is offered as RTF first (in the ANSI code page); when that loads
    // nothing it is loaded as plain text, braces included.
    LRESULT SetText(LPCWSTR lpszText);

    // ---- Measuring and drawing
    // The narrowest width at which the text is no taller than at nMaxWidth, and its height there; a
    // text that needs more than nMaxWidth wraps at it. (0, 0) without the engine.
    CSize GetTextExtent(CDC* pDC, int nMaxWidth);
    // Draws the text into the rectangle (transparent background).
    void Draw(CDC* pDC, const RECT* pRect);

    // clang-format off
    BEGIN_INTERFACE_PART(TextHost, ITextHost)
        HDC TxGetDC() override;
        INT TxReleaseDC(HDC hdc) override;
        WINBOOL TxShowScrollBar(INT fnBar, WINBOOL fShow) override;
        WINBOOL TxEnableScrollBar(INT fuSBFlags, INT fuArrowflags) override;
        WINBOOL TxSetScrollRange(INT fnBar, LONG nMinPos, INT nMaxPos, WINBOOL fRedraw) override;
        WINBOOL TxSetScrollPos(INT fnBar, INT nPos, WINBOOL fRedraw) override;
        void TxInvalidateRect(LPCRECT prc, WINBOOL fMode) override;
        void TxViewChange(WINBOOL fUpdate) override;
        WINBOOL TxCreateCaret(HBITMAP hbmp, INT xWidth, INT yHeight) override;
        WINBOOL TxShowCaret(WINBOOL fShow) override;
        WINBOOL TxSetCaretPos(INT x, INT y) override;
        WINBOOL TxSetTimer(UINT idTimer, UINT uTimeout) override;
        void TxKillTimer(UINT idTimer) override;
        void TxScrollWindowEx(INT dx, INT dy, LPCRECT lprcScroll, LPCRECT lprcClip, HRGN hrgnUpdate,
                              LPRECT lprcUpdate, UINT fuScroll) override;
        void TxSetCapture(WINBOOL fCapture) override;
        void TxSetFocus() override;
        void TxSetCursor(HCURSOR hcur, WINBOOL fText) override;
        WINBOOL TxScreenToClient(LPPOINT lppt) override;
        WINBOOL TxClientToScreen(LPPOINT lppt) override;
        HRESULT TxActivate(LONG* plOldState) override;
        HRESULT TxDeactivate(LONG lNewState) override;
        HRESULT TxGetClientRect(LPRECT prc) override;
        HRESULT TxGetViewInset(LPRECT prc) override;
        HRESULT TxGetCharFormat(const CHARFORMATW** ppCF) override;
        HRESULT TxGetParaFormat(const PARAFORMAT** ppPF) override;
        COLORREF TxGetSysColor(int nIndex) override;
        HRESULT TxGetBackStyle(TXTBACKSTYLE* pstyle) override;
        HRESULT TxGetMaxLength(DWORD* plength) override;
        HRESULT TxGetScrollBars(DWORD* pdwScrollBar) override;
        HRESULT TxGetPasswordChar(TCHAR* pch) override;
        HRESULT TxGetAcceleratorPos(LONG* pcp) override;
        HRESULT TxGetExtent(LPSIZEL lpExtent) override;
        HRESULT OnTxCharFormatChange(const CHARFORMATW* pcf) override;
        HRESULT OnTxParaFormatChange(const PARAFORMAT* ppf) override;
        HRESULT TxGetPropertyBits(DWORD dwMask, DWORD* pdwBits) override;
        HRESULT TxNotify(DWORD iNotify, void* pv) override;
        HIMC TxImmGetContext() override;
        void TxImmReleaseContext(HIMC himc) override;
        HRESULT TxGetSelectionBarWidth(LONG* lSelBarWidth) override;
    END_INTERFACE_PART(TextHost)
    // clang-format on

    DECLARE_INTERFACE_MAP()

private:
    // Lays the text out in (0, 0, nWidth, 1), which makes the engine report the size it needs.
    void LayOut(HDC hDC, int nWidth);
    // One TxDraw with the given bounds and update rectangle.
    void DrawInto(HDC hDC, const RECT& bounds, RECT* pUpdate);
    // EM_STREAMIN of the bytes in the given format; the engine's answer.
    LRESULT StreamIn(const void* pBytes, UINT nSize, WPARAM nFormat);

    ITextServices* m_pTextServices = nullptr;  // one reference, released before the library is freed
    CHARFORMATW m_charFormat;
    PARAFORMAT2 m_paraFormat;
    HMODULE m_hModule = nullptr;  // RICHED20.dll, loaded by this object
    int m_nRequestedWidth = 0;    // the size of the engine's last EN_REQUESTRESIZE
    int m_nRequestedHeight = 0;
};
