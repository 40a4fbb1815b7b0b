#include "workspace/DocumentLifecycle.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Clock.h"
#include "support/MemorySettingsStore.h"
#include "workspace/DocumentSettings.h"
#include "workspace/RecentFileList.h"
#include "workspace/StartupPlan.h"
#include "workspace/WorkspaceFakes.h"

namespace {

using Paths = std::vector<std::string>;
using State = std::tuple<std::string, std::string, bool>;

class DocumentLifecycleTest : public testing::Test {
protected:
    DocumentLifecycleTest() {
        storage.files["/data/home.pgr"] = "home";
        storage.files["/data/work.pgr"] = "work";
    }

    void openAtStartup(Paths files) {
        lifecycle.openAtStartup(StartupPlan{std::move(files), false, false});
        prompts.messages.clear();
    }
    // The document as if /data/home.pgr had been opened, then changed.
    void openHomeAndEdit() {
        openAtStartup({"/data/home.pgr"});
        edit();
    }
    void edit() {
        User user;
        user.FName = "edited";
        doc.setUser(user);
    }
    std::optional<std::string> lastFileUsed() { return store.readText("Files", "LastFileUsed"); }
    // The messages shown, each as "caption: text".
    Paths shown() const {
        Paths texts;
        for (const ScriptedPrompts::Shown& message : prompts.messages)
            texts.push_back(message.caption + ": " + message.text);
        return texts;
    }
    // The document's path, user name and modified flag.
    State state() const { return {doc.path(), doc.user().FName, doc.isModified()}; }

    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument doc{clock};
    FakeStorage storage;
    ScriptedPrompts prompts;
    MemorySettingsStore store;
    DocumentSettings settings{store};
    RecentFileList recent;
    DocumentLifecycle lifecycle{doc, storage, prompts, settings, recent};
};

TEST_F(DocumentLifecycleTest, SaveQuestionAnswersDecideNewOpenAndClose) {
    for (const std::string command : {"new", "open", "close"}) {
        for (const MessageAnswer answer :
             {MessageAnswer::Yes, MessageAnswer::No, MessageAnswer::Cancel}) {
            SCOPED_TRACE(command + " answer " + std::to_string(int(answer)));
            const bool proceeds = answer != MessageAnswer::Cancel;
            storage.files["/data/home.pgr"] = "home";
            openHomeAndEdit();
            storage.writes.clear();
            prompts.answers = {answer};
            prompts.paths = {"/data/work.pgr"};  // for Open, once the question is past

            bool closed = false;
            if (command == "new") lifecycle.newDocument();
            if (command == "open") lifecycle.open();
            if (command == "close") closed = lifecycle.close();

            ASSERT_EQ(shown(), Paths{"Quillmate: Save changes to /data/home.pgr?"});
            EXPECT_EQ(std::pair(prompts.messages[0].icon, prompts.messages[0].buttons),
                      std::pair(MessageIcon::Exclamation, MessageButtons::YesNoCancel));
            const bool saved = answer == MessageAnswer::Yes;
            EXPECT_EQ(storage.files["/data/home.pgr"], saved ? "edited" : "home");
            EXPECT_EQ(storage.writes.size(), saved ? 1u : 0u);
            const State stays{"/data/home.pgr", "edited", true};
            if (command == "new") {
                EXPECT_EQ(state(), (proceeds ? State("", "", false) : stays));
                EXPECT_EQ(doc.phGroups().size(), proceeds ? 3u : 0u);
            } else if (command == "open") {
                EXPECT_EQ(state(), (proceeds ? State("/data/work.pgr", "work", false) : stays));
            } else {
                EXPECT_EQ(closed, proceeds);
                EXPECT_EQ(lastFileUsed(), "/data/home.pgr");  // whatever the answer
            }
        }
    }
}

// Yes, then the save dialog cancelled or the write failing: the window stays with its
// changes, and a failed write says so.
TEST_F(DocumentLifecycleTest, SaveQuestionStopsWhenTheSaveDoesNotHappen) {
    const struct {
        const char* name;
        const char* openPath;  // nullptr: a new document, saved through the dialog
        std::optional<std::string> dialogAnswer;
        bool failureShown;
    } cases[] = {
        {"dialog cancelled", nullptr, std::nullopt, false},
        {"new document unwritable", nullptr, "/ro/x.pgr", true},
        {"saved document unwritable", "/ro/home.pgr", std::nullopt, true},
    };
    storage.files["/ro/home.pgr"] = "home";
    storage.unwritable = {"/ro/x.pgr", "/ro/home.pgr"};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.openPath)
            openAtStartup({c.openPath});
        else
            doc.makeNew();
        edit();
        prompts.answers = {MessageAnswer::Yes};
        prompts.paths = {c.dialogAnswer};
        prompts.messages.clear();

