#pragma once
#include "mfc.h"

// The frame bases that put a CTkCommandBars into a frame window, so that the frame's messages, key
// translation, print preview and accelerator table cooperate with the command bars. One chain:
// CTkCommandBarsSiteBase<CFrameWnd> -> CTkFrameWndBase<CFrameWnd> -> CTkFrameWnd, from which the
// application's main frame derives. The templates are made for CFrameWnd only (TkFrameWnd.cpp). None of
// them handles a window message of its own; they work through four overridables of the frame.
//
// A derived frame, in its WM_CREATE handling: creates the command bars by run-time class, stores them in
// m_pCommandBars, AttachToSite(this), CreateDockBars, CreateMenuBar(title, menu id), and selects a paint
// theme. The base releases the command bars when the frame object goes. UI thread.

class CTkCommandBars;

template <class TBase>
class CTkCommandBarsSiteBase : public TBase {
public:
    // Releases the command bars.
    ~CTkCommandBarsSiteBase() override;

    // Keys: an edit of a command bar keeps its keys (except Enter, Tab and Esc); then the frame's own
    // translation; then the command bars' (mnemonics, tracking bars, shortcuts).
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The command bars see every message first and may take it.
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    CTkCommandBars* GetCommandBars() const { return m_pCommandBars; }

protected:
    CTkCommandBars* m_pCommandBars = nullptr;  // one reference; NULL until the derived frame makes them
};

template <class TBase>
class CTkFrameWndBase : public CTkCommandBarsSiteBase<TBase> {
public:
    // When the command bars' shortcut manager has its own table, the frame's accelerator handle is
    // dropped (not destroyed: it is a resource), so that no key fires twice.
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                   CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    // The bars hide and the shortcuts rest while previewing.
    void OnSetPreviewMode(BOOL bPreview, CPrintPreviewState* pState) override;
};

class CTkFrameWnd : public CTkFrameWndBase<CFrameWnd> {
    DECLARE_DYNCREATE(CTkFrameWnd)
public:
    CTkFrameWnd();
};

extern template class CTkCommandBarsSiteBase<CFrameWnd>;
extern template class CTkFrameWndBase<CFrameWnd>;
