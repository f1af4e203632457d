#include "OleDateTime.h"

#include "Archive.h"

#include <cmath>

namespace {

// A negative date counts whole days backwards but its time of day forwards (-1.25 is 31 Dec 1899,
// 06:00); this gives the continuous count and back.
double ToDays(DATE dt) {
    if (dt >= 0)
        return dt;
    double whole = std::ceil(dt);
    return whole - (dt - whole);
}

DATE FromDays(double days) {
    if (days >= 0)
        return days;
    double whole = std::floor(days);
    return whole - (days - whole);
}

}  // namespace

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) {
    SYSTEMTIME st = systimeSrc;
    st.wMilliseconds = 0;
    if (!::SystemTimeToVariantTime(&st, &m_dt)) {
        m_dt = 0;
        m_status = invalid;
    }
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const {
    return m_status == valid && ::VariantTimeToSystemTime(m_dt, &sysTime);
}

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid) {
    DATE dt = 0;
    if (lpszDate == nullptr || FAILED(::VarDateFromStr(const_cast<LPOLESTR>(lpszDate), lcid, dwFlags, &dt))) {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    m_dt = dt;
    m_status = valid;
    return TRUE;
}

double COleDateTime::Days() const {
    return ToDays(m_dt);
}

COleDateTime COleDateTime::Shifted(double days) const {
    COleDateTime result(FromDays(Days() + days));
    result.m_status = m_status;
    return result;
}

CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc) {
    return ar << static_cast<LONG>(dateSrc.m_status) << dateSrc.m_dt;
}

CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc) {
    LONG status;
    ar >> status >> dateSrc.m_dt;
    bool bKnown = status == COleDateTime::valid || status == COleDateTime::invalid || status == COleDateTime::null;
    dateSrc.m_status = bKnown ? static_cast<COleDateTime::DateTimeStatus>(status) : COleDateTime::invalid;
    return ar;
}
