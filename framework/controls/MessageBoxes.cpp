#include "MessageBoxes.h"

#include "MessageBoxSeam.h"

int MessageBox(char const *text, char const *caption, int style) {
    return ShowMessageBox(0, text, caption, unsigned(style) | MB_TASKMODAL | MB_SETFOREGROUND | MB_TOPMOST);
}
