#include "RowNameTable.h"

#include <limits>
#include <stdexcept>

void RowNameTable::borrow(const char* characters, const std::uint32_t* offsets, std::size_t count) {
    clear();
    m_names = {characters, offsets};
    m_size = count;
}

void RowNameTable::assign(const std::vector<std::string>& names) {
    clear();
    std::size_t bytes = 0;
    for (const std::string& name : names) bytes += name.size() + 1;
    if (bytes > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("the row names take more than 4 GiB");
    m_ownCharacters.reserve(bytes);
    m_ownOffsets.reserve(names.size());
    for (const std::string& name : names) {
        m_ownOffsets.push_back(static_cast<std::uint32_t>(m_ownCharacters.size()));
        m_ownCharacters.append(name.c_str(), name.size() + 1);
    }
    m_names = {m_ownCharacters.data(), m_ownOffsets.data()};
    m_size = names.size();
}

void RowNameTable::clear() {
    m_names = {};
    m_size = 0;
    m_ownCharacters.clear();
    m_ownOffsets.clear();
}
