// Calculation report of one node: the node's own report as the model writes it, shown in
// the report control, printed and saved like every report. The node is handed over with
// DoModal; nothing in the model changes.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/protocol/DlgWithObject.h>

class CPNode;

class CDlgNodeCheckOutput : public CDlgWithObject<CPNode*, CDlgReportChapter>
{
public:
    explicit CDlgNodeCheckOutput(CWnd* pParent = nullptr);

    // The object DoModal was run with.
    CPNode* GetObject() const { return m_pObject; }

    // The node's report through its writer pointer, which points to out only meanwhile;
    // nothing without a node.
    void Output(COutput* out, int flag) override;
};
