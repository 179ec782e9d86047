// The SCSI units that the system reports, through the SCSI ports' inquiry data.
#pragma once

#include "brastow/Brastow.h"

#include <cstddef>
#include <vector>

namespace brastow {

// Characters of the inquiry texts.
std::size_t const kVendorLength = 8, kProductLength = 16;

// The units of every SCSI port of the machine.
std::vector<BrastowScsiUnit> ScanSystemUnits();
// Appends the units of one port's inquiry answer (an adapter bus information block) to
// units; an offset or length that leaves the answer ends the reading there.
void AppendInquiryUnits(int adapter, unsigned char const *answer, std::size_t bytes,
                        std::vector<BrastowScsiUnit> &units);
// Copies a text into a unit's field, cut to the field and ended by a zero.
void CopyField(char *field, std::size_t size, char const *text, std::size_t length);

}  // namespace brastow
