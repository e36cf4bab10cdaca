#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <sqlite3.h>

#include <vyr/dao.h>

namespace {

const char* kFixture = VYR_DAO_FIXTURE;

// Runs fn and returns the error code of the CDaoException it raised (0: none), with its text.
template <class F>
LONG DaoError(F fn, CString* text = nullptr)
{
    try {
        fn();
    } catch (CDaoException* e) {
        LONG code = e->m_pErrorInfo->m_lErrorCode;
        if (text) *text = e->m_pErrorInfo->m_strDescription;
        e->Delete();
        return code;
    }
    return 0;
}

class DaoTest : public ::testing::Test
{
protected:
    void SetUp() override { m_db.Open(kFixture, FALSE, TRUE, ";PWD=secret"); }
    CDaoDatabase m_db;
};

TEST(DaoOpen, RefusesMissingFileWrongPasswordForeignFileAndWriting)
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "vyr-dao-open";
    std::filesystem::create_directories(dir);
    std::string junk = (dir / "junk.sdb").string();
    std::ofstream(junk) << "this is not a database file at all, only some text long enough";

    struct Case
    {
        std::string path;
        const char* connect;
        BOOL readOnly;
        LONG code;
        const char* text;
    } cases[] = {
        {(dir / "none.sdb").string(), ";PWD=secret", TRUE, VYR_DAO_FILE_NOT_FOUND, "找不到文件"},
        {kFixture, ";PWD=wrong", TRUE, VYR_DAO_WRONG_PASSWORD, "密码无效"},
        {kFixture, "", TRUE, VYR_DAO_WRONG_PASSWORD, "密码无效"},
        {junk, ";PWD=secret", TRUE, VYR_DAO_NOT_A_DATABASE, "无法识别的数据库格式"},
        {kFixture, ";PWD=secret", FALSE, VYR_DAO_READ_ONLY, "只读"},
    };
    for (const auto& c : cases) {
        CDaoDatabase db;
        CString text;
        EXPECT_EQ(DaoError([&] { db.Open(c.path.c_str(), FALSE, c.readOnly, c.connect); }, &text), c.code) << c.path;
        EXPECT_NE(text.Find(c.text), -1) << text.GetString();
        EXPECT_FALSE(db.IsOpen());
    }
    std::filesystem::remove_all(dir);
}

TEST(DaoOpen, OpensWithThePasswordAmongOtherConnectParts)
{
    CDaoDatabase db;
    db.Open(kFixture, FALSE, TRUE, "ODBC;pwd=secret;UID=x");
    EXPECT_TRUE(db.IsOpen());
    db.Close();
    EXPECT_FALSE(db.IsOpen());
}

