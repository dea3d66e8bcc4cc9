#include "core/files/TemporaryFiles.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>

namespace korvanta {

namespace {

constexpr const char* kPrefix = ".korvanta.";
constexpr std::size_t kRandomPart = 6;  // mkstemp's XXXXXX

enum SlotState : int { kFree, kBusy, kReady };

struct Slot {
    std::atomic<int> state{kFree};
    char path[4096] = {};
};

std::array<Slot, 64> g_slots;

}  // namespace

void RegisterTemporaryFile(const std::filesystem::path& path)
{
    const std::string& text = path.native();
    if (text.size() >= sizeof Slot::path)
        return;
    for (Slot& slot : g_slots) {
        int expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kBusy))
            continue;
        std::memcpy(slot.path, text.c_str(), text.size() + 1);
        slot.state.store(kReady);
        return;
    }
}

void ForgetTemporaryFile(const std::filesystem::path& path)
{
    for (Slot& slot : g_slots) {
        int expected = kReady;
        if (!slot.state.compare_exchange_strong(expected, kBusy))
            continue;
        const bool match = path.native() == slot.path;
        slot.state.store(match ? kFree : kReady);
        if (match)
            return;
    }
}

void RemoveTemporaryFilesNow() noexcept
{
    for (Slot& slot : g_slots)
        if (slot.state.load() == kReady)
            unlink(slot.path);
}

int CreateTemporaryFile(const std::filesystem::path& folder, std::filesystem::path& path)
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, sizeof kLetters - 2);
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::string name = kPrefix + std::to_string(getpid()) + ".";
        for (std::size_t i = 0; i < kRandomPart; ++i)
            name += kLetters[letter(random)];
        path = folder.empty() ? std::filesystem::path(name) : folder / name;
        RegisterTemporaryFile(path);
        const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0)
            return fd;
        const int error = errno;
        ForgetTemporaryFile(path);
        errno = error;
        if (error != EEXIST)
            return -1;
    }
    return -1;
}

void SweepStaleTemporaryFiles(const std::filesystem::path& folder)
{
    using namespace std::chrono_literals;
    std::error_code error;
    const std::filesystem::path where = folder.empty() ? "." : folder;
    for (const auto& entry : std::filesystem::directory_iterator(where, error)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(kPrefix))
            continue;
        // ".korvanta." PID "." six characters
        const char* first = name.data() + std::strlen(kPrefix);
        const char* last = name.data() + name.size();
        pid_t pid = 0;
        const auto [end, failed] = std::from_chars(first, last, pid);
        if (failed != std::errc() || pid <= 0 || pid == getpid() || last - end != 1 + kRandomPart ||
            *end != '.')
            continue;
        if (kill(pid, 0) == 0 || errno != ESRCH)
            continue;
        std::error_code ignored;
        if (!entry.is_regular_file(ignored) || ignored)
            continue;
        const auto touched = std::filesystem::last_write_time(entry.path(), ignored);
        if (!ignored && std::filesystem::file_time_type::clock::now() - touched > 1min)
            std::filesystem::remove(entry.path(), ignored);
    }
}

}  // namespace korvanta
