// The section library, its file form, tie definitions, slab types and group lists.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <vyr/archive.h>
#include <vyr/file.h>
#include <vyr/model/section/section.h>

namespace fs = std::filesystem;

namespace {

class TempDir
{
public:
    TempDir()
    {
        std::random_device rd;
        m_path = fs::temp_directory_path() / ("vyr_section_" + std::to_string(rd()));
        fs::create_directories(m_path);
    }
    ~TempDir() { fs::remove_all(m_path); }
    std::string File(const char* name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

void Store(CSectionList& list, const std::string& path, CMaterialList* steel, CMaterialList* concrete)
{
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    CArchive ar(&f, CArchive::store);
    list.FileInOut(ar, steel, concrete);
    ar.Close();
    f.Close();
}

// Loads into the list; true when the archive was read without an exception.
bool Load(CSectionList& list, const std::string& path, CMaterialList* steel, CMaterialList* concrete)
{
    CFile f(path.c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    try {
        list.FileInOut(ar, steel, concrete);
    } catch (CException* e) {
        e->Delete();
        return false;
    }
    return true;
}

CMaterialBase* NewMaterial(const char* name)
{
    auto* m = new CMaterialBase;
    m->SetName(name);
    return m;
}

// One section of every class, with its dimensions set.
std::vector<CSectionBase*> OneOfEveryClass(CMaterialList& steel, CMaterialList& concrete)
{
    std::vector<CSectionBase*> v;
    v.push_back(new CSRolledEAngle(101, 50, 5, 5.5f, 5.5f, 14.2f));
    v.push_back(new CSRolledNEAngle(102, 100, 63, 7, 10, 10, 14.7f, 32.8f));
    auto* net = new CSRolledNETAngle(200, 90, 9, 14, 14, 7, 18.0f, 70.0f);
    net->SetType(403);
    v.push_back(net);
    v.push_back(new CSRolledTbeam(208, 177.8f, 254, 13, 21.1f, 6.35f, 3.175f, 34.0f));
    v.push_back(new CSRolledIbeam(103, 200, 100, 11.4f, 7, 9, 4.5f));
    v.push_back(new CSRolledChannel(106, 48, 100, 8.5f, 5.3f, 8.5f, 4.2f, 15.2f));
    v.push_back(new CSRolledHtype(110, 200, 200, 12, 8, 13));
    auto* wi = new CSWeldedIbeam(105, 300, 150, 10, 6);
    wi->SetH0(280);
    v.push_back(wi);
    v.push_back(new CSWeldedChannel(108, 200, 80, 10, 6, 20));
    v.push_back(new CSWeldedHtype(111, 300, 300, 12, 8));
    v.push_back(new CSSquarePipe(212, 200, 100, 8, 16));
    v.push_back(new CSPipe(113, 89, 4));
    v.push_back(new CSRound(115, 20));
    v.push_back(new CSSquare(116, 20));
    auto* da = new CSDefineAngle;
    da->SetType(504);
    da->SetH(100); da->SetB(80); da->SetT(8); da->SetTf(6);
    v.push_back(da);
    auto* di = new CSDefineIbeam;
    di->SetH(500); di->SetB(300); di->SetT(8); di->SetTf(16); di->SetB1(150); di->SetTf1(10);
    v.push_back(di);
    auto* dc = new CSDefineChannel;
    dc->SetType(502);
    dc->SetH(200); dc->SetB(80); dc->SetT(6); dc->SetTf(10); dc->SetB1(70); dc->SetTf1(8);
    v.push_back(dc);
    auto* dt = new CSDefineTbeam;
    dt->SetType(503);
    dt->SetH(150); dt->SetB(200); dt->SetT(8); dt->SetTf(12);
    v.push_back(dt);
    auto* db = new CSDefineBox;
    db->SetType(505);
    db->SetH(400); db->SetB(300); db->SetT(10); db->SetTf(20); db->SetTf1(16);
    v.push_back(db);
    auto* dp = new CSDefinePipe;
    dp->SetType(506);
    dp->SetB(219); dp->SetT(8);
    v.push_back(dp);
    for (int code : {507, 508, 509}) {
        auto* t = static_cast<CSThinBase*>(CSectionBase::CreateSec(code));
        t->SetH(160); t->SetB(60); t->SetB1(20); t->SetT(2.5f);
        t->m_fAngle = code == 508 ? 45.0f : 0.0f;
        v.push_back(t);
    }
    for (int code : {510, 511, 512}) {
        auto* f = static_cast<CSteelFrameSecBase*>(CSectionBase::CreateSec(code));
        f->SetH(600); f->SetB(300);
        f->m_fValue[3] = 12.5f;
        f->m_nKind = code - 509;
        v.push_back(f);
    }
    auto* hc = new CSDefineHybCircle;
    hc->SetType(513);
    hc->SetB(600); hc->SetT(12);
    hc->m_pMaterial = concrete.Get(1);
    v.push_back(hc);
    auto* hj = new CSDefineHybJu;
    hj->SetType(514);
    hj->SetH(500); hj->SetB(400); hj->SetT(14);
    v.push_back(hj);
    for (int code = 601; code <= 634; ++code) {
        auto* c = static_cast<CCombineSecBase*>(CSectionBase::CreateSec(code));
        c->SetSec1(new CSRolledChannel(106, 48, 100, 8.5f, 5.3f, 8.5f, 4.2f, 15.2f));
        if (code % 2 == 0)
            c->SetSec2(new CSRolledEAngle(101, 50, 5, 5.5f, 5.5f, 14.2f));
        c->SetB(300); c->SetH(100);
        c->m_fValue[9] = (float)code;
        c->m_dA1 = 25.5;
        v.push_back(c);
    }
    auto* hr = new CHybridRect;
    hr->SetType(701);
    hr->SetSteelSec(new CSRolledHtype(110, 200, 200, 12, 8, 13));
    hr->SetB(500); hr->SetH(500);
    hr->m_fCoverX = 150;
    hr->m_pMaterial = concrete.Get(1);
    v.push_back(hr);
    auto* hcir = new CHybridCircle;
    hcir->SetType(702);
    hcir->SetSteelSec(new CSRolledHtype(110, 200, 200, 12, 8, 13));
    hcir->SetB(600);
    hcir->m_Rec2[44].a = 314.0f;
    v.push_back(hcir);
    auto* taper = new CTaperVaryWeb;
    taper->SetType(901);
    taper->SetH(300); taper->SetT(6); taper->SetB(200); taper->SetTf(10); taper->SetB1(180); taper->SetTf1(10);
    taper->SetEndH(600);
    taper->m_nSetting = 3;
    auto* s0 = new CSDefineIbeam;
    s0->SetH(300); s0->SetB(200); s0->SetT(6); s0->SetTf(10); s0->SetB1(180); s0->SetTf1(10);
    auto* s1 = new CSDefineIbeam;
    s1->SetH(600); s1->SetB(200); s1->SetT(6); s1->SetTf(10); s1->SetB1(180); s1->SetTf1(10);
    taper->SetStartSec(s0);
    taper->SetEndSec(s1);
    taper->FillSecName();
    v.push_back(taper);
    int i = 0;
    for (CSectionBase* s : v) {
        s->ChangeSecProperty();
        s->BuildStructure();
        if (s->m_pMaterial == nullptr)
            s->m_pMaterial = steel.Get(1 + (i++ % 2));
        s->m_strKind = CString("截面") + s->GetRuntimeClass()->m_lpszClassName;
        s->m_strFull = "中国 热轧H型钢HW200x200x8x12";
        s->m_strCategory = "标准";
    }
    if (taper != nullptr)
        taper->FillSecFactors(s0);
    return v;
}

class SectionFile : public ::testing::Test
{
protected:
    void SetUp() override
    {
        steel.AddMaterial(NewMaterial("Q235"));
        steel.AddMaterial(NewMaterial("Q345"));
        concrete.AddMaterial(NewMaterial("C30"));
        for (CSectionBase* s : OneOfEveryClass(steel, concrete))
            ASSERT_TRUE(list.Add(s, true)) << s->GetRuntimeClass()->m_lpszClassName;
        path = dir.File("lib.sec");
        Store(list, path, &steel, &concrete);
    }

    TempDir dir;
    CMaterialList steel, concrete;
    CSectionList list;
    std::string path;
};

TEST_F(SectionFile, EveryClassRoundTrips)
{
    CSectionList back;
    ASSERT_TRUE(Load(back, path, &steel, &concrete));
    ASSERT_EQ(back.GetCount(), list.GetCount());
    for (int i = 1; i <= (int)list.GetCount(); ++i) {
        CSectionBase* a = list.Get(i);
        CSectionBase* b = back.Get(i);
        const char* cls = a->GetRuntimeClass()->m_lpszClassName;
        ASSERT_EQ(a->GetRuntimeClass(), b->GetRuntimeClass()) << cls;
        EXPECT_EQ(b->m_nNo, a->m_nNo) << cls;
        EXPECT_EQ(b->GetType(), a->GetType()) << cls;
        EXPECT_TRUE(a->IsSame(b)) << cls;
        EXPECT_EQ(b->m_pMaterial, a->m_pMaterial) << cls;
        EXPECT_EQ(b->GetSimpleSecName(), a->GetSimpleSecName()) << cls;
        EXPECT_EQ(b->m_strFull, a->m_strFull) << cls;
        EXPECT_EQ(b->GetXc(), a->GetXc()) << cls;
        EXPECT_EQ(b->GetA2(), a->GetA2()) << cls;
        EXPECT_EQ(b->GetI11(), a->GetI11()) << cls;
        EXPECT_EQ(b->GetOutlineNum(), a->GetOutlineNum()) << cls;
    }
    // Class-specific fields that IsSame does not look at.
    auto* c = dynamic_cast<CCombineSecBase*>(back.Get(30));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->m_fValue[9], (float)c->GetType());
    ASSERT_NE(c->m_pSec1, nullptr);
    EXPECT_TRUE(c->m_pSec1->IsSame(dynamic_cast<CCombineSecBase*>(list.Get(30))->m_pSec1));
    for (POSITION pos = back.GetHeadPosition(); pos != nullptr;) {
        CObject* o = back.GetNext(pos);
        if (auto* t = dynamic_cast<CTaperVaryWeb*>(o)) {
            EXPECT_EQ(t->m_nSetting, 3);
            ASSERT_NE(t->GetEndSec(), nullptr);
            EXPECT_FLOAT_EQ(t->GetEndSec()->GetH(), 60.0f);
        }
        if (auto* h = dynamic_cast<CHybridCircle*>(o)) {
            EXPECT_EQ(h->m_Rec2[44].a, 314.0f);
            ASSERT_NE(h->GetSteelSec(), nullptr);
        }
        if (auto* f = dynamic_cast<CSteelFrameSecBase*>(o)) {
            EXPECT_EQ(f->m_fValue[3], 12.5f);
        }
    }
}

// Codes that the factory does not map (those of the section plug-ins, such as a hybrid of
// code 750 or a combined section of code 850) and a component that was never given a code
// still come back as what was stored.
TEST_F(SectionFile, SectionsWithCodesTheFactoryDoesNotKnowRoundTrip)
{
    ASSERT_EQ(CSectionBase::CreateSec(750), nullptr);
    ASSERT_EQ(CSectionBase::CreateSec(850), nullptr);
    CSectionList own;
    auto* hybrid = new CHybridRect;
    hybrid->SetType(750);
    hybrid->SetSteelSec(new CSRolledHtype(110, 200, 200, 12, 8, 13));
    hybrid->SetB(500); hybrid->SetH(500);
    hybrid->ChangeSecProperty();
    auto* combined = new CSCombineII;
    combined->SetType(850);
    auto* uncoded = new CSRolledIbeam;
    uncoded->SetH(200); uncoded->SetB(100); uncoded->SetTf(11.4f); uncoded->SetT(7);
    uncoded->ChangeSecProperty();
    ASSERT_EQ(uncoded->GetType(), 0);
    combined->SetSec1(uncoded);
    combined->SetB(300); combined->SetH(200);
    combined->BuildStructure();
    ASSERT_TRUE(own.Add(hybrid, true));
    ASSERT_TRUE(own.Add(combined, true));
    const std::string p = dir.File("plugin.sec");
    Store(own, p, &steel, &concrete);

    CSectionList back;
    ASSERT_TRUE(Load(back, p, &steel, &concrete));
    ASSERT_EQ(back.GetCount(), 2);
    auto* h = dynamic_cast<CHybridRect*>(back.Get(1));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(h->GetType(), 750);
    ASSERT_NE(h->GetSteelSec(), nullptr);
    EXPECT_FLOAT_EQ(h->GetB(), 20.0f);
    auto* c = dynamic_cast<CSCombineII*>(back.Get(2));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->GetType(), 850);
    ASSERT_NE(c->m_pSec1, nullptr);
    EXPECT_TRUE(c->m_pSec1->IsSame(uncoded));
    EXPECT_EQ(c->m_pSec2, nullptr);
}

TEST_F(SectionFile, LoadingAppendsWithFreshNumbers)
{
    const int n = (int)list.GetCount();
    ASSERT_TRUE(Load(list, path, &steel, &concrete));
    ASSERT_EQ((int)list.GetCount(), 2 * n);
    std::vector<int> numbers;
    for (int i = 1; i <= 2 * n; ++i)
        numbers.push_back(list.Get(i)->m_nNo);
    std::sort(numbers.begin(), numbers.end());
    EXPECT_EQ(std::adjacent_find(numbers.begin(), numbers.end()), numbers.end());
}

TEST_F(SectionFile, MaterialsResolveAgainstTheGivenLists)
{
    // Read with other lists: the same identifiers name the other lists' materials.
    CMaterialList steel2, concrete2;
    steel2.AddMaterial(NewMaterial("S275"));
    steel2.AddMaterial(NewMaterial("S355"));
    CSectionList back;
    ASSERT_TRUE(Load(back, path, &steel2, &concrete2));
    EXPECT_EQ(back.Get(1)->m_pMaterial, steel2.Get(1));
    EXPECT_EQ(back.Get(2)->m_pMaterial, steel2.Get(2));
    // No concrete material of that identifier: none.
    for (POSITION pos = back.GetHeadPosition(); pos != nullptr;) {
        if (auto* h = dynamic_cast<CSDefineHybCircle*>(back.GetNext(pos))) {
            EXPECT_EQ(h->m_pMaterial, nullptr);
        }
    }
}

// The most negative material reference once overflowed when negated (a concrete
// identifier is stored negative); it names no material.
TEST(SectionFileMaterial, MostNegativeReferenceNamesNoMaterial)
{
    TempDir dir;
    CMaterialList steel, concrete;
    concrete.AddMaterial(NewMaterial("C30"));
    auto write = [&](CMaterialBase* mat) {
        CSectionList list;
        auto* round = new CSRound(115, 20);
        round->m_pMaterial = mat;
        list.Add(round, true);
        const std::string p = dir.File(mat ? "c30.sec" : "none.sec");
        Store(list, p, &steel, &concrete);
        std::ifstream in(p, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    };
    const std::string none = write(nullptr), c30 = write(concrete.Get(1));
    ASSERT_EQ(none.size(), c30.size());
    // The reference is the one place the two files differ: 0 and -1.
    const size_t at = c30.find(std::string(4, '\xFF'));
    ASSERT_NE(at, std::string::npos);
    ASSERT_EQ(none.substr(at, 4), std::string(4, '\0'));
    std::string patched = c30;
    patched.replace(at, 4, std::string("\0\0\0\x80", 4)); // INT_MIN, little-endian
    const std::string p = dir.File("patched.sec");
    std::ofstream(p, std::ios::binary | std::ios::trunc) << patched;
    CSectionList back;
    ASSERT_TRUE(Load(back, p, &steel, &concrete));
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.Get(1)->m_pMaterial, nullptr);
}

TEST_F(SectionFile, TruncatedOrCorruptFileLeavesTheLibraryUnchanged)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 100u);
    CSectionList target;
    target.Add(new CSRolledIbeam(103, 200, 100, 11.4f, 7, 9, 4.5f), true);
    CSectionBase* const kept = target.Get(1);

