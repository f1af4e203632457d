#include "TkCommandBarAnimation.h"

#include "TkBitmapFunctions.h"
#include "TkCommandBar.h"
#include "TkDCWrappers.h"
#include "TkPaintManager.h"

#include <algorithm>
#include <cstring>

// ---- CAnimateInfo

CTkCommandBarAnimation::CAnimateInfo::CAnimateInfo(HDC hDC, const CRect& rc) : m_rc(rc) {
    void* pNew = nullptr;
    void* pOld = nullptr;
    m_hNew = CreateDibSection32(hDC, rc.Width(), -rc.Height(), &pNew);
    m_hOld = CreateDibSection32(hDC, rc.Width(), -rc.Height(), &pOld);
    m_pNewBits = static_cast<BYTE*>(pNew);
    m_pOldBits = static_cast<BYTE*>(pOld);
}

CTkCommandBarAnimation::CAnimateInfo::~CAnimateInfo() {
    if (m_hNew != nullptr)
        ::DeleteObject(m_hNew);
    if (m_hOld != nullptr)
        ::DeleteObject(m_hOld);
}

// ---- The animation

CTkCommandBarAnimation::~CTkCommandBarAnimation() {
    DeleteCache();
}

BOOL CTkCommandBarAnimation::IsAnimationOn() const {
    if (m_bEnabled)
        return TRUE;
    CTkPaintManager* pPaintManager = m_pBar->GetPaintManager();
    return pPaintManager != nullptr && pPaintManager->m_bEnableAnimation;
}

CSize CTkCommandBarAnimation::GetClientSize() const {
    CRect rc;
    m_pBar->GetClientRect(&rc);
    return rc.Size();
}

void CTkCommandBarAnimation::DeleteCache() {
    if (m_hCache != nullptr) {
        ::DeleteObject(m_hCache);
        m_hCache = nullptr;
    }
}

void CTkCommandBarAnimation::BlendStep(const BYTE* pNew, const BYTE* pOld, BYTE* pOut, size_t nBytes, int nStep) {
    const int nAlpha = nStep * 255 / kSteps;
    for (size_t i = 0; i < nBytes; ++i)
        pOut[i] = static_cast<BYTE>((pNew[i] * nAlpha + pOld[i] * (255 - nAlpha)) >> 8);
}

HBITMAP CTkCommandBarAnimation::DrawOffScreen(HDC hDC, const CRect& rc) const {
    const CSize sz = GetClientSize();
    CScopedMemDC dcMem(sz.cx, sz.cy);
    if (!dcMem.IsValid())
        return nullptr;
    dcMem.IntersectClipRect(&rc);
    m_pBar->DrawCommandBar(&dcMem, rc);
    return dcMem.DetachBitmap();
}

void CTkCommandBarAnimation::ResolveOverlaps(const CRect& rc, BOOL bExclude) {
    for (auto it = m_animations.begin(); it != m_animations.end();) {
        CRect rcBoth;
        if (rcBoth.IntersectRect(&(*it)->m_rc, &rc) && rcBoth == (*it)->m_rc) {
            it = m_animations.erase(it);
            continue;
        }
        if (bExclude && !rcBoth.IsRectEmpty())
            (*it)->m_excluded.push_back(rc);
        ++it;
    }
}

void CTkCommandBarAnimation::RedrawBar(LPCRECT pRect, BOOL bAnimate) {
    if (pRect != nullptr && m_hCache != nullptr && IsAnimationOn()) {
        CRect rc(pRect);
        CRect rcClient(CPoint(0, 0), GetClientSize());
        rc.IntersectRect(&rc, &rcClient);
        if (rc.IsRectEmpty())
            return;
        CClientDC dcClient(m_pBar);
        // Declared before the DCs that select it, so it is deleted after they let it go.
        CBitmap bmDrawn;
        if (!bmDrawn.Attach(DrawOffScreen(dcClient.GetSafeHdc(), rc)))
            return;
        CTkCompatibleDC dcDrawn(&dcClient, &bmDrawn);
        CTkCompatibleDC dcCache(&dcClient, m_hCache);
        if (bAnimate) {
            auto pInfo = std::make_unique<CAnimateInfo>(dcClient.GetSafeHdc(), rc);
            if (pInfo->IsValid()) {
                {
                    CTkCompatibleDC dcNew(&dcClient, pInfo->m_hNew);
                    dcNew.BitBlt(0, 0, rc.Width(), rc.Height(), &dcDrawn, rc.left, rc.top, SRCCOPY);
                    CTkCompatibleDC dcOld(&dcClient, pInfo->m_hOld);
                    dcOld.BitBlt(0, 0, rc.Width(), rc.Height(), &dcCache, rc.left, rc.top, SRCCOPY);
                }
                ::GdiFlush();
                dcCache.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcDrawn, rc.left, rc.top, SRCCOPY);
                // An unchanged picture starts no fade.
                if (std::memcmp(pInfo->m_pNewBits, pInfo->m_pOldBits, pInfo->GetByteCount()) != 0) {
                    ResolveOverlaps(rc, FALSE);
                    m_animations.push_back(std::move(pInfo));
                    if (m_nTimer == 0)
                        m_nTimer = m_pBar->SetTimer(kTimerAnimation, kStepInterval);
                    DrawStep(dcClient.GetSafeHdc(), m_animations.back().get());
                }
            }
        } else {
            ResolveOverlaps(rc, TRUE);
            dcCache.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcDrawn, rc.left, rc.top, SRCCOPY);
            dcClient.BitBlt(rc.left, rc.top, rc.Width(), rc.Height(), &dcDrawn, rc.left, rc.top, SRCCOPY);
        }
        return;
    }
    if (pRect == nullptr)
        DeleteCache();
    m_bFullRepaint = TRUE;
    m_pBar->InvalidateRect(pRect, FALSE);
}

