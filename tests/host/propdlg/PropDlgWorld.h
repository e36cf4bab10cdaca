// The host kit with the sample frame shown whole, and what the property dialogs' tests
// read of a property list.
#pragma once

#include <string>

#include <gtest/gtest.h>

#include "host/PanelTestKit.h"
#include "hostkit/HostKit.h"
#include <vyr/proplist.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/model/struct/structure.h>

namespace propdlgtest {

using vyrhosttest::FindRow;

struct HostWorld : ::testing::Test
{
    vyrhost::CHostKit host{1000, 800};
    CGlobalData& d = host.GlobalData();

    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        vyr::ScriptedUser::Reset();
        CSampleModelSize size;
        size.nStorey = 2;
        BuildSampleModel(d, size);
        host.ShowWholeModel();
    }
    void TearDown() override
    {
        EXPECT_EQ(vyr::ScriptedUser::PendingSteps(), 0u);
        vyr::ScriptedUser::Reset();
    }
};

} // namespace propdlgtest
