#include <filesystem>
#include <map>
#include <random>
#include <set>

#include "CliFixture.h"
#include "support/RadicaleServer.h"
#include "sync/ItemCodec.h"

// A few random histories against a real server, with a second client that is not ours:
// edits and deletions on both sides, syncs whose outcome was never saved, then two syncs;
// nothing a side still holds is lost or there twice, and both sides hold the same.

namespace {

constexpr unsigned kSequences = 3;
constexpr int kSteps = 8;

class RadicaleHistory {
public:
    RadicaleHistory(unsigned seed, const std::string& folder, const std::string& doc)
        : rng_(seed), folder_(folder), doc_(doc), server_(folder) {
        phone_ = "/usr/bin/python3 " QUILLMATE_SYNC_PHONE " " + server_.url() + " ";
        runShell(phone_ + "mkaddressbook /alice/contacts/ Contacts");
    }

    void run() {
        for (int step = 0; step < kSteps; ++step) {
            const size_t what = pick(7);
            steps += std::to_string(what) + " ";
            if (what == 0) addHere();
            if (what == 1) editHere();
            if (what == 2) addThere();
            if (what == 3) editThere();
            if (what == 4) deleteThere();
            if (what == 5) killedSync();
            if (what == 6) sync();
        }
        EXPECT_EQ(sync(), 0);
        EXPECT_EQ(sync(), 0);
    }

    void check() {
        std::map<std::string, std::string> here, there;  // by name: the work phone
        withDocument([&](PimDocument& document) {
            for (const auto& [id, p] : document.persons())
                EXPECT_TRUE(here.emplace(p.LName(), p.WkPhone()).second) << "twice here";
        });
        const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
        const AddressBookCodec cards(clock);
        for (const std::string& href : hrefs()) {
            const ParsedItem item = cards.parse(runShell(phone_ + "get " + href).output);
            ASSERT_EQ(item.records.size(), 1u) << href;
            const Person& p = item.records[0].record.person();
            EXPECT_TRUE(there.emplace(p.LName(), p.WkPhone()).second)
                << "twice there: " << p.LName();
        }
        EXPECT_EQ(here, there);
        for (const std::string& token : made_) {
            if (deleted_.contains(token)) continue;
            EXPECT_TRUE(here.contains(token)) << "lost " << token;
        }
    }

    std::string steps;

private:
    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
    std::string phone() { return "555-" + std::to_string(1000 + pick(9000)); }
    std::string email(const std::string& token) { return token + "@example.org"; }

    void withDocument(const std::function<void(PimDocument&)>& change, bool save = false) {
        const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
        PimDocument document(clock);
        ASSERT_TRUE(loadDocument(document, doc_));
        change(document);
        if (!save) return;
        ASSERT_TRUE(saveDocument(document, doc_));
    }
    void addHere() {
        made_.push_back("H" + std::to_string(made_.size()));
        withDocument(
            [&](PimDocument& document) {
                Person person;
                person.setLName(made_.back());
                person.setWkPhone(phone());
                person.setEMail(email(made_.back()));
                person.PhGroups = {kUniversalGroupId};
                document.add(person);
            },
            true);
    }
    void editHere() {
        withDocument(
            [&](PimDocument& document) {
                if (document.persons().size() == 0) return;
                auto it = document.persons().begin();
                std::advance(it, pick(document.persons().size()));
                Person person = it->second;
                person.setWkPhone(phone());
                document.replace(person);
            },
            true);
    }
    std::vector<std::string> hrefs() {
        std::vector<std::string> out;
        std::istringstream lines(runShell(phone_ + "list /alice/contacts/").output);
        for (std::string line; std::getline(lines, line);)
            if (!line.empty()) out.push_back(line);
        return out;
    }
    void put(const std::string& href, const std::string& uid, const std::string& token) {
        writeBytes(folder_ + "/card.vcf", "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid +
                                              "\r\nN:" + token + ";;;;\r\nFN:" + token +
                                              "\r\nTEL;TYPE=WORK:" + phone() +
                                              "\r\nEMAIL:" + email(token) + "\r\nEND:VCARD\r\n");
        runShell(phone_ + "put " + href + " " + folder_ + "/card.vcf");
    }
    void addThere() {
        made_.push_back("T" + std::to_string(made_.size()));
        put("/alice/contacts/" + made_.back() + ".vcf", made_.back(), made_.back());
    }
    // A person of the phone's, its href and name; false when there is none.
    bool anyThere(std::string& href, std::string& uid, std::string& token) {
        const std::vector<std::string> all = hrefs();
        if (all.empty()) return false;
        href = all[pick(all.size())];
        const std::string text = runShell(phone_ + "get " + href).output;
        const auto value = [&](const std::string& name) {
            const size_t at = text.find("\n" + name + ":") + name.size() + 2;
            return text.substr(at, text.find_first_of("\r\n", at) - at);
        };
        uid = value("UID");
        token = value("N").substr(0, value("N").find(';'));
        return true;
    }
    void editThere() {
        std::string href, uid, token;
        if (anyThere(href, uid, token)) put(href, uid, token);
    }
    void deleteThere() {
        std::string href, uid, token;
        if (!anyThere(href, uid, token)) return;
        deleted_.insert(token);
        runShell(phone_ + "delete " + href);
    }
    int sync() {
        return runCliCaptured({"--now", "2026-12-06 10:00", "sync", doc_, "--url", server_.url(),
                               "--user", "alice"})
            .code;
    }
    // A sync killed before it saved anything, or after the document but before the state.
    void killedSync() {
        const std::string bytes = fileBytes(doc_);
        const std::string state = folder_ + "/state";
        const std::string kept = folder_ + "/state-kept";
        std::filesystem::remove_all(kept);
        if (std::filesystem::exists(state))
            std::filesystem::copy(state, kept, std::filesystem::copy_options::recursive);
        (void)sync();
        std::filesystem::remove_all(state);
        if (std::filesystem::exists(kept)) std::filesystem::rename(kept, state);
        if (pick(2) == 0) writeBytes(doc_, bytes);
    }

    std::mt19937 rng_;
    std::string folder_, doc_, phone_;
    RadicaleServer server_;
    std::vector<std::string> made_;
    std::set<std::string> deleted_;
};

using SyncModelRadicaleTest = CliFixture;

TEST_F(SyncModelRadicaleTest, RandomHistoriesEndInStepWithASecondClient) {
    setenv("XDG_STATE_HOME", dir.file("state").c_str(), 1);
    setenv("QUILLMATE_PASSWORD", "x", 1);
    for (unsigned seed = 1; seed <= kSequences; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        const std::string folder = dir.file("run" + std::to_string(seed));
        std::filesystem::create_directories(folder);
        setenv("XDG_STATE_HOME", (folder + "/state").c_str(), 1);
        const std::string each = folder + "/home.pgr";
        ASSERT_EQ(runCliCaptured({"new", each}).code, 0);
        RadicaleHistory history(seed, folder, each);
        history.run();
        history.check();
        if (HasFailure()) {
            ADD_FAILURE() << "replay with seed " << seed << "; steps " << history.steps;
            break;
        }
    }
    unsetenv("QUILLMATE_PASSWORD");
    unsetenv("XDG_STATE_HOME");
}

}  // namespace
