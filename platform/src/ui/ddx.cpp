// Dialog data exchange and validation.
#include <vyr/ddx.h>

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>

#include <vyr/gbk.h>
#include <vyr/msgbox.h>
#include <vyr/vyrdiag.h>

namespace vyr {
const char* const kDdxIntegerPrompt = "请输入一个整数。";
const char* const kDdxUnsignedPrompt = "请输入一个正整数。";
const char* const kDdxNumberPrompt = "请输入一个数字。";
const char* const kDdxIntRangePrompt = "请输入一个介于 %1 和 %2 之间的整数。";
const char* const kDdxRealRangePrompt = "请输入一个介于 %1 和 %2 之间的数字。";
const char* const kDdxMaxCharsPrompt = "请输入不超过 %1 个字符。";

CString FormatFloat(float v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", FLT_DIG, (double)v);
    return buf;
}

CString FormatDouble(double v)
{
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*g", DBL_DIG, v);
    return buf;
}
} // namespace vyr

namespace {

CString Fill(const char* pattern, const CString& a, const CString& b = CString())
{
    CString s(pattern);
    s.Replace("%1", a);
    s.Replace("%2", b);
    return s;
}

CString TrimmedText(HWND h)
{
    CString s;
    CWnd::FromHandle(h)->GetWindowText(s);
    s.Trim();
    return s;
}

// Writes a control's text only when it changes, so an unchanged edit does not notify.
void SetTextIfChanged(HWND h, const char* text)
{
    CString old;
    CWnd::FromHandle(h)->GetWindowText(old);
    if (old != text)
        ::SetWindowText(h, text);
}

// Whole-text integer parse with range; false on anything else.
bool ParseInteger(const CString& s, long long lo, long long hi, long long* out)
{
    const char* p = s.GetString();
    if (*p == 0)
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(p, &end, 10);
    if (errno == ERANGE || end == p || *end != 0)
        return false;
    if (v < lo || v > hi)
        return false;
    *out = v;
    return true;
}

bool ParseUnsigned(const CString& s, unsigned long long hi, unsigned long long* out)
{
    const char* p = s.GetString();
    if (*p == 0 || *p == '-')
        return false;
    if (*p == '+')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    unsigned long long v = std::strtoull(p, &end, 10);
    if (errno == ERANGE || *end != 0 || v > hi)
        return false;
    *out = v;
    return true;
}

// Decimal notation only (no hex, inf or nan), finite.
bool ParseReal(const CString& s, double* out)
{
    const char* p = s.GetString();
    if (*p == 0)
        return false;
    for (const char* q = p; *q; ++q) {
        char c = *q;
        if (!((c >= '0' && c <= '9') || c == '.' || c == 'e' || c == 'E' || c == '+' || c == '-'))
            return false;
    }
    char* end = nullptr;
    double v = std::strtod(p, &end);
    if (end == p || *end != 0 || !std::isfinite(v))
        return false;
    *out = v;
    return true;
}

// long is 32 bits on the platform the data was made for: its range is kept.
template <typename T>
void TextSigned(CDataExchange* pDX, int nIDC, T& value, const char* fmt)
{
    constexpr long long lo = std::max<long long>(std::numeric_limits<T>::min(), INT32_MIN);
    constexpr long long hi = std::min<long long>(std::numeric_limits<T>::max(), INT32_MAX);
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInteger(TrimmedText(h), lo, hi, &v)) {
            AfxMessageBox(vyr::kDdxIntegerPrompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (T)v;
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, fmt, value);
        SetTextIfChanged(h, buf);
    }
}

