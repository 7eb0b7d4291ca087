#include "MpsNumber.h"
#include "MpsSections.h"

namespace orbxmps {

namespace {

std::uint32_t columnOf(MpsParseState& state, std::string_view name, std::string_view section) {
    const std::int64_t column = state.store.columnNames.find(name);
    if (column < 0)
        state.fail(MpsParseState::quoted("unknown column", name) + " in " + std::string(section) +
                   " section");
    return static_cast<std::uint32_t>(column);
}

}  // namespace

// QUADOBJ lists the upper triangle of Q in objective 0.5 x'Qx, so a diagonal entry is the
// term's 0.5*v and an off-diagonal one stands for both halves, v. QMATRIX lists the full
// matrix: every entry is 0.5*v. QCMATRIX gives a constraint's terms as they stand.
void processQuadraticSection(MpsParseState& state, MpsSection section) {
    const std::string_view name = section == MpsSection::kQuadObj   ? "QUADOBJ"
                                  : section == MpsSection::kQMatrix ? "QMATRIX"
                                                                    : "QCMATRIX";
    while (state.nextDataLine()) {
        state.split(false, name);
        const MpsFields& fields = state.fields;
        if (fields.count != 3)
            state.fail("expected column, column and value in " + std::string(name) + " section");
        const std::uint32_t first = columnOf(state, fields[0], name);
        const std::uint32_t second = columnOf(state, fields[1], name);
        double value;
        if (!parseMpsNumber(fields[2], value)) state.fail("value is not a number");
        double coefficient = value;
        if (section == MpsSection::kQMatrix || (section == MpsSection::kQuadObj && first == second))
            coefficient = 0.5 * value;
        state.store.nonlinear.add(state.quadraticRow, first, second, coefficient);
    }
}

}  // namespace orbxmps
