// Reading resource scripts: dialog templates with every statement kind, ids from headers,
// style flags, DLGINIT, string tables, files, errors with their place.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <vyr/resources.h>

using namespace vyr;

namespace {

// Folders made by the tests, removed when the program ends (templates handed out point
// into resource sets read from them until then).
struct MadeDirs
{
    std::vector<std::filesystem::path> dirs;
    ~MadeDirs()
    {
        std::error_code ec;
        for (const auto& d : dirs) std::filesystem::remove_all(d, ec);
    }
};

std::filesystem::path FreshDir(const char* name)
{
    static MadeDirs made;
    auto d = std::filesystem::temp_directory_path() / (std::string("vyr_res_") + name + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(d);
    std::filesystem::create_directories(d);
    made.dirs.push_back(d);
    return d;
}

void Write(const std::filesystem::path& p, const std::string& text)
{
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

const char* kHeader = R"(// ids
#define IDD_SAMPLE                      30010
#define IDC_NAME                        1000
#define IDC_KIND                        1001
#define IDC_LIST                        1002
#define IDC_SORTED                      (IDC_LIST + 1)
#define IDB_ARROW                       140
#define IDS_HELLO                       57000
#ifndef IDC_STATIC
#define IDC_STATIC -1
#endif
)";

const char* kScript = R"(#include "resource.h"
#pragma code_page(65001)
#include "afxres.h"

#ifdef APSTUDIO_INVOKED
1 TEXTINCLUDE
BEGIN
    "resource.h\0"
END
#endif

LANGUAGE 4, 2

IDD_SAMPLE DIALOGEX 0, 0, 200, 120
LANGUAGE LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED
STYLE DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
CAPTION "样例 ""对话框"""
FONT 9, "宋体", 400, 0, 0x86
BEGIN
    LTEXT           "名称:",IDC_STATIC,7,9,30,8
    RTEXT           "右",IDC_STATIC,40,9,20,8,NOT WS_GROUP
    CTEXT           "中",IDC_STATIC,60,9,20,8
    EDITTEXT        IDC_NAME,40,7,80,14,ES_AUTOHSCROLL | ES_READONLY
    COMBOBOX        IDC_KIND,40,25,80,60,CBS_DROPDOWNLIST | CBS_SORT |
                    WS_VSCROLL | WS_TABSTOP
    LISTBOX         IDC_SORTED,130,7,60,40,LBS_SORT | LBS_NOINTEGRALHEIGHT
    CONTROL         "",IDC_LIST,"SysListView32",LVS_REPORT | LVS_SINGLESEL |
                    WS_BORDER | WS_TABSTOP,7,45,120,50
    CONTROL         "Tab",1010,"SysTabControl32",0x0,7,100,50,12
    CONTROL         "",1011,"msctls_progress32",WS_BORDER,60,100,50,8
    CONTROL         "",1012,"msctls_updown32",UDS_ARROWKEYS,110,100,10,12
    CONTROL         "",1013,"RichEdit20A",ES_MULTILINE | WS_VSCROLL,130,50,60,40,WS_EX_CLIENTEDGE
    CONTROL         "检查",1014,"Button",BS_AUTOCHECKBOX | WS_TABSTOP,7,110,40,10
    CONTROL         "",1015,"MfcGridCtrl",WS_TABSTOP,0,0,1,1
    GROUPBOX        "组",IDC_STATIC,125,95,70,22
    CHECKBOX        "框",1016,130,100,30,10
    AUTOCHECKBOX    "自动",1017,160,100,30,10
    RADIOBUTTON     "甲",1018,130,108,20,8,WS_GROUP
    AUTORADIOBUTTON "乙",1019,150,108,20,8
    AUTO3STATE      "三",1020,170,108,20,8
    PUSHBUTTON      "取消",IDCANCEL,143,99,50,14
    DEFPUSHBUTTON   "确定",IDOK,143,80,50,14
    ICON            IDB_ARROW,IDC_STATIC,180,2
    SCROLLBAR       1021,0,115,100,5,SBS_HORZ
END

IDD_SAMPLE DLGINIT
BEGIN
    IDC_KIND, 0x403, 6, 0, "钢梁"
    IDC_KIND, 0x403, 3, 0, 0x4241, 0x0000
    IDC_SORTED, 0x401, 2, 0, "x"
    0
END

STRINGTABLE
BEGIN
    IDS_HELLO               "你好\n世界"
    57001,                  "second"
END

IDB_ARROW               BITMAP                  "res\\arrow.bmp"
IDR_WAVE                "WAVE"                  "res\\beep.wav"
IDR_MENU1 MENU
BEGIN
    POPUP "文件"
    BEGIN
        MENUITEM "打开",                        ID_FILE_OPEN_UNDEFINED
    END
END
200                     CURSOR                  "res/pick.cur"

1 VERSIONINFO
 FILEVERSION 1,0,0,1
BEGIN
    BLOCK "StringFileInfo"
    BEGIN
        VALUE "CompanyName", "x"
    END
END
)";

} // namespace

