#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <vyr/stdafx.h>
#include "temp_dir.h"

namespace {

class CGold : public CObject
{
    DECLARE_SERIAL(CGold)
public:
    CGold() = default;
    explicit CGold(int n) : m_n(n) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_n;
        else
            ar >> m_n;
    }
    int m_n = 0;
};
IMPLEMENT_SERIAL(CGold, CObject, 1)

// A node that refers to another object of the same archive and owns a name.
class CLinked : public CObject
{
    DECLARE_SERIAL(CLinked)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_name << m_pOther;
        else
            ar >> m_name >> m_pOther;
    }
    CString m_name;
    CObject* m_pOther = nullptr;
};
IMPLEMENT_SERIAL(CLinked, CObject, 3)

// Reads schema 1 and 2 (a version number of the class itself).
class CVersioned : public CObject
{
    DECLARE_SERIAL(CVersioned)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring()) {
            ar << m_a << m_b;
        } else {
            UINT schema = ar.GetObjectSchema();
            m_schemaSeen = schema;
            ar >> m_a;
            if (schema >= 2) ar >> m_b;
        }
    }
    int m_a = 0, m_b = -1;
    UINT m_schemaSeen = 0;
};
IMPLEMENT_SERIAL(CVersioned, CObject, VERSIONABLE_SCHEMA | 2)

// A class that is not serialisable (no schema) but dynamically creatable.
class CNotSerial : public CObject
{
    DECLARE_DYNCREATE(CNotSerial)
};
IMPLEMENT_DYNCREATE(CNotSerial, CObject)

using Bytes = std::vector<unsigned char>;

// Stores through fn into a file and returns the file's bytes.
template <class Fn>
Bytes Store(const TempDir& dir, Fn fn)
{
    std::string path = dir.File("store.bin");
    CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
    {
        CArchive ar(&f, CArchive::store);
        fn(ar);
        ar.Close();
    }
    f.Close();
    return TempDir::ReadBytes(path);
}

// Loads bytes through fn; returns the archive exception cause, or -1 when none was thrown.
template <class Fn>
int Load(const TempDir& dir, const Bytes& bytes, Fn fn)
{
    std::string path = dir.File("load.bin");
    TempDir::WriteBytes(path, bytes);
    CFile f(path.c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load);
    int cause = -1;
    try {
        fn(ar);
    } catch (CArchiveException* e) {
        cause = e->m_cause;
        e->Delete();
    }
    return cause;
}

void StoreGolden(CArchive& ar, CGold& a, CGold& b)
{
    ar << (BYTE)1 << (WORD)0x0203 << (LONG)-2 << (DWORD)0x01020304 << 1.5f << 2.0;
    ar << CString("ab") << CString("钢");
    ar << &a << &a << &b << (CObject*)nullptr;
    ar.WriteCount(3);
    ar.WriteCount(0x10000);
}

const Bytes kGolden = {
    0x01,                                           // BYTE
    0x03, 0x02,                                     // WORD 0x0203
    0xFE, 0xFF, 0xFF, 0xFF,                         // LONG -2
    0x04, 0x03, 0x02, 0x01,                         // DWORD 0x01020304
    0x00, 0x00, 0xC0, 0x3F,                         // float 1.5
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, // double 2.0
    0x02, 'a', 'b',                                 // "ab"
    0x02, 0xB8, 0xD6,                               // "钢" in GBK
    0xFF, 0xFF,                                     // new class
    0x01, 0x00, 0x05, 0x00, 'C', 'G', 'o', 'l', 'd', // schema 1, name
    0x07, 0x00, 0x00, 0x00,                         // a.m_n (object index 2)
    0x02, 0x00,                                     // a again: object reference 2
    0x01, 0x80,                                     // class reference 1
    0x09, 0x00, 0x00, 0x00,                         // b.m_n
    0x00, 0x00,                                     // null
    0x03, 0x00,                                     // count 3
    0xFF, 0xFF, 0x00, 0x00, 0x01, 0x00,             // count 0x10000
};

struct GoldenResult
{
    BYTE by = 0;
    WORD w = 0;
    LONG l = 0;
    DWORD dw = 0;
    float f = 0;
    double d = 0;
    CString s1, s2;
    std::unique_ptr<CObject> a, b;
    CObject* aAgain = nullptr;
    CObject* null = (CObject*)1;
    DWORD c1 = 0, c2 = 0;
};

