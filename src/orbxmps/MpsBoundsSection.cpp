#include "MpsNumber.h"
#include "MpsSections.h"

namespace orbxmps {

namespace {

enum class BoundKind { kUp, kLo, kFx, kFr, kMi, kPl, kBv, kLi, kUi, kSc, kSi };
enum class ValueUse { kRequired, kNone, kOptional };

struct BoundType {
    std::string_view code;
    BoundKind kind;
    ValueUse value;
};

constexpr BoundType kBoundTypes[] = {
    {"UP", BoundKind::kUp, ValueUse::kRequired}, {"LO", BoundKind::kLo, ValueUse::kRequired},
    {"FX", BoundKind::kFx, ValueUse::kRequired}, {"FR", BoundKind::kFr, ValueUse::kNone},
    {"MI", BoundKind::kMi, ValueUse::kNone},     {"PL", BoundKind::kPl, ValueUse::kNone},
    {"BV", BoundKind::kBv, ValueUse::kNone},     {"LI", BoundKind::kLi, ValueUse::kRequired},
    {"UI", BoundKind::kUi, ValueUse::kRequired}, {"SC", BoundKind::kSc, ValueUse::kOptional},
    {"SI", BoundKind::kSi, ValueUse::kOptional},
};

// Where the set name, column and value sit on the line; -1 when absent.
struct BoundLayout {
    int set = -1;
    int column = -1;
    int value = -1;
};

// Free MPS has no set field position, so a missing set name is told by the field count; for
// SC, whose value is optional, "SC name x" is a column and value when x is a number.
bool layoutOf(const MpsParseState& state, const BoundType& type, BoundLayout& layout) {
    const MpsFields& fields = state.fields;
    const int count = fields.count;
    if (state.format == MpsFormat::kFixed) {
        layout = {1, 2, count >= 4 ? 3 : -1};
        return count >= 3;
    }
    switch (type.value) {
        case ValueUse::kRequired:
            if (count == 3) layout = {-1, 1, 2};
            if (count == 4) layout = {1, 2, 3};
            return count == 3 || count == 4;
        case ValueUse::kNone:
            if (count == 2) layout = {-1, 1, -1};
            if (count >= 3) layout = {1, 2, count == 4 ? 3 : -1};
            return count >= 2 && count <= 4;
        case ValueUse::kOptional:
            if (count == 2) layout = {-1, 1, -1};
            if (count == 4) layout = {1, 2, 3};
            if (count == 3) {
                double ignored;
                const bool valueLast = state.store.columnNames.find(fields[1]) >= 0 &&
                                       parseMpsNumber(fields[2], ignored);
                layout = valueLast ? BoundLayout{-1, 1, 2} : BoundLayout{1, 2, -1};
            }
            return count >= 2 && count <= 4;
    }
    return false;
}

void applyBound(const MpsParseState& state, std::uint32_t column, BoundKind kind,
                bool hasValue, double value) {
    MatrixStore& store = state.store;
    double& lower = store.lower[column];
    double& upper = store.upper[column];
    std::uint8_t& flags = store.columnFlags[column];
    switch (kind) {
        case BoundKind::kUp:
            upper = value;
            // A negative upper bound on a column still at lower bound 0 frees it below, as
            // the common solvers read it; said, since the file never wrote that lower bound.
            if (value < 0.0 && lower == 0.0) {
                lower = -kInfinity;
                state.warn("negative upper bound on a column with lower bound 0: lower bound "
                           "taken as minus infinity");
            }
            break;
        case BoundKind::kLo:
            lower = value;
            break;
        case BoundKind::kFx:
            lower = upper = value;
            break;
        case BoundKind::kFr:
            lower = -kInfinity;
            upper = kInfinity;
            break;
        case BoundKind::kMi:
            lower = -kInfinity;
            break;
        case BoundKind::kPl:
            upper = kInfinity;
            break;
        case BoundKind::kBv:
            lower = 0.0;
            upper = 1.0;
            flags |= kColumnInteger;
            break;
        case BoundKind::kLi:
            lower = value;
            flags |= kColumnInteger;
            break;
        case BoundKind::kUi:
            upper = value;
            flags |= kColumnInteger;
            break;
        case BoundKind::kSc:
            upper = hasValue ? value : kInfinity;
            flags |= kColumnSemiContinuous;
            break;
        case BoundKind::kSi:
            upper = hasValue ? value : kInfinity;
            flags |= kColumnSemiContinuous | kColumnInteger;
            break;
    }
}

const BoundType* boundTypeOf(std::string_view code) {
    for (const BoundType& type : kBoundTypes)
        if (type.code == code) return &type;
    return nullptr;
}

}  // namespace

void processBoundsSection(MpsParseState& state) {
    MatrixStore& store = state.store;
    while (state.nextDataLine()) {
        state.split(true, "BOUNDS");
        const MpsFields& fields = state.fields;
        const BoundType* type = boundTypeOf(fields[0]);
        if (type == nullptr) state.fail(MpsParseState::quoted("unknown bound type", fields[0]));
        BoundLayout layout;
        if (!layoutOf(state, *type, layout))
            state.fail("expected bound type, [set], column and value in BOUNDS section");
        if (!state.boundSet.accepts(layout.set >= 0 ? fields[layout.set] : std::string_view()))
            continue;
        const std::string_view name = fields[layout.column];
        const std::int64_t column =
            MpsParseState::findNext(store.columnNames, name, state.lastColumn);
        const bool hasValue = layout.value >= 0 && type->value != ValueUse::kNone;
        if (type->value == ValueUse::kRequired && !hasValue)
            state.fail("bound type " + std::string(type->code) + " needs a value");
        const double value = hasValue ? clampBound(state.number(fields[layout.value])) : 0.0;
        if (column < 0) {
            state.warn(MpsParseState::quoted("unknown column", name) +
                       " in BOUNDS section: bound skipped");
            continue;
        }
        applyBound(state, static_cast<std::uint32_t>(column), type->kind, hasValue, value);
    }
}

}  // namespace orbxmps
