// The integrators' mapping of member values: names, kinds, keywords, strict setting.
#include "ssl2/SSLStatements/SslMemberValues.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <memory>

#include "ssl2/SSLStatements/SslColor.h"
#include "ssl2/SSLStatements/SslHpglPens.h"
#include "ssl2/SSLStatements/SslNotes.h"
#include "ssl2/SSLStatements/SslSelectionStatement.h"
#include "ssl2/SSLStatements/SslStringStatement.h"

namespace {

// Whole members take signed 32-bit values (the text setters read them so); anything
// past them is refused before a setter could saturate or wrap it.
constexpr double kLowestWhole = std::numeric_limits<std::int32_t>::min();
constexpr double kHighestWhole = std::numeric_limits<std::int32_t>::max();
// Real members are shown with two or three decimals; a value read back further away
// than that was changed by its setter.
constexpr double kRealTolerance = 0.0051;
// Above every index of every selection class.
constexpr std::uint32_t kMaxSelectionIndex = 256;

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

std::string StripTail(std::string text) {
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

std::string Shown(const TMemberInput& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return "\"" + *text + "\"";
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(value));
    return ec == std::errc() ? std::string(buffer, end) : std::string("the number");
}

/// A decimal text with nothing around it: an optional '-', digits, and for a real
/// number an optional fraction.
bool ReadStrictNumber(const std::string& text, bool fraction, double& number) {
    const char* first = text.data();
    const char* last = first + text.size();
    if (first == last || text.find_first_not_of("-0123456789.") != std::string::npos ||
        (!fraction && text.find('.') != std::string::npos) || text == "-" || text == ".")
        return false;
    const auto [end, ec] = std::from_chars(first, last, number, std::chars_format::fixed);
    return ec == std::errc() && end == last && std::isfinite(number);
}

bool ReadStrictNumber(const std::string& text, double& number) {
    return ReadStrictNumber(text, true, number);
}

/// A real number as the library's text setters read it.
std::string RealText(double number) {
    return TString::Format("%.6f", number).str();
}

/// The whole numbers `value` may stand for, the likelier first: the number it gives
/// (as a number or a decimal text) and the number of the keyword it matches.  Sets
/// `whole` when it gives a whole number at all, in range or not.
std::vector<std::int64_t> WholeCandidates(
    const TMemberInput& value, const std::vector<std::pair<std::string, std::int64_t>>& keywords,
    bool& whole) {
    std::vector<std::int64_t> candidates;
    double number = 0.0;
    if (const auto* text = std::get_if<std::string>(&value)) {
        whole = ReadStrictNumber(*text, false, number);
    } else {
        number = std::get<double>(value);
        whole = std::isfinite(number) && number == std::trunc(number);
    }
    if (whole && number >= kLowestWhole && number <= kHighestWhole)
        candidates.push_back(static_cast<std::int64_t>(number));
    if (const auto* text = std::get_if<std::string>(&value)) {
        for (const auto& [keyword, index] : keywords) {
            if (Lower(keyword) == Lower(*text))
                candidates.push_back(index);
        }
    }
    return candidates;
}

std::string WholeRefusal(const TMemberInput& value, const std::string& what, bool whole,
                         const std::vector<std::pair<std::string, std::int64_t>>& keywords) {
    const std::string refused = Shown(value) + " is refused for " + what;
    if (keywords.empty())
        return refused + (whole ? ": out of range" : "; expected a whole number");
    std::vector<std::string> choices;
    for (const auto& keyword : keywords)
        choices.push_back(keyword.first);
    if (!whole)
        return refused + "; expected one of " + Join(choices);
    // A number picks a choice by its index, which a keyword that reads as a number
    // hides: say so, and how to give that keyword.
    std::vector<std::string> indexed;
    std::string hint;
    for (const auto& [keyword, index] : keywords) {
        indexed.push_back(keyword + " (" + std::to_string(index) + ")");
        if (const auto* number = std::get_if<double>(&value);
            number != nullptr && *number >= kLowestWhole && *number <= kHighestWhole &&
            keyword == std::to_string(static_cast<std::int64_t>(*number)))
            hint = "; for the keyword " + keyword + " give the text \"" + keyword +
                   "\" (or its index " + std::to_string(index) + ")";
    }
    return refused + ": out of range; a number is the index of a choice: " + Join(indexed) + hint;
}

double RealValue(const TMemberInput& value, const std::string& what) {
    double number = 0.0;
    const bool given = std::holds_alternative<std::string>(value)
                           ? ReadStrictNumber(std::get<std::string>(value), number)
                           : std::isfinite(number = std::get<double>(value));
    if (!given)
        throw RCMemberValueError(Shown(value) + " is refused for " + what + "; expected a number");
    return number;
}

std::string StatementWord(SslStatement& statement) {
    return statement.GetStatementName(0).str();
}

std::string MemberWhat(SslStatement& statement, std::uint32_t member) {
    const std::vector<std::string> names = SslMemberNames(statement);
    if (names.size() == 1)
        return StatementWord(statement);
    return StatementWord(statement) + " " + (member < names.size() ? names[member] : "?");
}

/// The text a text member takes, refused where the writer could not write it back.
const std::string& CheckedText(SslStatement& statement, const std::string& text) {
    if (text.find('"') != std::string::npos)
        throw RCMemberValueError("a double quote cannot be written in " + StatementWord(statement));
    // Plain texts are written on one line; the notes keep their line breaks as CR LF.
    if (dynamic_cast<SslStringStatement*>(&statement) == nullptr)
        return text;
    std::string rest = text;
    if (dynamic_cast<SslNotes*>(&statement) != nullptr) {
        for (std::size_t at = rest.find("\r\n"); at != std::string::npos; at = rest.find("\r\n"))
            rest.erase(at, 2);
    }
    if (rest.find_first_of("\r\n") != std::string::npos)
        throw RCMemberValueError("a line break cannot be written in " + StatementWord(statement) +
                                 (rest.size() == text.size() ? "" : " but as CR LF"));
    return text;
}

bool SameReal(double written, double read) {
    return std::fabs(written - read) <= kRealTolerance * std::fmax(1.0, std::fabs(written) / 1e4);
}

/// Applies `set` to a copy first and to `statement` only when the copy took the value
/// and reads it back as `check` expects; false when it did not.
template <typename Set, typename Check>
bool SetChecked(SslStatement& statement, const Set& set, const Check& check) {
    const std::unique_ptr<SslStatement> probe(statement.Clone());
    if (!probe || set(*probe) == 0 || !check(*probe))
        return false;
    set(statement);
    return true;
}

template <typename Set, typename Check>
void SetChecked(SslStatement& statement, const Set& set, const Check& check,
                const std::string& refused) {
    if (!SetChecked(statement, set, check))
        throw RCMemberValueError(refused);
}

}  // namespace

