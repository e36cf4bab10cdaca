// The time-history results over 200 storeys and 20 cases: the whole report written into
// the rich-edit control (aim: under 0.5 s), and a repaint of the four plots of the average
// in X and Y (aim: under 16 ms).
#include <benchmark/benchmark.h>

#include <vyr/input/DlgOutputTHResult.h>
#include <vyr/input/DlgTHResult.h>
#include <vyr/model/record/TimeHistory.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/THResultRes.h>
#include <vyr/scripteduser.h>

namespace {

constexpr int kStoreys = 200;
constexpr int kCases = 20;

// Storeys of 3 m, each case's maxima falling off up the building, spectrum shears below.
void BuildResults(CGlobalData& data)
{
    CStruct& st = *data.Struct();
    data.ProjectName() = "基准工程";
    for (int k = 0; k <= kStoreys; ++k) {
        CFloor* f = new CFloor(k, k == 0 ? 0 : 1);
        f->m_dZ = k * 300.0;
        st.m_pFloorList->AddTail(f);
    }
    st.m_pFloorList->Relink();
    st.m_pFloorList->Get(2)->m_fSeismShearX[0] = 12000.0f;
    st.m_pFloorList->Get(2)->m_fSeismShearY[0] = 11000.0f;
    for (int c = 0; c < kCases; ++c) {
        CTHCase* thCase = new CTHCase;
        CString name;
        name.Format("TH%d", c + 1);
        thCase->SetName(name);
        st.m_pTHCaseList->Add(thCase);
        CTimeAnalyResult* r = new CTimeAnalyResult;
        r->SetFloorNum(kStoreys + 1);
        for (int i = 0; i <= kStoreys; ++i) {
            const double up = (double)i / kStoreys;
            const double drift = i > 0 ? 0.8 + 0.01 * c : 0.0;
            r->SetFloorData(i, drift * i, drift, 10000.0 * (1.0 - up * up) + 10 * c, 3.0e7 * (1.0 - up) * (1.0 - up), drift * i * 0.9,
                            drift * 0.9, 9000.0 * (1.0 - up * up), 2.7e7 * (1.0 - up) * (1.0 - up));
        }
        r->SetDefineX(true);
        r->SetDefineY(true);
        st.m_pTimeAnalyResultList->Add(r);
    }
    st.m_pTimeAnalyResultList->SetDefineX(true);
    st.m_pTimeAnalyResultList->SetDefineY(true);
}

void ClickBox(CDialog* d, int id)
{
    d->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)d->GetDlgItem(id)->GetSafeHwnd());
}

void BM_THReportIntoRichEdit(benchmark::State& state)
{
    CGlobalData data;
    BuildResults(data);
    vyr::ScriptedUser::Reset();
    vyr::ScriptedUser::Run([&](CDialog* d) {
        // A click of a box writes the whole report again into the emptied control.
        for (auto _ : state)
            ClickBox(d, IDC_THREPORT_LOADS);
    }, IDD_OUTPUTTHRESULT);
    vyr::ScriptedUser::PressOK(IDD_OUTPUTTHRESULT);
    CDlgOutputTHResult dlg;
    dlg.m_pData = &data;
    dlg.DoModal();
    vyr::ScriptedUser::Reset();
    state.counters["storeys"] = kStoreys;
    state.counters["cases"] = kCases;
}
BENCHMARK(BM_THReportIntoRichEdit)->Unit(benchmark::kMillisecond);

void BM_THPlotsRepaint(benchmark::State& state)
{
    CGlobalData data;
    BuildResults(data);
    vyr::ScriptedUser::Reset();
    vyr::ScriptedUser::Run([&](CDialog* d) {
        auto* dlg = static_cast<CDlgTHResult*>(d);
        for (auto _ : state) {
            // Each tab's plot drawn into both frames, as a tab change draws it.
            for (int tab = 0; tab < 4; ++tab) {
                dlg->m_tab.SetCurSel(tab);
                NMHDR nm{dlg->m_tab.GetSafeHwnd(), (UINT_PTR)IDC_THRESULT_TAB, (UINT)TCN_SELCHANGE};
                d->SendMessage(WM_NOTIFY, IDC_THRESULT_TAB, (LPARAM)&nm);
            }
        }
    }, IDD_THRESULT);
    vyr::ScriptedUser::PressOK(IDD_THRESULT);
    CDlgTHResult dlg;
    dlg.m_pData = &data;
    dlg.DoModal();
    vyr::ScriptedUser::Reset();
}
BENCHMARK(BM_THPlotsRepaint)->Unit(benchmark::kMillisecond);

} // namespace
