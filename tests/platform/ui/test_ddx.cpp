// Data exchange: numbers written as the class library writes them, texts read back,
// refusals with their messages, range checks, and the combo/list/radio exchanges.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include <vyr/controls.h>
#include <vyr/ddx.h>
#include <vyr/dialog.h>
#include <vyr/resources.h>
#include <vyr/scripteduser.h>
#include <vyr/vyrdiag.h>

namespace {

using vyr::ScriptedUser;
constexpr int IDC_E = 100, IDC_COMBO = 101, IDC_DROP = 102, IDC_LIST = 103, IDC_R1 = 104, IDC_R2 = 105,
              IDC_R3 = 106, IDC_AFTER = 107;

class CExchangeDlg : public CDialog
{
public:
    CExchangeDlg()
    {
        m_tmpl.id = 9201;
        m_tmpl.style = WS_POPUP | WS_CAPTION;
        m_tmpl.rect = CRect(0, 0, 300, 200);
        auto add = [&](const char* cls, int id, DWORD style) {
            vyr::DialogControl c;
            c.className = cls;
            c.id = id;
            c.style = style | WS_CHILD | WS_VISIBLE | WS_TABSTOP;
            c.rect = CRect(5, 5 + 20 * (int)m_tmpl.controls.size(), 150, 25 + 20 * (int)m_tmpl.controls.size());
            m_tmpl.controls.push_back(c);
        };
        add("Edit", IDC_E, ES_AUTOHSCROLL);
        add("ComboBox", IDC_COMBO, CBS_DROPDOWNLIST);
        add("ComboBox", IDC_DROP, CBS_DROPDOWN);
        add("ListBox", IDC_LIST, LBS_NOTIFY);
        add("Button", IDC_R1, BS_AUTORADIOBUTTON | WS_GROUP);
        add("Button", IDC_R2, BS_AUTORADIOBUTTON);
        add("Static", IDC_STATIC, SS_LEFT); // not a radio: skipped, does not end the group
        add("Button", IDC_R3, BS_AUTORADIOBUTTON);
        add("Button", IDC_AFTER, BS_AUTORADIOBUTTON | WS_GROUP);
        VERIFY(CreateIndirect(&m_tmpl));
        for (int id : {IDC_COMBO, IDC_DROP}) {
            auto* c = static_cast<CComboBox*>(GetDlgItem(id));
            for (const char* s : {"Q235", "Q345", "Q345B"})
                c->AddString(s);
        }
        auto* l = static_cast<CListBox*>(GetDlgItem(IDC_LIST));
        for (const char* s : {"一层", "二层"})
            l->AddString(s);
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (exchange)
            exchange(pDX);
    }
    std::function<void(CDataExchange*)> exchange;
    vyr::DialogTemplate m_tmpl;
};

class DdxTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ScriptedUser::Reset();
        ScriptedUser::SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
    }
    void TearDown() override
    {
        EXPECT_TRUE(failures.empty()) << failures.front();
        EXPECT_EQ(ScriptedUser::PendingSteps(), 0u);
    }
    CString Text(int id)
    {
        CString s;
        dlg.GetDlgItemText(id, s);
        return s;
    }
    std::vector<std::string> failures;
    CExchangeDlg dlg;
};

template <typename T>
std::function<std::string(CDataExchange*)> Load(T v)
{
    return [v](CDataExchange* dx) mutable {
        DDX_Text(dx, IDC_E, v);
        return std::string();
    };
}

TEST_F(DdxTest, NumbersAreWrittenAsTheClassLibraryWritesThem)
{
    struct Case
    {
        std::function<std::string(CDataExchange*)> ddx;
        const char* shown;
    } cases[] = {
        {Load(60.0), "60"},
        {Load(0.1), "0.1"},
        {Load(1.0 / 3), "0.333333333333333"},
        {Load(-2.5e-7), "-2.5e-07"},
        {Load(1e20), "1e+20"},
        {Load(0.1f), "0.1"},
        {Load(1.0f / 3), "0.333333"},
        {Load(123456789.0f), "1.23457e+08"},
        {Load(-5), "-5"},
        {Load(4000000000u), "4000000000"},
        {Load((short)-32768), "-32768"},
        {Load((BYTE)255), "255"},
        {Load(-7L), "-7"},
        {Load(CString("钢梁 H300")), "钢梁 H300"},
    };
    for (const Case& c : cases) {
        dlg.exchange = [&](CDataExchange* dx) { c.ddx(dx); };
        EXPECT_TRUE(dlg.UpdateData(FALSE));
        EXPECT_EQ(Text(IDC_E), c.shown);
    }
}

