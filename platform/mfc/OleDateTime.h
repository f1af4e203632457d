#pragma once
#include "AfxBase.h"

#include <oleauto.h>

#include <compare>

// COleDateTime: an OLE automation date (days since 30 December 1899, the time as the fraction) with a
// validity status; COleDateTimeSpan: a difference of two such dates in days. Plain values.

class CArchive;

class COleDateTimeSpan {
public:
    COleDateTimeSpan() = default;
    explicit COleDateTimeSpan(double dblSpanSrc) : m_span(dblSpanSrc) {}

    double GetTotalDays() const { return m_span; }

    double m_span = 0;
};

class COleDateTime {
public:
    enum DateTimeStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    COleDateTime(DATE dtSrc) : m_dt(dtSrc) {}
    // Invalid when the time cannot be represented.
    COleDateTime(const SYSTEMTIME& systimeSrc);

    // Fills sysTime; FALSE when the date is not valid. Milliseconds are 0.
    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;
    DateTimeStatus GetStatus() const { return m_status; }
    // Parses a date and time in the locale lcid; on failure the status becomes invalid and the result
    // is FALSE.
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LANG_USER_DEFAULT);

    COleDateTime operator+(const COleDateTimeSpan& dateSpan) const { return Shifted(dateSpan.m_span); }
    COleDateTime operator-(const COleDateTimeSpan& dateSpan) const { return Shifted(-dateSpan.m_span); }
    COleDateTimeSpan operator-(const COleDateTime& date) const { return COleDateTimeSpan(Days() - date.Days()); }

    // Dates compare as instants (the stored value runs backwards in time within a day before 1899).
    bool operator==(const COleDateTime& date) const { return Days() == date.Days(); }
    auto operator<=>(const COleDateTime& date) const { return Days() <=> date.Days(); }

    DATE m_dt = 0;
    DateTimeStatus m_status = valid;

private:
    // The date as a continuous count of days: the fraction of a date before 1899 counts forwards.
    double Days() const;
    COleDateTime Shifted(double days) const;
};

// The archive form: the 32-bit status, then the 8-byte date.
CArchive& operator<<(CArchive& ar, const COleDateTime& dateSrc);
CArchive& operator>>(CArchive& ar, COleDateTime& dateSrc);