TEST(ResourceScript, DialogTemplateHoldsEveryControlKind)
{
    auto dir = FreshDir("full");
    Write(dir / "resource.h", kHeader);
    Write(dir / "vyr.rc", kScript);
    ResourceSet set;
    std::string err;
    ASSERT_TRUE(set.ParseFile((dir / "vyr.rc").string(), &err)) << err;

    const DialogTemplate* d = set.FindDialog(30010);
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d, set.FindDialog("IDD_SAMPLE"));
    EXPECT_EQ(d->caption, "样例 \"对话框\"");
    EXPECT_EQ(d->fontName, "宋体");
    EXPECT_EQ(d->fontSize, 9);
    EXPECT_TRUE(d->extended);
    EXPECT_EQ(d->style, (DWORD)(DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU));
    // 200 x 120 dialog units at base units 6 x 13.
    EXPECT_EQ(d->rect, CRect(0, 0, 300, 195));

    struct Expect
    {
        int index;
        const char* cls;
        int id;
        const char* text;
        DWORD style;
    };
    const DWORD vis = WS_CHILD | WS_VISIBLE;
    const Expect table[] = {
        {0, "Static", -1, "名称:", vis | SS_LEFT | WS_GROUP},
        {1, "Static", -1, "右", vis | SS_RIGHT},
        {2, "Static", -1, "中", vis | SS_CENTER | WS_GROUP},
        {3, "Edit", 1000, "", vis | ES_LEFT | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL | ES_READONLY},
        {4, "ComboBox", 1001, "", vis | CBS_DROPDOWNLIST | CBS_SORT | WS_VSCROLL | WS_TABSTOP},
        {5, "ListBox", 1003, "", vis | LBS_NOTIFY | WS_BORDER | LBS_SORT | LBS_NOINTEGRALHEIGHT},
        {6, "SysListView32", 1002, "", vis | LVS_REPORT | LVS_SINGLESEL | WS_BORDER | WS_TABSTOP},
        {7, "SysTabControl32", 1010, "Tab", vis},
        {8, "msctls_progress32", 1011, "", vis | WS_BORDER},
        {9, "msctls_updown32", 1012, "", vis | UDS_ARROWKEYS},
        {10, "RichEdit20A", 1013, "", vis | ES_MULTILINE | WS_VSCROLL},
        {11, "Button", 1014, "检查", vis | BS_AUTOCHECKBOX | WS_TABSTOP},
        {12, "MfcGridCtrl", 1015, "", vis | WS_TABSTOP},
        {13, "Button", -1, "组", vis | BS_GROUPBOX},
        {14, "Button", 1016, "框", vis | BS_CHECKBOX | WS_TABSTOP},
        {15, "Button", 1017, "自动", vis | BS_AUTOCHECKBOX | WS_TABSTOP},
        {16, "Button", 1018, "甲", vis | BS_RADIOBUTTON | WS_GROUP},
        {17, "Button", 1019, "乙", vis | BS_AUTORADIOBUTTON},
        {18, "Button", 1020, "三", vis | BS_AUTO3STATE | WS_TABSTOP},
        {19, "Button", IDCANCEL, "取消", vis | BS_PUSHBUTTON | WS_TABSTOP},
        {20, "Button", IDOK, "确定", vis | BS_DEFPUSHBUTTON | WS_TABSTOP},
        {21, "Static", -1, "IDB_ARROW", vis | SS_ICON},
        {22, "ScrollBar", 1021, "", vis | SBS_HORZ},
    };
    ASSERT_EQ(d->controls.size(), std::size(table));
    for (const Expect& e : table) {
        SCOPED_TRACE(e.index);
        const DialogControl& c = d->controls[e.index];
        EXPECT_EQ(c.className, e.cls);
        EXPECT_EQ(c.id, e.id);
        EXPECT_EQ(c.text, e.text);
        EXPECT_EQ(c.style, e.style);
    }
    EXPECT_EQ(d->controls[10].exStyle, (DWORD)WS_EX_CLIENTEDGE);
    // Pixels: x*6/4 and y*13/8, rounded; the rectangle's right and bottom are x+cx, y+cy.
    EXPECT_EQ(d->controls[3].dluRect, CRect(40, 7, 120, 21));
    EXPECT_EQ(d->controls[3].rect, CRect(60, 11, 180, 34));
    EXPECT_EQ(d->controls[6].line, 27);
    EXPECT_EQ(d->FindControl(1013), &d->controls[10]);
    EXPECT_EQ(d->FindControl(4242), nullptr);
}

