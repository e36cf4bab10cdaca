#include <vyr/dao.h>

#include <sqlite3.h>
#include <sys/stat.h>

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <vyr/gbk.h>
#include <vyr/winfile.h>

IMPLEMENT_DYNAMIC(CDaoException, CException)

// ---- variants -------------------------------------------------------------------------

void COleVariant::ClearValue()
{
    vt = VT_EMPTY;
    iVal = 0;
    lVal = 0;
    fltVal = 0;
    dblVal = 0;
    boolVal = 0;
    cyVal = CY();
    date = 0;
    m_str.clear();
    bstrVal = nullptr;
}

namespace {

// Everything of a variant but its text, which copying and moving hand over differently.
void CopyScalars(COleVariant& to, const COleVariant& from)
{
    to.vt = from.vt;
    to.iVal = from.iVal;
    to.lVal = from.lVal;
    to.fltVal = from.fltVal;
    to.dblVal = from.dblVal;
    to.boolVal = from.boolVal;
    to.cyVal = from.cyVal;
    to.date = from.date;
}

} // namespace

COleVariant& COleVariant::operator=(const COleVariant& o)
{
    if (this == &o) return *this;
    CopyScalars(*this, o);
    m_str = o.m_str;
    bstrVal = o.bstrVal ? m_str.c_str() : nullptr;
    return *this;
}

COleVariant& COleVariant::operator=(COleVariant&& o) noexcept
{
    if (this == &o) return *this;
    CopyScalars(*this, o);
    const bool text = o.bstrVal != nullptr;
    m_str = std::move(o.m_str);
    bstrVal = text ? m_str.c_str() : nullptr;
    o.ClearValue();
    return *this;
}

COleVariant::COleVariant(short v, VARTYPE vtSrc)
{
    ClearValue();
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
    } else {
        vt = VT_I2;
        iVal = v;
    }
}

COleVariant::COleVariant(long v, VARTYPE vtSrc)
{
    ClearValue();
    if (vtSrc == VT_BOOL) {
        vt = VT_BOOL;
        boolVal = v ? VARIANT_TRUE : VARIANT_FALSE;
    } else if (vtSrc == VT_I2) {
        vt = VT_I2;
        iVal = (short)v;
    } else {
        vt = VT_I4;
        lVal = (LONG)v;
    }
}

COleVariant::COleVariant(float v)
{
    ClearValue();
    vt = VT_R4;
    fltVal = v;
}

COleVariant::COleVariant(double v)
{
    ClearValue();
    vt = VT_R8;
    dblVal = v;
}

COleVariant::COleVariant(const char* s)
{
    ClearValue();
    vt = VT_BSTR;
    m_str = s ? s : "";
    bstrVal = m_str.c_str();
}

COleVariant::COleVariant(CY cy)
{
    ClearValue();
    vt = VT_CY;
    cyVal = cy;
}

COleVariant COleVariant::Null()
{
    COleVariant v;
    v.vt = VT_NULL;
    return v;
}

COleVariant COleVariant::Bool(bool b)
{
    return COleVariant((short)(b ? 1 : 0), VT_BOOL);
}

COleVariant COleVariant::Date(DATE d)
{
    COleVariant v;
    v.vt = VT_DATE;
    v.date = d;
    return v;
}

CString COleCurrency::Format() const
{
    long long v = m_cur.int64;
    bool neg = v < 0;
    unsigned long long a = neg ? 0ull - (unsigned long long)v : (unsigned long long)v;
    std::string s = std::to_string(a / 10000);
    unsigned frac = (unsigned)(a % 10000);
    if (frac != 0) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%04u", frac);
        std::string f = buf;
        while (!f.empty() && f.back() == '0') f.pop_back();
        s += "." + f;
    }
    return CString((neg ? "-" : "") + s);
}

// ---- dates: days since 1899-12-30 ------------------------------------------------------

namespace {
// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil algorithm).
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    long long era = (y >= 0 ? y : y - 399) / 400;
    unsigned yoe = (unsigned)(y - era * 400);
    unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    long long era = (z >= 0 ? z : z - 146096) / 146097;
    unsigned doe = (unsigned)(z - era * 146097);
    unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    long long yy = (long long)yoe + era * 400;
    unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    unsigned mp = (5 * doy + 2) / 153;
    d = (int)(doy - (153 * mp + 2) / 5 + 1);
    m = (int)(mp < 10 ? mp + 3 : mp - 9);
    y = (int)(yy + (m <= 2));
}