        EXPECT_FALSE(lifecycle.close());
        EXPECT_EQ(state(), State(c.openPath ? c.openPath : "", "edited", true));
        ASSERT_EQ(prompts.messages.size(), c.failureShown ? 2u : 1u);
        if (c.failureShown) {
            EXPECT_EQ(shown()[1], "Quillmate: Unable to write file!");
            EXPECT_EQ(prompts.messages[1].icon, MessageIcon::Error);
        }
        EXPECT_EQ(lastFileUsed(), c.openPath ? c.openPath : "Untitled");
    }
}

TEST_F(DocumentLifecycleTest, SaveWritesOnlyAChangedDocumentAndNamesANewOneFromUntitled) {
    openAtStartup({"/data/home.pgr"});
    lifecycle.save();
    EXPECT_TRUE(storage.writes.empty());
    EXPECT_TRUE(prompts.saveDialogs.empty());
    edit();
    lifecycle.save();
    EXPECT_EQ(storage.files["/data/home.pgr"], "edited");
    EXPECT_FALSE(doc.isModified());

    lifecycle.newDocument();
    edit();
    lifecycle.save();  // cancelled
    ASSERT_EQ(prompts.saveDialogs.size(), 1u);
    const FileDialogSpec& spec = prompts.saveDialogs[0];
    EXPECT_EQ(spec.initialName, "Untitled");
    EXPECT_EQ(spec.defaultExtension, "pgr");
    EXPECT_EQ(spec.filters.at(0).pattern, "*.pgr");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(doc.isModified());

    prompts.paths = {"/data/new.pgr"};
    lifecycle.save();
    EXPECT_EQ(lifecycle.windowTitle(), "Quillmate [/data/new.pgr]");
    EXPECT_FALSE(doc.isModified());
    EXPECT_EQ(recent.entries().front(), "/data/new.pgr") << "named through Save, as Save As";
}

TEST_F(DocumentLifecycleTest, SaveAsFailureKeepsPathListAndTitleUntilARetrySucceeds) {
    openHomeAndEdit();
    storage.unwritable = {"/ro/copy.pgr"};
    prompts.paths = {"/ro/copy.pgr"};
    prompts.answers = {MessageAnswer::Cancel};
    lifecycle.saveAs();
    ASSERT_EQ(shown(), Paths{"Quillmate: Error saving /ro/copy.pgr."});
    EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::RetryCancel);
    EXPECT_EQ(lifecycle.windowTitle(), "Quillmate [/data/home.pgr]");
    EXPECT_EQ(recent.entries(), Paths{"/data/home.pgr"});
    EXPECT_TRUE(doc.isModified());

    prompts.paths = {"/ro/copy.pgr", "/data/copy.pgr"};
    prompts.answers = {MessageAnswer::Retry};
    lifecycle.saveAs();
    EXPECT_EQ(prompts.saveDialogs.size(), 3u);
    EXPECT_EQ(storage.files["/data/home.pgr"], "home");
    EXPECT_EQ(storage.files["/data/copy.pgr"], "edited");
    EXPECT_EQ(lifecycle.windowTitle(), "Quillmate [/data/copy.pgr]");
    EXPECT_EQ(recent.entries(), (Paths{"/data/copy.pgr", "/data/home.pgr"}));
    EXPECT_EQ(store.readText("Recent Document List", "Document1"), "/data/copy.pgr");
}

