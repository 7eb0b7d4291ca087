#pragma once

#include <string>
#include <string_view>
#include <utility>

// Upper-cases the ASCII letters of text in place; other bytes stay as they are, whatever the
// process locale.
void upperCaseAscii(std::string& text);

// Whether pattern covers all of name, "*" standing for any run of characters (also none), "?"
// for exactly one, any other character for itself.
bool wildcardMatch(std::string_view pattern, std::string_view name);

// Find's match rule for one search text. With whole word the name must equal the text;
// otherwise the text matches as a wildcard pattern over the whole name, or occurs in it as a
// plain substring. With ignore case the name is compared upper-cased, and the text is expected
// upper-cased already (the search upper-cases the stored text in place). Reuses one buffer
// for the upper-cased names, so testing many names allocates nothing per name.
class NameMatcher {
public:
    NameMatcher(std::string text, bool wholeWord, bool ignoreCase)
        : m_text(std::move(text)), m_wholeWord(wholeWord), m_ignoreCase(ignoreCase) {}

    bool matches(std::string_view name);

private:
    std::string m_text;
    bool m_wholeWord;
    bool m_ignoreCase;
    std::string m_upperName;
};
