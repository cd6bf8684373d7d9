#include "ssl2/SSLStatements/SslHpglPens.h"

#include <algorithm>
#include <string>
#include <utility>

#include "ssl2/SSLStatements/SslNumberText.h"
#include "ssl2/base/RCUnit.h"
#include "ssl2/base/TException.h"
#include "ssl2/sslmessages.h"

namespace {

constexpr std::uint32_t kPenMemberTypes[HpglPen::kMemberCount] = {
    SslStatement::kMemberReal, SslStatement::kMemberSelection, SslStatement::kMemberNumber};

// The VIC grey table: every bank of 16 pens repeats the grey levels of the first
// bank, except that the last four pens fade to white.
constexpr std::array<std::uint8_t, SslHpglPens::kPenSlots> MakeVicGreyTable() {
    constexpr std::uint8_t kBank[16] = {100, 70, 11, 41, 30, 89, 59, 0,
                                        50,  85, 56, 71, 65, 95, 80, 25};
    constexpr std::uint8_t kTail[4] = {41, 28, 14, 0};
    std::array<std::uint8_t, SslHpglPens::kPenSlots> table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = kBank[i % 16];
    for (std::size_t i = 0; i < 4; ++i)
        table[252 + i] = kTail[i];
    return table;
}

using TPenTable = SslHpglPens::TPenTable;

/// Pen 0: number `first`, width 0, colour 0, saturation 0; pens 1 to 255 numbered
/// from `first` with the HpglPen defaults.
template <std::uint32_t first>
const TPenTable& DefaultPens() {
    static const TPenTable pens = [] {
        TPenTable table;
        for (std::uint32_t i = 0; i < table.size(); ++i)
            table[i] = HpglPen(first + i);
        table[0] = HpglPen(first, 0.0, 0, 0);
        return table;
    }();
    return pens;
}

/// The VIC pens: width 0.254, black, saturations from the grey table.
const TPenTable& DefaultVicPens() {
    static const TPenTable pens = [] {
        constexpr auto grey = MakeVicGreyTable();
        TPenTable table;
        for (std::uint32_t i = 0; i < table.size(); ++i)
            table[i] = HpglPen(i, 0.254, 1, grey[i]);
        return table;
    }();
    return pens;
}

}  // namespace

// --- HpglPen ----------------------------------------------------------------------------

const TString HpglPen::m_asUnits[3] = {"", "mm", "Inch"};
const TString HpglPen::m_sNumber = "number ";
const TString HpglPen::m_sWidth = "width ";
const TString HpglPen::m_sColor = "color ";
const TString HpglPen::m_sSaturation = "saturation ";
const TString HpglPen::m_sPage = "page ";

TString HpglPen::ToString(unsigned int withPage) const {
    // One buffer: a table writes a line per run of equal pens.
    std::string text;
    text.reserve(96);
    text += m_sNumber.str();
    text += std::to_string(m_nNumber);
    text += '-';
    text += std::to_string(m_nLastNumber);
    text += ' ';
    text += m_sWidth.str();
    text += SslDecimalText(m_dWidth).str();
    text += ' ';
    text += m_asUnits[m_nUnit].str();
    text += ' ';
    text += m_sColor.str();
    text += std::to_string(m_nColor);
    text += ' ';
    text += m_sSaturation.str();
    text += std::to_string(m_nSaturation);
    text += ' ';
    if (withPage) {
        text += m_sPage.str();
        text += std::to_string(m_nPage);
    }
    return TString(std::move(text));
}

TString HpglPen::ToCfg() const {
    TString text =
        TString::Format("PEN%03u = %.2f, ", m_nNumber, m_dWidth) + SslColor::m_asColors[m_nColor];
    if (m_nColor == SslColor::kGrey)
        text += TString::Format(", %u", m_nSaturation);
    return text;
}

HpglPen::HpglPen(std::uint32_t number, double width, std::uint32_t color, std::uint32_t saturation)
    : HpglPen(number) {
    SetWidth(width);
    SetColor(color);
    SetSaturation(saturation);
    m_bChanged = 0;
}

unsigned int HpglPen::SetLastNumber(std::uint32_t number) {
    if (number > kMaxLastNumber)
        return 0;
    m_nLastNumber = number;
    m_bChanged = 1;
    return 1;
}

