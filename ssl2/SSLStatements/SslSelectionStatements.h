// The selection statements that differ only in data (keywords, limits, default,
// user-interface list, allowed values, configuration line), generated from
// SslSelectionStatements.def, and TSslSelection, the base that every concrete
// selection class builds on.
//
// Each class has the statics of its kind: m_asKeywords (unless it uses
// m_asOffOn or m_asPositions), m_asUserInterfaceKeywords (texts from the
// message table "SslStatementStrings", fetched when the library loads),
// m_anAllowedValues (where not every index up to the largest is valid) and
// m_sCfgName with ToCfg (where the class writes a plot configuration line).
#pragma once

#include <algorithm>
#include <iterator>

#include "ssl2/SSLStatements/SslSelectionStatement.h"
#include "ssl2/SSLStatements/SslStatementImpl.h"

/// Display text `number` of the message table "SslStatementStrings".
TString SslStatementString(std::uint32_t number);

/// A concrete selection class `Derived`: identifier, Clone, keyword table
/// (Derived::KeywordTable()), allowed values (Derived::m_anAllowedValues when it
/// has them) and the user-interface list (Derived::m_asUserInterfaceKeywords,
/// all of it) that GetKeywords returns without capabilities.
template <class Derived, TSslStatementID Id, class Base = SslSelectionStatement>
class TSslSelection : public TSslStatementImpl<Derived, Id, Base> {
    using Impl = TSslStatementImpl<Derived, Id, Base>;

public:
    using SslSelectionStatement::GetKeywords;
    /// The class's whole user-interface list; capabilities are not consulted.
    /// Returns the number of choices.
    std::uint32_t GetKeywords(const RSIndexString*& keywords,
                              const RCStatementInfluencingCapaRefined*) const override {
        keywords = Derived::m_asUserInterfaceKeywords;
        return static_cast<std::uint32_t>(std::size(Derived::m_asUserInterfaceKeywords));
    }

    /// Selects `index`; 0 and no change when the class lists allowed values and
    /// `index` is not among them, else as the base's Set (which refuses an index
    /// above the largest).
    unsigned int Set(std::uint32_t index) override {
        if constexpr (requires { Derived::m_anAllowedValues; }) {
            if (std::ranges::find(Derived::m_anAllowedValues, index) ==
                std::end(Derived::m_anAllowedValues))
                return 0;
        }
        return Base::Set(index);
    }

protected:
    /// The base's arguments, then the default index.
    template <class... Args>
    explicit TSslSelection(std::uint32_t defaultIndex, Args&&... args)
        : Impl(kSslStatementTypes[Id], std::forward<Args>(args)..., kSslStatementNames[Id]) {
        this->m_psKeywords = Derived::KeywordTable();
        this->m_Index = defaultIndex;
    }
};

// Column forms of SslSelectionStatements.def; each expands inside the class body.
#define SSL2_SEL_OFFON                     \
    static const TString* KeywordTable() { \
        return m_asOffOn;                  \
    }
#define SSL2_SEL_POSITIONS                 \
    static const TString* KeywordTable() { \
        return m_asPositions;              \
    }
#define SSL2_SEL_KEYWORDS(...)                                  \
    inline static const TString m_asKeywords[] = {__VA_ARGS__}; \
    static const TString* KeywordTable() {                      \
        return m_asKeywords;                                    \
    }
#define SSL2_SEL_UI(...) \
    inline static const RSIndexString m_asUserInterfaceKeywords[] = {__VA_ARGS__};
#define SSL2_SEL_UI_OFFON SSL2_SEL_UI(SSL2_MSG(0, 0), SSL2_MSG(1, 1))
#define SSL2_MSG(value, message) RSIndexString(value, SslStatementString(message))
#define SSL2_SEL_ALLOWED(...) \
    inline static constexpr std::uint32_t m_anAllowedValues[] = {__VA_ARGS__};
#define SSL2_SEL_CFG_ONOFF(key)                             \
    inline static const TString m_sCfgName = key;           \
    TString ToCfg() const {                                 \
        return CfgLine(m_sCfgName, m_Index ? "on" : "off"); \
    }
#define SSL2_SEL_CFG_KEYWORD(key)                 \
    inline static const TString m_sCfgName = key; \
    TString ToCfg() const {                       \
        return CfgLine(m_sCfgName, GetKeyword()); \
    }
#define SSL2_SEL_NONE

#define SSL2_SELECTION(cls, maxIndex, defaultIndex, keywords, ui, allowed, cfg) \
    class cls final : public TSslSelection<cls, kId_##cls> {                    \
    public:                                                                     \
        cls() : TSslSelection(defaultIndex, maxIndex) {}                        \
        keywords ui allowed cfg                                                 \
    };
#define SSL2_SELECTION_OPTION(cls, maxOption, defaultIndex)                               \
    class cls final : public TSslSelection<cls, kId_##cls, SslSelectionOptionStatement> { \
    public:                                                                               \
        cls() : TSslSelection(defaultIndex, 1, maxOption) {}                              \
        SSL2_SEL_OFFON SSL2_SEL_UI_OFFON                                                  \
    };
#include "ssl2/SSLStatements/SslSelectionStatements.def"
#undef SSL2_SELECTION
#undef SSL2_SELECTION_OPTION
