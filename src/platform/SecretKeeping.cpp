#include "platform/SecretKeeping.h"

#include <string.h>

#ifdef __linux__
#include <sys/prctl.h>
#endif

NoCoreDumps::NoCoreDumps() {
#ifdef __linux__
    before_ = prctl(PR_GET_DUMPABLE);
    (void)prctl(PR_SET_DUMPABLE, 0);
#endif
}

NoCoreDumps::~NoCoreDumps() {
#ifdef __linux__
    if (before_ >= 0) (void)prctl(PR_SET_DUMPABLE, before_);
#endif
}

bool NoCoreDumps::dumpable() {
#ifdef __linux__
    return prctl(PR_GET_DUMPABLE) == 1;
#else
    return true;
#endif
}

void wipeSecret(std::string& secret) {
    // explicit_bzero, unlike a plain memset, is not left out for memory about to be freed.
    explicit_bzero(secret.data(), secret.capacity());
    secret.clear();
}
