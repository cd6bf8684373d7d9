#include "ssl2/SSLStatements/SslSize.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>

#include "ssl2/SSLStatements/SslNumberText.h"
#include "ssl2/base/RCUnit.h"

namespace {

std::atomic<std::uint32_t> g_formatSortOrder{VEMTO::kFormatSortDin};

constexpr std::uint32_t kMemberTypes[SslSize::kMemberCount] = {
    SslStatement::kMemberSelection, SslStatement::kMemberSelection, SslStatement::kMemberSelection,
    SslStatement::kMemberSelection, SslStatement::kMemberReal,      SslStatement::kMemberReal};

bool FiniteLength(double value) {
    return std::isfinite(value);
}

// A double as a whole number for "%d", saturated so that no value is undefined.
int Truncated(double value) {
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    if (std::isnan(value))
        return 0;
    return static_cast<int>(std::clamp(value, kLow, kHigh));
}

}  // namespace

const TString SslSize::m_asSizeTypes[kMaxSizeType + 1] = {
    "auto", "",         "proportional",   "unproportional",  "manual",
    "",     "original", "scaletofitroll", "fittoprintwindow"};
const TString SslSize::m_asCfgSizeTypes[7] = {"AUTO",   "FORMAT",  "WINDOW",  "WINDOW",
                                              "manual", "PERCENT", "ORIGINAL"};
const TString SslSize::m_asFormatNames[kFamilyCount] = {"DIN", "ANSI", "ARC", "Asia", ""};
const std::uint32_t SslSize::m_MaxFormatIdx[kFamilyCount] = {20, 4, 4, 6, 1};
const std::uint32_t SslSize::m_anFormatModifierPy[kFamilyCount] = {100, 200, 300, 400, 500};

const TString SslSize::m_aasFormats[kFamilyCount][kMaxFormatsPerFamily] = {
    {"A0", "A1", "A2", "A3", "A4", "A5", "A6", "B0", "B1", "B2", "B3",
     "B4", "B5", "B6", "C0", "C1", "C2", "C3", "C4", "C5", "C6"},
    {"A", "B", "C", "D", "E"},
    {"A", "B", "C", "D", "E"},
    {"b0", "b1", "b2", "b3", "b4", "b5", "b6"},
    {"F30x42", "F15x21"},
};

const SslSize::RSApproxSize SslSize::m_aaApproxFormatSizes[kFamilyCount][kMaxFormatsPerFamily] = {
    {{841, 1189},  {594, 841},  {420, 594}, {297, 420}, {210, 297}, {148, 210}, {105, 148},
     {1000, 1414}, {707, 1000}, {500, 707}, {354, 500}, {250, 354}, {172, 250}, {125, 172},
     {917, 1297},  {648, 917},  {459, 648}, {324, 459}, {229, 324}, {162, 229}, {114, 162}},
    {{216, 279}, {279, 432}, {432, 559}, {559, 864}, {864, 1118}},
    {{229, 305}, {305, 457}, {457, 610}, {610, 914}, {914, 1220}},
    {{1030, 1456}, {728, 1030}, {515, 728}, {364, 515}, {258, 364}, {182, 258}, {129, 182}},
    {{762, 1067}, {381, 533}},
};

const RSIndexString SslSize::m_asSizeTypesPy[kMaxSizeType + 1] = {
    {0, "auto"}, {1, ""},         {2, "proportional"},   {3, "unproportional"},  {4, "manual"},
    {5, ""},     {6, "original"}, {7, "scaletofitroll"}, {8, "fittoprintwindow"}};
const RSIndexString* const SslSize::m_asUnitsPy = SslUnit::m_asUnitsPy;
const RSIndexString SslSize::m_asFormatNamesPy[kFamilyCount] = {
    {0, "DIN"}, {1, "ANSI"}, {2, "ARC"}, {3, "Asia"}, {4, ""}};

const RSIndexString SslSize::m_asFormatsPy[40] = {
    {100, "A0"}, {101, "A1"}, {102, "A2"},     {103, "A3"},    {104, "A4"}, {105, "A5"},
    {106, "A6"}, {107, "B0"}, {108, "B1"},     {109, "B2"},    {110, "B3"}, {111, "B4"},
    {112, "B5"}, {113, "B6"}, {114, "C0"},     {115, "C1"},    {116, "C2"}, {117, "C3"},
    {118, "C4"}, {119, "C5"}, {120, "C6"},     {204, "E"},     {203, "D"},  {202, "C"},
    {201, "B"},  {200, "A"},  {304, "E"},      {303, "D"},     {302, "C"},  {301, "B"},
    {300, "A"},  {400, "b0"}, {401, "b1"},     {402, "b2"},    {403, "b3"}, {404, "b4"},
    {405, "b5"}, {406, "b6"}, {500, "F30x42"}, {501, "F15x21"}};

