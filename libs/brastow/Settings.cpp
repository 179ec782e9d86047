#include "brastow/Settings.h"

#include "brastow/ScsiScan.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace brastow {

namespace {

char const kFileName[] = "Brastow.ini";
char const kLibrarySection[] = "Brastow";
char const kUnitsSection[] = "SimulatedUnits";
int const kCdRom = 5;

std::vector<std::string> Split(std::string const &text, char separator) {
    std::vector<std::string> parts(1);
    for (char c : text) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

bool ParseNumber(std::string const &text, std::int32_t &number) {
    char *end = nullptr;
    errno = 0;
    long value = std::strtol(text.c_str(), &end, 10);
    while (*end == ' ' || *end == '\t')
        ++end;
    if (end == text.c_str() || *end || errno || value < INT32_MIN || value > INT32_MAX)
        return false;
    number = std::int32_t(value);
    return true;
}

// The values of a section's keys, in the file's order.
std::vector<std::string> SectionValues(std::string const &file, char const *section) {
    std::vector<char> buffer(65536);
    DWORD length = GetPrivateProfileSectionA(section, buffer.data(), DWORD(buffer.size()), file.c_str());
    std::vector<std::string> values;
    for (char const *line = buffer.data(); line < buffer.data() + length && *line; line += std::strlen(line) + 1) {
        char const *equals = std::strchr(line, '=');
        values.emplace_back(equals ? equals + 1 : line);
    }
    return values;
}

// One simulated unit from "vendor|product|adapter|target[|lun|type]"; false when the text
// is not one.
bool ParseUnit(std::string const &text, BrastowScsiUnit &unit) {
    std::vector<std::string> fields = Split(text, '|');
    if (fields.size() < 4 || fields.size() > 6)
        return false;
    unit = {};
    unit.deviceType = kCdRom;
    CopyField(unit.vendor, sizeof unit.vendor, fields[0].c_str(), std::min(fields[0].size(), kVendorLength));
    CopyField(unit.product, sizeof unit.product, fields[1].c_str(), std::min(fields[1].size(), kProductLength));
    std::int32_t *numbers[] = {&unit.adapter, &unit.target, &unit.lun, &unit.deviceType};
    for (std::size_t i = 2; i < fields.size(); ++i)
        if (!ParseNumber(fields[i], *numbers[i - 2]))
            return false;
    return true;
}

}  // namespace

std::string SettingsFile() {
    HMODULE self = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<char const *>(&SettingsFile), &self);
    char path[MAX_PATH] = "";
    DWORD length = GetModuleFileNameA(self, path, sizeof path);
    std::string folder(path, length < sizeof path ? length : 0);
    return folder.substr(0, folder.find_last_of("\\/") + 1) + kFileName;
}

Settings ReadSettings(std::string const &file) {
    Settings settings;
    settings.refuse = GetPrivateProfileIntA(kLibrarySection, "Refuse", 0, file.c_str()) != 0;
    std::vector<std::string> lines = SectionValues(file, kUnitsSection);
    settings.simulated = !lines.empty();
    for (std::string const &line : lines) {
        BrastowScsiUnit unit;
        if (ParseUnit(line, unit))
            settings.units.push_back(unit);
    }
    return settings;
}

}  // namespace brastow
