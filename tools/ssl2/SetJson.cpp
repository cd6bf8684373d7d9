// The JSON form of a job set, both ways.
#include "tools/ssl2/SetJson.h"

#include <map>
#include <memory>
#include <set>

#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

using nlohmann::json;
using nlohmann::ordered_json;

/// The JSON names of a statement's members: the statement's own member names where
/// it has usable ones, "value" for a single unnamed member, "member<n>" otherwise.
std::vector<std::string> MemberNames(SslStatement& statement) {
    static const TString kNotImplemented = "GetSubStatementName() not implemented";
    const std::uint32_t count = statement.GetContainedMemberCount();
    std::vector<std::string> names;
    std::set<std::string> seen;
    for (std::uint32_t m = 0; m < count; ++m) {
        const TString name = statement.GetSubStatementName(m);
        std::string text = ToUtf8(name);
        if (name.IsEmpty() || name == kNotImplemented || seen.count(text) != 0)
            text = count == 1 ? "value" : "member" + std::to_string(m);
        seen.insert(text);
        names.push_back(std::move(text));
    }
    return names;
}

/// The SSL text of statement `id` of `entry` as the reader takes it back.  The
/// dialect version is written by the writer only inside the header line; as a
/// statement of its own it is the version number in quotes.
std::string SslText(const RCSslEntry& entry, TSslStatementID id) {
    if (id == kId_SslVersion) {
        const std::uint32_t version = entry.GetVersion();
        if (version == 0)
            return {};
        return "Version \"" +
               (version > SslStatement::kVersion50 ? std::string("6")
                                                   : DialectNames()[version - 1]) +
               "\"";
    }
    return ToUtf8(entry.StatementText(id, SslStatement::kVersion50));
}

bool IsPenTable(TSslStatementID id) {
    return id == kId_SslHpglPens || id == kId_SslVicPens || id == kId_SslCalcompPens;
}

/// The pens of a pen table, each with its number: every pen of the table with
/// `all`, else only the pens that differ from the class's default pen.
ordered_json PenElements(const SslHpglPens& pens, bool all) {
    const std::unique_ptr<SslStatement> fallback(
        SslStatement::CreateSslObject(pens.GetStatementID()));
    const auto& defaults = static_cast<const SslHpglPens&>(*fallback);
    ordered_json elements = ordered_json::array();
    for (std::uint32_t i = 0; i < pens.GetPenCount(); ++i) {
        const HpglPen& pen = pens.GetPen(i);
        if (!all && pen == defaults.GetPen(i))
            continue;
        elements.push_back({{"number", pen.GetNumber()},
                            {"width", pen.GetString(0)},
                            {"color", pen.GetString(1)},
                            {"saturation", pen.GetString(2)},
                            {"page", std::to_string(pen.GetPage())}});
    }
    return elements;
}

/// The JSON form of one statement without its "default" flag; a pen table lists
/// its pens as `PenElements` does.
ordered_json StatementJson(const RCSslEntry& entry, TSslStatementID id, bool all) {
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    entry.Get(id, statement.get());
    ordered_json json = {{"id", id}, {"ssl", SslText(entry, id)}};
    if (const auto* pens = dynamic_cast<const SslHpglPens*>(statement.get())) {
        json["elements"] = PenElements(*pens, all);
        return json;
    }
    const std::vector<std::string> names = MemberNames(*statement);
    const auto element = [&](std::uint32_t e) {
        ordered_json members = ordered_json::object();
        for (std::uint32_t m = 0; m < names.size(); ++m)
            members[names[m]] = ToUtf8(TString(statement->GetString(m, e)));
        return members;
    };
    const std::uint32_t elements = statement->GetArrayCount();
    if (elements == 0) {
        json["members"] = element(0);
    } else {
        json["elements"] = ordered_json::array();
        for (std::uint32_t e = 0; e < elements; ++e)
            json["elements"].push_back(element(e));
    }
    return json;
}

bool IsClassDefault(const RCSslEntry& entry, TSslStatementID id) {
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    const std::unique_ptr<SslStatement> fallback(SslStatement::CreateSslObject(id));
    entry.Get(id, statement.get());
    return *statement == *fallback;
}

/// Statement identifiers by SSL name.
const std::map<std::string, TSslStatementID>& StatementsByName() {
    static const std::map<std::string, TSslStatementID> names = [] {
        std::map<std::string, TSslStatementID> all;
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            const auto sid = static_cast<TSslStatementID>(id);
            if (sid != kId_SslError)
                all.emplace(StatementName(sid), sid);
        }
        return all;
    }();
    return names;
}

std::string Join(const std::vector<std::string>& parts) {
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : ", ") + part;
    return text;
}