    struct Case
    {
        const char* what;
        std::string data;
    };
    std::string badCode = bytes;
    badCode[12] = (char)0x7f; // first section's type code
    std::string badTag = bytes;
    badTag[0] ^= 0x55;
    std::string hugeCount = bytes;
    hugeCount[8] = hugeCount[9] = hugeCount[10] = (char)0x7f;
    const Case cases[] = {
        {"empty", std::string()},
        {"header only", bytes.substr(0, 12)},
        {"cut in the first section", bytes.substr(0, 40)},
        {"cut in the middle", bytes.substr(0, bytes.size() / 2)},
        {"last byte missing", bytes.substr(0, bytes.size() - 1)},
        {"unknown type code", badCode},
        {"not a section file", badTag},
        {"impossible count", hugeCount},
    };
    for (const Case& c : cases) {
        const std::string p = dir.File("bad.sec");
        std::ofstream(p, std::ios::binary | std::ios::trunc) << c.data;
        EXPECT_FALSE(Load(target, p, &steel, &concrete)) << c.what;
        ASSERT_EQ(target.GetCount(), 1) << c.what;
        EXPECT_EQ(target.Get(1), kept) << c.what;
    }
}

// Flipped bytes anywhere: the load either succeeds or fails cleanly, and a failure leaves
// the library untouched (never a crash, never a half-read library).
TEST_F(SectionFile, FlippedBytesNeverCorruptTheLibrary)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string p = dir.File("flip.sec");
    const size_t step = std::max<size_t>(1, bytes.size() / 150) | 1;
    for (size_t i = 0; i < bytes.size(); i += step) {
        std::string data = bytes;
        data[i] = (char)~data[i];
        std::ofstream(p, std::ios::binary | std::ios::trunc) << data;
        CSectionList target;
        const bool ok = Load(target, p, &steel, &concrete);
        if (!ok) {
            EXPECT_TRUE(target.IsEmpty()) << "byte " << i;
        } else {
            for (POSITION pos = target.GetHeadPosition(); pos != nullptr;) {
                CSectionBase* s = static_cast<CSectionBase*>(target.GetNext(pos));
                EXPECT_FALSE(std::isnan(s->GetA1()) || s->GetA1() < 0.0f) << "byte " << i;
            }
        }
    }
}