TEST_F(DaoTest, FieldsAreTypedByTheirDeclaredColumnTypes)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM Typed ORDER BY Typed.[k]", dbReadOnly);
    ASSERT_EQ(rs.GetFieldCount(), 10);
    struct
    {
        const char* name;
        short type;
        LONG size;
    } infos[] = {{"名称", dbText, 8},    {"k", dbInteger, 2},     {"n32", dbLong, 4},  {"x", dbDouble, 8},
                 {"f", dbSingle, 4},    {"flag", dbBoolean, 1}, {"day", dbDate, 8},  {"price", dbCurrency, 8},
                 {"gap", dbDouble, 8}};
    for (int i = 0; i < 9; i++) {
        CDaoFieldInfo fi;
        rs.GetFieldInfo(i, fi, AFX_DAO_PRIMARY_INFO);
        EXPECT_EQ(fi.m_strName, infos[i].name);
        EXPECT_EQ(fi.m_nType, infos[i].type) << i;
        EXPECT_EQ(fi.m_lSize, infos[i].size) << i;
    }

    // Row 0 is "A" (k = 1): the sort key orders, not the file order.
    EXPECT_STREQ(rs.GetFieldValue(0).bstrVal, "A");
    EXPECT_EQ(rs.GetFieldValue(1).vt, VT_I2);
    EXPECT_EQ(rs.GetFieldValue(1).iVal, 1);
    EXPECT_EQ(rs.GetFieldValue(2).vt, VT_I4);
    EXPECT_EQ(rs.GetFieldValue(2).lVal, -3);
    EXPECT_EQ(rs.GetFieldValue(3).vt, VT_R8);
    EXPECT_DOUBLE_EQ(rs.GetFieldValue(3).dblVal, 0.125);
    EXPECT_EQ(rs.GetFieldValue(4).vt, VT_R4);
    EXPECT_FLOAT_EQ(rs.GetFieldValue(4).fltVal, 2.5f);
    EXPECT_EQ(rs.GetFieldValue(5).vt, VT_BOOL);
    EXPECT_EQ(rs.GetFieldValue(5).boolVal, VARIANT_TRUE);
    EXPECT_EQ(rs.GetFieldValue(6).vt, VT_DATE);
    EXPECT_EQ(COleDateTime(rs.GetFieldValue(6).date).Format(), "2024/3/5 14:07:09");
    EXPECT_EQ(rs.GetFieldValue(7).vt, VT_CY);
    EXPECT_EQ(rs.GetFieldValue(7).cyVal.int64, -30000);
    EXPECT_EQ(rs.GetFieldValue(8).vt, VT_NULL);
    EXPECT_EQ(rs.GetFieldValue("gap").vt, VT_NULL);

    rs.MoveNext(); // "B"
    EXPECT_DOUBLE_EQ(rs.GetFieldValue(3).dblVal, 12.346);
    EXPECT_EQ(rs.GetFieldValue(5).boolVal, VARIANT_FALSE);
    EXPECT_EQ(COleDateTime(rs.GetFieldValue(6).date).Format(), "2000/1/1");
    EXPECT_EQ(COleCurrency(rs.GetFieldValue(7).cyVal).Format(), "12.5");
    // A text in a numeric column reads as 0.
    EXPECT_EQ(rs.GetFieldValue(9).vt, VT_R8);
    EXPECT_EQ(rs.GetFieldValue(9).dblVal, 0.0);

    rs.MoveNext(); // "C": empty cells are null in every type
    for (int i : {3, 5, 6, 7}) EXPECT_EQ(rs.GetFieldValue(i).vt, VT_NULL) << i;
}

TEST_F(DaoTest, PositionsByIndexAndCountsLikeTheEngine)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT Typed.* FROM Typed ORDER BY Typed.[k]", dbReadOnly);
    EXPECT_FALSE(rs.IsBOF());
    EXPECT_EQ(rs.GetAbsolutePosition(), 0);
    EXPECT_EQ(rs.GetRecordCount(), 1); // only the rows visited so far
    rs.MoveLast();
    EXPECT_EQ(rs.GetAbsolutePosition(), 2);
    EXPECT_EQ(rs.GetRecordCount(), 3);
    rs.SetAbsolutePosition(1);
    EXPECT_STREQ(rs.GetFieldValue(0).bstrVal, "B");
    rs.MoveFirst();
    EXPECT_STREQ(rs.GetFieldValue(0).bstrVal, "A");
    rs.MoveLast();
    rs.MoveNext();
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.GetAbsolutePosition(), -1);
    EXPECT_EQ(DaoError([&] { rs.GetFieldValue(0); }), VYR_DAO_NO_CURRENT_RECORD);
    EXPECT_EQ(DaoError([&] { rs.SetAbsolutePosition(3); }), VYR_DAO_INVALID_ARGUMENT);
    EXPECT_EQ(DaoError([&] { rs.SetAbsolutePosition(-1); }), VYR_DAO_INVALID_ARGUMENT);
    EXPECT_EQ(DaoError([&] { rs.GetFieldValue(10); }), VYR_DAO_INVALID_ARGUMENT);
}

