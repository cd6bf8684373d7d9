#include "ssl2/set/SslRepeatedLines.h"

#include <algorithm>
#include <cstring>

#include "ssl2/set/RCSslSet.h"
#include "ssl2/set/SslParseContext.h"

namespace ssl2::internal {

namespace {

bool IsBlank(unsigned char c) {
    return c == ' ' || c == '\t';
}
bool IsLineEnd(unsigned char c) {
    return c == '\r' || c == '\n';
}

}  // namespace

void SslRepeatedLines::Arm(const RCSslEntry& job, bool crlf, TInputEncoding encoding) {
    m_bArmed = true;
    m_bCrLf = crlf;
    const std::uint32_t version = job.GetVersionObject().Get();
    if (version >= SslStatement::kVersion15 && version <= SslStatement::kVersion50)
        m_nVersion = static_cast<SslStatement::TSyntaxVersion>(version);
    m_Fresh = RCSslEntry(job, 1);
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        if (RCSslStatementStore::LevelOf(id) == RCSslStatementStore::kLevelNever)
            continue;
        RSValue& fresh = m_aStatements[id].fresh;
        fresh.holder = m_Fresh;
        fresh.object = &m_Fresh.GetStatement(static_cast<TSslStatementID>(id));
        MakeText(id, fresh);
        const std::string_view text = fresh.text;
        const auto end = std::find_if(text.begin(), text.end(), [](char c) {
            return IsBlank(static_cast<unsigned char>(c)) ||
                   IsLineEnd(static_cast<unsigned char>(c));
        });
        if (end != text.begin())
            m_Words[std::string(text.begin(), end)].statements.push_back(id);
    }
    // The scanner itself tells which words begin a statement (a keyword, not a comment).
    RCSslSet scratch;
    const TSslDiagnosticHandler ignore = [](const RSSslDiagnostic&) {};
    SslParseContext context(scratch, TString(), encoding, &ignore, 0);
    for (auto& [text, word] : m_Words)
        word.startsStatement = SslStartsStatement(context, text);
    m_Words["EndOutput"].startsStatement = true;
}

void SslRepeatedLines::MakeText(std::uint32_t id, RSValue& value) const {
    value.textMade = true;
    const TString statementText =
        value.holder.StatementText(static_cast<TSslStatementID>(id), m_nVersion);
    const std::string& written = statementText.str();
    // Only ASCII reads the same in every 8-bit encoding of the input.
    if (written.empty() || std::any_of(written.begin(), written.end(), [](char c) {
            return static_cast<unsigned char>(c) >= 0x80;
        }))
        return;
    std::string text;
    text.reserve(written.size() + 2);
    for (std::size_t i = 0; i < written.size(); ++i) {
        if (written[i] == '\r' && i + 1 < written.size() && written[i + 1] == '\n')
            continue;  // the line end follows as '\n'
        if (written[i] == '\n') {
            text += m_bCrLf ? "\r\n" : "\n";
            ++value.lines;
        } else {
            text += written[i];
        }
    }
    if (text.back() != '\n') {
        text += m_bCrLf ? "\r\n" : "\n";
        ++value.lines;
    }
    value.text = std::move(text);
}

SslRepeatedLines::RSWord* SslRepeatedLines::Word(const unsigned char* at,
                                                 const unsigned char* limit) {
    const unsigned char* p = at;
    while (p < limit && !IsBlank(*p) && !IsLineEnd(*p))
        ++p;
    // The word must end inside the window for the scanner to read it the same.
    if (p == at || p == limit)
        return nullptr;
    const auto found = m_Words.find(
        std::string_view(reinterpret_cast<const char*>(at), static_cast<std::size_t>(p - at)));
    return found == m_Words.end() ? nullptr : &found->second;
}

bool SslRepeatedLines::NextLineStartsStatement(const unsigned char* at,
                                               const unsigned char* limit) {
    while (at < limit && IsBlank(*at))
        ++at;
    if (at == limit)
        return false;
    if (IsLineEnd(*at))
        return true;
    const RSWord* word = Word(at, limit);
    return word != nullptr && word->startsStatement;
}

