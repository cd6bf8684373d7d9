// TPoint and RSDevice: small plain records of the platform layer.
//
// TPoint is a pair of integer coordinates (sizes in millimetres, approximate format
// sizes: x = width, y = height).  RSDevice identifies a plotter or folder model by
// four numbers read from capability files.  Both are values without invariants.
#pragma once

#include <cstdint>

struct TPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;

    constexpr TPoint() = default;
    constexpr TPoint(std::int32_t px, std::int32_t py) : x(px), y(py) {}
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

struct RSDevice {
    std::uint32_t m_nClass = 0;
    std::uint32_t m_nInterface = 0;
    std::uint32_t m_nManufacturer = 0;
    std::uint32_t m_nModel = 0;

    friend constexpr bool operator==(const RSDevice&, const RSDevice&) = default;
};
