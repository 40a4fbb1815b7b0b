#include "platform/qt/IniSettingsStore.h"

#include <gtest/gtest.h>

#include "support/ScratchDir.h"

namespace {

class IniSettingsStoreTest : public testing::Test {
protected:
    ScratchDir dir;
    QString path = QString::fromStdString(dir.file("Tarnwick/Quillmate.conf"));
    IniSettingsStore store{path};

    void writeFile(const std::string& bytes) {
        std::filesystem::create_directories(dir.file("Tarnwick"));
        writeBytes(path.toStdString(), bytes);
    }
};

TEST_F(IniSettingsStoreTest, ValuesSurviveInTheFileUnderTheXdgConfigHome) {
    store.writeNumber("Files", "OpenLastFile", 1);
    store.writeText("Recent Document List", "Document1", "/home/ann/My, \"odd\" file.pgr");
    store.writeNumber("Settings", "wp.left", static_cast<uint32_t>(-12));

    const IniSettingsStore reopened(path);
    EXPECT_TRUE(reopened.hasSection("Files") && reopened.hasSection("Recent Document List"));
    EXPECT_FALSE(reopened.hasSection("Alarm"));
    EXPECT_EQ(reopened.readNumber("Files", "OpenLastFile"), 1u);
    EXPECT_EQ(reopened.readText("Recent Document List", "Document1"),
              "/home/ann/My, \"odd\" file.pgr");
    EXPECT_EQ(static_cast<int32_t>(*reopened.readNumber("Settings", "wp.left")), -12);

    store.removeValue("Files", "OpenLastFile");
    EXPECT_FALSE(reopened.readNumber("Files", "OpenLastFile"));

    const QByteArray old = qgetenv("XDG_CONFIG_HOME");  // the test run's own
    qputenv("XDG_CONFIG_HOME", "/tmp/quillmate-xdg-test");
    EXPECT_EQ(IniSettingsStore::defaultFilePath(),
              "/tmp/quillmate-xdg-test/Tarnwick/Quillmate.conf");
    qputenv("XDG_CONFIG_HOME", old);
}

TEST_F(IniSettingsStoreTest, UnreadableNumbersAreMissingAndACorruptFileReadsAsEmpty) {
    writeFile("[Files]\nOpenLastFile=yes\n[Settings]\nwp.left=99999999999\nwp.top=-5\n");
    EXPECT_FALSE(store.readNumber("Files", "OpenLastFile"));
    EXPECT_FALSE(store.readNumber("Settings", "wp.left"));
    EXPECT_EQ(store.readNumber("Settings", "wp.top"), static_cast<uint32_t>(-5));
    EXPECT_FALSE(store.readNumber("Alarm", "UseAlarmSound"));

    writeFile(std::string("\xff\xfe[[[\0\0garbage=\n=\n[", 18));
    EXPECT_FALSE(store.readText("Files", "LastFileUsed"));
    store.writeText("Files", "LastFileUsed", "/x.pgr");  // must not throw or crash
}

}  // namespace
