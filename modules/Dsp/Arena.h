// The working memory of one module call: every block comes from the caller's allocator
// and all of them go back when the arena goes, whatever happened in between.
#pragma once

#include "ProcessingCommon/ProcessingModule.h"

#include <cstddef>

namespace dsp {

class Arena {
public:
    Arena(ModuleAllocate allocate, ModuleFree free) : allocate_(allocate), free_(free) {}
    ~Arena();
    Arena(Arena const &) = delete;
    Arena &operator=(Arena const &) = delete;

    // 32-byte aligned, zeroed memory; null once any request has failed
    void *Take(std::size_t bytes);
    template <class T>
    T *Take(std::size_t count) {
        return static_cast<T *>(Take(count > kLargest / sizeof(T) ? kLargest : count * sizeof(T)));
    }
    bool Failed() const { return failed_; }

private:
    static constexpr std::size_t kLargest = 0x7FFF0000;  // the allocator takes a 32-bit count

    ModuleAllocate allocate_;
    ModuleFree free_;
    void *blocks_ = nullptr;  // the caller's blocks, each starting with the previous one's address
    bool failed_ = false;
};

}  // namespace dsp
