// The host kit with the sample frame shown whole, and what the property dialogs' tests
// read of a property list.
#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>

#include "hostkit/HostKit.h"
#include <vyr/proplist.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/model/struct/struct.h>

namespace propdlgtest {

// The row of a caption (depth first), or null.
inline CBCGPProp* FindRow(CBCGPPropList& list, const char* caption)
{
    std::function<CBCGPProp*(CBCGPProp*)> find = [&](CBCGPProp* p) -> CBCGPProp* {
        if (p->GetName() == caption)
            return p;
        for (int i = 0; i < p->GetSubItemsCount(); ++i)
            if (CBCGPProp* r = find(p->GetSubItem(i)))
                return r;
        return nullptr;
    };
    for (int i = 0; i < list.GetPropertyCount(); ++i)
        if (CBCGPProp* r = find(list.GetProperty(i)))
            return r;
    return nullptr;
}

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
