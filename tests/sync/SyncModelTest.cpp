#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "sync/SyncHarness.h"

// Random histories of edits on both sides, deletions, failing requests and syncs killed
// before their outcome was saved, each ended by two clean syncs: then nothing a side still
// holds is lost, nothing is there twice, and both sides hold the same. A failing history
// names its seed, which replays it.

namespace {

constexpr int kSequences = 500;
constexpr int kSteps = 20;

// Each person keeps an e-mail address, by which a sync that lost its state knows it again
// after either side changed its phone or notes.
std::string emailOf(const std::string& token) {
    return token + "@example.org";
}

// A card as the other client writes it: nothing of ours kept.
std::string phoneCard(const std::string& token, const std::string& phone, const std::string& note) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + token + "\r\nN:" + token + ";;;;\r\nFN:" + token +
           "\r\nTEL;TYPE=WORK:" + phone + "\r\nEMAIL:" + emailOf(token) + "\r\n" +
           (note.empty() ? "" : "NOTE:" + note + "\r\n") + "END:VCARD\r\n";
}

class History {
public:
    explicit History(unsigned seed) : rng_(seed) {}

    // Runs the steps; a sync's failure is allowed, a broken invariant is not.
    void run() {
        for (int step = 0; step < kSteps; ++step) {
            const size_t what = pick(9);
            steps_ += std::to_string(what) + " ";
            switch (what) {
                case 0:
                    addHere();
                    break;
                case 1:
                    editHere();
                    break;
                case 2:
                    deleteHere();
                    break;
                case 3:
                    addThere();
                    break;
                case 4:
                    editThere();
                    break;
                case 5:
                    deleteThere();
                    break;
                case 6:
                    (void)syncWithFault();
                    break;
                case 7:
                    killedSync();
                    break;
                default:
                    (void)h_.sync();
                    break;
            }
        }
        h_.server.fault = nullptr;
        ASSERT_TRUE(h_.sync()) << h_.sync().message();
        ASSERT_TRUE(h_.sync());
    }

