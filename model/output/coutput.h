// COutput: the report writer. Every calculation-report chapter writes formatted text and
// tables through it into a rich-edit control or a document file.
//
// Devices:
//   DEVICE_RTF       an RTF document (GBK code page, Chinese font declared)
//   DEVICE_TEXT      a plain-text file in GBK, table columns aligned by GBK width
//   DEVICE_WORD      a document for Word; written as RTF, which Word opens directly
//   DEVICE_RICHEDIT  a rich-edit control; rich text is appended at the control's end
//
// All writers bound to the same file path or the same control share one document while
// any of them holds it, so a main writer kept open while section writers come and go puts
// everything into one document in the order written. A file is written out when the last
// writer holding it closes or is destroyed; opening a path that no writer holds starts a
// new document (the file is replaced).
//
// Writer flags (SetFlagAdd / SetFlagSub): OUTPUT_FLAG_EMPHASIS makes text and table cells
// bold; OUTPUT_FLAG_NUMBERS right-aligns numeric table cells. Other bits are kept and
// returned but change nothing in the output.
#pragma once

#include <vyr/stdafx.h>

class CWnd;
class COutput;
struct COutputImpl;

enum DEVICE_TYPE
{
    DEVICE_NONE = 0,
    DEVICE_RTF = 1,
    DEVICE_TEXT = 2,
    DEVICE_WORD = 3,
    DEVICE_RICHEDIT = 4,
};

enum ALIGNMENT
{
    ALIGN_LEFT = 0,
    ALIGN_CENTER = 1,
    ALIGN_RIGHT = 2,
};

constexpr DWORD OUTPUT_FLAG_NUMBERS = 0x1000;
constexpr DWORD OUTPUT_FLAG_EMPHASIS = 0x10000;

// Manipulators that carry a value: title(int), strwidth(int), super(text), sub(text).
struct COutputMani_Int
{
    COutput& (*m_pfn)(COutput&, int);
    int m_nValue;
};
struct COutputMani_CString
{
    COutput& (*m_pfn)(COutput&, const CString&);
    CString m_strValue;
};

class COutput
{
public:
    COutput();
    // Copies share the device and the writing state: both write into one stream, in call order.
    COutput(const COutput& other);
    COutput& operator=(const COutput& other);
    // Destroying the last copy ends the output, as Close() does.
    virtual ~COutput();

    // Device 4 with a rich-edit control. Binding again (also to the same control) first ends
    // the previous binding.
    bool InitDevice(DEVICE_TYPE type, CWnd* pWnd);
    // A file device with a path; flags are accepted as the callers pass them (1, 3).
    bool InitDevice(DEVICE_TYPE type, const CString& path, DWORD flags);
    // Ends the device: pending text and an open table are written out, then the binding is released.
    void Close();

    COutput& operator<<(const CString& text);
    COutput& operator<<(const char* text);
    COutput& operator<<(int value);
    COutput& operator<<(long value);
    COutput& operator<<(unsigned int value);
    COutput& operator<<(unsigned long value);
    COutput& operator<<(float value);
    COutput& operator<<(double value);
    COutput& operator<<(COutput& (*manip)(COutput&));
    COutput& operator<<(const COutputMani_Int& manip);
    COutput& operator<<(const COutputMani_CString& manip);

    // One call per column, in column order; width in characters (GBK columns).
    void CreateTableHead(const CString& heading, int width, DWORD flags);
    // One call per cell, row by row; a row is complete when every column has its cell.
    void SetTableContent(const CString& text);
    void SetTableContent(double value);
    void SetTableContent(long value);
    void SetTableContent(int value);
    // Ends the table; a row left incomplete is filled with empty cells.
    void EndTable();

    float SetFontSize(float size);
    int SetPrecision(int decimals);
    DWORD SetFontColor(const DWORD& colour);
    DWORD SetFlagAdd(DWORD flags);
    DWORD SetFlagSub(DWORD flags);
    // Look of a text level (0 body, 1 to 4 headings): bold, italic, size in points,
    // alignment (ALIGNMENT) and line spacing in lines.
    void SetTextStyle(int level, bool bold, bool italic, float size, int align, int lineSpacing);
    int SetAlignment(ALIGNMENT align);

    // The manipulators' entry points.
    void NewLine();
    void Tab();
    void MarkHeading();
    void SetTitleLevel(int level);
    void SetStrWidth(int width);
    void WriteSuper(const CString& text);
    void WriteSub(const CString& text);

    DEVICE_TYPE GetDeviceType() const;

private:
    COutputImpl* m_pImpl; // the device handle with the writing state, shared by copies
};

// End of line.
COutput& endl(COutput& out);
// A tab (indent).
COutput& tab(COutput& out);
// Makes the current line a heading of the level set by title(int).
COutput& title(COutput& out);
// Heading level: 0 body text, 1 chapter, 2 and 3 sub-headings.
COutputMani_Int title(int level);
// Width in characters of the following items; 0 ends fixed widths.
COutputMani_Int strwidth(int width);
// Superscript and subscript text.
COutputMani_CString super(const CString& text);
COutputMani_CString sub(const CString& text);
