#pragma once
#include "TkToolTipContext.h"

#include <memory>
#include <vector>

// Windows of the tooltip tests: an owner whose tools are a script, and popups shown without activation
// (under Xvfb with no window manager, hiding or destroying an activated window costs Wine two seconds).

// One tool of a scripted owner, in the owner's client coordinates.
struct ScriptedTool {
    CRect rect;
    UINT_PTR nId;
    LPCWSTR pszText;
    LPCWSTR pszTitle = nullptr;
    LPCWSTR pszDescription = nullptr;
    UINT uFlags = 0;
};

// A popup whose OnToolHitTest answers the first scripted tool under the point (FillToolInfoEx with the
// image manager), else -1. With a context it hands that context its mouse and key messages.
class CScriptedOwner : public CWnd {
public:
    // Made at rect (screen) and shown without activation unless bShow is FALSE.
    explicit CScriptedOwner(const CRect& rect, BOOL bShow = TRUE, HWND hWndOwner = nullptr);

    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pInfo) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::vector<ScriptedTool> m_tools;
    CTkImageManager* m_pImageManager = nullptr;  // not owned
    CTkToolTipContext* m_pContext = nullptr;     // not owned; NULL: messages are not handed on
    CPoint m_ptLastMove = CPoint(-1, -1);        // client point of the last WM_MOUSEMOVE
};

// A message of the owner's at a point of its client area, as the context's relay sees it.
MSG OwnerMessage(CWnd* pOwner, UINT message, CPoint ptClient);

// Releases a reference-counted context at the end of a scope.
struct ReleaseContext {
    void operator()(CTkToolTipContext* pContext) const { pContext->InternalRelease(); }
};
using ContextPtr = std::unique_ptr<CTkToolTipContext, ReleaseContext>;
