#include "fileio/FileWindow.h"

#include <gtest/gtest.h>

#include "fileio/TextEncoding.h"
#include "support/ScratchDir.h"

namespace {

// The text a reader of the whole bytes takes from them.
std::string wholeText(std::string_view bytes) {
    bytes = withoutUtf8Bom(bytes);
    return utf8WithWindows1252Fallback(bytes.substr(0, bytes.find('\0')));
}

TEST(FileWindow, ReadsTheTextAsTheWholeBytesReadWhereverTheWindowCutsThem) {
    const std::string mixed = "caf\xC3\xA9 \xE9t\xE9 \xF0\x9F\x98\x80 \xE2\x82\xAC\x80";
    std::string mixedLong;
    while (mixedLong.size() < 3000)
        mixedLong += mixed + "\r\n";
    const std::string cases[] = {
        "",
        "\xEF\xBB\xBF<Pim/>",
        "\xEF\xBB",
        std::string(500, 'a') + "\xC3\xA9",
        mixedLong,
        std::string(1000, '\xE9'),  // all Windows-1252: each byte becomes two
        mixedLong + std::string("\0 after the end", 15),
        "\xF0\x9F\x98\x80\x80\x80\x80\x80\x80" + mixedLong,  // stray continuation bytes
    };
    ScratchDir dir;
    const std::string path = dir.file("text");
    for (const std::string& bytes : cases) {
        writeBytes(path, bytes);
        for (const size_t capacity : {64, 67, 250, 4096}) {
            SCOPED_TRACE(testing::Message() << bytes.substr(0, 12) << " in " << capacity);
            // Slid on at every place short of its end, keeping the last few bytes each time.
            FileWindow window(capacity);
            ASSERT_TRUE(window.open(path));
            std::string read;
            for (size_t round = 0; round < 100000; ++round) {
                const std::string_view text = window.text();
                const size_t keep = std::min<size_t>(text.size(), round % 7);
                read += text.substr(0, text.size() - keep);
                if (window.ended()) {
                    read += text.substr(text.size() - keep);
                    break;
                }
                const std::string kept(text.substr(text.size() - keep));
                window.slide(text.data() + text.size() - keep);
                ASSERT_EQ(window.text().substr(0, keep), kept);
            }
            EXPECT_TRUE(window.ended());
            EXPECT_TRUE(window.failure());
            EXPECT_EQ(read, wholeText(bytes));
        }
    }
}

TEST(FileWindow, RefusesWhatIsNotARegularFileAndGivesItsStamp) {
    ScratchDir dir;
    FileWindow missing;
    EXPECT_EQ(missing.open(dir.file("missing")).message(),
              dir.file("missing") + ": No such file or directory");
    FileWindow folder;
    EXPECT_EQ(folder.open(dir.path()).kind(), FailureKind::Read);

    writeBytes(dir.file("f"), "<Pim/>");
    FileWindow window;
    FileStamp stamp;
    ASSERT_TRUE(window.open(dir.file("f"), &stamp));
    EXPECT_EQ(stamp, currentStamp(dir.file("f")));
    EXPECT_EQ(window.text(), "<Pim/>");
    EXPECT_TRUE(window.ended());
}

}  // namespace