bool IsDecimal(const std::string& text) {
    return !text.empty() && text.size() < 10 &&
           text.find_first_not_of("0123456789") == std::string::npos;
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

/// Sets the value of a selection statement from a number or one of its keywords.
void SetSelection(SslSelectionStatement& statement, const std::string& value,
                  const std::string& path) {
    // Every value the class takes, by its keyword (the number where it has none).
    std::vector<std::pair<std::uint32_t, std::string>> choices;
    const std::unique_ptr<SslStatement> probe(statement.Clone());
    auto& selection = static_cast<SslSelectionStatement&>(*probe);
    for (std::uint32_t i = 0; i < 256; ++i) {
        if (selection.Set(i) != 0) {
            const std::string keyword = ToUtf8(selection.GetKeyword());
            choices.emplace_back(
                i, keyword.empty() || keyword.back() == ' ' ? std::to_string(i) : keyword);
        }
    }
    if (IsDecimal(value) && statement.SetString(value, 0, 0) != 0)
        return;
    for (const auto& [index, keyword] : choices) {
        if (Lower(keyword) == Lower(value) && statement.Set(index) != 0)
            return;
    }
    std::vector<std::string> names;
    for (const auto& choice : choices)
        names.push_back(choice.second);
    throw RCJsonTicketError(path, "\"" + value + "\" is not a " +
                                      StatementName(statement.GetStatementID()) +
                                      " value; expected one of " + Join(names));
}

/// Sets a keyword member of a structured statement from a number (its list offers
/// a choice, not the range) or from the text of one of its list entries.
void SetKeywordMember(SslStatement& statement, std::uint32_t member, const RSIndexString* keywords,
                      std::uint32_t count, const std::string& value, const std::string& path) {
    const bool number = IsDecimal(value.starts_with('-') ? value.substr(1) : value);
    if (number && statement.SetString(value, member, 0) != 0)
        return;
    std::vector<std::string> names;
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::string text = ToUtf8(keywords[k].m_sText);
        if (!number && Lower(value) == Lower(text) &&
            statement.SetString(std::to_string(keywords[k].m_nIndex), member, 0) != 0)
            return;
        names.push_back(std::to_string(keywords[k].m_nIndex) + " (" + text + ")");
    }
    throw RCJsonTicketError(
        path, "\"" + value + "\" is refused; expected a number or one of " + Join(names));
}

/// The SSL text of a statement given by its members.
std::string TextFromMembers(TSslStatementID id, const json& members, const std::string& path) {
    if (!members.is_object())
        throw RCJsonTicketError(path, "expected an object of member values");
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    const std::vector<std::string> names = MemberNames(*statement);
    for (const auto& [key, given] : members.items()) {
        const std::string where = path + "." + key;
        const auto found = std::find(names.begin(), names.end(), key);
        if (found == names.end())
            throw RCJsonTicketError(
                where, "no member called \"" + key + "\"; expected one of " + Join(names));
        if (!given.is_string() && !given.is_number())
            throw RCJsonTicketError(where, "expected a string or a number");
        const std::string value = given.is_string() ? given.get<std::string>() : given.dump();
        const auto member = static_cast<std::uint32_t>(found - names.begin());
        const RSIndexString* keywords = nullptr;
        const std::uint32_t count = statement->GetKeywords(keywords, member, nullptr);
        if (auto* selection = dynamic_cast<SslSelectionStatement*>(statement.get())) {
            SetSelection(*selection, value, where);
        } else if (count != 0 && keywords != nullptr) {
            SetKeywordMember(*statement, member, keywords, count, value, where);
        } else if (statement->SetString(value, member, 0) == 0) {
            throw RCJsonTicketError(where, "\"" + value + "\" is refused by " + StatementName(id));
        }
    }
    RCSslEntry entry;
    entry.Set(id, statement.get());
    return SslText(entry, id);
}

/// The SSL text of a pen table given by its pens, each with its "number"; pens
/// left out keep their defaults.
std::string TextFromPens(TSslStatementID id, const json& elements, const std::string& path) {
    if (!elements.is_array())
        throw RCJsonTicketError(path, "expected an array of pens");
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    auto& pens = static_cast<SslHpglPens&>(*statement);
    pens.SetOn(1);
    for (std::size_t i = 0; i < elements.size(); ++i) {
        const std::string where = path + "[" + std::to_string(i) + "]";
        const json& pen = elements[i];
        if (!pen.is_object() || !pen.contains("number") || !pen.at("number").is_number_unsigned())
            throw RCJsonTicketError(where, "expected a pen with its \"number\"");
        const auto number = pen.at("number").get<std::uint32_t>();
        for (const auto& [key, given] : pen.items()) {
            if (key == "number")
                continue;
            const TString value(given.is_string() ? given.get<std::string>() : given.dump());
            unsigned int taken = 0;
            if (key == "width") {
                double width = 0.0;
                taken = value.Value(width) ? pens.SetWidth(width, number) : 0;
            } else if (key == "color" || key == "saturation" || key == "page") {
                std::uint32_t whole = 0;
                if (value.Value(whole))
                    taken = key == "color"        ? pens.SetColor(whole, number)
                            : key == "saturation" ? pens.SetSaturation(whole, number)
                                                  : pens.SetPage(whole, number);
            } else {
                throw RCJsonTicketError(where + "." + key,
                                        "no pen member called \"" + key +
                                            "\"; expected one of width, color, saturation, page");
            }
            if (taken == 0)
                throw RCJsonTicketError(
                    where + "." + key,
                    "\"" + value.str() + "\" is refused for pen " + std::to_string(number));
        }
    }
    RCSslEntry entry;
    entry.Set(id, statement.get());
    return SslText(entry, id);
}

