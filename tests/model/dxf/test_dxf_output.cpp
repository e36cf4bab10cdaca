// The DXF writer checked through an independent reader (ezdxf): what was written comes
// back with the same entities, layers, positions and Chinese texts, and the audit finds no
// error. Failure paths leave no file behind.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <vyr/model/dxf/dxf.h>

namespace fs = std::filesystem;

namespace {

std::string TemplatePath() { return std::string(VYR_SOURCE_DIR) + "/resources/Template/VYRPrint.dxf"; }

struct TempDir
{
    fs::path path;
    TempDir()
    {
        path = fs::temp_directory_path() / ("vyr_dxf_" + std::to_string(::getpid()) + "_" +
                                            std::to_string(counter++));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string File(const std::string& name) const { return (path / name).string(); }
    size_t Count() const { return (size_t)std::distance(fs::directory_iterator(path), fs::directory_iterator()); }
    static inline int counter = 0;
};

struct Read
{
    int errors = -1;
    std::string version, encoding, codepage, handseed;
    std::vector<std::string> layers;
    std::vector<std::vector<std::string>> lines; // layer, x1 y1 z1 x2 y2 z2
    struct Text
    {
        std::string layer;
        double x, y, z, height, rotation;
        int halign, valign;
        double ax, ay, az;
        std::string text;
    };
    std::vector<Text> texts;
    int others = 0;
};

Read ReadBack(const std::string& file)
{
    std::string cmd = "/usr/bin/python3 " + std::string(VYR_SOURCE_DIR) + "/tests/model/dxf/read_dxf.py '" + file + "'";
    FILE* p = popen(cmd.c_str(), "r");
    Read r;
    if (!p) return r;
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        std::string head = line.substr(0, line.find(' '));
        std::string rest = line.size() > head.size() ? line.substr(head.size() + 1) : "";
        std::istringstream f(rest);
        if (head == "ERRORS") f >> r.errors;
        else if (head == "VERSION") r.version = rest;
        else if (head == "ENCODING") r.encoding = rest;
        else if (head == "CODEPAGE") r.codepage = rest;
        else if (head == "HANDSEED") r.handseed = rest;
        else if (head == "LAYER") r.layers.push_back(rest);
        else if (head == "LINE") {
            std::vector<std::string> v;
            std::string s;
            while (f >> s) v.push_back(s);
            r.lines.push_back(v);
        } else if (head == "TEXT") {
            Read::Text t;
            size_t bar = rest.find('|');
            std::istringstream g(rest.substr(0, bar));
            g >> t.layer >> t.x >> t.y >> t.z >> t.height >> t.rotation >> t.halign >> t.valign >> t.ax >> t.ay >> t.az;
            t.text = rest.substr(bar + 1);
            r.texts.push_back(t);
        } else if (head == "OTHER") ++r.others;
    }
    return r;
}

std::string Slurp(const std::string& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace

TEST(DXFOutput, RoundTripThroughIndependentReader)
{
    TempDir dir;
    std::string out = dir.File("模型图.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetCurrentLayer("MEMBER");
        w.Line(CPoint2D(0, 0), CPoint2D(6000.5, -250.25));
        w.Line3D(CPoint3D(1, 2, 3), CPoint3D(-4.125, 5e-3, 3600));
        w.MoveTo(10, 20);
        w.LineTo(30, 20);
        w.LineTo(30, 40);
        w.SetCurrentLayer("TEXT");
        w.SetText(250.0, 90.0);
        w.SetTextAlign(TA_CENTER, TA_BOTTOM);
        w.TextOutA(100, 200, "梁L1 H400x200");
        w.SetTextAlign(TA_RIGHT, TA_TOP);
        w.SetText(2.5, 0.0);
        w.TextOut3D(1.5, -2.5, 3000.0, "柱 Z-2 ±5");
        w.SetTextAlign(TA_LEFT, TA_BASELINE);
        w.TextOutA(-7, 8, "结点");
        ASSERT_TRUE(w.IsGood());
    }
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    EXPECT_EQ(r.version, "AC1009");
    EXPECT_EQ(r.encoding, "gbk");
    EXPECT_EQ(r.codepage, "ANSI_936");
    // The seed must lie above every handle in the file: the writer writes none at all.
    EXPECT_EQ(r.handseed, "1");
    {
        std::istringstream raw(Slurp(out));
        std::string code, value;
        int handles = 0;
        while (std::getline(raw, code) && std::getline(raw, value))
            if (std::stoi(code) == 5 || std::stoi(code) == 105) ++handles;
        EXPECT_EQ(handles, 1) << "only the seed's own group 5";
    }
    for (const char* l : {"0", "MEMBER", "TEXT", "DIM", "VM", "Warn", "Cor", "Tail"})
        EXPECT_NE(std::find(r.layers.begin(), r.layers.end(), l), r.layers.end()) << l;
    ASSERT_EQ(r.lines.size(), 4u);
    std::vector<std::vector<std::string>> lines = {
        {"MEMBER", "0.0", "0.0", "0.0", "6000.5", "-250.25", "0.0"},
        {"MEMBER", "1.0", "2.0", "3.0", "-4.125", "0.005", "3600.0"},
        {"MEMBER", "10.0", "20.0", "0.0", "30.0", "20.0", "0.0"},
        {"MEMBER", "30.0", "20.0", "0.0", "30.0", "40.0", "0.0"}};
    EXPECT_EQ(r.lines, lines);
    ASSERT_EQ(r.texts.size(), 3u);
    const Read::Text& a = r.texts[0];
    EXPECT_EQ(a.layer, "TEXT");
    EXPECT_EQ(a.text, "梁L1 H400x200");
    EXPECT_DOUBLE_EQ(a.height, 250.0);
    EXPECT_DOUBLE_EQ(a.rotation, 90.0);
    EXPECT_EQ(a.halign, 1); // centre
    EXPECT_EQ(a.valign, 1); // bottom
    EXPECT_DOUBLE_EQ(a.ax, 100.0);
    EXPECT_DOUBLE_EQ(a.ay, 200.0);
    const Read::Text& b = r.texts[1];
    EXPECT_EQ(b.text, "柱 Z-2 ±5");
    EXPECT_EQ(b.halign, 2);
    EXPECT_EQ(b.valign, 3);
    EXPECT_DOUBLE_EQ(b.az, 3000.0);
    EXPECT_DOUBLE_EQ(b.rotation, 0.0);
    const Read::Text& c = r.texts[2];
    EXPECT_EQ(c.text, "结点");
    EXPECT_EQ(c.halign, 0);
    EXPECT_EQ(c.valign, 0);
    EXPECT_DOUBLE_EQ(c.x, -7.0);
    EXPECT_DOUBLE_EQ(c.y, 8.0);
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(dir.Count(), 1u);
}

TEST(DXFOutput, TextsAreEncodedInGbkWithEscapesForTheRest)
{
    TempDir dir;
    std::string out = dir.File("t.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetCurrentLayer("TEXT");
        w.TextOutA(0, 0, "钢梁");
        w.TextOutA(0, 0, "한1");          // Hangul is outside GBK
        w.TextOutA(0, 0, "two\nlines\r"); // a line break must not split the value
    }
    std::string bytes = Slurp(out);
    EXPECT_NE(bytes.find("$DWGCODEPAGE\n  3\nANSI_936\n"), std::string::npos);
    EXPECT_NE(bytes.find("\xB8\xD6\xC1\xBA"), std::string::npos); // 钢梁 in GBK
    EXPECT_EQ(bytes.find("钢梁"), std::string::npos);               // and not in UTF-8
    EXPECT_NE(bytes.find("\\U+D55C1"), std::string::npos);
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.texts.size(), 3u);
    EXPECT_EQ(r.texts[0].text, "钢梁");
    EXPECT_EQ(r.texts[1].text, "한1");
    EXPECT_EQ(r.texts[2].text, "two lines ");
}

TEST(DXFOutput, CharactersBeyondSixteenBitsBecomeAQuestionMark)
{
    TempDir dir;
    std::string out = dir.File("astral.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetCurrentLayer("TEXT");
        w.TextOutA(0, 0, "梁\xF0\x9F\x98\x80" "0"); // U+1F600, then a digit an escape could swallow
        w.TextOutA(0, 0, "\xF0\xA0\x80\x80한");     // U+20000, then Hangul (a 16-bit escape)
    }
    std::string bytes = Slurp(out);
    EXPECT_EQ(bytes.find("\\U+1F60"), std::string::npos);
    EXPECT_EQ(bytes.find("\\U+2000"), std::string::npos);
    EXPECT_NE(bytes.find("?\\U+D55C\n"), std::string::npos);
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.texts.size(), 2u);
    EXPECT_EQ(r.texts[0].text, "梁?0");
    EXPECT_EQ(r.texts[1].text, "?한");
}

