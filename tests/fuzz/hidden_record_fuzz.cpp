// Feeds arbitrary bytes, up to the size a start reads, to the hidden-state record's reader. No window it reads has
// window or process 0, nor in a record that names its boot creation time 0; what it reads must write out and read
// back to the same state and stamp; a start obeys what it read.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "trigger/HiddenStateText.h"

namespace {

bool SameStamp(const std::optional<RecordStamp>& a, const RecordStamp& b) {
    return a && a->bootSeconds == b.bootSeconds && a->written == b.written;
}

bool SameState(const HiddenState& a, const HiddenState& b) {
    return a.windows == b.windows && a.sound == b.sound && a.target == b.target;
}

HiddenState WithoutSound(HiddenState state) {
    state.sound = SavedSound();
    return state;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > kMaxHiddenRecordBytes) return 0;  // the file reader refuses it unread
    const HiddenRecord first = ParseHiddenRecord(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const HiddenWindow& w : first.state.windows)
        if (w.window == 0 || w.process == 0 || (first.stamp && w.processCreated == 0)) std::abort();

    // A record of the version before is written with a stamp, which then asks every window for its creation time.
    const RecordStamp stamp = first.stamp.value_or(RecordStamp{13441137494u, size});
    HiddenState expected = first.state;
    if (!first.stamp)
        expected.windows.erase(std::remove_if(expected.windows.begin(), expected.windows.end(),
                                              [](const HiddenWindow& w) { return w.processCreated == 0; }),
                               expected.windows.end());

    const HiddenRecord second = ParseHiddenRecord(FormatHiddenRecord(first.state, stamp));
    if (!SameStamp(second.stamp, stamp) || !SameState(second.state, expected)) std::abort();

    // A start in the boot that wrote the record obeys all of it, the sound only where the boot is named; one that
    // cannot tell its boot never the sound of a record that names one. A record that names its boot outranks one
    // of the version before, and of two stamped alike the later found counts.
    const bool sameBoot = stamp.bootSeconds != 0;
    if (!SameState(StateToObey({first}, stamp), first.stamp && !sameBoot ? WithoutSound(first.state) : first.state) ||
        !SameState(StateToObey({first, second}, stamp), sameBoot ? second.state : WithoutSound(second.state)) ||
        !SameState(StateToObey({second}, RecordStamp{}), WithoutSound(second.state)))
        std::abort();
    return 0;
}
