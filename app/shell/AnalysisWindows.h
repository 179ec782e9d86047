// What the analysis windows (frequency analysis, disk information, live input) share: a document type
// of their own whose documents are no files and go with their last view, and the document
// window their view is put in.
#pragma once

class DocumentModel;
class MDIChild;
class TRect;
class TWindow;

// Names the type and gives its texts and values; its documents live with their views.
void InitWindowOnlyType(DocumentModel &type, char const *name, int descriptionId, int dialogValue, int typeValue);

// A new document window around view, at rect (MDI client coordinates) when given or of the
// view's size with shrinkToClient, with the language module's document menu, shown.
MDIChild *OpenDocumentWindow(TWindow &view, TRect const *rect, bool shrinkToClient = false);
