// Small models for the model information, load and design drawings of the export: nodes and
// members made by the test, one scope holding what the test puts in it, each drawing
// written by a twin into a folder of the test and read back with ezdxf.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include <vyr/drawing/DlgDrawResult2D.h>
#include <vyr/drawing/DlgDrawResult3D.h>
#include <vyr/model/base/VyrProduct.h>
#include <vyr/model/dxf/DXFOutput.h>
#include <vyr/model/section/Ban.h>
#include <vyr/model/section/SectionProfiles.h>
#include <vyr/model/struct/structure.h>
#include <vyr/winfile.h>

#include "drawing/DxfReadBack.h"
#include "drawing/ExportFolderTest.h"

namespace vyrtest {

class DesignFixture : public vyrtest::ExportFolderTest
{
protected:
    DesignFixture() : ExportFolderTest("vyr_design_") {}
    void TearDown() override
    {
        Reset();
        ExportFolderTest::TearDown();
    }
    // Empties the scope and forgets the objects of the last case.
    void Reset()
    {
        m_scope.m_NodeList.RemoveAll();
        m_scope.m_BeamList.RemoveAll();
        m_scope.m_PlaneList.RemoveAll();
        m_scope.m_dMaxBeamLength = 0.0;
        m_members.clear();
        m_planes.clear();
        m_nodes.clear();
    }
    CPNode* Node(double x, double y, double z)
    {
        m_nodes.push_back(std::make_unique<CPNode>((int)m_nodes.size() + 1, CPoint3D(x, y, z)));
        return m_nodes.back().get();
    }
    CSectionBase* Section(bool concrete = false)
    {
        CSectionBase* s = concrete ? new CHybridRect : new CSectionBase;
        s->m_strKind = concrete ? "SRC400" : "H300";
        m_sections.emplace_back(s);
        return s;
    }
    // An ordinary member with a section, numbered in order from 1, in the scope.
    CBeam* Member(CPNode* a, CPNode* b, int type = 2, bool concrete = false)
    {
        auto* m = new CBeam((int)m_members.size() + 1, a, b, type);
        m->m_pSection = Section(concrete);
        m_members.emplace_back(m);
        m_scope.m_BeamList.AddTail(m);
        return m;
    }
    // Gives a member concrete areas: group g (from 1), area k (0, 1).
    static void SetAreas(CBeamBase& b, const std::function<float(int, int)>& area)
    {
        delete b.m_pConcreteResult;
        b.m_pConcreteResult = new CConcreteDesignResult;
        for (int g = 1; g <= 5; ++g)
            for (int k = 0; k < 2; ++k)
                b.m_pConcreteResult->fArea[g - 1][k] = area(g, k);
    }
    CPlane* Room(int no)
    {
        m_planes.push_back(std::make_unique<CPlane>());
        m_planes.back()->m_nNo = no;
        m_scope.m_PlaneList.AddTail(m_planes.back().get());
        return m_planes.back().get();
    }
    COutputContentBase& Scope() { return m_scope; }
    // One drawing of a twin on the scope (each twin on its own kind of scope).
    DxfRead Draw(CDlgDrawResult& dlg, const std::function<void(CDXFOutput&, COutputContentBase&, double)>& draw)
    {
        const std::filesystem::path file = m_dir / ("d" + std::to_string(m_files++) + ".dxf");
        if (dynamic_cast<CDlgDrawResult2D*>(&dlg) != nullptr) {
            OUTPUT_CONTENT_2D s;
            static_cast<COutputContentBase&>(s) = m_scope;
            dlg.WriteDrawing(file.string().c_str(), CDlgDrawResult::GetTemplateFile(), s,
                             [&](CDXFOutput& dxf, double h) { draw(dxf, s, h); });
        } else {
            OUTPUT_CONTENT s;
            static_cast<COutputContentBase&>(s) = m_scope;
            dlg.WriteDrawing(file.string().c_str(), CDlgDrawResult::GetTemplateFile(), s,
                             [&](CDXFOutput& dxf, double h) { draw(dxf, s, h); });
        }
        return ReadDxf(file);
    }
    static void ExpectText(const DxfText& t, const char* text, double x, double y, double z, int h, int v)
    {
        EXPECT_EQ(t.text, text);
        EXPECT_NEAR(t.x, x, 1e-5) << text;
        EXPECT_NEAR(t.y, y, 1e-5) << text;
        EXPECT_NEAR(t.z, z, 1e-5) << text;
        EXPECT_EQ(t.layer, "TEXT");
        EXPECT_EQ(t.halign, h == 6 ? 1 : h) << text;  // DXF: 1 centred
        EXPECT_EQ(t.valign, v == 8 ? 1 : 3) << text;  // DXF: 1 bottom, 3 top
    }
    static const DxfText* Find(const DxfRead& d, const std::string& text)
    {
        for (const DxfText& t : d.texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }

    CGlobalData m_data;
    std::vector<std::unique_ptr<CSectionBase>> m_sections;
    std::vector<std::unique_ptr<CPNode>> m_nodes;
    std::vector<std::unique_ptr<CPlane>> m_planes;
    std::vector<std::unique_ptr<CBeamBase>> m_members;
    OUTPUT_CONTENT m_scope;
    int m_files = 0;
};

} // namespace vyrtest
