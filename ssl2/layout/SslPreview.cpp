// Drawings of sheet layouts: the SVG of a file and the HTML preview page of a
// ticket (SslPreview.h).  Numbers are written with std::to_chars, so the drawings
// read the same whatever locale the calling program has set.
#include "ssl2/layout/SslPreview.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <memory>
#include <ostream>
#include <sstream>

#include "ssl2/SSLStatements/SslStatements.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"
#include "ssl2/set/RCSslSet.h"

namespace {

/// Files drawn one by one in the roll overview; the rest are summed up in one box.
constexpr std::size_t kOverviewFiles = 300;
/// The roll overview wraps the roll into rows of this length (mm), like lines of text.
constexpr double kOverviewRowMm = 10000.0;

/// `value` with at most two decimals, without trailing zeros ("420.5", "297").
std::string Num(double value) {
    if (!std::isfinite(value) || std::abs(value) < 0.005)
        return "0";
    char buffer[64];
    const auto end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2).ptr;
    std::string text(buffer, end);
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.')
        text.pop_back();
    return text;
}

/// `text` safe inside XML and HTML text and attribute values.
std::string Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&#39;";
                break;
            default:
                // Control characters are not allowed in XML 1.0.
                out += static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' ? ' ' : c;
        }
    }
    return out;
}

std::string Escape(const TString& text) {
    return Escape(text.str());
}

std::string Rect(const char* cls, double x, double y, double width, double height) {
    return "<rect class=\"" + std::string(cls) + "\" x=\"" + Num(x) + "\" y=\"" + Num(y) +
           "\" width=\"" + Num(width) + "\" height=\"" + Num(height) + "\"/>";
}

std::string Rect(const char* cls, const RSSslBox& box) {
    return Rect(cls, box.m_dX, box.m_dY, box.m_dWidth, box.m_dHeight);
}

std::string Text(const char* cls, double x, double y, double size, const std::string& text,
                 const std::string& extra = std::string()) {
    return "<text class=\"" + std::string(cls) + "\" x=\"" + Num(x) + "\" y=\"" + Num(y) +
           "\" font-size=\"" + Num(size) + "\"" + extra + ">" + Escape(text) + "</text>";
}

/// The styles of the drawings; strokes keep their width at any scale.
constexpr const char* kSvgStyle =
    ".medium{fill:#fff;stroke:#555}"
    ".margin{fill:#eef3f8;stroke:#9ab;stroke-dasharray:4 3}"
    ".print{fill:#cfe0f5;stroke:#1f5fa8}"
    ".stamp rect{fill:#fff3c4;fill-opacity:.8;stroke:#b08900}"
    ".stamp text{fill:#5c4700}"
    ".dimension{stroke:#333;fill:#333}"
    ".dimension text{stroke:none}"
    "rect.finding{fill:none;stroke:#c62828;stroke-width:3;stroke-dasharray:8 4}"
    "text.finding{fill:#c62828;font-weight:bold}"
    "rect,line{vector-effect:non-scaling-stroke}"
    "text{font-family:sans-serif}";