TEST(DXFOutput, TextLongerThanTheWriteBufferIsWrittenWhole)
{
    TempDir dir;
    std::string out = dir.File("long.dxf");
    const std::string text((1u << 20) + 10, 'a'); // more than the writer buffers at a time
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetCurrentLayer("TEXT");
        w.TextOutA(0, 0, text.c_str());
        w.Line(CPoint2D(1, 2), CPoint2D(3, 4));
        ASSERT_TRUE(w.IsGood());
    }
    std::string bytes = Slurp(out);
    const size_t at = bytes.find("\n1\n" + text + "\n");
    ASSERT_NE(at, std::string::npos);
    EXPECT_NE(bytes.find("0\nLINE\n8\nTEXT\n10\n1\n20\n2\n11\n3\n21\n4\n", at), std::string::npos);
}

// A drawing of many write buffers, with a text longer than one and a layer the template
// lacks (the file is copied once more at the end): every entity is there once, in the
// order it was drawn.
TEST(DXFOutput, DrawingOfManyBuffersKeepsEveryEntityInOrder)
{
    TempDir dir;
    std::string out = dir.File("many.dxf");
    const int n = 150000; // about 9 MiB
    const std::string text((1u << 20) + 3, 't');
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetCurrentLayer("MEMBER");
        for (int i = 0; i < n; ++i) {
            if (i == n / 2) {
                w.SetCurrentLayer("NEWLAYER");
                w.TextOutA(0, 0, text.c_str());
            }
            w.Line(CPoint2D(i, 0.5), CPoint2D(i + 1, 2));
        }
        ASSERT_TRUE(w.IsGood());
    }
    std::istringstream in(Slurp(out));
    std::string code, value, entity;
    std::vector<long> xs;
    long textAt = -1;
    while (std::getline(in, code) && std::getline(in, value)) {
        const int c = std::stoi(code);
        if (c == 0) entity = value;
        else if (c == 10 && entity == "LINE") xs.push_back(std::stol(value));
        else if (c == 1 && entity == "TEXT") {
            EXPECT_EQ(value, text);
            EXPECT_EQ(textAt, -1) << "the text came twice";
            textAt = (long)xs.size();
        }
    }
    ASSERT_EQ(xs.size(), (size_t)n);
    for (int i = 0; i < n; ++i)
        if (xs[(size_t)i] != i) FAIL() << "line " << i << " reads " << xs[(size_t)i];
    EXPECT_EQ(textAt, n / 2);
    EXPECT_EQ(value, "EOF");
}

