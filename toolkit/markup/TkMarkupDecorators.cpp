#include "TkMarkupDecorators.h"

#include "TkImageLoading.h"
#include "TkImageManager.h"
#include "TkImageManagerIcon.h"
#include "TkMarkupBrush.h"
#include "TkMarkupBuilder.h"
#include "TkMarkupContext.h"
#include "TkMarkupDependencyProperty.h"
#include "TkMarkupDrawingContext.h"
#include "TkMarkupType.h"
#include "TkMarkupValueText.h"
#include "TkMarkupValues.h"

using Metadata = CTkMarkupPropertyMetadata;

CTkMarkupDependencyProperty* CTkMarkupBorder::s_pBackgroundProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupBorder::s_pPaddingProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupBorder::s_pBorderThicknessProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupBorder::s_pBorderBrushProperty = nullptr;
CTkMarkupDependencyProperty* CTkMarkupImage::s_pSourceProperty = nullptr;

namespace {

constexpr WCHAR kFilePrefix[] = L"file://";
constexpr WCHAR kResourcePrefix[] = L"res://";
// Pure green: the transparent colour of a private manager's bitmaps without alpha.
constexpr COLORREF kImageMaskColor = RGB(0, 255, 0);

BOOL StartsWith(LPCWSTR lpszText, LPCWSTR lpszPrefix) {
    return wcsncmp(lpszText, lpszPrefix, wcslen(lpszPrefix)) == 0;
}

// A path that names a network share (two slashes or backslashes in any mix).
BOOL IsNetworkPath(LPCWSTR lpszPath) {
    auto isSlash = [](WCHAR ch) { return ch == L'\\' || ch == L'/'; };
    return isSlash(lpszPath[0]) && isSlash(lpszPath[1]);
}

int Less(int nAvailable, INT64 nTaken) {
    return SaturatedInt(std::max<INT64>(0, static_cast<INT64>(nAvailable) - nTaken));
}

// A new private image manager (one reference) holding the bitmap as the icon of command id 0.
CTkImageManager* MakePrivateManager() {
    auto* pManager = new CTkImageManager;
    pManager->SetMaskColor(kImageMaskColor);
    return pManager;
}

void AddBitmap(CTkImageManager* pManager, HBITMAP hBitmap, BOOL bAlpha) {
    CBitmap bitmap;
    if (bitmap.Attach(hBitmap))
        pManager->SetIconsFromBitmap(&bitmap, nullptr, 1, 0, 0, ImageStateNormal, bAlpha);
}

}  // namespace

// ---- The one child

void CTkMarkupChildHolder::Set(CTkMarkupUIElement* pChild) {
    if (CTkMarkupUIElement* pOld = std::exchange(m_pChild, nullptr)) {
        if (pOld->GetLogicalParent() == m_pOwner)
            pOld->SetLogicalParent(nullptr);
        pOld->Release();
    }
    m_pChild = pChild;
    if (m_pChild != nullptr)
        m_pChild->SetLogicalParent(m_pOwner);
}

void CTkMarkupChildHolder::SetContent(CTkMarkupObject* pContent) {
    auto content = CTkMarkupPtr<CTkMarkupObject>::Adopt(pContent);
    LPCWSTR lpszName = m_pOwner->GetType()->GetClassName();
    LPCWSTR lpszContentName = content ? content->GetType()->GetClassName() : L"";
    if (!content || !content->IsKindOf(CTkMarkupUIElement::GetClassType())) {
        ThrowMarkupError(
            L"'%ls' object cannot be added to '%ls'. Object cannot be converted to type "
            L"'CTkMarkupUIElement'",
            lpszContentName, lpszName);
    }
    if (m_pChild != nullptr) {
        ThrowMarkupError(L"'%ls' already has a child and cannot add '%ls'. '%ls' can accept only one child.", lpszName,
                         lpszContentName, lpszName);
    }
    Set(static_cast<CTkMarkupUIElement*>(content.Detach()));
}

// ---- Decorator

void CTkMarkupDecorator::SetContentObject(CTkMarkupBuilder* /*pBuilder*/, CTkMarkupObject* pContent) {
    m_child.SetContent(pContent);
}

CTkMarkupVisual* CTkMarkupDecorator::GetVisualChild(int nIndex) const {
    return nIndex == 0 ? GetChild() : nullptr;
}

