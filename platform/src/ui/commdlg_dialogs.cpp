// The common dialogs, answered by the scripted user.
#include <vyr/commdlg.h>

#include <cstring>
#include <filesystem>

#include <vyr/scripteduser.h>
#include <vyr/vyrdiag.h>

IMPLEMENT_DYNAMIC(CCommonDialog, CWnd)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

namespace {

HWND OwnerOf(CWnd* parent) { return parent ? parent->GetSafeHwnd() : nullptr; }

size_t NameStart(const CString& path)
{
    const std::string& s = path.str();
    size_t p = s.find_last_of("\\/");
    return p == std::string::npos ? 0 : p + 1;
}

// Offset of the extension's first character in the name, or npos.
size_t ExtStart(const CString& path)
{
    const std::string& s = path.str();
    size_t name = NameStart(path);
    size_t dot = s.rfind('.');
    return dot == std::string::npos || dot < name ? std::string::npos : dot + 1;
}

} // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags, LPCTSTR lpszFilter,
                         CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    std::memset(&m_ofn, 0, sizeof m_ofn);
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.hwndOwner = OwnerOf(pParentWnd);
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.nFilterIndex = 1;
    if (lpszFilter) {
        // "a|b|c|d||": '|' separates, the filter ends in two NULs.
        m_filter = lpszFilter;
        for (char& c : m_filter)
            if (c == '|') c = '\0';
        m_filter.push_back('\0');
        m_filter.push_back('\0');
        m_ofn.lpstrFilter = m_filter.data();
    }
    if (lpszDefExt) {
        m_defExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_defExt.c_str();
    }
    m_file.assign(260, '\0');
    if (lpszFileName) std::strncpy(m_file.data(), lpszFileName, m_file.size() - 1);
    m_ofn.lpstrFile = m_file.data();
    m_ofn.nMaxFile = (DWORD)m_file.size();
    m_path = lpszFileName ? lpszFileName : "";
}

std::vector<std::pair<CString, CString>> CFileDialog::GetFilters() const
{
    std::vector<std::pair<CString, CString>> out;
    const char* p = m_ofn.lpstrFilter;
    while (p && *p) {
        CString desc(p);
        p += desc.GetLength() + 1;
        CString pattern(p);
        p += pattern.GetLength() + 1;
        out.emplace_back(desc, pattern);
    }
    return out;
}

INT_PTR CFileDialog::DoModal()
{
    while (true) {
        CString path;
        if (!vyr::ScriptedUser::TakeFileDialogAnswer(path)) return IDCANCEL;
        // The default extension is added to a name typed without one; a leading period in
        // it is tolerated (the library passes ".SEC" and ".").
        std::string ext = m_defExt;
        while (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
        if (!ext.empty() && ExtStart(path) == std::string::npos) path += "." + CString(ext);
        std::error_code ec;
        bool exists = std::filesystem::exists(path.GetString(), ec);
        if (!m_bOpenFileDialog && (m_ofn.Flags & OFN_OVERWRITEPROMPT) && exists) {
            CString text = path + " 已存在。\n要替换它吗？";
            if (vyr::ScriptedUser::ShowMessageBox(text, "另存为", MB_YESNO | MB_ICONWARNING) != IDYES) continue;
        }
        if (m_bOpenFileDialog && (m_ofn.Flags & OFN_FILEMUSTEXIST) && !exists) {
            CString text = path + "\n找不到文件。\n请检查文件名是否正确，然后重试。";
            vyr::ScriptedUser::ShowMessageBox(text, "打开", MB_OK | MB_ICONWARNING);
            continue;
        }
        m_path = path;
        std::memset(m_file.data(), 0, m_file.size());
        if ((size_t)path.GetLength() >= m_file.size()) m_file.assign((size_t)path.GetLength() + 1, '\0');
        std::memcpy(m_file.data(), path.GetString(), (size_t)path.GetLength());
        m_ofn.lpstrFile = m_file.data();
        m_ofn.nMaxFile = (DWORD)m_file.size();
        m_ofn.nFileOffset = (WORD)NameStart(path);
        size_t e = ExtStart(path);
        m_ofn.nFileExtension = (WORD)(e == std::string::npos ? 0 : e);
        m_ofn.Flags &= ~OFN_EXTENSIONDIFFERENT;
        if (!ext.empty() && GetFileExt().CompareNoCase(ext.c_str()) != 0) m_ofn.Flags |= OFN_EXTENSIONDIFFERENT;
        return IDOK;
    }
}

CString CFileDialog::GetPathName() const { return m_path; }
CString CFileDialog::GetFileName() const { return m_path.Mid((int)NameStart(m_path)); }
CString CFileDialog::GetFileExt() const
{
    size_t e = ExtStart(m_path);
    return e == std::string::npos ? CString() : m_path.Mid((int)e);
}
CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    size_t e = ExtStart(name);
    return e == std::string::npos ? name : name.Left((int)e - 1);
}
CString CFileDialog::GetFolderPath() const
{
    size_t n = NameStart(m_path);
    return n == 0 ? CString() : m_path.Left((int)n - 1);
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    std::memset(&m_cc, 0, sizeof m_cc);
    m_cc.lStructSize = sizeof m_cc;
    m_cc.hwndOwner = OwnerOf(pParentWnd);
    m_cc.Flags = dwFlags | CC_RGBINIT;
    m_cc.rgbResult = clrInit;
    m_cc.lpCustColors = GetSavedCustomColors();
}

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static COLORREF colors[16] = {RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
                                  RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return colors;
}

