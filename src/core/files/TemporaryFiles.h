#pragma once

#include <filesystem>

namespace korvanta {

// The temporary files of saves in progress, kept where a signal handler can reach them, so
// an interrupted program need not leave half-written files behind.
void RegisterTemporaryFile(const std::filesystem::path& path);
void ForgetTemporaryFile(const std::filesystem::path& path);

// Removes every registered file. Async-signal-safe: only atomics and unlink().
void RemoveTemporaryFilesNow() noexcept;

// Creates a new, private temporary file of this process in `folder`, registered before it
// exists, so no signal finds it unregistered. Its name is hidden and short, so any name the
// folder takes can be saved: ".korvanta.PID.XXXXXX". Returns the open descriptor (-1 with
// errno set on failure) and fills `path`.
int CreateTemporaryFile(const std::filesystem::path& folder, std::filesystem::path& path);

// Removes temporary files of ours in `folder` left by processes that no longer run (killed
// while saving), once they have not been touched for a minute. Files of live processes are
// kept, whatever machine shares the folder, as long as they are being written.
void SweepStaleTemporaryFiles(const std::filesystem::path& folder);

}  // namespace korvanta
