#include "platform/SoundFile.h"

#include <gtest/gtest.h>

#include "support/ProcessGuards.h"
#include "support/ScratchDir.h"

namespace {

TEST(SoundFile, BareNameIsLookedForInCurrentThenDataDirectories) {
    const ScratchDir scratch;
    const auto root = std::filesystem::path(scratch.path());
    const auto work = root / "work", first = root / "first", second = root / "second";
    for (const auto& dir : {work, first, second})
        std::filesystem::create_directories(dir);
    const CwdGuard inWork(work);

    writeBytes(second / "beep.wav", "RIFF");
    EXPECT_EQ(findSoundFile("beep.wav", {first.string(), second.string()}),
              (second / "beep.wav").string());
    writeBytes(first / "beep.wav", "RIFF");
    EXPECT_EQ(findSoundFile("beep.wav", {first.string(), second.string()}),
              (first / "beep.wav").string());
    writeBytes(work / "beep.wav", "RIFF");
    EXPECT_EQ(findSoundFile("beep.wav", {first.string()}), (work / "beep.wav").string());

    // A chosen path is taken as it is, and nothing found is silence.
    EXPECT_EQ(findSoundFile((second / "beep.wav").string(), {}), (second / "beep.wav").string());
    EXPECT_EQ(findSoundFile((root / "gone.wav").string(), {first.string()}), "");
    EXPECT_EQ(findSoundFile("chime.wav", {first.string(), second.string()}), "");
    EXPECT_EQ(findSoundFile("", {first.string()}), "");
    // A directory of that name is not a sound.
    std::filesystem::create_directories(root / "third" / "chime.wav");
    EXPECT_EQ(findSoundFile("chime.wav", {(root / "third").string()}), "");
}

}  // namespace