const TString SslSize::m_asMemberNames[kMemberCount] = {"sizetype", "sizeunit", "formatname",
                                                        "format",   "width",    "height"};
const TString SslSize::m_sCfgNameMode = "SCALEMODE";
const TString SslSize::m_sCfgNameAux1 = "SCALEAUX1";
const TString SslSize::m_sCfgNameAux2 = "SCALEAUX2";

SslSize::SslSize() {
    switch (GetFormatSortOrder()) {
        case VEMTO::kFormatSortAnsi:
            m_idxFormatName = 1;
            m_idxFormat = 0;
            m_Width = 215.9;
            m_Height = 279.4;
            break;
        case VEMTO::kFormatSortAsia:
            m_idxFormatName = 3;
            m_idxFormat = 5;
            m_Width = 182.0;
            m_Height = 257.0;
            break;
        default:
            break;  // DIN A4, the member defaults
    }
}

VEMTO::TFormatSortOrder SslSize::GetFormatSortOrder() {
    return static_cast<VEMTO::TFormatSortOrder>(g_formatSortOrder.load());
}

void SslSize::SetFormatSortOrder(VEMTO::TFormatSortOrder order) {
    g_formatSortOrder = order;
}

unsigned int SslSize::SetSizeType(std::uint32_t type) {
    if (type > kMaxSizeType)
        return 0;
    m_idxSizeType = type;
    TakeFormatDimensions();
    return 1;
}

unsigned int SslSize::SetFormatName(std::uint32_t family) {
    if (family >= kFamilyCount)
        return 0;
    m_idxFormatName = family;
    m_idxFormat = std::min(m_idxFormat, m_MaxFormatIdx[family]);
    TakeFormatDimensions();
    return 1;
}

unsigned int SslSize::SetFormat(std::uint32_t format) {
    if (format > m_MaxFormatIdx[m_idxFormatName])
        return 0;
    m_idxFormat = format;
    TakeFormatDimensions();
    return 1;
}

SslSize::RSApproxSize SslSize::ApproxFormatSize(std::uint32_t family, std::uint32_t format) {
    if (family >= kFamilyCount || format > m_MaxFormatIdx[family])
        return {0, 0};
    return m_aaApproxFormatSizes[family][format];
}

void SslSize::TakeFormatDimensions() {
    if (m_idxSizeType != kFormat && m_idxSizeType != kFitToPrintWindow)
        return;
    const RSApproxSize size = ApproxFormatSize(m_idxFormatName, m_idxFormat);
    m_Width = size.x;
    m_Height = size.y;
}

unsigned int SslSize::SetWidth(double width) {
    if (!(width >= kMinLength && width <= kMaxLength))
        return 0;
    m_Width = width;
    if (m_idxSizeType != kUnproportional && m_idxSizeType != kPercent)
        m_idxSizeType = kProportional;
    return 1;
}

unsigned int SslSize::SetHeight(double height) {
    if (!(height >= kMinLength && height <= kMaxLength))
        return 0;
    m_Height = height;
    if (m_idxSizeType != kUnproportional && m_idxSizeType != kPercent)
        m_idxSizeType = kProportional;
    return 1;
}

unsigned int SslSize::SetSizeUnit(const SslUnit& unit) {
    m_Unit = unit;
    return 1;
}

std::uint32_t SslSize::GetFormatCode() const {
    return m_anFormatModifierPy[m_idxFormatName] + m_idxFormat;
}

bool SslSize::operator==(const SslSize& other) const {
    return this == &other ||
           (m_idxSizeType == other.m_idxSizeType && m_idxFormatName == other.m_idxFormatName &&
            m_idxFormat == other.m_idxFormat && m_Unit == other.m_Unit &&
            m_Width == other.m_Width && m_Height == other.m_Height);
}

TString SslSize::FamilyAndFormat() const {
    return m_asFormatNames[m_idxFormatName] + " " + m_aasFormats[m_idxFormatName][m_idxFormat];
}

TString SslSize::WidthAndHeight() const {
    return SslDecimalText(m_Width) + " " + SslDecimalText(m_Height) + " ";
}

TString SslSize::WindowText() const {
    // Vemto, the library's own length unit, has no word in the ticket language.
    if (m_Unit.Get() == SslUnit::kVemto) {
        return m_asSizeTypes[m_idxSizeType] + " " + SslDecimalText(m_Width / 1000.0) + " " +
               SslDecimalText(m_Height / 1000.0) + " " + SslUnit(SslUnit::kMm).ToString();
    }
    return m_asSizeTypes[m_idxSizeType] + " " + WidthAndHeight() + m_Unit.ToString();
}

