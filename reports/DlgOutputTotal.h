// The whole calculation report of a project: a title with the project name, the report
// head, the design codes followed, then in a fixed order the chapters of up to fifteen
// sections the user ticks. Each section's chapter belongs to a report or statistics dialog
// held here as an embedded object; its settings button opens that dialog, whose options
// the next run then uses. The report is written on a worker from the show button (and
// once as the dialog opens, every box unticked), and printed and saved as every report.
#pragma once

#include <array>
#include <utility>
#include <vector>

#include <vyr/reports/DlgOutputCheck.h>
#include <vyr/reports/DlgOutputEqualLoad.h>
#include <vyr/reports/DlgOutputFrequent.h>
#include <vyr/reports/DlgOutputModel.h>
#include <vyr/reports/DlgOutputNodeCheck.h>
#include <vyr/reports/DlgOutputNodeForce.h>
#include <vyr/reports/DlgOutputSummary.h>
#include <vyr/reports/DlgReportRun.h>
#include <vyr/storey/DlgComfortCheck.h>
#include <vyr/storey/DlgFrameSeismicAdjust.h>
#include <vyr/storey/DlgLayerDispDifferOutput.h>
#include <vyr/storey/DlgLayerStiffStatOutput.h>
#include <vyr/storey/DlgLayerVGRatio.h>
#include <vyr/storey/DlgLayerVMOutput.h>
#include <vyr/storey/DlgOutputDocument.h>
#include <vyr/storey/DlgShearCapacity.h>

class CGlobalData;

class CDlgOutputTotal : public CDlgReportRun
{
public:
    CDlgOutputTotal(CGlobalData* pData, CWnd* pParent = nullptr);

    // The template of the edition: 11168 for the Kel 3-D edition, 11173 for the Dov 2-D
    // edition, else 11167.
    static UINT TemplateForEdition();

    // The summary settings, handed to the summary chapter; the host may set them before
    // DoModal. Until then: no reduction, no adjustment, factors 1.0.
    bool m_bColWallLiveReduce = false;
    bool m_bFoundLiveReduce = false;
    bool m_bBeamStiffAdjust = false;
    float m_fLiveReduceFactor[6] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};

    CGlobalData* m_pGlobalData;
    // (box, settings button) of each section, in section order.
    std::vector<std::pair<int, int>> m_arrSection;

    static constexpr int kSections = 15;

    // The box exists in the template and is ticked; a missing box is unticked.
    bool IsChecked(int id) const;
    // Every existing settings button enabled exactly when its box is ticked.
    void ClickCheck();
    // Every existing box set to the value, then ClickCheck.
    void SetCheck(bool check);
    // The boxes with their buttons, the select, print, save and close buttons.
    void Enable(bool enable) override;

    // The preconditions: true, or false with the message set.
    bool CanBtnFrequent(CString& msg) const;
    bool CanGStableCheck(CString& msg) const;
    bool CanBtnShearCapacity(CString& msg) const { return CanGStableCheck(msg); }
    bool CanComfortCheck(CString& msg) const;
    bool CanLayerDispDifferOutput(CString& msg) const;
    bool CanBtnStiffStatOutput(CString& msg) const;
    bool CanBtnLayerVMOutput(CString& msg) const;
    bool CanBtnLayerVGRatio(CString& msg) const;
    bool CanBtnFrameSeismicAdjust(CString& msg) const;

    // Writes the whole report: device 4 into the report control, another device into the
    // file at path (mode 3). Before each of sections 2 to 15 the run's worker asks whether
    // to stop; written elsewhere (a save) the report is never stopped. False when the file
    // cannot be opened.
    bool OutputIt(int device, const CString& path) override;
    // The chapter frame's entry: the whole report into the writer's device is OutputIt's
    // business; this writes nothing.
    void Output(COutput*, int) override {}
    // The worker's function (the dialog as argument); returns 1.
    static UINT Output(void* dialog) { return RunWorker(dialog); }

    // The embedded dialogs, each constructed with a null parent.
    CDlgOutputSummary m_dlgSummary;
    CDlgOutputModel m_dlgModel;
    CDlgOutputCheck m_dlgCheck;
    CDlgOutputNodeCheck m_dlgNodeCheck;
    CDlgOutputNodeForce m_dlgNodeForce;
    CDlgOutputEqualLoad m_dlgEqualLoad;
    CDlgOutputFrequent m_dlgFrequent;
    CDlgOutputDocument m_dlgDocument;
    CDlgComfortCheck m_dlgComfort;
    CDlgLayerDispDifferOutput m_dlgDispDiffer;
    CDlgLayerStiffStatOutput m_dlgStiffStat;
    CDlgLayerVMOutput m_dlgLayerVM;
    CDlgShearCapacity m_dlgShearCapacity;
    CDlgLayerVGRatio m_dlgVGRatio;
    CDlgFrameSeismicAdjust m_dlgFrameAdjust;

    // The settings buttons, in section order.
    void OnBtnSummary();
    void OnBtnModel();
    void OnBtnDesign();
    void OnBtnDesignNode();
    void OnBtnSupport();
    void OnBtnEqualLoad();
    void OnBtnFrequent();
    void OnBtnGStableCheck();
    void OnBtnComfortCheck();
    void OnBtnLayerDispDifferOutput();
    void OnBtnStiffStatOutput();
    void OnBtnLayerVMOutput();
    void OnBtnShearCapacity();
    void OnBtnLayerVGRatio();
    void OnBtnFrameSeismicAdjust();

protected:
    BOOL OnInitDialog() override;
    // The boxes and the settings buttons, by the section table.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnSel() { SetCheck(true); }
    void OnUnSel() { SetCheck(false); }
    DECLARE_MESSAGE_MAP()

    bool BeginRun() override;
    int RunRange() const override { return 21; }

private:
    using Test = bool (CDlgOutputTotal::*)(CString&) const;
    using Writer = void (CDlgOutputTotal::*)(COutput&);
    // One section: its box and settings button, the test of its report and of its button
    // (null: none), its chapter's writer and what its button does.
    struct CSection
    {
        int box, button;
        Test reportTest, buttonTest;
        Writer write;
        void (CDlgOutputTotal::*settings)();
    };
    static const CSection kTable[kSections];

    // The ticks a report writes with, taken on the user-interface thread: at the start of
    // a run, or when written there.
    void TakeTicks();
    // Opens an embedded dialog from a settings button when the section's button test holds,
    // else shows the test's message (OK button).
    void OpenChecked(Test test, CDialog& dlg);

    // The section writers, each handing the embedded object what it reports on.
    void WriteSummary(COutput& out);
    void WriteModel(COutput& out);
    void WriteDesign(COutput& out);
    void WriteDesignNode(COutput& out);
    void WriteSupport(COutput& out);
    void WriteEqualLoad(COutput& out);
    void WriteFrequent(COutput& out);
    void WriteGStableCheck(COutput& out);
    void WriteComfortCheck(COutput& out);
    void WriteLayerDispDiffer(COutput& out);
    void WriteStiffStat(COutput& out);
    void WriteLayerVM(COutput& out);
    void WriteShearCapacity(COutput& out);
    void WriteLayerVGRatio(COutput& out);
    void WriteFrameSeismicAdjust(COutput& out);

    void HandSummarySettings();

    std::array<bool, kSections> m_ticked{};
};
