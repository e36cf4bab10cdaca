// Writes the seed corpora of the fuzz programs with the library's own writers:
//     vyr_fuzz_seeds <corpus folder> <resources folder>
// fuzz/make-seeds.sh runs it (and the database generator for the database seeds). Each
// corpus gets its files named "seed-*"; inputs kept for faults found stay beside them.
#include <vyr/archive.h>
#include <vyr/host/VyrEntry.h>
#include <vyr/libraries/SectionFile.h>
#include <vyr/model/material/material.h>
#include <vyr/model/section/section.h>
#include <vyr/model/struct/structure.h>
#include <vyr/raster.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

fs::path g_out;

void Write(const char* corpus, const std::string& name, const std::string& bytes)
{
    const fs::path dir = g_out / corpus;
    fs::create_directories(dir);
    std::ofstream f(dir / ("seed-" + name), std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), (std::streamsize)bytes.size());
    if (!f) {
        std::cerr << "cannot write " << (dir / name) << "\n";
        std::exit(1);
    }
}

std::string Bytes(const std::vector<std::uint8_t>& v) { return std::string(v.begin(), v.end()); }

std::string ReadText(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

void Put16(std::string& s, unsigned v)
{
    s += (char)(v & 0xFF);
    s += (char)((v >> 8) & 0xFF);
}
void Put32(std::string& s, std::uint32_t v)
{
    Put16(s, v & 0xFFFF);
    Put16(s, v >> 16);
}

// ---------------------------------------------------------------- section files

CMaterialBase* AddMaterial(CMaterialList* list, int type, const char* name)
{
    auto* m = new CMaterialBase;
    m->SetType(type);
    m->SetName(name);
    list->AddMaterial(m);
    return m;
}

CSDefineIbeam* Ibeam(double h, double b, double t, double tf, CMaterialBase* mat)
{
    auto* p = new CSDefineIbeam;
    p->m_dH = h;
    p->m_dB = b;
    p->m_dT = t;
    p->m_dTf = tf;
    p->m_dB1 = b;
    p->m_dTf1 = tf;
    p->m_pMaterial = mat;
    p->ChangeSecProperty();
    return p;
}

void SectionFiles()
{
    CGlobalData project;
    CStruct& s = *project.Struct();
    CMaterialBase* q235 = AddMaterial(s.m_pMaterialSteelList, 1, "Q235");
    CMaterialBase* q345 = AddMaterial(s.m_pMaterialSteelList, 1, "Q345");
    CMaterialBase* c30 = AddMaterial(s.m_pMaterialConcreteList, 2, "C30");
    CSectionList& lib = *s.m_pSectionList;
    const fs::path tmp = fs::temp_directory_path() / "vyr-fuzz-seed.sec";
    auto save = [&](const std::string& name) {
        if (!WriteSectionFile(&project, tmp.string().c_str())) {
            std::cerr << "section file not written\n";
            std::exit(1);
        }
        Write("fuzz_section_file", name, ReadText(tmp));
        fs::remove(tmp);
    };
    save("empty.sec");

    // One section of each stored kind, as far as a default one goes.
    const char* const kinds[] = {
        "CSRolledEAngle", "CSRolledNEAngle", "CSRolledNETAngle", "CSRolledTbeam", "CSRolledIbeam",
        "CSRolledChannel", "CSRolledHtype", "CSWeldedIbeam", "CSWeldedChannel", "CSWeldedHtype", "CSSquarePipe",
        "CSPipe", "CSRound", "CSSquare", "CSDefineAngle", "CSDefineIbeam", "CSDefineChannel", "CSDefineTbeam",
        "CSDefineBox", "CSDefinePipe", "CHybridRect", "CHybridCircle", "CSDefineHybCircle", "CSDefineHybJu",
        "CSCombineII", "CSCombineLL", "CSCombineTTI", "CSFISec", "CSFBoxSec", "CTaperVaryWeb", "CSThinChannel",
        "CSThinBevelEdgeZ", "CSThinVerticalEdgeZ"};
    for (const char* kind : kinds) {
        CRuntimeClass* cls = CRuntimeClass::FromName(kind);
        if (cls == nullptr) {
            std::cerr << "no class " << kind << "\n";
            std::exit(1);
        }
        auto* sec = static_cast<CSectionBase*>(cls->CreateObject());
        sec->m_pMaterial = q235;
        sec->m_strKind = kind;
        if (auto* combined = dynamic_cast<CCombineSecBase*>(sec)) {
            combined->SetSec1(Ibeam(200, 100, 6, 8, q235));
            combined->SetSec2(Ibeam(200, 100, 6, 8, q235));
        }
        if (auto* taper = dynamic_cast<CTaperVaryWeb*>(sec)) {
            taper->SetStartSec(Ibeam(300, 200, 6, 10, q345));
            taper->SetEndSec(Ibeam(600, 200, 6, 10, q345));
        }
        lib.Add(sec, true);
        save(std::string("kind-") + kind + ".sec");
        lib.DeleteAll();
    }

    // A small library as a project has one: Chinese names, both materials lists.
    CSDefineIbeam* ib = Ibeam(400, 200, 8, 12, q235);
    ib->m_strKind = "焊接工字钢 I400";
    lib.Add(ib, true);
    auto* round = new CSRound(113, 100);
    round->m_strKind = "圆钢 d100";
    round->m_pMaterial = c30;
    lib.Add(round, true);
    auto* taper = new CTaperVaryWeb;
    taper->m_nType = 901;
    taper->m_pMaterial = q345;
    taper->SetStartSec(Ibeam(300, 200, 6, 10, q345));
    taper->SetEndSec(Ibeam(600, 200, 6, 10, q345));
    taper->m_fTH = 300;
    taper->m_fTT = 6;
    taper->m_fTB = 200;
    taper->m_fTTf = 10;
    taper->m_fTB1 = 200;
    taper->m_fTTf1 = 10;
    taper->m_fEndH = 600;
    lib.Add(taper, true);
    save("project.sec");
    lib.DeleteAll();
}

// ---------------------------------------------------------------- archive strings

void ArchiveStrings()
{
    const fs::path tmp = fs::temp_directory_path() / "vyr-fuzz-seed.bin";
    auto save = [&](const std::string& name, const std::vector<CString>& strings) {
        {
            CFile file;
            if (!file.Open(tmp.string().c_str(), CFile::modeCreate | CFile::modeWrite))
                std::exit(1);
            CArchive ar(&file, CArchive::store);
            for (const CString& s : strings)
                ar << s;
            ar.Close();
        }
        Write("fuzz_archive_string", name, ReadText(tmp));
        fs::remove(tmp);
    };
    save("empty-string", {CString()});
    save("ascii", {CString("Q235"), CString("I400x200")});
    save("chinese", {CString("热轧等边角钢"), CString("焊接工字钢 I400"), CString("钢材：Q345")});
    save("long", {CString(std::string(300, 'a').c_str())}); // 0xFF and a WORD length
    save("not-in-gbk", {CString("é€😀")});                  // written as '?'
    // Hand-made: the DWORD length form, and a string of a Unicode build (0xFF 0xFFFE, then
    // UTF-16 with a surrogate pair and a lone surrogate).
    std::string big;
    big += (char)0xFF;
    Put16(big, 0xFFFF);
    Put32(big, 3);
    big += "abc";
    Write("fuzz_archive_string", "dword-length", big);
    std::string wide;
    wide += (char)0xFF;
    Put16(wide, 0xFFFE);
    wide += (char)5;
    for (unsigned u : {0x94A2u, 0x6750u, 0xD83Du, 0xDE00u, 0xDC00u})
        Put16(wide, u);
    Write("fuzz_archive_string", "unicode-build", wide);
    Write("fuzz_archive_string", "bad-gbk", std::string("\x04\x81\x20\xFF\xA1", 5));
}

// ---------------------------------------------------------------- bitmaps and cursors

vyr::Image Pattern(int w, int h)
{
    vyr::Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.SetPixel(x, y, RGB(x * 40, y * 60, (x + y) * 20));
    return img;
}

// A .bmp with the given bits per pixel: palette (gray ramp) for 1, 4 and 8; rows of index
// i % colours; height negative for top-down; coreHeader for the 12-byte OS/2 header.
std::string Bmp(int bpp, int w, int h, bool topDown = false, bool coreHeader = false)
{
    const int colours = bpp <= 8 ? (1 << bpp) : 0;
    const int entry = coreHeader ? 3 : 4;
    const std::uint32_t header = coreHeader ? 12 : 40;
    const std::uint32_t row = ((std::uint32_t)w * (std::uint32_t)bpp + 31) / 32 * 4;
    const std::uint32_t offBits = 14 + header + (std::uint32_t)(colours * entry);
    std::string s = "BM";
    Put32(s, offBits + row * (std::uint32_t)h);
    Put32(s, 0);
    Put32(s, offBits);
    Put32(s, header);
    if (coreHeader) {
        Put16(s, (unsigned)w);
        Put16(s, (unsigned)h);
        Put16(s, 1);
        Put16(s, (unsigned)bpp);
    } else {
        Put32(s, (std::uint32_t)w);
        Put32(s, (std::uint32_t)(topDown ? -h : h));
        Put16(s, 1);
        Put16(s, (unsigned)bpp);
        Put32(s, 0); // BI_RGB
        Put32(s, row * (std::uint32_t)h);
        Put32(s, 2835);
        Put32(s, 2835);
        Put32(s, (std::uint32_t)colours);
        Put32(s, 0);
    }
    for (int i = 0; i < colours; ++i) {
        const int g = colours > 1 ? i * 255 / (colours - 1) : 0;
        s += (char)g;
        s += (char)(255 - g);
        s += (char)(g / 2);
        if (entry == 4)
            s += (char)0;
    }
    for (int y = 0; y < h; ++y) {
        std::string r(row, '\0');
        for (int x = 0; x < w; ++x) {
            const int v = (x + y) % (colours ? colours : 256);
            switch (bpp) {
            case 1: r[(size_t)x / 8] |= (char)((v & 1) << (7 - x % 8)); break;
            case 4: r[(size_t)x / 2] |= (char)((v & 15) << (x % 2 ? 0 : 4)); break;
            case 8: r[(size_t)x] = (char)v; break;
            default:
                for (int k = 0; k < bpp / 8; ++k)
                    r[(size_t)x * (size_t)(bpp / 8) + (size_t)k] = (char)(v * (k + 1));
            }
        }
        s += r;
    }
    return s;
}

void Bitmaps()
{
    Write("fuzz_bitmap", "24bit.bmp", Bytes(vyr::EncodeBmp(Pattern(5, 3))));
    Write("fuzz_bitmap", "1bit.bmp", Bmp(1, 9, 2));
    Write("fuzz_bitmap", "4bit.bmp", Bmp(4, 5, 3));
    Write("fuzz_bitmap", "8bit.bmp", Bmp(8, 3, 2));
    Write("fuzz_bitmap", "32bit.bmp", Bmp(32, 3, 2));
    Write("fuzz_bitmap", "topdown.bmp", Bmp(24, 3, 2, true));
    Write("fuzz_bitmap", "core-header.bmp", Bmp(8, 3, 2, false, true));
}

// A .cur of one w x h image at bpp (palette gray ramp for 1, 4 and 8), hot spot (2, 3).
std::string Cursor(int bpp, int w, int h)
{
    const int colours = bpp <= 8 ? (1 << bpp) : 0;
    const std::uint32_t xorRow = ((std::uint32_t)w * (std::uint32_t)bpp + 31) / 32 * 4;
    const std::uint32_t andRow = ((std::uint32_t)w + 31) / 32 * 4;
    const std::uint32_t dib = 40 + (std::uint32_t)colours * 4 + (xorRow + andRow) * (std::uint32_t)h;
    std::string s;
    Put16(s, 0);
    Put16(s, 2); // cursor
    Put16(s, 1);
    s += (char)w;
    s += (char)h;
    s += (char)0;
    s += (char)0;
    Put16(s, 2);
    Put16(s, 3);
    Put32(s, dib);
    Put32(s, 22);
    Put32(s, 40);
    Put32(s, (std::uint32_t)w);
    Put32(s, (std::uint32_t)(2 * h));
    Put16(s, 1);
    Put16(s, (unsigned)bpp);
    Put32(s, 0);
    Put32(s, (xorRow + andRow) * (std::uint32_t)h);
    Put32(s, 0);
    Put32(s, 0);
    Put32(s, (std::uint32_t)colours);
    Put32(s, 0);
    for (int i = 0; i < colours; ++i) {
        const int g = colours > 1 ? i * 255 / (colours - 1) : 0;
        s += (char)g;
        s += (char)g;
        s += (char)g;
        s += (char)0;
    }
    for (int y = 0; y < h; ++y) {
        std::string r(xorRow, '\0');
        for (int x = 0; x < w; ++x) {
            const int v = (x * y) % (colours ? colours : 256);
            switch (bpp) {
            case 1: r[(size_t)x / 8] |= (char)((v & 1) << (7 - x % 8)); break;
            case 4: r[(size_t)x / 2] |= (char)((v & 15) << (x % 2 ? 0 : 4)); break;
            case 8: r[(size_t)x] = (char)v; break;
            default:
                for (int k = 0; k < bpp / 8; ++k)
                    r[(size_t)x * (size_t)(bpp / 8) + (size_t)k] = (char)(v + k);
            }
        }
        s += r;
    }
    for (int y = 0; y < h; ++y) {
        std::string r(andRow, '\0');
        r[0] = (char)(y % 2 ? 0xF0 : 0x0F);
        s += r;
    }
    return s;
}

void Cursors(const fs::path& resources)
{
    for (const char* name : {"cross.cur", "opdefault.cur", "opzoom.cur"})
        Write("fuzz_cursor", name, ReadText(resources / "res" / name));
    for (int bpp : {4, 8, 24, 32})
        Write("fuzz_cursor", "gen-" + std::to_string(bpp) + "bit.cur", Cursor(bpp, 8, 8));
}

void Icons(const fs::path& resources)
{
    for (const char* name : {"supfixed.ico", "supspring.ico"})
        Write("fuzz_icon", name, ReadText(resources / "res" / name));
}

// ---------------------------------------------------------------- resource scripts

// A script with the headers it includes written in its place, so that it reads alone.
std::string Inlined(const fs::path& script)
{
    std::istringstream in(ReadText(script));
    std::string line, out;
    while (std::getline(in, line)) {
        const size_t at = line.find("#include \"");
        if (at != std::string::npos) {
            const size_t end = line.find('"', at + 10);
            const fs::path header = script.parent_path() / line.substr(at + 10, end - at - 10);
            if (fs::exists(header)) {
                out += ReadText(header);
                out += "\n";
                continue;
            }
        }
        out += line + "\n";
    }
    return out;
}

void ResourceScripts(const fs::path& resources)
{
    Write("fuzz_resource_script", "vyr.rc", Inlined(resources / "vyr.rc"));
    for (const auto& e : fs::directory_iterator(resources / "dialogs"))
        if (e.path().extension() == ".rc")
            Write("fuzz_resource_script", e.path().filename().string(), Inlined(e.path()));
}

// ---------------------------------------------------------------- typed texts

void Texts()
{
    const char* const points[] = {"0, 0, 0", "1,2,3", "  1.5 , -2 ,3e2 ", "+4,5,6", "1,2", "1,,3", "a,b,c",
                                  "-0.0,1e-3,7E+2", "12"};
    int i = 0;
    for (const char* p : points)
        Write("fuzz_point_text", "point-" + std::to_string(i++), p);
    // The first byte picks the unit (byte % 3: mm, cm, m) and the program type (byte / 3 % 3).
    const struct
    {
        char head;
        const char* text;
    } values[] = {{0, "250"}, {1, "0.5"}, {2, "1e9"}, {3, "二级"}, {4, "组合梁"}, {5, "-0"},
                  {0, "abc"}, {1, ""}, {2, "0.1"}, {6, "10000"}, {7, "12.5"}, {8, "非抗震"}};
    i = 0;
    for (const auto& v : values)
        Write("fuzz_prop_values", "value-" + std::to_string(i++), std::string(1, v.head) + v.text);
    // Wall openings, four lines each: horizontal and vertical distance, width, height.
    const char* const holes[] = {"0\n0\n1000\n2000", "1000\n800\n1000\n2000\n2200\n0\n500\n2100",
                                 "-0.5\n0\n1000.50\n2000", "1.2.3\n.5\n3.\nabc", " 7\n\n99999999999\n12.50"};
    i = 0;
    for (const char* h : holes)
        Write("fuzz_wall_hole_text", "hole-" + std::to_string(i++), h);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: vyr_fuzz_seeds <corpus folder> <resources folder>\n";
        return 2;
    }
    g_out = argv[1];
    InitVyrUI();
    SectionFiles();
    ArchiveStrings();
    Bitmaps();
    Cursors(argv[2]);
    Icons(argv[2]);
    ResourceScripts(argv[2]);
    Texts();
    return 0;
}
