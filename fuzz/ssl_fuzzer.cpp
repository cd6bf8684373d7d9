// Fuzz target of the SSL reader: any bytes as a ticket file through ParseSsl, and
// whatever was read written back and read again.  Diagnostics are swallowed.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "ssl2/set/RCSslSet.h"

namespace {

const std::string& TicketPath() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("ssl2-ssl-fuzz-" + std::to_string(::getpid()) + ".ssl"))
                                        .string();
    return path;
}

bool WriteTicket(const std::uint8_t* data, std::size_t size) {
    FILE* file = std::fopen(TicketPath().c_str(), "wb");
    if (file == nullptr)
        return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!WriteTicket(data, size))
        return 0;
    RCSslSet set;
    set.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
    if (set.ParseSsl(TicketPath(), 300) > 0) {
        const TString text = set.ToString(SslStatement::kVersion50);
        if (WriteTicket(reinterpret_cast<const std::uint8_t*>(text.c_str()), text.GetLength())) {
            RCSslSet again;
            again.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
            again.ParseSsl(TicketPath(), 300);
        }
    }
    std::remove(TicketPath().c_str());
    return 0;
}
