// The profiled-sheet database: the value text shared with the section reader, the query's
// order, the list, the details line and the numbers of a record.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <vyr/controls.h>
#include <vyr/libraries/DaoText.h>
#include <vyr/libraries/ProfiledSheet.h>
#include <vyr/winfile.h>

namespace {

CString Text(const COleVariant& v)
{
    CString t;
    VyrFieldToText(v, t);
    return t;
}

TEST(FieldText, EveryValueTypeTrimmed)
{
    CY cy;
    cy.int64 = 125000;
    const struct
    {
        COleVariant value;
        const char* text;
    } cases[] = {
        {COleVariant::Null(), "----"},
        {COleVariant((short)-7), "-7"},
        {COleVariant((long)70000, VT_I4), "70000"},
        {COleVariant(0.75f), "0.75"},      // "      0.75" before trimming
        {COleVariant(1234.5678), "1234.57"},
        {COleVariant(1e10), "10000000000.00"},
        {COleVariant(cy), "12.5"},
        {COleVariant::Date(COleDateTime(2024, 3, 5, 0, 0, 0).m_dt), "2024/3/5"},
        {COleVariant("  YX51-250-750 "), "YX51-250-750"},
        {COleVariant::Bool(true), "TRUE"},
        {COleVariant::Bool(false), "FALSE"},
        {COleVariant(), "Unk type 0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Text(c.value), CString(c.text)) << c.text;
}

// The tests' sheet database below a test application folder.
struct SheetDB : ::testing::Test
{
    std::string saved;
    void SetUp() override
    {
        saved = VyrGetAppFolder();
        VyrSetAppFolder(VYR_SHEET_APP);
    }
    void TearDown() override { VyrSetAppFolder(saved.c_str()); }
};

TEST_F(SheetDB, RecordsComeBackByModelThicknessHeightSpacing)
{
    CProfiledSheetDB db;
    db.Open();
    ASSERT_TRUE(db.IsOpen());
    EXPECT_EQ(db.GetRecordCount(), 5);
    EXPECT_EQ(db.GetPosition(), 0);
    CWnd host;
    ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP, CRect(0, 0, 500, 300), nullptr, 0));
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 400, 200), &host, 1145));
    db.SetupColumns(list);
    db.FillList(list);
    EXPECT_EQ(db.GetPosition(), 0) << "the first record is current after the fill";
    const char* heads[] = {"型号", "t(mm)", "H(mm)", "S(mm)"};
    for (int c = 0; c < 4; ++c) {
        LVCOLUMN col{};
        char name[64] = {};
        col.mask = LVCF_TEXT;
        col.pszText = name;
        col.cchTextMax = sizeof name;
        list.GetColumn(c, &col);
        EXPECT_STREQ(name, heads[c]);
        EXPECT_EQ(list.GetColumnWidth(c), c == 0 ? 120 : 60);
    }
    LVCOLUMN none{};
    none.mask = LVCF_WIDTH;
    EXPECT_FALSE(list.GetColumn(4, &none)) << "four columns only";
    // Stored as rows 3, 5, 2, 4, 1 of the ordered query.
    const char* rows[][4] = {
        {"AB38-150-750", "0.80", "38.00", "150.00"},
        {"YX51-250-750", "0.75", "51.00", "250.00"},
        {"YX51-250-750", "1.20", "51.00", "250.00"},
        {"YX75-200-600", "1.00", "75.90", "150.00"},
        {"YX75-200-600", "1.00", "75.90", "200.00"},
    };
    ASSERT_EQ(list.GetItemCount(), 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c)
            EXPECT_EQ(list.GetItemText(r, c), CString(rows[r][c])) << r << "," << c;
    list.DestroyWindow();
    host.DestroyWindow();
}

TEST_F(SheetDB, DetailsAndNumbersOfARecordWithNullB2)
{
    CProfiledSheetDB db;
    db.Open();
    ASSERT_TRUE(db.MoveTo(4));
    EXPECT_EQ(db.Details(), CString("型号=YX75-200-600 t(mm)=1.00 H(mm)=75.90 S(mm)=200.00 Be(mm)=600.00 B(mm)=600.00 "
                                    "Ief(cm^4/m)=101.20 Wef(cm^3/m)=26.10 b1(mm)=110.00 b2(mm)=---- "));
    float v[9];
    for (float& x : v) x = -1.0f;
    db.ReadNumbers(v);
    const float expected[9] = {1.0f, 75.9f, 200.0f, 600.0f, 600.0f, 101.2f, 26.1f, 110.0f, 0.0f};
    for (int i = 0; i < 9; ++i)
        EXPECT_FLOAT_EQ(v[i], expected[i]) << i;
    // The numbers are read from the texts, so they carry the texts' two decimals.
    ASSERT_TRUE(db.MoveTo(2));
    db.ReadNumbers(v);
    EXPECT_FLOAT_EQ(v[5], 59.07f);
    EXPECT_FLOAT_EQ(v[8], 40.0f);
    EXPECT_FALSE(db.MoveTo(5));
    EXPECT_FALSE(db.MoveTo(-1));
    EXPECT_EQ(db.GetPosition(), 2);
}

TEST_F(SheetDB, MissingDatabaseRaisesAndStaysClosed)
{
    const std::filesystem::path empty = std::filesystem::temp_directory_path() / "vyr-no-sheets";
    std::filesystem::create_directories(empty);
    VyrSetAppFolder(empty.string().c_str());
    CProfiledSheetDB db;
    LONG code = 0;
    try {
        db.Open();
    } catch (CDaoException* e) {
        code = e->m_pErrorInfo->m_lErrorCode;
        e->Delete();
    }
    EXPECT_EQ(code, VYR_DAO_FILE_NOT_FOUND);
    EXPECT_FALSE(db.IsOpen());
    EXPECT_EQ(db.GetRecordCount(), 0);
    EXPECT_EQ(db.FieldText(0), CString());
}

} // namespace
