#include "foundation/CriticalSection.h"

#include <windows.h>

static_assert(sizeof(CRITICAL_SECTION) == sizeof(CriticalSection), "critical-section record size");

namespace {
CRITICAL_SECTION *Record(void **record) { return reinterpret_cast<CRITICAL_SECTION *>(record); }
}  // namespace

CriticalSection::CriticalSection() { InitializeCriticalSection(Record(record_)); }

CriticalSection::CriticalSection(CriticalSection const &) { InitializeCriticalSection(Record(record_)); }

CriticalSection::~CriticalSection() { DeleteCriticalSection(Record(record_)); }

void CriticalSection::Init() const { InitializeCriticalSection(Record(record_)); }

void CriticalSection::Enter() const { EnterCriticalSection(Record(record_)); }

void CriticalSection::Leave() const { LeaveCriticalSection(Record(record_)); }
