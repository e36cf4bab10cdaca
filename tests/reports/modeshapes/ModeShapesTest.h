// The frame of the model picture and mode-shape tests: a main window, COM on the test's
// thread, the sample model with its modes and shapes, and a project folder of its own.
#pragma once

#include <filesystem>
#include <random>
#include <string>

#include <vyr/com.h>
#include <vyr/model/struct/SampleModel.h>
#include <vyr/model/struct/structure.h>
#include "storey/StoreyTest.h"

namespace modeshapes {

class ModeShapesTest : public storeytest::StoreyTest
{
protected:
    void SetUp() override
    {
        storeytest::StoreyTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        std::random_device rd;
        m_dir = std::filesystem::temp_directory_path() / ("vyr_modeshapes_" + std::to_string(rd()));
        std::filesystem::create_directories(m_dir);
        BuildSampleModel(m_data);
        AddSampleModeShapes(m_data);
        m_data.ProjectPath() = m_dir.string().c_str();
        m_data.ProjectName() = "Tower";
    }
    void TearDown() override
    {
        CoUninitialize();
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
        storeytest::StoreyTest::TearDown();
    }
    CStruct& Struct() { return *m_data.Struct(); }

    CGlobalData m_data;
    std::filesystem::path m_dir;
};

} // namespace modeshapes
