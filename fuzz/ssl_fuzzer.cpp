// Fuzz target of the SSL reader: any bytes as a ticket file through ParseSsl, and
// whatever was read written back and read again, from the file and as a text.
// Diagnostics are swallowed.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
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
            // A written ticket repeats its statements in every block, which the reader
            // of 8-bit files passes over where it can; the same text in UTF-16, read
            // token by token, must give the same set (when the file holds the text as
            // UTF-8: a lone surrogate in a value makes it read as Windows-1252).
            RCSslSet unicode;
            unicode.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
            unicode.ParseSslText(text, "text", 300);
            if (TString::IsUtf8(text.str()) &&
                (!(again == unicode).bEqual || again.ParsedTilEnd() != unicode.ParsedTilEnd()))
                std::abort();
        }
    }
    std::remove(TicketPath().c_str());
    return 0;
}
