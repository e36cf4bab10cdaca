#include <vyr/model/struct/SampleModel.h>

#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
#include <vyr/model/struct/Struct.h>
#include <vyr/model/struct/Support.h>

namespace {
CString Ratio(float r)
{
    CString s;
    s.Format("%.3f", r);
    return s;
}
} // namespace

void FillSampleResults(CGlobalData& data)
{
    CStruct* st = data.Struct();
    for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        CPNode* n = st->m_pNodeList->GetNextT(pos);
        CPNodeChecker c;
        // Panel zones 0.1 to 0.9 in steps of 0.1, strong column 0.50 to 0.70.
        for (int k = 0; k < 6; ++k)
            c.a[k] = 0.1f * (float)(1 + (n->GetNo() + k) % 9);
        c.b[0] = 0.5f + 0.05f * (float)(n->GetNo() % 5);
        c.b[1] = c.b[0] - 0.1f;
        // The report cells of the same ratios; plates to add where a panel zone passes 0.8.
        for (int k = 0; k < 6; ++k)
            c.capacity[(size_t)k] = {c.a[k], Ratio(c.a[k])};
        c.hasCapacity = true;
        for (int k = 0; k < 4; ++k) {
            const bool add = k >= 2 && c.a[k - 2] > 0.8f;
            c.addPlate[(size_t)k] = {add ? 6.0f : 0.0f, add ? "6mm" : "无"};
        }
        c.hasAddPlate = true;
        c.pcol[0] = {c.b[0], Ratio(c.b[0])};
        c.pcol[1] = {c.b[1], Ratio(c.b[1])};
        c.hasPCol = true;
        n->SetCheckAnswer(c);
        // Reactions of the supported nodes per case type (kN, kN.cm): dead, live, wind X,
        // horizontal seismic; the vertical ones vary with the node number.
        if (n->GetSupport() != nullptr) {
            const float no = (float)n->GetNo();
            n->m_mapCaseReact[0] = {0.0f, 0.0f, 200.0f + 10.0f * (float)(n->GetNo() % 5), 0.0f, 0.0f, 0.0f};
            n->m_mapCaseReact[1] = {0.0f, 0.0f, 80.0f + 4.0f * (float)(n->GetNo() % 3), 0.0f, 0.0f, 0.0f};
            n->m_mapCaseReact[2] = {-12.0f - 0.5f * no, 0.0f, n->GetNo() % 2 ? 15.0f : -15.0f, 0.0f,
                                    1500.0f + 100.0f * (float)(n->GetNo() % 4), 0.0f};
            n->m_mapCaseReact[7] = {-20.0f - no, 0.0f, 10.0f, 0.0f, 2400.0f + 50.0f * no, 0.0f};
        }
        // Displacements per case type (cm) growing with the height: dead and live settle,
        // wind and seismic sway along x.
        const float h = (float)(n->m_pt.z / 360.0);
        n->m_mapCaseDisp[0] = {0.0f, 0.0f, -0.02f * h, 0.0f, 0.0f, 0.0f};
        n->m_mapCaseDisp[1] = {0.0f, 0.0f, -0.008f * h, 0.0f, 0.0f, 0.0f};
        n->m_mapCaseDisp[2] = {0.15f * h, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
        n->m_mapCaseDisp[7] = {0.22f * h, 0.01f * h, 0.0f, 0.0f, 0.0f, 0.0f};
    }
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        CheckResult r;
        // Strength 0.40 to 0.85, stability 0.1 below, shears and combined stress below
        // them; deformations 1/400 and 1/800; a column's axial compression ratio 0.45.
        r.fRatio[0] = 0.4f + 0.05f * (float)(b->GetNo() % 10);
        r.fRatio[1] = r.fRatio[0] - 0.1f;
        r.fOther[0] = 0.2f;
        r.fOther[1] = 0.15f;
        r.fOther[2] = r.fRatio[0] + 0.05f;
        if (b->GetType() == 1)
            r.fOther[6] = 0.45f;
        r.fDeform[0] = 0.0025f;
        r.fDeform[1] = 0.00125f;
        r.fDeformRatio[0] = 0.5f;
        r.fDeformRatio[1] = 0.25f;
        const float detail[6] = {0.6f, 0.5f, 0.7f, 0.6f, 0.8f, 0.7f};
        for (int k = 0; k < 6; ++k)
            r.fDetail[k] = detail[k];
        b->SetCheckAnswer(r);
    }
    // The coupling beams and wall piers are designed in concrete: reinforcement areas (cm2)
    // of round values, and the panel zones of every fourth node are stiffened.
    for (CBeamList* list : {st->m_pBCInWallList1, st->m_pBCInWallList2})
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
            CBeamBase* b = list->GetNextT(pos);
            delete b->m_pConcreteResult;
            b->m_pConcreteResult = new CConcreteDesignResult;
            for (int g = 0; g < 5; ++g)
                for (int k = 0; k < 2; ++k)
                    b->m_pConcreteResult->fArea[g][k] = 2.0f * (float)(g + 1) + (float)k;
        }
    for (POSITION pos = st->m_pNodeList->GetHeadPosition(); pos != nullptr;) {
        CPNode* n = st->m_pNodeList->GetNextT(pos);
        n->m_nDomainType = n->GetNo() % 4 == 0 ? 1 : 0;
    }
}
