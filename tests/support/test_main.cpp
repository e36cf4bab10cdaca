// The tests run as a host does: the library is loaded (its module attached at start) and
// InitVyrUI links it into the resource chain before anything else.
#include <gtest/gtest.h>

#include <vyr/host/VyrEntry.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    InitVyrUI();
    return RUN_ALL_TESTS();
}
