#include "MpsParseState.h"

#include "MpsNumber.h"

namespace orbxmps {

void MpsParseState::failLayout(std::string_view sectionName) const {
    std::string what = fields.tooMany ? "too many fields" : "text outside the fixed MPS fields";
    what += " in ";
    what.append(sectionName);
    what += " section";
    fail(what);
}

double MpsParseState::number(std::string_view text) const {
    double value;
    if (!parseMpsNumber(text, value)) fail(mpsNumberProblem(text));
    return value;
}

double MpsParseState::modelValue(std::string_view text) const {
    const double value = number(text);
    if (!fitsModelFloat(value)) fail(kValueBeyondFloat);
    return value;
}

std::string MpsParseState::quoted(std::string_view kind, std::string_view name) {
    std::string text(kind);
    text += " '";
    text.append(name.substr(0, 80));
    text += '\'';
    return text;
}

}  // namespace orbxmps
