// The markup context's routing of the host window's mouse and keyboard messages into an element tree.

#include "TkMarkupContext.h"

#include "TkMarkupKeyboardNavigation.h"

#include <windowsx.h>
#include "TkMarkupUIElement.h"

namespace {

// Raises the event on each element of the chain, nearest first, then runs the element's own handler,
// until the arguments are handled.
template <class Args>
void RaiseAlong(const std::vector<CTkMarkupPtr<CTkMarkupInputElement>>& chain, Args* pArgs,
                void (CTkMarkupInputElement::*pfnHandler)(Args*)) {
    for (const auto& element : chain) {
        CTkMarkupInputElement::RaiseEvent(element.Get(), pArgs);
        if (pArgs->bHandled)
            break;
        (element.Get()->*pfnHandler)(pArgs);
        if (pArgs->bHandled)
            break;
    }
}

}  // namespace

CTkMarkupContext::InputElementChain CTkMarkupContext::GetAncestorChain(CTkMarkupInputElement* pElement) {
    InputElementChain chain;
    for (CTkMarkupObject* pNode = pElement; pNode != nullptr; pNode = pNode->GetLogicalParent()) {
        if (pNode->IsKindOf(CTkMarkupInputElement::GetClassType()))
            chain.push_back(CTkMarkupPtr<CTkMarkupInputElement>::Retain(static_cast<CTkMarkupInputElement*>(pNode)));
    }
    return chain;
}

BOOL CTkMarkupContext::HandleWindowMessage(CTkMarkupUIElement* pRoot, UINT message, WPARAM wParam, LPARAM lParam,
                                           LRESULT* pResult) {
    if (m_hWndHost == nullptr)
        return FALSE;
    if (m_pActiveRoot != nullptr && pRoot != m_pActiveRoot)
        return FALSE;
    // The handlers below may release the tree and with it this context.
    AddRef();
    struct Holder {
        CTkMarkupContext* p;
        ~Holder() { p->Release(); }
    } holder{this};

    if (message == WM_MOUSEMOVE)
        MouseMove(pRoot, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (message == WM_DESTROY || message == WM_MOUSELEAVE)
        SetHot(nullptr, -1, -1);
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSEWHEEL) || message == WM_MOUSELEAVE)
        m_pToolTipContext->FilterToolTipMessage(CWnd::FromHandle(m_hWndHost), message, wParam, lParam);

    BOOL bHandled = FALSE;
    switch (message) {
        case WM_SETCURSOR:
            bHandled = UpdateCursor();
            break;
        case WM_MOUSEWHEEL:
            bHandled = MouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            bHandled = MouseButton(message, wParam, lParam);
            break;
        case WM_CAPTURECHANGED:
            LostCapture();
            break;
        case WM_KEYDOWN:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            bHandled = m_pKeyboardNavigation->OnWndMsg(message, wParam, lParam, pResult);
            break;
        default:
            break;
    }
    if (bHandled && pResult != nullptr)
        *pResult = 1;
    return bHandled;
}

void CTkMarkupContext::MouseMove(CTkMarkupUIElement* pRoot, int x, int y) {
    const auto root = CTkMarkupPtr<CTkMarkupUIElement>::Retain(pRoot);
    CTkMarkupInputElement* pHit = pRoot != nullptr ? pRoot->HitTest(x, y) : nullptr;
    if (m_pCapturedElement != nullptr) {
        CTkMarkupObject* pNode = pHit;
        while (pNode != nullptr && pNode != m_pCapturedElement)
            pNode = pNode->GetLogicalParent();
        pHit = pNode != nullptr ? m_pCapturedElement : nullptr;
    }
    if (pHit != m_pHotElement) {
        SetHot(pHit, x, y);
        if (m_pHotElement != nullptr) {
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, m_hWndHost, 0};
            ::TrackMouseEvent(&track);
        }
        if (!UpdateCursor())
            ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    }
    m_pActiveRoot = m_pHotElement != nullptr ? pRoot : nullptr;
    if (m_pHotElement == nullptr)
        return;
    CTkMarkupMouseEventArgs args;
    args.pEvent = CTkMarkupInputElement::s_pMouseMoveEvent;
    args.pSource = m_pHotElement;
    args.hWnd = m_hWndHost;
    args.x = x;
    args.y = y;
    RaiseAlong(GetAncestorChain(m_pHotElement), &args, &CTkMarkupInputElement::OnMouseMove);
}

