#include "ssl2/base/RCUnit.h"

#include <cmath>

namespace {

// Micrometres per unit; pixels depend on the resolution and are handled apart.
double VemtoPer(std::uint32_t unit, double resolution) {
    switch (unit) {
        case RCUnit::kPixel:
            return 25400.0 / (resolution > 0 ? resolution : 1.0);
        case RCUnit::kMm:
            return 1000.0;
        case RCUnit::kInch:
            return 25400.0;
        case RCUnit::kVemto:
            return 1.0;
        case RCUnit::kCm:
            return 10000.0;
        default:
            return 0.0;
    }
}

}  // namespace

double RCUnit::Convert(std::uint32_t from, std::uint32_t to, double value, double resolution) {
    const double f = VemtoPer(from, resolution);
    const double t = VemtoPer(to, resolution);
    if (f == 0.0 || t == 0.0 || from == to)
        return value;
    return value * f / t;
}

void VEMTO::RCMetaUnitVemto::SetMm(double mm) {
    m_nValue = std::llround(mm * 1000.0);
}
