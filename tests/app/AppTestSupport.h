// Helpers shared by the program's tests.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace apptest {

// The program folder that the build writes beside the tests' folder.
std::string ProgramFolder();
// A language module of the program folder as data ("EnglishTs.dll"...), null when missing.
HMODULE LoadLanguageModule(char const *name);
// Registers the English module with the message catalogue once, so texts by number answer;
// the module, whose dialogs and pictures a test may show.
HMODULE UseEnglishTexts();

// What the next modal dialog of the thread is to do: a timer its loop dispatches hands the
// dialog to the action once it stands.
void WhenModal(std::function<void(HWND)> action);
// A click on a dialog's button, as its notification.
void Click(HWND dialog, int id);
// Dispatches the thread's waiting messages.
void Pump();
// Pumps until the condition holds (true) or 20 seconds passed (false).
bool PumpUntil(std::function<bool()> const &condition);

}  // namespace apptest
