// Fuzz target of the tool's JSON ticket reader: any bytes as "convert --from-json"
// input.  Whatever is read is written as JSON again, and that JSON must read back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "tools/ssl2/SetJson.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    RCSslSet set;
    try {
        set = ssl2tool::SetFromJson(text, SslStatement::kVersion50);
    } catch (const ssl2tool::RCJsonTicketError&) {
        return 0;
    } catch (const nlohmann::json::exception&) {
        return 0;
    }
    std::ostringstream out;
    ssl2tool::WriteSetJson(out, "fuzz", set, false);
    try {
        ssl2tool::SetFromJson(out.str(), SslStatement::kVersion50);
    } catch (const std::exception&) {
        std::abort();  // what the tool writes, it reads
    }
    return 0;
}
