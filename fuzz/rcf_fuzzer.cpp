// Fuzz target: RCF header text through the RCF reader.
#include <cstddef>
#include <cstdint>
#include <string>

#include "ssl2/capas/RCRcfStringInterface.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    RCRcfStringInterface rcf;
    rcf.SetDiagnosticHandler([](const RSReaderDiagnostic&) {});
    rcf.ReadString(text);
    const RCRcfStringInterface copy = rcf;
    (void)copy.ToString();
    for (const TString& section : copy.SectionNames()) {
        for (const TString& key : copy.KeyNames(section))
            rcf.DeleteKey(section, key, true);
    }
    return 0;
}
