#pragma once

#include <QFont>
#include <QPixmap>

// The program's picture and the lettering of its name, shared by the splash window and
// the About box.
namespace ProgramPicture {

// The picture kept with the program's resources.
[[nodiscard]] QPixmap picture();
// The product name's font: 16-point italic in the desktop's UI family.
[[nodiscard]] QFont nameFont(const QFont& base);

}  // namespace ProgramPicture
