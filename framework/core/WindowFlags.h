// Bits of a window object's flags word, the one place they are defined.
#pragma once

enum TWindowFlag {
    wfAlias = 0x0001,            // attached to a window that existed before the object
    wfAutoCreate = 0x0002,       // created by the parent's CreateChildren
    wfFromResource = 0x0004,     // a dialog item: the handle comes from the parent
    wfShrinkToClient = 0x0008,   // frames fit themselves around their client
    wfMainWindow = 0x0010,       // unhandled messages go to the application
    wfFullyCreated = 0x0020,     // SetupWindow has run; cleared by WM_DESTROY
    wfMDIClientWindow = 0x0040,  // the MDI client
    wfPredefinedClass = 0x0080,  // a system class, subclassed after creation
    wfTransfer = 0x0100,         // takes part in data transfer
    wfUnhidden = 0x0200,         // shown for a moment while an MDI child is destroyed
    wfReenabled = 0x0400,        // enabled for a moment while an MDI child is destroyed
    wfDeleteOnClose = 0x0800,    // condemned and deleted by the application once closed
    wfWantsMoreIdle = 0x1000,    // asked for more idle calls
    wfModal = 0x2000,            // runs a modal loop; Destroy ends it
    wfDetached = 0x4000,         // the handle was detached
    wfInsertAtEdge = 0x8000,     // a decoration shown again goes next to the first sibling at its place
    wfStopPreProcess = 0x10000,  // message pre-processing does not climb above this window
};