TString SslSize::ToString(unsigned char mode, unsigned int flag) const {
    const TString format = FamilyAndFormat();
    switch (mode) {
        case 0:  // display
            switch (m_idxSizeType) {
                case kFormat:
                case kFitToPrintWindow:
                    return m_idxFormatName == 0 ? m_aasFormats[0][m_idxFormat] : format;
                case kProportional:
                case kUnproportional:
                    return WidthAndHeight();
                default:
                    return {};
            }
        case 1:  // OutputSize and PaperSize statements
            switch (m_idxSizeType) {
                case kFormat:
                    return format;
                case kProportional:
                case kUnproportional:
                    return WindowText();
                case kManual:
                    return m_asSizeTypes[kManual];
                case kFitToPrintWindow:
                    return flag ? m_asSizeTypes[kFitToPrintWindow] + " " + format : format;
                default:
                    // auto, and the zoom-only types (factors, original, scale to fit),
                    // which these statements cannot carry: an empty size would not
                    // read back at all.
                    return m_asSizeTypes[kAuto];
            }
        case 2:  // Zoom statement
            // Two bare numbers read back as zoom factors, so windows carry their
            // keyword and unit, and every size type has a form of its own.
            switch (m_idxSizeType) {
                case kAuto:
                case kOriginal:
                    return m_asSizeTypes[m_idxSizeType] + " " + m_asSizeTypes[m_idxSizeType];
                case kFormat:
                    return format;
                case kFitToPrintWindow:
                    return m_asSizeTypes[kFitToPrintWindow] + " " + format;
                case kProportional:
                case kUnproportional:
                    return WindowText();
                case kPercent:
                    return WidthAndHeight();
                case kManual:
                    return m_asSizeTypes[kManual];
                case kScaleToFitRoll:
                    return m_asSizeTypes[kScaleToFitRoll];
                default:
                    return {};
            }
        default:
            return {};
    }
}

TString SslSize::ToCfg(unsigned int flag) const {
    const auto line = [](const TString& name, const TString& value) {
        return name + " = " + value + "\r\n";
    };
    const TString mode = m_sCfgNameMode;
    switch (m_idxSizeType) {
        case kFormat:
        case kFitToPrintWindow:
            return line(mode, m_asCfgSizeTypes[kFormat]) + line(m_sCfgNameAux1, FamilyAndFormat());
        case kProportional:
            return line(mode, m_asCfgSizeTypes[kProportional]) +
                   line(m_sCfgNameAux1, TString::Format("%.3f mm", std::max(m_Width, m_Height)));
        case kUnproportional:
            return line(mode, m_asCfgSizeTypes[kUnproportional]) +
                   line(m_sCfgNameAux1, TString::Format("%.3f mm", m_Width)) +
                   line(m_sCfgNameAux2, TString::Format("%.3f mm", m_Height));
        case kPercent:
            // Zoom factors; an output size never carries them.
            return flag ? line(mode, m_asCfgSizeTypes[kPercent]) +
                              line(m_sCfgNameAux1, TString::Format("%d", Truncated(m_Width)))
                        : TString();
        case kManual:
            return flag ? TString() : line(mode, m_asCfgSizeTypes[kOriginal]);
        case kOriginal:
        case kScaleToFitRoll:
            return flag ? line(mode, m_asCfgSizeTypes[kOriginal]) : TString();
        default:
            return {};
    }
}

void SslSize::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution) {
    // A size that names its own unit is in that unit, whatever unit the job has.
    if (m_Unit.Get() != SslUnit::kNone)
        fromUnit = m_Unit.GetConversionCode();
    if (m_idxSizeType == kProportional || m_idxSizeType == kUnproportional) {
        m_Width = RCUnit::Convert(fromUnit, toUnit, m_Width, resolution);
        m_Height = RCUnit::Convert(fromUnit, toUnit, m_Height, resolution);
    }
    m_Unit = SslUnit();
}

std::uint32_t SslSize::GetContainedType(std::uint32_t member) const {
    return member < kMemberCount ? kMemberTypes[member] : 0;
}

TString SslSize::GetSubStatementName(std::uint32_t member) const {
    return member < kMemberCount ? m_asMemberNames[member] : TString();
}

std::uint32_t SslSize::GetKeywords(const RSIndexString*& keywords, std::uint32_t member) const {
    switch (member) {
        case 0:
            keywords = m_asSizeTypesPy;
            return kMaxSizeType + 1;
        case 1:
            keywords = m_asUnitsPy;
            return SslUnit::kMaxUnit + 1;
        case 2:
            keywords = m_asFormatNamesPy;
            return kFamilyCount;
        case 3:
            keywords = m_asFormatsPy;
            return kOfferedFormatCount;
        default:
            keywords = nullptr;
            return 0;
    }
}

