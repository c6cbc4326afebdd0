#pragma once

namespace kespak {

// The exit codes of kespak.
enum ExitCode : int {
    Success = 0,
    // Nothing or not everything could be done: not an archive, unreadable input, a write failed.
    Failure = 1,
    Usage = 2,
    // The archive was read or packed, but some entries or files were refused or could not be written.
    EntriesRefused = 3,
};

} // namespace kespak
