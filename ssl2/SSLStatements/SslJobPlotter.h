// SslJobPlotter: the plotters a job is bound to, or "auto" (any plotter).
//
// The list is kept as text, plotter identifiers separated by ":" (`JobPlotter
// "3:7"`); with auto on the line is `JobPlotter auto` and the list is empty.
// Used by the job entry, the writer and the grammar.  A plain value without locks.
#pragma once

#include "ssl2/SSLStatements/SslStatementImpl.h"
#include "ssl2/SSLStatements/SslStringStatement.h"
#include "ssl2/base/TRCMultiObjectContainer.h"

/// The plotters a job is bound to, or any plotter ("auto").
class SslJobPlotter final
    : public TSslStatementImpl<SslJobPlotter, kId_SslJobPlotter, SslStringStatement> {
public:
    /// A list of plotter identifiers.
    using TPlotterList = TRCMultiObjectContainer<TString>;

    static const TString m_sAuto;       ///< "auto"
    static const TString m_sDelimiter;  ///< ":"

    /// Auto on, the list empty.
    SslJobPlotter();

    /// `JobPlotter auto`, or `JobPlotter "id:id..."`.
    TString ToString() const override;
    /// "auto" (any case) switches auto on; any other text, the empty one included,
    /// is stored as the list with auto off.
    unsigned int SetString(const std::string& text, std::uint32_t member,
                           std::uint32_t element) override;
    /// "auto" when auto is on, else the list.
    std::string GetString(std::uint32_t member, std::uint32_t element) const override;

    /// The empty text or "auto" (any case) switches auto on and empties the list;
    /// any other text is stored as the list with auto off.  Returns 1.
    unsigned int Set(const TString& text) override;
    /// 1 when auto is on.
    unsigned int GetAuto() const { return m_bAuto; }

    /// Joins the identifiers with ":"; auto is on exactly when that gives "".
    unsigned int SetAll(const TPlotterList& plotters);
    /// The identifiers of the list (none when auto).
    TPlotterList GetAll() const;
    /// Their number (0 when auto).
    std::uint32_t GetCount() const;

    /// The identifiers of a ":"-separated text (none for the empty text).
    static TPlotterList PlotterListFromString(const TString& text);
    /// Their number.
    static std::uint32_t PlotterCountFromString(const TString& text);

    /// Equal auto flag and equal list.
    bool operator==(const SslJobPlotter& other) const;

private:
    unsigned int m_bAuto = 1;
};
