// Writes quillmate-cli's manual page or bash completion at build time:
//   quillmate-cli-docs man VERSION DATE OUT
//   quillmate-cli-docs completion OUT
#include <cstring>
#include <fstream>
#include <iostream>

#include "cli/CompletionScript.h"
#include "cli/ManPage.h"

int main(int argc, char** argv) {
    const bool man = argc == 5 && std::strcmp(argv[1], "man") == 0;
    const bool completion = argc == 3 && std::strcmp(argv[1], "completion") == 0;
    if (!man && !completion) {
        std::cerr << "usage: quillmate-cli-docs man VERSION DATE OUT | completion OUT\n";
        return 2;
    }
    std::ofstream out(argv[argc - 1], std::ios::binary);
    if (man)
        writeCliManPage(out, argv[2], argv[3]);
    else
        writeCliCompletion(out);
    out.close();
    if (!out) {
        std::cerr << "quillmate-cli-docs: cannot write " << argv[argc - 1] << '\n';
        return 1;
    }
    return 0;
}