TEST_F(DdxTest, TypedTextsAreReadOrRefused)
{
    const char* integer = "请输入一个整数。";
    const char* positive = "请输入一个正整数。";
    const char* number = "请输入一个数字。";
    struct Case
    {
        const char* typed;
        const char* refusal; // null: accepted
        std::string expected;
        std::function<std::string(CDataExchange*)> ddx;
    };
    auto asInt = [](CDataExchange* dx) { int v = -99; DDX_Text(dx, IDC_E, v); return std::to_string(v); };
    auto asUInt = [](CDataExchange* dx) { UINT v = 99; DDX_Text(dx, IDC_E, v); return std::to_string(v); };
    auto asShort = [](CDataExchange* dx) { short v = 0; DDX_Text(dx, IDC_E, v); return std::to_string(v); };
    auto asByte = [](CDataExchange* dx) { BYTE v = 0; DDX_Text(dx, IDC_E, v); return std::to_string(v); };
    auto asLong = [](CDataExchange* dx) { long v = 0; DDX_Text(dx, IDC_E, v); return std::to_string(v); };
    auto asDouble = [](CDataExchange* dx) { double v = 0; DDX_Text(dx, IDC_E, v); return vyr::FormatDouble(v).str(); };
    auto asFloat = [](CDataExchange* dx) { float v = 0; DDX_Text(dx, IDC_E, v); return vyr::FormatFloat(v).str(); };
    auto asText = [](CDataExchange* dx) { CString v; DDX_Text(dx, IDC_E, v); return v.str(); };
    const Case cases[] = {
        {" 42 ", nullptr, "42", asInt},
        {"-2147483648", nullptr, "-2147483648", asInt},
        {"2147483648", integer, "", asInt},
        {"4x", integer, "", asInt},
        {"", integer, "", asInt},
        {"1.5", integer, "", asInt},
        {"4294967295", nullptr, "4294967295", asUInt},
        {"-1", positive, "", asUInt},
        {"4294967296", positive, "", asUInt},
        {"-32768", nullptr, "-32768", asShort},
        {"40000", integer, "", asShort},
        {"255", nullptr, "255", asByte},
        {"256", "请输入一个介于 0 和 255 之间的整数。", "", asByte},
        {"-12", nullptr, "-12", asLong},
        {"2147483648", integer, "", asLong}, // long keeps its 32-bit range
        {"1e3", nullptr, "1000", asDouble},
        {" -0.25 ", nullptr, "-0.25", asDouble},
        {"12.", nullptr, "12", asDouble},
        {"0x10", number, "", asDouble},
        {"inf", number, "", asDouble},
        {"nan", number, "", asDouble},
        {"1,5", number, "", asDouble},
        {"1e999", number, "", asDouble},
        {"", number, "", asDouble},
        {"3.5", nullptr, "3.5", asFloat},
        {"1e39", number, "", asFloat},
        {"  字 符 ", nullptr, "  字 符 ", asText},
    };
    for (const Case& c : cases) {
        ScriptedUser::Reset();
        ScriptedUser::SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
        if (c.refusal)
            ScriptedUser::AnswerMessageBox(IDOK);
        dlg.SetDlgItemText(IDC_E, c.typed);
        dlg.GetDlgItem(IDC_COMBO)->SetFocus();
        std::string got;
        dlg.exchange = [&](CDataExchange* dx) { got = c.ddx(dx); };
        BOOL ok = dlg.UpdateData(TRUE);
        auto boxes = ScriptedUser::MessageBoxes();
        if (c.refusal) {
            EXPECT_FALSE(ok) << c.typed;
            ASSERT_EQ(boxes.size(), 1u) << c.typed;
            EXPECT_EQ(boxes[0].text, c.refusal) << c.typed;
            EXPECT_EQ(CWnd::GetFocus(), dlg.GetDlgItem(IDC_E)) << c.typed;
        } else {
            EXPECT_TRUE(ok) << c.typed;
            EXPECT_TRUE(boxes.empty()) << c.typed;
            EXPECT_EQ(got, c.expected) << c.typed;
        }
    }
}

