#include <gtest/gtest.h>

#include <thread>

#include <vyr/stdafx.h>

namespace {

const CLSID kClsid = {0x12345678, 0x1111, 0x2222, {1, 2, 3, 4, 5, 6, 7, 8}};
const IID kIidCounter = {0xEA30F159, 0x4F8C, 0x4B3A, {0xB7, 0xD4, 0xDC, 0x6A, 0x66, 0x63, 0x0C, 0x74}};
const IID kIidOther = {0xBFA1D3C6, 0x106E, 0x43A1, {0x87, 0x1B, 0x7D, 0x52, 0x82, 0x51, 0xA0, 0x1F}};

struct ICounter : IUnknown
{
    virtual int Next() = 0;

protected:
    ~ICounter() = default;
};

int g_live = 0;

class Counter final : public ICounter
{
public:
    Counter() { ++g_live; }
    HRESULT QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == kIidCounter) {
            *ppv = static_cast<ICounter*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        ULONG r = --m_refs;
        if (r == 0) delete this;
        return r;
    }
    int Next() override { return ++m_value; }

private:
    ~Counter() { --g_live; }
    ULONG m_refs = 1;
    int m_value = 0;
};

class ComTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        vyr::RegisterComClass(L"Test.Counter", kClsid, [] { return static_cast<IUnknown*>(new Counter); });
        g_live = 0;
    }
    void TearDown() override { vyr::UnregisterComClass(L"Test.Counter"); }
};

} // namespace

TEST_F(ComTest, ProgIdResolvesAndTheObjectLivesByItsReferences)
{
    CLSID clsid;
    ASSERT_EQ(CLSIDFromProgID(L"Test.Counter", &clsid), S_OK);
    EXPECT_TRUE(clsid == kClsid);
    EXPECT_TRUE(FAILED(CLSIDFromProgID(L"Drawing.DrawingResultNo", &clsid)));

    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE); // already initialised on this thread
    ICounter* p = nullptr;
    ASSERT_EQ(CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, kIidCounter, (void**)&p), S_OK);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(g_live, 1);
    EXPECT_EQ(p->Next(), 1);
    void* other = &other;
    EXPECT_EQ(p->QueryInterface(kIidOther, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
    EXPECT_EQ(p->Release(), 0u); // the creation's own reference was given back
    EXPECT_EQ(g_live, 0);

    struct Case
    {
        const CLSID* clsid;
        DWORD context;
        const IID* iid;
        HRESULT expected;
    };
    const CLSID unknown = {1, 2, 3, {0}};
    const Case refused[] = {
        {&unknown, CLSCTX_INPROC_SERVER, &kIidCounter, REGDB_E_CLASSNOTREG},
        {&kClsid, CLSCTX_LOCAL_SERVER, &kIidCounter, REGDB_E_CLASSNOTREG},
        {&kClsid, CLSCTX_ALL, &kIidOther, E_NOINTERFACE},
    };
    for (const Case& c : refused) {
        void* q = &q;
        EXPECT_EQ(CoCreateInstance(*c.clsid, nullptr, c.context, *c.iid, &q), c.expected);
        EXPECT_EQ(q, nullptr);
    }
    EXPECT_EQ(g_live, 0); // the object refused its interface and went away
    CoUninitialize();
    CoUninitialize();
}

TEST_F(ComTest, AThreadWithoutComCreatesNothing)
{
    HRESULT hr = S_OK;
    void* q = &q;
    std::thread([&] { hr = CoCreateInstance(kClsid, nullptr, CLSCTX_INPROC_SERVER, kIidCounter, &q); }).join();
    EXPECT_EQ(hr, CO_E_NOTINITIALIZED);
    EXPECT_EQ(q, nullptr);
    EXPECT_EQ(g_live, 0);
}
