// The body the two drawing export dialogs share (CDlgDrawResult2D, CDlgDrawResult3D): the
// drawing categories (a check box each, most with a combo box of items), the progress
// count, and the run that writes the DXF files below the project folder on a worker
// thread. A run rebuilds the scopes (the parts of the model each set of drawings covers)
// and then runs the nineteen generators in a fixed order; each generator writes one
// folder per scope and one file per drawing, steps the bar once per file and polls for the
// user's cancel.
//
// The run stands on the worker-run frame: the worker starts suspended and is kept, the
// dialog stays busy (OK, Cancel and the close box do nothing) until the worker has
// returned, and destroying the dialog waits for it. The cancel itself is the export's own
// thread message, WM_EXPORT_CANCEL, read from the worker's queue by ExitOutput.
#pragma once

#include <functional>
#include <initializer_list>
#include <list>
#include <set>
#include <utility>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/drawing/OutputContent.h>
#include <vyr/protocol/WorkerRun.h>

class CDXFOutput;
class CFloor;
class CLoadArea;
class CLoadBeamList;
class CLoadCraneBeamList;
class CLoadCraneList;
class CLoadNodeList;
class CLoadWindList;
class CLoadCombination;
class CGlobalData;

// The user's cancel of an export run, posted to the worker thread's own queue. (The same
// number sent to a progress bar is PBM_STEPIT; the two never meet.)
#define WM_EXPORT_CANCEL (WM_USER + 5) // 1029

// The limits the design-result drawings compare the check ratios with.
struct CHECK_LIMIT
{
    float CapacityLimit = 1.0f;
    float DispLimit = 1.0f;
    float ConstructLimit = 1.0f;
};

class CDlgDrawResult : public CDialog
{
public:
    // Control kinds of the control table.
    enum { KIND_CHECK = 0, KIND_COMBO = 1 };
    // Text angles go to the writer in degrees.
    static constexpr double kRadToDeg = 57.295780490442965;

    CDlgDrawResult(UINT nIDTemplate, CGlobalData* pData, CWnd* pParent, bool b3D);
    ~CDlgDrawResult() override;

    CGlobalData* m_pGlobalData;
    // The limits of the design-result drawings. Points at the dialog's own record (three
    // limits 1.0) until the host points it at its current limits; a null set by the host
    // reads as that default record.
    CHECK_LIMIT* m_pCheckLimit;
    const CHECK_LIMIT& GetCheckLimit() const { return m_pCheckLimit != nullptr ? *m_pCheckLimit : m_DefaultLimit; }

    // (control id, kind): every control Enable switches and SetCheck ticks, in order.
    std::vector<std::pair<int, int>> m_arrControl;
    // (check box id, combo box id): the combo is enabled exactly while its box is ticked.
    std::vector<std::pair<int, int>> m_arrCheckCombo;

    // A run is on: from the start until its worker has returned.
    bool IsBusy();
    // The running worker, null when none runs.
    CWinThread* m_pThread = nullptr;

    // Enables or disables the controls of the control table that the template has; when
    // enabling, the combos follow their boxes again and the scope combo is refreshed.
    void Enable(bool on);
    void ClickCheck();
    // Ticks or clears every box of the control table that the template has.
    void SetCheck(bool on);
    void OnSel() { SetCheck(true); }
    void OnUnSel() { SetCheck(false); }
    // A box the template lacks reads unticked.
    bool IsChecked(int id);
    // Of a combo box: the selection, the count, the selected item's data, an item's text.
    int GetComboSel(int id);
    int GetComboCount(int id);
    DWORD_PTR GetComboData(int id);
    CString GetComboString(int index, int id);
    // The load cases, combinations and hoist loads into their combos; every item combo at 0.
    void InitCombos();
    virtual void OnSelchangeComboContent() = 0;
    // The number of files one run writes with the current choice: the range of the bar.
    virtual int GetOutputNum() = 0;
    // The template every drawing starts from.
    static CString GetTemplateFile();

