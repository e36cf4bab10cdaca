// Misuse that the class library leaves undefined (an index out of range, the tail of an
// empty list) stops the program with a message in every build instead of corrupting memory.
#pragma once

[[noreturn]] void VyrFatal(const char* what, const char* file, int line);

#define VYR_CHECK(cond, what)                                        \
    do {                                                             \
        if (!(cond)) ::VyrFatal((what), __FILE__, __LINE__);         \
    } while (0)

#ifndef ASSERT
#define ASSERT(cond) VYR_CHECK((cond), "ASSERT(" #cond ")")
#endif
#ifndef VERIFY
#define VERIFY(cond) VYR_CHECK((cond), "VERIFY(" #cond ")")
#endif
#ifndef ASSERT_VALID
#define ASSERT_VALID(p) VYR_CHECK((p) != nullptr, "ASSERT_VALID on null")
#endif
#ifndef TRACE
#define TRACE(...) ((void)0)
#endif
