// RSDevice: the identity of a device (plotter or folder) as four numbers.
//
// A plain value record; the capability records read it from a device section of a
// capability INI file.
#pragma once

#include <cstdint>

struct RSDevice {
    std::uint32_t m_nClass = 0;
    std::uint32_t m_nInterface = 0;
    std::uint32_t m_nManufacturer = 0;
    std::uint32_t m_nModel = 0;

    friend bool operator==(const RSDevice&, const RSDevice&) = default;
};
