#include "organizer/ui/AddressBookHelp.h"
#include "platform/Translate.h"

#include <QObject>

namespace AddressBookHelp {

namespace {

// OK on the person sheet waits for one of the three; saying so on each of them answers
// the question of a user staring at a grey button.
QString withOkRule(const QString& what) {
    return what + u' ' +
           _("OK is available once the first name, the last name or the company is "
             "filled in.");
}

}  // namespace

QString text(int helpNumber) {
    switch (helpNumber) {
        case kPersonFirstName:
            return withOkRule(_("The person's first name."));
        case kPersonLastName:
            return withOkRule(
                _("The person's last name. The phone book lists the person as "
                  "\"Last name, First name\"."));
        case kPersonCompany:
            return withOkRule(_("The company the person works for."));
        case kPosition:
            return _("The job title or position held at the company.");
        case kPersonGroups:
            return _(
                "The groups the person is filed in. Click a group to choose it or to "
                "take it back; any number can be chosen. Every person is also in the "
                "first group of the document, which is not listed.");
        case kHomePhone:
            return _("The phone number at home.");
        case kWorkPhone:
            return _("The phone number at work, without the extension.");
        case kExtension:
            return _("The extension of the work phone.");
        case kFax:
            return _("The fax number.");
        case kEMail:
            return _("The e-mail address, which the phone book can write to.");
        case kPager:
            return _("The pager number.");
        case kCellPhone:
            return _("The mobile phone number.");
        case kWebPage:
            return _("The address of a web page, which the phone book can open.");
        case kAddress1:
            return _("The first line of the street address.");
        case kAddress2:
            return _("A second line of the street address, if one is needed.");
        case kCity:
            return _("The city or town.");
        case kState:
            return _("The state, province or county.");
        case kZip:
            return _("The postal code.");
        case kNotes:
            return _(
                "Anything else worth keeping about the person, in as many "
                "lines as needed.");
        case kBirthday:
            return _(
                "The person's birthday: a month and a day, and the year when you know it. "
                "The day view, the calendar and the printed plans show it every year, with "
                "the age where the year is given.");
        case kAnniversary:
            return _(
                "The person's wedding anniversary, shown every year like the birthday, with "
                "the years it has come round where the year is given.");
        case kUserFirstName:
            return _(
                "Your first name. Your name and address are printed as the "
                "sender on envelopes.");
        case kUserLastName:
            return _("Your last name.");
        case kUserCompany:
            return _("Your company.");
        case kGroupList:
            return _(
                "The address-book groups. Double-click a group to rename it; "
                "the Delete key deletes it.");
        case kAddGroup:
            return _("Adds a group under a description no other group has.");
        case kDeleteGroup:
            return _(
                "Deletes the selected group. A group in which some person is "
                "filed is not deleted.");
        case kEditGroup:
            return _("Changes the description of the selected group.");
        case kCloseGroups:
            return _("Closes the window. The changes made are already kept.");
        case kGroupDescription:
            return _(
                "The name of the group as the phone book lists it. No two "
                "groups may have the same description.");
        default:
            return {};
    }
}

}  // namespace AddressBookHelp
