// The 3-D drawing export ("三维简图DXF导出"): spatial sketches of the whole structure, of
// what the main window shows, of storeys or of axis lines.
#pragma once

#include <functional>
#include <vector>

#include <vyr/drawing/DlgDrawResult.h>

class CDlgDrawResult3D : public CDlgDrawResult
{
public:
    // Scope kinds of the scope-kind combo.
    enum { CONTENT_WHOLE = 0, CONTENT_SHOWN = 1, CONTENT_STOREY = 2, CONTENT_AXIS = 3 };

    CDlgDrawResult3D(CGlobalData* pData, CWnd* pParent = nullptr);
    ~CDlgDrawResult3D() override;

    // The template of the edition: 11165 (Kel 3-D) or 8859.
    static UINT TemplateId();

    // The scope kind last handled by OnSelchangeComboContent (-1: none yet).
    int m_nLastContent = -1;
    // The scopes of the last run.
    std::vector<OUTPUT_CONTENT> m_arrContent;
    // The scope kind chosen (exchanged with the scope-kind combo by index).
    int m_nContent = 0;

    void OnSelchangeComboContent() override;
    int GetOutputNum() override;
    void ResetOutputContent() override;

    // The load lines of one object stacked beside its anchor (see StackTexts); angle in
    // radians.
    static void DrawTexts(CDXFOutput& out, std::list<CString>& lines, const CPoint3D& anchor, double angle, double height);

    // The members of the scope in model coordinates on layer "MEMBER", which stays the
    // current layer; a member of no length leaves nothing, a member in a wall its outline.
    void GenFigure(CDXFOutput& dxf, OUTPUT_CONTENT& scope);
    // The six force-diagram files of one case for one scope, in space: the figure, then the
    // diagram of every ordinary member along its local axis 2 (V3, M3) or 3 (the others).
    void GenBF(const CString& folder, const CString& templateFile, const CString& name, CLoadCombination* combination,
               OUTPUT_CONTENT& scope);
    // The diagram records of the scope's ordinary members, in list order, with their values
    // from `values`; largest = the greatest magnitude of the values.
    std::vector<MEMBER_DIAGRAM> CollectDiagrams(OUTPUT_CONTENT& scope,
                                                const std::function<void(CBeamBase*, MEMBER_DIAGRAM&)>& values,
                                                double& largest);

    // The diagrams of a file's records at the scale of its largest value (none when that is
    // not above the threshold), on layer "DIM": the first curve, and the second when `both`.
    void DrawDiagrams(CDXFOutput& dxf, OUTPUT_CONTENT& scope, int component, const std::vector<MEMBER_DIAGRAM>& records,
                      double largest, bool both);
    // The internal-force envelope of one component (0 to 5) or of all six (-1) for one scope,
    // "杆件内力-包络-<component>.dxf" in the folder, one bar step each: the figure and both
    // envelope lines of every ordinary member, scaled by the largest over both.
    void GenBFC(const CString& folder, const CString& templateFile, OUTPUT_CONTENT& scope, int component);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnSelchangeContent() { OnSelchangeComboContent(); }
    DECLARE_MESSAGE_MAP()

    CWorkerRun& Run() override { return m_run; }
    int ScopeCount() const override { return (int)m_arrContent.size(); }
    COutputContentBase& ScopeAt(int i) override { return m_arrContent[(size_t)i]; }
    void FigureOf(CDXFOutput& dxf, COutputContentBase& scope) override
    {
        GenFigure(dxf, static_cast<OUTPUT_CONTENT&>(scope));
    }
    void ForceDiagramsOf(const CString& folder, const CString& templateFile, const CString& name,
                         CLoadCombination* combination, COutputContentBase& scope) override
    {
        GenBF(folder, templateFile, name, combination, static_cast<OUTPUT_CONTENT&>(scope));
    }
    void EnvelopeDiagramsOf(const CString& folder, const CString& templateFile, COutputContentBase& scope,
                            int component) override
    {
        GenBFC(folder, templateFile, static_cast<OUTPUT_CONTENT&>(scope), component);
    }
    bool SeenEndOn(const CPoint3D&, const CPoint3D&) override { return false; }
    void SetMemberText(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b, double height) override;
    void SpaceLine(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b) override;
    CPoint3D DrawingPoint(const CPoint3D& p) override;
    double MemberAngle(const CPoint3D& a, const CPoint3D& b) override;
    void PutText(CDXFOutput& dxf, const CPoint3D& at, const CString& text) override;
    bool FirstAtPlace(std::set<CPoint2D>& used, const CPoint3D& p) override;
    const char* ModelDrawingName() const override { return "三维模型图"; }

private:
    // Last, so it is destroyed first and waits for a worker still busy while the scopes it
    // walks still stand.
    CWorkerRun m_run;
};
