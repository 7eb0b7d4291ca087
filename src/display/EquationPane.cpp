#include "EquationPane.h"

#include <locale.h>

#include <algorithm>
#include <limits>

#include "FreshPages.h"
#include "NumberFormat.h"

namespace {

// The library renders with printf, which follows the process locale; the pane always shows
// "." as the decimal point, so the calling thread uses the "C" locale for the call.
class ClassicLocaleScope {
public:
    ClassicLocaleScope()
        : m_classic(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))),
          m_previous(m_classic != nullptr ? uselocale(m_classic) : nullptr) {}
    ~ClassicLocaleScope() {
        if (m_classic == nullptr) return;
        uselocale(m_previous);
        freelocale(m_classic);
    }
    ClassicLocaleScope(const ClassicLocaleScope&) = delete;
    ClassicLocaleScope& operator=(const ClassicLocaleScope&) = delete;

private:
    locale_t m_classic;
    locale_t m_previous;
};

constexpr std::size_t kRenderCharacters = 1023;
// " +" and "%f" of a value below 1000, " * ", a name of eight: memory beyond what the text
// takes is not touched, so an overestimate costs nothing.
constexpr std::size_t kTypicalTermCharacters = 32;

bool termNames(const orbxmps::ORBNLTerm& term, std::string_view name) {
    for (orbxmps::ORBNLVariable v = term.firstVariable(); v; v = term.nextVariable(v))
        if (v.name() == name) return true;
    return false;
}

void addNonlinearPart(const orbxmps::ORBNonlinearTerms& nonlinear, const orbxmps::ORBRow& row,
                      std::string_view highlightName, EquationText& equation) {
    char buffer[kRenderCharacters + 1];
    const ClassicLocaleScope classic;
    for (orbxmps::ORBNLTerm term = nonlinear.firstTermOfRow(row.index()); term;
         term = nonlinear.nextTermOfRow(term)) {
        const int length = term.render("%f", buffer, sizeof buffer);
        const std::string_view rendered(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
        const std::size_t begin = equation.text.size();
        equation.text += !rendered.empty() && rendered.front() == '-' ? " " : " +";
        equation.text += rendered;
        if (termNames(term, highlightName))
            equation.marked.push_back({begin, equation.text.size()});
    }
}

void addRelationPart(const orbxmps::ORBRow& row, EquationText& equation) {
    switch (row.typeCode()) {
        case orbxmps::kRowEqual:
            equation.text += " = ";
            break;
        case orbxmps::kRowLessEqual:
            equation.text += " <= ";
            break;
        case orbxmps::kRowGreaterEqual:
            equation.text += " >= ";
            break;
        default:
            return;
    }
    equation.text += formatPlainFixed(row.rhs());
}

}  // namespace

std::optional<EquationText> buildEquation(orbxmps::ORBObject* library,
                                          orbxmps::ORBNonlinearTerms* nonlinear,
                                          std::string_view rowName,
                                          std::string_view highlightName) {
    std::optional<EquationMaker> maker =
        EquationMaker::start(library, nonlinear, rowName, highlightName);
    if (!maker) return std::nullopt;
    return maker->makeRest();
}

std::optional<EquationMaker> EquationMaker::start(orbxmps::ORBObject* library,
                                                  orbxmps::ORBNonlinearTerms* nonlinear,
                                                  std::string_view rowName,
                                                  std::string_view highlightName,
                                                  const RowElementsHint* hint) {
    if (library == nullptr || nonlinear == nullptr) return std::nullopt;
    const orbxmps::ORBRow row = library->getRowManager()->findRow(rowName);
    if (!row) return std::nullopt;
    const orbxmps::ORBElementManager& elements = *library->getElementManager();
    std::optional<orbxmps::ORBRowElements> among;
    if (hint != nullptr)
        among = elements.elementsOfRowAmong(row.index(), hint->elementRows, hint->spans,
                                            hint->expected);
    return EquationMaker(*nonlinear, row,
                         among ? std::move(*among) : elements.elementsOfRow(row.index()),
                         highlightName);
}

EquationMaker::EquationMaker(orbxmps::ORBNonlinearTerms& nonlinear, orbxmps::ORBRow row,
                             orbxmps::ORBRowElements elements, std::string_view highlightName)
    : m_nonlinear(&nonlinear),
      m_row(row),
      m_elements(std::move(elements)),
      m_highlightName(highlightName) {}

std::size_t EquationMaker::expectedLength() const {
    return m_whole ? 0 : (m_elements.expectedRemaining() + 1) * kTypicalTermCharacters;
}

EquationText EquationMaker::makeRest() {
    EquationText rest;
    makeNext(std::numeric_limits<std::size_t>::max(), rest);
    return rest;
}

bool EquationMaker::makeNext(std::size_t terms, EquationText& piece) {
    if (m_whole) return true;
    // Reserved at once: a row of millions of terms is not copied at every doubling.
    piece.text.reserve(piece.text.size() + std::min(terms, m_elements.expectedRemaining() + 1) *
                                               kTypicalTermCharacters);
    orbxmps::adviseLargePagesInside(piece.text.data(), piece.text.capacity());
    m_elements.visitNext(terms, [&](const orbxmps::ORBElement& element) {
        const double value = element.value();
        if (value == 0.0) return;
        const std::size_t begin = piece.text.size();
        piece.text += value < 0 || m_firstTerm ? " " : " +";
        m_firstTerm = false;
        piece.text += formatPlainFixed(value);
        piece.text += " * ";
        const std::string_view column = element.column().name();
        piece.text += column;
        if (column == m_highlightName) piece.marked.push_back({begin, piece.text.size()});
    });
    if (!m_elements.done()) return false;
    addNonlinearPart(*m_nonlinear, m_row, m_highlightName, piece);
    addRelationPart(m_row, piece);
    m_whole = true;
    return true;
}
