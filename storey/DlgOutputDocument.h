// The report viewer: one statistics chapter as a stand-alone report, chosen by a report kind
// 0 to 9, written once when the viewer opens; printed and saved like every report dialog.
//
// Kinds 0 to 7 write the chapter of the statistics dialog that opened the viewer (its owner
// window, running modally), with that dialog's current data and settings; kinds 8 and 9 build
// a temporary object from the model and write its chapter. Each dialog registers its own kind
// (RegisterOwnerKind / RegisterKind), so the viewer links no dialog above it; a kind nobody
// registered, or an owner that is not the dialog of the kind, writes nothing.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>

class CGlobalData;

class CDlgOutputDocument : public CDlgReportChapter
{
public:
    explicit CDlgOutputDocument(CWnd* pParent);

    CGlobalData* m_pGlobalData = nullptr; // set by the opener
    int m_nDocType = 0;                   // the report kind, set by the opener

    // The caption of a kind; the template's "文档输出" for a number outside 0 to 9.
    static CString KindCaption(int kind);

    // Writes the chapter of the viewer's kind, stand-alone (flag 0).
    void Output(COutput* out, int flag) override;

    // What writes a kind's chapter: the viewer's owner window (null when it has none), the
    // model, the writer and the composition flag.
    using KindWriter = void (*)(CWnd* owner, CGlobalData* data, COutput& out, int flag);
    static void RegisterKind(int kind, KindWriter writer);
    // The kind is the chapter of the owner window when that is a TDlg.
    template <class TDlg>
    static bool RegisterOwnerKind(int kind)
    {
        RegisterKind(kind, [](CWnd* owner, CGlobalData*, COutput& out, int flag) {
            if (auto* dlg = dynamic_cast<TDlg*>(owner))
                dlg->Output(&out, flag);
        });
        return true;
    }

    // Opens a viewer of the kind on the model, modally, under the parent (null: the innermost
    // running dialog owns it, as every null-parent dialog).
    static INT_PTR Open(CWnd* parent, CGlobalData* data, int kind);

    // The window whose chapter a kind 0 to 7 writes: the viewer's owner.
    CWnd* GetOwnerDialog() const;

protected:
    BOOL OnInitDialog() override;
};
