// Drawings of sheet layouts (SslLayout.h): one SVG per file entry, and one
// self-contained HTML page per ticket (a summary, a roll overview and a card per
// printed file), so that an operator sees what a ticket does to the paper.
//
// The SVG's user unit is the millimetre: its viewBox is the medium (0 0 width
// length), width and height are given in "mm".  Its parts carry the classes
// "medium", "margin", "print", "dimension", "stamp" and "finding", so that a page
// can style them and a test can find them.  The page needs no script and no
// network: styles and drawings are inline; "@media print" lays it out for paper.
//
//   std::string svg = SslLayoutSvg(SslComputeLayout(set, 1, &capas));
//   std::string page = SslPreviewHtml(set, &capas, "job.ssl");
//
// Thread rules: pure functions of their arguments.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "ssl2/layout/SslLayout.h"

/// The drawing of one layout as a standalone SVG document (UTF-8, with its own
/// styles).
std::string SslLayoutSvg(const RSSslLayout& layout);

/// Writes the preview page of `set` laid out on the plotters of `capas` (null: every
/// print on its own size) to `out` as it goes, card by card: memory stays that of a
/// few hundred layouts whatever the size of the page.  `title` names the ticket (its
/// path).  The roll overview draws the first 300 printed files at scale and sums up
/// the rest in one box.  Errors of `out` are left in its state.
void SslPreviewHtml(std::ostream& out, const RCSslSet& set,
                    const RCStatementInfluencingCapaRefined* capas, const std::string& title);

/// The same with the findings made by the caller (SslLayoutFindings(set, capas)), who
/// uses them for more than the page.
void SslPreviewHtml(std::ostream& out, const RCSslSet& set,
                    const RCStatementInfluencingCapaRefined* capas,
                    const std::vector<RSSslFinding>& findings, const std::string& title);

/// The same page as one string.
std::string SslPreviewHtml(const RCSslSet& set, const RCStatementInfluencingCapaRefined* capas,
                           const std::string& title);