void SslRepeatedLines::Skip(SslParseContext& context) {
    while (!m_bRetired && Take(context, context.m_Scan.cursor, context.m_Scan.limit)) {
    }
}

bool SslRepeatedLines::Take(SslParseContext& context, const unsigned char* at,
                            const unsigned char* limit) {
    RSWord* word = Word(at, limit);
    if (word == nullptr)
        return false;
    for (const std::uint32_t id : word->statements) {
        RSStatement& statement = m_aStatements[id];
        // A statement read in many blocks and never taken is no longer looked for.
        constexpr std::uint8_t kMaxMisses = 16;
        if (statement.misses >= kMaxMisses ||
            &context.m_CurrentEntry.GetStatement(static_cast<TSslStatementID>(id)) !=
                statement.fresh.object)
            continue;
        if (TakeValue(context, id, statement.fresh, at, limit))
            return Taken(statement);
        for (RSValue& value : statement.recent) {
            if (value.object != nullptr && TakeValue(context, id, value, at, limit))
                return Taken(statement);
        }
        if (!statement.missed) {
            statement.missed = true;
            statement.misses += statement.taken ? 0 : 1;
            m_Missed.push_back(id);
        }
    }
    return false;
}

bool SslRepeatedLines::Taken(RSStatement& statement) {
    statement.taken = true;
    ++m_nTaken;
    return true;
}

bool SslRepeatedLines::TakeValue(SslParseContext& context, std::uint32_t id, RSValue& value,
                                 const unsigned char* at, const unsigned char* limit) {
    if (!value.textMade)
        MakeText(id, value);
    const std::size_t size = value.text.size();
    if (size == 0 || value.state == TState::kRefused ||
        static_cast<std::size_t>(limit - at) <= size ||
        std::memcmp(at, value.text.data(), size) != 0 || !NextLineStartsStatement(at + size, limit))
        return false;
    if (value.state == TState::kUntested)
        value.state = context.ReadsAs(value.text, m_Fresh, id, *value.object) ? TState::kTaken
                                                                              : TState::kRefused;
    if (value.state == TState::kRefused)
        return false;
    const auto statementId = static_cast<TSslStatementID>(id);
    if (value.object != &context.m_CurrentEntry.GetStatement(statementId))
        context.m_CurrentEntry.ShareStatement(statementId, value.holder);
    context.m_Scan.cursor = at + size;
    context.m_nLine += value.lines;
    return true;
}

void SslRepeatedLines::EndBlock(const RCSslEntry& entry) {
    // Each value learned may cost a parse of its text: a statement whose values keep
    // changing (a name) is given up after a few, so that no ticket makes reading it
    // much dearer than reading its text.
    constexpr std::uint8_t kMaxLearned = 16;
    // A ticket the writer did not write repeats none of its texts: looking for them
    // stops when the first blocks gave nothing to take.
    constexpr std::uint32_t kBlocksToTakeFirst = 32;
    if (++m_nBlocks == kBlocksToTakeFirst && m_nTaken == 0)
        m_bRetired = true;
    for (const std::uint32_t id : m_Missed) {
        RSStatement& statement = m_aStatements[id];
        statement.missed = false;
        const auto statementId = static_cast<TSslStatementID>(id);
        const SslStatement* now = &entry.GetStatement(statementId);
        if (now == statement.fresh.object || statement.learned >= kMaxLearned ||
            std::any_of(statement.recent.begin(), statement.recent.end(),
                        [now](const RSValue& value) { return value.object == now; }))
            continue;
        ++statement.learned;
        RSValue& value = statement.recent[statement.next];
        statement.next = static_cast<std::uint8_t>((statement.next + 1) % statement.recent.size());
        value = RSValue();
        value.holder = entry;
        value.object = &value.holder.GetStatement(statementId);
    }
    m_Missed.clear();
}

}  // namespace ssl2::internal
