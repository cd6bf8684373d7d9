// Taking the statements a ticket repeats in every output block without reading them.
//
// A ticket the writer wrote names every statement in every output block, mostly
// with the value a new file entry holds already (the job's or the default) or with
// the value the previous blocks gave it.  Scanning and applying those lines would be
// most of the time of reading such a ticket.  So, from the fourth output block on,
// the reader remembers per statement the texts of a few values: the one a new
// file entry holds, and the last few others that blocks gave it.  Where the input at the
// start of a line is exactly such a text, the value is taken (shared, or left as it
// is) and the text passed over, its lines counted.
//
// Taking a value so gives exactly what reading the text gives:
//  - the text is compared byte for byte, with the line ends the input uses;
//  - before a text is taken the first time, the reader reads it once in a parse of
//    its own that starts from a new file entry of this ticket with the same unit,
//    resolution and encoding; the text is taken only when that parse reports
//    nothing, reaches its end, and yields the remembered value in that statement
//    with every other statement unchanged;
//  - a value is taken only into an entry whose statement still holds what a new
//    file entry holds, the state that parse started from;
//  - the text must be followed by a line that the scanner starts with a new
//    statement's keyword, "EndOutput" or an empty line,
//    so that no `+` line continues a statement that was passed over;
//  - nothing is passed over while an address or a stamp, which take effect at their
//    end, is open, once anything was reported in the block, or in a UTF-16 ticket.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ssl2/entry/RCSslEntry.h"

namespace ssl2::internal {

class SslParseContext;
enum class TInputEncoding;

/// The statements of output blocks that a reading takes without scanning them again
/// (see above).  One per parse context; used only by the scanner's line starts.
class SslRepeatedLines {
public:
    /// Whether the reader remembers texts yet.
    bool Armed() const { return m_bArmed; }
    /// Starts remembering, for file entries made from `job` (the stored job entry);
    /// `crlf` tells the line ends of the input.
    void Arm(const RCSslEntry& job, bool crlf, TInputEncoding encoding);
    /// Passes over the statements at the start of the current line and after it that
    /// can be taken (the context's entry, line count and scan position move on).
    void Skip(SslParseContext& context);
    /// Learns the values a complete block gave the statements it read.
    void EndBlock(const RCSslEntry& entry);

private:
    enum class TState : std::uint8_t { kUntested, kTaken, kRefused };
    /// A remembered value and its text.
    struct RSValue {
        RCSslEntry holder;  ///< keeps `object` alive
        const SslStatement* object = nullptr;
        std::string text;  ///< as the input would give it; empty when it cannot be taken
        std::int32_t lines = 0;
        bool textMade = false;
        TState state = TState::kUntested;
    };
    struct RSStatement {
        RSValue fresh;  ///< what a new file entry holds
        /// Other values blocks gave it, the oldest replaced first.
        std::array<RSValue, 3> recent;
        std::uint8_t next = 0;     ///< the entry of `recent` to replace next
        std::uint8_t learned = 0;  ///< values learned in this reading
        bool missed = false;       ///< read in the current block while it held `fresh`
        bool taken = false;        ///< taken in any block
        std::uint8_t misses = 0;   ///< blocks that read it while it was never taken
    };
    /// What the scanner makes of a word at the start of a line.
    struct RSWord {
        std::vector<std::uint32_t> statements;  ///< the statements written with it
        bool startsStatement = false;           ///< the scanner begins a statement with it
    };

    bool Take(SslParseContext& context, const unsigned char* at, const unsigned char* limit);
    /// Counts a take of `statement`; true.
    bool Taken(RSStatement& statement);
    bool TakeValue(SslParseContext& context, std::uint32_t id, RSValue& value,
                   const unsigned char* at, const unsigned char* limit);
    void MakeText(std::uint32_t id, RSValue& value) const;
    bool NextLineStartsStatement(const unsigned char* at, const unsigned char* limit);
    /// The word at `at` (it must end before `limit`), when it is a known one.
    RSWord* Word(const unsigned char* at, const unsigned char* limit);

    bool m_bArmed = false;
    bool m_bRetired = false;      ///< nothing was taken in the first blocks
    std::uint32_t m_nBlocks = 0;  ///< blocks completed since armed
    std::uint64_t m_nTaken = 0;   ///< statements taken
    bool m_bCrLf = true;
    SslStatement::TSyntaxVersion m_nVersion = SslStatement::kVersion50;
    RCSslEntry m_Fresh;  ///< a new file entry of the ticket
    std::array<RSStatement, kSslStatementCount> m_aStatements;
    struct RSHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view word) const {
            return std::hash<std::string_view>{}(word);
        }
    };
    std::unordered_map<std::string, RSWord, RSHash, std::equal_to<>> m_Words;
    std::vector<std::uint32_t> m_Missed;  ///< statements with `missed` set
};

}  // namespace ssl2::internal
