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

template <typename T>
class TRCMultiObjectContainer {
public:
    using value_type = T;
    using const_iterator = typename std::vector<T>::const_iterator;
    using iterator = typename std::vector<T>::iterator;

    TRCMultiObjectContainer() = default;
    TRCMultiObjectContainer(std::initializer_list<T> values) : m_aValues(values) {}

    void push_back(T value) { m_aValues.push_back(std::move(value)); }
    const T& operator[](std::uint32_t index) const { return m_aValues[Checked(index)]; }
    T& operator[](std::uint32_t index) { return m_aValues[Checked(index)]; }
    /// Removes the element at `index`; the later ones move up.
    void erase(std::uint32_t index) {
        m_aValues.erase(m_aValues.begin() + static_cast<std::ptrdiff_t>(Checked(index)));
    }
    void clear() { m_aValues.clear(); }

    std::uint32_t size() const { return static_cast<std::uint32_t>(m_aValues.size()); }
    bool empty() const { return m_aValues.empty(); }
    const_iterator begin() const { return m_aValues.begin(); }
    const_iterator end() const { return m_aValues.end(); }
    iterator begin() { return m_aValues.begin(); }
    iterator end() { return m_aValues.end(); }
    const std::vector<T>& AsVector() const { return m_aValues; }

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