// ---- Border

void CTkMarkupBorder::RegisterProperties() {
    CTkMarkupType* pType = GetClassType();
    auto brush = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(lpszName, CTkMarkupBrush::GetClassType(), pType,
                                                     new Metadata(nullptr, Metadata::flagAffectsRender));
    };
    auto thickness = [pType](LPCWSTR lpszName) {
        return CTkMarkupDependencyProperty::Register(
            lpszName, CTkMarkupThickness::GetClassType(), pType,
            new Metadata(CTkMarkupThickness::CreateZero(), Metadata::flagAffectsMeasure));
    };
    s_pBackgroundProperty = brush(L"Background");
    s_pPaddingProperty = thickness(L"Padding");
    s_pBorderThicknessProperty = thickness(L"BorderThickness");
    s_pBorderBrushProperty = brush(L"BorderBrush");
}

CRect CTkMarkupBorder::GetThickness(CTkMarkupDependencyProperty* pProperty) const {
    const CTkMarkupObject* pValue = GetValue(pProperty);
    if (pValue == nullptr || !pValue->IsKindOf(CTkMarkupThickness::GetClassType()))
        return CRect(0, 0, 0, 0);
    return static_cast<const CTkMarkupThickness*>(pValue)->GetThickness();
}

CSize CTkMarkupBorder::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    const CRect rcBorder = GetThickness(s_pBorderThicknessProperty);
    const CRect rcPadding = GetThickness(s_pPaddingProperty);
    const INT64 nHorizontal = static_cast<INT64>(rcBorder.left) + rcBorder.right + rcPadding.left + rcPadding.right;
    const INT64 nVertical = static_cast<INT64>(rcBorder.top) + rcBorder.bottom + rcPadding.top + rcPadding.bottom;
    CSize szChild(0, 0);
    if (CTkMarkupUIElement* pChild = GetChild()) {
        pChild->Measure(pDC, Less(nWidth, nHorizontal), Less(nHeight, nVertical));
        szChild = pChild->GetDesiredSize();
    }
    return CSize(SaturatedInt(szChild.cx + nHorizontal), SaturatedInt(szChild.cy + nVertical));
}

CSize CTkMarkupBorder::ArrangeOverride(int nWidth, int nHeight) {
    if (CTkMarkupUIElement* pChild = GetChild()) {
        const CRect rcBorder = DeflateRect(CRect(0, 0, nWidth, nHeight), GetThickness(s_pBorderThicknessProperty));
        pChild->Arrange(DeflateRect(rcBorder, GetThickness(s_pPaddingProperty)));
    }
    return CSize(nWidth, nHeight);
}

void CTkMarkupBorder::OnRender(CTkMarkupDrawingContext* pDC) {
    const int w = m_szRender.cx;
    const int h = m_szRender.cy;
    if (w <= 0 || h <= 0)
        return;
    const CRect t = GetThickness(s_pBorderThicknessProperty);
    if (auto* pBorderBrush = static_cast<CTkMarkupBrush*>(GetValue(s_pBorderBrushProperty))) {
        if (t.left > 0)
            pDC->FillRectangle(pBorderBrush, CRect(0, 0, t.left, h));
        if (t.right > 0)
            pDC->FillRectangle(pBorderBrush, CRect(w - t.right, 0, w, h));
        if (t.top > 0)
            pDC->FillRectangle(pBorderBrush, CRect(0, 0, w, t.top));
        if (t.bottom > 0)
            pDC->FillRectangle(pBorderBrush, CRect(0, h - t.bottom, w, h));
    }
    auto* pBackground = static_cast<CTkMarkupBrush*>(GetValue(s_pBackgroundProperty));
    const CRect rcInside(t.left, t.top, SaturatedInt(static_cast<INT64>(w) - t.right),
                         SaturatedInt(static_cast<INT64>(h) - t.bottom));
    if (pBackground != nullptr && rcInside.left < rcInside.right && rcInside.top < rcInside.bottom)
        pDC->FillRectangle(pBackground, rcInside);
}

CTkMarkupInputElement* CTkMarkupBorder::InputHitTestOverride(int /*x*/, int /*y*/) {
    return GetValue(s_pBackgroundProperty) != nullptr ? this : nullptr;
}

// ---- Page