/// The drawing's parts inside <svg>: medium, margins, print, dimensions, stamps, findings.
std::string SvgBody(const RSSslLayout& l) {
    const double width = l.m_dMediumWidth;
    const double length = l.m_dMediumLength;
    const double font = std::max(2.0, std::max(width, length) * 0.03);
    const RSSslBox& p = l.m_Print;
    const double* m = l.m_adMargins;  // top, left, bottom, right
    std::string svg = Rect("medium", 0, 0, width, length);
    if (m[0] + m[1] + m[2] + m[3] > 0)
        svg += Rect("margin", p.m_dX - m[1], p.m_dY - m[0], p.m_dWidth + m[1] + m[3],
                    p.m_dHeight + m[0] + m[2]);
    svg += Rect("print", p);
    // Dimension lines just inside the print's top and left edges.
    const double top = p.m_dY + font * 1.5;
    const double left = p.m_dX + font * 1.5;
    svg += "<g class=\"dimension\"><line x1=\"" + Num(p.m_dX) + "\" y1=\"" + Num(top) + "\" x2=\"" +
           Num(p.m_dX + p.m_dWidth) + "\" y2=\"" + Num(top) + "\"/>";
    svg += Text("dimension", p.m_dX + p.m_dWidth / 2, top - font * 0.3, font,
                Num(p.m_dWidth) + " mm", " text-anchor=\"middle\"");
    svg += "<line x1=\"" + Num(left) + "\" y1=\"" + Num(p.m_dY) + "\" x2=\"" + Num(left) +
           "\" y2=\"" + Num(p.m_dY + p.m_dHeight) + "\"/>";
    const std::string cx = Num(left - font * 0.3);
    const std::string cy = Num(p.m_dY + p.m_dHeight / 2);
    svg += Text("dimension", left - font * 0.3, p.m_dY + p.m_dHeight / 2, font,
                Num(p.m_dHeight) + " mm",
                " text-anchor=\"middle\" transform=\"rotate(-90 " + cx + " " + cy + ")\"");
    svg += "</g>";
    for (const RSSslStampBox& s : l.m_aStamps) {
        const RSSslBox& b = s.m_Box;
        const std::string centre =
            Num(b.m_dX + b.m_dWidth / 2) + " " + Num(b.m_dY + b.m_dHeight / 2);
        svg += "<g class=\"stamp\"" +
               (s.m_nRotate == 0 ? std::string()
                                 : " transform=\"rotate(-" + std::to_string(s.m_nRotate) + " " +
                                       centre + ")\"") +
               ">" + Rect("stamp", b) +
               Text("stamp", b.m_dX, b.m_dY + std::min(b.m_dHeight, font),
                    std::min(b.m_dHeight, font), s.m_sLabel.str()) +
               "</g>";
    }
    std::vector<std::string> problems;
    if (!l.m_bFits)
        problems.push_back("does not fit the medium");
    for (const RSSslFinding& f : l.m_aFindings)
        problems.push_back(f.m_sValue.str() + ": " + f.m_sMessage.str());
    if (!problems.empty()) {
        svg += Rect("finding", p);
        double y = p.m_dY + font * 3.5;
        for (const std::string& problem : problems) {
            svg += Text("finding", p.m_dX + font * 2.5, y, font * 0.7, "! " + problem);
            y += font * 1.3;
        }
    }
    return svg;
}

std::string SvgOpen(const RSSslLayout& l, bool standalone) {
    const std::string w = Num(l.m_dMediumWidth);
    const std::string h = Num(l.m_dMediumLength);
    return std::string(
               "<svg xmlns=\"http://www.w3.org/2000/svg\" class=\"layout\" viewBox=\"0 0 ") +
           w + " " + h + "\" width=\"" + w + "mm\" height=\"" + h + "mm\"" +
           (standalone ? "" : " preserveAspectRatio=\"xMidYMin meet\"") + "><title>" +
           Escape(l.m_sName) + ": " + Num(l.m_Print.m_dWidth) + " x " + Num(l.m_Print.m_dHeight) +
           " mm on " + w + " x " + h + " mm</title>";
}

// --- the page -------------------------------------------------------------------------

constexpr const char* kPageStyle =
    "body{font-family:system-ui,sans-serif;margin:0;padding:1rem;color:#222;background:#f4f5f7}"
    "h1{font-size:1.4rem;margin:.2rem 0}"
    "h2{font-size:1.05rem;margin:.2rem 0 .5rem;overflow-wrap:anywhere}"
    "dl.summary{display:grid;grid-template-columns:max-content 1fr;gap:.2rem 1rem;margin:.5rem 0}"
    "dl.summary dt{font-weight:600}dl.summary dd{margin:0}"
    ".cards{display:grid;grid-template-columns:repeat(auto-fill,minmax(18rem,1fr));gap:1rem}"
    ".card,.overview,header{background:#fff;border-radius:.4rem;padding:.8rem;"
    "box-shadow:0 1px 3px rgba(0,0,0,.15);margin-bottom:1rem}"
    ".card.unfit{border-left:.4rem solid #c62828}"
    ".card svg{display:block;width:100%;height:auto;max-height:60vh}"
    ".overview svg{display:block;width:100%;height:auto}"
    ".card ul{margin:.4rem 0;padding-left:1.2rem;font-size:.9rem}"
    "li.finding,p.finding{color:#c62828}"
    ".card code{font-size:.85rem}"
    ".more{fill:#ddd;stroke:#888}.overview rect.finding{fill:#f6c9c9}"
    "@media print{body{background:none;padding:0}.card,.overview,header{box-shadow:none;"
    "border:1px solid #999;break-inside:avoid}.cards{grid-template-columns:repeat(2,1fr)}}";

