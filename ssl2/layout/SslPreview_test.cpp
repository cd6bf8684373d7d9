// SslLayoutSvg and SslPreviewHtml: what the drawings and the page show.
#include "ssl2/layout/SslPreview.h"

#include <gtest/gtest.h>

#include <string>

#include "ssl2/set/RCSslSet.h"

namespace {

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST(SslPreviewTest, SvgIsInMillimetresWithItsPartsNamed) {
    RSSslLayout layout;
    layout.m_sName = "<a & \"b\">.plt";
    layout.m_dMediumWidth = 600;
    layout.m_dMediumLength = 420.5;
    layout.m_Print = {150, 0, 297, 420.5};
    layout.m_adMargins[1] = 5;
    layout.m_aStamps.push_back({{160, 10, 30, 10}, 90, 1, "DRAFT <1>", false});
    layout.m_aFindings.push_back({1, kId_SslMediaType, "film", "paper", "no input tray holds it"});
    const std::string svg = SslLayoutSvg(layout);
    for (const char* part : {
             "viewBox=\"0 0 600 420.5\" width=\"600mm\" height=\"420.5mm\"",
             "<rect class=\"medium\" x=\"0\" y=\"0\" width=\"600\" height=\"420.5\"/>",
             "<rect class=\"print\" x=\"150\" y=\"0\" width=\"297\" height=\"420.5\"/>",
             "<rect class=\"margin\" x=\"145\" y=\"0\" width=\"302\"",
             ">297 mm</text>",
             ">420.5 mm</text>",
             "<g class=\"stamp\" transform=\"rotate(-90 175 15)\">",
             ">DRAFT &lt;1&gt;</text>",
             "<title>&lt;a &amp; &quot;b&quot;&gt;.plt: ",
             "<rect class=\"finding\" x=\"150\"",
             ">! film: no input tray holds it</text>",
         }) {
        EXPECT_NE(svg.find(part), std::string::npos) << part << "\nin " << svg;
    }
}

TEST(SslPreviewTest, PageHasACardPerPrintedFileAndSumsUpALongRoll) {
    RCSslSet set;
    RCSslEntry job(0);
    job.SetJobName("Tower & B");
    job.SetSetCopies(2);
    set.AddEntry(job);
    RCSslEntry file(job, 1);
    SslSize a4;
    a4.SetSizeType(SslSize::kFormat);
    a4.SetFormat(4);
    file.SetOutputSize(a4);
    for (int i = 0; i < 302; ++i) {
        file.SetName(TString("f" + std::to_string(i) + ".plt"));
        file.SetPlotIt(i == 0 ? 0 : 1);  // the first file is not printed
        set.AddEntry(file);
    }
    const std::string html = SslPreviewHtml(set, nullptr, "t.ssl");
    EXPECT_EQ(Count(html, "<article class=\"card\""), 301u);
    EXPECT_EQ(html.find("f0.plt"), std::string::npos);
    EXPECT_NE(html.find("<h1>Tower &amp; B</h1>"), std::string::npos);
    // 301 A4 pages of 297 mm, twice: 178794 mm; the ticket's own count agrees.
    EXPECT_NE(html.find("<dd>178794 mm as laid out (set copies included); the ticket counts "
                        "178794 mm</dd>"),
              std::string::npos);
    EXPECT_NE(html.find("<title>1 more file, 297 mm</title>"), std::string::npos);
    EXPECT_NE(html.find("@media print"), std::string::npos);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    // Nothing to fetch: the only URLs are the SVG namespace.
    EXPECT_EQ(Count(html, "http"), Count(html, "\"http://www.w3.org/2000/svg\""));
}

}  // namespace
