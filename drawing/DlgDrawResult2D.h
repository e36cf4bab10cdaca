// The 2-D drawing export ("二维简图DXF导出"): plane sketches, one set per storey chosen in the
// storey combo, or one of the whole frame where the edition's template has no storey choice.
#pragma once

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

    // The plane of every 2-D drawing: the plan (x, y) in a spatial edition, where the storey
    // plans are drawn, else the elevation (x, z).
    static CPoint2D GetPt(const CPoint3D& p);
    // The members of the scope on layer "MEMBER", which stays the current layer: a member
    // seen end-on as a square of half-side 0.025 times the scope's longest member; a member
    // in a wall as its outline (plane edition) or as a rectangle of its plan width (plans).
    void GenFigure(CDXFOutput& dxf, OUTPUT_CONTENT_2D& scope);

protected:
    CWorkerRun& Run() override { return m_run; }
    int ScopeCount() const override { return (int)m_arrContent.size(); }
    COutputContentBase& ScopeAt(int i) override { return m_arrContent[(size_t)i]; }
    void FigureOf(CDXFOutput& dxf, COutputContentBase& scope) override
    {
        GenFigure(dxf, static_cast<OUTPUT_CONTENT_2D&>(scope));
    }
    const char* ModelDrawingName() const override { return "二维模型图"; }

private:
    // Last, so it is destroyed first and waits for a worker still busy while the scopes it
    // walks still stand.
    CWorkerRun m_run;
};