void CTkMarkupPage::SetContentObject(CTkMarkupBuilder* /*pBuilder*/, CTkMarkupObject* pContent) {
    m_child.SetContent(pContent);
}

CTkMarkupVisual* CTkMarkupPage::GetVisualChild(int nIndex) const {
    return nIndex == 0 ? GetChild() : nullptr;
}

CTkMarkupInputElement* CTkMarkupPage::InputHitTestOverride(int /*x*/, int /*y*/) {
    return nullptr;
}

CSize CTkMarkupPage::MeasureOverride(CTkMarkupDrawingContext* pDC, int nWidth, int nHeight) {
    CTkMarkupUIElement* pChild = GetChild();
    if (pChild == nullptr)
        return CSize(0, 0);
    pChild->Measure(pDC, nWidth, nHeight);
    return pChild->GetDesiredSize();
}

CSize CTkMarkupPage::ArrangeOverride(int nWidth, int nHeight) {
    if (CTkMarkupUIElement* pChild = GetChild())
        pChild->Arrange(CRect(0, 0, nWidth, nHeight));
    return CSize(nWidth, nHeight);
}

// ---- Image

CTkMarkupImage::~CTkMarkupImage() {
    ReleaseImage();
}

void CTkMarkupImage::RegisterProperties() {
    s_pSourceProperty =
        CTkMarkupDependencyProperty::Register(L"Source", CTkMarkupString::GetClassType(), GetClassType(),
                                              new Metadata(nullptr, Metadata::flagAffectsMeasure));
}

void CTkMarkupImage::ReleaseImage() {
    if (CTkImageManagerIcon* pIcon = std::exchange(m_pIcon, nullptr))
        pIcon->InternalRelease();
    if (CTkImageManager* pManager = std::exchange(m_pManager, nullptr))
        pManager->InternalRelease();
}

void CTkMarkupImage::Load() {
    const CTkMarkupObject* pSource = GetValue(s_pSourceProperty);
    if (pSource == nullptr)
        return;
    ReleaseImage();
    LPCWSTR lpszSource = static_cast<const CTkMarkupString*>(pSource)->GetText();
    UINT nId = 0;
    if (StartsWith(lpszSource, kFilePrefix)) {
        LPCWSTR lpszPath = lpszSource + wcslen(kFilePrefix);
        if (IsNetworkPath(lpszPath))
            return;
        m_pManager = MakePrivateManager();
        BOOL bAlpha = FALSE;
        if (HBITMAP hBitmap = LoadBitmapFile(lpszPath, &bAlpha))
            AddBitmap(m_pManager, hBitmap, bAlpha);
    } else if (StartsWith(lpszSource, kResourcePrefix)) {
        LPCWSTR lpszName = lpszSource + wcslen(kResourcePrefix);
        m_pManager = MakePrivateManager();
        BOOL bAlpha = FALSE;
        if (HBITMAP hBitmap = LoadBitmapResource(AfxGetResourceHandle(), lpszName, &bAlpha))
            AddBitmap(m_pManager, hBitmap, bAlpha);
        else
            m_pManager->SetIconFromResource(lpszName, 0, 0, 0);
    } else {
        int nCommand = 0;
        if (!ReadLeadingInteger(lpszSource, nCommand) || nCommand <= 0)
            return;
        CTkMarkupContext* pContext = GetMarkupContext();
        m_pManager = pContext != nullptr && pContext->GetImageManager() != nullptr ? pContext->GetImageManager()
                                                                                   : GetImageManager();
        m_pManager->InternalAddRef();
        nId = static_cast<UINT>(nCommand);
    }
    m_pIcon = m_pManager->GetIcon(nId, 0);
    if (m_pIcon != nullptr)
        m_pIcon->InternalAddRef();
}

CSize CTkMarkupImage::MeasureOverride(CTkMarkupDrawingContext* /*pDC*/, int /*nWidth*/, int /*nHeight*/) {
    Load();
    return m_pIcon != nullptr ? CSize(m_pIcon->m_nWidth, m_pIcon->m_nHeight) : CSize(0, 0);
}

void CTkMarkupImage::OnRender(CTkMarkupDrawingContext* pDC) {
    if (m_pIcon != nullptr)
        m_pIcon->DrawNormalSized(CDC::FromHandle(pDC->GetSafeHdc()), 0, 0, m_szRender.cx, m_szRender.cy);
}
