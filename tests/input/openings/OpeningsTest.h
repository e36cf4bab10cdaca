// The frame of the web and room opening dialog tests: a host kit with its model root
// (display lengths in mm, model lengths in cm), the keys run as the property grid runs
// them, and readers of what a preview drew.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "support/DialogTest.h"
#include "support/TestHost.h"
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/scripteduser.h>

namespace openingstest {

using vyr::ScriptedUser;

class OpeningsTest : public vyrtest::DialogTest
{
protected:
    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct& s = *d.Struct();

    void SetUp() override
    {
        DialogTest::SetUp();
        d.UnitLength() = 10.0f;
    }

    CPNode* Node(double x, double y, double z = 0.0)
    {
        CPNode* n = new CPNode((int)s.m_pNodeList->GetCount() + 1, CPoint3D(x, y, z));
        s.m_pNodeList->AddTail(n);
        return n;
    }

    int Key(const char* key, void* objects) { return vyrkeys::Run(key, objects, &d); }

    // Acts in the open dialog, which must be of class T.
    template <class T>
    static void In(UINT idd, std::function<void(T&)> fn)
    {
        ScriptedUser::Run(
            [fn](CDialog* dlg) {
                T* t = dynamic_cast<T*>(dlg);
                ASSERT_NE(t, nullptr) << "another dialog is open";
                fn(*t);
            },
            idd);
    }

    static std::vector<std::string> Boxes()
    {
        std::vector<std::string> out;
        for (const auto& b : ScriptedUser::MessageBoxes())
            out.push_back(b.text.str());
        return out;
    }

    static CString Text(CDialog& dlg, int id)
    {
        CString text;
        dlg.GetDlgItemText(id, text);
        return text;
    }
    static bool Enabled(CDialog& dlg, int id) { return dlg.GetDlgItem(id)->IsWindowEnabled() != FALSE; }

    // What a preview drew into a recording context.
    template <class T>
    static std::vector<vyr::DrawRecord> Drawn(T& dlg)
    {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        dlg.DrawPreview(&dc);
        return dc.Records();
    }
    static std::vector<vyr::DrawRecord> OfKind(const std::vector<vyr::DrawRecord>& drawn, vyr::DrawKind kind)
    {
        std::vector<vyr::DrawRecord> out;
        for (const vyr::DrawRecord& r : drawn)
            if (r.kind == kind)
                out.push_back(r);
        return out;
    }
};

} // namespace openingstest