TEST(DXFOutput, LayersMissingFromTheTemplateAreDeclared)
{
    TempDir dir;
    std::string out = dir.File("layers.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        // Layer names are not case-sensitive in DXF: "Text" is the template's "TEXT".
        w.SetCurrentLayer("Text");
        w.Line(CPoint2D(0, 0), CPoint2D(1, 1));
        w.SetCurrentLayer("新图层");
        w.Line(CPoint2D(1, 1), CPoint2D(2, 2));
        w.SetCurrentLayer("A B/C");
        w.Line(CPoint2D(2, 2), CPoint2D(3, 3));
        w.SetCurrentLayer("");
        w.Line(CPoint2D(3, 3), CPoint2D(4, 4));
    }
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[0][0], "TEXT");
    EXPECT_EQ(r.lines[1][0], "新图层");
    EXPECT_EQ(r.lines[2][0], "A_B_C");
    EXPECT_EQ(r.lines[3][0], "0");
    EXPECT_EQ(std::count(r.layers.begin(), r.layers.end(), "新图层"), 1);
    EXPECT_EQ(std::count(r.layers.begin(), r.layers.end(), "A_B_C"), 1);
    EXPECT_EQ(std::count(r.layers.begin(), r.layers.end(), "Text"), 0);
    EXPECT_EQ(dir.Count(), 1u);
}

