#include "tests/app/AppTestSupport.h"

#include "foundation/MessageCatalogue.h"
#include "tests/support/TestSupport.h"

namespace apptest {

std::string ProgramFolder() {
    std::string tests = testsupport::ProgramFolder();
    return tests.substr(0, tests.find_last_of('\\')) + "\\program";
}

HMODULE LoadLanguageModule(char const *name) {
    return LoadLibraryExA((ProgramFolder() + "\\system\\" + name).c_str(), 0, LOAD_LIBRARY_AS_DATAFILE);
}

HMODULE UseEnglishTexts() {
    static HMODULE english = LoadLibraryA((ProgramFolder() + "\\system\\EnglishTs.dll").c_str());
    NotifyLocalizedStringDll(english);
    return english;
}

}  // namespace apptest
