#pragma once

#include <mutex>

// libical keeps state of the whole process: the error states the parser is run under, the
// built-in time zones it loads on first use. Whoever calls it takes this turn first, so that
// a sync worker and an import or export in the window never change that state under each
// other. It may be taken again by the thread that holds it.
[[nodiscard]] std::unique_lock<std::recursive_mutex> libicalTurn();
