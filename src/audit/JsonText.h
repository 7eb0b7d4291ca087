#pragma once

#include <string>
#include <string_view>

#include "Finding.h"
#include "Tolerances.h"

// Appends JSON pieces to a string: strings escaped, numbers as numberText writes them, infinities
// (which JSON lacks) as the strings "inf" and "-inf".
void appendJsonString(std::string& out, std::string_view text);
void appendJsonNumber(std::string& out, double value);
// "key": with a leading comma unless first.
void appendJsonKey(std::string& out, std::string_view key, bool first = false);
// ,"tolerances":{"absolute":A,"relative":R}
void appendJsonTolerances(std::string& out, const Tolerances& tolerances);

// One kind of finding: {"kind":KIND,"count":N,"largest":[{"name":...,DETAILKEY:...,...}]}, each
// finding's remaining members appended by appendValues(out, finding); a comma first unless first.
template <typename AppendValues>
void appendJsonFindingKind(std::string& out, bool first, std::string_view kind,
                           const FindingRanking& findings, std::string_view detailKey,
                           AppendValues appendValues) {
    out += first ? "{" : ",{";
    appendJsonKey(out, "kind", true);
    appendJsonString(out, kind);
    appendJsonKey(out, "count");
    out += std::to_string(findings.count());
    appendJsonKey(out, "largest");
    out += "[";
    bool firstFinding = true;
    for (const Finding& finding : findings.ranked()) {
        out += firstFinding ? "{" : ",{";
        firstFinding = false;
        appendJsonKey(out, "name", true);
        appendJsonString(out, finding.name);
        if (!finding.detail.empty()) {
            appendJsonKey(out, detailKey);
            appendJsonString(out, finding.detail);
        }
        appendValues(out, finding);
        out += "}";
    }
    out += "]}";
}
