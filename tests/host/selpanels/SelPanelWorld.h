// The host kit with a side area of 240 pixels, and the selection-property panels a test
// makes in it, set up as the host sets them up.
#pragma once

#include <vector>

#include <gtest/gtest.h>

#include <vyr/host/ViewPropPanels.h>
#include <vyr/model/struct/structure.h>
#include <vyr/resources/dialogs/ViewPropRes.h>
#include <vyr/scripteduser.h>
#include "support/TestHost.h"

// The kind list every selection-property panel creates above its entries.
constexpr int kCombo = IDC_VIEWPROP_COMBO;

class SelPanelWorld : public ::testing::Test
{
protected:
    void TearDown() override
    {
        // The panels go first: their slots may be the test's own variables.
        for (CViewProp* p : m_panels)
            if (::IsWindow(p->GetSafeHwnd()))
                p->DestroyWindow();
        vyr::PumpMessages();
    }

    // A panel as the host sets it up: created hidden in the side area, given the model root
    // and its slot, initially updated, then shown at 240 x 600.
    template <class Panel, class T>
    Panel* Make(T** slot)
    {
        auto* panel = new Panel; // goes with its window
        EXPECT_TRUE(panel->Create(&m_host.SideFrame(), (UINT)m_panels.size() + 1, nullptr));
        m_panels.push_back(panel);
        panel->SetParam(&m_host.GlobalData());
        panel->SetParam(slot);
        panel->OnInitialUpdate();
        panel->MoveWindow(0, 0, 240, 600);
        panel->ShowWindow(SW_SHOW);
        panel->Resize();
        return panel;
    }

    CPNode* Node(int no, double x, double y, double z = 0)
    {
        auto* n = new CPNode(no, CPoint3D(x, y, z));
        m_host.GlobalData().Struct()->m_pNodeList->AddTail(n);
        return n;
    }

    vyrhost::CHostKit m_host{800, 600, 240};
    std::vector<CViewProp*> m_panels;
};
