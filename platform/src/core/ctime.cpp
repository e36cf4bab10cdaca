#include <vyr/ctime.h>

#include <atomic>
#include <cstdio>
#include <string>

namespace {
std::atomic<bool> g_fixed{false};
std::atomic<std::time_t> g_fixedTime{0};
std::atomic<int> g_reads{0};
} // namespace

namespace vyr {
void FixCurrentTime(std::time_t t)
{
    g_fixedTime = t;
    g_reads = 0;
    g_fixed = true;
}
void ReleaseCurrentTime() { g_fixed = false; }
int CurrentTimeReads() { return g_reads.load(); }
} // namespace vyr

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t = {};
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST < 0 ? -1 : (nDST > 0 ? 1 : 0);
    m_time = std::mktime(&t);
}

CTime CTime::GetCurrentTime()
{
    if (g_fixed) {
        ++g_reads;
        return CTime(g_fixedTime.load());
    }
    return CTime(std::time(nullptr));
}

struct tm CTime::Local() const
{
    struct tm t = {};
    localtime_r(&m_time, &t);
    return t;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (!ptm) return nullptr;
    return localtime_r(&m_time, ptm);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (!ptm) return nullptr;
    return gmtime_r(&m_time, ptm);
}

static CString FormatTm(const struct tm& t, LPCTSTR pFormat)
{
    if (!pFormat || !*pFormat) return CString();
    // strftime returns 0 both for "too small" and for an empty result: grow a few times.
    for (size_t size = 256; size <= 65536; size *= 4) {
        std::string buf(size, '\0');
        size_t n = std::strftime(buf.data(), size, pFormat, &t);
        if (n > 0) {
            buf.resize(n);
            return CString(std::move(buf));
        }
    }
    return CString();
}

CString CTime::Format(LPCTSTR pFormat) const { return FormatTm(Local(), pFormat); }

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm t = {};
    gmtime_r(&m_time, &t);
    return FormatTm(t, pFormat);
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    std::string out;
    for (const char* p = pFormat ? pFormat : ""; *p; p++) {
        if (*p != '%' || !p[1]) {
            out += *p;
            continue;
        }
        char buf[32];
        switch (*++p) {
        case 'D': std::snprintf(buf, sizeof buf, "%ld", (long)GetDays()); break;
        case 'H': std::snprintf(buf, sizeof buf, "%02d", GetHours()); break;
        case 'M': std::snprintf(buf, sizeof buf, "%02d", GetMinutes()); break;
        case 'S': std::snprintf(buf, sizeof buf, "%02d", GetSeconds()); break;
        case '%': std::snprintf(buf, sizeof buf, "%%"); break;
        default: std::snprintf(buf, sizeof buf, "%%%c", *p); break;
        }
        out += buf;
    }
    return CString(std::move(out));
}
