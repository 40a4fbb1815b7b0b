#pragma once

#include <QString>

// The help numbers of the address-book editors' controls; a label answers with the number
// of its field. They follow the appointment dialog's 1310 to 1313.
namespace AddressBookHelp {

// The person's "General" page; the user's has its own numbers, its OK being always there.
inline constexpr int kPersonFirstName = 1400;
inline constexpr int kPersonLastName = 1401;
inline constexpr int kPersonCompany = 1402;
inline constexpr int kPosition = 1403;
inline constexpr int kPersonGroups = 1404;
// The "Phone" page.
inline constexpr int kHomePhone = 1410;
inline constexpr int kWorkPhone = 1411;
inline constexpr int kExtension = 1412;
inline constexpr int kFax = 1413;
inline constexpr int kEMail = 1414;
inline constexpr int kPager = 1415;
inline constexpr int kCellPhone = 1416;
inline constexpr int kWebPage = 1417;
// The "Address" page of both editors.
inline constexpr int kAddress1 = 1420;
inline constexpr int kAddress2 = 1421;
inline constexpr int kCity = 1422;
inline constexpr int kState = 1423;
inline constexpr int kZip = 1424;
// The "Notes" page.
inline constexpr int kNotes = 1430;
// The "Dates" page.
inline constexpr int kBirthday = 1435;
inline constexpr int kAnniversary = 1436;
// The user's "General" page.
inline constexpr int kUserFirstName = 1440;
inline constexpr int kUserLastName = 1441;
inline constexpr int kUserCompany = 1442;
// The group list and the group details dialog.
inline constexpr int kGroupList = 1450;
inline constexpr int kAddGroup = 1451;
inline constexpr int kDeleteGroup = 1452;
inline constexpr int kEditGroup = 1453;
inline constexpr int kCloseGroups = 1454;
inline constexpr int kGroupDescription = 1455;

// The What's This text of a number; empty for a number that is not one of these.
[[nodiscard]] QString text(int helpNumber);

}  // namespace AddressBookHelp
