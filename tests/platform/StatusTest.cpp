#include "platform/Status.h"

#include <gtest/gtest.h>

namespace {

TEST(Status, MessagesNameThePlaceTheyHave) {
    const std::pair<Status, std::string> cases[] = {
        {Status(), ""},
        {Status::failure(FailureKind::Usage, "", "no command given"), "no command given"},
        {Status::failure(FailureKind::Read, "a.pgr", "No such file"), "a.pgr: No such file"},
        {Status::failure(FailureKind::Content, "b.csv", "skipped", 12), "b.csv:12: skipped"},
        {Status::failure(FailureKind::Syntax, "c.pgr", "bad", 3, 7), "c.pgr:3:7: bad"},
        // A line without a file would point nowhere.
        {Status::failure(FailureKind::Syntax, "", "bad", 3, 7), "bad"},
    };
    for (const auto& [status, message] : cases)
        EXPECT_EQ(status.message(), message);

    const Status unplaced = Status::failure(FailureKind::Syntax, "", "bad", 3, 7);
    EXPECT_EQ(unplaced.inFile("d.pgr").message(), "d.pgr:3:7: bad");
    EXPECT_EQ(unplaced.inFile("d.pgr").inFile("e.pgr").file(), "d.pgr") << "a placed failure stays";
    EXPECT_TRUE(Status().inFile("d.pgr").ok());
    EXPECT_EQ(Status::failure(FailureKind::None, "", "x").kind(), FailureKind::Content)
        << "a failure never reads as success";
}

}  // namespace
