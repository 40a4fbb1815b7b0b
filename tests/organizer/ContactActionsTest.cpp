#include "organizer/ContactActions.h"

#include <gtest/gtest.h>

#include "shell/ShellFakes.h"

namespace {

// Records what it was handed and answers as told.
class FakeLauncher : public ContactLauncher {
public:
    DialOutcome dial(const std::string& number) override {
        dialled.push_back(number);
        return outcome;
    }
    bool open(const std::string& url) override {
        opened.push_back(url);
        return opens;
    }

    DialOutcome outcome = DialOutcome::Placed;
    bool opens = true;
    std::vector<std::string> dialled;
    std::vector<std::string> opened;
};

TEST(ContactTexts, WebPageGetsHttpOnlyWithoutAScheme) {
    struct Case {
        const char* stored;
        const char* opened;
    };
    const Case cases[] = {
        {"example.org", "http://example.org"},
        {"www.example.org/a:b", "http://www.example.org/a:b"},
        {"example.org:8080", "http://example.org:8080"},  // a port, not a scheme
        {"localhost:8080/x", "http://localhost:8080/x"},
        {"http://example.org", "http://example.org"},
        {"https://example.org/a?b=c", "https://example.org/a?b=c"},
        {"HTTPS://x", "HTTPS://x"},
        {"ftp://files.example.org", "ftp://files.example.org"},
        // Nothing but a web address reaches the desktop as it is.
        {"file:///home/x/run.desktop", "http://file:///home/x/run.desktop"},
        {"smb://server/share", "http://smb://server/share"},
        {"mailto:x@example.org", "http://mailto:x@example.org"},
        {"1http://x", "http://1http://x"},
        {":x", "http://:x"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(webPageUrl(c.stored), c.opened) << c.stored;
}

TEST(ContactTexts, GroupMailJoinsAddressesWithoutTrailingSeparator) {
    EXPECT_EQ(mailUrl({}), "mailto:");
    EXPECT_EQ(mailUrl({"a@x.org"}), "mailto:a@x.org");
    EXPECT_EQ(mailUrl({"a@x.org", "b@y.org"}), "mailto:a@x.org;b@y.org");
}

class ContactActionsTest : public testing::Test {
protected:
    void expectOneMessage(const std::string& text, const std::string& caption) {
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_EQ(prompts_.messages[0].text, text);
        EXPECT_EQ(prompts_.messages[0].caption, caption);
        EXPECT_EQ(prompts_.messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(prompts_.messages[0].buttons, MessageButtons::Ok);
    }

    FakeLauncher launcher_;
    ScriptedPrompts prompts_;
    ContactActions actions_{launcher_, prompts_};
};

TEST_F(ContactActionsTest, DialOutcomesBecomeTheirMessages) {
    struct Case {
        DialOutcome outcome;
        const char* message;  // "" for none
    };
    const Case cases[] = {
        {DialOutcome::Placed, ""},
        {DialOutcome::InvalidNumber,
         "The number you have tried to dial is not valid. Please correct it and try again."},
        {DialOutcome::QueueFull, "Your calling queue is full. Please try again later"},
        {DialOutcome::NoDialer,
         "There is no phone dialer active on your computer. Ifyou have not done so, please "
         "install the phone dialer applet from Windows Setup"},
        {DialOutcome::Failed, "Unknown error. The call could not be placed."},
    };
    for (const Case& c : cases) {
        FakeLauncher launcher;
        launcher.outcome = c.outcome;
        ScriptedPrompts prompts;
        ContactActions(launcher, prompts).dial("+44 (20) 555-1234");
        EXPECT_EQ(launcher.dialled, std::vector<std::string>{"+44 (20) 555-1234"});
        if (*c.message == '\0') {
            EXPECT_TRUE(prompts.messages.empty());
        } else {
            ASSERT_EQ(prompts.messages.size(), 1u) << c.message;
            EXPECT_EQ(prompts.messages[0].text, c.message);
            EXPECT_EQ(prompts.messages[0].caption, "Calling Error");
            EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Error);
        }
    }
}

TEST_F(ContactActionsTest, TextWithoutDigitsIsNeverHandedToTheDialer) {
    actions_.dial("call me");
    EXPECT_TRUE(launcher_.dialled.empty());
    expectOneMessage(
        "The number you have tried to dial is not valid. Please correct it and try again.",
        "Calling Error");

    actions_.dial("");  // an empty field offers no action at all
    EXPECT_TRUE(launcher_.dialled.empty());
    EXPECT_EQ(prompts_.messages.size(), 1u);
}

TEST_F(ContactActionsTest, MailAndWebPageOpenTheirTextsAndReportRefusal) {
    actions_.mail("ann@example.org");
    actions_.mailGroup({});
    actions_.mailGroup({"a@x.org", "b@y.org"});
    actions_.openWebPage("example.org");
    actions_.mail("");
    actions_.openWebPage("");
    EXPECT_EQ(launcher_.opened, (std::vector<std::string>{"mailto:ann@example.org",
                                                          "mailto:", "mailto:a@x.org;b@y.org",
                                                          "http://example.org"}));
    EXPECT_TRUE(prompts_.messages.empty());

    launcher_.opens = false;
    actions_.mail("ann@example.org");
    expectOneMessage("Error opening E-mail client", "E-Mail Error");
    prompts_.messages.clear();
    actions_.mailGroup({"a@x.org"});
    expectOneMessage("Error opening E-mail client", "E-Mail Error");
    prompts_.messages.clear();
    actions_.openWebPage("https://example.org");
    expectOneMessage("Error opening web browser", "Web Browser Error");
    EXPECT_EQ(launcher_.opened.back(), "https://example.org");
}

}  // namespace
