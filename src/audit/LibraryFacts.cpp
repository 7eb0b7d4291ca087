#include "LibraryFacts.h"

bool objectiveMaximised(const orbxmps::ORBObject* object) {
    return object != nullptr && object->store().maximise;
}

std::vector<bool> nonlinearRowsOf(orbxmps::ORBObject* object, std::size_t rowCount) {
    std::vector<bool> rows;
    if (object == nullptr) return rows;
    const orbxmps::ORBNonlinearTerms& terms = *object->getNonlinearTerms();
    rows.resize(rowCount);
    for (std::size_t i = 0; i < rowCount; ++i)
        rows[i] = static_cast<bool>(terms.firstTermOfRow(static_cast<int>(i)));
    return rows;
}
