#include "MpsParseState.h"

namespace orbxmps {

void MpsParseState::failLayout(std::string_view sectionName) const {
    std::string what = fields.tooMany ? "too many fields" : "text outside the fixed MPS fields";
    what += " in ";
    what.append(sectionName);
    what += " section";
    fail(what);
}

std::string MpsParseState::quoted(std::string_view kind, std::string_view name) {
    std::string text(kind);
    text += " '";
    text.append(name.substr(0, 80));
    text += '\'';
    return text;
}

}  // namespace orbxmps
