#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CNorvaRow.h"
#include "EntrySort.h"
#include "NumberFormat.h"
#include "RowEntries.h"

// What the detail view shows besides its name list: the entry list's headers and entries,
// the value lines and the warning line. The builders change it in place because some cases
// leave lines as they were. The entries' cells are written on demand (cellText), because the
// densest rows hold millions of entries and a view shows a screenful; row display's entries
// are themselves made on demand (rowEntries), column display's are held whole (entries).
// Readers go through entryCount, entry and entryName, which ask whichever holds them.
struct DetailContent {
    std::array<std::string, 5> headers;
    std::vector<CNorvaRow> entries;  // when not empty, these are the entries
    RowEntries rowEntries;           // else these
    bool rowDisplay = true;          // which display wrote the entries
    NumberFormatOptions format;      // how their numbers are written
    std::string L1, L2, L3;
    std::string R1, R2, R3, R4;
    std::string warning;
    std::vector<std::string> notes;  // what the matrix says beyond the value lines
    // Lent to every sort of the entries: a view rebuilds into one content again and again, and
    // the densest rows would otherwise allocate their sort buffers anew each time.
    EntrySortScratch sortScratch;

    std::size_t entryCount() const { return entries.empty() ? rowEntries.size() : entries.size(); }
    // The entry at position i of the list; i below entryCount().
    CNorvaRow entry(std::size_t i) const { return entries.empty() ? rowEntries[i] : entries[i]; }
    std::string_view entryName(std::size_t i) const {
        return entries.empty() ? rowEntries.name(i) : entries[i].name;
    }
    // The first position whose entry is named name.
    std::optional<std::size_t> findEntry(std::string_view name) const;
    std::string_view longestEntryName() const;

    // The text of column 0 to 4 of entry as the list shows it; entry below entryCount().
    std::string cellText(std::size_t entry, int column) const;
};

// The entry list's five column titles for row display or column display.
std::array<std::string, 5> detailHeaders(bool rowDisplay);
