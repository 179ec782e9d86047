// Tool-bar resources: the command ids of a bar (0 for a separator) with the button
// size, and the bitmap of the same name holding one face per button; and the
// builder that fills a gadget window from one.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/GdiObject.h"
#include "core/TArrays.h"

#include <windows.h>

class TGadgetWindow;

class VELTRANE_API TToolbarRes {
public:
    enum { ResourceType = 241 };

    // With autoDelete the object owns the bitmap of the faces. A resource too short
    // for its ids is not taken: IsOK is then false and the count 0.
    TToolbarRes(HINSTANCE instance, TResId id, TAutoDelete autoDelete = AutoDelete);
    ~TToolbarRes();
    TToolbarRes(TToolbarRes const &) = delete;
    TToolbarRes &operator=(TToolbarRes const &) = delete;

    int IsOK() const { return Template != 0; }
    TBitmap &GetBitmap() { return *Bitmap; }
    int GetCount() const { return Template ? Template[3] : 0; }
    unsigned short const *GetIds() const { return Template ? Template + 4 : 0; }
    int GetWidth() const { return Template ? Template[1] : 0; }
    int GetHeight() const { return Template ? Template[2] : 0; }

protected:
    LPCSTR Type;
    HGLOBAL Handle;
    unsigned short const *Template;
    TBitmap *Bitmap;
    int OwnsBitmap;
};

class VELTRANE_API TToolbarBldr {
public:
    enum { SeparatorSize = 6 };

    // Without an instance the gadget window's module is read.
    TToolbarBldr(TGadgetWindow &window, TResId id, HINSTANCE instance = 0);
    ~TToolbarBldr();
    TToolbarBldr(TToolbarBldr const &) = delete;
    TToolbarBldr &operator=(TToolbarBldr const &) = delete;

    // Gives the window the faces as its shared cel array and inserts a button per
    // id and a separator per 0; nothing without a usable resource.
    void Build();

protected:
    TGadgetWindow &Window;
    TToolbarRes *ToolbarRes;
    TResId Id;
    HINSTANCE Instance;
};