TEST_F(DdxTest, RangeChecksRefuseOnlyWhenReading)
{
    struct Case
    {
        const char* typed;
        const char* refusal;
        std::function<void(CDataExchange*)> ddx;
    };
    const Case cases[] = {
        {"11", "请输入一个介于 1 和 10 之间的整数。",
         [](CDataExchange* dx) { int v; DDX_Text(dx, IDC_E, v); DDV_MinMaxInt(dx, v, 1, 10); }},
        {"10", nullptr, [](CDataExchange* dx) { int v; DDX_Text(dx, IDC_E, v); DDV_MinMaxInt(dx, v, 1, 10); }},
        {"3", "请输入一个介于 0.5 和 2.5 之间的数字。",
         [](CDataExchange* dx) { float v; DDX_Text(dx, IDC_E, v); DDV_MinMaxFloat(dx, v, 0.5f, 2.5f); }},
        {"0.1", "请输入一个介于 0.2 和 1000000 之间的数字。",
         [](CDataExchange* dx) { double v; DDX_Text(dx, IDC_E, v); DDV_MinMaxDouble(dx, v, 0.2, 1e6); }},
        {"7", "请输入一个介于 8 和 9 之间的整数。",
         [](CDataExchange* dx) { UINT v; DDX_Text(dx, IDC_E, v); DDV_MinMaxUInt(dx, v, 8, 9); }},
        {"-3", "请输入一个介于 -2 和 2 之间的整数。",
         [](CDataExchange* dx) { long v; DDX_Text(dx, IDC_E, v); DDV_MinMaxLong(dx, v, -2, 2); }},
        // Four GBK bytes: two Chinese characters pass, three do not.
        {"钢梁", nullptr, [](CDataExchange* dx) { CString v; DDX_Text(dx, IDC_E, v); DDV_MaxChars(dx, v, 4); }},
        {"钢梁柱", "请输入不超过 4 个字符。",
         [](CDataExchange* dx) { CString v; DDX_Text(dx, IDC_E, v); DDV_MaxChars(dx, v, 4); }},
    };
    for (const Case& c : cases) {
        ScriptedUser::Reset();
        ScriptedUser::SetFailureHandler([this](const std::string& m) { failures.push_back(m); });
        if (c.refusal)
            ScriptedUser::AnswerMessageBox(IDOK, c.refusal);
        dlg.SetDlgItemText(IDC_E, c.typed);
        dlg.exchange = c.ddx;
        EXPECT_EQ(dlg.UpdateData(TRUE), c.refusal ? FALSE : TRUE) << c.typed;
        EXPECT_EQ(ScriptedUser::MessageBoxes().size(), c.refusal ? 1u : 0u) << c.typed;
    }
    // Writing a value out of range into the controls is not refused.
    int big = 99;
    dlg.exchange = [&](CDataExchange* dx) { DDX_Text(dx, IDC_E, big); DDV_MinMaxInt(dx, big, 1, 10); };
    EXPECT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(Text(IDC_E), "99");
}

TEST_F(DdxTest, CombosListsChecksAndRadios)
{
    int index = 1, radio = 2, after = 0;
    CString drop = "Q345", exact = "Q345", custom = "自定义", listText = "二层";
    dlg.exchange = [&](CDataExchange* dx) {
        DDX_CBIndex(dx, IDC_COMBO, index);
        DDX_CBStringExact(dx, IDC_DROP, exact);
        DDX_LBString(dx, IDC_LIST, listText);
        DDX_Radio(dx, IDC_R1, radio);
        DDX_Radio(dx, IDC_AFTER, after);
    };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_COMBO, CB_GETCURSEL), 1);
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_DROP, CB_GETCURSEL), 1); // exact: not "Q345B"
    EXPECT_EQ(dlg.SendDlgItemMessage(IDC_LIST, LB_GETCURSEL), 1);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_R3), BST_CHECKED); // third radio; the static is skipped
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_R1), BST_UNCHECKED);
    EXPECT_EQ(dlg.IsDlgButtonChecked(IDC_AFTER), BST_CHECKED); // its own group
    dlg.CheckRadioButton(IDC_R1, IDC_R3, IDC_R2);
    dlg.SendDlgItemMessage(IDC_COMBO, CB_SETCURSEL, 2);
    dlg.SendDlgItemMessage(IDC_LIST, LB_SETCURSEL, 0);
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(index, 2);
    EXPECT_EQ(radio, 1);
    EXPECT_EQ(listText, "一层");
    EXPECT_EQ(exact, "Q345");
    // A text that is not in an editable combo's list stays as its text.
    dlg.exchange = [&](CDataExchange* dx) { DDX_CBString(dx, IDC_DROP, custom); };
    ASSERT_TRUE(dlg.UpdateData(FALSE));
    CString back;
    dlg.exchange = [&](CDataExchange* dx) { DDX_CBString(dx, IDC_DROP, back); };
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(back, "自定义");
    // Checks: the three states, anything else shows unchecked.
    dlg.CheckRadioButton(IDC_R1, IDC_R3, 0);
    radio = 5;
    dlg.exchange = [&](CDataExchange* dx) { DDX_Radio(dx, IDC_R1, radio); };
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(radio, -1); // none checked
}

TEST(DdxDeathTest, ExchangeWithAMissingControlStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            CExchangeDlg dlg;
            int v = 0;
            dlg.exchange = [&](CDataExchange* dx) { DDX_Text(dx, 4242, v); };
            dlg.UpdateData(FALSE);
        },
        "control 4242");
}

} // namespace
