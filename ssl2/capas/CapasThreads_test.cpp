// Several threads reading capability INI and RCF texts at once, each into objects of
// its own: the results must be those of one thread alone.  Suites named "...Threads"
// carry the ctest label "threads" and also run under ThreadSanitizer (make tsan).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ssl2/capas/RCIniStringInterface.h"
#include "ssl2/capas/RCRcfStringInterface.h"
#include "ssl2/capas/RCStatementInfluencingCapas.h"
#include "tests/support/CapasSupport.h"
#include "tests/support/Threads.h"

namespace {

using capas_test::Diagnostics;
using capas_test::Example;
using capas_test::ReadFile;
using ssl2::test::RunTogether;

/// An INI text with a stray first line, many sections and a syntax error near the end.
std::string IniText() {
    std::string text = "x=1\n";
    for (int s = 0; s < 20; ++s) {
        text += "[section" + std::to_string(s) + "]\n";
        for (int k = 0; k < 50; ++k)
            text += "Key" + std::to_string(k) + " = v" + std::to_string(k) + "\n";
    }
    return text + "[broken]\nnovalue\n[late]\na=1\n";
}

/// What one parse of `text` by a fresh `Reader` gives, as text.
template <class Reader>
std::string Outcome(const std::string& text) {
    Reader reader;
    Diagnostics diagnostics;
    reader.SetDiagnosticHandler(diagnostics.Handler());
    const std::uint32_t sections = reader.ReadString(text);
    return std::to_string(sections) + reader.ToString().str() + diagnostics.Errors() +
           diagnostics.Output();
}

// INI and RCF parses, with and without errors, and the capabilities of the example
// plotters merged, interleaved on every thread.
TEST(CapasReadersThreads, ParsesGiveWhatOneThreadAloneGets) {
    std::string rcf = "junk\nBEGMF \"title\";\r\n";
    for (int s = 0; s < 30; ++s)
        rcf += "SEC" + std::to_string(s) + " \"A=" + std::to_string(s) + ",B=x\";\r\n";
    const std::vector<std::string> plotters = {ReadFile(Example("rolljet_folder.ini")),
                                               ReadFile(Example("sheetpro_a3.ini")),
                                               ReadFile(Example("classic3000_v3.ini"))};
    const std::vector<std::string> ini = {IniText(), plotters[0]};
    const std::vector<std::string> rcfs = {rcf + "ENDMF;\r\n", rcf + "SEC \"K=1\"\x1b"};
    std::vector<std::string> expected;
    for (const auto& text : ini)
        expected.push_back(Outcome<RCIniStringInterface>(text));
    for (const auto& text : rcfs)
        expected.push_back(Outcome<RCRcfStringInterface>(text));
    const auto merged = [&plotters] {
        RCStatementInfluencingCapas capas;
        for (const auto& text : plotters)
            capas.AddPlotter(text);
        return capas.GetRefinedCapas("auto");
    };
    const auto expectedCapas = merged();

    std::vector<int> mismatches(6, 0);
    RunTogether(mismatches.size(), 10, [&](std::size_t t, int round) {
        const std::size_t k = (t + static_cast<std::size_t>(round)) % 2;
        if (Outcome<RCIniStringInterface>(ini[k]) != expected[k] ||
            Outcome<RCRcfStringInterface>(rcfs[k]) != expected[2 + k] ||
            !(merged() == expectedCapas))
            ++mismatches[t];
    });
    for (int m : mismatches)
        EXPECT_EQ(m, 0);
}

}  // namespace
