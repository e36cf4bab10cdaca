// A small model for the time-history results: storeys of one height over a base level,
// cases named TH1, TH2 ..., case results set entry by entry, the response-spectrum shears
// of the first storey; and what a plot drew, read from a recording context.
#pragma once

#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include <vyr/gdi.h>
#include <vyr/input/THResultPlot.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>

namespace thtest {

struct THModel
{
    CGlobalData data;
    CStruct& st = *data.Struct();

    // storeys above the base, each h high (cm).
    explicit THModel(int storeys, double h = 300.0)
    {
        data.ProjectName() = "测试工程";
        for (int k = 0; k <= storeys; ++k) {
            CFloor* f = new CFloor(k, k == 0 ? 0 : 1);
            f->m_dZ = k * h;
            st.m_pFloorList->AddTail(f);
        }
        st.m_pFloorList->Relink();
    }
    void Cases(int count)
    {
        for (int i = 1; i <= count; ++i) {
            CTHCase* c = new CTHCase;
            CString name;
            name.Format("TH%d", i);
            c->SetName(name);
            st.m_pTHCaseList->Add(c);
        }
    }
    // A case result of n entries; every entry gets the same stored values, entry 0's shears
    // are the base shears.
    CTimeAnalyResult* Result(int n, float baseX, float baseY, bool automatic = true)
    {
        CTimeAnalyResult* r = new CTimeAnalyResult;
        r->SetFloorNum(n);
        for (int i = 0; i < n; ++i)
            r->SetFloorData(i, 1.0, 0.5, i == 0 ? baseX : 100.0, 1000.0, 2.0, 0.6, i == 0 ? baseY : 50.0, 2000.0);
        r->SetDefineX(automatic);
        r->SetDefineY(automatic);
        st.m_pTimeAnalyResultList->Add(r);
        return r;
    }
    void Spectrum(float x, float y)
    {
        CFloor* first = st.m_pFloorList->Get(2);
        first->m_fSeismShearX[3] = x;
        first->m_fSeismShearY[7] = -y;
    }
};

// A hand-made row of plot values: n entries at elevations i * h.
inline CTHPlotData PlotData(int n, double h = 300.0)
{
    CTHPlotData d;
    d.n = n;
    for (int i = 0; i < n; ++i)
        d.z.push_back(i * h);
    for (auto& kind : d.v)
        for (auto& dir : kind)
            dir.assign((size_t)n, 0.0f);
    return d;
}

// What one plot drew into a recording context.
inline std::vector<vyr::DrawRecord> Draw(const CTHPlotData& d, int kind, bool y = false,
                                         CRect client = CRect(0, 0, 300, 380))
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    LOGFONT lf{};
    lf.lfHeight = -12;
    VyrDrawTHPlot(&dc, client, d, kind, y, lf);
    return dc.Records();
}

inline std::vector<vyr::DrawRecord> Texts(const std::vector<vyr::DrawRecord>& recs)
{
    std::vector<vyr::DrawRecord> out;
    for (const vyr::DrawRecord& r : recs)
        if (r.kind == vyr::DrawKind::TextOut)
            out.push_back(r);
    return out;
}

inline const vyr::DrawRecord* FindText(const std::vector<vyr::DrawRecord>& recs, const std::string& text)
{
    for (const vyr::DrawRecord& r : recs)
        if (r.kind == vyr::DrawKind::TextOut && r.text == text)
            return &r;
    return nullptr;
}

} // namespace thtest
