// Page ranges: which pages of a document a ticket selects, for counting pages.
//
// Syntax (blanks allowed anywhere between the parts): a list of items separated by
// ',' or ';' or blanks; an item is a page "7", a range "2-4", an open range "5-"
// (to the last page) or "-3" (from the first page), or one of the words "even" and
// "odd" (any case), which keeps only the even or odd pages of the selection.  An
// empty list (or a list of only "even"/"odd") selects every page.  Pages count from
// 1.  Values and objects are plain data: use one parser per thread.
//
//   RCPageRangeParser p;
//   p.ParseStringWithEvenOdd("1-10 odd");
//   p.ApplyEvenOdd(8);       // the document has 8 pages
//   p.Size();                // 4: pages 1, 3, 5, 7
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "ssl2/base/TString.h"

/// The pages selected: ascending, disjoint ranges and an even/odd filter.
class RCTurnStyleContext {
public:
    /// Which pages of the ranges count.
    enum TEvenOdd { kAllPages = 0, kEvenPages = 1, kOddPages = 2 };

    /// Number of pages selected (0 before ApplyEvenOdd).
    std::uint32_t Size() const;

protected:
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_aSelected;  ///< first and last page
    TEvenOdd m_nEvenOdd = kAllPages;                                   ///< the filter
};

/// Reads a page-range text and resolves it for a document.
class RCPageRangeParser : public RCTurnStyleContext {
public:
    /// Reads a page-range text; returns non-zero on success.  On failure nothing
    /// is restricted: ApplyEvenOdd then selects every page.
    int ParseStringWithEvenOdd(const TString& text);
    /// Resolves the parsed ranges for a document of `pageCount` pages: clips them
    /// to 1..pageCount, joins overlaps and applies the even/odd choice.
    void ApplyEvenOdd(std::uint32_t pageCount);
    /// The even/odd filter read.
    TEvenOdd GetEvenOdd() const { return m_nEvenOdd; }

private:
    /// Parsed ranges, with UINT32_MAX as the end of an open range.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_aRanges;
};