    // The run (on the worker): 1 when it ran to its end, 0 when it was cancelled.
    int DoOutput();
    // The worker's entry, with the dialog as argument.
    static UINT Output(void* dialog);
    // Back to the idle state: button text, controls, bar hidden.
    void EndOutput();
    // The cancel poll: takes at most one message from the calling thread's queue; 1 (after
    // EndOutput) when it was WM_EXPORT_CANCEL or the dialog is going away.
    static int ExitOutput(CDlgDrawResult* dialog);
    virtual void ResetOutputContent() = 0;

    // The generators, in the order of a run. Each returns 1 when done (also when its box is
    // not ticked) and 0 when the user cancelled during it.
    // The force diagrams of the basic cases (each as a combination of its own), of the
    // fundamental and of the standard combinations: six files per case and scope.
    int Gen_BF_BLC();
    int Gen_BF_LC();
    // The force envelopes: per scope one file per chosen component, two curves per member.
    int Gen_BF_CLC();
    int Gen_BF_LC_STD();
    // The displaced shapes of the basic cases and of the standard combinations: one file per
    // case and scope.
    int Gen_ND_BLC();
    int Gen_ND_LC();
    // The node displacement envelopes over the standard combinations: per scope one file per
    // chosen direction.
    int Gen_ND_CLC();
    // The support reactions: the envelope, one file per chosen component and scope; and under
    // the fixed combination 1.0D+1.0L (kind 0) or 1.2D+1.4L (kind 1), one file per scope.
    int Gen_NSF();
    int Gen_NSF(int kind);
    int Gen_Model();
    // The model information: per scope one file per chosen item of node labels (number,
    // support and kind; vertical seismic coefficient; masses) and of member labels (number
    // and section; releases and rigid arms; local axes, in space; offsets), and one file
    // each of the wall members' numbers, the rooms' numbers and slabs, and the master
    // nodes with the links of their slave nodes.
    int Gen_Model_Node();
    int Gen_Model_Beam();
    int Gen_Model_BCInWall();
    int Gen_Model_Plane();
    int Gen_Model_MainNode();
    // The loads: per scope one file per chosen item (dead, live, four winds, initial
    // tension, four temperatures, then one per hoist load), each load a line of text
    // stacked beside its node, member or room.
    int Gen_Model_Load();
    // The design settings: per scope one file per chosen item, the member's description of
    // one design parameter, or (last item) the node's panel-zone type.
    int Gen_Design_Prop();
    // The design results: per scope one file per chosen item, member ratios or areas,
    // deformations, detailing values, the conclusion against the check limits, and the
    // nodes' panel-zone and strong-column ratios.
    int Gen_Design_Result();

    // One drawing of those generators for one scope, without the bar step: the file started
    // from the template, the figure, layer "TEXT", then `draw` with the text height (0.025
    // of the scope's longest member).
    void WriteDrawing(const CString& file, const CString& templateFile, COutputContentBase& scope,
                      const std::function<void(CDXFOutput&, double)>& draw);
    // What those drawings write for one scope, item by the combo's position (from 1).
    void DrawNodeInfo(CDXFOutput& dxf, COutputContentBase& scope, int item, double h);
    // The member labels of one item, named by its text (the plane template lacks the axes).
    void DrawMemberInfo(CDXFOutput& dxf, COutputContentBase& scope, const CString& item, double h);
    void DrawWallMemberNumbers(CDXFOutput& dxf, COutputContentBase& scope, double h);
    void DrawRooms(CDXFOutput& dxf, COutputContentBase& scope, double h);
    void DrawMainNodes(CDXFOutput& dxf, COutputContentBase& scope, double h);
    void DrawLoads(CDXFOutput& dxf, COutputContentBase& scope, int item, double h);
    void DrawDesignProp(CDXFOutput& dxf, COutputContentBase& scope, int item, double h);
    void DrawDesignResult(CDXFOutput& dxf, COutputContentBase& scope, int item, double h);

    // The lines of a member's design result of item 1 to 4 (u the length factor); answers
    // how many lines the member gets (0 to 2): the first above the member, the second below.
    static int DesignResultLines(CBeamBase* b, int item, float u, const CHECK_LIMIT& limit, CString& above,
                                 CString& below);
    // A number of these drawings: three decimals.
    static CString Num3(double v);
    // Values greater than 0.001 with three decimals, joined by " - ".
    static CString ValueList(std::initializer_list<float> values);

