#include "organizer/ContactActions.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/FakeLauncher.h"
#include "workspace/WorkspaceFakes.h"

namespace {

TEST(ContactTexts, WebPageGetsHttpOnlyWithoutASchemeAndMailAndPhoneLinksCarryTheirTextAsDataOnly) {
    const std::tuple<const char*, const char*> cases[] = {
        {"example.org", "http://example.org"},
        {"example.org:8080", "http://example.org:8080"},  // a port, not a scheme
        {"http://example.org", "http://example.org"},
        {"https://example.org/a?b=c", "https://example.org/a?b=c"},
        {"ftp://files.example.org", "ftp://files.example.org"},
        // Nothing but a web address reaches the desktop as it is.
        {"file:///home/x/run.desktop", "http://file:///home/x/run.desktop"},
        {"mailto:x@example.org", "http://mailto:x@example.org"},
        {"1http://x", "http://1http://x"},
    };
    for (const auto& [stored, opened] : cases)
        EXPECT_EQ(webPageUrl(stored), opened) << stored;

    const std::pair<std::vector<std::string>, const char*> mails[] = {
        {{}, "mailto:"},
        {{"a@x.org", "b@y.org"}, "mailto:a@x.org;b@y.org"},
        // An imported address must not add an attachment, a copy or another address.
        {{"a@example.org?attach=/home/u/.ssh/id_rsa&cc=b@example.net"},
         "mailto:a@example.org%3Fattach%3D%2Fhome%2Fu%2F.ssh%2Fid_rsa%26cc%3Db@example.net"},
        {{"x,y@a.org", "c;d@b.org#f", "J\xC3\xB6rg 100%@c.org"},
         "mailto:x%2Cy@a.org;c%3Bd@b.org%23f;J%C3%B6rg%20100%25@c.org"},
        {{"o'neil+tag!$*()~_-.:@x.org"}, "mailto:o'neil+tag!$*()~_-.:@x.org"},
    };
    for (const auto& [addresses, url] : mails)
        EXPECT_EQ(mailUrl(addresses), url);
    // Nor may a number add parameters, a fragment or a query to its call.
    EXPECT_EQ(telUrl("+1 555-0100;ext=9#x?y,1*2%"), "tel:+1%20555-0100%3Bext%3D9%23x%3Fy%2C1*2%25");
}

class ContactActionsTest : public testing::Test {
protected:
    void expectOneMessage(const std::string& text, const std::string& caption) {
        ASSERT_EQ(prompts_.messages.size(), 1u);
        const auto& m = prompts_.messages[0];
        EXPECT_EQ(std::tie(m.text, m.caption, m.icon, m.buttons),
                  std::tuple(text, caption, MessageIcon::Error, MessageButtons::Ok));
    }

    FakeLauncher launcher_;
    ScriptedPrompts prompts_;
    ContactActions actions_{launcher_, prompts_};
};

TEST_F(ContactActionsTest, ANumberWithDigitsIsDialledMailAndWebPagesOpenedAndARefusedNumberSaysSo) {
    actions_.dial("+44 (20) 555-1234");
    actions_.dial("");  // an empty field offers no action at all
    EXPECT_EQ(launcher_.dialled, std::vector<std::string>{"tel:+44%20(20)%20555-1234"});
    EXPECT_TRUE(prompts_.messages.empty());
    actions_.dial("call me");
    EXPECT_EQ(launcher_.dialled.size(), 1u);
    EXPECT_EQ(prompts_.messages.at(0).caption, "Calling Error");

    prompts_.messages.clear();
    launcher_.outcome = DialOutcome::InvalidNumber;
    actions_.dial("555");
    expectOneMessage(
        "The number you have tried to dial is not valid. Please correct it and try again.",
        "Calling Error");

    prompts_.messages.clear();
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
}

TEST_F(ContactActionsTest, WithoutAProgramTheMessageSaysWhichAndOffersACopy) {
    launcher_.opens = false;
    launcher_.outcome = DialOutcome::NoDialer;
    // The action, the answer given, the message's caption and text, what is copied ("": none).
    const std::tuple<std::function<void()>, MessageAnswer, const char*, const char*, const char*>
        cases[] = {
            {[&] { actions_.dial("555-1234"); }, MessageAnswer::Yes, "Calling Error",
             "There is no phone dialer active on your computer. Ifyou have not done so, please "
             "install the phone dialer applet from Windows Setup\n\n"
             "No program on this computer places telephone calls: none is set to open tel: links."
             "\n\nCopy the number 555-1234 to the clipboard?",
             "555-1234"},
            {[&] { actions_.openWebPage("example.org"); }, MessageAnswer::No, "Web Browser Error",
             "Error opening web browser\n\nNo web browser could be started: none is set to open "
             "web pages.\n\nCopy the address http://example.org to the clipboard?",
             ""},
        };
    for (const auto& [act, answer, caption, message, copied] : cases) {
        prompts_.messages.clear();
        launcher_.copied.clear();
        prompts_.answers = {answer};
        act();
        ASSERT_EQ(prompts_.messages.size(), 1u) << message;
        const auto& m = prompts_.messages[0];
        EXPECT_EQ(std::tie(m.text, m.caption, m.buttons),
                  std::tuple(message, caption, MessageButtons::YesNo));
        EXPECT_EQ(launcher_.copied,
                  *copied ? std::vector<std::string>{copied} : std::vector<std::string>{});
    }
    // Nothing to copy: a plain message.
    prompts_.messages.clear();
    actions_.mailGroup({});
    expectOneMessage(
        "Error opening E-mail client\n\nNo e-mail program could be started: none is set to open "
        "mailto: links.",
        "E-Mail Error");
}

}  // namespace
