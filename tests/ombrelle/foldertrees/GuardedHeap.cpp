// Freed memory that faults, for the test programs that close windows from
// inside a fill: operator new gives every block of kGuardedSize bytes or
// more pages of its own in one reserved region, and operator delete
// decommits them and never hands them out again. A window object used
// after it was deleted then ends the test with an access violation instead
// of reading or writing whatever took its place. Smaller blocks, and blocks
// this program's code did not allocate, go to the C run-time as usual.
// A window procedure runs from a system callback, which ignores an
// exception raised inside it: a fault on a freed block ends the program
// from a vectored handler before that.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <new>

namespace {

const SIZE_T kRegionSize = SIZE_T(16) << 30;
const SIZE_T kPageSize = 4096;
const SIZE_T kHeaderSize = 16;  // keeps the block's length; new's alignment
const size_t kGuardedSize = 256;

BYTE* Region()
{
    static BYTE* const region = static_cast<BYTE*>(::VirtualAlloc(NULL, kRegionSize, MEM_RESERVE, PAGE_NOACCESS));
    return region;
}

volatile LONG64 g_used = 0;

bool IsGuarded(const void* p)
{
    const BYTE* region = Region();
    const BYTE* bytes = static_cast<const BYTE*>(p);
    return region != NULL && bytes >= region && bytes < region + kRegionSize;
}

void* Allocate(size_t size)
{
    if (size >= kGuardedSize && Region() != NULL) {
        const SIZE_T length = (size + kHeaderSize + kPageSize - 1) & ~(kPageSize - 1);
        const LONG64 offset = ::InterlockedExchangeAdd64(&g_used, static_cast<LONG64>(length));
        if (static_cast<SIZE_T>(offset) + length <= kRegionSize) {
            BYTE* block = Region() + offset;
            if (::VirtualAlloc(block, length, MEM_COMMIT, PAGE_READWRITE) != NULL) {
                *reinterpret_cast<SIZE_T*>(block) = length;
                return block + kHeaderSize;
            }
        }
    }
    return std::malloc(size != 0 ? size : 1);
}

void Release(void* p)
{
    if (p == NULL)
        return;
    if (!IsGuarded(p)) {
        std::free(p);
        return;
    }
    BYTE* block = static_cast<BYTE*>(p) - kHeaderSize;
    ::VirtualFree(block, *reinterpret_cast<SIZE_T*>(block), MEM_DECOMMIT);
}

LONG CALLBACK EndOnFreedBlock(EXCEPTION_POINTERS* pInfo)
{
    const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
    if (pRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || pRecord->NumberParameters < 2 ||
        !IsGuarded(reinterpret_cast<const void*>(pRecord->ExceptionInformation[1])))
        return EXCEPTION_CONTINUE_SEARCH;
    std::fprintf(stderr, "A freed block at %p was %s at %p\n",
                 reinterpret_cast<void*>(pRecord->ExceptionInformation[1]),
                 pRecord->ExceptionInformation[0] != 0 ? "written" : "read", pRecord->ExceptionAddress);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), pRecord->ExceptionCode);
    return EXCEPTION_CONTINUE_SEARCH;
}

[[maybe_unused]] const PVOID g_handler = ::AddVectoredExceptionHandler(1, EndOnFreedBlock);

void* AllocateOrThrow(size_t size)
{
    void* p = Allocate(size);
    if (p == NULL)
        throw std::bad_alloc();
    return p;
}

}  // namespace

void* operator new(size_t size) { return AllocateOrThrow(size); }
void* operator new[](size_t size) { return AllocateOrThrow(size); }
void* operator new(size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { Release(p); }
void operator delete[](void* p) noexcept { Release(p); }
void operator delete(void* p, size_t) noexcept { Release(p); }
void operator delete[](void* p, size_t) noexcept { Release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { Release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { Release(p); }
