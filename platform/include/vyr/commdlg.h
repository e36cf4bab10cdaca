// The common dialogs: file open/save, colour, font and print. DoModal takes its answer from
// the scripted user (ScriptedUser::AnswerFileDialog, ...); with nothing scripted it ends
// with Cancel, which the scripted user records.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <vyr/cstring.h>
#include <vyr/gdi.h>
#include <vyr/wnd.h>
#include <vyr/wintypes.h>

#define OFN_READONLY 0x00000001u
#define OFN_OVERWRITEPROMPT 0x00000002u
#define OFN_HIDEREADONLY 0x00000004u
#define OFN_NOCHANGEDIR 0x00000008u
#define OFN_SHOWHELP 0x00000010u
#define OFN_NOVALIDATE 0x00000100u
#define OFN_ALLOWMULTISELECT 0x00000200u
#define OFN_EXTENSIONDIFFERENT 0x00000400u
#define OFN_PATHMUSTEXIST 0x00000800u
#define OFN_FILEMUSTEXIST 0x00001000u
#define OFN_CREATEPROMPT 0x00002000u
#define OFN_NOREADONLYRETURN 0x00008000u
#define OFN_NOTESTFILECREATE 0x00010000u
#define OFN_EXPLORER 0x00080000u
#define OFN_NODEREFERENCELINKS 0x00100000u
#define OFN_LONGNAMES 0x00200000u
#define OFN_ENABLESIZING 0x00800000u

struct OPENFILENAME
{
    DWORD lStructSize;
    HWND hwndOwner;
    HINSTANCE hInstance;
    LPCSTR lpstrFilter;       // pairs of NUL-terminated texts, ending in an empty one
    LPSTR lpstrCustomFilter;
    DWORD nMaxCustFilter;
    DWORD nFilterIndex;       // 1-based
    LPSTR lpstrFile;
    DWORD nMaxFile;
    LPSTR lpstrFileTitle;
    DWORD nMaxFileTitle;
    LPCSTR lpstrInitialDir;
    LPCSTR lpstrTitle;
    DWORD Flags;
    WORD nFileOffset;
    WORD nFileExtension;
    LPCSTR lpstrDefExt;
    LPARAM lCustData;
};
typedef OPENFILENAME OPENFILENAMEA;

#define CC_RGBINIT 0x00000001u
#define CC_FULLOPEN 0x00000002u
#define CC_PREVENTFULLOPEN 0x00000004u
#define CC_SHOWHELP 0x00000008u
#define CC_ANYCOLOR 0x00000100u
#define CC_SOLIDCOLOR 0x00000080u

struct CHOOSECOLOR
{
    DWORD lStructSize;
    HWND hwndOwner;
    HWND hInstance;
    COLORREF rgbResult;
    COLORREF* lpCustColors;
    DWORD Flags;
    LPARAM lCustData;
};

#define CF_SCREENFONTS 0x00000001u
#define CF_PRINTERFONTS 0x00000002u
#define CF_BOTH 0x00000003u
#define CF_SHOWHELP 0x00000004u
#define CF_INITTOLOGFONTSTRUCT 0x00000040u
#define CF_USESTYLE 0x00000080u
#define CF_EFFECTS 0x00000100u
#define CF_APPLY 0x00000200u
#define CF_ANSIONLY 0x00000400u
#define CF_SCRIPTSONLY CF_ANSIONLY
#define CF_NOVECTORFONTS 0x00000800u
#define CF_LIMITSIZE 0x00002000u
#define CF_FIXEDPITCHONLY 0x00004000u
#define CF_FORCEFONTEXIST 0x00010000u
#define CF_TTONLY 0x00040000u
#define CF_NOSCRIPTSEL 0x00800000u

struct CHOOSEFONT
{
    DWORD lStructSize;
    HWND hwndOwner;
    HDC hDC;
    LOGFONT* lpLogFont;
    INT iPointSize; // tenths of a point
    DWORD Flags;
    COLORREF rgbColors;
    LPARAM lCustData;
    LPSTR lpszStyle;
    WORD nFontType;
    INT nSizeMin;
    INT nSizeMax;
};

#define PD_ALLPAGES 0x00000000u
#define PD_SELECTION 0x00000001u
#define PD_PAGENUMS 0x00000002u
#define PD_NOSELECTION 0x00000004u
#define PD_NOPAGENUMS 0x00000008u
#define PD_COLLATE 0x00000010u
#define PD_PRINTTOFILE 0x00000020u
#define PD_PRINTSETUP 0x00000040u
#define PD_NOWARNING 0x00000080u
#define PD_RETURNDC 0x00000100u
#define PD_RETURNIC 0x00000200u
#define PD_RETURNDEFAULT 0x00000400u
#define PD_SHOWHELP 0x00000800u
#define PD_USEDEVMODECOPIES 0x00040000u
#define PD_USEDEVMODECOPIESANDCOLLATE 0x00040000u
#define PD_DISABLEPRINTTOFILE 0x00080000u
#define PD_HIDEPRINTTOFILE 0x00100000u