void LoadGolden(CArchive& ar, GoldenResult& r)
{
    ar >> r.by >> r.w >> r.l >> r.dw >> r.f >> r.d >> r.s1 >> r.s2;
    CGold* p = nullptr;
    ar >> p;
    r.a.reset(p);
    ar >> r.aAgain;
    CObject* ob = nullptr;
    ar >> ob;
    r.b.reset(ob);
    ar >> r.null;
    r.c1 = ar.ReadCount();
    r.c2 = ar.ReadCount();
}

} // namespace

TEST(CArchive, StoresTheExactBytesOfTheStreamFormat)
{
    TempDir dir;
    CGold a(7), b(9);
    Bytes got = Store(dir, [&](CArchive& ar) { StoreGolden(ar, a, b); });
    EXPECT_EQ(got, kGolden);
}

TEST(CArchive, LoadsTheGoldenStream)
{
    TempDir dir;
    GoldenResult r;
    EXPECT_EQ(Load(dir, kGolden, [&](CArchive& ar) {
                  LoadGolden(ar, r);
                  EXPECT_TRUE(ar.IsLoading());
              }),
              -1);
    EXPECT_EQ(r.by, 1);
    EXPECT_EQ(r.w, 0x0203);
    EXPECT_EQ(r.l, -2);
    EXPECT_EQ(r.dw, 0x01020304u);
    EXPECT_EQ(r.f, 1.5f);
    EXPECT_EQ(r.d, 2.0);
    EXPECT_EQ(r.s1, "ab");
    EXPECT_EQ(r.s2, "钢");
    ASSERT_NE(r.a, nullptr);
    EXPECT_EQ(static_cast<CGold*>(r.a.get())->m_n, 7);
    EXPECT_EQ(r.aAgain, r.a.get()); // the reference resolves to the same object
    ASSERT_TRUE(r.b && r.b->IsKindOf(RUNTIME_CLASS(CGold)));
    EXPECT_EQ(static_cast<CGold*>(r.b.get())->m_n, 9);
    EXPECT_EQ(r.null, nullptr);
    EXPECT_EQ(r.c1, 3u);
    EXPECT_EQ(r.c2, 0x10000u);
}

// Every cut of a valid stream fails with endOfFile, never reads past the data and frees
// the object it was reading.
TEST(CArchive, EveryTruncationFailsCleanly)
{
    TempDir dir;
    for (size_t n = 0; n < kGolden.size(); n++) {
        Bytes cut(kGolden.begin(), kGolden.begin() + (std::ptrdiff_t)n);
        GoldenResult r;
        int cause = Load(dir, cut, [&](CArchive& ar) { LoadGolden(ar, r); });
        EXPECT_EQ(cause, CArchiveException::endOfFile) << "cut at " << n;
    }
}

TEST(CArchive, StringLengthPrefixes)
{
    struct Case
    {
        size_t len;
        Bytes prefix;
    };
    const Case cases[] = {
        {0, {0x00}},
        {254, {0xFE}},
        {255, {0xFF, 0xFF, 0x00}},
        {0xFFFD, {0xFF, 0xFD, 0xFF}},
        {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
        {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}},
    };
    TempDir dir;
    for (const Case& c : cases) {
        CString s(std::string(c.len, 'x'));
        Bytes got = Store(dir, [&](CArchive& ar) { ar << s; });
        ASSERT_EQ(got.size(), c.prefix.size() + c.len) << c.len;
        EXPECT_EQ(Bytes(got.begin(), got.begin() + (std::ptrdiff_t)c.prefix.size()), c.prefix) << c.len;
        CString back;
        EXPECT_EQ(Load(dir, got, [&](CArchive& ar) { ar >> back; }), -1);
        EXPECT_EQ(back, s);
    }
}