TEST(SectionList, GetAddDelete)
{
    CSectionList list;
    EXPECT_EQ(list.Get(1), nullptr);
    auto* a = new CSRolledHtype(110, 200, 200, 12, 8, 13);
    auto* b = new CSPipe(113, 89, 4);
    b->m_nNo = 7;
    ASSERT_TRUE(list.Add(a, true));
    ASSERT_TRUE(list.Add(b, false));
    EXPECT_EQ(list.Get(1), a);
    EXPECT_EQ(list.Get(2), b);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Get(3), nullptr);
    EXPECT_EQ(a->m_nNo, 1);
    EXPECT_EQ(b->m_nNo, 7); // kept: free
    EXPECT_FALSE(list.Add(a, true)); // already listed
    EXPECT_FALSE(list.Add(nullptr, true));
    auto* dup = new CSRound(115, 20);
    dup->m_nNo = 7;
    ASSERT_TRUE(list.Add(dup, false));
    EXPECT_EQ(dup->m_nNo, 8); // 7 is taken
    EXPECT_EQ(list.GetByNo(7), b);

    // A section of impossible dimensions is refused and stays the caller's.
    auto bad = std::make_unique<CSRolledHtype>(110, 200, 200, 12, 0, 13);
    EXPECT_FALSE(list.Add(bad.get(), true));
    EXPECT_EQ(list.GetCount(), 3);

    list.Delete(1);
    EXPECT_EQ(list.Get(1), b);
    list.Delete(99);
    EXPECT_EQ(list.GetCount(), 2);
    list.DeleteAll();
    EXPECT_TRUE(list.IsEmpty());
}