std::vector<std::string> SslMemberNames(SslStatement& statement) {
    static const TString kNotImplemented = "GetSubStatementName() not implemented";
    const std::uint32_t count = statement.GetContainedMemberCount();
    std::vector<std::string> names;
    for (std::uint32_t m = 0; m < count; ++m) {
        const TString name = statement.GetSubStatementName(m);
        std::string text = StripTail(name.str());
        if (text.empty() || name == kNotImplemented ||
            std::find(names.begin(), names.end(), text) != names.end())
            text = count == 1 ? "value" : "member" + std::to_string(m);
        names.push_back(std::move(text));
    }
    return names;
}

std::uint32_t SslFindMember(SslStatement& statement, std::string_view name) {
    const std::vector<std::string> names = SslMemberNames(statement);
    const std::string wanted = StripTail(std::string(name));
    for (std::uint32_t m = 0; m < names.size(); ++m) {
        if (names[m] == wanted)
            return m;
    }
    throw RCMemberValueError(StatementWord(statement) + " has no member called \"" +
                             std::string(name) + "\"; expected one of " + Join(names));
}

TMemberKind SslMemberKind(const SslStatement& statement, std::uint32_t member) {
    std::uint32_t type = statement.GetContainedType(member);
    if (type == 0 && statement.GetContainedMemberCount() == 1)
        type = SslStatement::GetMemberType(statement.GetStatementID());
    if ((type & (SslStatement::kMemberNumber | SslStatement::kMemberSelection |
                 SslStatement::kMemberSelectionOptions)) != 0)
        return TMemberKind::kWhole;
    return (type & SslStatement::kMemberReal) != 0 ? TMemberKind::kReal : TMemberKind::kText;
}

std::vector<std::pair<std::string, std::int64_t>> SslMemberKeywords(SslStatement& statement,
                                                                    std::uint32_t member) {
    std::vector<std::pair<std::string, std::int64_t>> keywords;
    if (auto* selection = dynamic_cast<SslSelectionStatement*>(&statement);
        selection && member == 0) {
        const std::unique_ptr<SslStatement> probe(selection->Clone());
        auto& values = static_cast<SslSelectionStatement&>(*probe);
        // Some classes leave gaps between their indexes, so every index is tried.
        for (std::uint32_t i = 0; i < kMaxSelectionIndex; ++i) {
            const std::string keyword = values.Set(i) != 0 ? values.GetKeyword().str() : "";
            if (!keyword.empty() && keyword.back() != ' ')
                keywords.emplace_back(keyword, i);
        }
        return keywords;
    }
    const RSIndexString* list = nullptr;
    const std::uint32_t count = statement.GetKeywords(list, member, nullptr);
    for (std::uint32_t k = 0; list != nullptr && k < count; ++k)
        keywords.emplace_back(list[k].m_sText.str(), list[k].m_nIndex);
    return keywords;
}

TMemberValue SslGetMemberValue(const SslStatement& statement, std::uint32_t member,
                               std::uint32_t element) {
    std::string text = statement.GetString(member, element);
    double number = 0.0;
    switch (SslMemberKind(statement, member)) {
        case TMemberKind::kWhole:
            if (ReadStrictNumber(text, false, number))
                return static_cast<std::int64_t>(number);
            return text;
        case TMemberKind::kReal:
            if (ReadStrictNumber(text, number))
                return number;
            return text;
        default:
            return text;
    }
}

