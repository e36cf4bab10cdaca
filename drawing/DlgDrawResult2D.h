// The 2-D drawing export ("二维简图DXF导出"): plane sketches, one set per storey chosen in the
// storey combo, or one of the whole frame where the edition's template has no storey choice.
#pragma once

#include <functional>
#include <vector>

#include <vyr/drawing/DlgDrawResult.h>

class CDlgDrawResult2D : public CDlgDrawResult
{
public:
    CDlgDrawResult2D(CGlobalData* pData, CWnd* pParent = nullptr);
    ~CDlgDrawResult2D() override;

    // The template of the edition: 11164 (Kel 3-D), 11166 (Dov 2-D) or 11163.
    static UINT TemplateId();

    // The scopes of the last run.
    std::vector<OUTPUT_CONTENT_2D> m_arrContent;

    void OnSelchangeComboContent() override;
    int GetOutputNum() override;
    void ResetOutputContent() override;

    // The load lines of one object stacked beside its anchor (see StackTexts); angle in
    // radians.
    static void DrawTexts(CDXFOutput& out, std::list<CString>& lines, const CPoint2D& anchor, double angle, double height);

    // The plane of every 2-D drawing: the plan (x, y) in a spatial edition, where the storey
    // plans are drawn, else the elevation (x, z).
    static CPoint2D GetPt(const CPoint3D& p);
    // The members of the scope on layer "MEMBER", which stays the current layer: a member
    // seen end-on as a square of half-side 0.025 times the scope's longest member; a member
    // in a wall as its outline (plane edition) or as a rectangle of its plan width (plans).
    void GenFigure(CDXFOutput& dxf, OUTPUT_CONTENT_2D& scope);
    // The six force-diagram files of one case for one scope, "杆件内力-<case>-<component>.dxf"
    // in the folder, one bar step each: the figure, then the diagram of every ordinary
    // member not seen end-on, perpendicular to its projection.
    void GenBF(const CString& folder, const CString& templateFile, const CString& name, CLoadCombination* combination,
               OUTPUT_CONTENT_2D& scope);
    // The diagram records of the scope's ordinary members not seen end-on, in list order,
    // with their values from `values`; largest = the greatest magnitude of the values.
    std::vector<MEMBER_DIAGRAM_2D> CollectDiagrams(OUTPUT_CONTENT_2D& scope,
                                                   const std::function<void(CBeamBase*, MEMBER_DIAGRAM_2D&)>& values,
                                                   double& largest);

    // The diagrams of a file's records at the scale of its largest value (none when that is
    // not above the threshold), on layer "DIM": the first curve, and the second when `both`.
    void DrawDiagrams(CDXFOutput& dxf, OUTPUT_CONTENT_2D& scope, int component, const std::vector<MEMBER_DIAGRAM_2D>& records,
                      double largest, bool both);
    // The internal-force envelope of one component (0 to 5) or of all six (-1) for one scope,
    // "杆件内力-包络-<component>.dxf" in the folder, one bar step each: the figure and both
    // envelope lines of every ordinary member, scaled by the largest over both.
    void GenBFC(const CString& folder, const CString& templateFile, OUTPUT_CONTENT_2D& scope, int component);

protected:
    CWorkerRun& Run() override { return m_run; }
    int ScopeCount() const override { return (int)m_arrContent.size(); }
    COutputContentBase& ScopeAt(int i) override { return m_arrContent[(size_t)i]; }
    void FigureOf(CDXFOutput& dxf, COutputContentBase& scope) override
    {
        GenFigure(dxf, static_cast<OUTPUT_CONTENT_2D&>(scope));
    }
    void ForceDiagramsOf(const CString& folder, const CString& templateFile, const CString& name,
                         CLoadCombination* combination, COutputContentBase& scope) override
    {
        GenBF(folder, templateFile, name, combination, static_cast<OUTPUT_CONTENT_2D&>(scope));
    }
    void EnvelopeDiagramsOf(const CString& folder, const CString& templateFile, COutputContentBase& scope,
                            int component) override
    {
        GenBFC(folder, templateFile, static_cast<OUTPUT_CONTENT_2D&>(scope), component);
    }
    bool SeenEndOn(const CPoint3D& a, const CPoint3D& b) override { return GetPt(a) == GetPt(b); }
    void SetMemberText(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b, double height) override;
    void SpaceLine(CDXFOutput& dxf, const CPoint3D& a, const CPoint3D& b) override;
    CPoint3D DrawingPoint(const CPoint3D& p) override;
    double MemberAngle(const CPoint3D& a, const CPoint3D& b) override;
    void PutText(CDXFOutput& dxf, const CPoint3D& at, const CString& text) override;
    bool FirstAtPlace(std::set<CPoint2D>& used, const CPoint3D& p) override;
    const char* ModelDrawingName() const override { return "二维模型图"; }

private:
    // Last, so it is destroyed first and waits for a worker still busy while the scopes it
    // walks still stand.
    CWorkerRun m_run;
};