TEST_F(DaoTest, EmptyTableIsAtBothMarks)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM 中国压型钢板 ORDER BY 中国压型钢板.[型号], 中国压型钢板.[t(mm)]", dbReadOnly);
    EXPECT_TRUE(rs.IsBOF());
    EXPECT_TRUE(rs.IsEOF());
    EXPECT_EQ(rs.GetFieldCount(), 10);
    CDaoFieldInfo fi;
    rs.GetFieldInfo(9, fi);
    EXPECT_EQ(fi.m_strName, "b2(mm)");
    EXPECT_EQ(DaoError([&] { rs.MoveLast(); }), VYR_DAO_NO_CURRENT_RECORD);
}

TEST_F(DaoTest, TextKeysOrderByGbkBytes)
{
    CDaoRecordset rs(&m_db);
    rs.Open(dbOpenDynaset, "SELECT * FROM Names ORDER BY Names.[名称]", dbReadOnly);
    // GBK: "Z" 5A < "啊" B0A1 < "一" D2BB (UTF-8 would put 一 before 啊).
    const char* expected[] = {"Z", "啊", "一"};
    for (int r = 0; r < 3; r++) {
        rs.SetAbsolutePosition(r);
        EXPECT_STREQ(rs.GetFieldValue(0).bstrVal, expected[r]) << r;
    }
}

TEST_F(DaoTest, MissingTableAndWritingAreRefused)
{
    CDaoRecordset rs(&m_db);
    CString text;
    EXPECT_EQ(DaoError([&] { rs.Open(dbOpenDynaset, "SELECT * FROM 方钢 ORDER BY 方钢.[b(mm)]", dbReadOnly); }, &text),
              VYR_DAO_NO_SUCH_TABLE);
    EXPECT_NE(text.Find("方钢"), -1);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_NE(DaoError([&] { rs.Open(dbOpenDynaset, "DELETE FROM Typed", 0); }), 0);
    rs.Open(dbOpenDynaset, "SELECT * FROM Typed", dbReadOnly);
    rs.MoveLast();
    EXPECT_EQ(rs.GetRecordCount(), 3);
}

// A database of ours (password "secret") made by running the statements, in a fresh folder.
std::string MakeDatabase(const char* name, const std::vector<std::string>& statements)
{
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "vyr-dao-made";
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    std::vector<std::string> all = {"CREATE TABLE VyrDatabaseInfo (name TEXT PRIMARY KEY, value TEXT)",
                                    "INSERT INTO VyrDatabaseInfo VALUES ('password', 'secret')"};
    all.insert(all.end(), statements.begin(), statements.end());
    for (const std::string& sql : all)
        EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sql;
    sqlite3_close(db);
    return path;
}

TEST(DaoValues, CurrencyBeyondSixtyFourBitsReadsAsNull)
{
    // 1e300 once went to llround unchecked: undefined, in practice a garbage amount.
    const std::string path = MakeDatabase("money.sdb", {"CREATE TABLE Money (k INTEGER, price CURRENCY)",
                                                        "INSERT INTO Money VALUES (1, 12.5), (2, 1e300), (3, -1e300), "
                                                        "(4, 922337203685477.5807), (5, -900000000000000)"});
    CDaoDatabase db;
    db.Open(path.c_str(), FALSE, TRUE, ";PWD=secret");
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT price FROM Money ORDER BY k", dbReadOnly);
    // 922337203685477.5807 is just beyond what the ten-thousandths hold (2^63 - 1).
    const bool null[] = {false, true, true, true, false};
    const long long amount[] = {125000, 0, 0, 0, -9000000000000000000LL};
    for (int r = 0; r < 5; ++r) {
        rs.SetAbsolutePosition(r);
        const COleVariant v = rs.GetFieldValue(0);
        EXPECT_EQ(v.vt, null[r] ? VT_NULL : VT_CY) << r;
        if (!null[r]) {
            EXPECT_EQ(v.cyVal.int64, amount[r]) << r;
        }
    }
}

