// Helpers shared by the program's tests.
#pragma once

#include <windows.h>

#include <string>

namespace apptest {

// The program folder that the build writes beside the tests' folder.
std::string ProgramFolder();
// A language module of the program folder as data ("EnglishTs.dll"...), null when missing.
HMODULE LoadLanguageModule(char const *name);
// Registers the English module with the message catalogue once, so texts by number answer;
// the module, whose dialogs and pictures a test may show.
HMODULE UseEnglishTexts();

}  // namespace apptest