const long long kOleEpoch = -25569; // 1899-12-30 in days from 1970-01-01

struct Broken
{
    int y, mon, d, h, min, s;
};

Broken Break(DATE dt)
{
    long long days = (long long)std::floor(dt);
    long long secs = std::llround((dt - (double)days) * 86400.0);
    if (secs >= 86400) {
        days++;
        secs -= 86400;
    }
    Broken b{};
    CivilFromDays(days + kOleEpoch, b.y, b.mon, b.d);
    b.h = (int)(secs / 3600);
    b.min = (int)(secs / 60 % 60);
    b.s = (int)(secs % 60);
    return b;
}

// "YYYY-MM-DD", "YYYY/M/D", either followed by " HH:MM[:SS]" (or "T"); false when not a date.
bool ParseDate(const char* s, DATE& out)
{
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, se = 0;
    char sep1 = 0, sep2 = 0;
    int n = 0;
    if (std::sscanf(s, "%d%c%d%c%d%n", &y, &sep1, &mo, &sep2, &d, &n) != 5) return false;
    if (sep1 != sep2 || (sep1 != '-' && sep1 != '/')) return false;
    if (mo < 1 || mo > 12 || d < 1 || d > 31) return false;
    const char* rest = s + n;
    if (*rest == ' ' || *rest == 'T') {
        if (std::sscanf(rest + 1, "%d:%d:%d", &h, &mi, &se) < 2) return false;
        if (h < 0 || h > 23 || mi < 0 || mi > 59 || se < 0 || se > 59) return false;
    }
    out = COleDateTime(y, mo, d, h, mi, se).m_dt;
    return true;
}
} // namespace

COleDateTime::COleDateTime(int y, int mon, int d, int h, int min, int s)
{
    m_dt = (double)(DaysFromCivil(y, (unsigned)mon, (unsigned)d) - kOleEpoch) + (h * 3600 + min * 60 + s) / 86400.0;
}

int COleDateTime::GetYear() const { return Break(m_dt).y; }
int COleDateTime::GetMonth() const { return Break(m_dt).mon; }
int COleDateTime::GetDay() const { return Break(m_dt).d; }
int COleDateTime::GetHour() const { return Break(m_dt).h; }
int COleDateTime::GetMinute() const { return Break(m_dt).min; }
int COleDateTime::GetSecond() const { return Break(m_dt).s; }

CString COleDateTime::Format() const
{
    Broken b = Break(m_dt);
    CString s;
    if (b.h == 0 && b.min == 0 && b.s == 0)
        s.Format("%d/%d/%d", b.y, b.mon, b.d);
    else
        s.Format("%d/%d/%d %d:%02d:%02d", b.y, b.mon, b.d, b.h, b.min, b.s);
    return s;
}

// ---- exceptions ---------------------------------------------------------------------------

CDaoException::CDaoException() : m_pErrorInfo(new CDaoErrorInfo) {}

CDaoException::~CDaoException()
{
    delete m_pErrorInfo;
}

BOOL CDaoException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext) const
{
    if (pnHelpContext) *pnHelpContext = 0;
    if (!lpszError || nMaxError == 0) return FALSE;
    std::string msg = m_pErrorInfo ? m_pErrorInfo->m_strDescription.str() : std::string();
    size_t n = msg.size() < nMaxError - 1 ? msg.size() : nMaxError - 1;
    while (n > 0 && n < msg.size() && ((unsigned char)msg[n] & 0xC0) == 0x80) n--;
    std::memcpy(lpszError, msg.data(), n);
    lpszError[n] = '\0';
    return TRUE;
}

void AfxThrowDaoException(LONG lErrorCode, const CString& description)
{
    auto* e = new CDaoException;
    e->m_pErrorInfo->m_lErrorCode = lErrorCode;
    e->m_pErrorInfo->m_strSource = "DAO.Database";
    e->m_pErrorInfo->m_strDescription = description;
    e->m_scode = lErrorCode;
    throw e;
}

// ---- database -----------------------------------------------------------------------------

namespace {
int GbkCollate(void*, int n1, const void* a, int n2, const void* b)
{
    return vyr::GbkCompare(std::string_view((const char*)a, (size_t)n1), std::string_view((const char*)b, (size_t)n2));
}

CString Fmt(const char* fmt, const char* arg)
{
    CString s;
    s.Format(fmt, arg);
    return s;
}

std::string PasswordOf(const char* connect)
{
    // ";PWD=secret" among other ";KEY=value" parts; the key is not case-sensitive.
    std::string c = connect ? connect : "";
    size_t i = 0;
    while (i <= c.size()) {
        size_t j = c.find(';', i);
        if (j == std::string::npos) j = c.size();
        std::string part = c.substr(i, j - i);
        if (part.size() >= 4) {
            std::string key = part.substr(0, 4);
            for (auto& ch : key) ch = (char)std::toupper((unsigned char)ch);
            if (key == "PWD=") return part.substr(4);
        }
        i = j + 1;
    }
    return std::string();
}
} // namespace

