#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace korvanta {

// The popup topics of the help: blocks that start with a line ".topic N" and run to the
// next one, keyed by N. Text before the first topic, blocks without a number and repeated
// numbers (the first one counts) are ignored; line ends are kept, blank edges trimmed.
std::map<int, std::string> ParsePopupTopics(std::string_view text);

// The help's table of contents: lines "file.html|Title" in reading order. Lines without a
// bar, with an empty part, or naming a file outside the help folder are skipped.
std::vector<std::pair<std::string, std::string>> ParseHelpContents(std::string_view text);

}  // namespace korvanta