TEST(SecPointArray, OrdersByTypeThenNumberAndByMaterial)
{
    CMaterialBase q235, q345;
    q235.SetName("Q235");
    q345.SetName("Q345");
    CSectionList list;
    auto add = [&](CSectionBase* s, CMaterialBase* m) {
        s->m_pMaterial = m;
        list.Add(s, true);
        return s;
    };
    CSectionBase* pipe = add(new CSPipe(113, 89, 4), &q235);
    CSectionBase* h2 = add(new CSRolledHtype(110, 200, 200, 12, 8, 13), &q345);
    CSectionBase* angle = add(new CSRolledEAngle(101, 50, 5, 5.5f, 5.5f, 14.2f), &q345);
    CSectionBase* h1 = add(new CSRolledHtype(110, 300, 300, 15, 10, 13), &q235);
    CSecPointArray arr;
    arr.InitOnSec(&list, 0, 0);
    ASSERT_EQ(arr.GetCount(), 4);
    EXPECT_EQ(arr[0], angle);
    EXPECT_EQ(arr[1], h2);
    EXPECT_EQ(arr[2], h1);
    EXPECT_EQ(arr[3], pipe);
    arr.InitOnMat(&list, 0);
    EXPECT_EQ(arr[0], h1);
    EXPECT_EQ(arr[1], pipe);
    EXPECT_EQ(arr[2], angle);
    EXPECT_EQ(arr[3], h2);
    EXPECT_EQ(arr[4], nullptr);
}

