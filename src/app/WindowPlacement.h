#pragma once

#include <optional>
#include <string>

// The main window's placement as the profile keeps it ("Frame", "WindowPos"): ten integers in
// the order flags, show command, minimised x, y, maximised x, y, normal left, top, right,
// bottom (right and bottom exclusive).
struct WindowPlacement {
    static constexpr int kRestoreToMaximized = 2;  // flag: a minimised window was maximised
    static constexpr int kShowNormal = 1;
    static constexpr int kShowMinimized = 2;
    static constexpr int kShowMaximized = 3;

    int flags = 0;
    int showCommand = kShowNormal;
    int minX = -1, minY = -1;
    int maxX = -1, maxY = -1;
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The stored text read with the C locale. Decision: a text longer than 67 characters or one
// that does not hold exactly ten integers is ignored as a whole (nullopt), as an absent one is.
std::optional<WindowPlacement> parseWindowPlacement(const std::string& text);

// Ten comma-separated integers, C locale.
std::string formatWindowPlacement(const WindowPlacement& placement);

// The show command to restore with: the stored one, a stored minimised state turned into
// maximised (flag kRestoreToMaximized) or normal; a requested command other than normal wins.
int restoreShowCommand(const WindowPlacement& stored, int requested);