CDaoDatabase::~CDaoDatabase()
{
    Close();
}

void CDaoDatabase::Open(LPCTSTR lpszName, BOOL bExclusive, BOOL bReadOnly, LPCTSTR lpszConnect)
{
    (void)bExclusive;
    if (IsOpen()) Close();
    const char* name = lpszName ? lpszName : "";
    if (!bReadOnly)
        AfxThrowDaoException(VYR_DAO_READ_ONLY, Fmt("无法更新数据库“%s”：数据库只能以只读方式打开。", name));
    std::string path = VyrMapPath(name);
    struct stat st;
    if (path.empty() || ::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        AfxThrowDaoException(VYR_DAO_FILE_NOT_FOUND, Fmt("找不到文件“%s”。", name));

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    if (rc != SQLITE_OK) {
        sqlite3_close(db);
        AfxThrowDaoException(VYR_DAO_FILE_NOT_FOUND, Fmt("无法打开文件“%s”。", name));
    }
    sqlite3_create_collation_v2(db, "GBK", SQLITE_UTF8, nullptr, GbkCollate, nullptr);

    // The stored password; a file without it is not one of ours.
    sqlite3_stmt* st2 = nullptr;
    std::string stored;
    bool found = false;
    rc = sqlite3_prepare_v2(db, "SELECT value FROM VyrDatabaseInfo WHERE name = 'password'", -1, &st2, nullptr);
    if (rc == SQLITE_OK && sqlite3_step(st2) == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(st2, 0);
        stored = t ? (const char*)t : "";
        found = true;
    }
    sqlite3_finalize(st2);
    if (!found) {
        sqlite3_close(db);
        AfxThrowDaoException(VYR_DAO_NOT_A_DATABASE, Fmt("无法识别的数据库格式“%s”。", name));
    }
    if (stored != PasswordOf(lpszConnect)) {
        sqlite3_close(db);
        AfxThrowDaoException(VYR_DAO_WRONG_PASSWORD, "密码无效。");
    }
    m_db = db;
    m_strName = name;
    m_strConnect = lpszConnect ? lpszConnect : "";
}

void CDaoDatabase::Close()
{
    if (m_db) sqlite3_close(m_db);
    m_db = nullptr;
}

// ---- recordset ----------------------------------------------------------------------------

namespace {
struct DeclType
{
    short daoType;
    VARTYPE vt;
    LONG size;
};

DeclType TypeOfDecl(const char* decl)
{
    std::string d = decl ? decl : "";
    for (auto& c : d) c = (char)std::toupper((unsigned char)c);
    LONG n = 0;
    size_t p = d.find('(');
    if (p != std::string::npos) n = std::atol(d.c_str() + p + 1);
    std::string base = d.substr(0, p);
    while (!base.empty() && base.back() == ' ') base.pop_back();
    if (base == "TEXT" || base == "VARCHAR" || base == "CHAR" || base == "NVARCHAR")
        return {dbText, VT_BSTR, n > 0 ? n : 255};
    if (base == "SMALLINT" || base == "SHORT") return {dbInteger, VT_I2, 2};
    if (base == "INTEGER" || base == "INT" || base == "LONG") return {dbLong, VT_I4, 4};
    if (base == "SINGLE" || base == "REAL4") return {dbSingle, VT_R4, 4};
    if (base == "BIT" || base == "BOOLEAN" || base == "BOOL") return {dbBoolean, VT_BOOL, 1};
    if (base == "CURRENCY" || base == "MONEY") return {dbCurrency, VT_CY, 8};
    if (base == "DATETIME" || base == "DATE") return {dbDate, VT_DATE, 8};
    if (base == "MEMO") return {dbMemo, VT_BSTR, 0};
    return {dbDouble, VT_R8, 8}; // DOUBLE, FLOAT, REAL and anything numeric
}

COleVariant CellValue(sqlite3_stmt* st, int i, VARTYPE vt)
{
    if (sqlite3_column_type(st, i) == SQLITE_NULL) return COleVariant::Null();
    switch (vt) {
    case VT_BSTR: return COleVariant((const char*)sqlite3_column_text(st, i));
    case VT_I2: return COleVariant((short)sqlite3_column_int(st, i));
    case VT_I4: return COleVariant((long)sqlite3_column_int(st, i), VT_I4);
    case VT_R4: return COleVariant((float)sqlite3_column_double(st, i));
    case VT_BOOL: return COleVariant::Bool(sqlite3_column_int64(st, i) != 0);
    case VT_CY: {
        // Ten-thousandths in 64 bits: a value beyond them, or none at all, is no amount.
        const double v = sqlite3_column_double(st, i) * 10000.0;
        if (!(std::fabs(v) < 9223372036854775808.0)) return COleVariant::Null(); // 2^63
        CY cy;
        cy.int64 = std::llround(v);
        return COleVariant(cy);
    }
    case VT_DATE: {
        DATE d = 0;
        if (sqlite3_column_type(st, i) == SQLITE_TEXT) {
            if (!ParseDate((const char*)sqlite3_column_text(st, i), d)) return COleVariant::Null();
        } else {
            d = sqlite3_column_double(st, i);
        }
        // Dates run from the year 100 to 9999; a day number beyond them is no date.
        if (!(d >= -657434.0 && d < 2958466.0)) return COleVariant::Null();
        return COleVariant::Date(d);
    }
    default: return COleVariant(sqlite3_column_double(st, i));
    }
}
} // namespace

CDaoRecordset::CDaoRecordset(CDaoDatabase* pDatabase) : m_pDatabase(pDatabase) {}

CDaoRecordset::~CDaoRecordset()
{
    Close();
}

void CDaoRecordset::Open(int nOpenType, LPCTSTR lpszSQL, int nOptions)
{
    (void)nOpenType;
    (void)nOptions;
    if (m_bOpen) Close();
    if (!m_pDatabase || !m_pDatabase->IsOpen())
        AfxThrowDaoException(VYR_DAO_NOT_OPEN, "对象无效或不再设置。");
    const char* sql = lpszSQL ? lpszSQL : "";
    sqlite3* db = m_pDatabase->Handle();
    sqlite3_stmt* st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    if (rc != SQLITE_OK || !st) {
        std::string err = sqlite3_errmsg(db);
        sqlite3_finalize(st);
        const std::string prefix = "no such table: ";
        if (err.compare(0, prefix.size(), prefix) == 0)
            AfxThrowDaoException(VYR_DAO_NO_SUCH_TABLE,
                                 Fmt("找不到输入表或查询“%s”。请确定它存在且名称拼写正确。", err.substr(prefix.size()).c_str()));
        AfxThrowDaoException(VYR_DAO_BAD_QUERY, Fmt("查询表达式“%s”中有语法错误。", sql));
    }
    if (!sqlite3_stmt_readonly(st)) {
        sqlite3_finalize(st);
        AfxThrowDaoException(VYR_DAO_READ_ONLY, "无法更新。数据库或对象为只读。");
    }
    int n = sqlite3_column_count(st);
    std::vector<CDaoFieldInfo> fields((size_t)n);
    std::vector<VARTYPE> vts((size_t)n);
    for (int i = 0; i < n; i++) {
        DeclType t = TypeOfDecl(sqlite3_column_decltype(st, i));
        CDaoFieldInfo& f = fields[(size_t)i];
        f.m_strName = sqlite3_column_name(st, i);
        f.m_nType = t.daoType;
        f.m_lSize = t.size;
        f.m_nOrdinalPosition = (short)i;
        const char* src = sqlite3_column_origin_name(st, i);
        const char* tab = sqlite3_column_table_name(st, i);
        f.m_strSourceField = src ? src : "";
        f.m_strSourceTable = tab ? tab : "";
        vts[(size_t)i] = t.vt;
    }
    // The rows are counted first so that the cells are allocated once: ten thousand rows of
    // eighteen fields are 16 MB, which grown step by step would be copied and faulted in
    // twice over on every opening.
    std::vector<COleVariant> cells;
    LONG rows = 0;
    size_t counted = 0;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) ++counted;
    if (rc == SQLITE_DONE) {
        sqlite3_reset(st);
        cells.reserve(counted * (size_t)n);
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int i = 0; i < n; i++) cells.push_back(CellValue(st, i, vts[(size_t)i]));
            rows++;
        }
    }
    std::string err = rc == SQLITE_DONE ? std::string() : sqlite3_errmsg(db);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) AfxThrowDaoException(VYR_DAO_NOT_A_DATABASE, Fmt("读取数据时出错：%s", err.c_str()));

    m_fields = std::move(fields);
    m_cells = std::move(cells);
    m_nRows = rows;
    m_nPos = rows > 0 ? 0 : -1;
    m_nVisited = rows > 0 ? 1 : 0;
    m_strSQL = sql;
    m_bOpen = true;
}