unsigned int HpglPen::SetWidth(double width) {
    if (!(width >= 0.0 && width <= kMaxWidth))
        return 0;
    m_dWidth = width + 0.0;  // a width of minus zero is written as zero
    m_bChanged = 1;
    return 1;
}

unsigned int HpglPen::SetUnit(std::uint32_t unit) {
    if (unit > 2)
        return 0;
    m_nUnit = unit;
    m_bChanged = 1;
    return 1;
}

unsigned int HpglPen::SetColor(std::uint32_t color) {
    if (color > SslColor::kMaxColor)
        return 0;
    m_nColor = color;
    m_bChanged = 1;
    return 1;
}

unsigned int HpglPen::SetSaturation(std::uint32_t saturation) {
    if (saturation > SslColor::kMaxSaturation)
        return 0;
    m_nSaturation = saturation;
    m_bChanged = 1;
    return 1;
}

unsigned int HpglPen::SetPage(std::uint32_t page) {
    if (page > 1)
        return 0;
    m_nPage = page;
    m_bChanged = 1;
    return 1;
}

void HpglPen::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution) {
    m_dWidth = RCUnit::Convert(fromUnit, toUnit, m_dWidth, resolution);
}

unsigned int HpglPen::SetString(const std::string& text, std::uint32_t member) {
    if (member == 0) {
        double width = 0.0;
        return TString(text).Value(width) ? SetWidth(width) : 0;
    }
    std::int32_t value = 0;
    if (member >= kMemberCount || !SslStatement::ReadDecimal(text, value) || value < 0)
        return 0;
    const auto number = static_cast<std::uint32_t>(value);
    return member == 1 ? SetColor(number) : SetSaturation(number);
}

std::string HpglPen::GetString(std::uint32_t member) const {
    switch (member) {
        case 0:
            return TString::Format("%.3f", m_dWidth).str();
        case 1:
            return std::to_string(m_nColor);
        case 2:
            return std::to_string(m_nSaturation);
        default:
            return {};
    }
}

std::uint32_t HpglPen::GetContainedType(std::uint32_t member) const {
    return member < kMemberCount ? kPenMemberTypes[member] : 0;
}

TString HpglPen::GetSubStatementName(std::uint32_t member) {
    switch (member) {
        case 0:
            return m_sWidth;
        case 1:
            return m_sColor;
        case 2:
            return m_sSaturation;
        default:
            return {};
    }
}

std::uint32_t HpglPen::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                   const RCStatementInfluencingCapaRefined*) const {
    keywords = member == 1 ? SslColor::m_asColorsPy : nullptr;
    return member == 1 ? SslColor::kMaxColor + 1 : 0;
}

// --- SslHpglPens --------------------------------------------------------------------------

SslHpglPens::SslHpglPens()
    : SslHpglPens(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID], 0,
                  kPenSlots, DefaultPens<0>()) {}

SslHpglPens::SslHpglPens(std::uint32_t statementType, TString name, std::uint32_t firstPenNumber,
                         std::uint32_t penCount, const TPenTable& defaults)
    : TSslStatementImpl(statementType, std::move(name)),
      m_pDefaultPens(&defaults),
      m_nPenCount(penCount),
      m_nFirstPenNumber(firstPenNumber) {}

const HpglPen& SslHpglPens::Pen(std::uint32_t index) const {
    const auto own =
        std::lower_bound(m_aOwnPens.begin(), m_aOwnPens.end(), index,
                         [](const auto& pen, std::uint32_t i) { return pen.first < i; });
    return own != m_aOwnPens.end() && own->first == index ? own->second : (*m_pDefaultPens)[index];
}

HpglPen& SslHpglPens::OwnPen(std::uint32_t index) {
    auto own = std::lower_bound(m_aOwnPens.begin(), m_aOwnPens.end(), index,
                                [](const auto& pen, std::uint32_t i) { return pen.first < i; });
    if (own == m_aOwnPens.end() || own->first != index)
        own = m_aOwnPens.emplace(own, index, (*m_pDefaultPens)[index]);
    return own->second;
}

std::uint32_t SslHpglPens::IndexOf(std::uint32_t pen) const {
    if (pen < m_nFirstPenNumber || pen - m_nFirstPenNumber >= m_nPenCount)
        return kPenSlots;
    return pen - m_nFirstPenNumber;
}

const HpglPen& SslHpglPens::GetPen(std::uint32_t index) const {
    if (index >= kPenSlots)
        ThrowNewError(RMCSslErrors(), RMCSslErrors::kIndexOutOfRange, "m_aPens", TString(index),
                      TString(kPenSlots));
    return Pen(index);
}