/// Appends the lines of `text` (CR LF or LF separated) for `path`.
void AddLines(RSJsonTicket& ticket, std::string& text, const std::string& lines,
              const std::string& path) {
    std::size_t start = 0;
    while (start <= lines.size()) {
        std::size_t end = lines.find('\n', start);
        if (end == std::string::npos)
            end = lines.size();
        std::string line = lines.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty()) {
            text += line + "\r\n";
            ticket.m_asLinePaths.push_back(path);
        }
        start = end + 1;
    }
}

}  // namespace

ordered_json SetToJson(const std::string& path, const RCSslSet& set, bool all) {
    ordered_json json = {{"file", path}, {"complete", set.ParsedTilEnd() != 0}};
    json["form"] = all ? "all" : "changes";
    json["entries"] = ordered_json::array();
    // What the reader starts an entry from: the job entry from the defaults, a file
    // entry from the job entry's file-level statements.
    const RCSslEntry defaults;
    const RCSslEntry fileStart = set.Size() > 0 ? RCSslEntry(set.GetEntry(0), 1) : defaults;
    for (int i = 0; i < set.Size(); ++i) {
        const RCSslEntry& entry = set.GetEntry(i);
        const RCSslEntry& reference = i == 0 ? defaults : fileStart;
        ordered_json statements = ordered_json::object();
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            const auto sid = static_cast<TSslStatementID>(id);
            // The error notes are the entry's "errors"; the ordinal is its own field.
            if (sid == kId_SslError || (!all && sid == kId_SslOrdinal))
                continue;
            ordered_json statement = StatementJson(entry, sid, all);
            if (!all && statement == StatementJson(reference, sid, all))
                continue;
            const std::string name = StatementName(sid);
            statements[name] = {{"id", id}, {"default", IsClassDefault(entry, sid)}};
            for (auto& [key, value] : statement.items()) {
                if (key != "id")
                    statements[name][key] = std::move(value);
            }
        }
        SslError errors;
        entry.Get(kId_SslError, &errors);
        json["entries"].push_back({{"index", i},
                                   {"ordinal", entry.GetOrdinal()},
                                   {"isEntry", entry.GetIsEntry() != 0},
                                   {"statements", std::move(statements)},
                                   {"errors", ToUtf8(errors.Get())}});
    }
    return json;
}

RSJsonTicket SslFromJson(const json& document) {
    if (!document.is_object())
        throw RCJsonTicketError("(top)", "expected an object with \"entries\"");
    if (!document.contains("entries") || !document.at("entries").is_array() ||
        document.at("entries").empty())
        throw RCJsonTicketError("entries", "expected an array that starts with the job entry");
    RSJsonTicket ticket;
    std::string text;
    AddLines(ticket, text, "BeginJob \"noname\"", "");
    const json& entries = document.at("entries");
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string path = "entries[" + std::to_string(i) + "]";
        if (!entries[i].is_object())
            throw RCJsonTicketError(path, "expected an object");
        if (i > 0)
            AddLines(ticket, text, "BeginOutput", path);
        if (entries[i].contains("statements")) {
            const json& statements = entries[i].at("statements");
            if (!statements.is_object())
                throw RCJsonTicketError(path + ".statements", "expected an object");
            for (const auto& [name, statement] : statements.items()) {
                const std::string where = path + ".statements." + name;
                const auto found = StatementsByName().find(name);
                if (found == StatementsByName().end())
                    throw RCJsonTicketError(where, "no statement called \"" + name + "\"");
                if (found->second == kId_SslOrdinal)
                    continue;  // numbered by the reader
                if (!statement.is_object())
                    throw RCJsonTicketError(where, "expected an object");
                if (statement.contains("ssl")) {
                    if (!statement.at("ssl").is_string())
                        throw RCJsonTicketError(where + ".ssl", "expected a string");
                    AddLines(ticket, text, statement.at("ssl").get<std::string>(), where + ".ssl");
                } else if (statement.contains("elements") && IsPenTable(found->second)) {
                    AddLines(
                        ticket, text,
                        TextFromPens(found->second, statement.at("elements"), where + ".elements"),
                        where + ".elements");
                } else if (statement.contains("members")) {
                    AddLines(
                        ticket, text,
                        TextFromMembers(found->second, statement.at("members"), where + ".members"),
                        where + ".members");
                } else {
                    throw RCJsonTicketError(where,
                                            "expected \"ssl\" (or \"members\" for a statement "
                                            "that is no list, \"elements\" for a pen table)");
                }
            }
        }
        if (i > 0)
            AddLines(ticket, text, "EndOutput", path);
    }
    AddLines(ticket, text, "EndJob", "");
    ticket.m_sText = TString(text);
    return ticket;
}

}  // namespace ssl2tool
