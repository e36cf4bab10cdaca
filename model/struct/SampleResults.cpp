#include <vyr/model/struct/SampleModel.h>

#include <vyr/model/struct/GlobalData.h>
#include <vyr/model/struct/Member.h>
#include <vyr/model/struct/Node.h>
#include <vyr/model/struct/Struct.h>
#include <vyr/model/struct/Support.h>

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
        n->SetCheckAnswer(c);
    }
    for (POSITION pos = st->m_pBeamList->GetHeadPosition(); pos != nullptr;) {
        CBeamBase* b = st->m_pBeamList->GetNextT(pos);
        CheckResult r;
        // Strength 0.40 to 0.85, stability 0.1 below; deformations 1/500 and 1/1000.
        r.fRatio[0] = 0.4f + 0.05f * (float)(b->GetNo() % 10);
        r.fRatio[1] = r.fRatio[0] - 0.1f;
        r.fDeform[0] = 500;
        r.fDeform[1] = 1000;
        r.fDeformRatio[0] = 0.5f;
        r.fDeformRatio[1] = 0.25f;
        const float detail[6] = {0.6f, 0.5f, 0.7f, 0.6f, 0.8f, 0.7f};
        for (int k = 0; k < 6; ++k)
            r.fDetail[k] = detail[k];
        b->SetCheckAnswer(r);
    }
}
