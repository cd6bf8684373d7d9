// ssl2 capas: the merged capabilities of plotters and the keyword lists that
// statements offer under them.
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <ostream>

#include "tools/ssl2/Commands.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

/// Statements whose choices depend most on the plotters, shown when none is named.
const char* const kDefaultStatements[] = {"MediaType", "OutputTray", "Fold"};

/// Display names of VEMTO::_TTrayType.
const char* const kTrayTypes[] = {"none",      "manual",        "roll",
                                  "cut sheet", "not available", "archive"};

struct RSCapasOptions {
    std::vector<std::string> m_asIniFiles;
    std::string m_sPlotter = "auto";
    std::vector<std::string> m_asStatements;
};

/// Raises an I/O failure (exit 2) when `path` cannot be read at all.
void RequireReadable(const std::string& path) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        ThrowIoError("cannot read", path, EISDIR);
    if (!std::ifstream(path, std::ios::binary))
        ThrowIoError("cannot read", path, errno);
}

/// Reads one capability file as the library does (byte-order marks, UTF-16) and
/// writes what its reader reported to `errors` as "file:line: message".  Returns
/// the plotter's capabilities, none when the file holds none; `clean` becomes false
/// when the reader reported anything (the plotter may lack part of its file).
std::optional<RCStatementInfluencingCapaRaw> ReadCapabilityFile(const std::string& path,
                                                                std::ostream& errors, bool& clean) {
    RequireReadable(path);
    RCIniStringInterface ini;
    ini.SetDiagnosticHandler([&](const RSReaderDiagnostic& d) {
        const std::string text = ToUtf8(TString(WithoutLineTail(d.m_sText.str(), d.m_nLine)));
        // Stray text goes to the standard output bare; say what it is.
        const std::string message = d.m_eStream == RSReaderDiagnostic::kStandardOutput
                                        ? "unrecognised text \"" + text + "\""
                                        : text;
        errors << path << ':' << d.m_nLine << ": " << message << '\n';
        clean = false;
    });
    if (ini.ReadFile(path) == 0) {
        errors << path << ": not a readable capability file\n";
        clean = false;
        return std::nullopt;
    }
    RCStatementInfluencingCapaRaw raw;
    raw.FromIniInterface(ini);
    return raw;
}

/// The identifier of the statement called `name` (any case).
std::optional<TSslStatementID> StatementByName(const std::string& name) {
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        const std::unique_ptr<SslStatement> statement(
            SslStatement::CreateSslObject(static_cast<TSslStatementID>(id)));
        const TString own = statement->GetStatementName(0);
        if (!own.IsEmpty() && own.CompareNoCase(TString(name)) == 0)
            return static_cast<TSslStatementID>(id);
    }
    return std::nullopt;
}

std::string Millimetres(const VEMTO::RCMetaUnitVemto& length) {
    return TString::Format("%.0f", length.AsMm()).str();
}

std::string TrayText(const SslCapas::RCInputTray& tray) {
    const auto type = static_cast<std::size_t>(tray.GetTrayType());
    return ToUtf8(tray.GetTrayName()) + " (" +
           (type < std::size(kTrayTypes) ? kTrayTypes[type] : "?") + ", " +
           Millimetres(tray.GetWidth()) + " x " + Millimetres(tray.GetLength()) + " mm, media " +
           std::to_string(tray.GetMedia()) + ")";
}

void PrintCapabilities(const RCStatementInfluencingCapaRefined& capas) {
    std::cout << "Plotters:";
    for (std::uint32_t i = 0; i < capas.GetPlotterCount(); ++i)
        std::cout << (i == 0 ? " " : ", ") << ToUtf8(capas.GetPlotterName(i));
    const std::uint32_t dialect = capas.GetSslSyntaxVersion();
    std::cout << "\nSSL dialect: "
              << (dialect >= 1 && dialect <= DialectNames().size() ? DialectNames()[dialect - 1]
                                                                   : "unknown")
              << TString::Format("\nColour depths: 0x%X", capas.GetColorDepths()) << "\nMedia:";
    for (std::uint32_t i = 0; i < capas.GetMediaCount(); ++i)
        std::cout << ' ' << capas.GetMedia(i);
    std::cout << "\nInput trays:\n";
    for (std::uint32_t i = 0; i < capas.GetInputTrayCount(); ++i)
        std::cout << "  " << TrayText(capas.GetInputTray(i)) << '\n';
    std::cout << "Largest input tray: " << TrayText(capas.GetLargestInputTray()) << '\n';
    std::cout << "Output trays:";
    for (std::uint32_t i = 0; i < capas.GetOutputTrayCount(); ++i) {
        const SslCapas::RCOutputTray& tray = capas.GetOutputTray(i);
        std::cout << (i == 0 ? " " : ", ") << tray.GetSslTrayNo() << ' '
                  << ToUtf8(tray.GetTrayName());
    }
    std::cout << "\nFold programs:";
    for (std::uint32_t i = 0; i < capas.GetFoldProgramCount(); ++i) {
        const SslCapas::RCFoldProgramCapas& program = capas.GetFoldProgram(i);
        std::cout << (i == 0 ? " " : ", ") << program.GetProgramNo() << ' '
                  << ToUtf8(program.GetProgramName());
    }
    std::cout << "\nFolder output trays:";
    for (std::uint32_t i = 0; i < capas.GetFolderOutputTrayCount(); ++i) {
        const SslCapas::RCOutputTray& tray = capas.GetFolderOutputTray(i);
        std::cout << (i == 0 ? " " : ", ") << tray.GetSslTrayNo() << ' '
                  << ToUtf8(tray.GetTrayName());
    }
    std::cout << '\n';
}

