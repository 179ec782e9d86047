// Brastow: the CD library. This part starts and stops the library and lists the SCSI
// units connected to the machine; reading and writing discs build on it.
//
// Configuration: "Brastow.ini" beside Brastow.dll, read by CDR_Init.
//   [Brastow]
//   Refuse=1                 CDR_Init refuses to start and answers BRASTOW_REFUSED.
//   [SimulatedUnits]         A test hook: when the section has keys, these units are listed
//   1=vendor|product|adapter|target[|lun|type]
//                            in place of the system's, in key order. Texts keep their blanks.
// Every call is traced with OutputDebugString ("Brastow: ..."); under Wine the lines show
// with WINEDEBUG=+debugstr.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef BRASTOW_BUILD
#define BRASTOW_API extern "C" __declspec(dllexport)
#else
#define BRASTOW_API extern "C" __declspec(dllimport)
#endif

// What CDR_Init answers.
enum : std::int32_t {
    BRASTOW_STARTED = 0,
    BRASTOW_REFUSED = 19,
};

// One SCSI unit: 48 bytes, one layout on 32-bit and 64-bit Windows. The texts are the
// unit's own inquiry fields, padded with blanks as the unit reports them, each ended by a
// zero.
struct BrastowScsiUnit {
    char vendor[10];          // 8 characters
    char product[18];         // 16 characters
    std::int32_t adapter;     // host adapter (port) number
    std::int32_t target;      // target identifier on the adapter
    std::int32_t lun;         // logical unit
    std::int32_t bus;         // bus (path) on the adapter
    std::int32_t deviceType;  // peripheral device type: 5 CD-ROM, 4 write-once, 1 tape...
};
static_assert(sizeof(BrastowScsiUnit) == 48, "one layout on both machines");
static_assert(offsetof(BrastowScsiUnit, product) == 10 && offsetof(BrastowScsiUnit, adapter) == 28 &&
                  offsetof(BrastowScsiUnit, target) == 32,
              "where the program reads a unit");

// Starts the library: BRASTOW_STARTED, or BRASTOW_REFUSED when its configuration says so.
// Starting a started library does nothing and answers BRASTOW_STARTED.
BRASTOW_API std::int32_t __cdecl CDR_Init(void);
// Stops the library's work before its user closes: units are no longer listed. Safe at any
// time, also without CDR_Init or after a refused one; a second call does nothing.
BRASTOW_API void __cdecl CDR_Terminate(void);
// Ends the library and frees what CDR_Init took; CDR_Init may start it again. Safe at any
// time, also without CDR_Init or after a refused one; a second call does nothing.
BRASTOW_API void __cdecl CDR_End(void);
// Fills at most capacity entries of units with the connected SCSI units and answers how
// many it filled; 0 while the library is not started, for a null table or a capacity
// below 1.
BRASTOW_API std::int32_t __cdecl GetConnectedScsiUnits(BrastowScsiUnit *units, std::int32_t capacity);
