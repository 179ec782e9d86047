#include "effects/ProcessingEntries.h"

ProcessingEntries &TheProcessingEntries() {
    static ProcessingEntries entries;
    return entries;
}
