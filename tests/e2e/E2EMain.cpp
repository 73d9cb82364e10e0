// The end-to-end driver: runs every case, or those whose names contain the
// first argument, and ends with the count.
#include <cstring>

#include "tests/e2e/Rig.h"

int main(int argc, char** argv) {
    const char* only = argc > 1 ? argv[1] : nullptr;
    for (const E2ECase& c : E2ECases()) {
        if (only && !std::strstr(c.name, only)) continue;
        BeginCase(c.name);
        c.run();
    }
    PrintTotals();
    return E2EFailures() == 0 ? 0 : 1;
}
