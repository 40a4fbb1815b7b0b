#include "fileio/UserFolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/ProcessGuards.h"
#include "support/ScratchDir.h"

namespace {

// The longest document name a file system takes still gives a name that fits beside its
// ending, cut between characters; a short one keeps its stem whole.
TEST(UserFolders, AKeyedNameFitsInAFileNameWhateverTheDocumentsName) {
    ScratchDir dir;
    std::string longest = "a";
    while (longest.size() + 2 + 4 <= 255)
        longest += "\xC3\xA9";  // é, two bytes
    const std::string name = documentKeyedName(dir.file(longest + ".pgr"));
    EXPECT_LE(name.size() + 6, 200u) << "room for an ending such as \".state\"";
    const std::string stem = name.substr(0, name.rfind('-'));
    EXPECT_EQ(longest.compare(0, stem.size(), stem), 0);
    EXPECT_EQ(stem.size() % 2, 1u) << "not cut inside a character";
    EXPECT_EQ(makePrivateFolder(dir.file(name + ".state")), "");

    EXPECT_EQ(documentKeyedName(dir.file("home.pgr")), "home-" + documentKey(dir.file("home.pgr")));
}

// Every spelling of a document's path names it the same, also once its file is gone: a
// restore is wanted most then.
TEST(UserFolders, EverySpellingOfAPathGivesTheSameKeyWithOrWithoutTheFile) {
    ScratchDir dir;
    std::filesystem::create_directory(dir.file("sub"));
    std::filesystem::create_directory_symlink(dir.file("sub"), dir.file("link"));
    const CwdGuard inSub(dir.file("sub"));
    const std::string key = documentKey(dir.file("sub/a.pgr"));
    for (const bool there : {true, false}) {
        if (there) writeBytes(dir.file("sub/a.pgr"), "x");
        for (const std::string& spelling :
             {std::string("a.pgr"), std::string("./a.pgr"), std::string("../sub/a.pgr"),
              dir.file("link/a.pgr"), dir.file("sub//./a.pgr")})
            EXPECT_EQ(documentKey(spelling), key) << spelling << (there ? "" : ", gone");
        std::filesystem::remove(dir.file("sub/a.pgr"));
    }
}

}  // namespace
