#pragma once

#include <algorithm>
#include <cstddef>
#include <stdexcept>
#include <utility>
#include <vector>

#include "LargeBlockAllocator.h"

// The document's sortable, owning record arrays. Records are held by value (they are small,
// and a pointer plus a heap block per record would cost more than the record on large
// matrices); the array remembers the comparator it was last sorted with and every search uses it.
template <typename T>
class CTypedPtrArray {
public:
    std::size_t size() const { return m_items.size(); }
    bool empty() const { return m_items.empty(); }
    // Throws std::out_of_range for an index outside 0 .. size-1.
    const T& at(std::size_t index) const { return m_items.at(index); }
    T& at(std::size_t index) { return m_items.at(index); }
    const T& operator[](std::size_t index) const { return m_items[index]; }
    T& operator[](std::size_t index) { return m_items[index]; }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

    void add(T item) { m_items.push_back(std::move(item)); }
    template <typename... Args>
    T& emplace(Args&&... args) {
        return m_items.emplace_back(std::forward<Args>(args)...);
    }
    void reserve(std::size_t count) { m_items.reserve(count); }
    // count blank records, for a caller that writes them in place in an order of its own.
    T* resizeBlank(std::size_t count) {
        reserve(count);
        m_items.resize(count);
        return m_items.data();
    }
    void removeAll() {
        m_items.clear();
        m_items.shrink_to_fit();
    }

protected:
    // Large arrays in mappings of their own, given back whole when the model goes.
    std::vector<T, orbxmps::LargeBlockAllocator<T>> m_items;
};

template <typename T>
class CSortableTypedPtrArray : public CTypedPtrArray<T> {
public:
    // Negative, zero or positive, as the C library's sort callbacks.
    using Comparator = int (*)(const T&, const T&);

    void sort(Comparator comparator) {
        m_comparator = comparator;
        const auto less = [comparator](const T& a, const T& b) { return comparator(a, b) < 0; };
        // An array filled in order, or put in order by a faster pass, is only checked.
        if (std::is_sorted(this->m_items.begin(), this->m_items.end(), less)) return;
        std::sort(this->m_items.begin(), this->m_items.end(), less);
    }

    // Takes the comparator for lookups when the array is in its order already, which costs
    // one comparison per record; false, changing nothing, when it is not.
    bool adoptIfSorted(Comparator comparator) {
        const auto less = [comparator](const T& a, const T& b) { return comparator(a, b) < 0; };
        if (!std::is_sorted(this->m_items.begin(), this->m_items.end(), less)) return false;
        m_comparator = comparator;
        return true;
    }

    // Takes the comparator for lookups from a caller that has put the array in its order.
    void adoptSorted(Comparator comparator) { m_comparator = comparator; }

    void addSorted(T item, Comparator comparator) {
        this->m_items.push_back(std::move(item));
        sort(comparator);
    }

    // Binary search with the stored comparator; null when nothing compares equal or the
    // array was never sorted.
    const T* find(const T& probe) const {
        if (this->m_items.empty() || m_comparator == nullptr) return nullptr;
        const Comparator comparator = m_comparator;
        auto it =
            std::lower_bound(this->m_items.begin(), this->m_items.end(), probe,
                             [comparator](const T& a, const T& b) { return comparator(a, b) < 0; });
        if (it == this->m_items.end() || comparator(*it, probe) != 0) return nullptr;
        return &*it;
    }

    // Linear search, for arrays not kept sorted while they are filled.
    const T* findLinear(const T& probe, Comparator comparator) const {
        for (const T& item : this->m_items)
            if (comparator(item, probe) == 0) return &item;
        return nullptr;
    }

    Comparator comparator() const { return m_comparator; }

private:
    Comparator m_comparator = nullptr;
};