struct PRINTDLG
{
    DWORD lStructSize;
    HWND hwndOwner;
    HGLOBAL hDevMode;
    HGLOBAL hDevNames;
    HDC hDC;
    DWORD Flags;
    WORD nFromPage;
    WORD nToPage;
    WORD nMinPage;
    WORD nMaxPage;
    WORD nCopies;
};

// Base of the common dialogs.
class CCommonDialog : public CWnd
{
    DECLARE_DYNAMIC(CCommonDialog)
public:
    explicit CCommonDialog(CWnd* pParentWnd) : m_pParentWnd(pParentWnd) {}
    virtual INT_PTR DoModal() = 0;

protected:
    CWnd* m_pParentWnd;
};

class CFileDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFileDialog)
public:
    // lpszFilter: "Text (*.txt)|*.txt|All Files (*.*)|*.*||".
    explicit CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                         DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                         CWnd* pParentWnd = nullptr);

    OPENFILENAME m_ofn;

    // The scripted user gives the full path. A name without extension gets the default
    // extension (given with or without its leading period). A save dialog with
    // OFN_OVERWRITEPROMPT asks before an existing file is chosen, and an open dialog with
    // OFN_FILEMUSTEXIST refuses a missing one, each with a message box; the dialog then
    // takes the next scripted answer.
    INT_PTR DoModal() override;

    CString GetPathName() const;
    CString GetFileName() const;
    CString GetFileExt() const;   // without the period
    CString GetFileTitle() const; // the name without its extension
    CString GetFolderPath() const;
    BOOL GetReadOnlyPref() const { return (m_ofn.Flags & OFN_READONLY) != 0; }
    // The (description, pattern) pairs of the filter.
    std::vector<std::pair<CString, CString>> GetFilters() const;
    BOOL IsOpenDialog() const { return m_bOpenFileDialog; }

protected:
    BOOL m_bOpenFileDialog;
    std::string m_filter;   // NUL-separated, as m_ofn.lpstrFilter points to
    std::string m_defExt;
    std::string m_file;     // buffer of m_ofn.lpstrFile
    std::string m_title;
    CString m_path;
};

class CColorDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CColorDialog)
public:
    explicit CColorDialog(COLORREF clrInit = 0, DWORD dwFlags = 0, CWnd* pParentWnd = nullptr);
    CHOOSECOLOR m_cc;
    INT_PTR DoModal() override;
    COLORREF GetColor() const { return m_cc.rgbResult; }
    void SetCurrentColor(COLORREF clr) { m_cc.rgbResult = clr; }
    static COLORREF* GetSavedCustomColors();
};

class CFontDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CFontDialog)
public:
    explicit CFontDialog(LPLOGFONT lplfInitial = nullptr, DWORD dwFlags = CF_EFFECTS | CF_SCREENFONTS,
                         CDC* pdcPrinter = nullptr, CWnd* pParentWnd = nullptr);
    CHOOSEFONT m_cf;
    LOGFONT m_lf;
    INT_PTR DoModal() override;
    void GetCurrentFont(LPLOGFONT lplf);
    CString GetFaceName() const { return CString(m_lf.lfFaceName); }
    int GetSize() const { return m_cf.iPointSize; } // tenths of a point
    COLORREF GetColor() const { return m_cf.rgbColors; }
    int GetWeight() const { return (int)m_lf.lfWeight; }
    BOOL IsBold() const { return m_lf.lfWeight >= 600; }
    BOOL IsItalic() const { return m_lf.lfItalic != 0; }
    BOOL IsUnderline() const { return m_lf.lfUnderline != 0; }
    BOOL IsStrikeOut() const { return m_lf.lfStrikeOut != 0; }
};

class CPrintDialog : public CCommonDialog
{
    DECLARE_DYNAMIC(CPrintDialog)
public:
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS | PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;
    PRINTDLG m_pd;
    INT_PTR DoModal() override;
    // A device context that records what is printed (created on OK with PD_RETURNDC, or
    // on the first call); it belongs to the dialog.
    HDC GetPrinterDC();
    HDC CreatePrinterDC() { return GetPrinterDC(); }
    CDC* GetPrinterCDC() { return CDC::FromHandle(GetPrinterDC()); }
    CString GetDeviceName() const { return CString("VYR Virtual Printer"); }
    CString GetDriverName() const { return CString("vyr"); }
    CString GetPortName() const { return CString("FILE:"); }
    int GetCopies() const { return m_pd.nCopies; }
    BOOL PrintAll() const { return (m_pd.Flags & (PD_SELECTION | PD_PAGENUMS)) == 0; }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return m_pd.nFromPage; }
    int GetToPage() const { return m_pd.nToPage; }

protected:
    BOOL m_bPrintSetupOnly;
    std::unique_ptr<CDC> m_printerDC;
};
