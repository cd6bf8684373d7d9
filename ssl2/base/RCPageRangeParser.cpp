#include "ssl2/base/RCPageRangeParser.h"

#include <algorithm>
#include <limits>

namespace {

constexpr std::uint32_t kOpenEnd = std::numeric_limits<std::uint32_t>::max();

// Pages of [first, last] that pass the filter.
std::uint64_t CountIn(std::uint64_t first, std::uint64_t last, RCTurnStyleContext::TEvenOdd which) {
    switch (which) {
        case RCTurnStyleContext::kOddPages:
            return (last + 1) / 2 - first / 2;
        case RCTurnStyleContext::kEvenPages:
            return last / 2 - (first - 1) / 2;
        default:
            return last - first + 1;
    }
}

class Scanner {
public:
    explicit Scanner(const std::string& text) : m_s(text) {}

    void SkipBlanks() {
        while (m_pos < m_s.size() && (m_s[m_pos] == ' ' || m_s[m_pos] == '\t'))
            ++m_pos;
    }
    bool AtEnd() const { return m_pos >= m_s.size(); }
    bool Take(char c) {
        if (AtEnd() || m_s[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }
    bool AtDigit() const { return !AtEnd() && m_s[m_pos] >= '0' && m_s[m_pos] <= '9'; }
    /// A page number 1..UINT32_MAX-1; false on overflow or 0.
    bool Number(std::uint32_t& value) {
        std::uint64_t v = 0;
        while (AtDigit()) {
            v = v * 10 + static_cast<std::uint64_t>(m_s[m_pos++] - '0');
            if (v >= kOpenEnd)
                return false;
        }
        value = static_cast<std::uint32_t>(v);
        return v > 0;
    }
    /// A word of letters, lower-cased.
    TString Word() {
        TString word;
        while (!AtEnd() && ((m_s[m_pos] | 0x20) >= 'a' && (m_s[m_pos] | 0x20) <= 'z'))
            word += m_s[m_pos++];
        return word.LowCase();
    }

private:
    const std::string& m_s;
    std::size_t m_pos = 0;
};

}  // namespace

std::uint32_t RCTurnStyleContext::Size() const {
    std::uint64_t count = 0;
    for (const auto& [first, last] : m_aSelected)
        count += CountIn(first, last, m_nEvenOdd);
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(count, kOpenEnd));
}

int RCPageRangeParser::ParseStringWithEvenOdd(const TString& text) {
    m_aRanges.clear();
    m_aSelected.clear();
    m_nEvenOdd = kAllPages;
    auto fail = [this] {
        m_aRanges.clear();
        m_nEvenOdd = kAllPages;
        return 0;
    };
    Scanner in(text.str());
    for (;;) {
        in.SkipBlanks();
        if (in.AtEnd())
            break;
        if (in.Take(',') || in.Take(';'))
            continue;
        const bool fromStart = !in.AtDigit() && in.Take('-');
        if (fromStart || in.AtDigit()) {
            // A range "a", "a-b", "a-" or "-b".
            std::uint32_t first = 1, last = 0;
            if (fromStart) {
                in.SkipBlanks();
                if (!in.AtDigit() || !in.Number(last))
                    return fail();
            } else {
                if (!in.Number(first))
                    return fail();
                in.SkipBlanks();
                if (!in.Take('-')) {
                    last = first;
                } else {
                    in.SkipBlanks();
                    if (!in.AtDigit()) {
                        last = kOpenEnd;
                    } else if (!in.Number(last)) {
                        return fail();
                    }
                }
            }
            if (first > last)
                return fail();
            m_aRanges.emplace_back(first, last);
            continue;
        }
        const TString word = in.Word();
        TEvenOdd which = kAllPages;
        if (word == "even") {
            which = kEvenPages;
        } else if (word == "odd") {
            which = kOddPages;
        } else {
            return fail();
        }
        if (m_nEvenOdd != kAllPages && m_nEvenOdd != which)
            return fail();
        m_nEvenOdd = which;
    }
    return 1;
}

void RCPageRangeParser::ApplyEvenOdd(std::uint32_t pageCount) {
    m_aSelected.clear();
    if (pageCount == 0)
        return;
    if (m_aRanges.empty()) {
        m_aSelected.emplace_back(1, pageCount);
        return;
    }
    auto ranges = m_aRanges;
    std::sort(ranges.begin(), ranges.end());
    for (auto [first, last] : ranges) {
        if (first > pageCount)
            break;
        last = std::min(last, pageCount);
        if (!m_aSelected.empty() && first <= m_aSelected.back().second + std::uint64_t{1}) {
            m_aSelected.back().second = std::max(m_aSelected.back().second, last);
        } else {
            m_aSelected.emplace_back(first, last);
        }
    }
}
