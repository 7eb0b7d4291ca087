#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A connection string as ODBC and ADO write it: key=value pairs separated by ";". Keys are
// compared ignoring ASCII case; a value may be {braced} ("}}" inside stands for "}") or quoted
// with " or ' (a doubled quote stands for itself), and then may hold ";". Blanks around keys
// and bare values are dropped. A piece without "=" is kept as a key with an empty value.
class ConnectionString {
public:
    using Entry = std::pair<std::string, std::string>;

    static ConnectionString parse(std::string_view text);

    // The pairs joined by ";"; a value that would not read back as it is gets braces.
    std::string write() const;

    std::optional<std::string> find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key).has_value(); }
    // The value of the first of keys that is present.
    std::optional<std::string> findAny(std::initializer_list<std::string_view> keys) const;
    // Replaces the value of key in place, or appends the pair.
    void set(std::string_view key, std::string value);
    void erase(std::string_view key);

    const std::vector<Entry>& entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};
