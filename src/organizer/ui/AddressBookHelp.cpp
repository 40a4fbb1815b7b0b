#include "organizer/ui/AddressBookHelp.h"

#include <QObject>

namespace AddressBookHelp {

namespace {

// OK on the person sheet waits for one of the three; saying so on each of them answers
// the question of a user staring at a grey button.
QString withOkRule(const QString& what) {
    return what + u' ' +
           QObject::tr(
               "OK is available once the first name, the last name or the company is "
               "filled in.");
}

}  // namespace

QString text(int helpNumber) {
    switch (helpNumber) {
        case kPersonFirstName:
            return withOkRule(QObject::tr("The person's first name."));
        case kPersonLastName:
            return withOkRule(
                QObject::tr("The person's last name. The phone book lists the person as "
                            "\"Last name, First name\"."));
        case kPersonCompany:
            return withOkRule(QObject::tr("The company the person works for."));
        case kPosition:
            return QObject::tr("The job title or position held at the company.");
        case kPersonGroups:
            return QObject::tr(
                "The groups the person is filed in. Click a group to choose it or to "
                "take it back; any number can be chosen. Every person is also in the "
                "first group of the document, which is not listed.");
        case kHomePhone:
            return QObject::tr("The phone number at home.");
        case kWorkPhone:
            return QObject::tr("The phone number at work, without the extension.");
        case kExtension:
            return QObject::tr("The extension of the work phone.");
        case kFax:
            return QObject::tr("The fax number.");
        case kEMail:
            return QObject::tr("The e-mail address, which the phone book can write to.");
        case kPager:
            return QObject::tr("The pager number.");
        case kCellPhone:
            return QObject::tr("The mobile phone number.");
        case kWebPage:
            return QObject::tr("The address of a web page, which the phone book can open.");
        case kAddress1:
            return QObject::tr("The first line of the street address.");
        case kAddress2:
            return QObject::tr("A second line of the street address, if one is needed.");
        case kCity:
            return QObject::tr("The city or town.");
        case kState:
            return QObject::tr("The state, province or county.");
        case kZip:
            return QObject::tr("The postal code.");
        case kNotes:
            return QObject::tr(
                "Anything else worth keeping about the person, in as many "
                "lines as needed.");
        case kUserFirstName:
            return QObject::tr(
                "Your first name. Your name and address are printed as the "
                "sender on envelopes.");
        case kUserLastName:
            return QObject::tr("Your last name.");
        case kUserCompany:
            return QObject::tr("Your company.");
        case kGroupList:
            return QObject::tr(
                "The address-book groups. Double-click a group to rename it; "
                "the Delete key deletes it.");
        case kAddGroup:
            return QObject::tr("Adds a group under a description no other group has.");
        case kDeleteGroup:
            return QObject::tr(
                "Deletes the selected group. A group in which some person is "
                "filed is not deleted.");
        case kEditGroup:
            return QObject::tr("Changes the description of the selected group.");
        case kCloseGroups:
            return QObject::tr("Closes the window. The changes made are already kept.");
        case kGroupDescription:
            return QObject::tr(
                "The name of the group as the phone book lists it. No two "
                "groups may have the same description.");
        default:
            return {};
    }
}

}  // namespace AddressBookHelp
