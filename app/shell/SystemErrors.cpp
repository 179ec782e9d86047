#include "shell/SystemErrors.h"

#include "foundation/Exception.h"
#include "foundation/MessageCatalogue.h"

#include <windows.h>

namespace {

enum : unsigned { kTextTempDiskFull = 10048, kTextTooManyFiles = 18027, kTextAccessDenied = 18028 };

void ReplaceSecondText(Exception &e, String const &text) {
    delete e.second;
    e.second = new String(text);
}

String InBrackets(unsigned message) {
    String text("(");
    text += String(FindString(message));
    text += ")";
    return text;
}

}  // namespace

SystemErrorFollowUp ExplainSystemError(Exception &e, int tempDrive) {
    switch (e.errorCode) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        if (long(e.driveIndex) == tempDrive)
            ReplaceSecondText(e, String(FindString(kTextTempDiskFull)));
        return kNoFollowUp;
    case ERROR_TOO_MANY_OPEN_FILES: ReplaceSecondText(e, InBrackets(kTextTooManyFiles)); return kCloseUnchangedDocuments;
    case ERROR_ACCESS_DENIED: ReplaceSecondText(e, InBrackets(kTextAccessDenied)); return kNoFollowUp;
    default: return kNoFollowUp;
    }
}
