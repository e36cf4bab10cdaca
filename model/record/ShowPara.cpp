#include <vyr/model/record/ShowPara.h>

// The runtime-class chain skips the flag-row helper, which is not a class of its own.
IMPLEMENT_SERIAL(CShowControlNodePara, CObject, 1)
IMPLEMENT_SERIAL(CShowControlLoadPara, CObject, 1)
IMPLEMENT_SERIAL(CShowControlBeamPara, CObject, 1)
IMPLEMENT_SERIAL(CShowControlCheck, CObject, 1)
IMPLEMENT_SERIAL(CShowControlPlanePara, CObject, 1)
IMPLEMENT_SERIAL(CShowControlWallPara, CObject, 1)
IMPLEMENT_SERIAL(CShowTextResultPara, CObject, 1)
IMPLEMENT_SERIAL(CShowTextFrequentPara, CObject, 1)
IMPLEMENT_DYNAMIC(CShowTextLoadParaBase, CObject)
IMPLEMENT_DYNAMIC(CShowTextLoadNodePara, CShowTextLoadParaBase)
IMPLEMENT_DYNAMIC(CShowTextLoadBeamPara, CShowTextLoadParaBase)

CShowControlNodePara::CShowControlNodePara()
{
    SetFlag(3, 1);
}

void CShowControlNodePara::SetState(bool s)
{
    Fill(1, 9, s ? 1 : 0);
}

CShowControlLoadPara::CShowControlLoadPara()
{
    // Every flag starts defined; 2 and 7 start off.
    for (int n : {1, 3, 4, 6, 10})
        SetFlag(n, 1);
}

void CShowControlLoadPara::SetState(bool s)
{
    for (int n : {3, 4, 5, 6, 9, 10})
        SetFlag(n, s ? 1 : 0);
}

CShowControlBeamPara::CShowControlBeamPara()
{
    for (int n : {11, 12, 15})
        SetFlag(n, 1);
}

void CShowControlBeamPara::SetState(bool s)
{
    Fill(1, 14, s ? 1 : 0);
}

void CShowControlCheck::SetState(bool s)
{
    Fill(6, 10, s ? 1 : 0);
    SetFlag(16, 0);
    SetFlag(17, 0);
}

void CShowControlPlanePara::SetState(bool s)
{
    Fill(1, 5, s ? 1 : 0);
}

void CShowControlWallPara::SetState(bool s)
{
    Fill(1, 5, s ? 1 : 0);
}

void CShowTextResultPara::SetState(bool s)
{
    Fill(2, 4, s ? 1 : 0);
}

void CShowTextFrequentPara::SetState(bool s)
{
    SetFlag(1, s ? 1 : 0);
}

void CShowTextFrequentPara::Serialize(CArchive& ar)
{
    CShowFlagRow<2>::Serialize(ar);
    if (ar.IsStoring())
        ar << m_crColor << m_nScale << m_nAnimate << m_nModelKind << m_nDisplayKind;
    else
        ar >> m_crColor >> m_nScale >> m_nAnimate >> m_nModelKind >> m_nDisplayKind;
}
