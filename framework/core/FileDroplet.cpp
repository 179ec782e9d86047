#include "core/FileDroplet.h"

#include "core/TArrays.h"

TFileDroplet::TFileDroplet(char const *fileName, TPoint const &point, bool inClient)
    : FileName(strnewdup(fileName)), Point(point), InClientArea(inClient) {}

TFileDroplet::TFileDroplet(TDropInfo const &drop, int index) : FileName(0), InClientArea(false) {
    uint length = drop.DragQueryFileNameLen(index);
    FileName = new char[length + 1]();  // empty when the index names no file
    drop.DragQueryFile(index, FileName, length + 1);
    InClientArea = drop.DragQueryPoint(Point);
}

TFileDroplet::~TFileDroplet() { delete[] FileName; }
