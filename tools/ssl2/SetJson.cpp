// The JSON form of a job set, both ways.
#include "tools/ssl2/SetJson.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

#include "tools/ssl2/JsonWriter.h"
#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

namespace {

using nlohmann::json;

// Far deeper than any ticket, shallow enough for every recursive walk of a document.
constexpr std::size_t kMaxDepth = 16;

std::unique_ptr<SslStatement> NewStatement(TSslStatementID id) {
    std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    if (!statement)
        throw std::bad_alloc();
    return statement;
}

std::unique_ptr<SslStatement> StatementOf(const RCSslEntry& entry, TSslStatementID id) {
    std::unique_ptr<SslStatement> statement = NewStatement(id);
    entry.Get(id, statement.get());
    return statement;
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

bool IsColorEmulation(TSslStatementID id) {
    return id == kId_SslHpglColorEmulation || id == kId_SslVicColorEmulation ||
           id == kId_SslCalcompColorEmulation;
}

/// List statements: their value is a list of elements, possibly empty.
bool IsList(TSslStatementID id) {
    return (SslStatement::GetMemberType(id) &
            (SslStatement::kMemberArray | SslStatement::kMemberList)) != 0;
}

/// The generic interface numbers a colour emulation's entries as members of element
/// 0; everywhere else element `e` of a list holds the members.
std::pair<std::uint32_t, std::uint32_t> Slot(TSslStatementID id, std::uint32_t member,
                                             std::uint32_t element) {
    return IsColorEmulation(id) ? std::pair{element, 0u} : std::pair{member, element};
}

/// The entry's error notes, as the reader wrote them.
std::string ErrorNotes(const RCSslEntry& entry) {
    SslError errors;
    entry.Get(kId_SslError, &errors);
    return ToUtf8(errors.Get());
}

/// What the reader starts a file entry from: the job entry's file-level statements,
/// without the job's stamps.
RCSslEntry FileStart(const RCSslEntry& job) {
    RCSslEntry start(job, 1);
    start.RemoveAllStamps();
    return start;
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

// --- writing ------------------------------------------------------------------------------

/// Writes the entries of one set as JSON text.  What is the same from entry to entry
/// is made once: each statement class's key and member names, and the text of each
/// statement the entries share with the job entry or the defaults (a file entry
/// holds most of its statements as the job entry's or the default objects, and a
/// statement's text depends on the statement alone).
class RCSetJsonWriter {
public:
    RCSetJsonWriter(const RCSslSet& set, bool all)
        : m_Set(set),
          m_bAll(all),
          m_FileStart(set.Size() > 0 ? FileStart(set.GetEntry(0)) : RCSslEntry()) {
        m_aClasses.reserve(kSslStatementCount);
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            std::unique_ptr<SslStatement> model = NewStatement(static_cast<TSslStatementID>(id));
            RSClass form{StatementName(static_cast<TSslStatementID>(id)), SslMemberNames(*model),
                         dynamic_cast<const SslHpglPens*>(model.get()) != nullptr};
            m_aClasses.push_back(std::move(form));
        }
    }

    /// Appends the JSON text of entry `index`, laid out as an element of "entries":
    /// every statement, or (short form) those that differ from the defaults (job
    /// entry) or from what a file entry starts with.
    void Entry(int index, std::string& out) {
        const RCSslEntry& entry = m_Set.GetEntry(index);
        const RCSslEntry& reference = index == 0 ? m_Defaults : m_FileStart;
        RCJsonText json(out, 2);
        json.BeginObject();
        json.Key("index");
        json.Integer(index);
        json.Key("ordinal");
        json.Integer(entry.GetOrdinal());
        json.Key("isEntry");
        json.Bool(entry.GetIsEntry() != 0);
        json.Key("statements");
        json.BeginObject();
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            const auto sid = static_cast<TSslStatementID>(id);
            // The error notes are the entry's "errors"; the ordinal is its own field.
            if (sid == kId_SslError ||
                (!m_bAll && (sid == kId_SslOrdinal || SameAs(entry, reference, sid))))
                continue;
            json.Next();
            json.Raw(Statement(entry, sid));
        }
        json.End();
        json.Key("errors");
        json.String(ErrorNotes(entry));
        json.End();
    }

private:
    /// What every statement of one class shares.
    struct RSClass {
        std::string m_sName;
        std::vector<std::string> m_asMembers;  ///< the member names, by member
        bool m_bPens;                          ///< a pen table
    };

    /// Whether statement `id` of `entry` says what `reference` says: the same value,
    /// written the same (a comparison may look at less than the text shows).
    static bool SameAs(const RCSslEntry& entry, const RCSslEntry& reference, TSslStatementID id) {
        const SslStatement& own = entry.GetStatement(id);
        const SslStatement& theirs = reference.GetStatement(id);
        return &own == &theirs || (own == theirs && SslText(entry, id) == SslText(reference, id));
    }

    /// The JSON text of statement `id` of `entry` as a member of "statements"
    /// (key and value); valid until the next call.
    const std::string& Statement(const RCSslEntry& entry, TSslStatementID id) {
        const SslStatement* statement = &entry.GetStatement(id);
        const bool shared =
            statement == &m_Defaults.GetStatement(id) ||
            (m_Set.Size() > 0 && statement == &m_Set.GetEntry(0).GetStatement(id)) ||
            statement == &m_FileStart.GetStatement(id);
        if (!shared) {
            m_sScratch.clear();
            WriteStatement(entry, id, m_sScratch);
            return m_sScratch;
        }
        const auto [known, added] = m_Shared.try_emplace(statement);
        if (added)
            WriteStatement(entry, id, known->second);
        return known->second;
    }

    void WriteStatement(const RCSslEntry& entry, TSslStatementID id, std::string& out) const {
        const SslStatement& statement = entry.GetStatement(id);
        const SslStatement& model = m_Defaults.GetStatement(id);
        const RSClass& form = m_aClasses[id];
        RCJsonText json(out, 4);
        json.Key(form.m_sName);
        json.BeginObject();
        json.Key("id");
        json.Integer(id);
        json.Key("default");
        json.Bool(&statement == &model || statement == model);
        json.Key("ssl");
        json.String(SslText(entry, id));
        if (form.m_bPens) {
            json.Key("elements");
            WritePens(static_cast<const SslHpglPens&>(statement),
                      static_cast<const SslHpglPens&>(model), json);
        } else if (!IsList(id)) {
            json.Key("members");
            WriteMembers(statement, form, 0, json);
        } else {
            json.Key("elements");
            json.BeginArray();
            for (std::uint32_t e = 0; e < statement.GetArrayCount(); ++e) {
                json.Next();
                WriteMembers(statement, form, e, json);
            }
            json.End();
        }
        json.End();
    }

    /// The members of element `element` as an object by member name.
    static void WriteMembers(const SslStatement& statement, const RSClass& form,
                             std::uint32_t element, RCJsonText& json) {
        const TSslStatementID id = statement.GetStatementID();
        json.BeginObject();
        for (std::uint32_t m = 0; m < form.m_asMembers.size(); ++m) {
            const auto [member, slot] = Slot(id, m, element);
            json.Key(form.m_asMembers[m]);
            WriteValue(SslGetMemberValue(statement, member, slot), json);
        }
        json.End();
    }

    /// The pens of a pen table, each with its number: every pen with `all`, else
    /// only the pens that differ from the class's default pens.
    void WritePens(const SslHpglPens& pens, const SslHpglPens& defaults, RCJsonText& json) const {
        json.BeginArray();
        for (std::uint32_t i = 0; i < pens.GetPenCount(); ++i) {
            if (!m_bAll && pens.GetPen(i) == defaults.GetPen(i))
                continue;
            json.Next();
            json.BeginObject();
            json.Key("number");
            json.Integer(pens.GetPen(i).GetNumber());
            for (const std::string& name : SslPenMemberNames()) {
                json.Key(name);
                WriteValue(SslGetPenValue(pens, i, name), json);
            }
            json.End();
        }
        json.End();
    }

    static void WriteValue(const TMemberValue& value, RCJsonText& json) {
        if (const auto* whole = std::get_if<std::int64_t>(&value))
            json.Integer(*whole);
        else if (const auto* real = std::get_if<double>(&value))
            json.Number(*real);
        else
            json.String(ToUtf8(TString(std::get<std::string>(value))));
    }

    const RCSslSet& m_Set;
    const bool m_bAll;
    const RCSslEntry m_Defaults;
    const RCSslEntry m_FileStart;
    std::vector<RSClass> m_aClasses;  ///< by statement identifier
    /// The texts of the shared statements, by statement object (the set does not
    /// change while it is written, so an object keeps its address and value).
    std::unordered_map<const SslStatement*, std::string> m_Shared;
    std::string m_sScratch;
};

// --- reading ------------------------------------------------------------------------------

/// Where the parser stands: one frame per open object or array, so that a fault found
/// while parsing (a repeated key, too deep a nesting, a number past the double range)
/// is reported at its JSON path.
class RCJsonPath {
public:
    bool Event(int depth, json::parse_event_t event, const json& parsed) {
        switch (event) {
            case json::parse_event_t::object_start:
            case json::parse_event_t::array_start:
                if (static_cast<std::size_t>(depth) > kMaxDepth)
                    throw RCJsonTicketError(
                        Text(), "nested deeper than " + std::to_string(kMaxDepth) + " levels");
                m_aFrames.push_back({event == json::parse_event_t::object_start, {}, {}, 0});
                break;
            case json::parse_event_t::key:
                m_aFrames.back().m_sKey = parsed.get<std::string>();
                if (!m_aFrames.back().m_asKeys.insert(m_aFrames.back().m_sKey).second)
                    throw RCJsonTicketError(Text(), "given twice");
                break;
            case json::parse_event_t::object_end:
            case json::parse_event_t::array_end:
                m_aFrames.pop_back();
                Next();
                break;
            case json::parse_event_t::value:
                Next();
                break;
        }
        return true;
    }

