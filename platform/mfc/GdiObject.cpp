#include "GdiObject.h"
#include "DC.h"
#include "Exception.h"
#include "ResourceHandle.h"
#include "ThreadState.h"

#include <cstdlib>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)
IMPLEMENT_DYNAMIC(CPen, CGdiObject)
IMPLEMENT_DYNAMIC(CBrush, CGdiObject)
IMPLEMENT_DYNAMIC(CFont, CGdiObject)
IMPLEMENT_DYNAMIC(CBitmap, CGdiObject)
IMPLEMENT_DYNAMIC(CRgn, CGdiObject)

namespace {

template <class T>
T* TemporaryGdiObject(HGDIOBJ hObject) {
    return AfxGetThreadState()->m_tempObjects.FromHandle<T, &T::m_hObject>(hObject);
}

}  // namespace

// ---- CGdiObject

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) {
    return TemporaryGdiObject<CGdiObject>(hObject);
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (hObject == nullptr)
        return FALSE;
    m_hObject = hObject;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

// ---- Typed wrappers

CPen::CPen(int nPenStyle, int nWidth, COLORREF crColor) {
    if (!CreatePen(nPenStyle, nWidth, crColor))
        AfxThrowResourceException();
}

CPen* CPen::FromHandle(HPEN hPen) {
    return TemporaryGdiObject<CPen>(hPen);
}

CBrush::CBrush(COLORREF crColor) {
    if (!CreateSolidBrush(crColor))
        AfxThrowResourceException();
}

CBrush* CBrush::FromHandle(HBRUSH hBrush) {
    return TemporaryGdiObject<CBrush>(hBrush);
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}

CFont* CFont::FromHandle(HFONT hFont) {
    return TemporaryGdiObject<CFont>(hFont);
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCTSTR lpszFacename) {
    return Attach(::CreateFontW(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

BOOL CFont::CreatePointFont(int nPointSize, LPCTSTR lpszFaceName, CDC* pDC) {
    LOGFONT logFont = {};
    logFont.lfCharSet = DEFAULT_CHARSET;
    logFont.lfHeight = nPointSize;
    ::lstrcpynW(logFont.lfFaceName, lpszFaceName, LF_FACESIZE);
    return CreatePointFontIndirect(&logFont, pDC);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONT* lpLogFont, CDC* pDC) {
    if (pDC == nullptr) {
        CClientDC screenDC(nullptr);
        return CreatePointFontIndirect(lpLogFont, &screenDC);
    }
    HDC hDC = pDC->m_hAttribDC;
    if (hDC == nullptr)
        return FALSE;

    // lfHeight holds tenths of a point; the height in device pixels is then taken to logical units.
    LOGFONT logFont = *lpLogFont;
    POINT pt = {0, ::GetDeviceCaps(hDC, LOGPIXELSY) * logFont.lfHeight / 720};
    POINT ptOrigin = {0, 0};
    ::DPtoLP(hDC, &pt, 1);
    ::DPtoLP(hDC, &ptOrigin, 1);
    logFont.lfHeight = -std::abs(pt.y - ptOrigin.y);
    return CreateFontIndirect(&logFont);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) {
    return TemporaryGdiObject<CBitmap>(hBitmap);
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return LoadBitmap(MAKEINTRESOURCEW(nIDResource));
}

BOOL CBitmap::LoadBitmap(LPCTSTR lpszResourceName) {
    HINSTANCE hInst = AfxFindResourceHandle(lpszResourceName, RT_BITMAP);
    return Attach(::LoadBitmapW(hInst, lpszResourceName));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
}

CRgn* CRgn::FromHandle(HRGN hRgn) {
    return TemporaryGdiObject<CRgn>(hRgn);
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
    HRGN hRgn2 = pRgn2 != nullptr ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr;
    return ::CombineRgn(static_cast<HRGN>(m_hObject), static_cast<HRGN>(pRgn1->m_hObject), hRgn2, nCombineMode);
}