TEST(CArchive, PointsSizesAndRectsAreTheirLongs)
{
    TempDir dir;
    Bytes got = Store(dir, [&](CArchive& ar) { ar << CPoint(1, -1) << CSize(2, 3) << CRect(4, 5, 6, 7); });
    Bytes expected = {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 2, 0, 0, 0, 3, 0, 0, 0,
                      4, 0, 0, 0, 5, 0, 0, 0, 6, 0, 0, 0, 7, 0, 0, 0};
    EXPECT_EQ(got, expected);
    CPoint p;
    CSize sz;
    CRect rc;
    EXPECT_EQ(Load(dir, got, [&](CArchive& ar) { ar >> p >> sz >> rc; }), -1);
    EXPECT_EQ(p, CPoint(1, -1));
    EXPECT_EQ(sz, CSize(2, 3));
    EXPECT_EQ(rc, CRect(4, 5, 6, 7));
}

TEST(CArchive, ChineseTextLengthCountsGbkBytes)
{
    TempDir dir;
    // 200 Chinese characters: 600 bytes of UTF-8 but 400 of GBK, so a WORD length of 400.
    std::string text;
    for (int i = 0; i < 200; i++) text += "梁";
    Bytes got = Store(dir, [&](CArchive& ar) { ar << CString(text); });
    ASSERT_EQ(got.size(), 3u + 400u);
    EXPECT_EQ(got[0], 0xFF);
    EXPECT_EQ(got[1] | (got[2] << 8), 400);
    EXPECT_EQ(got[3], 0xC1);
    EXPECT_EQ(got[4], 0xBA);
    CString back;
    Load(dir, got, [&](CArchive& ar) { ar >> back; });
    EXPECT_EQ(back, text.c_str());
}

TEST(CArchive, ReadsStringsOfAUnicodeWriter)
{
    TempDir dir;
    // Marker 0xFF 0xFFFE, then a count of UTF-16 units and the units.
    Bytes wide = {0xFF, 0xFE, 0xFF, 0x04, 'A', 0x00, 0xA2, 0x94, 0x3C, 0xD8};
    CString s;
    EXPECT_EQ(Load(dir, wide, [&](CArchive& ar) { ar >> s; }), CArchiveException::endOfFile);
    wide.push_back(0x00);
    wide.push_back(0xDF); // completes the surrogate pair U+1F300
    EXPECT_EQ(Load(dir, wide, [&](CArchive& ar) { ar >> s; }), -1);
    EXPECT_EQ(s, "A钢\xF0\x9F\x8C\x80");
}

TEST(CArchive, ObjectGraphKeepsSharedReferencesAndCycles)
{
    TempDir dir;
    CLinked x, y;
    x.m_name = "甲";
    y.m_name = "乙";
    x.m_pOther = &y;
    y.m_pOther = &x; // a cycle
    CObList list;
    list.AddTail(&x);
    list.AddTail(&y);
    list.AddTail(&x);
    Bytes bytes = Store(dir, [&](CArchive& ar) { list.Serialize(ar); });

    CObList back;
    EXPECT_EQ(Load(dir, bytes, [&](CArchive& ar) { back.Serialize(ar); }), -1);
    ASSERT_EQ(back.GetCount(), 3);
    POSITION pos = back.GetHeadPosition();
    auto* bx = static_cast<CLinked*>(back.GetNext(pos));
    auto* by = static_cast<CLinked*>(back.GetNext(pos));
    EXPECT_EQ(back.GetNext(pos), bx);
    EXPECT_EQ(bx->m_name, "甲");
    EXPECT_EQ(by->m_name, "乙");
    EXPECT_EQ(bx->m_pOther, by);
    EXPECT_EQ(by->m_pOther, bx);
    delete bx;
    delete by;
}

