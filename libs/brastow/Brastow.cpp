// The library's start and stop, and its table of SCSI units.
#include "brastow/Brastow.h"

#include "brastow/ScsiScan.h"
#include "brastow/Settings.h"

#include <windows.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

enum class State { kIdle, kStarted, kRefused, kTerminated };

std::mutex _lock;
State _state = State::kIdle;
std::vector<BrastowScsiUnit> _units;  // found by CDR_Init

void Trace(char const *format, ...) {
    char line[200] = "Brastow: ";
    std::size_t used = std::strlen(line);
    va_list args;
    va_start(args, format);
    std::vsnprintf(line + used, sizeof line - used - 1, format, args);
    va_end(args);
    std::strcat(line, "\n");
    OutputDebugStringA(line);
}

void Start() {
    brastow::Settings settings = brastow::ReadSettings(brastow::SettingsFile());
    if (settings.refuse) {
        _units.clear();
        _state = State::kRefused;
        return;
    }
    _units = settings.simulated ? settings.units : brastow::ScanSystemUnits();
    _state = State::kStarted;
}

}  // namespace

std::int32_t __cdecl CDR_Init(void) {
    std::lock_guard<std::mutex> hold(_lock);
    try {
        if (_state != State::kStarted)
            Start();
    } catch (...) {
        // out of memory while reading the settings or the units: the library cannot run
        _units.clear();
        _state = State::kRefused;
    }
    std::int32_t result = _state == State::kStarted ? BRASTOW_STARTED : BRASTOW_REFUSED;
    Trace("CDR_Init %d (%d units)", int(result), int(_units.size()));
    return result;
}

void __cdecl CDR_Terminate(void) {
    std::lock_guard<std::mutex> hold(_lock);
    if (_state == State::kStarted)
        _state = State::kTerminated;
    Trace("CDR_Terminate");
}

void __cdecl CDR_End(void) {
    std::lock_guard<std::mutex> hold(_lock);
    std::vector<BrastowScsiUnit>().swap(_units);
    _state = State::kIdle;
    Trace("CDR_End");
}

std::int32_t __cdecl GetConnectedScsiUnits(BrastowScsiUnit *units, std::int32_t capacity) {
    std::lock_guard<std::mutex> hold(_lock);
    std::int32_t count = 0;
    if (_state == State::kStarted && units && capacity > 0) {
        count = _units.size() < std::size_t(capacity) ? std::int32_t(_units.size()) : capacity;
        std::copy(_units.begin(), _units.begin() + count, units);
    }
    Trace("GetConnectedScsiUnits %d of %d", int(count), int(capacity));
    return count;
}