TEST(ResourceScript, DlgInitStringsAndFiles)
{
    auto dir = FreshDir("init");
    Write(dir / "resource.h", kHeader);
    Write(dir / "vyr.rc", kScript);
    ResourceSet set;
    std::string err;
    ASSERT_TRUE(set.ParseFile((dir / "vyr.rc").string(), &err)) << err;

    std::vector<CString> combo = set.FindComboContents(30010, 1001);
    ASSERT_EQ(combo.size(), 2u);
    EXPECT_EQ(combo[0], "钢梁");
    EXPECT_EQ(combo[1], "AB"); // hex words, little-endian, up to the NUL
    ASSERT_NE(set.FindDialogInit(30010), nullptr);
    EXPECT_EQ((*set.FindDialogInit(30010))[2].message, 0x401u);
    EXPECT_TRUE(set.FindComboContents(30010, 1000).empty());
    EXPECT_TRUE(set.FindComboContents(1, 1001).empty());

    CString s;
    ASSERT_TRUE(set.FindString(57000, s));
    EXPECT_EQ(s, "你好\n世界");
    ASSERT_TRUE(set.FindString(57001, s));
    EXPECT_EQ(s, "second");
    EXPECT_FALSE(set.FindString(57002, s));

    EXPECT_EQ(set.FindFile(ResourceKind::Bitmap, 140), CString((dir / "res/arrow.bmp").lexically_normal().string()));
    EXPECT_EQ(set.FindFile(ResourceKind::Bitmap, "IDB_ARROW"), set.FindFile(ResourceKind::Bitmap, 140));
    EXPECT_EQ(set.FindFile(ResourceKind::Cursor, 200), CString((dir / "res/pick.cur").lexically_normal().string()));
    EXPECT_TRUE(set.FindFile(ResourceKind::Icon, 140).IsEmpty());

    long v = 0;
    ASSERT_TRUE(set.LookupSymbol("IDC_SORTED", &v));
    EXPECT_EQ(v, 1003);
}

