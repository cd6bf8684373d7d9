// TRCMultiObjectContainer<T>: an ordered list of values (texts, error records).
//
// A value type over std::vector with the operations callers use: push_back,
// indexed access that raises RMCBaseErrors::kIndexOutOfRange instead of reading
// past the end, size, erase and iteration.  Not synchronised.
//
//   TRCMultiObjectContainer<TString> names;
//   names.push_back("tray1");
//   TString first = names[0];
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "ssl2/base/TException.h"
#include "ssl2/base/TMessage.h"

/// An ordered list of values whose indexed access raises
/// RMCBaseErrors::kIndexOutOfRange instead of reading past the end.  Not
/// synchronised.
template <typename T>
class TRCMultiObjectContainer {
public:
    ///@{
    /// The element and iterator types, as std::vector's.
    using value_type = T;
    using const_iterator = typename std::vector<T>::const_iterator;
    using iterator = typename std::vector<T>::iterator;
    ///@}

    TRCMultiObjectContainer() = default;
    /// The list of `values`, in order.
    TRCMultiObjectContainer(std::initializer_list<T> values) : m_aValues(values) {}

    /// Appends `value`.
    void push_back(T value) { m_aValues.push_back(std::move(value)); }
    ///@{
    /// The element at `index`; raises RMCBaseErrors::kIndexOutOfRange for an index
    /// not below size().
    const T& operator[](std::uint32_t index) const { return m_aValues[Checked(index)]; }
    T& operator[](std::uint32_t index) { return m_aValues[Checked(index)]; }
    ///@}
    /// Removes the element at `index`; the later ones move up.
    void erase(std::uint32_t index) {
        m_aValues.erase(m_aValues.begin() + static_cast<std::ptrdiff_t>(Checked(index)));
    }
    /// Removes every element.
    void clear() { m_aValues.clear(); }

    /// The number of elements.
    std::uint32_t size() const { return static_cast<std::uint32_t>(m_aValues.size()); }
    /// True when there is no element.
    bool empty() const { return m_aValues.empty(); }
    ///@{
    /// Iteration in list order.
    const_iterator begin() const { return m_aValues.begin(); }
    const_iterator end() const { return m_aValues.end(); }
    iterator begin() { return m_aValues.begin(); }
    iterator end() { return m_aValues.end(); }
    ///@}
    /// The elements as a vector.
    const std::vector<T>& AsVector() const { return m_aValues; }

    /// The same elements in the same order.
    friend bool operator==(const TRCMultiObjectContainer&,
                           const TRCMultiObjectContainer&) = default;

private:
    std::size_t Checked(std::uint32_t index) const {
        if (index >= m_aValues.size()) {
            ThrowNewError(RMCBaseErrors(), RMCBaseErrors::kIndexOutOfRange,
                          "TRCMultiObjectContainer", TString(index), TString(size()));
        }
        return index;
    }

    std::vector<T> m_aValues;
};