TEST(StayList, NumbersAndDeletesWithoutDestroying)
{
    auto* plate = new CStay;
    plate->m_fWidth = 20.0f;
    plate->m_fThick = 0.6f;
    plate->m_fSpace = 40.0f;
    auto* bars = new CStay;
    bars->m_nKind = 1;
    bars->SetAngleSec(new CSRolledEAngle(101, 50, 5, 5.5f, 5.5f, 14.2f));
    {
        CStayList list;
        list.Add(plate);
        list.Add(bars);
        EXPECT_EQ(plate->m_nNo, 1);
        EXPECT_EQ(bars->m_nNo, 2);
        EXPECT_EQ(list.Get(2), bars);
        EXPECT_EQ(list.Get(3), nullptr);
        list.DeleteStay(plate);
        EXPECT_EQ(list.Get(1), bars);
        EXPECT_EQ(bars->m_nNo, 1);
    }
    // The list is gone; both records are still ours.
    EXPECT_NE(plate->GetDescription().Find("200"), -1);
    EXPECT_EQ(bars->m_nKind, 1);
    delete plate;
    delete bars;
}

TEST(SlabTypes, HeightsAndTypeCodes)
{
    CBanSteel composite;
    composite.m_nRibH = 75;
    composite.m_fThick = 80;
    EXPECT_FLOAT_EQ(composite.GetH(), 15.5f);
    EXPECT_EQ(composite.GetType(), -1);
    EXPECT_FALSE(composite.IsConcreteBan());
    CBanConcrete concrete;
    concrete.m_fThick = 120;
    EXPECT_FLOAT_EQ(concrete.GetH(), 12.0f);
    EXPECT_TRUE(concrete.IsConcreteBan());
    EXPECT_EQ(concrete.GetType(), 3);
    composite.GetSpanArray()->Add(3.6);
    EXPECT_EQ(composite.m_SpanArray.GetSize(), 1);

    CBanList list;
    auto* a = new CBanSteel;
    auto* b = new CBanSteel;
    b->SetType(2);
    EXPECT_TRUE(list.Add(a));
    EXPECT_TRUE(list.Add(b));
    EXPECT_FALSE(list.Add(a));
    EXPECT_EQ(list.Get(2), b);
    list.Delete(1);
    EXPECT_EQ(list.Get(1), b);
    EXPECT_EQ(b->m_nNo, 1);
    EXPECT_EQ(b->GetType(), 2);
}

