// The framework library's own module handle (its string table and resources).
#pragma once

#include "core/VeltraneDefs.h"

VELTRANE_API void *VeltraneInstance();
