// Message tables: numbered texts with up to three arguments (%1, %2, %3).
//
// A message table is declared by a class derived from TMessageBase whose default
// constructor names the table, its module, its header and its table number, and
// hands in the built-in English texts.  Constructing a table registers it
// (idempotently) in the process-wide registry; VEMTO::GetMessage looks texts up
// there.  A caller may replace texts from a file with VEMTO::LoadMessages.
// All functions are thread-safe.
#pragma once

#include <cstdint>
#include <span>

#include "ssl2/base/TString.h"

/// One built-in text of a message table.
struct RSMessageText {
    std::uint32_t m_nNumber;  ///< the message number
    const char* m_sText;      ///< the English text, with %1 .. %3 for the arguments
};

/// The base of every message table class.
class TMessageBase {
public:
    /// Registers the table `tableName` of module `moduleName`, declared in
    /// `headerPath`, as number `tableNumber`, with its built-in `texts`.
    TMessageBase(const char* tableName, const char* moduleName, const char* headerPath,
                 unsigned short tableNumber, std::span<const RSMessageText> texts = {});
    virtual ~TMessageBase() = default;

    /// The table number, the handle by which messages are looked up and raised.
    operator unsigned short() const { return m_nTable; }  // NOLINT: implicit by design
    /// The table's name ("SslErrors").
    const char* GetTableName() const { return m_sTable; }
    /// The name of the module the table belongs to.
    const char* GetModuleName() const { return m_sModule; }
    /// The header that declares the table.
    const char* GetHeaderPath() const { return m_sHeader; }

private:
    const char* m_sTable;
    const char* m_sModule;
    const char* m_sHeader;
    unsigned short m_nTable;
};

/// Errors of the platform layer itself (files, serialisation, system calls).
class RMCBaseErrors : public TMessageBase {
public:
    RMCBaseErrors();
    enum : std::uint32_t {
        kSystemError = 0,      ///< %1: operation, %2: system error text, %3: object
        kFileOpen = 1,         ///< %1: path, %2: reason
        kFileWrite = 2,        ///< %1: path, %2: reason
        kFileRead = 3,         ///< %1: path, %2: reason
        kSerialTruncated = 4,  ///< serialised data ends early
        kSerialType = 5,       ///< %1: found data type, %2: expected data type
        kSerialKind = 6,       ///< %1: member id, %2: found kind, %3: expected kind
        kIndexOutOfRange = 7,  ///< %1: list, %2: index, %3: count
    };
};

namespace VEMTO {

/// Text of message `number` of table `table` with %1..%3 replaced by the arguments;
/// "No Message for <0x%X>:<0x%X>" (table, number) when the table lacks it.
TString GetMessage(unsigned short table, std::uint32_t number, const TString& arg1 = {},
                   const TString& arg2 = {}, const TString& arg3 = {});

/// Loads replacement texts: one per line, "TableName<TAB>number<TAB>text"; blank
/// lines and lines starting with ';' are skipped.  Returns the number of texts
/// taken, or -1 when the file cannot be read.  Tables named but not (yet)
/// registered keep the texts for when they are.
int LoadMessages(const TString& path);

}  // namespace VEMTO