TEST(ResourceScript, ErrorsNameFileAndLine)
{
    struct Case
    {
        const char* text;
        const char* where; // expected "name:line"
        const char* words; // part of the message
    };
    const Case cases[] = {
        {"1 DIALOGEX 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\",-1,0,0,5,5\n  EDITTEXT IDC_NOPE,0,0,5,5\nEND\n", "t.rc:4", "IDC_NOPE"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  FROB 1,2,3,4\nEND\n", "t.rc:3", "FROB"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a,-1,0,0,5,5\nEND\n", "t.rc:3", "unterminated string"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\",-1,0,0,5\nEND\n", "t.rc:4", "','"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\nEND\n\n1 DIALOG 0,0,5,5\nBEGIN\nEND\n", "t.rc:5", "already defined at t.rc:1"},
        {"STRINGTABLE\nBEGIN\n 5 \"a\"\n 5 \"b\"\nEND\n", "t.rc:4", "already defined"},
        {"#pragma code_page(936)\n", "t.rc:1", "code page"},
        {"#if 1\n1 DIALOG 0,0,1,1\nBEGIN\nEND\n", "t.rc:4", "#endif"},
        {"1 DLGINIT\nBEGIN\n 1000, 0x999, 2, 0, \"a\"\n 0\nEND\n", "t.rc:3", "message"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\",-1,0,0,5,5\n", "t.rc:3", "END"},
        // Edges beyond the int range once overflowed while the rectangle was made.
        {"1 DIALOG 2147483647, 0, 10, 10\nBEGIN\nEND\n", "t.rc:1", "out of range"},
        {"1 DIALOG 0, 0, 10, 10\nBEGIN\n  LTEXT \"a\",-1,0,-2147483647,5,-5\nEND\n", "t.rc:3", "out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ResourceSet set;
        std::string err;
        EXPECT_FALSE(set.ParseText(c.text, "t.rc", &err));
        EXPECT_EQ(err.rfind(std::string(c.where) + ": ", 0), 0u) << err;
        EXPECT_NE(err.find(c.words), std::string::npos) << err;
        EXPECT_EQ(set.DialogCount(), 0u); // a failed script leaves nothing behind
    }
}

TEST(ResourceScript, ErrorInIncludedFileNamesThatFile)
{
    auto dir = FreshDir("inc");
    Write(dir / "resource.h", "#define IDD_A 5\n");
    Write(dir / "dialogs" / "a.rc", "#include \"../resource.h\"\nIDD_A DIALOG 0,0,1,1\nBEGIN\n LTEXT \"x\" -1,0,0,1,1\nEND\n");
    Write(dir / "vyr.rc", "// main\n#include \"dialogs/a.rc\"\n");
    ResourceSet set;
    std::string err;
    EXPECT_FALSE(set.ParseFile((dir / "vyr.rc").string(), &err));
    EXPECT_NE(err.find("a.rc:4: "), std::string::npos) << err;
    EXPECT_NE(err.find("vyr.rc:2"), std::string::npos) << err;
}

TEST(ResourceScript, ConditionalsAndNumericExpressions)
{
    const char* text = R"(#define BASE 100
#define FLAG
#ifdef FLAG
#define A (BASE + 5)
#else
#define A 1
#endif
#if defined(NOPE) || 0
#define B 1
#elif BASE
#define B 2
#else
#define B 3
#endif
STRINGTABLE BEGIN A "a" B "b" BASE-1 "c" END
)";
    ResourceSet set;
    std::string err;
    ASSERT_TRUE(set.ParseText(text, "c.rc", &err)) << err;
    CString s;
    EXPECT_TRUE(set.FindString(105, s));
    EXPECT_TRUE(set.FindString(2, s));
    EXPECT_TRUE(set.FindString(99, s));
    EXPECT_EQ(s, "c");
}

TEST(ResourceScript, ArithmeticWrapsAsTheResourceCompilersDoes)
{
    // Sums and negations beyond a long once overflowed; they wrap around.
    const char* text = "#define BIG 0x7FFFFFFFFFFFFFFF\n"
                       "#define OVER (BIG + 1)\n"
                       "#define UNDER (-BIG - 2)\n"
                       "#define NEG -(-0x8000000000000000)\n";
    ResourceSet set;
    std::string err;
    ASSERT_TRUE(set.ParseText(text, "w.rc", &err)) << err;
    long v = 0;
    ASSERT_TRUE(set.LookupSymbol("OVER", &v));
    EXPECT_EQ(v, LONG_MIN);
    ASSERT_TRUE(set.LookupSymbol("UNDER", &v));
    EXPECT_EQ(v, LONG_MAX);
    ASSERT_TRUE(set.LookupSymbol("NEG", &v));
    EXPECT_EQ(v, LONG_MIN);
}

TEST(ResourceScript, ExpressionsNestedTooDeeplyAreRefused)
{
    // 100,000 levels once recursed until the stack ran out; a few hundred are plenty.
    const std::string deep(100000, '(');
    const std::string cases[] = {
        "STRINGTABLE BEGIN " + deep + "1" + std::string(100000, ')') + " \"a\" END\n",
        "STRINGTABLE BEGIN " + std::string(100000, '-') + "1 \"a\" END\n",
        "#if " + std::string(100000, '!') + "1\n#endif\n",
    };
    for (const std::string& text : cases) {
        ResourceSet set;
        std::string err;
        EXPECT_FALSE(set.ParseText(text, "n.rc", &err));
        EXPECT_NE(err.find("n.rc:1: expression nested too deeply"), std::string::npos) << err;
    }
    ResourceSet set;
    std::string err;
    EXPECT_TRUE(set.ParseText("STRINGTABLE BEGIN " + std::string(200, '(') + "7" + std::string(200, ')') +
                                  " \"a\" END\n",
                              "n.rc", &err))
        << err;
}

TEST(ResourceScript, MergeRefusesOrReplacesDuplicates)
{
    ResourceSet a, b;
    std::string err;
    ASSERT_TRUE(a.ParseText("7 DIALOG 0,0,10,10\nCAPTION \"old\"\nBEGIN\nEND\n", "a.rc", &err)) << err;
    ASSERT_TRUE(b.ParseText("7 DIALOG 0,0,10,10\nCAPTION \"new\"\nBEGIN\nEND\n", "b.rc", &err)) << err;
    EXPECT_FALSE(a.Merge(b, false, &err));
    EXPECT_NE(err.find("b.rc:1"), std::string::npos) << err;
    EXPECT_NE(err.find("a.rc:1"), std::string::npos) << err;
    EXPECT_EQ(a.FindDialog(7)->caption, "old");
    EXPECT_TRUE(a.Merge(b, true, &err));
    EXPECT_EQ(a.FindDialog(7)->caption, "new");
}

TEST(ResourceScript, ComboBoxTypeFromTheScriptElseSimple)
{
    // The simple type is only the default: a drop-down combo box named as such stays one.
    const char* text = "7 DIALOG 0,0,100,60\nBEGIN\n"
                       "COMBOBOX 1,0,0,50,40,CBS_DROPDOWN | CBS_SORT\n"
                       "COMBOBOX 2,0,0,50,40,CBS_DROPDOWNLIST\n"
                       "COMBOBOX 3,0,0,50,40\n"
                       "END\n";
    ResourceSet set;
    std::string err;
    ASSERT_TRUE(set.ParseText(text, "c.rc", &err)) << err;
    const auto* d = set.FindDialog(7);
    ASSERT_NE(d, nullptr);
    ASSERT_EQ(d->controls.size(), 3u);
    EXPECT_EQ(d->controls[0].style & 0x3u, (DWORD)CBS_DROPDOWN);
    EXPECT_NE(d->controls[0].style & CBS_SORT, 0u);
    EXPECT_EQ(d->controls[1].style & 0x3u, (DWORD)CBS_DROPDOWNLIST);
    EXPECT_EQ(d->controls[2].style & 0x3u, (DWORD)CBS_SIMPLE);
    EXPECT_NE(d->controls[2].style & WS_TABSTOP, 0u);
}

TEST(ResourceScript, DialogUnitConversion)
{
    const struct { int dlu; int x; int y; } table[] = {
        {0, 0, 0}, {1, 2, 2}, {2, 3, 3}, {4, 6, 7}, {7, 11, 11}, {8, 12, 13}, {100, 150, 163}, {-4, -6, -7},
    };
    for (auto& t : table) {
        EXPECT_EQ(DialogUnitsToPixelsX(t.dlu), t.x) << t.dlu;
        EXPECT_EQ(DialogUnitsToPixelsY(t.dlu), t.y) << t.dlu;
    }
}

TEST(ResourceScript, LibraryResourcesComeFromTheChosenFolder)
{
    auto dir = FreshDir("lib");
    Write(dir / "resource.h", "#define IDS_X 61000\n#define IDD_ONE 61001\n#define IDD_TWO 61002\n");
    Write(dir / "vyr.rc", "#include \"resource.h\"\nSTRINGTABLE BEGIN IDS_X \"甲\" END\n");
    Write(dir / "dialogs" / "b.rc", "#include \"../resource.h\"\nIDD_TWO DIALOG 0,0,4,4\nBEGIN\nEND\n");
    Write(dir / "dialogs" / "a.rc", "#include \"../resource.h\"\nIDD_ONE DIALOG 0,0,8,8\nBEGIN\nEND\n");
    Write(dir / "dialogs" / "notes.txt", "not a script");
    VyrSetResourceDir(dir.string().c_str());
    EXPECT_EQ(VyrLoadString(61000), "甲");
    CString s;
    EXPECT_FALSE(AfxLoadString(61999, s));
    EXPECT_EQ(VyrLoadString(61999), "");
    ASSERT_NE(FindDialogTemplate(61001), nullptr);
    ASSERT_NE(FindDialogTemplate(61002), nullptr);
    EXPECT_EQ(FindDialogTemplate("IDD_TWO")->rect, CRect(0, 0, 6, 7));

    std::string err;
    const DialogTemplate* before = FindDialogTemplate(61002);
    ASSERT_TRUE(AddResourceScriptText("IDD_TWO DIALOG 0,0,40,40\nBEGIN\nEND\n", "extra.rc", &err)) << err;
    EXPECT_EQ(FindDialogTemplate(61002)->rect, CRect(0, 0, 60, 65));
    EXPECT_EQ(before->rect, CRect(0, 0, 6, 7)); // a dialog running on the old one keeps it
    EXPECT_FALSE(AddResourceScriptText("IDD_TWO DIALOG 0,0\n", "bad.rc", &err));
    EXPECT_EQ(err.rfind("bad.rc:", 0), 0u) << err;
    VyrSetResourceDir(""); // back to the default
}

TEST(ResourceScript, DefaultFolderHoldsTheLibraryScripts)
{
    if (std::getenv("VYR_RESOURCE_DIR")) GTEST_SKIP() << "VYR_RESOURCE_DIR names another folder";
    VyrSetResourceDir("");
    EXPECT_EQ(std::filesystem::path(VyrGetResourceDir().GetString()), std::filesystem::path(VYR_SOURCE_DIR) / "resources");
    const DialogTemplate* t = FindDialogTemplate(30000);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->caption, "平台测试对话框");
    EXPECT_EQ(VyrLoadString(30200), "平台测试字符串");
    CString bmp = FindResourceFile(ResourceKind::Bitmap, 30100);
    EXPECT_TRUE(std::filesystem::exists(bmp.GetString())) << bmp.GetString();
    EXPECT_EQ(FindComboContents(30000, 30004).size(), 4u);
}

