// The SCSI units connected to the machine, as the CD library lists them, by which a
// sampler device names the unit it is reached through.
#pragma once

#include "foundation/Strings.h"

#include "brastow/Brastow.h"

#include <cstdint>
#include <vector>

// Fills a table of at most capacity units; answers how many it filled.
typedef std::int32_t(__cdecl *ScsiUnitLister)(BrastowScsiUnit *units, std::int32_t capacity);
// Replaces the CD library's lister (tests); null puts it back. Answers the previous one.
ScsiUnitLister SetScsiUnitLister(ScsiUnitLister lister);

// Reads the units into the process-wide table, replacing what it held.
void FetchScsiUnits();
int CountScsiUnits();
// Null for an index outside the table.
BrastowScsiUnit const *FindScsiUnit(int index);
// "vendor product (adapter:target:0)" with the texts trimmed; empty outside the table.
String ScsiUnitText(int index);
// The index of the unit of that text, -1 for none.
int FindScsiUnitByText(String const &text);
