#include "records/PimContents.h"

void PimContents::seedDefaultGroups() {
    for (const char* desc : {"All", "White Pages", "Yellow Pages"})
        phGroups.addNew(PhGroup{0, desc});
}
