#include "TkMarkupContext.h"

#include "TkMarkupBuilder.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupFont.h"
#include "TkMarkupKeyboardNavigation.h"
#include "TkMarkupParser.h"
#include "TkMarkupType.h"
#include "TkMarkupFrameworkElement.h"
#include "TkMarkupValues.h"

namespace {

volatile LONG s_nLiveContexts = 0;

// The message font, read with the record size of the oldest systems (without the padded-border member),
// which every system accepts.
LOGFONTW MessageFont() {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = 500;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        return LOGFONTW{};
    return metrics.lfMessageFont;
}

}  // namespace

// ---- Tooltips

CTkMarkupContext::CTooltipContext::CTooltipContext(CTkMarkupContext* pOwner) : m_pOwner(pOwner) {
    SetStyle(kToolTipMarkup);
}

INT_PTR CTkMarkupContext::CTooltipContext::OnToolHitTest(CWnd* /*pOwner*/, CPoint /*point*/, TOOLINFO* pInfo) {
    for (const auto& element : GetAncestorChain(m_pOwner->m_pHotElement)) {
        const CTkMarkupObject* pTip = element->GetValue(CTkMarkupInputElement::s_pToolTipProperty);
        if (pTip == nullptr || !pTip->IsKindOf(CTkMarkupString::GetClassType()))
            continue;
        const auto nId = reinterpret_cast<UINT_PTR>(element.Get());
        FillToolInfo(pInfo, m_pOwner->m_hWndHost, m_pOwner->GetElementRect(element.Get()), nId,
                     static_cast<const CTkMarkupString*>(pTip)->GetText());
        return static_cast<INT_PTR>(nId);
    }
    return -1;
}

// ---- Life

CTkMarkupContext::CTkMarkupContext(HWND hWndHost)
    : m_hWndHost(hWndHost),
      m_defaultFont(MessageFont()),
      m_pKeyboardNavigation(new CTkMarkupKeyboardNavigation),
      m_pToolTipContext(new CTooltipContext(this)) {
    ::InterlockedIncrement(&s_nLiveContexts);
    CTkMarkupType::EnsureAllRegistered();
}

CTkMarkupContext::~CTkMarkupContext() {
    if (CTkMarkupInputElement* pHot = std::exchange(m_pHotElement, nullptr))
        pHot->Release();
    m_pKeyboardNavigation->Release();
    m_contextHandlers.clear();
    m_delegates.clear();
    // Fonts still held by drawing contexts outlive the cache.
    for (CTkMarkupFont* pFont = m_pFirstFont; pFont != nullptr; pFont = pFont->m_pNext)
        pFont->m_pContext = nullptr;
    m_pToolTipContext->InternalRelease();
    ::InterlockedDecrement(&s_nLiveContexts);
}

DWORD CTkMarkupContext::AddRef() {
    return static_cast<DWORD>(::InterlockedIncrement(&m_nRef));
}

DWORD CTkMarkupContext::Release() {
    if (m_nRef == 0)
        return 0;
    const LONG nRef = ::InterlockedDecrement(&m_nRef);
    if (nRef == 0)
        delete this;
    return static_cast<DWORD>(nRef);
}

LONG CTkMarkupContext::GetLiveContextCount() {
    return s_nLiveContexts;
}

CTkMarkupUIElement* CTkMarkupContext::Parse(LPCWSTR lpszText) {
    m_strLastParseError.Empty();
    if (lpszText == nullptr)
        return nullptr;
    CTkMarkupParser parser;
    parser.SetBuffer(lpszText, lpszText + wcslen(lpszText));
    return Build(parser);
}

CTkMarkupUIElement* CTkMarkupContext::Parse(LPCSTR lpszText, int nLength) {
    m_strLastParseError.Empty();
    if (lpszText == nullptr || nLength < 0)
        return nullptr;
    CTkMarkupParser parser;
    parser.SetBuffer(lpszText, lpszText + nLength);
    return Build(parser);
}

CTkMarkupUIElement* CTkMarkupContext::Build(CTkMarkupParser& parser) {
    CTkMarkupBuilder builder(this);
    CTkMarkupUIElement* pRoot = builder.Build(&parser);
    m_strLastParseError = builder.GetLastError();
    return pRoot;
}

CTkMarkupObject* CTkMarkupContext::CreateMarkupObject(CTkMarkupType* pType) {
    CTkMarkupObject* pObject = pType != nullptr ? pType->CreateObject() : nullptr;
    if (pObject != nullptr && pObject->IsKindOf(CTkMarkupInputElement::GetClassType()))
        TieElement(static_cast<CTkMarkupInputElement*>(pObject));
    return pObject;
}

