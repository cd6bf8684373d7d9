// RCStatementInfluencingCapas: the capabilities of all known plotters and the
// refined capabilities made from them.
//
// Callers add one capability INI text per plotter, then ask for the refined
// capabilities of one plotter by name, or of "auto" (any of them: the merge).
//
//   RCStatementInfluencingCapas capas;
//   capas.AddPlotter(iniTextA);
//   capas.AddPlotter(iniTextB);
//   RCStatementInfluencingCapaRefined any = capas.GetRefinedCapas("auto");
//
// A plain value type; GetRefinedCapas may refine (changes the object), so one
// object must not be used by two threads at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ssl2/capas/RCStatementInfluencingCapaRaw.h"
#include "ssl2/capas/RCStatementInfluencingCapaRefined.h"

using RCRawCapasVector = std::vector<RCStatementInfluencingCapaRaw>;
using RCRefinedCapasVector = std::vector<RCStatementInfluencingCapaRefined>;

/// The capabilities of all known plotters and the refined capabilities made from them.
class RCStatementInfluencingCapas {
public:
    RCStatementInfluencingCapas() = default;

    /// Reads one plotter's capability INI text; a plotter of the same name is
    /// replaced, else the plotter is appended.  False (nothing changed) when the
    /// text cannot be read.
    bool AddPlotter(const std::string& text);
    /// Adds a plotter read elsewhere (for example with RCIniStringInterface::ReadFile),
    /// replacing a plotter of the same name.
    void AddPlotter(const RCStatementInfluencingCapaRaw& raw);
    /// The number of plotters added.
    std::uint32_t GetPlotterCount() const { return static_cast<std::uint32_t>(m_RawCapas.size()); }
    /// Plotter `index`'s name; empty when out of range.
    std::string GetPlotterName(std::uint32_t index) const;

    /// Rebuilds the refined list: element 0 the merge over all plotters, element
    /// k + 1 plotter k alone.  Returns the number of plotters.
    std::uint32_t Refine();
    /// "auto": the merge; otherwise the first plotter of that name alone; an empty
    /// object when there is none.
    RCStatementInfluencingCapaRefined GetRefinedCapas(const std::string& name);

    /// The plotters as read, in the order added.
    const RCRawCapasVector& GetRawCapas() const { return m_RawCapas; }

    /// Same plotters and same refined state.
    bool operator==(const RCStatementInfluencingCapas&) const = default;

private:
    bool m_bRefined = false;
    RCRawCapasVector m_RawCapas;
    RCRefinedCapasVector m_RefinedCapas;
};
