// Calculation report of one member, coupling beam or wall pier: the member's own report as
// the model writes it, shown in the report control, printed and saved like every report.
// The member is handed over with DoModal; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/protocol/DlgWithObject.h>

class CBeamBase;

class CDlgBeamCheckOutput : public CDlgWithObject<CBeamBase*, CDlgReportChapter>
{
public:
    explicit CDlgBeamCheckOutput(CWnd* pParent = nullptr);

    // The object DoModal was run with.
    CBeamBase* GetObject() const { return m_pObject; }

    // The member's report through its writer pointer, which points to out only meanwhile;
    // nothing without a member.
    void Output(COutput* out, int flag) override;
};
