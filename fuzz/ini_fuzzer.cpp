// Fuzz target: capability INI text through the INI reader and the capability records.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ssl2/capas/RCIniStringInterface.h"
#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    RCIniStringInterface ini;
    ini.SetDiagnosticHandler([](const RSReaderDiagnostic&) {});
    ini.ReadString(text);
    (void)ini.ToString();

    RCStatementInfluencingCapaRaw raw;
    raw.FromIniInterface(ini);
    RCStatementInfluencingCapaRefined refined;
    refined.Add(raw);
    refined.Add(raw);
    (void)refined.GetMedia().ToString();
    return 0;
}