TEST(CArchive, CollectionsRoundTrip)
{
    TempDir dir;
    CStringArray names;
    names.Add("钢梁");
    names.Add("");
    CArray<double, double> values;
    values.Add(0.25);
    values.Add(-1e300);
    CMapStringToString map;
    map["柱"] = "column";
    CDWordArray dws;
    dws.Add(0xDEADBEEF);
    Bytes bytes = Store(dir, [&](CArchive& ar) {
        names.Serialize(ar);
        values.Serialize(ar);
        map.Serialize(ar);
        dws.Serialize(ar);
    });
    CStringArray names2;
    CArray<double, double> values2;
    CMapStringToString map2;
    CDWordArray dws2;
    EXPECT_EQ(Load(dir, bytes, [&](CArchive& ar) {
                  names2.Serialize(ar);
                  values2.Serialize(ar);
                  map2.Serialize(ar);
                  dws2.Serialize(ar);
              }),
              -1);
    ASSERT_EQ(names2.GetSize(), 2);
    EXPECT_EQ(names2[0], "钢梁");
    EXPECT_EQ(names2[1], "");
    ASSERT_EQ(values2.GetSize(), 2);
    EXPECT_EQ(values2[1], -1e300);
    CString v;
    EXPECT_TRUE(map2.Lookup("柱", v));
    EXPECT_EQ(v, "column");
    ASSERT_EQ(dws2.GetSize(), 1);
    EXPECT_EQ(dws2[0], 0xDEADBEEFu);
}

TEST(CArchive, VersionableSchemaReadsOlderObjects)
{
    TempDir dir;
    // A schema-1 record written by an older program: class CVersioned, m_a = 5.
    Bytes old = {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00, 'C', 'V', 'e', 'r', 's', 'i', 'o', 'n', 'e', 'd',
                 0x05, 0x00, 0x00, 0x00};
    CObject* p = nullptr;
    EXPECT_EQ(Load(dir, old, [&](CArchive& ar) { ar >> p; }), -1);
    std::unique_ptr<CObject> owner(p);
    auto* v = dynamic_cast<CVersioned*>(p);
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->m_schemaSeen, 1u);
    EXPECT_EQ(v->m_a, 5);
    EXPECT_EQ(v->m_b, -1);

    CVersioned now;
    now.m_a = 1;
    now.m_b = 2;
    Bytes cur = Store(dir, [&](CArchive& ar) { ar << &now; });
    EXPECT_EQ(cur[2], 0x02); // the stored schema has no versionable flag
    EXPECT_EQ(cur[3], 0x00);
}

// Corrupt streams: the archive reports the fault instead of crashing or guessing.
TEST(CArchive, CorruptStreamsFailWithTheirCause)
{
    struct Case
    {
        const char* what;
        Bytes bytes;
        int cause;
        bool typed = true; // read as CGold, else as any object
    };
    const Case cases[] = {
        {"unknown class", {0xFF, 0xFF, 0x01, 0x00, 0x04, 0x00, 'C', 'B', 'a', 'd'}, CArchiveException::badClass},
        {"schema mismatch", {0xFF, 0xFF, 0x02, 0x00, 0x05, 0x00, 'C', 'G', 'o', 'l', 'd', 0, 0, 0, 0},
         CArchiveException::badSchema},
        {"class name too long", {0xFF, 0xFF, 0x01, 0x00, 0xC8, 0x00, 'C'}, CArchiveException::badClass},
        {"class reference never defined", {0x05, 0x80}, CArchiveException::badIndex},
        {"class reference 0", {0x00, 0x80}, CArchiveException::badIndex},
        {"object reference never defined", {0x01, 0x00}, CArchiveException::badIndex},
        {"object reference to a class",
         {0xFF, 0xFF, 0x01, 0x00, 0x05, 0x00, 'C', 'G', 'o', 'l', 'd', 7, 0, 0, 0, 0x01, 0x00},
         CArchiveException::badIndex},
        {"big object reference", {0xFF, 0x7F, 0x00, 0x10, 0x00, 0x00}, CArchiveException::badIndex},
        {"class not serialisable", {0xFF, 0xFF, 0xFF, 0xFF, 0x0A, 0x00, 'C', 'N', 'o', 't', 'S', 'e', 'r', 'i', 'a', 'l'},
         CArchiveException::badClass, false},
        {"wrong class for the typed read",
         {0xFF, 0xFF, 0x03, 0x00, 0x07, 0x00, 'C', 'L', 'i', 'n', 'k', 'e', 'd', 0x00, 0x00, 0x00}, CArchiveException::badClass},
    };
    TempDir dir;
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<CObject>> got;
        int cause = Load(dir, c.bytes, [&](CArchive& ar) {
            for (int i = 0; i < 3; i++) got.emplace_back(ar.ReadObject(c.typed ? RUNTIME_CLASS(CGold) : nullptr));
        });
        EXPECT_EQ(cause, c.cause) << c.what;
    }
}

