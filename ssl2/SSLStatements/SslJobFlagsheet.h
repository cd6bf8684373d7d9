// SslJobFlagsheet: the flag sheet printed with a job, per job or per set.
//
// When on, its SSL text is multi-line:
//
//   JobFlagsheet job
//   	+ text "..."
//   	+ account                (when set; likewise "distribution ")
//   	+ prg 3                  ("prg auto" for the automatic fold program)
//   	+ foldTray 1             (when not negative; likewise "tray ")
//   	+ size A4
//
// otherwise `JobFlagsheet off`.  The output tray and the header/trailer choice are
// kept but not written.  Generic members: 0 "active" (on/off), 1 "text ".  Used by
// the job entry, the writer and the grammar.  A plain value without locks.
#pragma once

#include "ssl2/SSLStatements/SslSize.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// The statement "JobFlagsheet": the flag sheet printed with a job, per job or per
/// set, with its text, fold program, trays and size.
class SslJobFlagsheet final
    : public TSslStatementImpl<SslJobFlagsheet, kId_SslJobFlagsheet, SslStatement> {
public:
    static constexpr std::int32_t kFoldPrgNone = -1;         ///< no fold program
    static constexpr std::int32_t kFoldPrgAuto = -2;         ///< the automatic fold program
    static constexpr std::int32_t kMaxOutputTray = 3;        ///< the largest output tray
    static constexpr std::uint32_t kMaxPerJob = 2;           ///< the largest per-job choice
    static constexpr std::uint32_t m_MaxHeadTrailIndex = 1;  ///< the largest header/trailer choice
    static constexpr std::uint32_t kMemberCount = 2;         ///< members of the generic interface

    /// Output trays -1..3: "auto", "default", "front", "rear" (index tray + 1).
    static const TString m_asOutputTrays[4];
    /// Per job 0..2: "auto", "job", "set".
    static const TString m_asAutoJobSet[3];
    /// Header or trailer 0..1: "header", "trailer".
    static const TString m_asHeadTrail[m_MaxHeadTrailIndex + 1];
    ///@{
    /// Continuation keys, each with its trailing blank.
    static const TString m_sAccount, m_sDistribution, m_sFoldPrg, m_sFoldTray, m_sInputTray,
        m_sText, m_sSize;
    ///@}
    /// "active", "text ".
    static const TString m_asMemberNames[kMemberCount];

    /// Off, per job, no fold program or trays, DIN A4 (210 x 297), header/trailer 1.
    SslJobFlagsheet();

    TString ToString() const override;
    /// Member 0: a decimal number, non-zero switches on; member 1: the text.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    ///@{
    /// The three flags (printed at all, with the account, with the distribution) are
    /// stored as given; any non-zero value counts as set.  Return 1.
    unsigned int SetOn(unsigned int on);
    unsigned int SetAccount(unsigned int account);
    unsigned int SetDistribution(unsigned int distribution);
    ///@}
    /// The text printed on the sheet; returns 1.
    unsigned int SetText(const TString& text);
    /// -1 none, -2 automatic, else the program.
    unsigned int SetFoldProgram(std::int32_t program);
    /// -1 none.
    unsigned int SetFoldTray(std::int32_t tray);
    /// -1 none.
    unsigned int SetInputTray(std::int32_t tray);
    /// Refused outside -1..3.
    unsigned int SetOutputTray(std::int32_t tray);
    /// Refused above 2.
    unsigned int SetPerJob(std::uint32_t perJob);
    /// Refused above 1.
    unsigned int SetHeadTrail(std::uint32_t headTrail);
    /// The sheet's paper size; returns 1.
    unsigned int SetSize(const SslSize& size);

    ///@{
    /// The values the setters store.
    unsigned int GetOn() const { return m_bOn; }
    unsigned int GetAccount() const { return m_bAccount; }
    unsigned int GetDistribution() const { return m_bDistribution; }
    TString GetText() const { return m_sSheetText; }
    std::int32_t GetFoldProgram() const { return m_nFoldPrg; }
    std::int32_t GetFoldTray() const { return m_nFoldTray; }
    std::int32_t GetInputTray() const { return m_nInputTray; }
    std::int32_t GetOutputTray() const { return m_nOutputTray; }
    std::uint32_t GetPerJob() const { return m_nPerJob; }
    std::uint32_t GetHeadTrail() const { return m_nHeadTrail; }
    const SslSize& GetSize() const { return m_Size; }
    ///@}

    /// Converts the sheet size (SslSize::ConvertUnit).
    void ConvertUnit(std::uint32_t fromUnit, std::uint32_t toUnit, std::uint32_t resolution);

    /// All fields equal.
    bool operator==(const SslJobFlagsheet& other) const;

private:
    unsigned int m_bAccount = 0;
    unsigned int m_bDistribution = 0;
    std::int32_t m_nFoldPrg = kFoldPrgNone;
    std::int32_t m_nFoldTray = -1;
    std::int32_t m_nInputTray = -1;
    unsigned int m_bOn = 0;
    std::int32_t m_nOutputTray = -1;
    std::uint32_t m_nPerJob = 1;
    SslSize m_Size;
    TString m_sSheetText;
    std::uint32_t m_nHeadTrail = 1;
};