TEST(GroupLists, AddNumbersWithThePosition)
{
    CPinNailGroupList studs;
    auto* g1 = new CPinNailGroup;
    g1->m_nDiameter = 19;
    auto* g2 = new CPinNailGroup;
    g2->m_nDiameter = 16;
    studs.Add(g1);
    studs.Add(g2);
    EXPECT_EQ(g1->m_nNo, 1);
    EXPECT_EQ(g2->m_nNo, 2);
    CPinNailGroup probe;
    probe.m_nDiameter = 16;
    EXPECT_EQ(studs.IsOldGroup(&probe), g2);
    probe.m_nDiameter = 22;
    EXPECT_EQ(studs.IsOldGroup(&probe), nullptr);
    studs.Delete(1);
    EXPECT_EQ(g2->m_nNo, 1);

    CPlateSteelBarGroupList bars;
    bars.Add(new CPlateSteelBarGroup(1, 10, 200));
    bars.Add(new CPlateSteelBarGroup(1, 12, 150));
    EXPECT_EQ(bars.Get(2)->m_nNo, 2);
    CPlateSteelBarGroup same(1, 12, 150);
    EXPECT_EQ(bars.IsOldGroup(&same), bars.Get(2));
    CSteelBarGroupList sb;
    sb.Add(new CSteelBarGroup);
    EXPECT_EQ(sb.Get(1)->m_nNo, 1);
    CHoopSteelBarGroupList hb;
    hb.Add(new CHoopSteelBarGroup);
    hb.Add(new CHoopSteelBarGroup);
    EXPECT_EQ(hb.Get(2)->m_nNo, 2);
}

