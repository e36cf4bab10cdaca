// The database reader of the browser: field texts, full row values, the table selection
// by country and position, and the databases that do not open.
#include "stdsec_fixture.h"

#include <cstring>

using namespace stdsec;

namespace {

struct Reader : Project
{
    // The reader alone, on the fixture's Chinese file, with the typed table open.
    void OpenTyped(CDlgStdSectionLib& dlg)
    {
        UseFixture();
        dlg.m_bBrowse = false;
        dlg.m_nEditCountry = 0;
        ASSERT_TRUE(dlg.OpenDatabase());
        dlg.m_strQuery = "SELECT * FROM Typed ORDER BY Typed.[k]";
        dlg.m_nListColumns = 10;
        ASSERT_TRUE(dlg.OpenTable());
    }
};

} // namespace

TEST_F(Reader, FieldTextsOfEveryType)
{
    CDlgStdSectionLib dlg;
    OpenTyped(dlg);
    ASSERT_EQ(dlg.m_nRecordCount, 2);
    ASSERT_EQ(dlg.m_nFieldCount, 10);
    struct Case
    {
        int row, field;
        const char* text;
    };
    // Row 0 is "A" (k 1), row 1 "B" (k 2). Dates in the locale's short form, currency
    // without trailing zeros.
    const Case cases[] = {
        {0, 0, "A"},          {0, 1, "1"},        {1, 2, "70000"},     {0, 2, "-3"},
        {1, 3, "12.35"},      {0, 4, "2.50"},      {0, 5, "TRUE"},
        {1, 5, "FALSE"},      {1, 6, "2000/1/1"}, {0, 6, "2024/3/5 14:07:09"}, {1, 7, "12.5"},
        {0, 8, "----"},       {1, 9, "abc"},
    };
    for (const Case& c : cases) {
        dlg.m_pRecordset->SetAbsolutePosition(c.row);
        CString text;
        dlg.FieldToText(dlg.m_pRecordset->GetFieldValue(c.field), text);
        EXPECT_EQ(text, CString(c.text)) << "row " << c.row << " field " << c.field;
    }
    CString empty;
    dlg.FieldToText(COleVariant(), empty);
    EXPECT_EQ(empty, CString("Unk type 0")) << "the line break of the unknown type is trimmed";
}

TEST_F(Reader, RowValuesAreFullNumbersAndZeroForNullOrText)
{
    CDlgStdSectionLib dlg;
    OpenTyped(dlg);
    std::fill(std::begin(dlg.m_fValues), std::end(dlg.m_fValues), 7.0f);
    dlg.m_pRecordset->SetAbsolutePosition(0);
    dlg.ReadRowValues(12);
    EXPECT_FLOAT_EQ(dlg.m_fValues[0], 1.0f);      // k
    EXPECT_FLOAT_EQ(dlg.m_fValues[1], -3.0f);     // 32-bit
    EXPECT_FLOAT_EQ(dlg.m_fValues[2], 0.125f) << "the list's text keeps two decimals, the value all";
    EXPECT_FLOAT_EQ(dlg.m_fValues[3], 2.5f);      // single
    EXPECT_FLOAT_EQ(dlg.m_fValues[7], 0.0f);      // null
    EXPECT_FLOAT_EQ(dlg.m_fValues[8], 12.0f) << "a text scans as far as it is a number";
    EXPECT_FLOAT_EQ(dlg.m_fValues[10], 0.0f) << "a field the table lacks";
    EXPECT_FLOAT_EQ(dlg.m_fValues[12], 7.0f) << "entries after n are left alone";
    dlg.m_pRecordset->SetAbsolutePosition(1);
    dlg.ReadRowValues(9);
    EXPECT_FLOAT_EQ(dlg.m_fValues[2], 12.346f);
    EXPECT_FLOAT_EQ(dlg.m_fValues[8], 0.0f) << "text that is no number gives 0";
}

TEST_F(Reader, TableSelectionFollowsTheOpenDatabaseAndKeepsThePreviousQuery)
{
    CDlgStdSectionLib dlg;
    dlg.m_bBrowse = false;
    dlg.m_nEditCountry = 0;
    ASSERT_TRUE(dlg.OpenDatabase());
    dlg.SelectTableChina(0, 0);
    EXPECT_EQ(dlg.m_strQuery, CString("SELECT * FROM 热轧等边角钢 ORDER BY 热轧等边角钢.[b(mm)], 热轧等边角钢.[t(mm)]"));
    EXPECT_EQ(dlg.m_nListColumns, 3);
    EXPECT_EQ(dlg.m_nPropCount, 4);
    EXPECT_EQ(dlg.m_nFirstProp, 4);
    EXPECT_EQ(dlg.m_nValueCount, 9);
    dlg.SelectTableChina(0, 2); // no such pair
    dlg.SelectTableUS(1, 0);    // another country's database is not open
    EXPECT_EQ(dlg.m_nListColumns, 3);
    EXPECT_NE(std::string(dlg.m_strQuery).find("热轧等边角钢"), std::string::npos);
    dlg.SelectTableChina(5, 7); // round bars: every sub-type index
    EXPECT_EQ(dlg.m_strQuery, CString("SELECT * FROM 圆钢 ORDER BY 圆钢.[d(mm)]"));
    dlg.SelectTableChina(3, 3);
    EXPECT_EQ(dlg.m_strQuery, CString("SELECT * FROM 大通高频焊接H型钢 ORDER BY 大通高频焊接H型钢.[h(mm)], "
                                      "大通高频焊接H型钢.[b(mm)], 大通高频焊接H型钢.[t(mm)], 大通高频焊接H型钢.[tf(mm)]"));
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 0u);
}

TEST_F(Reader, EveryShippedDatabaseOpensWithItsPassword)
{
    for (int country = 0; country < 4; ++country) {
        CDlgStdSectionLib dlg;
        dlg.m_bBrowse = false;
        dlg.m_nEditCountry = country;
        EXPECT_TRUE(dlg.OpenDatabase()) << country;
        EXPECT_TRUE(dlg.m_database.IsOpen());
    }
    EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 0u);
}

TEST_F(Reader, DatabasesThatDoNotOpenGiveOneMessageAndFalse)
{
    UseFixture();
    struct Case
    {
        int country;
        const char* message;
    };
    // The fixture's American file has another password; it has no British file; country
    // 4 (user sections) has no database at all, which the reader reports (mended).
    const Case cases[] = {{1, "密码无效"}, {2, "找不到文件"}, {4, "没有这个国家"}};
    for (const Case& c : cases) {
        ScriptedUser::Reset();
        ScriptedUser::AnswerMessageBox(IDOK, c.message);
        CDlgStdSectionLib dlg;
        dlg.m_bBrowse = false;
        dlg.m_nEditCountry = c.country;
        EXPECT_FALSE(dlg.OpenDatabase()) << c.country;
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), 1u) << c.country;
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    }
}
