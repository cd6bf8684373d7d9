// ssl2 convert, embed and cfg: the ticket written in another form.
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/SetJson.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

struct RSWriteOptions {
    std::string m_sTicket;
    std::string m_sOutput = "-";
    std::string m_sDialect = "5.0";
    std::string m_sAccess;
    std::optional<std::uint32_t> m_nOldAccess;
    bool m_bFlattenNotes = false;
    bool m_bUtf16 = false;
    bool m_bFromJson = false;
    std::string m_sDirectory;
    std::uint32_t m_nResolution = kDefaultResolution;
};

/// The options every writing subcommand shares.
void AddDialectOption(CLI::App* sub, RSWriteOptions& options) {
    sub->add_option("--dialect", options.m_sDialect, "SSL dialect to write (default 5.0)")
        ->check(CLI::IsMember(DialectNames()));
}

void AddAccessOptions(CLI::App* sub, RSWriteOptions& options) {
    CLI::Option* hex = sub->add_option(
        "--access", options.m_sAccess,
        "write only the statements permitted by this access value (32 hexadecimal digits)");
    CLI::Option* old =
        sub->add_option("--old-access", options.m_nOldAccess,
                        "the same as an old-style group word (decimal); excludes --access");
    hex->excludes(old);
}

/// Little-endian UTF-16 with byte-order mark.
std::string Utf16Bytes(const TString& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text.AsUnicode()) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

/// The ticket a JSON file (as "show --json" writes it) describes, to be written in
/// `dialect`.  The first fault is reported with
/// the JSON path of the value at fault; raises RCToolError (exit 1) then.
RSLoadedTicket LoadJsonTicket(const std::string& path, SslStatement::TSyntaxVersion dialect) {
    RSLoadedTicket ticket;
    ticket.m_sPath = path == "-" ? kStandardInputName : path;
    const std::string text = ReadInput(path);
    try {
        ticket.m_Set = SetFromJson(text, dialect);
    } catch (const nlohmann::json::parse_error& e) {
        // "[json.exception.parse_error.101] parse error at line 1, ...": without the tag.
        const std::string what = e.what();
        throw RCToolError(ticket.m_sPath + ": " + what.substr(what.find(']') + 2),
                          kExitInputErrors);
    } catch (const RCJsonTicketError& e) {
        throw RCToolError(ticket.m_sPath + ": " + e.what() + "; nothing written", kExitInputErrors);
    }
    return ticket;
}

void RunConvert(const RSWriteOptions& options) {
    const RCAccessSsl access = AccessFromOptions(options.m_sAccess, options.m_nOldAccess);
    const SslStatement::TSyntaxVersion dialect = DialectFromText(options.m_sDialect);
    const RSLoadedTicket ticket = options.m_bFromJson
                                      ? LoadJsonTicket(options.m_sTicket, dialect)
                                      : LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);
    const TString text = ticket.m_Set.ToString(access, dialect, options.m_bFlattenNotes ? 1 : 0);
    WriteOutput(options.m_sOutput, options.m_bUtf16 ? Utf16Bytes(text) : text.AsFileBytes());
    if (options.m_sOutput != "-") {
        std::cout << options.m_sOutput << ": written in dialect " << options.m_sDialect
                  << (options.m_bUtf16 ? " (UTF-16)" : "") << ", " << ticket.m_Set.Size() - 1
                  << " files\n";
    }
}

