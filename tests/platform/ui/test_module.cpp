#include <gtest/gtest.h>

#include <vyr/stdafx.h>

TEST(ExtensionModule, EachLinkJoinsTheChainUntilTheModuleEnds)
{
    static AFX_EXTENSION_MODULE lib;
    static AFX_EXTENSION_MODULE other;
    HMODULE hLib = (HMODULE)(ULONG_PTR)0x1000, hOther = (HMODULE)(ULONG_PTR)0x2000;
    const size_t before = vyr::DynLinkLibraries().size();

    ASSERT_TRUE(AfxInitExtensionModule(lib, hLib));
    ASSERT_TRUE(AfxInitExtensionModule(lib, hOther)); // a second attach keeps the first module
    EXPECT_EQ(lib.hModule, hLib);
    EXPECT_EQ(lib.hResource, hLib);
    ASSERT_TRUE(AfxInitExtensionModule(other, hOther));

    // No guard against a second link: each one joins the chain, newest first.
    CDynLinkLibrary* first = new CDynLinkLibrary(lib);
    CDynLinkLibrary* second = new CDynLinkLibrary(lib);
    CDynLinkLibrary* foreign = new CDynLinkLibrary(other, TRUE);
    std::vector<CDynLinkLibrary*> chain = vyr::DynLinkLibraries();
    ASSERT_EQ(chain.size(), before + 3);
    EXPECT_EQ(chain[0], foreign);
    EXPECT_EQ(chain[1], second);
    EXPECT_EQ(chain[2], first);
    EXPECT_FALSE(first->m_bSystem);
    EXPECT_TRUE(foreign->m_bSystem);
    EXPECT_EQ(first->m_hResource, hLib);

    // Ending one module takes only its own links away.
    AfxTermExtensionModule(lib);
    EXPECT_FALSE(lib.bInitialized);
    chain = vyr::DynLinkLibraries();
    ASSERT_EQ(chain.size(), before + 1);
    EXPECT_EQ(chain[0], foreign);
    AfxTermExtensionModule(lib); // already ended: nothing left to do
    AfxTermExtensionModule(other);
    EXPECT_EQ(vyr::DynLinkLibraries().size(), before);
}

TEST(ExtensionModuleDeathTest, LinkingAnUninitialisedModuleStops)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    AFX_EXTENSION_MODULE never;
    EXPECT_DEATH(CDynLinkLibrary link(never), "not initialised");
}
