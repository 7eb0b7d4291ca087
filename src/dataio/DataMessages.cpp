#include "DataMessages.h"

#include <string_view>

namespace datamsg {

namespace {

struct MessageText {
    int id;
    const char* text;
};

// The texts stand as the program has always shown them, odd spacing and spelling included:
// callers and their users match on them.
constexpr MessageText kTexts[] = {
    {kError, "Error"},
    {kWarning, "Warning"},
    {kNoExtractColumns, "No Extract Columns Specified."},
    {kNoKeyValues, "No Key Values Specified."},
    {kUnknownSqlType, "Unknown SQL Data Type Encountered."},
    {kNoMatchForKey, "No Match for Source Key Value."},
    {kKeyCountMismatch, "The number of Key Fields does not match the number of Key Values."},
    {kKeysIncorrect, "Key Fields are incorrectly specified."},
    {kDbfDamagedHeader, "Invalid or damaged DBF file header encountered."},
    {kDbfUnsupportedVersion,
     "Unsupported DBF version encountered.  Only DBF versions 3 and 4 are allowed."},
    {kDbfUnknownType, "Unkown or unsupported data type for column  [%1]"},
    {kDbfShortRecord,
     "An error occurred while trying to read the next record.\n\nMake sure the file has not "
     "been corrupted."},
    {kColumnNameTooLong, "Column Name  [%1] is too long."},
    {kZeroLengthColumnName, "Zero length column name specified."},
    {kColumnTooWide, "Column %1 is too wide."},
    {kTooManyDecimals, "To many decimal places specified  in column %1."},
    {kUnableToOpenTable, "Unable to open table [%1]"},
    {kUnsupportedColumnSkipped, " Column [%1] with unsupported data type skipped."},
    {kErrorClosingTable, "An error occurred while trying to close table [%1]"},
    {kErrorRetrievingField,
     "An error occurred while trying to retrieve a field value in table %1."},
    {kErrorRetrievingRecord, "An error occurred while trying to retrieve a record in table %1."},
    {kKeyFieldNotFound, "[%1] KeyField not Found. "},
    {kExtractColumnNotFound, "Can Not Find Extract Column [%1]."},
    {kEmptyKeyRowSkipped, "Row %1 with all empty key values skipped."},
};

}  // namespace

const char* text(int id) {
    for (const MessageText& entry : kTexts)
        if (entry.id == id) return entry.text;
    return "";
}

std::string format(int id, const std::string& argument) {
    constexpr std::string_view kPlaceholder = "%1";
    const std::string_view source = text(id);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at = source.find(kPlaceholder); at != std::string_view::npos;
         at = source.find(kPlaceholder, from)) {
        result.append(source.substr(from, at - from));
        result.append(argument);
        from = at + kPlaceholder.size();
    }
    result.append(source.substr(from));
    return result;
}

}  // namespace datamsg