TString SslHpglPens::ToString() const {
    if (!m_bOn)
        return m_sName + " off";
    const unsigned int page = WritesPage();
    std::string text = m_sName.str() + "  " + Pen(0).ToString(page).str() + "\r\n";
    if (m_nPenCount < 2)
        return TString(std::move(text));
    // The pens in order: the own pens are sorted, so one cursor walks them.
    auto own = m_aOwnPens.begin();
    const auto penAt = [this, &own](std::uint32_t index) -> const HpglPen& {
        while (own != m_aOwnPens.end() && own->first < index)
            ++own;
        return own != m_aOwnPens.end() && own->first == index ? own->second
                                                              : (*m_pDefaultPens)[index];
    };
    HpglPen run = penAt(1);
    run.SetLastNumber(run.GetNumber());
    for (std::uint32_t i = 2; i < m_nPenCount; ++i) {
        const HpglPen& pen = penAt(i);
        if (pen == run) {
            run.SetLastNumber(pen.GetNumber());
            continue;
        }
        text += "\t+ ";
        text += run.ToString(page).str();
        text += "\r\n";
        run = pen;
        run.SetLastNumber(run.GetNumber());
    }
    text += "\t+ ";
    text += run.ToString(page).str();
    return TString(std::move(text));
}

TString SslHpglPens::ToCfg() const {
    TString text;
    if (!m_bOn)
        return text;
    for (std::uint32_t i = 0; i < m_nPenCount; ++i)
        text += Pen(i).ToCfg() + "\r\n";
    return text;
}

template <typename Setter>
unsigned int SslHpglPens::SetRange(std::uint32_t first, std::uint32_t last, Setter set) {
    const std::uint32_t from = IndexOf(first);
    const std::uint32_t to = IndexOf(last);
    if (first > last || from == kPenSlots || to == kPenSlots)
        return 0;
    // One pass over the sorted own pens: room for the range's missing pens first (for
    // at least a plotter's usual eight, as tickets mostly set pens a line at a time),
    // then each is inserted where it belongs.
    const auto byIndex = [](const auto& pen, std::uint32_t i) { return pen.first < i; };
    const auto start = std::lower_bound(m_aOwnPens.begin(), m_aOwnPens.end(), from, byIndex);
    const auto owned = std::lower_bound(start, m_aOwnPens.end(), to + 1, byIndex) - start;
    const auto offset = start - m_aOwnPens.begin();
    constexpr std::size_t kUsualPens = 8;
    m_aOwnPens.reserve(std::max(
        kUsualPens, m_aOwnPens.size() + (to - from + 1) - static_cast<std::size_t>(owned)));
    auto own = m_aOwnPens.begin() + offset;
    unsigned int result = 1;
    for (std::uint32_t i = from; i <= to; ++i, ++own) {
        if (own == m_aOwnPens.end() || own->first != i)
            own = m_aOwnPens.emplace(own, i, (*m_pDefaultPens)[i]);
        result = set(own->second) && result ? 1 : 0;
    }
    if (result)
        m_bOn = 1;
    return result;
}

unsigned int SslHpglPens::SetColor(std::uint32_t color, std::uint32_t first, std::uint32_t last) {
    return SetRange(first, last, [color](HpglPen& pen) { return pen.SetColor(color); });
}

unsigned int SslHpglPens::SetWidth(double width, std::uint32_t first, std::uint32_t last) {
    return SetRange(first, last, [width](HpglPen& pen) { return pen.SetWidth(width); });
}

unsigned int SslHpglPens::SetSaturation(std::uint32_t saturation, std::uint32_t first,
                                        std::uint32_t last) {
    return SetRange(first, last,
                    [saturation](HpglPen& pen) { return pen.SetSaturation(saturation); });
}

unsigned int SslHpglPens::SetPage(std::uint32_t page, std::uint32_t first, std::uint32_t last) {
    return SetRange(first, last, [page](HpglPen& pen) { return pen.SetPage(page); });
}

std::uint32_t SslHpglPens::GetColor(std::uint32_t pen) const {
    const std::uint32_t i = IndexOf(pen);
    return i < kPenSlots ? Pen(i).GetColor() : 0;
}

double SslHpglPens::GetWidth(std::uint32_t pen) const {
    const std::uint32_t i = IndexOf(pen);
    return i < kPenSlots ? Pen(i).GetWidth() : 0.0;
}

