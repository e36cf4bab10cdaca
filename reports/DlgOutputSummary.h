// The summary report: what the project is made of (structure type, storeys, sections), the
// load parameters, the basic load cases and combinations, and the stiffness and internal
// force adjustments, in one chapter. The four boxes choose its sections; each click writes
// the chapter afresh. The whole calculation report writes the same chapter as a section.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/OutputSummaryRes.h>

class CGlobalData;

class CDlgOutputSummary : public CDlgReportChapter
{
public:
    explicit CDlgOutputSummary(CWnd* pParent = nullptr);

    // The chapter; nothing without a model root. Flag 0 stand-alone, 1 a section of the
    // whole report.
    void OutputUnite(COutput& out, int flag);
    void Output(COutput* out, int flag) override { OutputUnite(*out, flag); }

    CGlobalData* m_pData = nullptr;
    // Set by the opener (the whole report copies its own in); the defaults are "no
    // reduction, no adjustment" so a chapter written without them says nothing untrue.
    bool m_bColWallLiveReduce = false;
    bool m_bFoundLiveReduce = false;
    bool m_bBeamStiffAdjust = false;
    // Live-load reduction factors of the storey ranges 1, 2-3, 4-5, 6-8, 9-20, >20.
    float m_fLiveReduceFactor[6] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
    int m_bModel = 1;  // box 2076
    int m_bLoad = 1;   // box 2074
    int m_bLc = 1;     // box 1656
    int m_bDesign = 1; // box 1657

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCheckModel() { Change(); }
    void OnCheckLoad() { Change(); }
    void OnCheckLc() { Change(); }
    void OnCheckDesign() { Change(); }
    DECLARE_MESSAGE_MAP()

private:
    void OutputModel(COutput& out, int& table);
    void OutputLoads(COutput& out, int& table);
    void OutputCombinations(COutput& out);
    void OutputDesign(COutput& out);
};