/// The statement's SSL line on one line ("Margin top 10.000, left 5.000, ...").
std::string StatementLine(const RCSslEntry& entry, TSslStatementID id) {
    std::string text = entry.GetStatement(id).ToString().str();
    for (std::size_t at; (at = text.find("\r\n\t+ ")) != std::string::npos;)
        text.replace(at, 5, ", ");
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

/// The statements that shape the print, as the ticket gives them (defaults left out).
constexpr TSslStatementID kKeyStatements[] = {
    kId_SslOutputSize,    kId_SslZoom,      kId_SslRotate,    kId_SslMargin,
    kId_SslMediaPosition, kId_SslMediaType, kId_SslOutputBin, kId_SslFold,
    kId_SslCopies,        kId_SslPageRange, kId_SslStamp};

std::string KeyStatements(const RCSslEntry& entry) {
    std::string html = "<ul class=\"statements\">";
    for (const TSslStatementID id : kKeyStatements) {
        const std::unique_ptr<SslStatement> standard(SslStatement::CreateSslObject(id));
        if (*standard == entry.GetStatement(id))
            continue;
        // The writer leaves the zoom out where a fixed output size replaces it.
        if (id == kId_SslZoom && entry.GetOutputSize().GetSizeType() != SslSize::kAuto)
            continue;
        html += "<li><code>" + Escape(StatementLine(entry, id)) + "</code></li>";
    }
    return html + "</ul>";
}

/// The statement's SSL name ("MediaType").
std::string NameOf(TSslStatementID id) {
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    std::string name = statement->GetStatementName(0).str();
    name.erase(name.find_last_not_of(' ') + 1);
    return name;
}

std::string FindingItems(const std::vector<RSSslFinding>& findings, const char* tag) {
    std::string html;
    for (const RSSslFinding& f : findings) {
        html += std::string("<") + tag + " class=\"finding\">" + Escape(NameOf(f.m_nStatement)) +
                " " + Escape(f.m_sValue) + ": " + Escape(f.m_sMessage) +
                " (offered: " + Escape(f.m_sOffered) + ")</" + tag + ">";
    }
    return html;
}

std::string Card(const RCSslEntry& entry, const RSSslLayout& l) {
    const bool unfit = !l.m_bFits || !l.m_aFindings.empty();
    std::string html = "<article class=\"card" + std::string(unfit ? " unfit" : "") +
                       "\" id=\"file-" + std::to_string(l.m_nEntry) + "\"><h2>" +
                       std::to_string(l.m_nEntry) + " &middot; " + Escape(l.m_sName) + "</h2>";
    html += SvgOpen(l, false) + SvgBody(l) + "</svg>";
    const char* medium[] = {"own size", "roll", "sheet"};
    html += "<p>" + Num(l.m_Print.m_dWidth) + " &times; " + Num(l.m_Print.m_dHeight) + " mm" +
            (l.m_bSizeKnown ? "" : " (size unknown, drawn as A4)") +
            (l.m_bTurnedToFit ? ", turned to fit" : "") + " on " + medium[l.m_eMedium] +
            (l.m_sTray.IsEmpty() ? "" : " &ldquo;" + Escape(l.m_sTray) + "&rdquo;") + " " +
            Num(l.m_dMediumWidth) + " &times; " + Num(l.m_dMediumLength) + " mm; " +
            std::to_string(l.m_nPages) + (l.m_nPages == 1 ? " page, " : " pages, ") +
            Num(l.m_dMediaLength) + " mm of media" +
            (l.m_sFold.IsEmpty() ? "" : "; fold " + Escape(l.m_sFold)) + "</p>";
    html += KeyStatements(entry);
    if (unfit) {
        html += "<ul class=\"findings\">";
        if (!l.m_bFits)
            html += "<li class=\"finding\">The print does not fit the medium.</li>";
        html += FindingItems(l.m_aFindings, "li") + "</ul>";
    }
    return html + "</article>";
}

/// What the page tells about the printed files as a whole, gathered in one pass over
/// the layouts: the first kOverviewFiles layouts (the roll overview draws them one by
/// one) and sums over all.
struct RSPrinted {
    std::vector<RSSslLayout> m_aFirst;
    std::size_t m_nCount = 0;
    std::uint64_t m_nPages = 0;
    double m_dMedia = 0.0;     ///< media length of all printed files (one set)
    double m_dRest = 0.0;      ///< media length of the files after m_aFirst
    double m_dRowWidth = 0.0;  ///< the widest medium

    void Add(RSSslLayout& l) {
        ++m_nCount;
        m_nPages += l.m_nPages;
        m_dMedia += l.m_dMediaLength;
        m_dRowWidth = std::max(m_dRowWidth, l.m_dMediumWidth);
        if (m_aFirst.size() < kOverviewFiles)
            m_aFirst.push_back(std::move(l));
        else
            m_dRest += l.m_dMediaLength;
    }
};

/// The roll as the plotter consumes it: the printed files one after another, the roll
/// wrapped into rows of kOverviewRowMm; past kOverviewFiles files one box sums up the rest.
std::string Overview(const RSPrinted& printed) {
    const double rowWidth = printed.m_dRowWidth;
    const double total = printed.m_dMedia;
    if (printed.m_nCount == 0 || total <= 0)
        return std::string();
    const double gap = rowWidth * 0.15;
    const double rowLength = std::min(kOverviewRowMm, total);
    const auto rows = static_cast<std::size_t>(std::ceil(total / rowLength - 1e-9));
    std::string svg;
    double position = 0;
    // Draws [position, position + length) of the roll, split over the rows it crosses.
    const auto segment = [&](double length, double across, double extent, const char* cls,
                             const std::string& label) {
        for (double done = 0; done < length - 1e-9;) {
            const auto row = static_cast<std::size_t>((position + done) / rowLength + 1e-9);
            const double offset = position + done - static_cast<double>(row) * rowLength;
            const double piece = std::min(length - done, rowLength - offset);
            const double y = static_cast<double>(row) * (rowWidth + gap);
            svg += Rect("medium", offset, y, piece, rowWidth);
            svg += "<g class=\"" + std::string(cls) + "\">" +
                   Rect(cls, offset, y + across, piece, extent) + "<title>" + Escape(label) +
                   "</title></g>";
            done += piece;
        }
        position += length;
    };
    for (const RSSslLayout& l : printed.m_aFirst) {
        const bool unfit = !l.m_bFits || !l.m_aFindings.empty();
        segment(l.m_dMediaLength, l.m_Print.m_dX, std::min(l.m_Print.m_dWidth, l.m_dMediumWidth),
                unfit ? "finding" : "print",
                std::to_string(l.m_nEntry) + " " + l.m_sName.str() + ": " + Num(l.m_dMediaLength) +
                    " mm");
    }
    const std::size_t drawn = printed.m_aFirst.size();
    const std::size_t more = printed.m_nCount - drawn;
    const std::string moreText = std::to_string(more) +
                                 (more == 1 ? " more file, " : " more files, ") +
                                 Num(printed.m_dRest) + " mm";
    if (more > 0)
        segment(printed.m_dRest, 0, rowWidth, "more", moreText);
    const std::string w = Num(rowLength);
    const std::string h = Num(static_cast<double>(rows) * (rowWidth + gap) - gap);
    return "<section class=\"overview\"><h2>Roll overview: " + Num(total) +
           " mm for one set, rows of " + Num(rowLength) + " mm</h2>" +
           (more > 0
                ? "<p>The first " + std::to_string(drawn) +
                      " files are drawn one by one; the grey box holds the " + moreText + ".</p>"
                : std::string()) +
           "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + w + " " + h +
           "\" preserveAspectRatio=\"xMinYMin meet\">" + svg + "</svg></section>";
}

std::string SummaryRow(const char* name, const std::string& value) {
    return std::string("<dt>") + name + "</dt><dd>" + value + "</dd>";
}

std::string Summary(const RCSslSet& set, const RSPrinted& printed,
                    const RCStatementInfluencingCapaRefined* capas, const std::string& title) {
    const RCSslEntry& job = set.GetEntry(0);
    const std::uint64_t pages = printed.m_nPages;
    const double media = printed.m_dMedia;
    const std::uint32_t sets = job.GetSetCopies();
    std::string plotters;
    for (std::uint32_t i = 0; capas != nullptr && i < capas->GetPlotterCount(); ++i)
        plotters += (i == 0 ? "" : ", ") + Escape(capas->GetPlotterName(i));
    const std::string name = job.GetJobName().IsEmpty() ? title : job.GetJobName().str();
    std::string html = "<header><h1>" + Escape(name) + "</h1><dl class=\"summary\">";
    html += SummaryRow("Ticket", Escape(title));
    html += SummaryRow("Account", Escape(job.GetAccount()));
    html += SummaryRow("User", Escape(job.GetUserNameA()));
    html += SummaryRow(
        "Dialect", Escape(SslVersion::m_asKeywords[std::min<std::uint32_t>(job.GetVersion(), 5)]));
    html += SummaryRow("Set copies", std::to_string(sets));
    html += SummaryRow("Printed files", std::to_string(printed.m_nCount) + " of " +
                                            std::to_string(std::max(set.Size() - 1, 0)));
    html += SummaryRow("Pages", std::to_string(pages * sets) + " (set copies included)");
    html += SummaryRow("Media", Num(media * sets) +
                                    " mm as laid out (set copies included); the "
                                    "ticket counts " +
                                    std::to_string(set.CountMillimeters(true)) + " mm");
    html += SummaryRow("Plotters",
                       plotters.empty() ? "none given: each print on its own size" : plotters);
    return html + "</dl>";
}

}  // namespace