    /// "entries[1].statements.Copies": the path of the value being parsed.
    std::string Text() const {
        std::string text;
        for (const RSFrame& frame : m_aFrames) {
            if (!frame.m_bObject)
                text += "[" + std::to_string(frame.m_nIndex) + "]";
            else if (!frame.m_sKey.empty())
                text += (text.empty() ? "" : ".") + frame.m_sKey;
        }
        return text.empty() ? "(top)" : text;
    }

private:
    struct RSFrame {
        bool m_bObject;
        std::set<std::string> m_asKeys;
        std::string m_sKey;
        std::size_t m_nIndex;
    };

    void Next() {
        if (!m_aFrames.empty() && !m_aFrames.back().m_bObject)
            ++m_aFrames.back().m_nIndex;
    }

    std::vector<RSFrame> m_aFrames;
};

json ParseStrictly(const std::string& text) {
    RCJsonPath path;
    try {
        return json::parse(text, [&path](int depth, json::parse_event_t event, json& parsed) {
            return path.Event(depth, event, parsed);
        });
    } catch (const json::out_of_range&) {
        throw RCJsonTicketError(path.Text(), "number out of range");
    }
}

/// Refuses a key of `object` that is not one of `known` (the keys the tool writes
/// there), so that a misspelt key is not dropped without a word.
void RequireKnownKeys(const json& object, std::initializer_list<const char*> known,
                      const std::string& path) {
    for (const auto& item : object.items()) {
        if (std::find(known.begin(), known.end(), item.key()) != known.end())
            continue;
        std::string choices;
        for (const char* key : known)
            choices += (choices.empty() ? "" : ", ") + std::string(key);
        throw RCJsonTicketError((path.empty() ? "" : path + ".") + item.key(),
                                "unknown key; expected one of " + choices);
    }
}

/// A member value as the library's mapping takes it.
TMemberInput InputOf(const json& given, const std::string& path) {
    if (given.is_string())
        return given.get<std::string>();
    if (given.is_number())
        return given.get<double>();
    throw RCJsonTicketError(path, "expected a string or a number");
}

const json& ObjectAt(const json& value, const std::string& path) {
    if (!value.is_object())
        throw RCJsonTicketError(path, "expected an object");
    return value;
}

/// Sets the values of a JSON statement onto a statement.  With `said` (what its
/// "ssl" says), the values only have to agree with it: each value, set on a copy of
/// `said`, must leave that member as it was.
class RCValueSetter {
public:
    RCValueSetter(SslStatement& statement, const SslStatement* said)
        : m_Statement(statement), m_pSaid(said) {}

