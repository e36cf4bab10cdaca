// The frame of every report dialog: a rich-edit control that shows the dialog's chapter,
// written when the dialog opens and written afresh into the emptied control by Change();
// the close, print and save buttons; and the locked selection of the report text.
//
// The chapter contract: a derived dialog writes its chapter in Output. With flag 0 the
// chapter stands alone and writes its title, then the report head (OutputTitle does both);
// with flag 1 it is a section of the whole report and writes its title only. A chapter
// never clears or closes the writer it is given, so the caller can append more.
#pragma once

#include <vyr/stdafx.h>
#include <vyr/controls.h>
#include <vyr/model/output/coutput.h>
#include <vyr/resources/dialogs/ReportRes.h>

// The controls of the frame in a report dialog's template.
struct CReportFrameIds
{
    int report; // the rich-edit control that shows the chapter
    int close;  // ends the dialog with IDOK
    int print;
    int rtf, txt, word; // save as RTF, plain text, Word
};
// Most report dialogs: rich edit 1610, closed by IDOK.
inline constexpr CReportFrameIds kReportFrameIds{IDC_REPORT_EDIT, IDOK, IDC_REPORT_PRINT,
                                                 IDC_REPORT_RTF, IDC_REPORT_TXT, IDC_REPORT_WORD};
// The one-object reports (template 577): rich edit 1604, closed by 1015.
inline constexpr CReportFrameIds kOneObjectReportIds{IDC_REPORT_TEXT, IDC_REPORT_CLOSE, IDC_REPORT_PRINT,
                                                     IDC_REPORT_RTF, IDC_REPORT_TXT, IDC_REPORT_WORD};

class CDlgReportChapter : public CDialog
{
public:
    CDlgReportChapter(UINT templateId, CWnd* pParent, const CReportFrameIds& ids = kReportFrameIds);

    // The dialog's chapter; flag 0 stand-alone, 1 a section of the whole report.
    virtual void Output(COutput* out, int flag) = 0;

    // The chapter's title as a level-1 heading and, with flag 0, the report head right after it.
    static void OutputTitle(COutput& out, const CString& text, int flag);

    // The report control, or null when the template has none.
    CRichEditCtrl* GetReportCtrl() const;

protected:
    BOOL OnInitDialog() override;
    // Collapses any selection in the report control before the message is handled, so the
    // text can be scrolled and printed but not selected.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    // Reads the dialog's boxes back and writes the chapter again into the emptied control;
    // the section boxes of a derived dialog call it.
    void Change();
    // Writes the chapter (flag 0) into a new document in the format of the device, at a path
    // the user names; the report control does not change.
    void Save(DEVICE_TYPE device);
    // Prints the report control with margins of 1500 twips and the title "计算书".
    void Print();
    // Writes the saved document: by default the chapter (flag 0) into a new writer on the
    // file. False when the file cannot be written.
    virtual bool WriteDocument(DEVICE_TYPE device, const CString& path);

    COutput m_output;                 // the writer on the report control
    bool m_bHideWhileWriting = false; // the report control is hidden while its chapter is written

private:
    void WriteIntoControl();

    CReportFrameIds m_ids;
};
