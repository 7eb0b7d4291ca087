#include "JsonText.h"

#include <cmath>
#include <cstdio>

#include "NumberText.h"

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

void appendJsonNumber(std::string& out, double value) {
    if (std::isinf(value)) {
        appendJsonString(out, numberText(value));
        return;
    }
    out += numberText(value);
}

void appendJsonKey(std::string& out, std::string_view key, bool first) {
    if (!first) out += ',';
    appendJsonString(out, key);
    out += ':';
}

void appendJsonTolerances(std::string& out, const Tolerances& tolerances) {
    appendJsonKey(out, "tolerances");
    out += "{\"absolute\":";
    appendJsonNumber(out, tolerances.absolute);
    out += ",\"relative\":";
    appendJsonNumber(out, tolerances.relative);
    out += "}";
}