template <typename T>
void TextUnsigned(CDataExchange* pDX, int nIDC, T& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        unsigned long long v = 0;
        if (!ParseUnsigned(TrimmedText(h), std::numeric_limits<T>::max(), &v)) {
            AfxMessageBox(vyr::kDdxUnsignedPrompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (T)v;
    } else {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llu", (unsigned long long)value);
        SetTextIfChanged(h, buf);
    }
}

template <typename T>
void RangeCheck(CDataExchange* pDX, T value, T lo, T hi, const CString& slo, const CString& shi, bool real)
{
    if (!pDX->m_bSaveAndValidate)
        return;
    if (value < lo || value > hi) {
        AfxMessageBox(Fill(real ? vyr::kDdxRealRangePrompt : vyr::kDdxIntRangePrompt, slo, shi), MB_ICONEXCLAMATION);
        pDX->Fail();
    }
}

CString Num(long long v) { return CString(std::to_string(v)); }
CString UNum(unsigned long long v) { return CString(std::to_string(v)); }

bool IsClass(HWND h, const char* cls) { return vyr::GetWindowClassName(h).CompareNoCase(cls) == 0; }

} // namespace

// ---------------------------------------------------------------------------------------

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND h = ::GetDlgItem(m_pDlgWnd->GetSafeHwnd(), nIDC);
    if (!h) {
        std::string what = "data exchange with control " + std::to_string(nIDC) + ", which the dialog does not have";
        VyrFatal(what.c_str(), __FILE__, __LINE__);
    }
    m_hWndLastControl = h;
    m_bEditLastControl = FALSE;
    return h;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND h = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return h;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate) {
        // Filling the controls cannot be refused; a failure here is a program error.
        VyrFatal("data exchange failed while filling the controls", __FILE__, __LINE__);
    }
    if (m_hWndLastControl && ::IsWindow(m_hWndLastControl)) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    throw VyrDataExchangeFailure{};
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (const VyrDataExchangeFailure&) {
        return FALSE;
    }
    return TRUE;
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) { TextSigned(pDX, nIDC, value, "%d"); }
void DDX_Text(CDataExchange* pDX, int nIDC, long& value) { TextSigned(pDX, nIDC, value, "%ld"); }
void DDX_Text(CDataExchange* pDX, int nIDC, short& value) { TextSigned(pDX, nIDC, value, "%hd"); }
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { TextUnsigned(pDX, nIDC, value); }

