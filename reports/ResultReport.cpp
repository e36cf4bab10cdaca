#include <vyr/reports/ResultReport.h>

#include <vyr/model/struct/structure.h>

void CDlgResultReport::Output(COutput* out, int)
{
    COutput* const kept = m_pOut;
    m_pOut = out != nullptr ? out : &m_output;
    OutputUnite();
    m_pOut = kept;
}

void FillCaseCombination(CLoadCombination& lc, CBasicLoadCase* basic, CGlobalData* data)
{
    CLoadSeism* seism = nullptr;
    if (basic->IsSeismLoadCase() && data != nullptr)
        seism = data->Struct()->m_pLoadSeismList->Get(basic->GetSeismCaseNo());
    lc.Fill(basic, seism);
}
