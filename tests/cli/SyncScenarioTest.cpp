#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "CliFixture.h"
#include "support/RadicaleServer.h"

// The sync command against a real server, with a second client that is not ours writing to
// the same account, as a phone would.

namespace {

// The lines `phone`, a second client as a phone would be, lists at `path`.
size_t listed(const std::string& phone, const std::string& path) {
    const std::string text = runShell(phone + "list " + path).output;
    return static_cast<size_t>(std::ranges::count(text, '\n'));
}

using SyncScenarioTest = CliFixture;

TEST_F(SyncScenarioTest, ADryRunTellsWhatItWouldDoAndChangesNothing) {
    const std::string state = dir.file("state");
    setenv("XDG_STATE_HOME", state.c_str(), 1);
    RadicaleServer server{dir.path().string()};
    const std::string phone = "/usr/bin/python3 " QUILLMATE_SYNC_PHONE " " + server.url() + " ";
    ASSERT_EQ(runShell(phone + "mkaddressbook /alice/contacts/ Contacts").code, 0);
    writeBytes(dir.file("ada.vcf"),
               "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:ada\r\nN:Lovelace;Ada;;;\r\n"
               "FN:Ada Lovelace\r\nEND:VCARD\r\n");
    ASSERT_EQ(runShell(phone + "put /alice/contacts/ada.vcf " + dir.file("ada.vcf")).code, 0);
    ASSERT_EQ(run({"add-person", doc, "--last", "Turing"}).code, 0);
    const std::string bytes = fileBytes(doc);

    const CliRun dry = run({"sync", doc, "--url", server.url(), "--user", "alice", "--dry-run"});
    unsetenv("XDG_STATE_HOME");
    ASSERT_EQ(dry.code, 0) << dry.err;
    EXPECT_NE(dry.out.find("dry run: persons: 1 up, 1 down\n"), std::string::npos) << dry.out;
    EXPECT_NE(dry.out.find("dry run: made calendar \"Quillmate\""), std::string::npos) << dry.out;
    EXPECT_TRUE(dry.out.ends_with("dry run: nothing changed\n")) << dry.out;
    EXPECT_EQ(fileBytes(doc), bytes);
    EXPECT_EQ(listed(phone, "/alice/contacts/"), 1u);
    EXPECT_EQ(listed(phone, "/alice/"), 1u);
    EXPECT_FALSE(std::filesystem::exists(state));
}

TEST_F(SyncScenarioTest, PasswordsComeFromAFileOrTheEnvironmentAndFailuresSayWhere) {
    writeBytes(dir.file("users"), "alice:secret\n");
    writeBytes(dir.file("wrong"), "guess\n");
    writeBytes(dir.file("right"), "secret\n");
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    RadicaleServer server(dir.path().string(), dir.file("users"));
    const std::vector<std::string> sync = {"sync", doc, "--url", server.url(), "--user", "alice"};
    const auto with = [&](std::vector<std::string> more) {
        std::vector<std::string> args = sync;
        args.insert(args.end(), more.begin(), more.end());
        return args;
    };
    struct Row {
        const char* label;
        std::vector<std::string> args;
        const char* environment;  // QUILLMATE_PASSWORD, nullptr for none
        int code;
        std::string err;
    };
    const Row rows[] = {
        {"no address", {"sync", doc}, nullptr, 2, "quillmate-cli: --url is required\n"},
        {"not http",
         {"sync", doc, "--url", "ftp://127.0.0.1/"},
         nullptr,
         2,
         "quillmate-cli: --url wants an http or https address, not \"ftp://127.0.0.1/\"\n"},
        {"wrong password", with({"--password-file", dir.file("wrong")}), nullptr, 1,
         "quillmate-cli: " + server.url() +
             ": the server refused the user name or password (401)\n"},
        {"no password file", with({"--password-file", dir.file("none")}), nullptr, 1,
         "quillmate-cli: " + dir.file("none") + ":"},
        {"password from the environment", sync, "secret", 0, ""},
        {"password from a file", with({"--password-file", dir.file("right")}), "guess", 0, ""},
        {"collection gone", with({"--addressbook", server.url() + "alice/gone/"}), "secret", 1,
         "quillmate-cli: " + server.url() +
             "alice/gone/: not found on the server; the collection may be gone (404)\n"},
    };
    for (const Row& row : rows) {
        if (row.environment)
            setenv("QUILLMATE_PASSWORD", row.environment, 1);
        else
            unsetenv("QUILLMATE_PASSWORD");
        const CliRun result = runCliCaptured(row.args);
        EXPECT_EQ(result.code, row.code) << row.label << ": " << result.err;
        EXPECT_EQ(result.err.substr(0, row.err.size()), row.err) << row.label;
    }
    // The program as shipped hands sync to quillmate-cli-qt with every argument.
    EXPECT_TRUE(runShell(QUILLMATE_CLI_BINARY " sync " + doc + " 2>&1")
                    .output.starts_with("quillmate-cli: --url is required\n"));
    unsetenv("QUILLMATE_PASSWORD");
    server.stop();
    const CliRun down = runCliCaptured(sync);
    EXPECT_EQ(down.code, 1);
    EXPECT_NE(down.err.find(": the server cannot be reached: connection refused\n"),
              std::string::npos)
        << down.err;
    unsetenv("XDG_STATE_HOME");
}

}  // namespace