std::uint32_t SslHpglPens::GetSaturation(std::uint32_t pen) const {
    const std::uint32_t i = IndexOf(pen);
    return i < kPenSlots ? Pen(i).GetSaturation() : 0;
}

std::uint32_t SslHpglPens::GetPage(std::uint32_t pen) const {
    const std::uint32_t i = IndexOf(pen);
    return i < kPenSlots ? Pen(i).GetPage() : 0;
}

void SslHpglPens::ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit,
                              std::uint32_t resolution) {
    // Only pens whose width changes get their own copy.
    for (std::uint32_t i = 0; i < kPenSlots; ++i) {
        HpglPen converted = Pen(i);
        converted.ConvertUnit(fromUnit, toUnit, resolution);
        if (converted.GetWidth() != Pen(i).GetWidth())
            OwnPen(i) = converted;
    }
}

template <typename Visit>
bool SslHpglPens::VisitDifferingPens(const SslHpglPens& other, Visit visit) const {
    if (m_pDefaultPens != other.m_pDefaultPens || m_nPenCount != other.m_nPenCount) {
        for (std::uint32_t i = 0; i < m_nPenCount; ++i) {
            if ((i >= other.m_nPenCount || Pen(i) != other.Pen(i)) && !visit(i))
                return false;
        }
        return true;
    }
    // Both start from the same defaults: only the pens either table owns can differ,
    // so one walk over both sorted lists of own pens finds them.
    auto a = m_aOwnPens.begin();
    auto b = other.m_aOwnPens.begin();
    for (;;) {
        const std::uint32_t atA = a != m_aOwnPens.end() ? a->first : kPenSlots;
        const std::uint32_t atB = b != other.m_aOwnPens.end() ? b->first : kPenSlots;
        const std::uint32_t index = std::min(atA, atB);
        if (index >= m_nPenCount)
            return true;
        const HpglPen& x = atA == index ? (a++)->second : (*m_pDefaultPens)[index];
        const HpglPen& y = atB == index ? (b++)->second : (*m_pDefaultPens)[index];
        if (x != y && !visit(index))
            return false;
    }
}

bool SslHpglPens::operator==(const SslHpglPens& other) const {
    if (this == &other)
        return true;
    return m_bOn == other.m_bOn && m_nPenCount == other.m_nPenCount &&
           VisitDifferingPens(other, [](std::uint32_t) { return false; });
}

std::vector<std::uint32_t> SslHpglPens::DifferingPens(const SslHpglPens& other) const {
    std::vector<std::uint32_t> differing;
    if (this != &other) {
        VisitDifferingPens(other, [&](std::uint32_t index) {
            differing.push_back(index);
            return true;
        });
    }
    return differing;
}

unsigned int SslHpglPens::SetString(const std::string& text, std::uint32_t member,
                                    std::uint32_t element) {
    if (member >= kPenSlots)
        return 0;
    const unsigned int result = OwnPen(member).SetString(text, element);
    if (result)
        m_bOn = 1;
    return result;
}

std::string SslHpglPens::GetString(std::uint32_t member, std::uint32_t element) const {
    return member < kPenSlots ? Pen(member).GetString(element) : std::string();
}

TString SslHpglPens::GetArrayElementName(std::uint32_t element) {
    return TString::Format("Pen %02u", element);
}

std::uint32_t SslHpglPens::GetContainedType(std::uint32_t member) const {
    return Pen(0).GetContainedType(member);
}

std::uint32_t SslHpglPens::GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                                       const RCStatementInfluencingCapaRefined* capas) const {
    return Pen(0).GetKeywords(keywords, member, capas);
}

TString SslHpglPens::GetSubStatementName(std::uint32_t member) {
    HpglPen pen = Pen(0);
    return pen.GetSubStatementName(member);
}

// --- the CalComp and VIC tables ------------------------------------------------------------

SslCalcompPens::SslCalcompPens()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID], 1, 16,
                        DefaultPens<1>()) {}

const std::array<std::uint8_t, SslHpglPens::kPenSlots> SslVicPens::m_anGreyTable =
    MakeVicGreyTable();

SslVicPens::SslVicPens()
    : TSslStatementImpl(kSslStatementTypes[m_StatementID], kSslStatementNames[m_StatementID], 0,
                        kPenSlots, DefaultVicPens()) {}