void SslSetMemberValue(SslStatement& statement, std::uint32_t member, std::uint32_t element,
                       const TMemberInput& value) {
    const std::string what = MemberWhat(statement, member);
    // A colour emulation numbers its entries as members beyond its member count.
    if (member >= statement.GetContainedMemberCount() && statement.GetContainedType(member) == 0)
        throw RCMemberValueError(StatementWord(statement) + " has no member " +
                                 std::to_string(member));
    const std::string refused = Shown(value) + " is refused for " + what;
    std::string text;
    switch (SslMemberKind(statement, member)) {
        case TMemberKind::kWhole: {
            const auto keywords = SslMemberKeywords(statement, member);
            bool whole = false;
            for (const std::int64_t number : WholeCandidates(value, keywords, whole)) {
                text = std::to_string(number);
                const auto set = [&](SslStatement& target) {
                    return target.SetString(text, member, element);
                };
                const auto check = [&](const SslStatement& probe) {
                    return SslGetMemberValue(probe, member, element) == TMemberValue(number);
                };
                if (SetChecked(statement, set, check))
                    return;
            }
            throw RCMemberValueError(WholeRefusal(value, what, whole, keywords));
        }
        case TMemberKind::kReal: {
            const double number = RealValue(value, what);
            text = RealText(number);
            const auto check = [&](const SslStatement& probe) {
                const TMemberValue read = SslGetMemberValue(probe, member, element);
                return std::holds_alternative<double>(read) &&
                       SameReal(number, std::get<double>(read));
            };
            const auto set = [&](SslStatement& target) {
                return target.SetString(text, member, element);
            };
            SetChecked(statement, set, check, refused + ": out of range");
            return;
        }
        default:
            break;
    }
    const auto* given = std::get_if<std::string>(&value);
    if (given == nullptr)
        throw RCMemberValueError(refused + "; expected a text");
    CheckedText(statement, *given);
    const auto check = [&](const SslStatement& probe) {
        return probe.GetString(member, element) == *given;
    };
    const auto set = [&](SslStatement& target) {
        return target.SetString(*given, member, element);
    };
    SetChecked(statement, set, check, refused);
}

const std::vector<std::string>& SslPenMemberNames() {
    static const std::vector<std::string> names = {"width", "color", "saturation", "page"};
    return names;
}

TMemberValue SslGetPenValue(const SslHpglPens& pens, std::uint32_t index, std::string_view name) {
    const HpglPen& pen = pens.GetPen(index);
    if (name == "width")
        return pen.GetWidth();
    if (name == "color")
        return std::int64_t{pen.GetColor()};
    if (name == "saturation")
        return std::int64_t{pen.GetSaturation()};
    if (name == "page")
        return std::int64_t{pen.GetPage()};
    throw RCMemberValueError("no pen member called \"" + std::string(name) +
                             "\"; expected one of " + Join(SslPenMemberNames()));
}

void SslSetPenValue(SslHpglPens& pens, std::uint32_t number, std::string_view name,
                    const TMemberInput& value) {
    const std::string what =
        StatementWord(pens) + " pen " + std::to_string(number) + " " + std::string(name);
    const std::string refused = Shown(value) + " is refused for " + what + ": out of range";
    const std::uint32_t index = number - pens.GetFirstPenNumber();
    if (number < pens.GetFirstPenNumber() || index >= pens.GetPenCount())
        throw RCMemberValueError(what + ": no pen numbered " + std::to_string(number));
    if (name == "width") {
        const double width = RealValue(value, what);
        SetChecked(
            pens,
            [&](SslStatement& t) { return static_cast<SslHpglPens&>(t).SetWidth(width, number); },
            [&](const SslStatement& t) {
                return SameReal(width, static_cast<const SslHpglPens&>(t).GetPen(index).GetWidth());
            },
            refused);
        return;
    }
    std::vector<std::pair<std::string, std::int64_t>> keywords;
    if (name == "color") {
        for (std::uint32_t k = 0; k <= SslColor::kMaxColor; ++k)
            keywords.emplace_back(SslColor::m_asColorsPy[k].m_sText.str(),
                                  SslColor::m_asColorsPy[k].m_nIndex);
    } else if (name != "saturation" && name != "page") {
        SslGetPenValue(pens, index, name);  // raises the error that lists the members
    }
    bool whole = false;
    for (const std::int64_t candidate : WholeCandidates(value, keywords, whole)) {
        const auto taken = static_cast<std::uint32_t>(candidate);
        const auto set = [&](SslStatement& target) {
            auto& table = static_cast<SslHpglPens&>(target);
            return name == "color"        ? table.SetColor(taken, number)
                   : name == "saturation" ? table.SetSaturation(taken, number)
                                          : table.SetPage(taken, number);
        };
        const auto check = [&](const SslStatement& target) {
            return SslGetPenValue(static_cast<const SslHpglPens&>(target), index, name) ==
                   TMemberValue(candidate);
        };
        if (candidate >= 0 && SetChecked(pens, set, check))
            return;
    }
    throw RCMemberValueError(WholeRefusal(value, what, whole, keywords));
}