int g_studGroupsFreed = 0;

// A stud group whose destruction the test can see.
class CFreedStuds : public CPinNailGroup
{
public:
    explicit CFreedStuds(int diameter) { m_nDiameter = diameter; }
    ~CFreedStuds() override { ++g_studGroupsFreed; }
};

TEST(GroupLists, StoringAnEqualGroupReusesItsNumberAndFreesTheNewOne)
{
    g_studGroupsFreed = 0;
    CPinNailGroupList studs;
    CPinNailGroup* g16 = VyrStoreGroup(&studs, static_cast<CPinNailGroup*>(new CFreedStuds(16)));
    CPinNailGroup* g19 = VyrStoreGroup(&studs, static_cast<CPinNailGroup*>(new CFreedStuds(19)));
    ASSERT_EQ(studs.GetCount(), 2);
    EXPECT_EQ(g16->m_nNo, 1);
    EXPECT_EQ(g19->m_nNo, 2);

    // Equal to the second group, not the first: that one is answered, the list keeps two.
    EXPECT_EQ(VyrStoreGroup(&studs, static_cast<CPinNailGroup*>(new CFreedStuds(19))), g19);
    EXPECT_EQ(g_studGroupsFreed, 1);
    EXPECT_EQ(studs.GetCount(), 2);
    EXPECT_EQ(g19->m_nNo, 2);

    // After a delete the next new group takes the count, not a number past the old ones.
    studs.Delete(1);
    EXPECT_EQ(g_studGroupsFreed, 2);
    CPinNailGroup* g22 = VyrStoreGroup(&studs, static_cast<CPinNailGroup*>(new CFreedStuds(22)));
    EXPECT_EQ(studs.Get(2), g22);
    EXPECT_EQ(g22->m_nNo, 2);
    EXPECT_EQ(g19->m_nNo, 1);

    // Slab bars compare grade, diameter and spacing: one differing value is a new group.
    CPlateSteelBarGroupList bars;
    CPlateSteelBarGroup* b = VyrStoreGroup(&bars, new CPlateSteelBarGroup(1, 10, 200));
    EXPECT_EQ(VyrStoreGroup(&bars, new CPlateSteelBarGroup(1, 10, 200)), b);
    CPlateSteelBarGroup* wider = VyrStoreGroup(&bars, new CPlateSteelBarGroup(1, 10, 250));
    EXPECT_NE(wider, b);
    EXPECT_EQ(wider->m_nNo, 2);
    EXPECT_EQ(bars.GetCount(), 2);
}

} // namespace