void CTkMarkupContext::SetHot(CTkMarkupInputElement* pElement, int x, int y) {
    if (pElement == nullptr)
        m_pActiveRoot = nullptr;
    if (pElement == m_pHotElement)
        return;
    InputElementChain leaving = GetAncestorChain(m_pHotElement);
    InputElementChain entering = GetAncestorChain(pElement);
    // Common ancestors are neither left nor entered.
    while (!leaving.empty() && !entering.empty() && leaving.back().Get() == entering.back().Get()) {
        leaving.pop_back();
        entering.pop_back();
    }
    CTkMarkupMouseEventArgs leave;
    leave.pEvent = CTkMarkupInputElement::s_pMouseLeaveEvent;
    leave.pSource = m_pHotElement;
    leave.hWnd = m_hWndHost;
    leave.x = x;
    leave.y = y;
    CTkMarkupMouseEventArgs enter = leave;
    enter.pEvent = CTkMarkupInputElement::s_pMouseEnterEvent;
    enter.pSource = pElement;

    if (pElement != nullptr)
        pElement->AddRef();
    if (CTkMarkupInputElement* pOld = std::exchange(m_pHotElement, pElement))
        pOld->Release();  // still held by the chain when it is left
    RaiseAlong(leaving, &leave, &CTkMarkupInputElement::OnMouseLeave);
    RaiseAlong(entering, &enter, &CTkMarkupInputElement::OnMouseEnter);
}

BOOL CTkMarkupContext::UpdateCursor() {
    if (m_pHotElement == nullptr)
        return FALSE;
    CTkMarkupQueryCursorEventArgs args;
    args.pSource = m_pHotElement;
    args.hWnd = m_hWndHost;
    for (const auto& element : GetAncestorChain(m_pHotElement)) {
        element->OnQueryCursor(&args);
        if (!args.bHandled)
            continue;
        if (args.hCursor == nullptr)
            return FALSE;
        ::SetCursor(args.hCursor);
        return TRUE;
    }
    return FALSE;
}

BOOL CTkMarkupContext::MouseWheel(int nDelta) {
    if (m_pHotElement == nullptr)
        return FALSE;
    CTkMarkupMouseWheelEventArgs args;
    args.pSource = m_pHotElement;
    args.hWnd = m_hWndHost;
    args.nDelta = nDelta;
    for (const auto& element : GetAncestorChain(m_pHotElement)) {
        element->OnMouseWheel(&args);
        if (args.bHandled)
            return TRUE;
    }
    return FALSE;
}

BOOL CTkMarkupContext::MouseButton(UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    CTkMarkupInputElement* pTarget = m_pCapturedElement != nullptr ? m_pCapturedElement : m_pHotElement;
    if (pTarget == nullptr)
        return FALSE;
    CTkMarkupMouseEventArgs args;
    void (CTkMarkupInputElement::*pfnHandler)(CTkMarkupMouseEventArgs*) = nullptr;
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            args.pEvent = CTkMarkupInputElement::s_pMouseLeftButtonDownEvent;
            pfnHandler = &CTkMarkupInputElement::OnMouseLeftButtonDown;
            break;
        case WM_LBUTTONUP:
            args.pEvent = CTkMarkupInputElement::s_pMouseLeftButtonUpEvent;
            pfnHandler = &CTkMarkupInputElement::OnMouseLeftButtonUp;
            break;
        case WM_RBUTTONDOWN:
            args.pEvent = CTkMarkupInputElement::s_pMouseRightButtonDownEvent;
            pfnHandler = &CTkMarkupInputElement::OnMouseRightButtonDown;
            break;
        default:
            args.pEvent = CTkMarkupInputElement::s_pMouseRightButtonUpEvent;
            pfnHandler = &CTkMarkupInputElement::OnMouseRightButtonUp;
            break;
    }
    args.pSource = pTarget;
    args.hWnd = m_hWndHost;
    args.x = GET_X_LPARAM(lParam);
    args.y = static_cast<int>(lParam) >> 16;
    RaiseAlong(GetAncestorChain(pTarget), &args, pfnHandler);
    return args.bHandled;
}

void CTkMarkupContext::LostCapture() {
    CTkMarkupInputElement* pCaptured = std::exchange(m_pCapturedElement, nullptr);
    if (pCaptured == nullptr)
        return;
    const auto captured = CTkMarkupPtr<CTkMarkupInputElement>::Retain(pCaptured);
    CTkMarkupMouseEventArgs args;
    args.pEvent = CTkMarkupInputElement::s_pLostMouseCaptureEvent;
    args.pSource = pCaptured;
    args.hWnd = m_hWndHost;
    CTkMarkupInputElement::RaiseEvent(pCaptured, &args);
    if (!args.bHandled)
        pCaptured->OnLostMouseCapture(&args);
}

void CTkMarkupContext::SetCapture(CTkMarkupInputElement* pElement) {
    m_pCapturedElement = pElement;
    if (m_hWndHost != nullptr)
        ::SetCapture(m_hWndHost);
}

void CTkMarkupContext::ReleaseCapture() {
    m_pCapturedElement = nullptr;
    ::ReleaseCapture();
}
