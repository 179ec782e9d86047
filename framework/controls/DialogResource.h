// Reads a dialog template of a module, plain or extended, and gives its rectangle
// in dialog units and its menu, class and title texts.
#pragma once

#include "core/VeltraneDefs.h"

#include "core/Geometry.h"
#include "core/TArrays.h"

#include <windows.h>

class VELTRANE_API TDialogRes {
public:
    enum TDlgResText { DlgResMenu, DlgResClass, DlgResTitle };
    enum { ExtendedType = 0x2005 };

    // A template too short for its fixed header is not taken: IsOK is then false.
    TDialogRes(HINSTANCE instance, TResId id);
    TDialogRes(HINSTANCE instance, TResId id, unsigned short language);
    ~TDialogRes();
    TDialogRes(TDialogRes const &) = delete;
    TDialogRes &operator=(TDialogRes const &) = delete;

    int IsOK() const { return OldResource.Template || NewResource.Template; }
    int IsDialogEx() const { return !OldResource.Template && NewResource.Template; }
    DLGTEMPLATE const *GetTemplate() const { return (DLGTEMPLATE const *)OldResource.Template; }
    void const *GetTemplateEx() const { return NewResource.Template; }

    void GetRect(TRect &rect) const;
    // Copies a text field converted to the ANSI code page, not terminated; the
    // number of bytes written, 0 for an unknown field or one that runs past the end.
    int GetText(char *buffer, int size, TDlgResText which = DlgResTitle) const;

protected:
    struct TResource {
        LPCSTR Type;
        HGLOBAL Handle;
        void const *Template;
        int Size;  // bytes of the block: reads stay inside it
        void Clear() { Handle = 0, Template = 0, Size = 0; }
    };
    void Load(TResource &resource, HINSTANCE instance, TResId id, LPCSTR type, int withLanguage,
              unsigned short language);
    void Find(HINSTANCE instance, TResId id, int withLanguage, unsigned short language);

    TResource OldResource;
    TResource NewResource;
};