// The start of an entity is kept ready for names up to some length and written piece by
// piece beyond it: names on both sides of that length, and far beyond it, read back whole
// under each kind of entity.
TEST(DXFOutput, EntitiesOnLayersOfEveryNameLengthReadBack)
{
    TempDir dir;
    std::string out = dir.File("names.dxf");
    std::vector<std::string> names;
    for (size_t len : {1, 40, 52, 53, 54, 55, 56, 300}) names.push_back("L" + std::string(len - 1, (char)('a' + len % 26)));
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetText(2.5, 0.0);
        w.SetTextAlign(TA_CENTER, TA_BOTTOM);
        for (size_t i = 0; i < names.size(); ++i) {
            const double d = (double)i;
            w.SetCurrentLayer(CString(names[i]));
            w.Line(CPoint2D(d, 0.5), CPoint2D(d + 1, 1.25));
            w.Line3D(CPoint3D(d, 2, 3.75), CPoint3D(-d, 4, 5));
            w.TextOut3D(d, 6.5, 7, "名");
        }
    }
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.lines.size(), 2 * names.size());
    ASSERT_EQ(r.texts.size(), names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string d = std::to_string(i) + ".0", d1 = std::to_string(i + 1) + ".0";
        const std::string minus = i == 0 ? "0.0" : "-" + d;
        EXPECT_EQ(r.lines[2 * i], (std::vector<std::string>{names[i], d, "0.5", "0.0", d1, "1.25", "0.0"})) << i;
        EXPECT_EQ(r.lines[2 * i + 1], (std::vector<std::string>{names[i], d, "2.0", "3.75", minus, "4.0", "5.0"})) << i;
        EXPECT_EQ(r.texts[i].layer, names[i]);
        EXPECT_EQ(r.texts[i].ax, (double)i);
        EXPECT_EQ(r.texts[i].ay, 6.5);
        EXPECT_EQ(r.texts[i].text, "名");
    }
}

TEST(DXFOutput, MissingTemplateFallsBackToTheSameStandardDrawing)
{
    TempDir dir;
    auto draw = [](CDXFOutput& w) {
        w.SetCurrentLayer("DIM");
        w.Line(CPoint2D(0.1, 0.2), CPoint2D(0.3, 0.4));
        w.TextOutA(5, 6, "标注");
    };
    {
        CDXFOutput a, b, c;
        ASSERT_EQ(a.IntialDXFFile(CString(TemplatePath()), CString(dir.File("a.dxf")), true), 1);
        ASSERT_EQ(b.IntialDXFFile(CString(dir.File("no-such-template.dxf")), CString(dir.File("b.dxf")), true), 1);
        ASSERT_EQ(c.IntialDXFFile(CString(TemplatePath()), CString(dir.File("c.dxf")), false), 1);
        draw(a);
        draw(b);
        draw(c);
    }
    std::string a = Slurp(dir.File("a.dxf"));
    EXPECT_EQ(a, Slurp(dir.File("b.dxf")));
    EXPECT_EQ(a, Slurp(dir.File("c.dxf")));
}

