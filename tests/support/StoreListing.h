#pragma once

#include <charconv>
#include <sstream>
#include <string>

#include "MatrixStore.h"

namespace orbxmps::testsupport {

// A store as text, a line per row, column, term, set, cone, indicator, solution figure and
// warning, numbers in their shortest exact form, paths cut to the file name: read models are
// compared with expected listings under tests/data/orbxmps, and stores with each other.
inline std::string listing(const MatrixStore& s) {
    const auto num = [](double value) {  // the shortest text that reads back as value
        char text[32];
        return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
    };
    std::ostringstream out;
    const auto column = [&s](std::uint32_t c) { return std::string(s.columnNames.name(c)); };
    out << "name '" << s.problemName << "' max " << s.maximise << " objective " << s.objectiveRow
        << '\n';
    for (std::size_t r = 0; r < s.rowCount(); ++r)
        out << "row " << s.rowNames.name(r) << " type " << s.rowType[r] << " rhs " << num(s.rhs[r])
            << " range " << num(s.range[r]) << '\n';
    for (std::size_t c = 0; c < s.columnCount(); ++c) {
        out << "column " << column(c) << " [" << num(s.lower[c]) << ", " << num(s.upper[c])
            << "] flags " << +s.columnFlags[c] << ':';
        for (std::uint32_t e = s.columnStart[c]; e < s.columnStart[c + 1]; ++e)
            out << ' ' << s.rowNames.name(s.elementRow[e]) << '=' << num(s.elementValue[e]);
        out << '\n';
    }
    for (const NonlinearTerm& t : s.nonlinear.terms)
        out << "term row " << t.row << ' ' << num(t.coefficient) << '*' << column(t.first) << '*'
            << (t.second == NonlinearTermStore::kNoVariable ? "-" : column(t.second)) << '\n';
    const MatrixExtensions& x = s.extensions;
    for (std::size_t i = 0; i < x.sets.size(); ++i) {
        out << "set " << x.sets[i].name << " type " << +x.sets[i].type << " priority "
            << x.sets[i].hasPriority << ' ' << num(x.sets[i].priority) << ':';
        for (std::size_t m = x.sets[i].firstMember; m < x.setMemberEnd(i); ++m)
            out << ' ' << column(x.setMemberColumn[m]) << '=' << num(x.setMemberWeight[m]);
        out << '\n';
    }
    for (std::size_t i = 0; i < x.cones.size(); ++i) {
        out << "cone " << x.cones[i].name << ' ' << x.cones[i].type << " parameter "
            << x.cones[i].hasParameter << ' ' << num(x.cones[i].parameter) << ':';
        for (std::size_t m = x.cones[i].firstMember; m < x.coneMemberEnd(i); ++m)
            out << ' ' << column(x.coneMemberColumn[m]);
        out << '\n';
    }
    for (const Indicator& i : x.indicators)
        out << "indicator " << s.rowNames.name(i.row) << ' ' << column(i.column) << '=' << +i.value
            << '\n';
    if (s.hasSolution) {
        out << "solution from column values " << s.solutionFromColumnValues << '\n';
        for (std::size_t c = 0; c < s.columnActivity.size(); ++c)
            out << "column " << column(c) << " activity " << num(s.columnActivity[c]) << " cost "
                << num(s.reducedCost[c]) << " status " << +s.columnStatus[c] << '\n';
        for (std::size_t r = 0; r < s.rowActivity.size(); ++r)
            out << "row " << s.rowNames.name(r) << " activity " << num(s.rowActivity[r]) << " dual "
                << num(s.dualValue[r]) << '\n';
        for (const double value : s.nonlinear.value) out << "term value " << num(value) << '\n';
    }
    for (const std::string& w : s.warnings.texts())
        out << "warning " << w.substr(w.rfind('/', w.find(':')) + 1) << '\n';
    return out.str();
}

}  // namespace orbxmps::testsupport
