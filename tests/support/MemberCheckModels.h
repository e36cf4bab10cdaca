// A hand-checked member model for the member check report: members of types 2, 1, 5, 9 and
// 6 and one concrete member, on two steel sections and one hybrid section, with design
// answers whose worst members per item a test works out by hand. Ratios of one item tie
// within 0.0001 (0.8500 and 0.85005) and differ by more (0.6 and 0.6002); an item stays at
// or below 0.001 throughout.
#pragma once

#include <initializer_list>
#include <memory>
#include <vector>

#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>

namespace vyrtest {

// A design answer from the items as the report lists them: capacity (normal stress, shear
// 2, shear 3, combined, stability 2, stability 3), deformation (beam D+L, beam L, slope
// change, column-top X, Y, axial compression) and detailing (the six local stability and
// slenderness ratios).
inline CheckResult MemberAnswer(std::initializer_list<float> capacity, std::initializer_list<float> deform,
                                std::initializer_list<float> detail)
{
    CheckResult r;
    const std::vector<float> c(capacity), d(deform), s(detail);
    r.fRatio[0] = c[0];
    r.fOther[0] = c[1];
    r.fOther[1] = c[2];
    r.fOther[2] = c[3];
    r.fRatio[1] = c[4];
    r.fOther[3] = c[5];
    for (int k = 0; k < 3; ++k)
        r.fDeformRatio[k] = d[(size_t)k];
    r.fOther[4] = d[3];
    r.fOther[5] = d[4];
    r.fOther[6] = d[5];
    for (int k = 0; k < 6; ++k)
        r.fDetail[k] = s[(size_t)k];
    return r;
}

// In list order (label, section, type):
//   A "主梁10"     H1   2   B "主梁2"  H1  2   C "柱3"  H1  1
//   D "次梁1-2-3"  H2   5   E "斜柱7"  H2  9
//   F "虚杆8"      none 6 (a stored reinforcement result, which the report never writes)
//   G "柱20"       SRC (hybrid) 1, concrete: no design answer, a reinforcement result.
// The steel members hold their answers prepared, not yet taken: the report's check takes them.
struct CMemberCheckModel
{
    CBeamList members;
    std::unique_ptr<CSectionBase> h1, h2;
    std::unique_ptr<CHybridRect> src;
    std::unique_ptr<CFloor> floor;
    std::unique_ptr<CPlane> room;

    CMemberCheckModel()
    {
        h1 = Section("H1");
        h2 = Section("H2");
        src = std::make_unique<CHybridRect>();
        src->m_strKind = "SRC";
        floor = std::make_unique<CFloor>();
        floor->m_nNo = 1;
        room = std::make_unique<CPlane>();
        room->m_nNo = 2;

        Add(std::make_unique<CBeam>(10, nullptr, nullptr, 2), h1.get(),
            MemberAnswer({0.85f, 0.2f, 0.0005f, 0.6f, 0.7f, 0.1f}, {0.5f, 0.25f, 0, 0, 0, 0},
                         {0.5f, 0.25f, 0.75f, 1.0f, 0.125f, 0.375f}));
        Add(std::make_unique<CBeam>(2, nullptr, nullptr, 2), h1.get(),
            MemberAnswer({0.85005f, 0.3f, 0.0008f, 0.6002f, 0.5f, 0.1f}, {0.6f, 0.2f, 0, 0, 0, 0},
                         {0.5f, 0.25f, 0.75f, 1.0f, 0.125f, 0.375f}));
        Add(std::make_unique<CBeam>(3, nullptr, nullptr, 1), h1.get(),
            MemberAnswer({0.5f, 0.1f, 0, 0.9f, 0.71f, 0.2f}, {0, 0, 0, 0.3f, 0.2f, 0.6f},
                         {0.5f, 0.25f, 0.75f, 1.0f, 0.125f, 0.375f}));
        auto sub = std::make_unique<CSubBeam>(4, nullptr, nullptr);
        sub->m_pFloor = floor.get();
        sub->m_pPlane = room.get();
        sub->m_nSubNo = 3;
        Add(std::move(sub), h2.get(),
            MemberAnswer({0.9f, 0.05f, 0, 0.3f, 0.2f, 0.3f}, {0.4f, 0.3f, 0, 0, 0, 0},
                         {0.5f, 0.25f, 0.75f, 1.0f, 0.125f, 0.375f}));
        Add(std::make_unique<CBeam>(7, nullptr, nullptr, 9), h2.get(),
            MemberAnswer({0.4f, 0.25f, 0, 0.2f, 0.8f, 0.35f}, {0, 0, 0, 0.4f, 0.1f, 0.7f},
                         {0.5f, 0.25f, 0.75f, 1.0f, 0.125f, 0.375f}));
        auto dummy = std::make_unique<CBeam>(8, nullptr, nullptr, 6);
        dummy->m_pConcreteResult = Areas(1.0f);
        Add(std::move(dummy), nullptr, MemberAnswer({0.99f, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 0, 0}));
        auto concrete = std::make_unique<CBeam>(20, nullptr, nullptr, 1);
        concrete->m_pConcreteResult = Areas(10.0f);
        concrete->m_pSection = src.get();
        members.AddTail(concrete.get());
        m_objects.push_back(std::move(concrete));
    }
    ~CMemberCheckModel()
    {
        members.RemoveAll();
        // The members do not own their sections.
        for (auto& m : m_objects)
            m->m_pSection = nullptr;
    }
    CMemberCheckModel(const CMemberCheckModel&) = delete;
    CMemberCheckModel& operator=(const CMemberCheckModel&) = delete;

    // Member i in list order (A = 0 ... G = 6).
    CBeamBase* Member(int i) const { return m_objects[(size_t)i].get(); }
    // A list of some of the members, in the given order.
    void Fill(CBeamList& list, std::initializer_list<int> which) const
    {
        for (int i : which)
            list.AddTail(Member(i));
    }

private:
    static std::unique_ptr<CSectionBase> Section(const char* name)
    {
        auto s = std::make_unique<CSectionBase>();
        s->m_strKind = name;
        return s;
    }
    // Areas first, first + 1, ... in the order of the result's groups.
    static CConcreteDesignResult* Areas(float first)
    {
        auto* r = new CConcreteDesignResult;
        for (int g = 0; g < 5; ++g)
            for (int k = 0; k < 2; ++k)
                r->fArea[g][k] = first + (float)(2 * g + k);
        return r;
    }
    void Add(std::unique_ptr<CBeamBase> m, CSectionBase* section, const CheckResult& answer)
    {
        m->m_pSection = section;
        m->SetCheckAnswer(answer);
        members.AddTail(m.get());
        m_objects.push_back(std::move(m));
    }

    std::vector<std::unique_ptr<CBeamBase>> m_objects;
};

} // namespace vyrtest
