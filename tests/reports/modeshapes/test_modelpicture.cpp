// The model picture: what the drawing component is told in its two passes, the bitmap file
// it leaves, and every way it fails without touching an older file.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include <vyr/raster.h>
#include <vyr/reports/DlgOutputModel.h>
#include "hostkit/DrawingResult.h"
#include "model/output/output_test_util.h"
#include "reports/modeshapes/ModeShapesTest.h"

namespace {

using vyrhost::DrawingProperty;

class ModelPictureTest : public modeshapes::ModeShapesTest
{
protected:
    void SetUp() override
    {
        modeshapes::ModeShapesTest::SetUp();
        vyrhost::RegisterDrawingResult(&m_data);
        m_dlg.m_pData = &m_data;
    }
    void TearDown() override
    {
        vyrhost::UnregisterDrawingResult();
        modeshapes::ModeShapesTest::TearDown();
    }
    std::string Picture() const { return (m_dir / "Tmp" / "temp.bmp").string(); }
    void WriteOldPicture()
    {
        std::filesystem::create_directories(m_dir / "Tmp");
        std::ofstream(Picture()) << "old picture";
    }

    CDlgOutputModel m_dlg;
};

bool SameProperty(const DrawingProperty& p, const char* name, char kind, double value)
{
    return p.name == name && p.kind == kind && std::fabs(p.value - value) < 1e-6;
}

TEST_F(ModelPictureTest, BothPassesGetTheirPropertiesInOrderAndTheSecondTheTextHeight)
{
    ASSERT_TRUE(m_dlg.CreateDraw(3));
    const auto objects = vyrhost::DrawingResultObjects();
    ASSERT_EQ(objects.size(), 2u);
    for (const auto& props : objects) {
        ASSERT_GE(props.size(), 4u);
        EXPECT_TRUE(SameProperty(props[0], "DrawType", 'i', 1));
        EXPECT_TRUE(SameProperty(props[1], "DrawPreType", 'i', 3));
        EXPECT_TRUE(SameProperty(props[2], "Axial", 'b', 0));
        EXPECT_TRUE(SameProperty(props[3], "BeamNo", 'i', 0));
    }
    EXPECT_EQ(objects[0].size(), 4u);
    ASSERT_EQ(objects[1].size(), 5u);
    // The component's extent is the model in elevation: its height in cm, 30 pixels of the
    // 200 high picture, times 0.005.
    const CRect2D extent = Struct().m_pNodeList->GetRealRect(1);
    const double height = extent.top - extent.bottom;
    ASSERT_GT(height, 0.0);
    EXPECT_TRUE(SameProperty(objects[1][4], "TextHeight", 'f', (float)(height * 30 / 200 * 0.005)));
}

TEST_F(ModelPictureTest, ThePictureIsWhiteAroundTheModelFittedTenPixelsInside)
{
    WriteOldPicture(); // replaced
    ASSERT_TRUE(m_dlg.CreateDraw(0));
    vyr::Image img;
    ASSERT_TRUE(vyr::ReadBmp(Picture(), img));
    ASSERT_EQ(img.Width(), 450);
    ASSERT_EQ(img.Height(), 200);
    int inkInside = 0, inkOutside = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 450; ++x) {
            if (img.GetPixel(x, y) == RGB(255, 255, 255))
                continue;
            const bool inside = x >= 10 && x <= 440 && y >= 10 && y <= 190;
            ++(inside ? inkInside : inkOutside);
        }
    EXPECT_EQ(inkOutside, 0);
    EXPECT_GT(inkInside, 100);
    // A second picture replaces the first.
    std::filesystem::last_write_time(Picture(), std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    const auto before = std::filesystem::last_write_time(Picture());
    ASSERT_TRUE(m_dlg.CreateDraw(0));
    EXPECT_GT(std::filesystem::last_write_time(Picture()), before);
}

TEST_F(ModelPictureTest, AModelOfNoHeightGetsATextHeightOfZero)
{
    CGlobalData flat;
    CStruct& s = *flat.Struct();
    auto* a = new CPNode(1, CPoint3D(0, 0, 0));
    auto* b = new CPNode(2, CPoint3D(600, 0, 0));
    s.m_pNodeList->AddTail(a);
    s.m_pNodeList->AddTail(b);
    s.m_pBeamList->AddTail(new CBeam(1, a, b, 2));
    flat.ProjectPath() = m_dir.string().c_str();
    vyrhost::RegisterDrawingResult(&flat);
    CDlgOutputModel dlg;
    dlg.m_pData = &flat;
    ASSERT_TRUE(dlg.CreateDraw(0));
    const auto objects = vyrhost::DrawingResultObjects();
    ASSERT_EQ(objects.size(), 2u);
    ASSERT_EQ(objects[1].size(), 5u);
    EXPECT_TRUE(SameProperty(objects[1][4], "TextHeight", 'f', 0));
}

// Each failure answers false and leaves an older picture as it was.
TEST_F(ModelPictureTest, WithoutTheComponentOrComOrAWritableFolderItAnswersFalse)
{
    WriteOldPicture();
    vyrhost::UnregisterDrawingResult();
    EXPECT_FALSE(m_dlg.CreateDraw(0));
    EXPECT_EQ(outtest::ReadBytes(Picture()), "old picture");

    vyrhost::RegisterDrawingResult(&m_data);
    CoUninitialize();
    EXPECT_FALSE(m_dlg.CreateDraw(0));
    EXPECT_EQ(outtest::ReadBytes(Picture()), "old picture");
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));

    // The picture was drawn but could not be written: no success to report.
    m_data.ProjectPath() = (m_dir / "missing" / "project").string().c_str();
    EXPECT_FALSE(m_dlg.CreateDraw(0));
    EXPECT_EQ(outtest::ReadBytes(Picture()), "old picture");
}

} // namespace