std::string SslSize::GetString(std::uint32_t member) const {
    switch (member) {
        case 0:
            return std::to_string(m_idxSizeType);
        case 1:
            return std::to_string(m_Unit.Get());
        case 2:
            return std::to_string(m_idxFormatName);
        case 3:
            return std::to_string(GetFormatCode());
        case 4:
            return TString::Format("%.2f", m_Width).str();
        case 5:
            return TString::Format("%.2f", m_Height).str();
        default:
            return {};
    }
}

unsigned int SslSize::SetString(const std::string& text, std::uint32_t member) {
    const TString value(text);
    if (member >= 4 && member <= 5) {
        double length = 0.0;
        if (!value.Value(length))
            return 0;
        return member == 4 ? SetWidth(length) : SetHeight(length);
    }
    std::uint32_t number = 0;
    if (member > 5 || !value.Value(number))
        return 0;
    switch (member) {
        case 0:
            return SetSizeType(number);
        case 1:
            return m_Unit.Set(number);
        case 2:
            return SetFormatName(number);
        default: {
            const std::uint32_t base = m_anFormatModifierPy[m_idxFormatName];
            return number < base ? 0 : SetFormat(number - base);
        }
    }
}

// --- serialisation ---------------------------------------------------------------------
// Values read back are checked like the setters check them, so that data from outside
// never leaves a size with an index beyond its tables.

void SslSize::Ser_m_idxSizeType(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_idxSizeType);
}
void SslSize::DeSer_m_idxSizeType(const RSDataEntry* entry) {
    std::uint32_t value = 0;
    DeSerializeAsTLong(entry, &value);
    SetSizeType(value);
}
void SslSize::Ser_m_idxFormatName(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_idxFormatName);
}
void SslSize::DeSer_m_idxFormatName(const RSDataEntry* entry) {
    std::uint32_t value = 0;
    DeSerializeAsTLong(entry, &value);
    SetFormatName(value);
}
void SslSize::Ser_m_idxFormat(RSDataEntry* entry) const {
    SerializeAsTLong(entry, &m_idxFormat);
}
void SslSize::DeSer_m_idxFormat(const RSDataEntry* entry) {
    std::uint32_t value = 0;
    DeSerializeAsTLong(entry, &value);
    SetFormat(value);
}
void SslSize::Ser_m_Unit(RSDataEntry* entry) const {
    SerializeAsObject(entry, m_Unit);
}
void SslSize::DeSer_m_Unit(const RSDataEntry* entry) {
    DeSerializeAsObject(entry, m_Unit);
}
void SslSize::Ser_m_Width(RSDataEntry* entry) const {
    SerializeAsTReal(entry, &m_Width);
}
void SslSize::DeSer_m_Width(const RSDataEntry* entry) {
    double value = 0.0;
    DeSerializeAsTReal(entry, &value);
    if (FiniteLength(value))
        m_Width = value;
}
void SslSize::Ser_m_Height(RSDataEntry* entry) const {
    SerializeAsTReal(entry, &m_Height);
}
void SslSize::DeSer_m_Height(const RSDataEntry* entry) {
    double value = 0.0;
    DeSerializeAsTReal(entry, &value);
    if (FiniteLength(value))
        m_Height = value;
}

SSL2_SER_MEMBER_STATICS(SslSize, m_idxSizeType)
SSL2_SER_MEMBER_STATICS(SslSize, m_idxFormatName)
SSL2_SER_MEMBER_STATICS(SslSize, m_idxFormat)
SSL2_SER_MEMBER_STATICS(SslSize, m_Unit)
SSL2_SER_MEMBER_STATICS(SslSize, m_Width)
SSL2_SER_MEMBER_STATICS(SslSize, m_Height)

const RCSerializeBase::_TIDFunctionTuple SslSize::m_IDFunciontArray[] = {
    SSL2_SER_MEMBER_TUPLE(SslSize, 0, m_idxSizeType),
    SSL2_SER_MEMBER_TUPLE(SslSize, 1, m_idxFormatName),
    SSL2_SER_MEMBER_TUPLE(SslSize, 2, m_idxFormat),
    SSL2_SER_MEMBER_TUPLE(SslSize, 3, m_Unit),
    SSL2_SER_MEMBER_TUPLE(SslSize, 4, m_Width),
    SSL2_SER_MEMBER_TUPLE(SslSize, 5, m_Height),
    {0, nullptr, nullptr},
};

const RCSerializeBase::_TIDFunctionTableList& SslSize::InitFunctionTableList() {
    static const _TIDFunctionTableList list = {GetClassDataType(), m_IDFunciontArray,
                                               GetBaseFunctionTableList()};
    return list;
}
