// The end-to-end driver: runs every case, or those whose names contain one
// of the arguments, in their order, and ends with the count.
#include <cstring>

#include "tests/e2e/Rig.h"

int main(int argc, char** argv) {
    CheckWindowsVersion();
    for (const E2ECase& c : E2ECases()) {
        bool chosen = argc < 2;
        for (int i = 1; i < argc && !chosen; ++i) chosen = std::strstr(c.name, argv[i]) != nullptr;
        if (!chosen) continue;
        BeginCase(c.name);
        c.run();
    }
    PrintTotals();
    return E2EFailures() == 0 ? 0 : 1;
}
