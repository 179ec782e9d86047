// Explanations the program adds to system errors before the user sees them: a full disk
// that holds the temporary folder, too many open files, a denied access.
#pragma once

struct Exception;

enum SystemErrorFollowUp { kNoFollowUp, kCloseUnchangedDocuments };

// Replaces the exception's second text by the explanation of its system error code (the
// old second text is freed); tempDrive is the drive index of the temporary folder. Too
// many open files asks for the unchanged wave documents to be closed.
SystemErrorFollowUp ExplainSystemError(Exception &e, int tempDrive);