TEST(DXFOutput, TemplateEntitiesAndSectionsAreKept)
{
    TempDir dir;
    std::string tmpl = dir.File("frame.dxf");
    {
        // A template with its own frame line and a code page other than GBK.
        std::ofstream t(tmpl, std::ios::binary);
        t << "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  9\r\n$ACADVER\r\n  1\r\nAC1009\r\n  9\r\n$DWGCODEPAGE\r\n  3\r\nANSI_1252\r\n"
             "  0\r\nENDSEC\r\n  0\r\nSECTION\r\n  2\r\nTABLES\r\n  0\r\nTABLE\r\n  2\r\nLAYER\r\n 70\r\n1\r\n"
             "  0\r\nLAYER\r\n  2\r\nFRAME\r\n 70\r\n0\r\n 62\r\n5\r\n  6\r\nCONTINUOUS\r\n  0\r\nENDTAB\r\n"
             "  0\r\nTABLE\r\n  2\r\nLTYPE\r\n 70\r\n1\r\n  0\r\nLTYPE\r\n  2\r\nCONTINUOUS\r\n 70\r\n0\r\n  3\r\nSolid\r\n"
             " 72\r\n65\r\n 73\r\n0\r\n 40\r\n0.0\r\n  0\r\nENDTAB\r\n  0\r\nENDSEC\r\n"
             "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nLINE\r\n  8\r\nFRAME\r\n 10\r\n0\r\n 20\r\n0\r\n 11\r\n420\r\n"
             " 21\r\n0\r\n  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
    }
    std::string out = dir.File("out.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(tmpl), CString(out), true), 1);
        w.SetCurrentLayer("MEMBER");
        w.Line(CPoint2D(1, 1), CPoint2D(2, 2));
    }
    std::string bytes = Slurp(out);
    EXPECT_NE(bytes.find("ANSI_936"), std::string::npos);
    EXPECT_EQ(bytes.find("ANSI_1252"), std::string::npos);
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.lines.size(), 2u);
    EXPECT_EQ(r.lines[0][0], "FRAME");
    EXPECT_EQ(r.lines[1][0], "MEMBER");
    EXPECT_NE(std::find(r.layers.begin(), r.layers.end(), "MEMBER"), r.layers.end());
}

TEST(DXFOutput, FinishedFileIsCreatedWithTheUsualPermissions)
{
    // Both ways to completion: straight from the template, and rewritten with a new layer.
    TempDir dir;
    mode_t old = ::umask(022);
    for (const char* layer : {"MEMBER", "新图层"}) {
        std::string out = dir.File(std::string(layer) + ".dxf");
        {
            CDXFOutput w;
            ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
            w.SetCurrentLayer(layer);
            w.Line(CPoint2D(0, 0), CPoint2D(1, 1));
        }
        ASSERT_TRUE(fs::exists(out)) << layer;
        EXPECT_EQ(fs::status(out).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read | fs::perms::others_read)
            << layer;
    }
    ::umask(old);
    EXPECT_EQ(dir.Count(), 2u);
}

TEST(DXFOutput, UnwritablePathReportsFailureAndLeavesNothing)
{
    TempDir dir;
    std::string out = dir.File("missing-folder/x.dxf");
    {
        CDXFOutput w;
        EXPECT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 0);
        EXPECT_FALSE(w.IsGood());
        w.SetCurrentLayer("MEMBER");
        w.Line(CPoint2D(0, 0), CPoint2D(1, 1)); // ignored, no crash
        w.TextOutA(0, 0, "x");
    }
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(dir.Count(), 0u);
}

TEST(DXFOutput, FullDiskLeavesNoFileThatLooksComplete)
{
    TempDir dir;
    std::string out = dir.File("full.dxf");
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        // The child may write no more than 64 KiB: the file system is "full".
        signal(SIGXFSZ, SIG_IGN);
        rlimit lim{65536, 65536};
        setrlimit(RLIMIT_FSIZE, &lim);
        {
            CDXFOutput w;
            if (w.IntialDXFFile(CString(TemplatePath()), CString(out), true) != 1) _exit(2);
            w.SetCurrentLayer("MEMBER");
            for (int i = 0; i < 200000; ++i) w.Line(CPoint2D(i, 0), CPoint2D(i, 1000));
        }
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(dir.Count(), 0u) << "a temporary file was left behind";
}

