#pragma once

#include <string>

// Takes the user's language and regional settings from the environment and finds the
// program's translations: beside the executable (../share/locale, so that a build tree
// speaks the user's language too), else under `installedLocaleDir`. Numbers stay in the C
// form ("1.5"), as every file the program reads and writes holds them. Safe to call again
// after something (a Qt application object) has reset the locale.
void useUserLanguage(const std::string& installedLocaleDir);

// Sets the locale again as useUserLanguage() did, after a Qt application object has set it
// from the environment alone; nothing where useUserLanguage() was never called (a test).
void useUserLanguageAgain();

// The folder the translations were found in by the last useUserLanguage(), "" before.
[[nodiscard]] const std::string& translationsDir();
