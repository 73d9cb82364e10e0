// A library of the resource meter's name but other shares, put beside the
// program where it must never be loaded.
#define METER_SHARES 11, 22, 33
#include "tests/e2e/libraries/rsrc32.cpp"
