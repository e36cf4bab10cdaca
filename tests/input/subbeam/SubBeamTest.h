// The frame of the secondary-beam dialog tests: a host with its model root (display lengths
// in mm, model lengths in cm), rooms bounded by members, the property key that opens the
// dialogs, and readers of the point list and of what the preview drew.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/DialogTest.h"
#include "support/TestHost.h"
#include <vyr/input/DlgPlaneSubBeamDefine.h>
#include <vyr/input/DlgPlaneSubBeamDefineTri.h>
#include <vyr/model/struct/structure.h>
#include <vyr/protocol/PropKeyRegistry.h>
#include <vyr/resources/dialogs/SubBeamRes.h>
#include <vyr/windc.h>

namespace subbeamtest {

using vyr::ScriptedUser;

class SubBeamTest : public vyrtest::DialogTest
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        d.ProgramType() = 0;
        d.UnitLength() = 10.0f;
    }

    CPNode* Node(double x, double y)
    {
        CPNode* n = new CPNode((int)s.m_pNodeList->GetCount() + 1, CPoint3D(x, y, 0));
        s.m_pNodeList->AddTail(n);
        return n;
    }
    // A room with these corners (model cm), member k from corner k to k + 1.
    CPlane* Room(std::initializer_list<CPoint2D> corners)
    {
        CPlane* p = new CPlane;
        p->m_nNo = (int)s.m_pPlaneList->GetCount() + 1;
        p->m_nShapeCode = corners.size() == 3 ? 1 : 2;
        for (const CPoint2D& c : corners) {
            CPNode* n = Node(c.x, c.y);
            p->m_pVexNodeList->AddTail(n);
            p->m_pNodeList->AddTail(n);
        }
        const int count = (int)corners.size();
        for (int k = 1; k <= count; ++k) {
            CBeam* e = new CBeam((int)s.m_pBeamList->GetCount() + 1, p->m_pVexNodeList->Get(k),
                                 p->m_pVexNodeList->Get(k % count + 1), 2);
            s.m_pBeamList->AddTail(e);
            p->m_pBeamList->AddTail(e);
        }
        s.m_pPlaneList->AddTail(p);
        return p;
    }
    // A secondary beam of the room between two plan points.
    CSubBeam* Sub(CPlane* room, CPoint2D a, CPoint2D b)
    {
        CSubBeam* sub = new CSubBeam(900 + (int)room->m_pSubBeamList->GetCount(), Node(a.x, a.y), Node(b.x, b.y));
        sub->m_pPlane = room;
        room->m_pSubBeamList->AddTail(sub);
        return sub;
    }

    // The property key on the rooms, as the grid runs it.
    int Key(std::initializer_list<CPlane*> rooms)
    {
        CPlaneList list;
        for (CPlane* p : rooms)
            list.AddTail(p);
        return vyrkeys::Run("Prop.PlaneSubBeamDefine", &list, &d);
    }

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

    // The point list's rows as "value 1 | value 2".
    static std::vector<std::string> Rows(CListCtrl& list)
    {
        std::vector<std::string> out;
        for (int i = 0; i < list.GetItemCount(); ++i)
            out.push_back(list.GetItemText(i, 1).str() + " | " + list.GetItemText(i, 2).str());
        return out;
    }
    static std::string Header(CListCtrl& list, int column)
    {
        char text[64] = {};
        LVCOLUMN col{};
        col.mask = LVCF_TEXT;
        col.pszText = text;
        col.cchTextMax = (int)sizeof(text);
        list.GetColumn(column, &col);
        return text;
    }
    static std::string Text(CDialog& dlg, int id)
    {
        CString t;
        dlg.GetDlgItemText(id, t);
        return t.str();
    }

    // What the dialog's paint drew into its preview frame.
    static std::vector<vyr::DrawRecord> PaintPreview(CDialog& dlg)
    {
        std::vector<vyr::DrawRecord> drawn;
        HWND frame = dlg.GetDlgItem(IDC_SUBBEAM_PREVIEW)->GetSafeHwnd();
        vyr::WatchReleasedDCs([&](HWND h, CDC& dc) {
            if (h == frame)
                drawn.insert(drawn.end(), dc.Records().begin(), dc.Records().end());
        });
        dlg.Invalidate();
        dlg.UpdateWindow();
        vyr::WatchReleasedDCs(nullptr);
        return drawn;
    }
    static std::vector<vyr::DrawRecord> OfKind(const std::vector<vyr::DrawRecord>& drawn, vyr::DrawKind kind)
    {
        std::vector<vyr::DrawRecord> out;
        for (const vyr::DrawRecord& r : drawn)
            if (r.kind == kind)
                out.push_back(r);
        return out;
    }

    static std::vector<std::string> Boxes()
    {
        std::vector<std::string> out;
        for (const auto& b : ScriptedUser::MessageBoxes())
            out.push_back(b.text.str());
        return out;
    }

    vyrtest::CTestHost host;
    CGlobalData& d = host.GlobalData();
    CStruct& s = *d.Struct();
};

} // namespace subbeamtest
