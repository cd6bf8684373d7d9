// SslFold: the Fold statement (identifier 20): fold program, folder output tray,
// fold options and the reaction when folding is impossible.
//
// Written as `Fold off` or `Fold Prg 3 Tray 1 Option 5`.  Older tickets carry only
// a program number whose meaning (a program plus options) comes from a translation
// table; Translate and ReTranslate convert between the two forms using tables the
// caller owns, each read under its own lock.  The program and tray keyword lists
// can be narrowed to the fold programs and folder output trays of refined
// capabilities; those lists live in two per-object caches (see SslStatement).
//
// Serialisable (type number 1).  Plain value otherwise: one fold must not be used
// from two threads at once.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "ssl2/SSLStatements/SslSerialMembers.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/base/RCMutex.h"
#include "ssl2/base/TMessage.h"

/// Old program number -> program plus options: up to 200 entries of eight values
/// (program, punch, crossfold, tab, reinforce, US bookfold, C-fold, landscape),
/// indexed by the old program number.  Owned by the caller; read under m_Mutex.
struct RCFoldPrgTranslator {
    static constexpr std::uint32_t kEntryCount = 200;  ///< the number of old program numbers
    mutable VEMTO::RCMutex m_Mutex;                    ///< held while the table is read
    std::array<std::array<std::uint32_t, 8>, kEntryCount> m_aEntries{};  ///< the entries
};

/// Program plus options -> old program number: 100 entries {program, options, old
/// program}.  A search starts at the entry whose position equals the program and
/// stops at the first entry with program 0.  Owned by the caller; read under m_Mutex.
struct RCFoldPrgReTranslator {
    static constexpr std::uint32_t kEntryCount = 100;  ///< the number of entries
    mutable VEMTO::RCMutex m_Mutex;                    ///< held while the table is read
    std::array<std::array<std::uint8_t, 3>, kEntryCount> m_aEntries{};  ///< the entries
};

