#include "foundation/Checksums.h"

#include <cstdint>

namespace {

// The tables are built by the compiler: no initialisation order to mind.
template <typename T, T Polynomial>
struct CrcTable {
    T entry[256];
    constexpr CrcTable() : entry() {
        for (unsigned i = 0; i < 256; ++i) {
            T crc = static_cast<T>(i);
            for (int bit = 0; bit < 8; ++bit)
                crc = static_cast<T>(crc & 1 ? (crc >> 1) ^ Polynomial : crc >> 1);
            entry[i] = crc;
        }
    }
};

constexpr CrcTable<uint16_t, 0xA001> crc16Table;
constexpr CrcTable<uint32_t, 0xEDB88320UL> crc32Table;

}  // namespace

unsigned short ComputeCrc16(void const *data, unsigned long length) {
    unsigned char const *p = static_cast<unsigned char const *>(data);
    uint16_t crc = 0;
    for (unsigned long i = 0; i < length; ++i)
        crc = static_cast<uint16_t>((crc >> 8) ^ crc16Table.entry[(crc ^ p[i]) & 0xFF]);
    return crc;
}

unsigned long ComputeCrc32(void const *data, unsigned long length) {
    unsigned char const *p = static_cast<unsigned char const *>(data);
    uint32_t crc = 0xFFFFFFFFUL;
    for (unsigned long i = 0; i < length; ++i)
        crc = (crc >> 8) ^ crc32Table.entry[(crc ^ p[i]) & 0xFF];
    return crc ^ 0xFFFFFFFFUL;
}
