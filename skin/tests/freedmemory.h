// Freed memory kept and watched, for tests of code that may touch an object
// after it was freed (a skinner freed inside a message it is still
// handling). A freed block usually keeps its old contents for a while, so
// reading it, writing it or calling into it goes unseen. While a watch
// lives, no block freed on its thread is given back: each is poisoned
// instead, its first pointer aimed at a table of trap functions (a virtual
// call on the freed object lands in one, is counted and returns) and the
// rest filled with a pattern (a write shows). The blocks are given back when
// the watch ends.
//
// The watch replaces the program's operator new and delete: a test program
// that uses it has freedmemory.cpp among its sources. One watch at a time.
#pragma once

#include <cstddef>

namespace skin::test {

class TFreedMemoryWatch {
public:
    TFreedMemoryWatch();
    ~TFreedMemoryWatch();
    TFreedMemoryWatch(const TFreedMemoryWatch&) = delete;
    TFreedMemoryWatch& operator=(const TFreedMemoryWatch&) = delete;

    // Virtual functions called on objects freed since the watch began.
    int CallsIntoFreed() const;
    // Blocks freed since the watch began that were written afterwards.
    int WrittenAfterFree() const;
    // Blocks freed since the watch began.
    size_t Freed() const;
};

// Blocks the program's operator new gave out that operator delete has not
// taken back (a block a watch keeps counts as taken back), for tests that
// show nothing is left behind over many rounds.
size_t LiveBlocks();

}  // namespace skin::test
