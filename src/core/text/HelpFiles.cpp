#include "core/text/HelpFiles.h"

#include "core/text/NumberText.h"

#include <algorithm>
#include <cctype>

namespace korvanta {

namespace {

std::string_view Trim(std::string_view text)
{
    const auto blank = [](unsigned char c) { return std::isspace(c) != 0; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// Calls `line` for every line, without its line end.
template <class Line>
void ForEachLine(std::string_view text, Line line)
{
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        std::string_view current = text.substr(0, end);
        if (!current.empty() && current.back() == '\r')
            current.remove_suffix(1);
        line(current);
        text.remove_prefix(std::min(end + 1, text.size()));
    }
}

}  // namespace

std::map<int, std::string> ParsePopupTopics(std::string_view text)
{
    std::map<int, std::string> topics;
    std::string* current = nullptr;
    std::string discarded;
    ForEachLine(text, [&](std::string_view line) {
        constexpr std::string_view kTopic = ".topic";
        if (line.substr(0, kTopic.size()) == kTopic) {
            const std::string_view number = Trim(line.substr(kTopic.size()));
            const bool digits = !number.empty() && std::all_of(number.begin(), number.end(),
                                                               [](unsigned char c) { return std::isdigit(c); });
            current = &discarded;
            if (digits && number.size() < 10) {
                const auto [it, added] = topics.emplace(AtoI(number), std::string());
                if (added)
                    current = &it->second;
            }
            return;
        }
        if (current)
            current->append(line).push_back('\n');
    });
    for (auto it = topics.begin(); it != topics.end();) {
        it->second = std::string(Trim(it->second));
        it = it->second.empty() ? topics.erase(it) : std::next(it);
    }
    return topics;
}

std::vector<std::pair<std::string, std::string>> ParseHelpContents(std::string_view text)
{
    std::vector<std::pair<std::string, std::string>> pages;
    ForEachLine(text, [&](std::string_view line) {
        const std::size_t bar = line.find('|');
        if (bar == std::string_view::npos)
            return;
        const std::string_view file = Trim(line.substr(0, bar));
        const std::string_view title = Trim(line.substr(bar + 1));
        // Only plain names: a page never comes from outside the help folder.
        const bool plain = !file.empty() && file.find('/') == std::string_view::npos &&
                           file.find('\\') == std::string_view::npos && file.front() != '.';
        if (plain && !title.empty())
            pages.emplace_back(file, title);
    });
    return pages;
}

}  // namespace korvanta
