#pragma once

#include <QString>

class QWidget;

// The help numbers of the import/export wizard's controls.
namespace TransferHelp {

inline constexpr int kFileName = 1500;
inline constexpr int kBrowse = 1501;
inline constexpr int kFirstLine = 1502;
inline constexpr int kHeader = 1504;
inline constexpr int kSeparator = 1506;
inline constexpr int kEncloser = 1508;
inline constexpr int kFieldList = 1510;
inline constexpr int kAssignField = 1550;
inline constexpr int kImportThisField = 1551;

// Gives the widgets the What's This text of the number.
void attach(int helpNumber, std::initializer_list<QWidget*> widgets);

}  // namespace TransferHelp
