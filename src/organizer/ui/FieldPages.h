#pragma once

#include <QObject>
#include <QString>

#include <string>
#include <vector>

#include "organizer/ui/AddressBookHelp.h"
#include "platform/Translate.h"

class QDialog;
class QPushButton;
class QTabWidget;
class QWidget;

// The pages of the address-book sheets: labelled one-line fields bound to the text of a
// record the dialog owns.

// One line of a page: the label with its mnemonic, the text it edits and its help number.
struct PageField {
    QString label;
    std::string* value;
    int helpNumber;
};

// A page of labelled fields, each label the buddy of its field. A field writes what is
// typed into its value at once, and leaves the value alone until something is typed, so
// that fields nobody touched keep their bytes. `below`, if given, comes under the fields.
[[nodiscard]] QWidget* makeFieldPage(const std::vector<PageField>& fields,
                                     QWidget* below = nullptr);

// First name, last name, company and position of a person or of the user.
template <class Record>
[[nodiscard]] std::vector<PageField> nameFields(Record& record, int firstHelp, int lastHelp,
                                                int companyHelp) {
    return {{_("&First Name:"), &record.FName, firstHelp},
            {_("&Last Name:"), &record.LName, lastHelp},
            {_("&Company:"), &record.Company, companyHelp},
            {_("&Position:"), &record.Position, AddressBookHelp::kPosition}};
}

// The "Address" page's fields of a person or of the user.
template <class Record>
[[nodiscard]] std::vector<PageField> addressFields(Record& record) {
    using namespace AddressBookHelp;
    return {{_("&Address:"), &record.Addr1, kAddress1},
            {_("A&ddress:"), &record.Addr2, kAddress2},
            {_("&City:"), &record.City, kCity},
            {_("&State:"), &record.State, kState},
            {_("&Zip:"), &record.Zip, kZip}};
}

// Lays out the sheet: the pages over "OK" (the default button) and "Cancel". Returns OK.
QPushButton* layOutSheet(QDialog* dialog, QTabWidget* pages);
