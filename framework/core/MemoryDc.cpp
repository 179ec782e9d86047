#include "core/Dc.h"

// Memory contexts are drawn through very often; eight of them, compatible with
// the screen, are made on demand and kept for the life of the process.

namespace {
struct TCachedDC {
    HDC Dc;
    bool InUse;
};
const int CacheSize = 8;
TCachedDC cache[CacheSize];

struct TCacheCleanup {
    ~TCacheCleanup() { TMemoryDC::ReleaseCache(); }
} cacheCleanup;
}  // namespace

HDC TMemoryDC::CachedDC(int slot) { return slot >= 0 && slot < CacheSize ? cache[slot].Dc : 0; }

bool TMemoryDC::CachedDCInUse(int slot) { return slot >= 0 && slot < CacheSize && cache[slot].InUse; }

void TMemoryDC::ReleaseCache() {
    for (int i = 0; i < CacheSize && cache[i].Dc; ++i) {
        ::DeleteDC(cache[i].Dc);
        cache[i] = TCachedDC{0, false};
    }
}

void TMemoryDC::TakeFromCache() {
    for (int i = 0; i < CacheSize; ++i) {
        if (!cache[i].Dc) {
            HDC screen = ::GetWindowDC(0);
            cache[i].Dc = ::CreateCompatibleDC(screen);
            ::ReleaseDC(0, screen);
            if (!cache[i].Dc)
                break;
        }
        if (!cache[i].InUse) {
            cache[i].InUse = true;
            Handle = cache[i].Dc;
            ShouldDelete = false;
            CacheSlot = i;
            CacheState = ::SaveDC(cache[i].Dc);
            return;
        }
    }
    Handle = ::CreateCompatibleDC(0);
    ShouldDelete = true;
    CheckValid();
}

TMemoryDC::TMemoryDC() : OrgBitmap(0), CacheSlot(-1), CacheState(0) { TakeFromCache(); }

TMemoryDC::TMemoryDC(const TDC &dc) : OrgBitmap(0), CacheSlot(-1), CacheState(0) {
    Handle = ::CreateCompatibleDC(dc);
    CheckValid();
}

TMemoryDC::TMemoryDC(HDC handle, TAutoDelete autoDelete)
    : TCreatedDC(handle, autoDelete), OrgBitmap(0), CacheSlot(-1), CacheState(0) {}

TMemoryDC::TMemoryDC(TBitmap &bitmap) : OrgBitmap(0), CacheSlot(-1), CacheState(0) {
    TakeFromCache();
    SelectObject(bitmap);
}

TMemoryDC::TMemoryDC(const char *driver, const char *device, const char *output, const DEVMODEA *initData)
    : TCreatedDC(driver, device, output, initData), OrgBitmap(0), CacheSlot(-1), CacheState(0) {}

TMemoryDC::~TMemoryDC() {
    RestoreBitmap();
    TDC::RestoreObjects();
    RestoreBitmap();
    // Only a context taken from the cache goes back to it: a wrapped one may
    // be a cached context that someone else is using.
    if (CacheSlot >= 0) {
        // Modes, colours and origins set by this user go with it.
        if (CacheState)
            ::RestoreDC(cache[CacheSlot].Dc, CacheState);
        cache[CacheSlot].InUse = false;
    }
}

void TMemoryDC::SelectObject(const TFont &font) { TDC::SelectObject(font); }

void TMemoryDC::SelectObject(const TBitmap &bitmap) { SelectHandle(bitmap.GetHandle(), OrgBitmap); }

void TMemoryDC::RestoreBitmap() { RestoreHandle(OrgBitmap); }

void TMemoryDC::RestoreObjects() {
    TDC::RestoreObjects();
    RestoreBitmap();
}

TDibDC::TDibDC() {}

TDibDC::TDibDC(const TBitmap &bitmap) { SelectObject(bitmap); }

void TDibDC::SelectObject(const TFont &font) { TDC::SelectObject(font); }