TEST(DXFOutput, ACopyNeverCompletesTheFileASecondTime)
{
    TempDir dir;
    std::string out = dir.File("copy.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetCurrentLayer("TEXT");
        w.SetText(7.0, 45.0);
        CDXFOutput copy(w);
        CDXFOutput assigned;
        assigned = w;
        EXPECT_FALSE(copy.IsGood());
        copy.TextOutA(1, 1, "copy"); // the copy has no file: nothing is written
        w.TextOutA(2, 2, "original");
    }
    std::string bytes = Slurp(out);
    size_t first = bytes.find("\nEOF\n");
    ASSERT_NE(first, std::string::npos);
    EXPECT_EQ(bytes.find("\nEOF\n", first + 1), std::string::npos);
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.texts.size(), 1u);
    EXPECT_EQ(r.texts[0].text, "original");
    EXPECT_DOUBLE_EQ(r.texts[0].rotation, 45.0);
}

TEST(DXFOutput, SmallDrawingMatchesTheCheckedFile)
{
    TempDir dir;
    std::string out = dir.File("small.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        w.SetCurrentLayer("MEMBER");
        w.Line(CPoint2D(0, 0), CPoint2D(1000, 0));
        w.SetCurrentLayer("TEXT");
        w.SetText(100.0, 0.0);
        w.SetTextAlign(TA_CENTER, TA_BOTTOM);
        w.TextOutA(500, 0, "L1");
    }
    std::string golden = Slurp(std::string(VYR_SOURCE_DIR) + "/tests/model/dxf/small.dxf");
    EXPECT_EQ(Slurp(out), golden);
}

TEST(DXFOutput, CoordinatesComeBackBitForBit)
{
    const double values[] = {0.1,   -0.5,         1.0 / 3.0, 1e-7,    123456.789012, -1234.5678901, 1e20,
                             1e-300, 9007199254740993.0, 2.5e15, 0.000001, 999999.9999995, -7.0,  4503599627370497.5,
                             12.34567, 0.3};
    TempDir dir;
    std::string out = dir.File("numbers.dxf");
    {
        CDXFOutput w;
        ASSERT_EQ(w.IntialDXFFile(CString(TemplatePath()), CString(out), true), 1);
        for (double v : values) w.Line3D(CPoint3D(v, -v, v * 3), CPoint3D(v / 7, 0, 0));
    }
    Read r = ReadBack(out);
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(r.lines.size(), std::size(values));
    for (size_t i = 0; i < std::size(values); ++i) {
        double v = values[i];
        EXPECT_EQ(std::strtod(r.lines[i][1].c_str(), nullptr), v) << r.lines[i][1];
        EXPECT_EQ(std::strtod(r.lines[i][2].c_str(), nullptr), -v) << r.lines[i][2];
        EXPECT_EQ(std::strtod(r.lines[i][3].c_str(), nullptr), v * 3) << r.lines[i][3];
        EXPECT_EQ(std::strtod(r.lines[i][4].c_str(), nullptr), v / 7) << r.lines[i][4];
    }
}

TEST(DXFOutput, TemplateIsFoundBelowTheApplicationFolder)
{
    // The export names the template as the application folder + "\Template\VYRPrint.dxf".
    std::string saved = VyrGetAppFolder();
    VyrSetAppFolder((std::string(VYR_SOURCE_DIR) + "/resources").c_str());
    std::string tmpl = VyrWindowsPath(VyrGetAppFolder().c_str()) + "\\Template\\VYRPrint.dxf";
    EXPECT_TRUE(fs::exists(VyrMapPath(tmpl.c_str()))) << tmpl;
    TempDir dir;
    std::string out = dir.File("app.dxf");
    {
        CDXFOutput w;
        EXPECT_EQ(w.IntialDXFFile(CString(tmpl), CString(VyrWindowsPath(out.c_str())), true), 1);
        w.Line(CPoint2D(0, 0), CPoint2D(1, 1));
    }
    VyrSetAppFolder(saved.c_str());
    EXPECT_TRUE(fs::exists(out));
}
