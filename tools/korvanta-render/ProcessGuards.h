#pragma once

namespace korvanta {

// On SIGINT, SIGTERM or SIGHUP: remove the temporary files of saves in progress and exit
// with 128 + the signal's number. Signals the caller ignores (nohup) stay ignored.
void RemoveTemporaryFilesOnInterrupt();

// Standard output as GNU programs close it: output that never reached its file (a full
// disk, a closed pipe) is a failure. Returns the exit status to use.
int FinishStandardOutput(int status);

}  // namespace korvanta