/// The statement "Fold": fold program, folder output tray, fold options and the
/// reaction when folding is impossible.
class SslFold final : public TSslStatementImpl<SslFold, kId_SslFold, SslStatement>,
                      public RCSerializeBase {
public:
    /// Fold option bits (bits 0 to 23).
    enum TOption : std::uint32_t {
        kPunch = 0x01,
        kCrossfold = 0x02,
        kReinforce = 0x04,
        kTab = 0x08,
        kUsBookfold = 0x10,
        kCFold = 0x20,
        kLandscape = 0x40,
    };
    ///@{
    /// Special bits: the reaction when folding is impossible (ignore, report an
    /// error; neither: the server default).
    static constexpr std::uint32_t kIgnoreIfImpossible = 0x1000000;
    static constexpr std::uint32_t kErrorIfImpossible = 0x2000000;
    ///@}
    static constexpr std::uint32_t kOptionMask = 0x00FFFFFF;   ///< the option bits
    static constexpr std::uint32_t kSpecialMask = 0xFF000000;  ///< the special bits
    static constexpr std::int32_t kMaxPrg = 1000;              ///< the largest program
    static constexpr std::int32_t kMaxTray = 100;              ///< the largest tray
    static constexpr std::uint32_t kMemberCount = 10;          ///< generic members

    /// The message table "SslFold::SslFoldOptionNames": messages 1, 3 and 4 name
    /// the chargeable options punch, reinforcement and tab.
    class RMCSslFoldOptionNames : public TMessageBase {
    public:
        RMCSslFoldOptionNames();
    };
    /// The option-name message table.
    static const RMCSslFoldOptionNames SslFoldOptionNames;

    /// No folding: program -1, tray -1, no options.
    SslFold();
    /// Copies program, tray and options; the copy's keyword caches are empty.
    SslFold(const SslFold& other);
    /// Assigns program, tray and options; this fold's keyword caches are kept.
    SslFold& operator=(const SslFold& other);

    /// `Fold off`, or `Fold Prg <p>[ Tray <t>][ Option <o>]`; the options are
    /// written only when `noOptions` is 0.
    TString ToString(unsigned int noOptions) const;
    TString ToString() const override { return ToString(0); }

    // --- values (setters: 1 taken, 0 refused and nothing changed) -------------------
    /// -1 (no folding) to 1000.
    unsigned int SetPrg(std::int32_t program);
    /// The fold program, -1 for none.
    std::int32_t GetPrg() const { return m_FoldPrg; }
    /// -1 (not given) to 100.
    unsigned int SetTray(std::int32_t tray);
    /// The folder output tray, -1 for none.
    std::int32_t GetTray() const { return m_Tray; }

    /// Sets the bits of `option` (at most 64, bits 0 to 23 only) and marks the
    /// options as set.
    unsigned int AddOption(std::uint32_t option);
    /// Clears the bits of `option` (same limits) and marks the options as set.
    unsigned int RemoveOption(std::uint32_t option);
    /// AddOption when `on` is non-zero, else RemoveOption; refused above 64.
    unsigned int SetOption(std::uint32_t option, unsigned int on);
    ///@{
    /// Special bits (bits 24 and up, at most 0x2000000); AddSpecialOption does not
    /// mark the options as set, RemoveSpecialOption does.
    unsigned int AddSpecialOption(std::uint32_t option);
    unsigned int RemoveSpecialOption(std::uint32_t option);
    ///@}

    ///@{
    /// The reaction when folding is impossible: 0 server default, 1 ignore,
    /// 2 report; Set refuses anything else with 0.
    unsigned int SetIfFoldImpossible(std::uint32_t reaction);
    std::uint32_t GetIfFoldImpossible() const;
    ///@}
    ///@{
    /// SetIfFoldImpossible with 0, 1 or 2.
    unsigned int SetDefaultIfFoldImpossible() { return SetIfFoldImpossible(0); }
    unsigned int SetIgnoreIfFoldImpossible() { return SetIfFoldImpossible(1); }
    unsigned int SetErrorIfFoldImpossible() { return SetIfFoldImpossible(2); }
    ///@}

    /// The option bits (0 to 23).
    std::uint32_t GetOptions() const { return m_Options & kOptionMask; }
    /// The special bits (24 to 31).
    std::uint32_t GetSpecialOptions() const { return m_Options & kSpecialMask; }
    /// Marks the options as set.  Option bits below 128 replace the current ones
    /// (1); otherwise only the seven known bits are taken over from `options` (0).
    unsigned int SetOptions(std::uint32_t options);
    /// Special bits below 0x4000000 replace bits 24 to 31 (1); otherwise only the
    /// two reaction bits are taken over from `options` (0).
    unsigned int SetSpecialOptions(std::uint32_t options);
    /// Both of the above; 1 only when both return 1.
    unsigned int SetAllOptions(std::uint32_t options);
    /// True once the options were set (program-plus-options form).
    bool GetOptionsSet() const { return m_bOptionsSet; }
    /// Clears the mark that the options were set.
    void ResetOptionsSet() { m_bOptionsSet = false; }

    /// Display text of the chargeable options in `options` (punch, reinforcement,
    /// tab), from the table SslFoldOptionNames; empty when none.
    static TString ChargedOptionsAsString(std::uint8_t options);

    /// Old program number -> program plus options.  -1 when the options are already
    /// set (nothing changed), 0 when the program is below 1, else 1.
    int Translate(const RCFoldPrgTranslator& table);
    /// Program plus options -> old program number.  1 when found, -1 when not (the
    /// fold is switched off), 0 when the options are not set or there is no program.
    int ReTranslate(const RCFoldPrgReTranslator& table);

    /// Program, tray and all option bits equal.
    bool operator==(const SslFold& other) const;
    /// Any of them differs.
    bool operator!=(const SslFold& other) const { return !(*this == other); }

    // --- generic member interface: 0 program, 1 tray, 2..8 option bits, 9 reaction --
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;
    std::uint32_t GetContainedMemberCount() const override { return kMemberCount; }
    std::uint32_t GetContainedType(std::uint32_t member) const override;
    /// Programs and trays come from `capas` when given (cached per object).
    std::uint32_t GetKeywords(const RSIndexString*& keywords, std::uint32_t member,
                              const RCStatementInfluencingCapaRefined* capas) const override;
    TString GetSubStatementName(std::uint32_t member) override;

    // --- tables ---------------------------------------------------------------------
    static const TString m_asMemberNames[kMemberCount];  ///< generic member names
    /// The programs offered without capabilities.
    static const RSIndexString m_asUserInterfacePrograms[4];
    /// The trays offered without capabilities: "auto".
    static const RSIndexString m_asUserInterfaceTrays[1];
    /// Off and on with the display texts of "SslStatementStrings" 0 and 1; shared by
    /// the margin, plotter-language and stamp statements.
    static const RSIndexString m_asOnOff[2];
    /// The reactions: "server default", "ignore", "report".
    static const RSIndexString m_asErrorSettings[3];
    static const TString m_sProgram;  ///< the key "Prg "
    static const TString m_sTray;     ///< the key "Tray "
    static const TString m_sOption;   ///< the key "Option "

    // --- serialisation (type number 1) ---------------------------------------------
    ///@{
    static constexpr std::uint32_t kTypeNumber = 1;
    /// The wire form through RCSerializeBase: data type MakeDataTypeId(17, 1), the
    /// member table list and the functions that write and read each member.
    static std::uint32_t GetClassDataType() { return MakeDataTypeId(17, kTypeNumber); }
    std::uint32_t GetDataType() const override { return GetClassDataType(); }
    const _TIDFunctionTableList* GetFunctionTableList() const override {
        return &InitFunctionTableList();
    }
    static const _TIDFunctionTableList& InitFunctionTableList();
    static const _TIDFunctionTuple m_IDFunciontArray[];
    SSL2_SER_MEMBER_DECLARE(m_FoldPrg)
    SSL2_SER_MEMBER_DECLARE(m_Tray)
    SSL2_SER_MEMBER_DECLARE(m_Options)
    SSL2_SER_MEMBER_DECLARE(m_bOptionsSet)
    ///@}

private:
    /// Program, tray and options back to "no folding", options not set.
    void Reset();
    std::uint32_t ProgramKeywords(const RSIndexString*& keywords,
                                  const RCStatementInfluencingCapaRefined& capas) const;
    std::uint32_t TrayKeywords(const RSIndexString*& keywords,
                               const RCStatementInfluencingCapaRefined& capas) const;

    std::int32_t m_FoldPrg = -1;
    std::int32_t m_Tray = -1;
    std::uint32_t m_Options = 0;
    bool m_bOptionsSet = false;
    mutable std::unique_ptr<RSIndexString[]> m_pasTrayKeywordCache;
    mutable std::uint32_t m_nTrayKeywordCacheCount = 0;
};
