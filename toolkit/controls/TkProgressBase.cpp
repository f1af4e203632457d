#include "TkProgressBase.h"

void CTkProgressBase::GetRange(int& nMin, int& nMax) const {
    nMin = m_nMin;
    nMax = m_nMax;
}

void CTkProgressBase::SetRange(int nMin, int nMax) {
    if (nMin == m_nMin && nMax == m_nMax)
        return;
    m_nMin = nMin;
    m_nMax = nMax;
    RedrawProgress();
}

void CTkProgressBase::SetPos(int nPos) {
    if (nPos < m_nMin)
        nPos = m_nMin;
    if (nPos > m_nMax)
        nPos = m_nMax;
    if (nPos == m_nPos)
        return;
    m_nPos = nPos;
    RedrawProgress();
}
