#pragma once

#include <QCoreApplication>
#include <memory>

#include "platform/UserLanguage.h"

// A Qt application object for a command that needs one (fonts, the network), or none where
// one exists already. Qt sets the locale from the environment as it makes one, so the user's
// language is set up again after it.
template <class Application>
std::unique_ptr<Application> makeQtApplication() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    static int argc = 1;
    static char name[] = "quillmate-cli";
    static char* argv[] = {name, nullptr};
    auto application = std::make_unique<Application>(argc, argv);
    useUserLanguageAgain();
    return application;
}
