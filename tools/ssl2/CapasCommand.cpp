// ssl2 capas: the merged capabilities of plotters and the keyword lists that
// statements offer under them, as text or, with --json, as one JSON document (see
// capas.schema.json).
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>

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
    bool m_bJson = false;
};

/// Something the reader of a capability file reported; line 0 for the whole file.
struct RSCapasProblem {
    std::string m_sFile;
    int m_nLine;
    std::string m_sMessage;
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
/// adds what its reader reported to `problems`.  Returns the plotter's
/// capabilities, none when the file holds none (the plotter may lack part of its
/// file when anything was reported).
std::optional<RCStatementInfluencingCapaRaw> ReadCapabilityFile(
    const std::string& path, std::vector<RSCapasProblem>& problems) {
    RequireReadable(path);
    RCIniStringInterface ini;
    ini.SetDiagnosticHandler([&](const RSReaderDiagnostic& d) {
        const std::string text = ToUtf8(TString(WithoutLineTail(d.m_sText.str(), d.m_nLine)));
        // Stray text goes to the standard output bare; say what it is.
        problems.push_back({path, d.m_nLine,
                            d.m_eStream == RSReaderDiagnostic::kStandardOutput
                                ? "unrecognised text \"" + text + "\""
                                : text});
    });
    if (ini.ReadFile(path) == 0) {
        problems.push_back({path, 0, "not a readable capability file"});
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

/// One keyword list: the member it belongs to ("value" for a statement's only
/// member) and its choices.
struct RSKeywordList {
    std::string m_sMember;
    std::vector<std::pair<std::uint32_t, std::string>> m_aChoices;
};

/// Every keyword list of the statement `id` under `capas`, one per member.
std::vector<RSKeywordList> KeywordLists(SslStatement& statement,
                                        const RCStatementInfluencingCapaRefined& capas) {
    std::vector<RSKeywordList> lists;
    const auto add = [&](std::string member, const RSIndexString* keywords, std::uint32_t count) {
        if (count == 0 || keywords == nullptr)
            return;
        while (!member.empty() && member.back() == ' ')
            member.pop_back();
        RSKeywordList& list = lists.emplace_back(RSKeywordList{std::move(member), {}});
        for (std::uint32_t k = 0; k < count; ++k)
            list.m_aChoices.emplace_back(keywords[k].m_nIndex, ToUtf8(keywords[k].m_sText));
    };
    // Selection statements offer their choices through their own keyword slot.
    if (const auto* selection = dynamic_cast<const SslSelectionStatement*>(&statement)) {
        const RSIndexString* keywords = nullptr;
        const std::uint32_t count = selection->GetKeywords(keywords, &capas);
        add("value", keywords, count);
    }
    for (std::uint32_t m = 0; m < statement.GetContainedMemberCount(); ++m) {
        const RSIndexString* keywords = nullptr;
        const std::uint32_t count = statement.GetKeywords(keywords, m, &capas);
        add(statement.GetContainedMemberCount() == 1 ? std::string("value")
                                                     : ToUtf8(statement.GetSubStatementName(m)),
            keywords, count);
    }
    return lists;
}

void PrintKeywords(const std::string& name, const std::vector<RSKeywordList>& lists) {
    std::cout << "Keywords of " << name << ":\n";
    for (const RSKeywordList& list : lists) {
        std::cout << "  " << list.m_sMember << ':';
        for (const auto& [index, text] : list.m_aChoices)
            std::cout << ' ' << index << '=' << text;
        std::cout << '\n';
    }
    if (lists.empty())
        std::cout << "  (no keyword list)\n";
}

nlohmann::ordered_json InputTrayJson(const SslCapas::RCInputTray& tray) {
    const auto type = static_cast<std::size_t>(tray.GetTrayType());
    return {{"name", ToUtf8(tray.GetTrayName())},
            {"type", type < std::size(kTrayTypes) ? kTrayTypes[type] : "?"},
            {"width", tray.GetWidth().AsMm()},
            {"length", tray.GetLength().AsMm()},
            {"media", static_cast<std::uint32_t>(tray.GetMedia())}};
}

/// The numbered trays or programs `count` and `at` give, as {"number", "name"}.
template <class At>
nlohmann::ordered_json NumberedJson(std::uint32_t count, At at) {
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto [number, name] = at(i);
        list.push_back({{"number", number}, {"name", ToUtf8(name)}});
    }
    return list;
}

/// The capabilities, the keyword lists of `statements` and the reader's problems as
/// one JSON document.
nlohmann::ordered_json CapasJson(const RCStatementInfluencingCapaRefined& capas,
                                 const std::vector<TSslStatementID>& statements,
                                 const std::vector<RSCapasProblem>& problems) {
    nlohmann::ordered_json plotters = nlohmann::ordered_json::array();
    for (std::uint32_t i = 0; i < capas.GetPlotterCount(); ++i)
        plotters.push_back(ToUtf8(capas.GetPlotterName(i)));
    const std::uint32_t dialect = capas.GetSslSyntaxVersion();
    nlohmann::ordered_json media = nlohmann::ordered_json::array();
    for (std::uint32_t i = 0; i < capas.GetMediaCount(); ++i)
        media.push_back(static_cast<std::uint32_t>(capas.GetMedia(i)));
    nlohmann::ordered_json inputTrays = nlohmann::ordered_json::array();
    for (std::uint32_t i = 0; i < capas.GetInputTrayCount(); ++i)
        inputTrays.push_back(InputTrayJson(capas.GetInputTray(i)));
    const auto outputTray = [](const SslCapas::RCOutputTray& tray) {
        return std::pair{tray.GetSslTrayNo(), tray.GetTrayName()};
    };
    nlohmann::ordered_json keywords = nlohmann::ordered_json::object();
    for (const TSslStatementID id : statements) {
        const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
        nlohmann::ordered_json& lists = keywords[ToUtf8(statement->GetStatementName(0))];
        lists = nlohmann::ordered_json::object();
        for (const RSKeywordList& list : KeywordLists(*statement, capas)) {
            nlohmann::ordered_json& choices = lists[list.m_sMember];
            for (const auto& [index, text] : list.m_aChoices)
                choices.push_back({{"value", index}, {"keyword", text}});
        }
    }
    nlohmann::ordered_json problemsJson = nlohmann::ordered_json::array();
    for (const RSCapasProblem& problem : problems) {
        nlohmann::ordered_json& item =
            problemsJson.emplace_back(nlohmann::ordered_json{{"file", problem.m_sFile}});
        if (problem.m_nLine != 0)
            item["line"] = problem.m_nLine;
        item["message"] = problem.m_sMessage;
    }
    return {{"plotters", std::move(plotters)},
            {"dialect", dialect >= 1 && dialect <= DialectNames().size()
                            ? nlohmann::ordered_json(DialectNames()[dialect - 1])
                            : nlohmann::ordered_json(nullptr)},
            {"colorDepths", capas.GetColorDepths()},
            {"media", std::move(media)},
            {"inputTrays", std::move(inputTrays)},
            {"largestInputTray", InputTrayJson(capas.GetLargestInputTray())},
            {"outputTrays",
             NumberedJson(capas.GetOutputTrayCount(),
                          [&](std::uint32_t i) { return outputTray(capas.GetOutputTray(i)); })},
            {"foldPrograms",
             NumberedJson(capas.GetFoldProgramCount(),
                          [&](std::uint32_t i) {
                              const SslCapas::RCFoldProgramCapas& program = capas.GetFoldProgram(i);
                              return std::pair{program.GetProgramNo(), program.GetProgramName()};
                          })},
            {"folderOutputTrays", NumberedJson(capas.GetFolderOutputTrayCount(),
                                               [&](std::uint32_t i) {
                                                   return outputTray(capas.GetFolderOutputTray(i));
                                               })},
            {"keywords", std::move(keywords)},
            {"problems", std::move(problemsJson)}};
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
    std::vector<RSCapasProblem> problems;
    for (const std::string& path : options.m_asIniFiles) {
        const std::size_t before = problems.size();
        const std::optional<RCStatementInfluencingCapaRaw> raw = ReadCapabilityFile(path, problems);
        if (!options.m_bJson) {
            for (std::size_t i = before; i < problems.size(); ++i) {
                const RSCapasProblem& problem = problems[i];
                std::cerr << problem.m_sFile
                          << (problem.m_nLine != 0 ? ":" + std::to_string(problem.m_nLine) : "")
                          << ": " << problem.m_sMessage << '\n';
            }
        }
        if (raw)
            all.AddPlotter(*raw);
    }
    const TExitCode result = problems.empty() ? kExitOk : kExitInputErrors;
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
    if (options.m_bJson) {
        std::cout << CapasJson(capas, statements, problems).dump(2) << '\n';
        return result;
    }
    PrintCapabilities(capas);
    for (const TSslStatementID id : statements) {
        const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
        PrintKeywords(ToUtf8(statement->GetStatementName(0)), KeywordLists(*statement, capas));
    }
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
    sub->add_flag("--json", options->m_bJson,
                  "write one JSON document: plotters, dialect, colour depths, media, trays, fold "
                  "programs, the keyword lists of the statements and the reader's problems "
                  "(file, line, message) instead of reporting them on standard error");
    sub->callback([options, &status] { status = RunCapas(*options); });
}

}  // namespace ssl2tool
