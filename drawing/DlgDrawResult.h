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
#include <utility>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/drawing/OutputContent.h>
#include <vyr/protocol/WorkerRun.h>

class CDXFOutput;
class CFloor;
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
    // not ticked) and 0 when the user cancelled during it. The model drawing and the
    // internal-force diagrams are built; the others write nothing yet.
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
    int Gen_Model_Node() { return 1; }
    int Gen_Model_Beam() { return 1; }
    int Gen_Model_BCInWall() { return 1; }
    int Gen_Model_Plane() { return 1; }
    int Gen_Model_MainNode() { return 1; }
    int Gen_Model_Load() { return 1; }
    int Gen_Design_Prop() { return 1; }
    int Gen_Design_Result() { return 1; }

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
    virtual void NodeText(CDXFOutput& dxf, const CPoint3D& p, const CString& text) = 0;

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