void CTkCommandBarAnimation::DrawStep(HDC hDC, CAnimateInfo* pInfo) {
    const CRect& rc = pInfo->m_rc;
    CDC* pDC = CDC::FromHandle(hDC);
    if (pInfo->m_nStep >= kSteps) {
        CTkCompatibleDC dcCache(pDC, m_hCache);
        ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), dcCache.GetSafeHdc(), rc.left, rc.top, SRCCOPY);
    } else {
        CScopedMemDC dcStep(rc.Width(), rc.Height());
        if (dcStep.IsValid()) {
            ::GdiFlush();
            BlendStep(pInfo->m_pNewBits, pInfo->m_pOldBits, reinterpret_cast<BYTE*>(dcStep.GetBits()),
                      pInfo->GetByteCount(), pInfo->m_nStep);
            ::BitBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), dcStep.GetSafeHdc(), 0, 0, SRCCOPY);
        }
    }
    ++pInfo->m_nStep;
}

void CTkCommandBarAnimation::OnTimer() {
    if (m_pBar->GetSafeHwnd() != nullptr) {
        CClientDC dcClient(m_pBar);
        for (auto it = m_animations.begin(); it != m_animations.end();) {
            CAnimateInfo* pInfo = it->get();
            for (const CRect& rcExcluded : pInfo->m_excluded)
                dcClient.ExcludeClipRect(&rcExcluded);
            DrawStep(dcClient.GetSafeHdc(), pInfo);
            dcClient.SelectClipRgn(nullptr);
            if (pInfo->m_nStep > kSteps)
                it = m_animations.erase(it);
            else
                ++it;
        }
    }
    if (m_animations.empty() && m_nTimer != 0) {
        m_pBar->KillTimer(kTimerAnimation);
        m_nTimer = 0;
    }
}

void CTkCommandBarAnimation::RemoveAll() {
    m_animations.clear();
    if (m_nTimer != 0) {
        if (m_pBar->GetSafeHwnd() != nullptr)
            m_pBar->KillTimer(kTimerAnimation);
        m_nTimer = 0;
    }
}

void CTkCommandBarAnimation::OnDestroy() {
    DeleteCache();
    RemoveAll();
}

void CTkCommandBarAnimation::OnPaint(CPaintDC& paintDC) {
    const CSize szClient = GetClientSize();
    if (m_hCache != nullptr) {
        BITMAP bm = {};
        ::GetObjectW(m_hCache, sizeof(bm), &bm);
        if (bm.bmWidth != szClient.cx || bm.bmHeight != szClient.cy)
            DeleteCache();
    }
    CRect rcPaint(paintDC.m_ps.rcPaint);
    if (!m_bCachedPaint && !IsAnimationOn()) {
        DeleteCache();
        CTkBufferDC dcBuffer(paintDC);
        m_pBar->DrawCommandBar(&dcBuffer, rcPaint);
        RemoveAll();
    } else if (m_bFullRepaint || m_hCache == nullptr) {
        if (m_hCache == nullptr) {
            m_hCache = CreateDibSection32(paintDC.GetSafeHdc(), szClient.cx, -szClient.cy);
            rcPaint.SetRect(0, 0, szClient.cx, szClient.cy);
        }
        if (m_hCache != nullptr) {
            CTkCompatibleDC dcCache(&paintDC, m_hCache);
            dcCache.IntersectClipRect(&rcPaint);
            m_pBar->DrawCommandBar(&dcCache, rcPaint);
            paintDC.BitBlt(rcPaint.left, rcPaint.top, rcPaint.Width(), rcPaint.Height(), &dcCache, rcPaint.left,
                           rcPaint.top, SRCCOPY);
        }
        RemoveAll();
    } else {
        CTkCompatibleDC dcCache(&paintDC, m_hCache);
        paintDC.BitBlt(0, 0, szClient.cx, szClient.cy, &dcCache, 0, 0, SRCCOPY);
    }
    m_bFullRepaint = FALSE;
}
