// Length units and the internal length unit (vemto, one micrometre).
//
// Unit codes: 0 pixel (needs a resolution in dots per inch), 1 millimetre,
// 2 inch, 3 vemto, 4 centimetre.  Conversions are plain arithmetic on doubles.
#pragma once

#include <compare>
#include <cstdint>

/// Conversions between length units.
class RCUnit {
public:
    /// The unit codes.
    enum TUnitCode : std::uint32_t { kPixel = 0, kMm = 1, kInch = 2, kVemto = 3, kCm = 4 };

    /// Converts `value` from unit `from` to unit `to`; `resolution` (dpi) is used
    /// only for pixels and taken as 1 when not positive.  An unknown unit code
    /// leaves the value unchanged.
    static double Convert(std::uint32_t from, std::uint32_t to, double value, double resolution);
    /// Pixels at `resolution` dpi in vemto.
    static double ConvertPixelToVemto(double pixels, double resolution) {
        return Convert(kPixel, kVemto, pixels, resolution);
    }
    /// Vemto in millimetres.
    static double ConvertVemtoToMm(double value) { return value / 1000.0; }
};

namespace VEMTO {

/// A length held as a whole number of vemto (micrometres).
class RCMetaUnitVemto {
public:
    RCMetaUnitVemto() = default;
    /// `vemto` micrometres.
    explicit RCMetaUnitVemto(std::int64_t vemto) : m_nValue(vemto) {}

    /// Sets the length to `mm` millimetres, rounded to whole vemto.
    void SetMm(double mm);
    /// The length in millimetres.
    double AsMm() const { return static_cast<double>(m_nValue) / 1000.0; }
    /// The length in vemto.
    std::int64_t GetValue() const { return m_nValue; }

    /// Same length.
    friend bool operator==(const RCMetaUnitVemto&, const RCMetaUnitVemto&) = default;
    /// Shorter before longer.
    friend auto operator<=>(const RCMetaUnitVemto&, const RCMetaUnitVemto&) = default;

private:
    std::int64_t m_nValue = 0;
};

}  // namespace VEMTO
