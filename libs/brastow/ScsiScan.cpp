#include "brastow/ScsiScan.h"

#include <windows.h>
#include <winioctl.h>
#include <ntddscsi.h>

#include <cstdio>
#include <cstring>

namespace brastow {

namespace {

int const kPorts = 16;  // "\\.\Scsi0:" .. "\\.\Scsi15:"
std::size_t const kAnswerBytes = 16384;
std::size_t const kVendorAt = 8, kProductAt = 16;

// A record of the answer at offset, copied out so that no unaligned or outside read happens.
template <class T>
bool ReadAt(unsigned char const *answer, std::size_t bytes, std::size_t offset, T &record) {
    if (offset > bytes || bytes - offset < sizeof record)
        return false;
    std::memcpy(&record, answer + offset, sizeof record);
    return true;
}

BrastowScsiUnit UnitOf(int adapter, SCSI_INQUIRY_DATA const &data, unsigned char const *inquiry, std::size_t length) {
    BrastowScsiUnit unit = {};
    unit.adapter = adapter;
    unit.bus = data.PathId;
    unit.target = data.TargetId;
    unit.lun = data.Lun;
    unit.deviceType = length > 0 ? inquiry[0] & 0x1F : 0x1F;
    if (length >= kVendorAt + kVendorLength)
        CopyField(unit.vendor, sizeof unit.vendor, reinterpret_cast<char const *>(inquiry + kVendorAt), kVendorLength);
    if (length >= kProductAt + kProductLength)
        CopyField(unit.product, sizeof unit.product, reinterpret_cast<char const *>(inquiry + kProductAt),
                  kProductLength);
    return unit;
}

void AppendBusUnits(int adapter, unsigned char const *answer, std::size_t bytes, std::size_t offset,
                    std::vector<BrastowScsiUnit> &units) {
    std::size_t const inquiryAt = offsetof(SCSI_INQUIRY_DATA, InquiryData);
    // Each unit moves forward, so a chain that loops back ends.
    while (offset != 0) {
        SCSI_INQUIRY_DATA data;
        if (!ReadAt(answer, bytes, offset, data) || bytes - offset - inquiryAt < data.InquiryDataLength)
            return;
        units.push_back(UnitOf(adapter, data, answer + offset + inquiryAt, data.InquiryDataLength));
        if (data.NextInquiryDataOffset <= offset)
            return;
        offset = data.NextInquiryDataOffset;
    }
}

}  // namespace

void CopyField(char *field, std::size_t size, char const *text, std::size_t length) {
    std::size_t n = 0;
    while (n < length && n + 1 < size && text[n])
        ++n;
    std::memcpy(field, text, n);
    field[n] = 0;
}

void AppendInquiryUnits(int adapter, unsigned char const *answer, std::size_t bytes,
                        std::vector<BrastowScsiUnit> &units) {
    if (bytes < 1)
        return;
    std::size_t const busesAt = offsetof(SCSI_ADAPTER_BUS_INFO, BusData);
    for (unsigned bus = 0; bus < answer[0]; ++bus) {
        SCSI_BUS_DATA data;
        if (!ReadAt(answer, bytes, busesAt + bus * sizeof data, data))
            return;
        if (data.NumberOfLogicalUnits > 0)
            AppendBusUnits(adapter, answer, bytes, data.InquiryDataOffset, units);
    }
}

std::vector<BrastowScsiUnit> ScanSystemUnits() {
    std::vector<BrastowScsiUnit> units;
    std::vector<unsigned char> answer(kAnswerBytes);
    for (int port = 0; port < kPorts; ++port) {
        char name[32];
        std::snprintf(name, sizeof name, "\\\\.\\Scsi%d:", port);
        HANDLE h = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        DWORD returned = 0;
        if (DeviceIoControl(h, IOCTL_SCSI_GET_INQUIRY_DATA, nullptr, 0, answer.data(), DWORD(answer.size()), &returned,
                            nullptr))
            AppendInquiryUnits(port, answer.data(), returned, units);
        CloseHandle(h);
    }
    return units;
}

}  // namespace brastow
