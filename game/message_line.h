// Message line: one line of news on this machine's screen (a player who
// joined or left, a refusal, a repair), shown for a few seconds at the bottom
// of the Setup, turn and map screens. This machine's alone: never part of the
// rules state.
#pragma once

#include <cstdint>
#include <string>

constexpr uint32_t kMessageShownMs = 5000;

struct MessageLine {
    std::string text;
    uint32_t since = 0;  // the clock when it was set
};

// Whether the line is still shown at `clock`.
inline bool isMessageShown(const MessageLine& line, uint32_t clock) {
    return !line.text.empty() && clock - line.since < kMessageShownMs;
}