    /// The members given in `members` (an object by member name) of element `element`,
    /// set in member order (a size takes its type before its lengths).
    void Members(std::uint32_t element, const json& members, const std::string& path) {
        const TSslStatementID id = m_Statement.GetStatementID();
        std::vector<std::pair<std::uint32_t, std::string>> given;
        for (const auto& item : ObjectAt(members, path).items()) {
            try {
                given.emplace_back(SslFindMember(m_Statement, item.key()), item.key());
            } catch (const RCMemberValueError& e) {
                throw RCJsonTicketError(path + "." + item.key(), e.what());
            }
        }
        std::sort(given.begin(), given.end());
        for (const auto& [index, key] : given) {
            const std::string where = path + "." + key;
            const auto slot = Slot(id, index, element);
            const json& value = members.at(key);
            Set(where, InputOf(value, where), [&](SslStatement& target, bool apply) {
                if (apply)
                    SslSetMemberValue(target, slot.first, slot.second, InputOf(value, where));
                return SslGetMemberValue(target, slot.first, slot.second);
            });
        }
    }

    /// The elements given of a list statement: pens by their "number", other lists
    /// (given by their SSL text) element by element.
    void Elements(const json& elements, const std::string& path) {
        if (!elements.is_array())
            throw RCJsonTicketError(path, "expected an array");
        auto* pens = dynamic_cast<SslHpglPens*>(&m_Statement);
        const std::uint32_t count = m_Statement.GetArrayCount();
        if (pens == nullptr && elements.size() > count)
            throw RCJsonTicketError(path, "holds " + std::to_string(elements.size()) +
                                              " elements; the list has " + std::to_string(count) +
                                              " (give the list by \"ssl\")");
        for (std::size_t e = 0; e < elements.size(); ++e) {
            const std::string where = path + "[" + std::to_string(e) + "]";
            if (pens != nullptr)
                Pen(elements[e], where);
            else
                Members(static_cast<std::uint32_t>(e), elements[e], where);
        }
        if (pens != nullptr && m_pSaid == nullptr)
            pens->SetOn(1);
    }

private:
    void Pen(const json& pen, const std::string& path) {
        if (!pen.is_object() || !pen.contains("number") || !pen.at("number").is_number_unsigned())
            throw RCJsonTicketError(path, "expected a pen with its \"number\"");
        const auto number = pen.at("number").get<std::uint64_t>();
        const auto& table = static_cast<const SslHpglPens&>(m_Statement);
        if (number < table.GetFirstPenNumber() ||
            number - table.GetFirstPenNumber() >= table.GetPenCount())
            throw RCJsonTicketError(path + ".number", "no pen numbered " + std::to_string(number));
        const auto index = static_cast<std::uint32_t>(number - table.GetFirstPenNumber());
        for (const auto& item : pen.items()) {
            if (item.key() == "number")
                continue;
            const std::string key = item.key();
            const std::string where = path + "." + key;
            const json& value = item.value();
            Set(where, InputOf(value, where), [&](SslStatement& target, bool apply) {
                auto& pens = static_cast<SslHpglPens&>(target);
                if (apply)
                    SslSetPenValue(pens, static_cast<std::uint32_t>(number), key,
                                   InputOf(value, where));
                return SslGetPenValue(pens, index, key);
            });
        }
    }

