#include <iostream>

#include "cli/CliMain.h"
#include "cli/HugePageHeap.h"

int main(int argc, char** argv) {
    askForHugePagesForTheHeap();
    return runCli(std::vector<std::string>(argv + 1, argv + argc), std::cin, std::cout, std::cerr,
                  AfterCli::ProcessEnds);
}