namespace {

TEST(MaterialList, IdentifiersArePositions)
{
    CMaterialList list;
    CMaterialBase* a = NewMaterial("Q235");
    CMaterialBase* b = NewMaterial("Q345");
    CMaterialBase* c = NewMaterial("Q390");
    list.AddMaterial(a);
    list.AddMaterial(b);
    list.AddMaterial(c);
    EXPECT_EQ(c->GetID(), 3);
    EXPECT_EQ(list.Get(2), b);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Get(4), nullptr);
    list.Delete(1);
    EXPECT_EQ(list.Get(1), b);
    EXPECT_EQ(b->GetID(), 1);
    EXPECT_EQ(c->GetID(), 2);
}

} // namespace

namespace {

TEST(SlabTypes, CompositeSlabKeepsItsSheetDataAndReadsTheOlderForm)
{
    TempDir dir;
    const std::string now = dir.File("now.bin"), old = dir.File("old.bin");
    CBanSteel deck;
    deck.m_fThick = 80;
    deck.m_strSheet = "YX51-250-750";
    deck.m_nRibH = 51;
    deck.m_fSheetT = 1.2f;
    deck.m_nDBPos = 7;
    deck.m_fS = 250.5f;
    deck.m_nBe = 60;
    deck.m_nB = 750;
    deck.m_fIef = 104.6f;
    deck.m_fWef = 32.1f;
    deck.m_nb1 = 98;
    deck.m_nb2 = 36;
    {
        CFile f(now.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        ar.WriteObject(&deck);
        ar.Close();
    }
    {
        CFile f(now.c_str(), CFile::modeRead);
        CArchive ar(&f, CArchive::load);
        std::unique_ptr<CObject> o(ar.ReadObject(RUNTIME_CLASS(CBanSteel)));
        auto* back = dynamic_cast<CBanSteel*>(o.get());
        ASSERT_NE(back, nullptr);
        EXPECT_EQ(back->m_strSheet, CString("YX51-250-750"));
        EXPECT_EQ(back->m_nRibH, 51);
        EXPECT_FLOAT_EQ(back->m_fSheetT, 1.2f);
        EXPECT_EQ(back->m_nDBPos, 7);
        EXPECT_FLOAT_EQ(back->m_fS, 250.5f);
        EXPECT_EQ(back->m_nBe, 60);
        EXPECT_EQ(back->m_nB, 750);
        EXPECT_FLOAT_EQ(back->m_fIef, 104.6f);
        EXPECT_FLOAT_EQ(back->m_fWef, 32.1f);
        EXPECT_EQ(back->m_nb1, 98);
        EXPECT_EQ(back->m_nb2, 36);
        EXPECT_TRUE(ar.IsBufferEmpty());
    }
    // The older form ends after the sheet thickness; what follows it belongs to the next
    // object.
    {
        CFile f(old.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store);
        CBan base;
        base.m_fThick = 80;
        base.SetType(-1);
        base.Serialize(ar);
        ar << 51 << CString("YX51-250-750") << 1.2f << 12345;
        ar.Close();
    }
    CFile f(old.c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    ar.SetObjectSchema(1);
    CBanSteel back;
    back.Serialize(ar);
    EXPECT_EQ(back.m_nRibH, 51);
    EXPECT_EQ(back.m_strSheet, CString("YX51-250-750"));
    EXPECT_FLOAT_EQ(back.m_fWef, 0.0f);
    int next = 0;
    ar >> next;
    EXPECT_EQ(next, 12345);
}

} // namespace