    /// Runs `set` (which sets one value when asked and returns it as read back) on the
    /// statement, or, when "ssl" was given too, on a copy of what it says, whose value
    /// must stay what it was.
    template <typename Setter>
    void Set(const std::string& path, const TMemberInput& input, const Setter& set) {
        try {
            if (m_pSaid == nullptr) {
                set(m_Statement, true);
                return;
            }
            const std::unique_ptr<SslStatement> copy(m_pSaid->Clone());
            const TMemberValue before = set(*copy, false);
            if (!Same(before, input) && set(*copy, true) != before)
                throw RCJsonTicketError(
                    path, "disagrees with \"ssl\"; give one of them, or both saying the same");
        } catch (const RCMemberValueError& e) {
            throw RCJsonTicketError(path, e.what());
        }
    }

    /// True when a value read is the value given (a text the same text, a number the
    /// same number), which then agrees even where a setter would not take it again.
    static bool Same(const TMemberValue& value, const TMemberInput& input) {
        if (const auto* text = std::get_if<std::string>(&input))
            return std::holds_alternative<std::string>(value) &&
                   std::get<std::string>(value) == *text;
        const double number = std::get<double>(input);
        if (const auto* whole = std::get_if<std::int64_t>(&value))
            return static_cast<double>(*whole) == number;
        return std::holds_alternative<double>(value) && std::get<double>(value) == number;
    }

