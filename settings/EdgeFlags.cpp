#include "settings/EdgeFlags.h"

#include <initializer_list>

bool EdgeOn(const std::string& flags, int i) {
    return i >= 0 && static_cast<size_t>(i) < flags.size() && flags[i] == '1';
}

std::string FormatEdgeFlags(int32_t top, int32_t bottom, int32_t left, int32_t right) {
    std::string flags;
    for (int32_t field : {top, bottom, left, right}) flags += field == 1 ? '1' : '0';
    return flags;
}

std::string RecalledEdgeFlags(const std::string& flags) {
    return flags.size() == Edge::Count ? flags : std::string(Edge::Count, '0');
}
