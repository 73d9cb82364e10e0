#pragma once
// The hidden-state record: an [Hidden] section that says which boot of the
// system wrote it and when, the sound to give back, the password's verifier
// they were hidden under (only that password brings them back), the window
// that was the target, and one Window= line per hidden window, front first, with its
// process and that process's creation time (FILETIME).
//
//   [Hidden]
//   Boot=13441137494
//   Written=134411374967730537
//   Sound=1,0,400000,{0.0.0.00000000}.{5b0f3c1e-...}
//   Verifier=pbkdf2-sha256$200000$5f1c...$9a0e...
//   Target=0x301a4
//   Window=0x301a4,1234,134411374968212540
//
// A record of the version before has no Boot= line and two numbers a
// window; it is still read, and its windows are matched by process id alone.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "trigger/Desktop.h"

// Which boot of the system wrote a record, and when.
struct RecordStamp {
    uint64_t bootSeconds = 0;  // the system's start, seconds since 1601 (UTC); 0 for an unreadable Boot= line
    uint64_t written = 0;      // FILETIME of the writing, to tell the newer of two records
};

struct HiddenRecord {
    HiddenState state;
    std::optional<RecordStamp> stamp;  // none: written by the version before
};

// Nothing larger is read: far more than any real record.
constexpr size_t kMaxHiddenRecordBytes = 64 * 1024;

std::string FormatHiddenRecord(const HiddenState& state, const RecordStamp& stamp);
// Reads numbers strictly (digits only, in range); a line it cannot read is
// left out, the others kept. In a record that names its boot, a window
// without its process's creation time is left out: nothing else proves it.
HiddenRecord ParseHiddenRecord(std::string_view text);

// The boot time as seen now and as recorded may differ by a clock step of
// the time service; a later boot lies further off than that.
bool SameBoot(const RecordStamp& recorded, const RecordStamp& now);

// What a start obeys of the records it found (beside the program, in the
// local application data folder): the newest one that names its boot, else
// one of the version before. Its windows prove themselves by their
// processes' creation times, which no setting of the clock moves; its sound
// is given back only within the boot that wrote it.
HiddenState StateToObey(const std::vector<HiddenRecord>& found, const RecordStamp& now);
