#pragma once

#include <string>
#include <string_view>
#include <vector>

// Comma-separated text as spreadsheets export it: fields separated by ",", records by line
// ends ("\n" or "\r\n"); a field that begins with a double quote runs to the matching quote,
// may hold commas and line ends, and writes a quote as two. Blank lines hold no record.

struct CsvRecord {
    int line = 0;  // where the record begins, from 1
    std::vector<std::string> fields;
};

struct CsvProblem {
    int line = 0;  // 0 when the text was read
    std::string text;
};

// The records of text, in order. A quoted field left open, or text between a closing quote
// and the next separator, is a problem at its line; the records before it are kept.
CsvProblem parseCsv(std::string_view text, std::vector<CsvRecord>& records);
