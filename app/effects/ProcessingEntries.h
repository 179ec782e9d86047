// The entry points of the processing modules (the resampler Pelrin, the time corrector
// Dastrel and the filter module) that the effects call. The program binds them at start-up
// and they stay bound until it ends; each is null while its module is not loaded.
#pragma once

#include "ProcessingCommon/ProcessingModule.h"

struct ProcessingEntries {
    ModuleProcessEntry resample = nullptr;             // Pelrin "_TCProcessResampling"
    ModuleProcessEntry timeCorrect = nullptr;          // Dastrel "_TCProcess"
    ModuleExpectedSizeEntry expectedSize = nullptr;    // Dastrel "_TCExpectedSize"
    FilterEntry startFilter = nullptr;                 // filter module "_StartFilter"
};

ProcessingEntries &TheProcessingEntries();