void CDaoRecordset::Close()
{
    m_bOpen = false;
    m_fields.clear();
    m_cells.clear();
    m_nRows = 0;
    m_nPos = -1;
    m_nVisited = 0;
}

void CDaoRecordset::CheckOpen() const
{
    if (!m_bOpen) AfxThrowDaoException(VYR_DAO_NOT_OPEN, "对象无效或不再设置。");
}

BOOL CDaoRecordset::IsBOF() const
{
    CheckOpen();
    return m_nRows == 0 || m_nPos < 0;
}

BOOL CDaoRecordset::IsEOF() const
{
    CheckOpen();
    return m_nRows == 0 || m_nPos >= m_nRows;
}

void CDaoRecordset::MoveFirst()
{
    CheckOpen();
    if (m_nRows == 0) AfxThrowDaoException(VYR_DAO_NO_CURRENT_RECORD, "无当前记录。");
    m_nPos = 0;
}

void CDaoRecordset::MoveLast()
{
    CheckOpen();
    if (m_nRows == 0) AfxThrowDaoException(VYR_DAO_NO_CURRENT_RECORD, "无当前记录。");
    m_nPos = m_nRows - 1;
    m_nVisited = m_nRows;
}

void CDaoRecordset::MoveNext()
{
    CheckOpen();
    if (IsEOF()) AfxThrowDaoException(VYR_DAO_NO_CURRENT_RECORD, "无当前记录。");
    m_nPos++;
    if (m_nPos < m_nRows && m_nPos + 1 > m_nVisited) m_nVisited = m_nPos + 1;
}

