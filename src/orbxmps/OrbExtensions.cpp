#include "OrbExtensions.h"

#include <cmath>
#include <cstring>

#include "OrbFormat.h"

namespace orbxmps::orb {

namespace {

class Writer {
public:
    template <typename T>
    void put(T value) {
        unsigned char bytes[sizeof(T)];
        storeLittle<T>(bytes, value);
        m_bytes.append(reinterpret_cast<const char*>(bytes), sizeof bytes);
    }
    void putText(const std::string& text) {
        put<std::uint32_t>(static_cast<std::uint32_t>(text.size()));
        m_bytes += text;
    }
    std::string take() { return std::move(m_bytes); }

private:
    std::string m_bytes;
};

// Reads forward; the first shortfall or bad value becomes the damage and stops the rest.
class Reader {
public:
    Reader(std::string_view bytes, std::uint64_t rows, std::uint64_t columns)
        : m_bytes(bytes), m_rows(rows), m_columns(columns) {}

    bool ok() const { return m_damage.empty(); }
    const std::string& damage() const { return m_damage; }
    bool atEnd() const { return m_at == m_bytes.size(); }

    template <typename T>
    T get(const char* what) {
        if (!ok()) return T{};
        if (m_bytes.size() - m_at < sizeof(T)) return fail(std::string(what) + " is cut short"), T{};
        const T value = loadLittle<T>(reinterpret_cast<const unsigned char*>(m_bytes.data() + m_at));
        m_at += sizeof(T);
        return value;
    }
    double number(const char* what) {
        const double value = get<double>(what);
        if (ok() && !std::isfinite(value)) fail(std::string(what) + " is not a finite number");
        return value;
    }
    std::uint32_t column(const char* what) { return below(m_columns, "column", what); }
    std::uint32_t row(const char* what) { return below(m_rows, "row", what); }
    // A count of items of at least itemSize bytes each, held against the bytes left.
    std::uint32_t count(std::size_t itemSize, const char* what) {
        const std::uint32_t n = get<std::uint32_t>(what);
        if (ok() && static_cast<std::uint64_t>(n) * itemSize > m_bytes.size() - m_at)
            fail(std::string(what) + " promises more than the section holds");
        return ok() ? n : 0;
    }
    std::string text(const char* what) {
        const std::uint32_t length = count(1, what);
        if (!ok()) return {};
        std::string value(m_bytes.substr(m_at, length));
        m_at += length;
        for (const char c : value)
            if ((static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F)
                return fail(std::string(what) + " holds a control character"), std::string();
        return value;
    }
    void fail(std::string what) {
        if (ok()) m_damage = "extensions: " + std::move(what);
    }

private:
    std::uint32_t below(std::uint64_t limit, const char* kind, const char* what) {
        const std::uint32_t value = get<std::uint32_t>(what);
        if (ok() && value >= limit)
            fail(std::string(what) + " names " + kind + " " + std::to_string(value + 1ull) +
                 " of " + std::to_string(limit));
        return value;
    }

    std::string_view m_bytes;
    std::size_t m_at = 0;
    std::uint64_t m_rows;
    std::uint64_t m_columns;
    std::string m_damage;
};

void readSets(Reader& in, MatrixExtensions& out) {
    const std::uint32_t sets = in.count(18, "set count");
    for (std::uint32_t s = 0; s < sets && in.ok(); ++s) {
        SpecialOrderedSet set;
        set.type = in.get<std::uint8_t>("set type");
        if (in.ok() && set.type != 1 && set.type != 2) in.fail("a set is neither S1 nor S2");
        set.hasPriority = in.get<std::uint8_t>("set priority flag") != 0;
        set.priority = in.number("set priority");
        set.name = in.text("set name");
        set.firstMember = static_cast<std::uint32_t>(out.setMemberColumn.size());
        const std::uint32_t members = in.count(12, "set member count");
        for (std::uint32_t m = 0; m < members && in.ok(); ++m) {
            out.setMemberColumn.push_back(in.column("set member"));
            out.setMemberWeight.push_back(in.number("set member weight"));
        }
        out.sets.push_back(std::move(set));
    }
}

void readCones(Reader& in, MatrixExtensions& out) {
    const std::uint32_t cones = in.count(21, "cone count");
    for (std::uint32_t c = 0; c < cones && in.ok(); ++c) {
        Cone cone;
        cone.name = in.text("cone name");
        cone.type = in.text("cone type");
        cone.hasParameter = in.get<std::uint8_t>("cone parameter flag") != 0;
        cone.parameter = in.number("cone parameter");
        cone.firstMember = static_cast<std::uint32_t>(out.coneMemberColumn.size());
        const std::uint32_t members = in.count(4, "cone member count");
        for (std::uint32_t m = 0; m < members && in.ok(); ++m)
            out.coneMemberColumn.push_back(in.column("cone member"));
        out.cones.push_back(std::move(cone));
    }
}

void readIndicators(Reader& in, MatrixExtensions& out) {
    const std::uint32_t indicators = in.count(9, "indicator count");
    for (std::uint32_t i = 0; i < indicators && in.ok(); ++i) {
        Indicator indicator;
        indicator.row = in.row("indicator row");
        indicator.column = in.column("indicator column");
        indicator.value = in.get<std::uint8_t>("indicator value");
        if (in.ok() && indicator.value > 1) in.fail("an indicator value is neither 0 nor 1");
        out.indicators.push_back(indicator);
    }
}

}  // namespace

std::string encodeExtensions(const MatrixExtensions& extensions) {
    Writer out;
    out.put<std::uint32_t>(static_cast<std::uint32_t>(extensions.sets.size()));
    for (std::size_t s = 0; s < extensions.sets.size(); ++s) {
        const SpecialOrderedSet& set = extensions.sets[s];
        out.put<std::uint8_t>(set.type);
        out.put<std::uint8_t>(set.hasPriority ? 1 : 0);
        out.put<double>(set.priority);
        out.putText(set.name);
        out.put<std::uint32_t>(
            static_cast<std::uint32_t>(extensions.setMemberEnd(s) - set.firstMember));
        for (std::size_t m = set.firstMember; m < extensions.setMemberEnd(s); ++m) {
            out.put<std::uint32_t>(extensions.setMemberColumn[m]);
            out.put<double>(extensions.setMemberWeight[m]);
        }
    }
    out.put<std::uint32_t>(static_cast<std::uint32_t>(extensions.cones.size()));
    for (std::size_t c = 0; c < extensions.cones.size(); ++c) {
        const Cone& cone = extensions.cones[c];
        out.putText(cone.name);
        out.putText(cone.type);
        out.put<std::uint8_t>(cone.hasParameter ? 1 : 0);
        out.put<double>(cone.parameter);
        out.put<std::uint32_t>(
            static_cast<std::uint32_t>(extensions.coneMemberEnd(c) - cone.firstMember));
        for (std::size_t m = cone.firstMember; m < extensions.coneMemberEnd(c); ++m)
            out.put<std::uint32_t>(extensions.coneMemberColumn[m]);
    }
    out.put<std::uint32_t>(static_cast<std::uint32_t>(extensions.indicators.size()));
    for (const Indicator& indicator : extensions.indicators) {
        out.put<std::uint32_t>(indicator.row);
        out.put<std::uint32_t>(indicator.column);
        out.put<std::uint8_t>(indicator.value);
    }
    return out.take();
}

std::string decodeExtensions(std::string_view bytes, std::uint64_t rows, std::uint64_t columns,
                             MatrixExtensions& out) {
    out = MatrixExtensions();
    Reader in(bytes, rows, columns);
    readSets(in, out);
    readCones(in, out);
    readIndicators(in, out);
    if (in.ok() && !in.atEnd()) in.fail("bytes left after the indicators");
    if (!in.ok()) out = MatrixExtensions();
    return in.damage();
}

}  // namespace orbxmps::orb
