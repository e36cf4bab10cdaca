// Small hand-checked models for the check run and the one-object reports: nodes and members
// in lists of their own, with round check answers whose report values a test works out by
// hand (three decimals: 0.85 is written 0.850).
#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include <vyr/model/struct/CheckHook.h>
#include <vyr/model/struct/structure.h>

namespace vyrtest {

// The answer of every node's check: panel zones 0.1 to 0.6 in check order, strong column
// 0.75 about axis 2 and 0.5 about axis 3.
inline CPNodeChecker RoundNodeAnswer()
{
    CPNodeChecker c;
    for (int k = 0; k < 6; ++k)
        c.a[k] = 0.1f * (float)(k + 1);
    c.b[0] = 0.75f;
    c.b[1] = 0.5f;
    return c;
}

// The answer of every member's check: strength 0.85, stability 0.625, deformation ratios
// 0.5, 0.25 and 0, deformations 1/400, 1/800 and none, detailing values in eighths.
inline CheckResult RoundMemberAnswer()
{
    CheckResult r;
    r.fRatio[0] = 0.85f;
    r.fRatio[1] = 0.625f;
    r.fDeformRatio[0] = 0.5f;
    r.fDeformRatio[1] = 0.25f;
    r.fDeform[0] = 0.0025f;
    r.fDeform[1] = 0.00125f;
    const float detail[6] = {0.5f, 0.25f, 0.75f, 1.0f, 0.125f, 0.375f};
    for (int k = 0; k < 6; ++k)
        r.fDetail[k] = detail[k];
    return r;
}

// Holds the check of one object on the thread that runs it: reached turns true as the check
// starts, which then waits until release is true. Bounded, so a dialog that ends too early
// fails the test instead of hanging it. The test clears the hook after its run.
inline void HoldCheckOf(CObject* held, std::atomic<bool>& reached, std::atomic<bool>& release)
{
    SetCheckHook([held, &reached, &release](CObject* o) {
        if (o != held)
            return;
        reached = true;
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!release && std::chrono::steady_clock::now() < giveUp)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    });
}

// Nodes numbered 1, 2, ... along x, and members numbered 101, 102, ... of the given type
// codes between consecutive nodes (the last ones between nodes 1 and 2), each with the
// round answer prepared. The lists hold the objects in that order; the model owns them.
struct CCheckModel
{
    CPNodeList nodes;
    CBeamList members;

    CCheckModel(int nodeCount, const std::vector<int>& memberTypes)
    {
        for (int i = 1; i <= nodeCount; ++i) {
            auto n = std::make_unique<CPNode>(i, CPoint3D(100.0 * i, 0, 0));
            n->SetCheckAnswer(RoundNodeAnswer());
            nodes.AddTail(n.get());
            m_nodes.push_back(std::move(n));
        }
        int no = 101;
        for (size_t i = 0; i < memberTypes.size(); ++i) {
            CPNode* a = nodeCount >= 2 ? nodes.Get((int)(i % (nodeCount - 1)) + 1) : nullptr;
            CPNode* b = nodeCount >= 2 ? nodes.Get((int)(i % (nodeCount - 1)) + 2) : nullptr;
            auto m = std::make_unique<CBeam>(no++, a, b, memberTypes[i]);
            m->SetCheckAnswer(RoundMemberAnswer());
            members.AddTail(m.get());
            m_members.push_back(std::move(m));
        }
    }
    // The lists forget their objects before the objects go.
    ~CCheckModel()
    {
        nodes.RemoveAll();
        members.RemoveAll();
    }
    CCheckModel(const CCheckModel&) = delete;
    CCheckModel& operator=(const CCheckModel&) = delete;

    CPNode* Node(int i) const { return m_nodes[(size_t)i].get(); }
    CBeam* Member(int i) const { return m_members[(size_t)i].get(); }

private:
    std::vector<std::unique_ptr<CPNode>> m_nodes;
    std::vector<std::unique_ptr<CBeam>> m_members;
};

} // namespace vyrtest