TEST(ResourceScript, FolderSearchPrefersTheInstalledCopyAndKeepsTheSourceTreeToTheBuildTree)
{
    namespace fs = std::filesystem;
    const fs::path root = FreshDir("search");
    const fs::path installed = root / "prefix" / "share" / "vyr" / "resources";
    const fs::path env = root / "env";
    const fs::path source = root / "src" / "resources";
    const fs::path beside = root / "app" / "resources";
    for (const auto& d : {installed, env, source, beside}) Write(d / "vyr.rc", "");
    fs::create_directories(root / "empty" / "share" / "vyr" / "resources"); // a folder without the script
    const std::string build = (root / "build").string();
    const std::string envText = env.string();
    struct Case
    {
        const char* what;
        fs::path module;
        const char* env;
        fs::path expected;
    } cases[] = {
        {"installed, the variable set", root / "prefix" / "lib" / "libvyrui.so", envText.c_str(), installed},
        {"installed, the variable unset", root / "prefix" / "lib" / "libvyrui.so", nullptr, installed},
        {"shipped beside the host", root / "app" / "libvyrui.so", envText.c_str(), beside},
        {"installed copy without scripts", root / "empty" / "lib" / "libvyrui.so", envText.c_str(), env},
        {"build tree", root / "build" / "tests" / "test_x", nullptr, source},
        {"build tree, the variable set", root / "build" / "libvyrui.so", envText.c_str(), env},
        {"a folder named like the build tree", root / "build2" / "libvyrui.so", nullptr, fs::path()},
        {"nothing anywhere", root / "empty" / "lib" / "libvyrui.so", nullptr, fs::path()},
    };
    for (const auto& c : cases) {
        ResourceDirSearch r = SearchResourceDir(c.module.string(), c.env, build, source.string());
        EXPECT_EQ(fs::path(r.dir), c.expected) << c.what;
        ASSERT_FALSE(r.looked.empty()) << c.what;
        if (!c.expected.empty()) {
            EXPECT_EQ(fs::path(r.looked.back()), c.expected) << c.what;
        }
    }
    // With nothing found, the places looked at are named, and the source tree is not among
    // them for a library outside its build tree.
    ResourceDirSearch none = SearchResourceDir((root / "empty" / "lib" / "libvyrui.so").string(), "/nonexistent/vyr", build,
                                               source.string());
    EXPECT_TRUE(none.dir.empty());
    const std::vector<std::string> looked = {(root / "empty" / "share" / "vyr" / "resources").string(),
                                             (root / "empty" / "lib" / "resources").string(), "/nonexistent/vyr"};
    EXPECT_EQ(none.looked, looked);
}

TEST(ResourceScript, ShippedDataLiesBesideTheInstalledResources)
{
    namespace fs = std::filesystem;
    const fs::path root = FreshDir("data");
    EXPECT_EQ(fs::path(LibraryDataDir((root / "prefix" / "lib" / "libvyrui.so").string())),
              root / "prefix" / "share" / "vyr");
    EXPECT_EQ(LibraryDataDir(std::string()), std::string());
}

TEST(ResourceScript, ProjectScriptParses)
{
    ResourceSet set;
    std::string err;
    ASSERT_TRUE(set.ParseFile(std::string(VYR_SOURCE_DIR) + "/resources/vyr.rc", &err)) << err;
    EXPECT_GT(set.DialogCount(), 0u);
}
