#include "bars/ToolbarResource.h"

#include "bars/ButtonGadget.h"
#include "core/Dib.h"
#include "bars/GadgetWindow.h"
#include "core/Module.h"

TToolbarRes::TToolbarRes(HINSTANCE instance, TResId id, TAutoDelete autoDelete)
    : Type(MAKEINTRESOURCEA(ResourceType)), Handle(0), Template(0), Bitmap(0), OwnsBitmap(autoDelete == AutoDelete) {
    HRSRC info = ::FindResourceA(instance, id, Type);
    if (!info)
        return;
    Handle = ::LoadResource(instance, info);
    if (Handle)
        Template = static_cast<unsigned short const *>(::LockResource(Handle));
    // the header is four words, then one word per id
    unsigned size = ::SizeofResource(instance, info);
    if (Template && (size < 8 || size < 8 + 2u * Template[3]))
        Template = 0;
    if (Template)
        Bitmap = new TBitmap(instance, id);
}

TToolbarRes::~TToolbarRes() {
    if (OwnsBitmap)
        delete Bitmap;
}

TToolbarBldr::TToolbarBldr(TGadgetWindow &window, TResId id, HINSTANCE instance)
    : Window(window), ToolbarRes(0), Id(id), Instance(instance) {}

TToolbarBldr::~TToolbarBldr() { delete ToolbarRes; }

void TToolbarBldr::Build() {
    if (!Instance)
        Instance = Window.GetModule()->GetHandle();
    delete ToolbarRes;
    ToolbarRes = new TToolbarRes(Instance, Id, NoAutoDelete);
    if (!ToolbarRes->IsOK())
        return;
    int count = ToolbarRes->GetCount();
    unsigned short const *ids = ToolbarRes->GetIds();
    int buttons = 0;
    for (int i = 0; i < count; ++i)
        buttons += ids[i] != 0;
    // the cel array owns the faces from here on
    Window.SetCelArray(new TCelArray(&ToolbarRes->GetBitmap(), buttons,
                                     TSize(ToolbarRes->GetWidth(), ToolbarRes->GetHeight()), TPoint(0, 0)));
    int cel = 0;
    for (int i = 0; i < count; ++i) {
        TGadget *gadget;
        if (ids[i] == 0)
            gadget = new TSeparatorGadget(SeparatorSize);
        else
            gadget = new TButtonGadget(cel++, ids[i], TButtonGadget::Command, 0, TButtonGadget::Up, 1);
        Window.Insert(*gadget, TGadgetList::After, 0);
    }
}
