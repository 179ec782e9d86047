// Standard checksums, table-driven.
#pragma once

#include "foundation/OsmeraDefs.h"

// CRC-16/ARC: reflected polynomial 0xA001, initial value 0, no final xor.
OSMERA_API unsigned short ComputeCrc16(void const *data, unsigned long length);
// CRC-32 of IEEE 802.3: reflected polynomial 0xEDB88320, initial value and
// final xor 0xFFFFFFFF.
OSMERA_API unsigned long ComputeCrc32(void const *data, unsigned long length);
