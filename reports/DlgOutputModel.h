// The model and load report: the general description of the project (structure type and
// portal frames), the nodes with their restraints, the members with their end releases and
// sections, the initial stresses, then the load chapters. The boxes choose the parts; the
// show button writes the chapter afresh. The whole calculation report writes the same
// chapter as a section on its worker, with itself as the window asked whether to stop.
#pragma once

#include <vyr/protocol/DlgReportChapter.h>
#include <vyr/resources/dialogs/OutputSummaryRes.h>

class CBeamList;
class CGlobalData;
class CPortal;

class CDlgOutputModel : public CDlgReportChapter
{
public:
    explicit CDlgOutputModel(CWnd* pParent = nullptr);

    // The chapter. Between its parts it asks progressOwner (WM_THREAD_CHECKCANCEL) and ends
    // at once, leaving what it wrote, on the answer 1. Flag 0 stand-alone, 1 a section.
    void OutputUnite(COutput& out, CWnd* progressOwner, int flag);
    void Output(COutput* out, int flag) override { OutputUnite(*out, this, flag); }

    // Renders the model through the host's result-drawing component into the project's
    // Tmp\temp.bmp (450 x 200, white, the model fitted 10 pixels inside). drawPreType goes to
    // the component unchanged. False, the file untouched, when the component cannot be made
    // on this thread, and when the picture could not be written.
    bool CreateDraw(int drawPreType);

    // The Chinese numeral of 1 to 13; empty for any other value.
    static CString GetStr(int n);

    // The wind lines of a plane portal frame: the portal's basic wind pressure and terrain
    // class, then the code the structure takes its shape factors from.
    void OutputWindInfo(COutput& out, CPortal& portal);
    // Empties the list and appends, in member-list order, every member that carries
    // temperature case `type` (1 to 4); any other type leaves the list empty.
    void GetLoadTemperature(int type, CBeamList* list);

    // The load chapters, in the chapter's order.
    enum LoadChapter
    {
        LOAD_DEAD,
        LOAD_LIVE,
        LOAD_WIND,
        LOAD_CRANE,
        LOAD_TEMPERATURE,
        LOAD_HSEISM,
        LOAD_VSEISM,
        LOAD_CHAPTERS
    };

    CGlobalData* m_pData = nullptr;
    int m_bBeam = 0;     // box 1202 "杆件分析属性"
    int m_bCrane = 0;    // box 1312 "吊车荷载"
    int m_bDead = 0;     // box 1305 "恒荷载"
    int m_bLive = 0;     // box 1310 "活荷载"
    int m_bSeism = 0;    // box 1316 "水平地震"
    int m_bSeismV = 0;   // box 1309 "竖向地震"
    int m_bNode = 0;     // box 1300 "结点分析属性"
    int m_bPreload = 0;  // box 1308 "初应力"
    int m_bT = 0;        // box 1313 "温度荷载"
    int m_bTotal = 1;    // box 1299 "总体信息"
    int m_bWind = 0;     // box 1302 "风荷载"

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    // Both read the boxes back first, so an embedding report sees what the user set.
    void OnOK() override;
    void OnCancel() override;

    // A box click changes nothing until the show button.
    void OnCheckTotal() {}
    void OnCheckNode() {}
    void OnCheckBeam() {}
    void OnCheckPreload() {}
    void OnCheckDead() {}
    void OnCheckLive() {}
    void OnCheckWind() {}
    void OnCheckCrane() {}
    void OnCheckT() {}
    void OnCheckLoadseism() {}
    void OnCheckLoadseismv() {}
    void OnDisplay() { Change(); }
    DECLARE_MESSAGE_MAP()

    // One load chapter; the chapter calls it, after its poll, when the model has loads of
    // the kind and the chapter's box is ticked.
    void OutputLoadChapter(COutput& out, LoadChapter chapter);

private:
    void OutputGeneral(COutput& out);
    void OutputNodes(COutput& out);
    void OutputMembers(COutput& out);
    void OutputInitialStress(COutput& out);
    // The load chapters (ModelLoadChapters.cpp).
    void OutputDeadLoads(COutput& out);
    void OutputLiveLoads(COutput& out);
    void OutputWindLoads(COutput& out);
    void OutputCraneLoads(COutput& out);
    void OutputTemperature(COutput& out);
    void OutputVerticalSeismic(COutput& out);
};
