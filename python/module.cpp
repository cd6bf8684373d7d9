// _ssl2: the Python binding of the ssl2 library, a thin layer under the Python package
// ssl2 (python/ssl2/__init__.py), which builds the Pythonic interface on it.
//
// Only the installed headers are used, so the module builds against an installed
// library as well as in the source tree.  Texts cross as Python str: TString's
// UTF-16 form goes out (an unpaired surrogate becomes U+FFFD), and a str comes in
// through TString::FromUnicode.  A library error (TException) becomes ssl2.Error
// with the library's message text.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <bit>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "ssl2/ssl2.h"

namespace py = pybind11;

namespace {

py::str ToPython(const TString& text) {
    const std::u16string units = text.AsUnicode();
    int byteOrder = std::endian::native == std::endian::little ? -1 : 1;
    PyObject* decoded =
        PyUnicode_DecodeUTF16(reinterpret_cast<const char*>(units.data()),
                              static_cast<Py_ssize_t>(units.size() * 2), "replace", &byteOrder);
    if (decoded == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

TString FromPython(const py::str& text) {
    const py::bytes encoded = py::reinterpret_steal<py::bytes>(
        PyUnicode_AsEncodedString(text.ptr(), "utf-16-le", "surrogatepass"));
    if (!encoded)
        throw py::error_already_set();
    const std::string bytes = encoded;
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return TString::FromUnicode(units);
}

TSslStatementID CheckedId(std::uint32_t id) {
    if (id >= kSslStatementCount)
        throw py::index_error("no statement with identifier " + std::to_string(id));
    return static_cast<TSslStatementID>(id);
}

/// One statement, owned by Python: a copy taken from an entry or a new default one.
struct RSStatement {
    std::unique_ptr<SslStatement> m_pStatement;

    explicit RSStatement(std::uint32_t id)
        : m_pStatement(SslStatement::CreateSslObject(CheckedId(id))) {
        if (!m_pStatement)
            throw std::bad_alloc();
    }
    SslStatement& operator*() const { return *m_pStatement; }
};

/// A diagnostic of the reader as (line, message) with the message's line end removed.
py::tuple DiagnosticTuple(const RSSslDiagnostic& d) {
    std::string message = d.m_sMessage.str();
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return py::make_tuple(d.m_nLine, ToPython(TString(message)));
}

/// A ticket that the reader gave up on; raised as ssl2.Error like library errors.
class RCReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The severe (level 1) messages the library logged.
std::vector<TString> SevereMessages(const RCCaptureLog& log) {
    std::vector<TString> severe;
    for (const RCCaptureLog::Entry& entry : log.GetEntries()) {
        if (entry.m_nLevel == 1)
            severe.push_back(entry.m_sText);
    }
    return severe;
}

/// Reads `path`; returns (set, diagnostics).  Raises OSError when the file cannot be
/// opened and ssl2.Error when the reader cannot read it.
py::tuple ReadSet(const std::string& path, std::uint32_t resolution) {
    std::error_code ec;
    const bool directory = std::filesystem::is_directory(path, ec);
    std::FILE* probe = directory ? nullptr : std::fopen(path.c_str(), "rb");
    if (probe == nullptr) {
        errno = directory ? EISDIR : errno;
        PyErr_SetFromErrnoWithFilename(PyExc_OSError, path.c_str());
        throw py::error_already_set();
    }
    std::fclose(probe);

    auto set = std::make_unique<RCSslSet>();
    std::vector<RSSslDiagnostic> diagnostics;
    set->SetDiagnosticHandler([&](const RSSslDiagnostic& d) { diagnostics.push_back(d); });
    RCCaptureLog log;
    int count = 0;
    {
        RCScopedLog scope(&log);
        count = set->ParseSsl(TString(path), resolution);
    }
    set->SetDiagnosticHandler({});
    if (count < 0) {
        ClearError();
        const std::vector<TString> severe = SevereMessages(log);
        throw RCReadError(path + ": cannot read the ticket" +
                          (severe.empty() ? std::string() : ": " + severe.back().str()));
    }
    py::list found;
    for (const RSSslDiagnostic& d : diagnostics)
        found.append(DiagnosticTuple(d));
    return py::make_tuple(std::move(set), found);
}

/// The pens of a pen table (CalcompPens, HpglPens, VicPens), each a dict with its
/// number; None for any other statement.
py::object Pens(const RSStatement& statement) {
    const auto* pens = dynamic_cast<const SslHpglPens*>(&*statement);
    if (pens == nullptr)
        return py::none();
    py::list list;
    for (std::uint32_t i = 0; i < pens->GetPenCount(); ++i) {
        const HpglPen& pen = pens->GetPen(i);
        py::dict values;
        values["number"] = pen.GetNumber();
        values["width"] = ToPython(TString(pen.GetString(0)));
        values["color"] = pen.GetColor();
        values["saturation"] = pen.GetSaturation();
        values["page"] = pen.GetPage();
        list.append(values);
    }
    return list;
}

/// Sets one value ("width", "color", "saturation" or "page") of pen `number` of a
/// pen table; false when the statement, the pen or the value is refused.
bool SetPen(RSStatement& statement, std::uint32_t number, const std::string& member,
            const py::str& text) {
    auto* pens = dynamic_cast<SslHpglPens*>(&*statement);
    const TString value = FromPython(text);
    if (pens == nullptr)
        return false;
    if (member == "width") {
        double width = 0.0;
        return value.Value(width) && pens->SetWidth(width, number) != 0;
    }
    std::uint32_t whole = 0;
    if (!value.Value(whole))
        return false;
    if (member == "color")
        return pens->SetColor(whole, number) != 0;
    if (member == "saturation")
        return pens->SetSaturation(whole, number) != 0;
    return member == "page" && pens->SetPage(whole, number) != 0;
}

py::list Keywords(const RSStatement& statement, std::uint32_t member,
                  const RCStatementInfluencingCapaRefined* capas) {
    const RSIndexString* keywords = nullptr;
    std::uint32_t count = 0;
    // Selection statements offer their choices through their own keyword slot.
    if (const auto* selection = dynamic_cast<const SslSelectionStatement*>(&*statement);
        selection != nullptr && member == 0) {
        count = selection->GetKeywords(keywords, capas);
    }
    if (count == 0 || keywords == nullptr)
        count = (*statement).GetKeywords(keywords, member, capas);
    py::list list;
    for (std::uint32_t k = 0; keywords != nullptr && k < count; ++k)
        list.append(py::make_tuple(keywords[k].m_nIndex, ToPython(keywords[k].m_sText)));
    return list;
}

}  // namespace

PYBIND11_MODULE(_ssl2, m) {
    m.doc() = "The binding under the ssl2 package; use the package.";
    m.attr("version") = SSL2_VERSION;
    m.attr("statement_count") = kSslStatementCount;

    static py::exception<TException> error(m, "Error");
    py::register_exception_translator([](std::exception_ptr pending) {
        try {
            if (pending)
                std::rethrow_exception(pending);
        } catch (const TException& e) {
            ClearError();
            error(e.what());
        } catch (const RCReadError& e) {
            error(e.what());
        }
    });

    py::class_<RSStatement>(m, "Statement")
        .def(py::init<std::uint32_t>())
        .def_property_readonly(
            "id",
            [](const RSStatement& s) { return static_cast<std::uint32_t>((*s).GetStatementID()); })
        .def_property_readonly(
            "name", [](const RSStatement& s) { return ToPython((*s).GetStatementName(0)); })
        .def_property_readonly("type", [](const RSStatement& s) { return (*s).GetStatementType(); })
        .def_property_readonly(
            "value_type",
            [](const RSStatement& s) { return SslStatement::GetMemberType((*s).GetStatementID()); })
        .def_property_readonly("ssl",
                               [](const RSStatement& s) { return ToPython((*s).ToString()); })
        .def_property_readonly("member_count",
                               [](const RSStatement& s) { return (*s).GetContainedMemberCount(); })
        .def_property_readonly("array_count",
                               [](const RSStatement& s) { return (*s).GetArrayCount(); })
        .def("member_name",
             [](const RSStatement& s, std::uint32_t member) {
                 return ToPython((*s).GetSubStatementName(member));
             })
        .def("member_type", [](const RSStatement& s,
                               std::uint32_t member) { return (*s).GetContainedType(member); })
        .def("get",
             [](const RSStatement& s, std::uint32_t member, std::uint32_t element) {
                 return ToPython(TString((*s).GetString(member, element)));
             })
        .def("set",
             [](RSStatement& s, const py::str& text, std::uint32_t member, std::uint32_t element) {
                 return (*s).SetString(FromPython(text).str(), member, element) != 0;
             })
        .def_property_readonly("pens", &Pens)
        .def("set_pen", &SetPen)
        .def("keywords", &Keywords, py::arg("member"), py::arg("capas") = nullptr)
        .def("__eq__", [](const RSStatement& a, const RSStatement& b) {
            return (*a).GetStatementID() == (*b).GetStatementID() && *a == *b;
        });

    py::class_<RCSslEntry>(m, "Entry")
        .def_property_readonly("ordinal", &RCSslEntry::GetOrdinal)
        .def_property_readonly("is_file", [](const RCSslEntry& e) { return e.GetIsEntry() != 0; })
        .def("get",
             [](const RCSslEntry& e, std::uint32_t id) {
                 RSStatement statement(id);
                 e.Get(CheckedId(id), statement.m_pStatement.get());
                 return statement;
             })
        .def("put", [](RCSslEntry& e, const RSStatement& s) {
            e.Set((*s).GetStatementID(), s.m_pStatement.get());
        });

    py::class_<RCAccessSsl>(m, "Access")
        .def(py::init<>())
        .def("set", [](RCAccessSsl& a, std::uint32_t id,
                       bool on) { a.SetAccess(CheckedId(id), on ? 1 : 0); })
        .def("get",
             [](const RCAccessSsl& a, std::uint32_t id) { return a.GetAccess(CheckedId(id)) != 0; })
        .def("set_all", [](RCAccessSsl& a, bool on) { a.SetAllAccess(on ? 1 : 0); })
        .def("from_string", [](RCAccessSsl& a,
                               const py::str& text) { return a.FromString(FromPython(text)) != 0; })
        .def("__str__", [](const RCAccessSsl& a) { return ToPython(a.ToString()); });

    py::class_<RCSslSet>(m, "Set")
        .def(py::init<>())
        .def("__len__", &RCSslSet::Size)
        .def_property_readonly("complete", [](const RCSslSet& s) { return s.ParsedTilEnd() != 0; })
        .def(
            "entry",
            [](RCSslSet& s, int index) -> RCSslEntry& {
                if (index < 0 || index >= s.Size())
                    throw py::index_error("no entry " + std::to_string(index));
                return s.GetEntry(index);
            },
            py::return_value_policy::reference_internal)
        .def("to_string",
             [](const RCSslSet& s, const RCAccessSsl& access, std::uint32_t dialect) {
                 return ToPython(
                     s.ToString(access, static_cast<SslStatement::TSyntaxVersion>(dialect), 0));
             })
        .def("write",
             [](const RCSslSet& s, const std::string& path, const RCAccessSsl& access,
                std::uint32_t dialect) {
                 s.WriteSsl(TString(path), access,
                            static_cast<SslStatement::TSyntaxVersion>(dialect));
             })
        .def("preflight",
             [](const RCSslSet& s, const RCStatementInfluencingCapaRefined& capas) {
                 py::list findings;
                 for (const RSSslFinding& f : s.Preflight(capas))
                     findings.append(py::make_tuple(
                         f.m_nEntry, static_cast<std::uint32_t>(f.m_nStatement),
                         ToPython(f.m_sValue), ToPython(f.m_sOffered), ToPython(f.m_sMessage)));
                 return findings;
             })
        .def("fit_to_capabilities",
             [](RCSslSet& s, const RCStatementInfluencingCapaRefined& capas) {
                 py::list substitutions;
                 for (const RSSslSubstitution& r : s.FitToCapabilities(capas))
                     substitutions.append(py::make_tuple(r.m_nEntry,
                                                         static_cast<std::uint32_t>(r.m_nStatement),
                                                         ToPython(r.m_sFrom), ToPython(r.m_sTo)));
                 return substitutions;
             })
        .def("count_pages", [](const RCSslSet& s) { return s.CountPages(true); })
        .def("count_millimeters", [](const RCSslSet& s) { return s.CountMillimeters(true); })
        .def("deliver", [](RCSslSet& s, const std::string& target, const RCAccessSsl& access,
                           const py::str& suffix, std::uint32_t dialect, bool overwrite) {
            TString written;
            RCCaptureLog log;
            std::uint32_t count = 0;
            {
                RCScopedLog scope(&log);
                count = s.PlotSsl(TString(target), access, FromPython(suffix),
                                  static_cast<SslStatement::TSyntaxVersion>(dialect), &written,
                                  overwrite ? 1 : 0);
            }
            py::list problems;
            for (const TString& message : SevereMessages(log))
                problems.append(ToPython(message));
            return py::make_tuple(count, ToPython(written), problems);
        });
    m.def("read_set", &ReadSet, py::arg("path"), py::arg("resolution"));

    py::class_<RCStatementInfluencingCapaRefined>(m, "RefinedCapabilities")
        .def_property_readonly("plotters",
                               [](const RCStatementInfluencingCapaRefined& c) {
                                   py::list names;
                                   for (std::uint32_t i = 0; i < c.GetPlotterCount(); ++i)
                                       names.append(ToPython(c.GetPlotterName(i)));
                                   return names;
                               })
        .def_property_readonly("dialect", &RCStatementInfluencingCapaRefined::GetSslSyntaxVersion)
        .def_property_readonly("color_depths", &RCStatementInfluencingCapaRefined::GetColorDepths);

    py::class_<RCStatementInfluencingCapas>(m, "Capabilities")
        .def(py::init<>())
        .def("add_plotter", [](RCStatementInfluencingCapas& c,
                               const py::bytes& text) { return c.AddPlotter(std::string(text)); })
        .def("refined", [](RCStatementInfluencingCapas& c, const std::string& plotter) {
            return c.GetRefinedCapas(plotter);
        });
}
