#include "core/GdiObject.h"

#include <cstring>

// --- TXGdi ---

TXGdi::TXGdi(unsigned resId, HANDLE handle) : TXYrt(Msg(resId, handle), resId) {}

TXGdi *TXGdi::Clone() const { return new TXGdi(*this); }

void TXGdi::Throw() { throw *this; }

String TXGdi::Msg(unsigned resId, HANDLE handle) {
    return TXYrt::MakeMessage(resId, unsigned(UINT_PTR(handle)));
}

void TXGdi::Raise(unsigned resId, HANDLE handle) {
    TXGdi failure(resId, handle);
    failure.Throw();
}

// --- TGdiBase ---

TGdiBase::TGdiBase() : Handle(0), ShouldDelete(true) {}

TGdiBase::TGdiBase(HANDLE handle, TAutoDelete autoDelete)
    : Handle(handle), ShouldDelete(autoDelete == AutoDelete) {}

void TGdiBase::CheckValid(unsigned resId) { CheckValid(Handle, resId); }

void TGdiBase::CheckValid(HANDLE handle, unsigned resId) {
    if (!handle)
        TXGdi::Raise(resId, 0);
}

void TGdiBase::ReportFailure(const TXGdi &failure) noexcept {
    ::OutputDebugStringA(failure.why().c_str());
    ::OutputDebugStringA("\n");
}

// --- The reference-count table ---

namespace {
TObjInfoBag *objInfoBag;
}  // namespace

TObjInfoBag::TObjInfoBag() : items(new TObjInfo[29]), count(0), capacity(29) {}

TObjInfoBag::~TObjInfoBag() { delete[] items; }

TObjInfo *TObjInfoBag::Find(HANDLE handle) {
    for (int i = 0; i < count; ++i)
        if (items[i].Handle == handle)
            return &items[i];
    return 0;
}

void TObjInfoBag::Add(const TObjInfo &info) {
    if (count == capacity) {
        TObjInfo *grown = new TObjInfo[capacity + 1];
        std::memcpy(grown, items, count * sizeof(TObjInfo));
        delete[] items;
        items = grown;
        ++capacity;
    }
    items[count++] = info;
}

void TObjInfoBag::Remove(TObjInfo *info) {
    int i = int(info - items);
    std::memmove(items + i, items + i + 1, (count - i - 1) * sizeof(TObjInfo));
    --count;
}

TObjInfoBag *TGdiObject::GetObjInfoBag() { return objInfoBag; }

TObjInfo *TGdiObject::RefFind(HANDLE handle) {
    if (!handle || !objInfoBag)
        return 0;
    return objInfoBag->Find(handle);
}

void TGdiObject::RefAdd(HANDLE handle, TObjInfo::TType type) {
    if (!handle)
        return;
    if (TObjInfo *info = RefFind(handle)) {
        ++info->RefCount;
        return;
    }
    if (!objInfoBag)
        objInfoBag = new TObjInfoBag;
    objInfoBag->Add(TObjInfo{handle, static_cast<unsigned char>(type), 1});
}

void TGdiObject::RefInc(HANDLE handle) {
    if (TObjInfo *info = RefFind(handle))
        ++info->RefCount;
}

static void DropEntry(TObjInfo *info) {
    objInfoBag->Remove(info);
    if (objInfoBag->Count() == 0) {
        delete objInfoBag;
        objInfoBag = 0;
    }
}

void TGdiObject::RefDec(HANDLE handle, bool) {
    TObjInfo *info = RefFind(handle);
    if (!info)
        return;
    if (--info->RefCount > 0)
        return;
    if (!::DeleteObject(HGDIOBJ(handle))) {
        // Keep the entry so that the count does not go below zero on a retry.
        info->RefCount = 0;
        TXGdi::Raise(32734, handle);
    }
    DropEntry(info);
}

void TGdiObject::RefRemove(HANDLE handle) {
    if (TObjInfo *info = RefFind(handle))
        DropEntry(info);
}

int TGdiObject::RefCount(HANDLE handle) {
    TObjInfo *info = RefFind(handle);
    return info ? info->RefCount : -1;
}

void TGdiObject::Release() noexcept {
    if (!ShouldDelete || !Handle)
        return;
    try {
        RefDec(Handle);
    } catch (const TXGdi &failure) {
        ReportFailure(failure);
    }
}
