#pragma once

namespace persist {

// How writing one of the launcher's files ended. Either way but the first,
// the file is as it was.
enum class WriteOutcome {
    Written,
    // A text holds a character the file's encoding cannot.
    TextNotHeld,
    NotWritten,
};

} // namespace persist