TEST(CArchive, HugeLengthsOnShortDataEndCleanly)
{
    TempDir dir;
    CString s;
    EXPECT_EQ(Load(dir, {0xFF, 0xFF, 0xFF, 0xF0, 0xFF, 0xFF, 0xFF, 'a', 'b'}, [&](CArchive& ar) { ar >> s; }),
              CArchiveException::endOfFile);
    CArray<double, double> a;
    EXPECT_EQ(Load(dir, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0, 0, 0, 0, 0, 0, 0xF0, 0x3F},
                   [&](CArchive& ar) { a.Serialize(ar); }),
              CArchiveException::endOfFile);
    CStringList l;
    EXPECT_EQ(Load(dir, {0x05, 0x00, 0x01, 'x'}, [&](CArchive& ar) { l.Serialize(ar); }),
              CArchiveException::endOfFile);
    EXPECT_EQ(l.GetCount(), 1); // what was read stays
}

TEST(CArchive, WrongDirectionIsReported)
{
    TempDir dir;
    int cause = -1;
    Store(dir, [&](CArchive& ar) {
        try {
            BYTE b;
            ar >> b;
        } catch (CArchiveException* e) {
            cause = e->m_cause;
            e->Delete();
        }
    });
    EXPECT_EQ(cause, CArchiveException::writeOnly);
    EXPECT_EQ(Load(dir, {0x00}, [&](CArchive& ar) { ar << (BYTE)1; }), CArchiveException::readOnly);
}

TEST(CArchive, SmallBufferAndDestructorFlush)
{
    TempDir dir;
    std::string path = dir.File("flush.bin");
    {
        CFile f(path.c_str(), CFile::modeCreate | CFile::modeWrite);
        CArchive ar(&f, CArchive::store, 128);
        for (int i = 0; i < 1000; i++) ar << (DWORD)i;
        // no Close: the destructor flushes
    }
    Bytes b = TempDir::ReadBytes(path);
    ASSERT_EQ(b.size(), 4000u);
    CFile f(path.c_str(), CFile::modeRead);
    CArchive ar(&f, CArchive::load, 128);
    for (int i = 0; i < 1000; i++) {
        DWORD v;
        ar >> v;
        ASSERT_EQ(v, (DWORD)i);
    }
    BYTE extra;
    EXPECT_EQ(ar.Read(&extra, 1), 0u);
}

TEST(CArchive, ClosingALoadLeavesTheFileAfterWhatWasRead)
{
    TempDir dir;
    std::string path = dir.File("tail.bin");
    TempDir::WriteBytes(path, {1, 0, 0, 0, 2, 0, 0, 0, 0xAB});
    CFile f(path.c_str(), CFile::modeRead);
    {
        CArchive ar(&f, CArchive::load);
        DWORD a, b;
        ar >> a >> b;
        EXPECT_EQ(b, 2u);
    } // the archive read ahead to the end
    EXPECT_EQ(f.GetPosition(), 8u);
    BYTE last = 0;
    EXPECT_EQ(f.Read(&last, 1), 1u);
    EXPECT_EQ(last, 0xAB);
}

TEST(CRuntimeClass, NamesBasesAndCreation)
{
    EXPECT_EQ(CRuntimeClass::FromName("CGold"), RUNTIME_CLASS(CGold));
    EXPECT_EQ(CRuntimeClass::FromName("CNope"), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CObList"), RUNTIME_CLASS(CObList));
    std::unique_ptr<CObject> o(RUNTIME_CLASS(CGold)->CreateObject());
    ASSERT_NE(o, nullptr);
    EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CGold)));
    EXPECT_TRUE(o->IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(o->IsKindOf(RUNTIME_CLASS(CLinked)));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
    EXPECT_TRUE(RUNTIME_CLASS(CStringList)->IsDerivedFrom(RUNTIME_CLASS(CObject)));
    CFileException fe;
    EXPECT_TRUE(fe.IsKindOf(RUNTIME_CLASS(CException)));
    EXPECT_EQ(DYNAMIC_DOWNCAST(CGold, o.get()), o.get());
    EXPECT_EQ(DYNAMIC_DOWNCAST(CLinked, o.get()), nullptr);
}