    // The load collectors: one line per load of the list, appended (nothing for a null
    // area load or list).
    static void GetAreaLoad(CLoadArea* load, std::list<CString>& lines);
    static void GetBeamLoad(CLoadBeamList* list, std::list<CString>& lines);
    static void GetCraneBeamLoad(CLoadCraneBeamList* list, std::list<CString>& lines);
    static void GetNodeLoad(CLoadNodeList* list, std::list<CString>& lines);
    static void GetWindLoad(CLoadWindList* list, std::list<CString>& lines);
    static void GetCraneLoad(CLoadCraneList* list, std::list<CString>& lines);
    // Stacks lines beside an anchor: centred, standing on their points, turned by `angle`
    // (radians), the first 0.3 height from the anchor along the text direction's left
    // normal and each next 1.3 height further; plane drawings at whole units.
    static void StackTexts(CDXFOutput& dxf, const std::list<CString>& lines, const CPoint3D& anchor, double angle,
                           double height, bool plane);

    // What the last run could not write: folders that could not be made and files that
    // could not be started or written, and the first of them. Read after the run.
    int GetFailedCount() const { return m_nFailed; }
    const CString& GetFirstFailedPath() const { return m_strFirstFailed; }

    // The folder-name form of a text: the characters a Windows file name cannot hold
    // (\ / : * ? " < > |) become '_'.
    static CString FolderName(const CString& text);
    // A storey as the scope combo and the folder names show it: its description, then its
    // elevation in display units in parentheses.
    CString StoreyText(CFloor* floor) const;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnClickCheck() { ClickCheck(); }
    afx_msg void OnExport();
    afx_msg LRESULT OnCheckCancel(WPARAM, LPARAM);
    afx_msg LRESULT OnRunEnd(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    // The twin's own parts.
    virtual CWorkerRun& Run() = 0;
    virtual int ScopeCount() const = 0;
    virtual COutputContentBase& ScopeAt(int i) = 0;
    virtual void FigureOf(CDXFOutput& dxf, COutputContentBase& scope) = 0;
    // The twin's GenBF on one of its scopes.
    virtual void ForceDiagramsOf(const CString& folder, const CString& templateFile, const CString& name,
                                 CLoadCombination* combination, COutputContentBase& scope) = 0;
    // The common walk of the three force generators: the scopes, then the chosen case or
    // every case of the list (basic cases when `basicCases`), a cancel poll after each.
    // `drawer` draws one case for a scope (default: the twin's force diagrams).
    using CaseDrawer = void (CDlgDrawResult::*)(const CString& folder, const CString& templateFile, const CString& name,
                                                CLoadCombination* combination, COutputContentBase& scope);
    int GenForceCases(int box, int combo, const char* category, CObList* list, bool basicCases,
                      CaseDrawer drawer = nullptr);
    // The file of one component of a case's force diagrams in a category folder.
    static CString ForceFile(const CString& folder, const CString& name, int component);
    // The six component files of a case for a scope (only the one of `only` unless -1), each started from the template with the
    // structure figure, then drawn on by `diagrams` (component, writer), checked and stepped.
    void WriteComponentFiles(const CString& folder, const CString& templateFile, const CString& name,
                             COutputContentBase& scope, const std::function<void(int, CDXFOutput&)>& diagrams,
                             int only = -1);
    // The twin's GenBFC on one of its scopes.
    virtual void EnvelopeDiagramsOf(const CString& folder, const CString& templateFile, COutputContentBase& scope,
                                    int component) = 0;
    // How a twin puts the points of its drawings: whether a member is seen end-on (drawn
    // neither as a shape nor labelled), the text height and angle (and alignment) of a
    // member's labels, a line, and a text at a model point.
    virtual bool SeenEndOn(const CPoint3D& a, const CPoint3D& b) = 0;
    virtual void SetMemberText(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b, double height) = 0;
    virtual void SpaceLine(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b) = 0;
    void NodeText(CDXFOutput& dxf, const CPoint3D& p, const CString& text) { PutText(dxf, DrawingPoint(p), text); }
    // Where a model point lies in the twin's drawings: projected (z 0) in the plane, itself
    // in space.
    virtual CPoint3D DrawingPoint(const CPoint3D& p) = 0;
    // The angle (radians) of a member's texts: along its projection, turned half round in the
    // Dov 2-D edition when its end lies before its start; in space along its plan.
    virtual double MemberAngle(const CPoint3D& a, const CPoint3D& b) = 0;
    // A text at a drawing point: plane drawings write it at whole units.
    virtual void PutText(CDXFOutput& dxf, const CPoint3D& at, const CString& text) = 0;
    // Whether a node at p gets its texts: in a plane drawing only the first node at each
    // projected point (which enters `used`); in space every node.
    virtual bool FirstAtPlace(std::set<CPoint2D>& used, const CPoint3D& p) = 0;
    // The midpoint of a member's ends in the drawing, and its text angle.
    void MemberPlace(CBeamBase* b, CPoint3D& mid, double& angle);
    // The frame of the generators above: the scopes, the files of the chosen items of
    // `combo` (each named by its item; one fixed file when combo is 0), one bar step and one
    // cancel poll per file (poll first when `pollFirst`).
    using ItemDrawer = std::function<void(CDXFOutput&, COutputContentBase&, int item, const CString& name, double h)>;
    int GenItemDrawings(int box, int combo, const char* category, const char* single, bool pollFirst,
                        const ItemDrawer& draw);

    // A drawing of texts at nodes: the figure, then `texts` written with texts of 0.025 the
    // scope's longest member, upright, on layer "TEXT", centred above their points; one step.
    void WriteNodeTexts(const CString& file, const CString& templateFile, COutputContentBase& scope,
                        const std::function<void(CDXFOutput&)>& texts);

public:
    // The displaced shape of one case for one scope, "空间位移-<case>.dxf" in the folder and
    // one bar step, without the figure: every ordinary member as eleven lines through its
    // displaced stations (deflections scaled so that the largest is a tenth of the longest
    // member; end displacements at their true size), each end node labelled once with its
    // displacement x 10.
    void GenND(const CString& folder, const CString& templateFile, const CString& name, CLoadCombination* combination,
               COutputContentBase& scope);
    // The displacement envelope of one direction (0 to 5: +X, -X, +Y, -Y, +Z, -Z) or of all
    // six (-1) for one scope, "空间位移-包络<direction>.dxf" in the folder, one bar step each:
    // the figure and at every node its largest displacement x 10 with the combination's number.
    void GenNDC(const CString& folder, const CString& templateFile, COutputContentBase& scope, int direction);
    // A support's six reactions as the drawings write them: two decimals, the moments x 0.01,
    // joined by "/".
    static CString ReactionText(const float reaction[6]);

protected:
    // The file of the model drawing ("二维模型图", "三维模型图").
    virtual const char* ModelDrawingName() const = 0;

    // The sum of the ticked boxes' files for one scope.
    int FilesPerScope();
    // The whole structure as one scope.
    void FillWholeStructure(COutputContentBase& scope);
    // Adds the storeys to a combo box (main storeys, each followed by its children).
    void AddStoreyItems(int comboId);
    // The storeys a scope combo chooses: the selected one, or every listed one at "全部".
    std::vector<DWORD_PTR> ChosenItems(int comboId);
    // Makes the scope's folder and the category folder in it; returns the latter.
    CString CategoryFolder(COutputContentBase& scope, const char* category);
    // Starts a drawing file: the old file deleted, the writer started from the template.
    void StartDrawing(CDXFOutput& dxf, const CString& templateFile, const CString& file);
    // A drawing whose writer could not write it is counted as failed.
    void CheckDrawing(const CDXFOutput& dxf, const CString& file);
    void NoteFailed(const CString& path);
    // One bar step and a repaint, from the worker.
    // The boxes and the buttons besides the export button, off while a run goes on.
    void EnableForRun(bool enable);
    void StepProgress();
    HWND Item(int id) const;

    bool m_b3D;
    // The window, kept once it exists: the worker reaches the controls through it, also
    // after the window has gone (then every call finds nothing), never through m_hWnd,
    // which the user-interface thread clears.
    HWND m_hDlg = nullptr;
    CHECK_LIMIT m_DefaultLimit;
    int m_nFailed = 0;
    CString m_strFirstFailed;
};