void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (!ParseInteger(TrimmedText(h), 0, 255, &v)) {
            AfxMessageBox(Fill(vyr::kDdxIntRangePrompt, "0", "255"), MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (BYTE)v;
    } else {
        SetTextIfChanged(h, std::to_string((unsigned)value).c_str());
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, float& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseReal(TrimmedText(h), &v) || std::fabs(v) > FLT_MAX) {
            AfxMessageBox(vyr::kDdxNumberPrompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (float)v;
    } else {
        SetTextIfChanged(h, vyr::FormatFloat(value));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, double& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        double v = 0;
        if (!ParseReal(TrimmedText(h), &v)) {
            AfxMessageBox(vyr::kDdxNumberPrompt, MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = v;
    } else {
        SetTextIfChanged(h, vyr::FormatDouble(value));
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        CWnd::FromHandle(h)->GetWindowText(value);
    else
        SetTextIfChanged(h, value);
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = (int)::SendMessage(h, BM_GETCHECK, 0, 0);
    } else {
        // Values other than the three states are shown as unchecked.
        int v = value >= 0 && value <= 2 ? value : 0;
        ::SendMessage(h, BM_SETCHECK, (WPARAM)v, 0);
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND first = pDX->PrepareCtrl(nIDC);
    VYR_CHECK(::GetWindowLong(first, GWL_STYLE) & WS_GROUP,
              "DDX_Radio: the first button of a radio group must have WS_GROUP");
    if (pDX->m_bSaveAndValidate)
        value = -1;
    CWnd* dlg = pDX->m_pDlgWnd;
    CWnd* w = CWnd::FromHandle(first);
    int index = 0;
    while (w) {
        HWND h = w->GetSafeHwnd();
        DWORD style = (DWORD)::GetWindowLong(h, GWL_STYLE);
        if (h != first && (style & WS_GROUP))
            break;
        DWORD type = style & BS_TYPEMASK;
        if (IsClass(h, "Button") && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON)) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessage(h, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessage(h, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        w = w->GetWindow(GW_HWNDNEXT);
    }
    (void)dlg;
}

void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(h, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(h, CB_SETCURSEL, (WPARAM)index, 0);
}

static CString ComboText(HWND h)
{
    if ((::GetWindowLong(h, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
        int sel = (int)::SendMessage(h, CB_GETCURSEL, 0, 0);
        if (sel < 0)
            return CString();
        int n = (int)::SendMessage(h, CB_GETLBTEXTLEN, (WPARAM)sel, 0);
        std::string buf((size_t)std::max(0, n) + 1, '\0');
        ::SendMessage(h, CB_GETLBTEXT, (WPARAM)sel, (LPARAM)buf.data());
        return CString(buf.c_str());
    }
    CString s;
    CWnd::FromHandle(h)->GetWindowText(s);
    return s;
}

void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboText(h);
    } else if (::SendMessage(h, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == CB_ERR) {
        if ((::GetWindowLong(h, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST)
            SetTextIfChanged(h, value);
    }
}

void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ComboText(h);
        return;
    }
    LRESULT i = ::SendMessage(h, CB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)value.GetString());
    if (i != CB_ERR)
        ::SendMessage(h, CB_SETCURSEL, (WPARAM)i, 0);
    else if ((::GetWindowLong(h, GWL_STYLE) & 0x3) != CBS_DROPDOWNLIST)
        SetTextIfChanged(h, value);
}

void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(h, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(h, LB_SETCURSEL, (WPARAM)index, 0);
}

static CString ListText(HWND h)
{
    int sel = (int)::SendMessage(h, LB_GETCURSEL, 0, 0);
    if (sel < 0)
        return CString();
    int n = (int)::SendMessage(h, LB_GETTEXTLEN, (WPARAM)sel, 0);
    std::string buf((size_t)std::max(0, n) + 1, '\0');
    ::SendMessage(h, LB_GETTEXT, (WPARAM)sel, (LPARAM)buf.data());
    return CString(buf.c_str());
}

void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ListText(h);
    } else if (::SendMessage(h, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)value.GetString()) == LB_ERR) {
        ::SendMessage(h, LB_SETCURSEL, (WPARAM)-1, 0);
    }
}

void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND h = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = ListText(h);
        return;
    }
    LRESULT i = ::SendMessage(h, LB_FINDSTRINGEXACT, (WPARAM)-1, (LPARAM)value.GetString());
    ::SendMessage(h, LB_SETCURSEL, (WPARAM)(i == LB_ERR ? -1 : i), 0);
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.GetSafeHwnd() != nullptr)
        return;
    HWND h = pDX->PrepareCtrl(nIDC);
    VYR_CHECK(rControl.SubclassWindow(h), "DDX_Control: the control cannot be attached");
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, Num(minVal), Num(maxVal), false);
}
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, UNum(minVal), UNum(maxVal), false);
}
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, Num(minVal), Num(maxVal), false);
}
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, Num(minVal), Num(maxVal), false);
}
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, UNum(minVal), UNum(maxVal), false);
}
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, vyr::FormatFloat(minVal), vyr::FormatFloat(maxVal), true);
}
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal)
{
    RangeCheck(pDX, value, minVal, maxVal, vyr::FormatDouble(minVal), vyr::FormatDouble(maxVal), true);
}

void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars)
{
    if (pDX->m_bSaveAndValidate) {
        if ((int)vyr::GbkWidth(value.GetString()) > nChars) {
            AfxMessageBox(Fill(vyr::kDdxMaxCharsPrompt, Num(nChars)), MB_ICONEXCLAMATION);
            pDX->Fail();
        }
    } else if (pDX->m_hWndLastControl && IsClass(pDX->m_hWndLastControl, "Edit")) {
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}
