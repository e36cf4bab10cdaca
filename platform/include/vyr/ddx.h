// Dialog data exchange and validation, as the class library does it.
//
// DWORD is UINT here, so DDX_Text and DDV_MinMaxUInt serve it.
// Numbers are shown as the class library shows them: integers with %d / %u / %ld / %hd,
// floats with %.*g and 6 significant digits, doubles with 15 (60.0 shows "60"). A control
// is only written when its text changes (so an unchanged edit sends no EN_CHANGE).
// A text that does not parse, or a value out of range, shows a message, puts the focus back
// on that control with its text selected, and makes UpdateData return FALSE.
#pragma once

#include <vyr/cstring.h>
#include <vyr/wnd.h>

class CDataExchange
{
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;

    // The control of that id (a missing control fails loudly); remembered for Fail.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Focus (and, for an edit, selection) back on the last control; ends the exchange.
    [[noreturn]] void Fail();

    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;
};

// Thrown by CDataExchange::Fail and caught by UpdateData.
struct VyrDataExchangeFailure
{
};

void DDX_Text(CDataExchange* pDX, int nIDC, int& value);
void DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
void DDX_Text(CDataExchange* pDX, int nIDC, long& value);
void DDX_Text(CDataExchange* pDX, int nIDC, short& value);
void DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value);
void DDX_Text(CDataExchange* pDX, int nIDC, float& value);
void DDX_Text(CDataExchange* pDX, int nIDC, double& value);
void DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
void DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC is the first radio button of its group (WS_GROUP); value is the index of the
// checked one in the group, -1 for none.
void DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
void DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_CBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_CBStringExact(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index);
void DDX_LBString(CDataExchange* pDX, int nIDC, CString& value);
void DDX_LBStringExact(CDataExchange* pDX, int nIDC, CString& value);
// Attaches the object to the control the first time.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal);
void DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal);
void DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal);
void DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal);
void DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal);
void DDV_MinMaxFloat(CDataExchange* pDX, float const& value, float minVal, float maxVal);
void DDV_MinMaxDouble(CDataExchange* pDX, double const& value, double minVal, double maxVal);
// Length counted as the GBK bytes the original build counted.
void DDV_MaxChars(CDataExchange* pDX, CString const& value, int nChars);

namespace vyr {
// The texts of the refusals (also used by tests).
extern const char* const kDdxIntegerPrompt;       // "请输入一个整数。"
extern const char* const kDdxUnsignedPrompt;      // "请输入一个正整数。"
extern const char* const kDdxNumberPrompt;        // "请输入一个数字。"
extern const char* const kDdxIntRangePrompt;      // "请输入一个介于 %1 和 %2 之间的整数。"
extern const char* const kDdxRealRangePrompt;     // "请输入一个介于 %1 和 %2 之间的数字。"
extern const char* const kDdxMaxCharsPrompt;      // "请输入不超过 %1 个字符。"
// The text of a number as data exchange writes it.
CString FormatFloat(float v);
CString FormatDouble(double v);
} // namespace vyr