/// Every keyword list of the statement `id` under `capas`, one line per member.
void PrintKeywords(TSslStatementID id, const RCStatementInfluencingCapaRefined& capas) {
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    std::cout << "Keywords of " << ToUtf8(statement->GetStatementName(0)) << ":\n";
    bool any = false;
    const auto print = [](const std::string& label, const RSIndexString* keywords,
                          std::uint32_t count) {
        std::cout << "  " << label << ':';
        for (std::uint32_t k = 0; k < count; ++k)
            std::cout << ' ' << keywords[k].m_nIndex << '=' << ToUtf8(keywords[k].m_sText);
        std::cout << '\n';
    };
    // Selection statements offer their choices through their own keyword slot.
    if (const auto* selection = dynamic_cast<const SslSelectionStatement*>(statement.get())) {
        const RSIndexString* keywords = nullptr;
        const std::uint32_t count = selection->GetKeywords(keywords, &capas);
        if (count != 0 && keywords != nullptr) {
            any = true;
            print("value", keywords, count);
        }
    }
    for (std::uint32_t m = 0; m < statement->GetContainedMemberCount(); ++m) {
        const RSIndexString* keywords = nullptr;
        const std::uint32_t count = statement->GetKeywords(keywords, m, &capas);
        if (count == 0 || keywords == nullptr)
            continue;
        any = true;
        print(statement->GetContainedMemberCount() == 1 ? std::string("value")
                                                        : ToUtf8(statement->GetSubStatementName(m)),
              keywords, count);
    }
    if (!any)
        std::cout << "  (no keyword list)\n";
}

TExitCode RunCapas(const RSCapasOptions& options) {
    std::vector<TSslStatementID> statements;
    for (const std::string& name : options.m_asStatements) {
        const std::optional<TSslStatementID> id = StatementByName(name);
        if (!id)
            throw RCToolError("--statement: no statement called \"" + name + "\"", kExitUsage);
        statements.push_back(*id);
    }
    if (options.m_asStatements.empty()) {
        for (const char* name : kDefaultStatements) {
            if (const std::optional<TSslStatementID> id = StatementByName(name))
                statements.push_back(*id);
        }
    }

    RCStatementInfluencingCapas all;
    TExitCode result = kExitOk;
    for (const std::string& path : options.m_asIniFiles) {
        bool clean = true;
        const std::optional<RCStatementInfluencingCapaRaw> raw =
            ReadCapabilityFile(path, std::cerr, clean);
        if (!clean)
            result = kExitInputErrors;
        if (raw)
            all.AddPlotter(*raw);
    }
    if (all.GetPlotterCount() == 0)
        throw RCToolError("no capability file could be read", kExitInputErrors);
    const RCStatementInfluencingCapaRefined capas = all.GetRefinedCapas(options.m_sPlotter);
    if (capas.GetPlotterCount() == 0) {
        std::string known;
        for (std::uint32_t i = 0; i < all.GetPlotterCount(); ++i)
            known += (i == 0 ? "" : ", ") + all.GetPlotterName(i);
        throw RCToolError("--plotter: no plotter called \"" + options.m_sPlotter +
                              "\" (known: " + known + ", or auto)",
                          kExitUsage);
    }
    PrintCapabilities(capas);
    for (const TSslStatementID id : statements)
        PrintKeywords(id, capas);
    return result;
}

}  // namespace

void AddCapasCommand(CLI::App& app, int& status) {
    auto options = std::make_shared<RSCapasOptions>();
    CLI::App* sub = app.add_subcommand(
        "capas",
        "Read plotter capability INI files and show the capabilities of one plotter or of all "
        "merged (auto), with the keyword lists that statements offer under them.");
    sub->add_option("ini", options->m_asIniFiles, "capability INI files, one per plotter")
        ->required();
    sub->add_option("--plotter", options->m_sPlotter,
                    "a plotter's name, or auto for what every plotter can do (default)");
    sub->add_option("--statement", options->m_asStatements,
                    "statement whose keyword lists to show (repeatable; default: MediaType, "
                    "OutputTray, Fold)");
    sub->callback([options, &status] { status = RunCapas(*options); });
}

}  // namespace ssl2tool