void RunEmbed(const RSWriteOptions& options) {
    const RCAccessSsl access = AccessFromOptions(options.m_sAccess, options.m_nOldAccess);
    const RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);
    // The embedding takes lines separated by LF alone and no final line end; the CRs
    // inside quoted texts (long strings keep their line breaks) are part of the value.
    const std::u16string written =
        ticket.m_Set.ToString(access, DialectFromText(options.m_sDialect), 0).AsUnicode();
    std::u16string text;
    bool quoted = false;
    for (std::size_t i = 0; i < written.size(); ++i) {
        quoted = quoted != (written[i] == u'"');
        if (quoted || written[i] != u'\r' || i + 1 == written.size() || written[i + 1] != u'\n')
            text += written[i];
    }
    while (!text.empty() && text.back() == u'\n')
        text.pop_back();
    std::vector<unsigned short> units(text.begin(), text.end());
    units.push_back(0);
    std::string bytes(RCSslSet::Ssl2EmbeddedSsl(units.data(), nullptr), '\0');
    bytes.resize(RCSslSet::Ssl2EmbeddedSsl(units.data(), bytes.data()));
    if (options.m_sOutput == "-" && ::isatty(STDOUT_FILENO))
        bytes += '\n';
    WriteOutput(options.m_sOutput, bytes);
}

void RunCfg(const RSWriteOptions& options) {
    std::error_code ec;
    if (!std::filesystem::is_directory(options.m_sDirectory, ec))
        ThrowIoError("not a directory", options.m_sDirectory, ec ? ec.value() : 0);
    RSLoadedTicket ticket = LoadTicket(options.m_sTicket, options.m_nResolution);
    RequireCleanTicket(ticket, std::cerr);
    RCToolLog log;
    const int files = ticket.m_Set.ToCfg(options.m_sDirectory);
    std::cout << options.m_sDirectory << ": " << files << " \".cfg\" "
              << (files == 1 ? "file" : "files") << " written\n";
}

}  // namespace

void AddConvertCommands(CLI::App& app, int& status) {
    auto convert = std::make_shared<RSWriteOptions>();
    CLI::App* sub = app.add_subcommand(
        "convert",
        "Write a ticket in another dialect, under an access value; or, with --from-json, the "
        "ticket a JSON file describes (the form \"show --json\" writes, short or full). "
        "Nothing is written when the input has errors (exit 1).");
    sub->add_option("ticket", convert->m_sTicket,
                    "SSL ticket file, or JSON with --from-json (\"-\": standard input)")
        ->required();
    sub->add_flag("--from-json", convert->m_bFromJson,
                  "read the ticket from JSON; faults are reported by JSON path");
    sub->add_option("-o,--output", convert->m_sOutput, "output file (\"-\": standard output)")
        ->required();
    AddDialectOption(sub, *convert);
    AddResolutionOption(*sub, convert->m_nResolution);
    AddAccessOptions(sub, *convert);
    sub->add_flag("--flatten-notes", convert->m_bFlattenNotes,
                  "write the line breaks of the job's notes as blanks");
    sub->add_flag("--utf16", convert->m_bUtf16, "write UTF-16 with byte-order mark");
    sub->callback([convert, &status] {
        RunConvert(*convert);
        status = kExitOk;
    });

    auto embed = std::make_shared<RSWriteOptions>();
    sub = app.add_subcommand("embed", "Write a ticket as PJL comment lines, for printer streams.");
    sub->add_option("ticket", embed->m_sTicket, "SSL ticket file")->required();
    sub->add_option("-o,--output", embed->m_sOutput,
                    "output file (default \"-\": standard output)");
    AddDialectOption(sub, *embed);
    AddResolutionOption(*sub, embed->m_nResolution);
    AddAccessOptions(sub, *embed);
    sub->callback([embed, &status] {
        RunEmbed(*embed);
        status = kExitOk;
    });

    auto cfg = std::make_shared<RSWriteOptions>();
    sub = app.add_subcommand(
        "cfg",
        "Export the plot configuration: one \".cfg\" file and one copy of the data file "
        "per printed file.");
    sub->add_option("ticket", cfg->m_sTicket, "SSL ticket file")->required();
    sub->add_option("--dir", cfg->m_sDirectory, "existing directory to write into")->required();
    AddResolutionOption(*sub, cfg->m_nResolution);
    sub->callback([cfg, &status] {
        RunCfg(*cfg);
        status = kExitOk;
    });
}

}  // namespace ssl2tool
