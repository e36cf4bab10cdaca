#include <vyr/collections.h>

#include <mutex>

#if defined(__SANITIZE_ADDRESS__)
#define VYR_POOL_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VYR_POOL_ASAN 1
#endif
#endif
#ifdef VYR_POOL_ASAN
#include <sanitizer/asan_interface.h>
#endif

IMPLEMENT_SERIAL(CObList, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrList, CObject)
IMPLEMENT_SERIAL(CStringList, CObject, 0)
IMPLEMENT_SERIAL(CObArray, CObject, 0)
IMPLEMENT_DYNAMIC(CPtrArray, CObject)
IMPLEMENT_SERIAL(CStringArray, CObject, 0)
IMPLEMENT_SERIAL(CDWordArray, CObject, 0)
IMPLEMENT_DYNAMIC(CUIntArray, CObject)
IMPLEMENT_SERIAL(CWordArray, CObject, 0)
IMPLEMENT_SERIAL(CByteArray, CObject, 0)
IMPLEMENT_DYNAMIC(CMapStringToPtr, CObject)
IMPLEMENT_SERIAL(CMapStringToOb, CObject, 0)
IMPLEMENT_SERIAL(CMapStringToString, CObject, 0)
IMPLEMENT_DYNAMIC(CMapPtrToPtr, CObject)
IMPLEMENT_DYNAMIC(CMapPtrToWord, CObject)
IMPLEMENT_DYNAMIC(CMapWordToPtr, CObject)
IMPLEMENT_SERIAL(CMapWordToOb, CObject, 0)


namespace {
// 64 MiB kept at most: a few results of a million elements; beyond that blocks go back to
// the C library. Plain storage, so lists destroyed during exit still find it.
constexpr size_t kPoolBlocks = 1024;
std::mutex g_poolMutex;
void* g_pool[kPoolBlocks];
size_t g_poolCount = 0;
} // namespace

void* VyrListBlockTake()
{
    {
        std::lock_guard<std::mutex> lock(g_poolMutex);
        if (g_poolCount > 0) {
            void* b = g_pool[--g_poolCount];
#ifdef VYR_POOL_ASAN
            ASAN_UNPOISON_MEMORY_REGION(b, kVyrListBlockBytes);
#endif
            return b;
        }
    }
    return ::operator new(kVyrListBlockBytes);
}

void VyrListBlockGive(void* block) noexcept
{
    {
        std::lock_guard<std::mutex> lock(g_poolMutex);
        if (g_poolCount < kPoolBlocks) {
            // A POSITION kept past its list's end still reads as freed memory.
#ifdef VYR_POOL_ASAN
            ASAN_POISON_MEMORY_REGION(block, kVyrListBlockBytes);
#endif
            g_pool[g_poolCount++] = block;
            return;
        }
    }
    ::operator delete(block);
}
