// The frame of the combination tests: the host kit's model root with basic cases, seismic
// definitions and combinations made to measure.
#pragma once

#include <set>

#include "support/DialogTest.h"
#include "support/TestHost.h"
#include <vyr/model/struct/structure.h>

namespace vyrtest {

struct CombinationTest : DialogTest
{
    CTestHost host;
    CGlobalData& data = host.GlobalData();
    CStruct& s = *data.Struct();

    CBasicLoadCase* AddCase(int type, int seismNo = 0, int variant = 0)
    {
        auto* lc = new CBasicLoadCase(type);
        lc->m_nNo = (int)s.m_pBasicLCList->GetCount() + 1;
        lc->m_nSeismCaseNo = seismNo;
        lc->m_nSeismVariant = variant;
        s.m_pBasicLCList->AddTail(lc);
        return lc;
    }
    // Horizontal seismic definitions 1 to n, with their cases listed plain, "P", "M".
    void AddSeismic(int n)
    {
        for (int no = 1; no <= n; ++no) {
            auto* def = new CLoadSeism;
            def->m_nNo = no;
            s.m_pLoadSeismList->AddTail(def);
        }
        for (int v = 0; v < 3; ++v)
            for (int no = 1; no <= n; ++no)
                AddCase(7, no, v);
    }
    // A combination of a kind (0 fundamental, 1 characteristic, 2 quasi-permanent).
    CLoadCombination* AddCombination(int kind, float dead, float live)
    {
        auto* lc = new CLoadCombination;
        lc->m_fDead = dead;
        lc->m_fLive = live;
        s.m_pLCList->Add(lc);
        CLCList* lists[] = {data.GetSLCList(), data.GetSDispLCList(), data.GetSDeflateLCList()};
        lists[kind]->AddTail(lc);
        return lc;
    }

    // Every entry of a kind's list is in the structure's list, in one kind only, and the
    // structure's list holds nothing else.
    ::testing::AssertionResult KindsAgree()
    {
        const CLCList* all = s.m_pLCList;
        std::set<const CObject*> seen;
        for (const CLCList* kind : {data.GetSLCList(), data.GetSDispLCList(), data.GetSDeflateLCList()})
            for (POSITION pos = kind->GetHeadPosition(); pos != nullptr;) {
                const CObject* c = kind->GetNext(pos);
                if (!all->Contains(c)) return ::testing::AssertionFailure() << "a kind's entry is not in the structure's list";
                if (!seen.insert(c).second) return ::testing::AssertionFailure() << "an entry is in two kinds";
            }
        if ((INT_PTR)seen.size() != all->GetCount())
            return ::testing::AssertionFailure() << all->GetCount() << " combinations, " << seen.size() << " in the kinds";
        return ::testing::AssertionSuccess();
    }
};

inline CString DlgText(CDialog* d, int id)
{
    CString t;
    d->GetDlgItemText(id, t);
    return t;
}

} // namespace vyrtest
