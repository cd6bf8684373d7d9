// JSON output of the ssl2 tool.
#include "tools/ssl2/JsonWriter.h"

#include <memory>
#include <set>

#include "tools/ssl2/ToolSupport.h"

namespace ssl2tool {

void RCJsonWriter::BeforeValue() {
    if (m_bAfterKey) {
        m_bAfterKey = false;
        return;
    }
    if (!m_sStack.empty()) {
        if (!m_bFirst)
            m_Out << ',';
        Indent();
    }
    m_bFirst = false;
}

void RCJsonWriter::Indent() {
    m_Out << '\n' << std::string(2 * m_sStack.size(), ' ');
}

void RCJsonWriter::BeginObject() {
    BeforeValue();
    m_Out << '{';
    m_sStack += '{';
    m_bFirst = true;
}

void RCJsonWriter::EndObject() {
    m_sStack.pop_back();
    if (!m_bFirst)
        Indent();
    m_Out << '}';
    m_bFirst = false;
    if (m_sStack.empty())
        m_Out << '\n';
}

void RCJsonWriter::BeginArray() {
    BeforeValue();
    m_Out << '[';
    m_sStack += '[';
    m_bFirst = true;
}

void RCJsonWriter::EndArray() {
    m_sStack.pop_back();
    if (!m_bFirst)
        Indent();
    m_Out << ']';
    m_bFirst = false;
    if (m_sStack.empty())
        m_Out << '\n';
}

void RCJsonWriter::Key(std::string_view name) {
    BeforeValue();
    m_Out << Quote(name) << ": ";
    m_bAfterKey = true;
}

void RCJsonWriter::String(std::string_view text) {
    BeforeValue();
    m_Out << Quote(text);
}

void RCJsonWriter::Number(long long value) {
    BeforeValue();
    m_Out << value;
}

void RCJsonWriter::Bool(bool value) {
    BeforeValue();
    m_Out << (value ? "true" : "false");
}

std::string RCJsonWriter::Quote(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (byte < 0x20) {
                    out += "\\u00";
                    out += kHex[byte >> 4];
                    out += kHex[byte & 0xF];
                } else {
                    out += c;
                }
        }
    }
    out += '"';
    return out;
}

namespace {

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

void WriteStatement(RCJsonWriter& json, const RCSslEntry& entry, TSslStatementID id) {
    const std::unique_ptr<SslStatement> statement(SslStatement::CreateSslObject(id));
    const std::unique_ptr<SslStatement> fallback(SslStatement::CreateSslObject(id));
    entry.Get(id, statement.get());

    json.Key(ToUtf8(statement->GetStatementName(0)));
    json.BeginObject();
    json.Key("id");
    json.Number(id);
    json.Key("default");
    json.Bool(*statement == *fallback);
    json.Key("ssl");
    json.String(ToUtf8(statement->ToString()));
    const std::vector<std::string> names = MemberNames(*statement);
    const std::uint32_t elements = statement->GetArrayCount();
    if (elements == 0) {
        json.Key("members");
        json.BeginObject();
        for (std::uint32_t m = 0; m < names.size(); ++m) {
            json.Key(names[m]);
            json.String(ToUtf8(TString(statement->GetString(m, 0))));
        }
        json.EndObject();
    } else {
        json.Key("elements");
        json.BeginArray();
        for (std::uint32_t e = 0; e < elements; ++e) {
            json.BeginObject();
            for (std::uint32_t m = 0; m < names.size(); ++m) {
                json.Key(names[m]);
                json.String(ToUtf8(TString(statement->GetString(m, e))));
            }
            json.EndObject();
        }
        json.EndArray();
    }
    json.EndObject();
}

}  // namespace

void WriteSetJson(RCJsonWriter& json, const std::string& path, const RCSslSet& set) {
    json.BeginObject();
    json.Key("file");
    json.String(ToUtf8(TString(path)));
    json.Key("complete");
    json.Bool(set.ParsedTilEnd() != 0);
    json.Key("entries");
    json.BeginArray();
    for (int i = 0; i < set.Size(); ++i) {
        const RCSslEntry& entry = set.GetEntry(i);
        json.BeginObject();
        json.Key("index");
        json.Number(i);
        json.Key("ordinal");
        json.Number(entry.GetOrdinal());
        json.Key("isEntry");
        json.Bool(entry.GetIsEntry() != 0);
        json.Key("statements");
        json.BeginObject();
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            // The error statement has no name; its text is the entry's error notes.
            if (id == kId_SslError)
                continue;
            WriteStatement(json, entry, static_cast<TSslStatementID>(id));
        }
        json.EndObject();
        SslError errors;
        entry.Get(kId_SslError, &errors);
        json.Key("errors");
        json.String(ToUtf8(errors.Get()));
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

}  // namespace ssl2tool
