// The live input: a document without data that stands for the sound card's input. While
// its window is the active one the Play command monitors the input through the output in
// the live input format, which a right click on the window chooses. One exists at most;
// the live input command opens it and closes it again.
#pragma once

#include "audio/PlayRequest.h"
#include "audio/SamplePattern.h"
#include "controls/PictureWindow.h"
#include "manager/Document.h"
#include "manager/DocumentModel.h"
#include "manager/View.h"

#include <windows.h>

class MicroDoc : public Document {
public:
    class Type : public DocumentFactory<MicroDoc> {
    public:
        Type();
        View *CreateView(Document &document, ViewMemento const *memento) override;

        SamplePattern format;  // the live input format, kept for the life of the process
        bool formatSet = false;
        MicroDoc *document = nullptr;  // the live input, while it exists
        MicroDoc *current = nullptr;   // the live input while its window is the active one
        WINDOWPLACEMENT placement{};   // where its window was last closed
        bool placed = false;
    };
    static Type _type;

    MicroDoc();
    ~MicroDoc() override;

    void NotifyIsCurrentDoc(int state) override;

    // What the Play command hands the playback while the live input is current.
    static PlayRequest MakePlayRequest();
    static void Play();

    static MicroDoc *GetLiveInput() { return _type.document; }
    static MicroDoc *GetCurrent() { return _type.current; }

private:
    explicit MicroDoc(FileName const &title);
};

// The window: the common resource module's picture, at a fixed size.
class MicroView : public TPictureWindow, public View {
public:
    enum { kPicture = 10200 };

    explicit MicroView(MicroDoc &doc);

    void SetupWindow() override;
    void CleanupWindow() override;
    // Both let the user choose the format in which the input is monitored.
    void EvRButtonDown(uint keys, TPoint &point);
    void EvLButtonDblClk(uint keys, TPoint &point);

private:
    void ChooseFormat();

    DECLARE_RESPONSE_TABLE(MicroView);
};

// The live input command: the open live input closes, else one opens in its window. The
// new document, or null when it closed one.
MicroDoc *ToggleLiveInput();
