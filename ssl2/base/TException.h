// Errors: the library exception and the pending error of the current thread.
//
// Library errors are raised with ThrowNewError (a message of a message table with
// three argument texts).  The raised error also becomes the pending error of the
// raising thread, which handlers read with GetErrorInfo/GetErrorString and drop
// with ClearError, so that operations working through many files can log an error,
// collect it as an RCInfo record and go on.
//
//   try { ThrowNewError(RMCSslErrors(), 2, "111"); }
//   catch (const TException& e) { log(e.what()); ClearError(); }
#pragma once

#include <array>
#include <cstdint>
#include <exception>

#include "ssl2/base/TString.h"

/// The bare error record: where an error came from and its message number.
class RCInfoRaw {
public:
    /// Origin code of a record that carries no error.
    static constexpr unsigned short kNoOrigin = 0xFFFF;

    RCInfoRaw() = default;
    /// Message `number` of the table with origin code `origin`.
    RCInfoRaw(unsigned short origin, std::uint32_t number) : m_nOrigin(origin), m_nNumber(number) {}

    /// The message table the error belongs to; kNoOrigin when there is no error.
    unsigned short GetOriginCode() const { return m_nOrigin; }
    /// The message number within the table.
    std::uint32_t GetNumber() const { return m_nNumber; }

    /// Same origin and number.
    friend bool operator==(const RCInfoRaw&, const RCInfoRaw&) = default;

protected:
    unsigned short m_nOrigin = kNoOrigin;  ///< the table, or kNoOrigin
    std::uint32_t m_nNumber = 0;           ///< the message number
};

/// An error record: origin, number, the three argument texts and the message text.
class RCInfo : public RCInfoRaw {
public:
    RCInfo() = default;
    /// Message `number` of `table` with its argument texts (%1, %2, %3).
    RCInfo(unsigned short table, std::uint32_t number, TString arg1 = {}, TString arg2 = {},
           TString arg3 = {});

    /// True when the record carries an error.
    bool IsError() const { return m_nOrigin != kNoOrigin; }
    /// Argument text `i` (0 to 2; std::out_of_range otherwise).
    const TString& GetArgument(int i) const { return m_asArgs.at(static_cast<std::size_t>(i)); }
    /// The formatted message text (empty for a record without error).
    TString GetText() const;

    /// Same origin, number and arguments.
    friend bool operator==(const RCInfo&, const RCInfo&) = default;

private:
    std::array<TString, 3> m_asArgs;
};

/// The library exception; what() is the formatted message text.
class TException : public std::exception {
public:
    /// The error `info`; its text is formatted once, here.
    explicit TException(RCInfo info);

    /// The error record.
    const RCInfo& GetInfo() const { return m_Info; }
    /// The message table (its origin code).
    unsigned short GetTable() const { return m_Info.GetOriginCode(); }
    /// The message number.
    std::uint32_t GetNumber() const { return m_Info.GetNumber(); }
    /// Argument text `i` (0 to 2).
    const TString& GetArgument(int i) const { return m_Info.GetArgument(i); }
    /// The formatted message text.
    const char* what() const noexcept override { return m_sText.c_str(); }

private:
    RCInfo m_Info;
    TString m_sText;
};

/// Raises message `number` of table `table`; it becomes the thread's pending error.
[[noreturn]] void ThrowNewError(unsigned short table, std::uint32_t number,
                                const TString& arg1 = {}, const TString& arg2 = {},
                                const TString& arg3 = {});
/// Raises the operating system's last error (errno) for `operation` on `object`.
[[noreturn]] void ThrowLastError(const TString& operation = "system call",
                                 const TString& object = {});
/// Raises an error for the current exception: a TException as it is, any other
/// exception as a system error with its what() text.  For handlers that must turn
/// foreign exceptions into library errors.
[[noreturn]] void RethrowAsLibraryError();

/// The pending error of the current thread (a record without error when none).
RCInfo GetErrorInfo();
/// The text of the pending error ("" when none).
TString GetErrorString();
/// Drops the pending error of the current thread.
void ClearError();

/// Handlers that swallow a foreign exception report it here: it is logged at level
/// 1 and becomes the pending error.  Call from inside a catch block.
void VemtoUnhandledException();
/// Kept for callers that pair it with VemtoUnhandledException; there is no count of
/// pending errors on this platform, so it only clears the pending error.
void DecrementPendingCount();
