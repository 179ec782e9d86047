// Connects one window to one document: the document notifies its views, and the
// framework closes, titles and finds documents through them.
#pragma once

#include "core/VeltraneDefs.h"

#include "foundation/Lists.h"
#include "foundation/Strings.h"

class Document;
class DocumentManager;
class TWindow;
class TRect;
struct PackedMemento;

class VELTRANE_API View : public ListElement {
public:
    View(char const *name, Document &document, TWindow *window);
    ~View() override;

    virtual void Delete();
    virtual void SetTitle(String const &title);
    virtual int OnStartRubber();
    virtual void OnEndRubber(TRect const &rect);
    virtual int CanCloseView();
    virtual void SetStatusBar(int);
    virtual void UpdateStatusBar();
    virtual PackedMemento *CreatePackedMemento();
    // A document notification; 0 stops the notification at this view.
    virtual int Handler(int code, long a, long b);

    int IsInFrameWindow() const;
    int IsTopView() const;

    Document &GetDocument() const { return *Doc; }
    DocumentManager *GetManager() const { return Manager; }
    TWindow *GetWindow() const { return Window; }
    void SetWindow(TWindow *window) { Window = window; }
    unsigned long GetViewId() const { return Serial; }
    char const *GetViewName() const { return Name; }

    static unsigned long _id;

protected:
    Document *Doc;
    DocumentManager *Manager;
    unsigned long Serial;
    TWindow *Window;
    char const *Name;

private:
    View(View const &) = delete;
    View &operator=(View const &) = delete;
};
