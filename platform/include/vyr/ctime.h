// Calendar time in seconds (local time for the broken-down parts and for Format) and a span
// of seconds. The millisecond tick (GetTickCount) is the window layer's clock and Sleep
// belongs to the thread layer.
#pragma once

#include <ctime>

#include <vyr/cstring.h>
#include <vyr/wintypes.h>

class CTimeSpan
{
public:
    CTimeSpan() = default;
    CTimeSpan(long long seconds) : m_span(seconds) {}
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
        : m_span(((long long)lDays * 24 * 3600) + (long long)nHours * 3600 + (long long)nMins * 60 + nSecs)
    {
    }

    LONG GetDays() const { return (LONG)(m_span / (24 * 3600)); }
    LONG GetTotalHours() const { return (LONG)(m_span / 3600); }
    int GetHours() const { return (int)(GetTotalHours() - GetDays() * 24); }
    LONG GetTotalMinutes() const { return (LONG)(m_span / 60); }
    int GetMinutes() const { return (int)(GetTotalMinutes() - GetTotalHours() * 60); }
    long long GetTotalSeconds() const { return m_span; }
    int GetSeconds() const { return (int)(m_span - (long long)GetTotalMinutes() * 60); }
    long long GetTimeSpan() const { return m_span; }

    CTimeSpan operator+(CTimeSpan o) const { return CTimeSpan(m_span + o.m_span); }
    CTimeSpan operator-(CTimeSpan o) const { return CTimeSpan(m_span - o.m_span); }
    CTimeSpan& operator+=(CTimeSpan o) { m_span += o.m_span; return *this; }
    CTimeSpan& operator-=(CTimeSpan o) { m_span -= o.m_span; return *this; }
    auto operator<=>(const CTimeSpan&) const = default;

    // %D days, %H hours, %M minutes, %S seconds, %% a percent sign.
    CString Format(LPCTSTR pFormat) const;

private:
    long long m_span = 0;
};

class CTime
{
public:
    CTime() = default;
    CTime(std::time_t t) : m_time(t) {}
    // Local time; nDST < 0 lets the C library decide whether daylight saving applies.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    int GetYear() const { return Local().tm_year + 1900; }
    int GetMonth() const { return Local().tm_mon + 1; }
    int GetDay() const { return Local().tm_mday; }
    int GetHour() const { return Local().tm_hour; }
    int GetMinute() const { return Local().tm_min; }
    int GetSecond() const { return Local().tm_sec; }
    // 1 = Sunday ... 7 = Saturday.
    int GetDayOfWeek() const { return Local().tm_wday + 1; }
    struct tm* GetLocalTm(struct tm* ptm) const;
    struct tm* GetGmtTm(struct tm* ptm) const;

    // strftime codes on the local time.
    CString Format(LPCTSTR pFormat) const;
    CString FormatGmt(LPCTSTR pFormat) const;

    CTimeSpan operator-(CTime o) const { return CTimeSpan((long long)(m_time - o.m_time)); }
    CTime operator+(CTimeSpan s) const { return CTime(m_time + (std::time_t)s.GetTimeSpan()); }
    CTime operator-(CTimeSpan s) const { return CTime(m_time - (std::time_t)s.GetTimeSpan()); }
    CTime& operator+=(CTimeSpan s) { m_time += (std::time_t)s.GetTimeSpan(); return *this; }
    CTime& operator-=(CTimeSpan s) { m_time -= (std::time_t)s.GetTimeSpan(); return *this; }
    auto operator<=>(const CTime&) const = default;

private:
    struct tm Local() const;
    std::time_t m_time = 0;
};

namespace vyr {
// A fixed clock for tests: CTime::GetCurrentTime answers t until the clock is released,
// and counts its readings from the moment it was fixed.
void FixCurrentTime(std::time_t t);
void ReleaseCurrentTime();
int CurrentTimeReads();
} // namespace vyr
