#include <iostream>
#include <new>

#include "cli/CliMain.h"
#include "cli/HugePageHeap.h"

int main(int argc, char** argv) {
    askForHugePagesForTheHeap();
    try {
        return runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout,
                      std::cerr, AfterCli::ProcessEnds);
    } catch (const std::bad_alloc&) {
        // Out of memory outside any command (its arguments, its messages): one line, no abort.
        std::cerr << "quillmate-cli: not enough memory\n";
        return 1;
    }
}
