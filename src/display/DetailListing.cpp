#include "DetailListing.h"

#include <algorithm>
#include <array>

namespace {

void appendPadded(std::string& out, std::string_view text, std::size_t width) {
    out += text;
    if (text.size() < width) out.append(width - text.size(), ' ');
}

// As printf's "%14s": right-aligned, never cut.
void appendRightAligned(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    out += text;
}

std::size_t labelLength(std::string_view line) {
    const std::size_t colon = line.find(':');
    return colon == std::string_view::npos ? 0 : colon + 1;
}

void appendValueLines(std::string& out, const DetailContent& content) {
    const std::array<const std::string*, 6> lines = {&content.L1, &content.L2, &content.L3,
                                                     &content.R1, &content.R2, &content.R4};
    std::size_t width = 0;
    for (const std::string* line : lines)
        if (!line->empty()) width = std::max(width, labelLength(*line));
    for (const std::string* line : lines) {
        if (line->empty()) continue;
        const std::size_t label = labelLength(*line);
        appendPadded(out, std::string_view(*line).substr(0, label), width);
        out.append(*line, label);
        out += '\n';
    }
}

std::string headerLine(bool rowDisplay, std::size_t n) {
    std::string header;
    appendPadded(header, rowDisplay ? "Column Names" : "Row Names", n + 2);
    appendPadded(header, "Coefficients", n + 18 - header.size());
    appendPadded(header, rowDisplay ? "Activity" : "Pi Values", n + 34 - header.size());
    header += "Calculated Values";
    return header;
}

std::string underlineOf(std::size_t length, std::size_t n) {
    std::string underline(length, '-');
    for (const std::size_t blank : {n, n + 1, n + 16, n + 17, n + 32, n + 33})
        if (blank < length) underline[blank] = ' ';
    return underline;
}

void appendTable(std::string& out, bool rowDisplay, const DetailContent& content) {
    std::size_t n =
        std::max(std::string_view("Column Names").size(), std::string_view("Row Names").size());
    n = std::max(n, content.longestEntryName().size());
    const std::string header = headerLine(rowDisplay, n);
    out += header;
    out += '\n';
    out += underlineOf(header.size(), n);
    out += '\n';
    for (std::size_t i = 0; i < content.entryCount(); ++i) {
        appendPadded(out, content.entryName(i), n);
        appendRightAligned(out, content.cellText(i, 1), 14);
        out += "    ";
        appendRightAligned(out, content.cellText(i, 2), 14);
        out += "     ";
        appendRightAligned(out, content.cellText(i, 3), 14);
        out += '\n';
    }
}

}  // namespace

std::string DetailListingBody(bool rowDisplay, std::string_view name,
                              const DetailContent& content) {
    std::string out = rowDisplay ? "Row: " : "Column: ";
    out += name;
    out += "\n\n";
    appendValueLines(out, content);
    for (const std::string& note : content.notes) {
        out += note;
        out += '\n';
    }
    out += '\n';
    appendTable(out, rowDisplay, content);
    if (!content.warning.empty()) {
        out += '\n';
        out += content.warning;
    }
    return out;
}

std::string DetailListingText(std::string_view documentPath, bool rowDisplay, std::string_view name,
                              const DetailContent& content) {
    std::string out(documentPath);
    out += "\n\n";
    out += DetailListingBody(rowDisplay, name, content);
    return out;
}
