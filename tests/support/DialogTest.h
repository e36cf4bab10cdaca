// The frame of a dialog test: the library reads its templates from the source tree, the
// scripted user starts with nothing queued, and a test that leaves a scripted step untaken
// fails, since a step nobody took means the dialog did not ask what the test expected.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include <vyr/resources.h>
#include <vyr/scripteduser.h>

namespace vyrtest {

class DialogTest : public ::testing::Test
{
protected:
    // A fixture with more to set up or tear down calls these first (set-up) or last
    // (tear-down).
    void SetUp() override
    {
        vyr::VyrSetResourceDir((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
        vyr::ScriptedUser::Reset();
    }
    void TearDown() override
    {
        EXPECT_EQ(vyr::ScriptedUser::PendingSteps(), 0u) << "a scripted step was never taken";
        vyr::ScriptedUser::Reset();
    }
};

} // namespace vyrtest