std::string SslLayoutSvg(const RSSslLayout& layout) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + SvgOpen(layout, true) + "<style>" +
           kSvgStyle + "</style>" + SvgBody(layout) + "</svg>\n";
}

void SslPreviewHtml(std::ostream& out, const RCSslSet& set,
                    const RCStatementInfluencingCapaRefined* capas, const std::string& title) {
    SslPreviewHtml(out, set, capas, SslLayoutFindings(set, capas), title);
}

void SslPreviewHtml(std::ostream& out, const RCSslSet& set,
                    const RCStatementInfluencingCapaRefined* capas,
                    const std::vector<RSSslFinding>& findings, const std::string& title) {
    if (set.Size() == 0) {
        out << "<!DOCTYPE html><html lang=\"en\"><head><meta charset=\"utf-8\"><title>"
            << Escape(title)
            << "</title></head><body><p>The ticket holds no job.</p></body></html>\n";
        return;
    }
    // The summary and the overview come first and need the sums over all files: one
    // pass gathers them, a second lays the files out again card by card.
    RSPrinted printed;
    SslVisitLayouts(set, capas, findings, [&printed](RSSslLayout& l) {
        if (l.m_nPages > 0)
            printed.Add(l);
    });
    // The job's findings come first.
    const std::vector<RSSslFinding> jobFindings(
        findings.begin(), std::find_if(findings.begin(), findings.end(),
                                       [](const RSSslFinding& f) { return f.m_nEntry != 0; }));
    out << "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
           "<title>"
        << Escape(title) << " &ndash; ssl2 preview</title><style>" << kPageStyle << kSvgStyle
        << "</style></head><body>";
    out << Summary(set, printed, capas, title);
    out << FindingItems(jobFindings, "p") << "</header>";
    out << Overview(printed);
    printed.m_aFirst.clear();
    out << "<main class=\"cards\">";
    SslVisitLayouts(set, capas, findings, [&](RSSslLayout& l) {
        if (l.m_nPages > 0)
            out << Card(set.GetEntry(l.m_nEntry), l);
    });
    out << "</main></body></html>\n";
}

std::string SslPreviewHtml(const RCSslSet& set, const RCStatementInfluencingCapaRefined* capas,
                           const std::string& title) {
    std::ostringstream out;
    SslPreviewHtml(out, set, capas, title);
    return std::move(out).str();
}
