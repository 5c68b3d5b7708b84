#include "skin/tests/freedmemory.h"

#include "framework/winapi.h"

#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace skin::test {
namespace {

constexpr unsigned char kPattern = 0xA5;
constexpr size_t kTraps = 1024;  // more than any class here has virtual functions

struct TBlock {
    void* Memory;
    size_t Size;
};

// The watch's state; its list lives in malloc'd memory, never in memory of
// the operators it serves.
DWORD g_thread = 0;
TBlock* g_blocks = nullptr;
size_t g_count = 0, g_capacity = 0;
int g_calls = 0;
size_t g_live = 0;

// Stands in for any virtual function of a freed object: whatever the
// arguments, the caller cleans them up, and the answer is not looked at
// by anything that matters once the call is counted.
void TrapCall() { ++g_calls; }

using TTrap = void (*)();
struct TTrapTable {
    TTrap Slots[kTraps];
    constexpr TTrapTable() : Slots{}
    {
        for (TTrap& slot : Slots) slot = &TrapCall;
    }
};
constexpr TTrapTable g_traps;

void Poison(void* memory, size_t size)
{
    std::memset(memory, kPattern, size);
    if (size >= sizeof(void*)) {
        const void* table = g_traps.Slots;
        std::memcpy(memory, &table, sizeof table);
    }
}

bool Untouched(const TBlock& b)
{
    const auto* bytes = static_cast<const unsigned char*>(b.Memory);
    size_t from = 0;
    if (b.Size >= sizeof(void*)) {
        const void* table = g_traps.Slots;
        if (std::memcmp(bytes, &table, sizeof table) != 0) return false;
        from = sizeof table;
    }
    for (size_t i = from; i < b.Size; ++i)
        if (bytes[i] != kPattern) return false;
    return true;
}

// Keeps the block when the watch runs on this thread; false when it does
// not (or the list cannot grow), and the block is given back as usual.
bool Keep(void* memory)
{
    if (!g_thread || GetCurrentThreadId() != g_thread) return false;
    if (g_count == g_capacity) {
        const size_t capacity = g_capacity ? 2 * g_capacity : 1024;
        auto* grown = static_cast<TBlock*>(std::realloc(g_blocks, capacity * sizeof(TBlock)));
        if (!grown) return false;
        g_blocks = grown;
        g_capacity = capacity;
    }
    const size_t size = _msize(memory);
    Poison(memory, size);
    g_blocks[g_count++] = {memory, size};
    return true;
}

}  // namespace

TFreedMemoryWatch::TFreedMemoryWatch()
{
    g_count = 0;
    g_calls = 0;
    g_thread = GetCurrentThreadId();
}

TFreedMemoryWatch::~TFreedMemoryWatch()
{
    g_thread = 0;
    for (size_t i = 0; i < g_count; ++i) std::free(g_blocks[i].Memory);
    std::free(g_blocks);
    g_blocks = nullptr;
    g_count = g_capacity = 0;
}

int TFreedMemoryWatch::CallsIntoFreed() const { return g_calls; }

int TFreedMemoryWatch::WrittenAfterFree() const
{
    int written = 0;
    for (size_t i = 0; i < g_count; ++i) written += !Untouched(g_blocks[i]);
    return written;
}

size_t TFreedMemoryWatch::Freed() const { return g_count; }

size_t LiveBlocks() { return g_live; }

}  // namespace skin::test

// The program's allocation, on malloc (so that a block's size can be read
// back when it is freed).
void* operator new(size_t size)
{
    if (size == 0) size = 1;
    for (;;) {
        if (void* memory = std::malloc(size)) {
            ++skin::test::g_live;
            return memory;
        }
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
    }
}

void* operator new[](size_t size) { return ::operator new(size); }

void operator delete(void* memory) noexcept
{
    if (!memory) return;
    --skin::test::g_live;
    if (!skin::test::Keep(memory)) std::free(memory);
}

void operator delete[](void* memory) noexcept { ::operator delete(memory); }
void operator delete(void* memory, size_t) noexcept { ::operator delete(memory); }
void operator delete[](void* memory, size_t) noexcept { ::operator delete(memory); }
