#include "NameStem.h"

namespace {

bool isAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

}  // namespace

std::string_view nameStem(std::string_view name) {
    std::size_t end = name.size();
    // Bytes of other scripts count as letters: they are part of a word, not a separator.
    while (end > 0 && !isAsciiLetter(name[end - 1]) &&
           static_cast<unsigned char>(name[end - 1]) < 0x80)
        --end;
    return end == 0 ? name : name.substr(0, end);
}
