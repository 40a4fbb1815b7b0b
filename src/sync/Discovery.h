#pragma once

#include <string>
#include <vector>

#include "sync/DavClient.h"

// An address book or calendar of the account.
struct DavCollection {
    std::string url;
    std::string name;  // its display name, else the last part of its path
    bool addressBook = false;
    bool events = false;    // a calendar that takes events
    bool todos = false;     // a calendar that takes to-dos
    bool readOnly = false;  // the user may not write its items (current-user-privilege-set)
};

// What discovery found of an account.
struct DavAccount {
    std::string addressBookHome;  // where new address books go; "" when unknown
    std::string calendarHome;
    std::vector<DavCollection> collections;
};

// Finds the account's collections from a server address, a principal or a collection:
// current-user-principal (asked of the address, then of the well-known addresses),
// addressbook-home-set and calendar-home-set, and the collections in those homes.
Status discoverAccount(DavClient& dav, const std::string& url, DavAccount& account);

// The collection `wanted` names among the account's: "" the first one (for a calendar, the
// first that takes both events and to-dos, if one does), a URL as it is, else a display name
// or path name. Makes one named "Quillmate" in the home when the account has none of the
// kind and none was named. `made` tells whether it was made.
Status chooseCollection(DavClient& dav, const DavAccount& account, bool addressBook,
                        const std::string& wanted, std::string& url, bool& made);
