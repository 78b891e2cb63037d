#pragma once

namespace platform {

// Sets up the process for the program; main() calls it before anything else. A write past the
// file-size limit then fails with its error (a save reports it) instead of ending the program.
void PrepareProcess();

}  // namespace platform