void CTkMarkupContext::TieElement(CTkMarkupInputElement* pElement) {
    if (pElement == nullptr || pElement->m_pContext != nullptr)
        return;
    pElement->m_pContext = this;
    AddRef();
}

void CTkMarkupContext::OnElementReleased(CTkMarkupInputElement* pElement) {
    if (m_pHotElement == pElement)
        m_pHotElement = nullptr;
    if (m_pCapturedElement == pElement)
        m_pCapturedElement = nullptr;
    if (m_pActiveRoot == pElement)
        m_pActiveRoot = nullptr;
    pElement->m_pContext = nullptr;
    Release();
}

void CTkMarkupContext::SetDefaultFontFromHandle(HFONT hFont) {
    LOGFONTW logFont;
    if (hFont != nullptr && ::GetObjectW(hFont, sizeof(logFont), &logFont) == sizeof(logFont))
        m_defaultFont = logFont;
}

CTkMarkupFont* CTkMarkupContext::GetFont(const LOGFONTW& logFont) {
    CTkMarkupFont** ppLink = &m_pFirstFont;
    for (; *ppLink != nullptr; ppLink = &(*ppLink)->m_pNext) {
        CTkMarkupFont* pFont = *ppLink;
        const LOGFONTW& cached = pFont->m_logFont;
        if (cached.lfHeight == logFont.lfHeight && cached.lfWeight == logFont.lfWeight &&
            cached.lfItalic == logFont.lfItalic && wcsncmp(cached.lfFaceName, logFont.lfFaceName, LF_FACESIZE) == 0) {
            pFont->AddRef();
            return pFont;
        }
    }
    *ppLink = new CTkMarkupFont(this, logFont);
    return *ppLink;
}

// ---- Delegates

void CTkMarkupContext::RegisterDelegate(LPCWSTR lpszName, CTkMarkupDelegate* pDelegate) {
    auto delegate = CTkMarkupPtr<CTkMarkupDelegate>::Adopt(pDelegate);
    if (lpszName != nullptr)
        m_delegates[lpszName] = std::move(delegate);
}

CTkMarkupDelegate* CTkMarkupContext::FindDelegate(LPCWSTR lpszName) const {
    if (lpszName == nullptr)
        return nullptr;
    const auto it = m_delegates.find(lpszName);
    return it != m_delegates.end() ? it->second.Get() : nullptr;
}

void CTkMarkupContext::AddContextHandler(CTkMarkupRoutedEvent* pEvent, CTkMarkupDelegate* pDelegate) {
    auto delegate = CTkMarkupPtr<CTkMarkupDelegate>::Adopt(pDelegate);
    if (pEvent != nullptr && delegate)
        m_contextHandlers[pEvent].push_back(std::move(delegate));
}

void CTkMarkupContext::RaiseContextEvent(CTkMarkupInputElement* pSource, CTkMarkupRoutedEventArgs* pArgs) {
    const auto found = m_contextHandlers.find(pArgs->pEvent);
    if (found == m_contextHandlers.end())
        return;
    for (auto it = found->second.begin(); it != found->second.end();) {
        const CTkMarkupPtr<CTkMarkupDelegate> delegate = *it++;
        delegate->Execute(pSource, pArgs);
    }
}

// ---- Invalidation

CRect CTkMarkupContext::GetElementRect(CTkMarkupInputElement* pElement) const {
    CRect rc;
    CTkMarkupVisual* pVisual = nullptr;
    if (pElement != nullptr && pElement->IsKindOf(CTkMarkupVisual::GetClassType())) {
        pVisual = static_cast<CTkMarkupVisual*>(pElement);
        rc = pVisual->GetBounds();
    } else if (pElement != nullptr) {
        // Inline text has no rectangle of its own: the text element that hosts it stands for it.
        for (CTkMarkupObject* pNode = pElement->GetLogicalParent(); pNode != nullptr;
             pNode = pNode->GetLogicalParent()) {
            if (pNode->IsKindOf(CTkMarkupFrameworkElement::GetClassType())) {
                pVisual = static_cast<CTkMarkupVisual*>(pNode);
                rc = pVisual->GetBounds();
                break;
            }
        }
    }
    for (; pVisual != nullptr; pVisual = pVisual->GetVisualParent())
        rc.OffsetRect(pVisual->GetVisualOffset());
    return rc;
}

void CTkMarkupContext::InvalidateElement(CTkMarkupInputElement* pElement) {
    if (m_hWndHost != nullptr) {
        const CRect rc = GetElementRect(pElement);
        ::InvalidateRect(m_hWndHost, &rc, FALSE);
    }
}

void CTkMarkupContext::InvalidateAll(CTkMarkupInputElement* /*pElement*/) {
    if (m_hWndHost != nullptr)
        ::InvalidateRect(m_hWndHost, nullptr, FALSE);
}
