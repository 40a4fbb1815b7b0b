#include "exchange/LibicalTurn.h"

std::unique_lock<std::recursive_mutex> libicalTurn() {
    static std::recursive_mutex turn;
    return std::unique_lock<std::recursive_mutex>(turn);
}