INT_PTR CColorDialog::DoModal()
{
    COLORREF c = m_cc.rgbResult;
    if (!vyr::ScriptedUser::TakeColorDialogAnswer(c)) return IDCANCEL;
    m_cc.rgbResult = c;
    return IDOK;
}

CFontDialog::CFontDialog(LPLOGFONT lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    std::memset(&m_cf, 0, sizeof m_cf);
    std::memset(&m_lf, 0, sizeof m_lf);
    m_cf.lStructSize = sizeof m_cf;
    m_cf.hwndOwner = OwnerOf(pParentWnd);
    m_cf.hDC = pdcPrinter ? pdcPrinter->GetSafeHdc() : nullptr;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
}

INT_PTR CFontDialog::DoModal()
{
    LOGFONT lf = m_lf;
    COLORREF color = m_cf.rgbColors;
    if (!vyr::ScriptedUser::TakeFontDialogAnswer(lf, color)) return IDCANCEL;
    m_lf = lf;
    m_cf.rgbColors = color;
    // Tenths of a point at the screen's 96 pixels per inch.
    long h = m_lf.lfHeight < 0 ? -m_lf.lfHeight : m_lf.lfHeight;
    m_cf.iPointSize = (INT)((h * 720 + 48) / 96);
    return IDOK;
}

void CFontDialog::GetCurrentFont(LPLOGFONT lplf)
{
    if (lplf) *lplf = m_lf;
}

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bPrintSetupOnly(bPrintSetupOnly)
{
    std::memset(&m_pd, 0, sizeof m_pd);
    m_pd.lStructSize = sizeof m_pd;
    m_pd.hwndOwner = OwnerOf(pParentWnd);
    m_pd.Flags = dwFlags | (bPrintSetupOnly ? PD_PRINTSETUP : PD_RETURNDC);
    m_pd.nCopies = 1;
    m_pd.nFromPage = m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = 0xFFFF;
}

CPrintDialog::~CPrintDialog() = default;

INT_PTR CPrintDialog::DoModal()
{
    if (!vyr::ScriptedUser::TakePrintDialogAnswer()) return IDCANCEL;
    if (m_pd.Flags & PD_RETURNDC) GetPrinterDC();
    return IDOK;
}

HDC CPrintDialog::GetPrinterDC()
{
    if (!m_printerDC) {
        m_printerDC = std::make_unique<CDC>();
        if (!m_printerDC->CreateCompatibleDC(nullptr)) {
            m_printerDC.reset();
            return nullptr;
        }
    }
    m_pd.hDC = m_printerDC->GetSafeHdc();
    return m_pd.hDC;
}
