// Small models for the section panel and library dialog tests: sections of given type
// codes, welded-I plate sets and tapered sections, members on given points, rooms with
// secondary beams, coupling beams and groups.
#pragma once

#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>

namespace sectest {

inline CMaterialBase* AddSteel(CStruct& s, const char* name)
{
    auto* m = new CMaterialBase;
    m->SetType(1);
    m->SetName(name);
    s.m_pMaterialSteelList->AddMaterial(m);
    return m;
}

// A section of the type code, named "T<code>", added to the library with the next number.
// Its class is a round bar of 100 mm whatever the code: the lists go by the code alone.
inline CSectionBase* AddSection(CStruct& s, int type, CMaterialBase* mat = nullptr, const char* name = nullptr)
{
    auto* sec = new CSRound(type, 100);
    sec->m_nType = type;
    sec->m_pMaterial = mat;
    CString n;
    n.Format("T%d", type);
    sec->m_strKind = name != nullptr ? CString(name) : n;
    s.m_pSectionList->Add(sec, true);
    return sec;
}

// Plates in millimetres.
inline CSDefineIbeam* MakeIbeam(double H, double B, double T, double Tf, double B1, double Tf1,
                                CMaterialBase* mat = nullptr)
{
    auto* p = new CSDefineIbeam;
    p->m_dH = H;
    p->m_dB = B;
    p->m_dT = T;
    p->m_dTf = Tf;
    p->m_dB1 = B1;
    p->m_dTf1 = Tf1;
    p->m_pMaterial = mat;
    p->ChangeSecProperty();
    return p;
}

// A tapered section from start height h0 to end height h1 (mm), flanges 200 x 10, web 6.
inline CTaperVaryWeb* AddTaper(CStruct& s, double h0, double h1, CMaterialBase* mat = nullptr)
{
    auto* t = new CTaperVaryWeb;
    t->m_nType = 901;
    t->m_pMaterial = mat;
    CSDefineIbeam* a = MakeIbeam(h0, 200, 6, 10, 200, 10, mat);
    CSDefineIbeam* b = MakeIbeam(h1, 200, 6, 10, 200, 10, mat);
    t->SetStartSec(a);
    t->SetEndSec(b);
    t->m_fTH = (float)h0;
    t->m_fTT = 6;
    t->m_fTB = 200;
    t->m_fTTf = 10;
    t->m_fTB1 = 200;
    t->m_fTTf1 = 10;
    t->m_fEndH = (float)h1;
    t->FillSecName();
    t->FillSecFactors(a);
    s.m_pSectionList->Add(t, true);
    return t;
}

inline CPNode* AddNode(CStruct& s, const CPoint3D& p)
{
    auto* n = new CPNode((int)s.m_pNodeList->GetCount() + 1, p);
    s.m_pNodeList->AddTail(n);
    return n;
}

inline CBeam* AddBeam(CStruct& s, int no, const CPoint3D& a, const CPoint3D& b, CSectionBase* sec = nullptr,
                      int type = 2)
{
    auto* m = new CBeam(no, AddNode(s, a), AddNode(s, b), type);
    m->m_pSection = sec;
    s.m_pBeamList->AddTail(m);
    return m;
}

inline CPlane* AddRoom(CStruct& s)
{
    auto* room = new CPlane;
    s.m_pPlaneList->AddTail(room);
    return room;
}

inline CSubBeam* AddSubBeam(CStruct& s, CPlane* room, int no, const CPoint3D& a, const CPoint3D& b,
                            CSectionBase* sec = nullptr)
{
    auto* m = new CSubBeam(no, AddNode(s, a), AddNode(s, b));
    m->m_pSection = sec;
    m->m_pPlane = room;
    room->m_pSubBeamList->AddTail(m);
    return m;
}

inline CBeamInWall* AddCouplingBeam(CStruct& s, int no, CSectionBase* sec)
{
    auto* m = new CBeamInWall(no, AddNode(s, CPoint3D(0, 0, 0)), AddNode(s, CPoint3D(100, 0, 0)));
    m->m_pSection = sec;
    s.m_pBCInWallList1->AddTail(m);
    return m;
}

inline CBeamGroup* AddGroup(CStruct& s, CSectionBase* sec, std::initializer_list<CBeamBase*> members = {})
{
    auto* g = new CBeamGroup;
    g->m_pSection = sec;
    s.m_pBeamGroupList->Add(g);
    for (CBeamBase* m : members) {
        g->m_pBeamList->AddTail(m);
        m->SetGroupId(g->m_nNo);
    }
    return g;
}

} // namespace sectest