TEST(DaoValues, DatesOutsideTheYears100To9999OrTheDayReadAsNull)
{
    // An infinite day number once reached the conversion to whole days unchecked, and an
    // hour of 99999999 overflowed the seconds of the day.
    const std::string path = MakeDatabase("days.sdb", {"CREATE TABLE Days (k INTEGER, day DATETIME)",
                                                       "INSERT INTO Days VALUES (1, 36526), (2, 1e309), (3, -700000), "
                                                       "(4, 2958466), (5, '2000-01-01 99999999:00'), "
                                                       "(6, '2000-01-01 23:59:59'), (7, '2000-01-01 12:60')"});
    CDaoDatabase db;
    db.Open(path.c_str(), FALSE, TRUE, ";PWD=secret");
    CDaoRecordset rs(&db);
    rs.Open(dbOpenDynaset, "SELECT day FROM Days ORDER BY k", dbReadOnly);
    const char* expected[] = {"2000/1/1", nullptr, nullptr, nullptr, nullptr, "2000/1/1 23:59:59", nullptr};
    for (int r = 0; r < 7; ++r) {
        rs.SetAbsolutePosition(r);
        const COleVariant v = rs.GetFieldValue(0);
        EXPECT_EQ(v.vt, expected[r] ? VT_DATE : VT_NULL) << r;
        if (expected[r]) {
            EXPECT_EQ(COleDateTime(v.date).Format(), expected[r]) << r;
        }
    }
}

TEST(OleValues, DatesCountDaysFrom1899AndCurrencyKeepsTenThousandths)
{
    EXPECT_DOUBLE_EQ(COleDateTime(2000, 1, 1, 0, 0, 0).m_dt, 36526.0);
    EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 30, 12, 0, 0).m_dt, 0.5);
    COleDateTime d(1900, 3, 1, 6, 30, 0);
    EXPECT_EQ(d.GetYear(), 1900);
    EXPECT_EQ(d.GetMonth(), 3);
    EXPECT_EQ(d.GetDay(), 1);
    EXPECT_EQ(d.Format(), "1900/3/1 6:30:00");
    struct
    {
        long long v;
        const char* text;
    } cy[] = {{125000, "12.5"}, {-30000, "-3"}, {1, "0.0001"}, {0, "0"}, {-12345678, "-1234.5678"}};
    for (auto& c : cy) {
        CY x;
        x.int64 = c.v;
        EXPECT_EQ(COleCurrency(x).Format(), c.text);
    }
}

TEST(OleValues, VariantCopiesOwnTheirText)
{
    COleVariant a("型号");
    COleVariant b;
    b = a;
    a = COleVariant(1.5);
    EXPECT_STREQ(b.bstrVal, "型号");
    EXPECT_EQ(a.bstrVal, nullptr);
}

TEST(OleValues, MovedVariantsKeepTheirTextAndLeaveTheSourceEmpty)
{
    // Short texts live inside the string object itself, so the text pointer must follow.
    std::vector<COleVariant> cells;
    for (int i = 0; i < 100; ++i) cells.push_back(COleVariant(i % 2 ? "L50x5" : "一个相当长的型号文字，超过短字符串的长度"));
    cells.push_back(COleVariant(2.5));
    EXPECT_STREQ(cells[1].bstrVal, "L50x5");
    EXPECT_STREQ(cells[98].bstrVal, "一个相当长的型号文字，超过短字符串的长度");
    EXPECT_EQ(cells[100].bstrVal, nullptr);
    EXPECT_EQ(cells[100].vt, VT_R8);
    COleVariant moved(std::move(cells[1]));
    EXPECT_STREQ(moved.bstrVal, "L50x5");
    EXPECT_EQ(moved.vt, VT_BSTR);
    EXPECT_EQ(cells[1].vt, VT_EMPTY);
    EXPECT_EQ(cells[1].bstrVal, nullptr);
}

} // namespace
