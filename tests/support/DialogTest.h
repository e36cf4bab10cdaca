// The frame of a dialog test: the library reads its templates from the source tree, the
// scripted user starts with nothing queued, and a test that leaves a scripted step untaken
// fails, since a step nobody took means the dialog did not ask what the test expected.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include <vyr/stdafx.h>
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

// Acts in the open dialog of that template, which must be of class T.
template <class T>
void InDialog(UINT idd, std::function<void(T&)> fn)
{
    vyr::ScriptedUser::Run(
        [fn](CDialog* dlg) {
            T* t = dynamic_cast<T*>(dlg);
            ASSERT_NE(t, nullptr) << "another dialog is open";
            fn(*t);
        },
        idd);
}

// The text a control of the dialog shows.
inline std::string DlgText(CWnd& dlg, int id)
{
    CString t;
    dlg.GetDlgItemText(id, t);
    return t.str();
}

} // namespace vyrtest