    // The invariants after the history.
    void check() {
        std::map<std::string, std::vector<std::string>> here, there;  // by last name
        for (const auto& [id, person] : h_.document.persons()) {
            const SyncRecord record(person, groupNamesOf(person, h_.document));
            EXPECT_TRUE(here.emplace(person.LName(), fieldTexts(record)).second)
                << "twice here: " << person.LName();
        }
        for (const auto& [href, item] : h_.server.items) {
            const ParsedItem parsed = h_.cards.parse(item.body);
            ASSERT_EQ(parsed.records.size(), 1u) << href << "\n" << item.body;
            const Person& person = parsed.records[0].record.person();
            EXPECT_TRUE(there.emplace(person.LName(), fieldTexts(parsed.records[0].record)).second)
                << "twice there: " << person.LName();
        }
        EXPECT_EQ(here, there);
        if (testing::Test::HasFailure()) {
            std::string both = "here:";
            for (const auto& [id, person] : h_.document.persons())
                both += " " + std::to_string(id) + "=" + std::string(person.LName());
            both += "\nthere:";
            for (const auto& [href, item] : h_.server.items)
                both += " " + href;
            ADD_FAILURE() << both;
        }
        for (const std::string& token : made_) {
            if (deleted_.contains(token)) continue;
            EXPECT_TRUE(here.contains(token) && there.contains(token)) << "lost: " << token;
        }
    }

private:
    size_t pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }
    std::string phone() { return "555-" + std::to_string(1000 + pick(9000)); }
    std::string token() {
        made_.push_back("N" + std::to_string(made_.size()));
        return made_.back();
    }

    void addHere() {
        Person person;
        person.setLName(token());
        person.setWkPhone(phone());
        person.setEMail(emailOf(std::string(person.LName())));
        h_.document.add(person);
    }
    const Person* anyHere() {
        if (h_.document.persons().size() == 0) return nullptr;
        auto it = h_.document.persons().begin();
        std::advance(it, pick(h_.document.persons().size()));
        return &it->second;
    }
    void editHere() {
        const Person* found = anyHere();
        if (found == nullptr) return;
        Person person = *found;
        if (pick(2) == 0)
            person.setWkPhone(phone());
        else
            person.setNotes("here " + std::to_string(pick(100)));
        h_.document.replace(person);
    }
    void deleteHere() {
        if (const Person* person = anyHere()) {
            deleted_.insert(std::string(person->LName()));
            h_.document.remove<Person>(person->ID);
        }
    }
    const std::string* anyThere() {
        if (h_.server.items.empty()) return nullptr;
        auto it = h_.server.items.begin();
        std::advance(it, pick(h_.server.items.size()));
        return &it->first;
    }
    void addThere() {
        const std::string name = token();
        h_.store(name + ".vcf", phoneCard(name, phone(), ""));
    }
    void editThere() {
        const std::string* href = anyThere();
        if (href == nullptr) return;
        const ParsedItem parsed = h_.cards.parse(h_.server.items[*href].body);
        if (parsed.records.size() != 1) return;
        const std::string last(parsed.records[0].record.person().LName());
        const std::string work(parsed.records[0].record.person().WkPhone());
        // Most clients keep the item's UID; some write their own.
        std::string card = phoneCard(last, pick(2) ? phone() : work,
                                     pick(2) ? "" : "there " + std::to_string(pick(100)));
        if (pick(4) != 0 && !parsed.uid.empty())
            card.replace(card.find("UID:") + 4, last.size(), parsed.uid);
        h_.server.store(*href, card);
    }
    void deleteThere() {
        const std::string* href = anyThere();
        if (href == nullptr) return;
        const ParsedItem parsed = h_.cards.parse(h_.server.items[*href].body);
        if (parsed.records.size() == 1)
            deleted_.insert(std::string(parsed.records[0].record.person().LName()));
        h_.server.remove(*href);
    }

    // A sync whose n-th request fails: a 412 with the item changed meanwhile, a 5xx, or a
    // connection cut after the server did what was asked.
    Status syncWithFault() {
        const int at = static_cast<int>(pick(8));
        const size_t kind = pick(3);
        int seen = 0;
        h_.server.fault = [&, at, kind](const HttpRequest& r) -> std::optional<HttpResponse> {
            if (seen++ != at) return std::nullopt;
            if (kind == 0 && (r.method == "PUT" || r.method == "DELETE")) {
                editThere();
                return HttpResponse{412, {}, {}, {}};
            }
            if (kind == 1) return HttpResponse{503, {}, {}, {}};
            auto fault = std::move(h_.server.fault);
            h_.server.fault = nullptr;
            (void)h_.server.send(r);
            h_.server.fault = std::move(fault);
            return HttpResponse{0, {}, {}, "the connection was cut"};
        };
        const Status status = h_.sync();
        h_.server.fault = nullptr;
        return status;
    }

    // A sync whose outcome was never saved: neither document nor state, or the document
    // but not the state.
    void killedSync() {
        const PimContents records = h_.document.contents();
        const CollectionState state = h_.state;
        const bool documentSaved = pick(2) == 0;
        (void)(pick(2) ? syncWithFault() : h_.sync());
        h_.state = state;
        if (!documentSaved) h_.document.adoptContents(PimContents(records));
    }

public:
    std::string steps_;  // the steps taken, for a failing history's message

private:
    std::mt19937 rng_;
    SyncHarness h_;
    std::vector<std::string> made_;
    std::set<std::string> deleted_;
};

TEST(SyncModelTest, RandomHistoriesLoseNothingDuplicateNothingAndEndInStep) {
    // QUILLMATE_SYNC_SEED replays one history.
    const char* replay = std::getenv("QUILLMATE_SYNC_SEED");
    const unsigned first = replay ? unsigned(std::atoi(replay)) : 1;
    const unsigned last = replay ? first : kSequences;
    for (unsigned seed = first; seed <= last; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        History history(seed);
        history.run();
        history.check();
        if (testing::Test::HasFailure()) {
            ADD_FAILURE() << "replay with seed " << seed << "; steps " << history.steps_;
            return;
        }
    }
}

}  // namespace
