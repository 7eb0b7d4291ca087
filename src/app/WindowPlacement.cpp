#include "WindowPlacement.h"

#include <charconv>

namespace {

constexpr std::size_t kMaxTextLength = 67;

}  // namespace

std::optional<WindowPlacement> parseWindowPlacement(const std::string& text) {
    if (text.empty() || text.size() > kMaxTextLength) return std::nullopt;
    int values[10];
    const char* at = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 10; ++i) {
        while (at < end && (*at == ' ' || *at == ',')) ++at;
        if (at < end && *at == '+') ++at;
        const auto [next, error] = std::from_chars(at, end, values[i]);
        if (error != std::errc() || (next < end && *next != ',' && *next != ' '))
            return std::nullopt;
        at = next;
    }
    while (at < end && (*at == ' ' || *at == ',')) ++at;
    if (at != end) return std::nullopt;
    return WindowPlacement{values[0], values[1], values[2], values[3], values[4],
                           values[5], values[6], values[7], values[8], values[9]};
}

std::string formatWindowPlacement(const WindowPlacement& p) {
    const int values[10] = {p.flags, p.showCommand, p.minX, p.minY,  p.maxX,
                            p.maxY,  p.left,        p.top,  p.right, p.bottom};
    std::string text;
    for (int i = 0; i < 10; ++i) {
        if (i > 0) text += ',';
        text += std::to_string(values[i]);
    }
    return text;
}

int restoreShowCommand(const WindowPlacement& stored, int requested) {
    if (requested != WindowPlacement::kShowNormal) return requested;
    if (stored.showCommand != WindowPlacement::kShowMinimized) return stored.showCommand;
    return (stored.flags & WindowPlacement::kRestoreToMaximized) != 0
               ? WindowPlacement::kShowMaximized
               : WindowPlacement::kShowNormal;
}
