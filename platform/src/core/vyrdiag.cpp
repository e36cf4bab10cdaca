#include <vyr/vyrdiag.h>

#include <cstdio>
#include <cstdlib>

void VyrFatal(const char* what, const char* file, int line)
{
    std::fprintf(stderr, "fatal: %s (%s:%d)\n", what, file, line);
    std::fflush(stderr);
    std::abort();
}
