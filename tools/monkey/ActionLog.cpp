#include "tools/monkey/ActionLog.h"

#include <atomic>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace korvanta::monkey {

namespace {

constexpr std::size_t kLineSize = 256;

int g_logFile = -1;
char g_seedLine[64] = "seed unknown\n";
char g_lines[ActionLog::kKept][kLineSize];
std::atomic<long> g_count{0};

void WriteAll(int fd, const char* text, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, text, size);
        if (written <= 0)
            return;
        text += written;
        size -= static_cast<std::size_t>(written);
    }
}

}  // namespace

bool ActionLog::Open(const std::string& path)
{
    g_logFile = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    return g_logFile >= 0;
}

void ActionLog::SetSeed(std::uint64_t seed)
{
    std::snprintf(g_seedLine, sizeof g_seedLine, "korvanta-monkey: seed %llu\n",
                  static_cast<unsigned long long>(seed));
    Say(g_seedLine);
}

void ActionLog::Note(const std::string& line)
{
    const long number = ++g_count;
    char* slot = g_lines[number % kKept];
    // Control characters of hostile text would garble the terminal.
    int used = std::snprintf(slot, kLineSize, "#%ld ", number);
    const int room = static_cast<int>(kLineSize) - 5;
    for (std::size_t i = 0; i < line.size() && used < room; ++i) {
        const char c = line[i];
        slot[used++] = (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
        if (used == room && i + 1 < line.size()) {
            std::memcpy(slot + used, "...", 3);
            used += 3;
        }
    }
    slot[used++] = '\n';
    slot[used] = '\0';
    Say(slot);
}

long ActionLog::Count()
{
    return g_count;
}

void ActionLog::Say(const char* text)
{
    const std::size_t size = std::strlen(text);
    WriteAll(STDERR_FILENO, text, size);
    if (g_logFile >= 0)
        WriteAll(g_logFile, text, size);
}

void ActionLog::Dump()
{
    Say("---- the last actions ----\n");
    const long last = g_count;
    for (long number = last - kKept + 1; number <= last; ++number)
        if (number > 0)
            Say(g_lines[number % kKept]);
    Say("---- ");
    Say(g_seedLine + std::strlen("korvanta-monkey: "));
}

}  // namespace korvanta::monkey
