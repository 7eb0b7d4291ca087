// The window-placement parser: whatever it accepts must format and read back the same.
#include <cstdio>
#include <cstdlib>

#include "FuzzInput.h"
#include "WindowPlacement.h"

namespace {

bool same(const WindowPlacement& a, const WindowPlacement& b) {
    return a.flags == b.flags && a.showCommand == b.showCommand && a.minX == b.minX &&
           a.minY == b.minY && a.maxX == b.maxX && a.maxY == b.maxY && a.left == b.left &&
           a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::optional<WindowPlacement> parsed = parseWindowPlacement(std::string(fuzzBytes(data, size)));
    if (!parsed) return 0;
    const std::string written = formatWindowPlacement(*parsed);
    const std::optional<WindowPlacement> again = parseWindowPlacement(written);
    if (!again || !same(*parsed, *again)) {
        std::fprintf(stderr, "formatted placement does not read back: %s\n", written.c_str());
        std::abort();
    }
    restoreShowCommand(*parsed, WindowPlacement::kShowNormal);
    return 0;
}
