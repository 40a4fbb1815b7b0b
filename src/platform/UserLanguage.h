#pragma once

#include <string>

// Takes the user's language and regional settings from the environment and finds the
// program's translations: beside the executable (../share/locale, so that a build tree
// speaks the user's language too), else under `installedLocaleDir`. Numbers stay in the C
// form ("1.5"), as every file the program reads and writes holds them.
void useUserLanguage(const std::string& installedLocaleDir);

// Puts back what useUserLanguage() set on top of the environment's locale, after a Qt
// application object has set it from the environment alone (keeping Qt's own choice of a
// UTF-8 character type); nothing where useUserLanguage() was never called (a test).
void useUserLanguageAgain();
