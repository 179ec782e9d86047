#include "Dsp/Arena.h"

#include <cstdint>
#include <cstring>

namespace dsp {

namespace {

constexpr std::size_t kAlignment = 32;
constexpr std::size_t kHeader = kAlignment;  // the link, then padding up to the alignment

}  // namespace

Arena::~Arena() {
    while (blocks_) {
        void *next = *static_cast<void **>(blocks_);
        free_(blocks_);
        blocks_ = next;
    }
}

void *Arena::Take(std::size_t bytes) {
    if (failed_ || !allocate_ || !free_ || bytes > kLargest - kHeader - kAlignment) {
        failed_ = true;
        return nullptr;
    }
    std::size_t const whole = bytes + kHeader + kAlignment;
    char *block = static_cast<char *>(allocate_(static_cast<std::int32_t>(whole)));
    if (!block) {
        failed_ = true;
        return nullptr;
    }
    *reinterpret_cast<void **>(block) = blocks_;
    blocks_ = block;
    std::uintptr_t const start = reinterpret_cast<std::uintptr_t>(block) + kHeader;
    char *memory = block + ((start + kAlignment - 1) / kAlignment * kAlignment - reinterpret_cast<std::uintptr_t>(block));
    std::memset(memory, 0, bytes);
    return memory;
}

}  // namespace dsp
