#pragma once

// Reading one line of a replay script: blank-separated words, then possibly
// the rest of the line taken literally.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "platform/datetime.h"

namespace dx {

// A script error: the runner stops and names the line.
struct ScriptError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ScriptLine {
public:
    explicit ScriptLine(std::string text);

    // Blank lines and comment lines hold no command.
    bool empty() const;
    // The next blank-separated word; a ScriptError naming `what` when the
    // line has no more.
    std::string word(const char* what);
    std::optional<std::string> nextWord();
    // The rest of the line after exactly one blank, literally, with the
    // two-character sequence \n standing for a line feed.
    std::string text();
    // Fails when words are left over.
    void end();

private:
    std::string text_;
    size_t pos_ = 0;
};

// Whole decimal numbers within [lo, hi]; a ScriptError otherwise.
int64_t parseInteger(const std::string& word, int64_t lo, int64_t hi, const char* what);
// "YYYY-MM-DD HH:MM:SS", a real date and time.
DateTime parseTimestamp(const std::string& date, const std::string& time);

}  // namespace dx