TEST_F(DocumentLifecycleTest, CancelledDialogsMoveASavedDocumentUpButNeverListUntitled) {
    storage.files["/data/a.pgr"] = "a";
    openAtStartup({"/data/home.pgr", "/data/a.pgr"});
    // Put home.pgr's document back in place without touching the list.
    ASSERT_TRUE(storage.load(doc, "/data/home.pgr"));
    doc.setPath("/data/home.pgr");

    lifecycle.open();  // dialog cancelled
    EXPECT_EQ(recent.entries().front(), "/data/home.pgr");
    lifecycle.newDocument();
    lifecycle.open();
    lifecycle.saveAs();
    EXPECT_EQ(recent.entries(), (Paths{"/data/home.pgr", "/data/a.pgr"}));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(DocumentLifecycleTest, FailedOpensLeaveTheDocumentClearTheLastFileAndDropAGoneEntry) {
    openHomeAndEdit();
    prompts.answers = {MessageAnswer::No};
    storage.parseErrorLines["/data/broken.pgr"] = 3;
    prompts.paths = {"/data/broken.pgr"};
    lifecycle.open();
    EXPECT_EQ(shown(), (Paths{"Quillmate: Save changes to /data/home.pgr?",
                              "Error Loading File: Parsing error at line 3",
                              "Quillmate: Error loading file."}));
    EXPECT_EQ(lastFileUsed(), "");
    EXPECT_EQ(state(), State("/data/home.pgr", "edited", true));
    EXPECT_EQ(recent.entries(), Paths{"/data/home.pgr"});

    // A recent entry whose file is gone leaves the list.
    storage.files["/data/gone.pgr"] = "gone";
    openAtStartup({"/data/gone.pgr", "/data/home.pgr"});
    storage.files.erase("/data/gone.pgr");
    ASSERT_EQ(recent.entries()[1], "/data/gone.pgr");
    lifecycle.openRecent(1);
    ASSERT_EQ(shown(), Paths{"Quillmate: Error loading file."});
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(recent.entries(), Paths{"/data/home.pgr"});
    EXPECT_FALSE(store.readText("Recent Document List", "Document2"));
    EXPECT_EQ(lastFileUsed(), "");
    EXPECT_EQ(doc.user().FName, "home");
}

TEST_F(DocumentLifecycleTest, BackupProposesTheBareNameAndChangesNothing) {
    openHomeAndEdit();
    prompts.paths = {"/backups/home.bak"};
    lifecycle.backup();
    ASSERT_EQ(prompts.saveDialogs.size(), 1u);
    EXPECT_EQ(prompts.saveDialogs[0].initialName, "home");
    EXPECT_EQ(prompts.saveDialogs[0].filters.at(0).pattern, "*.bak");
    EXPECT_EQ(storage.files["/backups/home.bak"], "edited");
    EXPECT_EQ(state(), State("/data/home.pgr", "edited", true));
    EXPECT_EQ(recent.size(), 1u);

    storage.unwritable = {"/ro/home.bak"};
    prompts.paths = {"/ro/home.bak"};
    lifecycle.backup();
    EXPECT_EQ(shown(), Paths{"Backup failed: Unable to back up file"});
}

TEST_F(DocumentLifecycleTest, CompactWithoutAPathAsksForOneAndNeverFakesSuccess) {
    lifecycle.newDocument();
    Task done = Task::createdAt(DateTime::today(clock) - DateTimeSpan(3));
    done.Priority = 3;
    doc.add(done);
    lifecycle.compact();  // dialog cancelled: nothing happens
    EXPECT_EQ(doc.tasks().size(), 1u);
    EXPECT_TRUE(storage.writes.empty());

    storage.unwritable = {"/ro/new.pgr"};
    prompts.paths = {"/ro/new.pgr"};
    lifecycle.compact();
    EXPECT_EQ(shown(), Paths{"Quillmate: Unable to write file!"});
    EXPECT_EQ(std::pair(doc.path(), doc.isModified()), std::pair(std::string(), true));

    prompts.paths = {"/data/new.pgr"};
    lifecycle.compact();
    EXPECT_FALSE(doc.isModified());
    EXPECT_TRUE(storage.files.count("/data/new.pgr"));
    EXPECT_EQ(recent.entries().front(), "/data/new.pgr");
}

TEST_F(DocumentLifecycleTest, ALastFileThatCannotBeLoadedSaysSoAndSeedsANewDocument) {
    lifecycle.openAtStartup(StartupPlan{{"/data/a folder/my home.pgr"}, true, true});
    EXPECT_EQ(shown(), Paths{"File Loading Error: Unable to load last file opened"});
    EXPECT_EQ(doc.phGroups().size(), 3u);
    EXPECT_EQ(doc.path(), "");
}

TEST_F(DocumentLifecycleTest, AFileOfAnotherKindOpensAsANewUntitledDocument) {
    storage.notOurs = {"/data/other.xml"};
    for (const std::string how : {"open", "recent entry", "start-up"}) {
        SCOPED_TRACE(how);
        openAtStartup({"/data/home.pgr"});
        prompts.paths = {"/data/other.xml"};
        recent.add("/data/other.xml");
        if (how == "open") lifecycle.open();
        if (how == "recent entry") lifecycle.openRecent(0);
        if (how == "start-up")
            lifecycle.openAtStartup(StartupPlan{{"/data/other.xml"}, true, true});
        EXPECT_EQ(shown(), Paths{"Quillmate: /data/other.xml: its root element is <Pom>\n\nThe "
                                 "file is left as it is; a new untitled document opens instead, "
                                 "and saving it asks for a name."});
        EXPECT_EQ(state(), State("", "", false));
        EXPECT_EQ(doc.phGroups().size(), 3u);

        edit();
        prompts.paths = {std::nullopt};
        lifecycle.save();
        EXPECT_EQ(prompts.saveDialogs.size(), 1u) << "Save asks for a name";
        EXPECT_EQ(std::count(storage.writes.begin(), storage.writes.end(), "/data/other.xml"), 0);
        prompts.saveDialogs.clear();
        doc.setModified(false);
    }
}

TEST_F(DocumentLifecycleTest, ASaveOverAFileChangedElsewhereAsksFirst) {
    const struct {
        MessageAnswer answer;
        std::string homeHolds;  // afterwards
        bool modified;
        std::string path;
    } cases[] = {
        {MessageAnswer::Yes, "edited", false, "/data/home.pgr"},
        {MessageAnswer::No, "theirs", false, "/data/elsewhere.pgr"},
        {MessageAnswer::Cancel, "theirs", true, "/data/home.pgr"},
    };
    for (const bool compact : {false, true}) {
        for (const auto& c : cases) {
            SCOPED_TRACE((compact ? "compact, answer " : "save, answer ") +
                         std::to_string(int(c.answer)));
            storage.files["/data/home.pgr"] = "home";
            openHomeAndEdit();
            storage.files["/data/home.pgr"] = "theirs";
            storage.changedElsewhere = {"/data/home.pgr"};
            prompts.answers = {c.answer};
            prompts.paths = {"/data/elsewhere.pgr"};
            compact ? lifecycle.compact() : lifecycle.save();
            ASSERT_EQ(shown(),
                      Paths{"Quillmate: /data/home.pgr was changed by another program after it "
                            "was opened here.\n\nYes: overwrite it; the other program's changes "
                            "are lost.\nNo: save this document under another name.\nCancel: do "
                            "not save now."});
            EXPECT_EQ(prompts.messages[0].buttons, MessageButtons::YesNoCancel);
            EXPECT_EQ(storage.files["/data/home.pgr"], c.homeHolds);
            EXPECT_EQ(state(), State(c.path, "edited", c.modified));
        }
    }
}

}  // namespace
