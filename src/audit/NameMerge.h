#pragma once

#include <cstddef>
#include <cstring>

// Walks two arrays sorted in byte order of their names side by side, calling both(i, j) for
// names in both, onlyFirst(i) and onlySecond(j) for the others. Duplicate names pair up in order.
template <typename NameA, typename NameB, typename Both, typename OnlyFirst, typename OnlySecond>
void mergeByName(std::size_t sizeA, NameA nameA, std::size_t sizeB, NameB nameB, Both both,
                 OnlyFirst onlyFirst, OnlySecond onlySecond) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < sizeA && j < sizeB) {
        const int order = std::strcmp(nameA(i), nameB(j));
        if (order == 0) {
            both(i++, j++);
        } else if (order < 0) {
            onlyFirst(i++);
        } else {
            onlySecond(j++);
        }
    }
    for (; i < sizeA; ++i) onlyFirst(i);
    for (; j < sizeB; ++j) onlySecond(j);
}
