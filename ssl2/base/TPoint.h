// TPoint and RSDevice: small plain records of the platform layer.
//
// TPoint is a pair of integer coordinates (sizes in millimetres, approximate format
// sizes: x = width, y = height).  RSDevice identifies a plotter or folder model by
// four numbers read from capability files.  Both are values without invariants.
#pragma once

#include <cstdint>

/// A pair of integer coordinates.
struct TPoint {
    std::int32_t x = 0;  ///< the first coordinate (width)
    std::int32_t y = 0;  ///< the second coordinate (height)

    constexpr TPoint() = default;
    /// The point (`px`, `py`).
    constexpr TPoint(std::int32_t px, std::int32_t py) : x(px), y(py) {}
    /// Same coordinates.
    friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

/// A plotter or folder model, by the four numbers of its capability file.
struct RSDevice {
    std::uint32_t m_nClass = 0;         ///< the device class
    std::uint32_t m_nInterface = 0;     ///< the interface
    std::uint32_t m_nManufacturer = 0;  ///< the manufacturer
    std::uint32_t m_nModel = 0;         ///< the model

    /// Same four numbers.
    friend constexpr bool operator==(const RSDevice&, const RSDevice&) = default;
};