void CDaoRecordset::MovePrev()
{
    CheckOpen();
    if (IsBOF()) AfxThrowDaoException(VYR_DAO_NO_CURRENT_RECORD, "无当前记录。");
    m_nPos--;
}

void CDaoRecordset::SetAbsolutePosition(LONG lPosition)
{
    CheckOpen();
    if (lPosition < 0 || lPosition >= m_nRows) AfxThrowDaoException(VYR_DAO_INVALID_ARGUMENT, "无效的参数。");
    m_nPos = lPosition;
    if (m_nPos + 1 > m_nVisited) m_nVisited = m_nPos + 1;
}

LONG CDaoRecordset::GetAbsolutePosition() const
{
    CheckOpen();
    return (m_nPos >= 0 && m_nPos < m_nRows) ? m_nPos : -1;
}

LONG CDaoRecordset::GetRecordCount() const
{
    CheckOpen();
    return m_nVisited;
}

short CDaoRecordset::GetFieldCount() const
{
    CheckOpen();
    return (short)m_fields.size();
}

void CDaoRecordset::GetFieldInfo(int nIndex, CDaoFieldInfo& fieldinfo, DWORD dwInfoOptions) const
{
    (void)dwInfoOptions;
    CheckOpen();
    if (nIndex < 0 || nIndex >= (int)m_fields.size()) AfxThrowDaoException(VYR_DAO_INVALID_ARGUMENT, "集合中找不到项目。");
    fieldinfo = m_fields[(size_t)nIndex];
}

const COleVariant& CDaoRecordset::Cell(int nIndex) const
{
    CheckOpen();
    if (nIndex < 0 || nIndex >= (int)m_fields.size()) AfxThrowDaoException(VYR_DAO_INVALID_ARGUMENT, "集合中找不到项目。");
    if (m_nPos < 0 || m_nPos >= m_nRows) AfxThrowDaoException(VYR_DAO_NO_CURRENT_RECORD, "无当前记录。");
    return m_cells[(size_t)m_nPos * m_fields.size() + (size_t)nIndex];
}

COleVariant CDaoRecordset::GetFieldValue(int nIndex) const
{
    return Cell(nIndex);
}

COleVariant CDaoRecordset::GetFieldValue(LPCTSTR lpszName) const
{
    CheckOpen();
    for (size_t i = 0; i < m_fields.size(); i++)
        if (m_fields[i].m_strName == lpszName) return Cell((int)i);
    AfxThrowDaoException(VYR_DAO_INVALID_ARGUMENT, "集合中找不到项目。");
}