    SslStatement& m_Statement;
    const SslStatement* m_pSaid;
};

/// The first word of an SSL text.
std::string FirstWord(const std::string& text) {
    const std::size_t start = text.find_first_not_of(" \t");
    if (start == std::string::npos)
        return {};
    return text.substr(start, text.find_first_of(" \t\r\n", start) - start);
}

bool SameWord(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

/// Reads JSON entries into a set, entry by entry.
class RCJsonSetReader {
public:
    explicit RCJsonSetReader(SslStatement::TSyntaxVersion dialect) : m_nDialect(dialect) {}
    RCSslSet Read(const json& document) {
        ObjectAt(document, "(top)");
        RequireKnownKeys(document, {"file", "complete", "form", "entries"}, "");
        const auto entries = document.find("entries");
        if (entries == document.end() || !entries->is_array() || entries->empty())
            throw RCJsonTicketError("entries", "expected an array that starts with the job entry");
        for (std::size_t i = 0; i < entries->size(); ++i)
            ReadEntry((*entries)[i], "entries[" + std::to_string(i) + "]");
        m_Set.SetOrdinals(1);
        m_Set.ParsedTilEnd(1);
        CheckWrittenBack();
        return std::move(m_Set);
    }

private:
    struct RSGiven {
        int m_nEntry;
        TSslStatementID m_nId;
        std::string m_sPath;
    };

    void ReadEntry(const json& given, const std::string& path) {
        ObjectAt(given, path);
        RequireKnownKeys(given, {"index", "ordinal", "isEntry", "statements", "errors"}, path);
        const bool job = m_Set.Size() == 0;
        RCSslEntry entry = job ? RCSslEntry(0) : FileStart(m_Set.GetEntry(0));
        const auto statements = given.find("statements");
        if (statements != given.end()) {
            ObjectAt(*statements, path + ".statements");
            // The unit comes first: the lengths of the other statements are read in it.
            if (job && statements->contains("Units"))
                ReadStatement(entry, "Units", statements->at("Units"), path + ".statements");
            for (const auto& [name, statement] : statements->items()) {
                if (!(job && name == "Units"))
                    ReadStatement(entry, name, statement, path + ".statements");
            }
        }
        m_Set.AddEntry(std::move(entry));
    }

    void ReadStatement(RCSslEntry& entry, const std::string& name, const json& given,
                       const std::string& statements) {
        const std::string path = statements + "." + name;
        const auto found = StatementsByName().find(name);
        if (found == StatementsByName().end())
            throw RCJsonTicketError(path, "no statement called \"" + name + "\"");
        const TSslStatementID id = found->second;
        if (id == kId_SslOrdinal)
            return;  // numbered when the set is complete
        ObjectAt(given, path);
        RequireKnownKeys(given, {"id", "default", "ssl", "members", "elements"}, path);
        const bool ssl = given.contains("ssl");
        const bool members = given.contains("members");
        const bool elements = given.contains("elements");
        if (!ssl && !members && !elements)
            throw RCJsonTicketError(path,
                                    "expected \"ssl\", \"members\" or, for a list, \"elements\"");
        const std::unique_ptr<SslStatement> statement =
            ssl ? FromSsl(entry, id, given.at("ssl"), path + ".ssl") : StatementOf(entry, id);
        // Values given beside "ssl" are checked against it, else set.
        const std::unique_ptr<SslStatement> said(ssl ? statement->Clone() : nullptr);
        RCValueSetter setter(*statement, said.get());
        if (members)
            setter.Members(0, given.at("members"), path + ".members");
        if (elements)
            setter.Elements(given.at("elements"), path + ".elements");
        if (id == kId_SslUnits && entry.GetIsEntry() == 0) {
            // Lengths are read in the job's unit and held in millimetres, as the reader
            // holds them.
            m_sUnitsLine =
                ssl ? given.at("ssl").get<std::string>() + "\r\n" : UnitsLine(*statement);
            return;
        }
        entry.Set(id, statement.get());
        m_aGiven.push_back({m_Set.Size(), id, path});
    }

    /// The statement an SSL text gives, read as the entry being built reads it: the
    /// text must be one statement of that name, read without a fault.
    std::unique_ptr<SslStatement> FromSsl(const RCSslEntry& entry, TSslStatementID id,
                                          const json& given, const std::string& path) {
        if (!given.is_string())
            throw RCJsonTicketError(path, "expected a string");
        const std::string text = given.get<std::string>();
        if (text.find_first_not_of(" \t\r\n") == std::string::npos)
            return NewStatementAtLevel(entry, id);
        const std::string word = FirstWord(text);
        if (!SameWord(word, StatementName(id)))
            throw RCJsonTicketError(
                path, "\"" + word + "\" where a " + StatementName(id) + " statement was expected");
        const bool job = entry.GetIsEntry() == 0;
        // A file entry starts from the job read so far, its lengths in millimetres; the
        // job's unit is named, so that lengths are read in it.
        RCSslSet scratch;
        if (!job) {
            RCSslEntry start = m_Set.GetEntry(0);
            start.Set(kId_SslUnits, NewStatement(kId_SslUnits).get());
            scratch.AddEntry(std::move(start));
        }
        const std::string units = id == kId_SslUnits ? "" : m_sUnitsLine;
        const std::string ticket = "BeginJob \"noname\"\r\n" + units +
                                   (job ? "" : "BeginOutput\r\n") + text + "\r\n" +
                                   (job ? "" : "EndOutput\r\n") + "EndJob\r\n";
        std::vector<std::string> faults;
        scratch.SetDiagnosticHandler(
            [&](const RSSslDiagnostic& d) { faults.push_back(DiagnosticMessage(d)); });
        RCToolLog log;
        const int count = scratch.ParseSslText(TString(ticket), TString("json"), 300);
        if (!faults.empty())
            throw RCJsonTicketError(path, faults.front());
        const int index = job ? 0 : 1;
        if (count != index + 1 || scratch.ParsedTilEnd() == 0)
            throw RCJsonTicketError(path, "not one " + StatementName(id) + " statement");
        const RCSslEntry& read = scratch.GetEntry(index);
        std::string notes = ErrorNotes(read);
        while (!notes.empty() && (notes.back() == '\n' || notes.back() == '\r'))
            notes.pop_back();
        if (!notes.empty())
            throw RCJsonTicketError(path, notes);
        const RCSslEntry start = job ? RCSslEntry(0) : FileStart(scratch.GetEntry(0));
        const RCSslEntry::RSCompReturn compared = read == start;
        for (std::uint32_t other = 0; other < kSslStatementCount; ++other) {
            const auto sid = static_cast<TSslStatementID>(other);
            if (sid != id && sid != kId_SslUnits && compared.Differences.GetAccess(sid) != 0)
                throw RCJsonTicketError(path, "holds a " + StatementName(sid) + " statement too");
        }
        // A text that changed nothing must say what the entry held already: else the
        // reader ignored its value.
        if (id != kId_SslUnits && *StatementOf(read, id) == *StatementOf(start, id) &&
            Normalised(text) != Normalised(SslText(start, id)))
            throw RCJsonTicketError(path, "the value is not taken (out of range?)");
        return StatementOf(read, id);
    }

    /// An SSL text in one case with single blanks, for comparing what two texts say.
    static std::string Normalised(const std::string& text) {
        std::string normal;
        for (const char c : text) {
            const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
            if (blank && (normal.empty() || normal.back() == ' '))
                continue;
            normal += blank ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        if (!normal.empty() && normal.back() == ' ')
            normal.pop_back();
        return normal;
    }

    /// What an empty "ssl" stands for: the value the entry starts with.
    std::unique_ptr<SslStatement> NewStatementAtLevel(const RCSslEntry& entry,
                                                      TSslStatementID id) const {
        if (entry.GetIsEntry() == 0)
            return NewStatement(id);
        return StatementOf(FileStart(m_Set.GetEntry(0)), id);
    }

    /// A unit as a line of its own, or nothing for millimetres.
    static std::string UnitsLine(const SslStatement& units) {
        RCSslEntry entry;
        entry.Set(kId_SslUnits, &units);
        if (entry.GetUnits().Get() == SslUnit::kMm)
            return {};
        return ToUtf8(entry.StatementText(kId_SslUnits, SslStatement::kVersion50)) + "\r\n";
    }

    /// The set written in `dialect` and read back.
    RCSslSet WrittenBack(SslStatement::TSyntaxVersion dialect) const {
        RCSslSet again;
        again.SetDiagnosticHandler([](const RSSslDiagnostic&) {});
        RCToolLog log;
        if (again.ParseSslText(m_Set.ToString(RCAccessSsl(), dialect, 0), TString("json"), 300) !=
            m_Set.Size())
            again = RCSslSet();
        return again;
    }

    static bool Lost(const RCSslSet& again, const RCSslSet& set, const RSGiven& given) {
        return again.Size() != set.Size() ||
               (again.GetEntry(given.m_nEntry) == set.GetEntry(given.m_nEntry))
                       .Differences.GetAccess(given.m_nId) != 0;
    }

    /// Writes the set and reads it back: every statement the JSON gave must come back
    /// as given, in the dialect asked for or in 5.0, the dialect of the "ssl" texts
    /// (a dialect that leaves a statement out leaves it out of every ticket).
    void CheckWrittenBack() const {
        const RCSslSet again = WrittenBack(SslStatement::kVersion50);
        const RCSslSet inDialect = WrittenBack(m_nDialect);
        for (const RSGiven& given : m_aGiven) {
            if (!Lost(again, m_Set, given) || !Lost(inDialect, m_Set, given))
                continue;
            const std::string level = given.m_nEntry == 0 ? "the job entry" : "a file entry";
            const std::unique_ptr<SslStatement> statement = NewStatement(given.m_nId);
            if (given.m_nEntry == 0 ? statement->IsEntryOnlyStatement()
                                    : statement->IsJobOnlyStatement())
                throw RCJsonTicketError(given.m_sPath, "not a statement of " + level +
                                                           " (the writer does not write it there)");
            throw RCJsonTicketError(given.m_sPath,
                                    "not written back as given (in " + level +
                                        ", it would read back as \"" +
                                        (again.Size() == m_Set.Size()
                                             ? SslText(again.GetEntry(given.m_nEntry), given.m_nId)
                                             : std::string()) +
                                        "\")");
        }
    }

    SslStatement::TSyntaxVersion m_nDialect;
    std::string m_sUnitsLine;  ///< the job's unit, as the first line of each statement's ticket
    RCSslSet m_Set;
    std::vector<RSGiven> m_aGiven;
};

}  // namespace

void WriteSetJson(std::ostream& out, const std::string& path, const RCSslSet& set, bool all) {
    RCJsonObjectWriter json(out);
    json.Member("file", path);
    json.Member("complete", set.ParsedTilEnd() != 0);
    json.Member("form", all ? "all" : "changes");
    json.BeginArray("entries");
    RCSetJsonWriter entries(set, all);
    std::string text;
    for (int i = 0; i < set.Size(); ++i) {
        text.clear();
        entries.Entry(i, text);
        json.RawElement(text);
    }
    json.EndArray();
    json.End();
}

RCSslSet SetFromJson(const std::string& text, SslStatement::TSyntaxVersion dialect) {
    return RCJsonSetReader(dialect).Read(ParseStrictly(text));
}

}  // namespace ssl2tool
