// A project folder of the test's own (with its Cal folder and the calculation files the
// time-history step copies) and a small storey model for the mass-point string.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "input/wave/WaveTestKit.h"
#include <vyr/model/struct/structure.h>
#include <vyr/shell.h>
#include <vyr/winfile.h>

namespace thtest {

namespace fs = std::filesystem;

// The wave world's application folder (with its record library) holds the project too.
struct ProjectWorld : wavetest::WaveWorld
{
    CGlobalData& data = host.GlobalData();
    CStruct& st = *data.Struct();
    fs::path project;
    fs::path cal;

    void SetUp() override
    {
        WaveWorld::SetUp();
        project = app / "Work";
        cal = project / "Cal";
        fs::create_directories(cal);
        data.ProjectPath() = VyrWindowsPath(project.string().c_str()).c_str();
        data.ProjectName() = "Tower";
        for (const char* ext : {"pd1", "sub", "dat"})
            Write(cal / (std::string("Common.") + ext), std::string("common ") + ext);
    }

    // VyrTA.wav as the engine reads it: 32-bit little-endian signed integers, byte by byte.
    std::vector<int32_t> ReadWav() const
    {
        const std::string bytes = Read(cal / "VyrTA.wav");
        std::vector<int32_t> out;
        for (size_t i = 0; i + 4 <= bytes.size(); i += 4) {
            const uint32_t u = (uint32_t)(uint8_t)bytes[i] | (uint32_t)(uint8_t)bytes[i + 1] << 8 |
                               (uint32_t)(uint8_t)bytes[i + 2] << 16 | (uint32_t)(uint8_t)bytes[i + 3] << 24;
            out.push_back((int32_t)u);
        }
        EXPECT_EQ(bytes.size() % 4, 0u);
        return out;
    }

    // Model building: the structure owns what is added.
    CPNode* AddNode(int no, int calNo, double x, double y, double z, CFloor* floor = nullptr)
    {
        auto* n = new CPNode(no, CPoint3D(x, y, z));
        n->m_nCalNo = calNo;
        st.m_pNodeList->AddTail(n);
        if (floor != nullptr)
            floor->m_pNodeList->AddTail(n);
        return n;
    }
    CFloor* AddFloor(int no, int kind, double z)
    {
        auto* f = new CFloor(no, 4);
        f->m_nKind = kind;
        f->m_dZ = z;
        st.m_pFloorList->AddTail(f);
        return f;
    }
    CMainNode* AddMaster(CFloor* floor, int no)
    {
        auto* m = new CMainNode(no, CPoint3D(0, 0, floor->m_dZ));
        st.m_pMainNodeList->AddTail(m);
        floor->m_pMainNodeList->AddTail(m);
        return m;
    }
};

} // namespace thtest
