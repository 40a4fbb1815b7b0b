#include <iostream>
#include <new>

#include "cli/CliMain.h"
#include "cli/HugePageHeap.h"
#include "platform/Translate.h"
#include "platform/UserLanguage.h"

int main(int argc, char** argv) {
    askForHugePagesForTheHeap();
    useUserLanguage(QUILLMATE_LOCALE_DIR);
    try {
        return runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                      std::cerr, AfterCli::ProcessEnds);
    } catch (const std::bad_alloc&) {
        // Out of memory outside any command (its arguments, its messages): one line, no abort.
        std::cerr << "quillmate-cli: " << _("not enough memory") << '\n';
        return 1;
    }
}
