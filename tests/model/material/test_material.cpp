// Material record: derived values, the shared members of steel and concrete, copies and
// serialisation.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include <vyr/model/material/material.h>

namespace {

CMaterialBase Steel()
{
    CMaterialBase m;
    m.SetID(3);
    m.SetType(1);
    m.Set_f(21.5f);
    m.Set_fv(12.5f);
    m.Set_fy(23.5f);
    m.SetE(206000.0);
    m.SetPoisson(0.3f);
    m.SetExpand(12.0f);
    m.SetDensity(7.85f);
    m.SetEP(0.5);
    m.SetText1("GB50017");
    m.SetName("Q235B");
    return m;
}

} // namespace

TEST(MaterialBase, DerivedValues)
{
    CMaterialBase m = Steel();
    EXPECT_NEAR(m.GetG(), 79230.77, 0.005);
    EXPECT_FLOAT_EQ(m.GetExpand(), 1.2e-5f);
    EXPECT_FLOAT_EQ(m.GetRatio(), (float)(23.5f / 206000.0));
    m.SetExpand(0.0f);
    EXPECT_EQ(m.GetExpand(), 0.0f);
    // No other scaling.
    EXPECT_FLOAT_EQ(m.GetDensity(), 7.85f);
    EXPECT_FLOAT_EQ(m.GetE(), 206000.0f);
    EXPECT_FLOAT_EQ(m.Get_f(), 21.5f);
    EXPECT_FLOAT_EQ(m.GetEP(), 0.5f);
}

TEST(MaterialBase, SteelAndConcreteReadTheSameMembers)
{
    CMaterialBase c;
    c.Set_fc(14.3f);
    c.Set_ft(1.43f);
    EXPECT_FLOAT_EQ(c.Get_fy(), 14.3f);
    EXPECT_FLOAT_EQ(c.Get_fv(), 1.43f);
    c.SetE(30000.0);
    EXPECT_FLOAT_EQ(c.GetRatio(), (float)(14.3f / 30000.0));
}

TEST(MaterialBase, CopyIsIndependent)
{
    CMaterialBase a = Steel();
    CMaterialBase b(a);
    b.SetName("Q345B");
    EXPECT_EQ(a.GetName(), "Q235B");
    EXPECT_EQ(b.GetID(), 3);
    EXPECT_NEAR(b.GetG(), a.GetG(), 1e-3);
}

TEST(MaterialBase, SerializeRoundTrip)
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / ("vyr_mat_" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::string file = (dir / "m.bin").string();
    CMaterialBase a = Steel();
    {
        CFile f;
        ASSERT_TRUE(f.Open(file.c_str(), CFile::modeCreate | CFile::modeWrite));
        CArchive ar(&f, CArchive::store);
        ar << &a;
        ar.Close();
        f.Close();
    }
    CObject* read = nullptr;
    {
        CFile f;
        ASSERT_TRUE(f.Open(file.c_str(), CFile::modeRead));
        CArchive ar(&f, CArchive::load);
        ar >> read;
        ar.Close();
        f.Close();
    }
    std::filesystem::remove_all(dir);
    CMaterialBase* b = DYNAMIC_DOWNCAST(CMaterialBase, read);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetID(), 3);
    EXPECT_EQ(b->GetType(), 1);
    EXPECT_FLOAT_EQ(b->Get_fv(), 12.5f);
    EXPECT_FLOAT_EQ(b->Get_fy(), 23.5f);
    EXPECT_FLOAT_EQ(b->GetE(), 206000.0f);
    EXPECT_FLOAT_EQ(b->GetPoisson(), 0.3f);
    EXPECT_FLOAT_EQ(b->GetExpand(), 1.2e-5f);
    EXPECT_EQ(b->GetText1(), "GB50017");
    EXPECT_EQ(b->GetName(), "Q235B");
    delete read;
}
