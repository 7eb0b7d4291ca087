#include "RowNameTable.h"

void RowNameTable::borrow(const char* characters, const orbxmps::NameOffset* offsets,
                          std::size_t count) {
    clear();
    m_names = {characters, offsets};
    m_size = count;
}

void RowNameTable::assign(const std::vector<std::string>& names) {
    clear();
    std::size_t bytes = 0;
    for (const std::string& name : names) bytes += name.size() + 1;
    m_own.reserve(names.size(), bytes);
    for (const std::string& name : names) m_own.add(name);
    m_names = {m_own.characters().data(), m_own.offsets().data()};
    m_size = names.size();
}

void RowNameTable::clear() {
    m_names = {};
    m_size = 0;
    m_own.clear();
}
