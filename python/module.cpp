// _ssl2: the Python binding of the ssl2 library, a thin layer under the Python package
// ssl2 (python/ssl2/__init__.py), which builds the Pythonic interface on it.
//
// Texts cross as Python str: TString's UTF-16 form goes out (an unpaired surrogate
// becomes U+FFFD), and a str comes in through TString::FromUnicode; a str holding a
// NUL or a lone surrogate is refused with ValueError.  Paths come in as the bytes of
// os.fsencode.  A library error (TException) becomes ssl2.Error with the library's
// message text.
//
// Reading, writing, delivering and the preflight run without the GIL, so other Python
// threads go on meanwhile; they touch no Python object while the GIL is released.
// What the library logs meanwhile reaches Python's logging afterwards (RCLogRelay).
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <numeric>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ssl2/ssl2.h"
#include "tools/ssl2/SetJson.h"

namespace py = pybind11;

namespace {

py::str ToPython(const TString& text) {
    // ASCII is the same in every form: no detour through UTF-16.
    const std::string& bytes = text.str();
    if (std::all_of(bytes.begin(), bytes.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        PyObject* ascii =
            PyUnicode_FromStringAndSize(bytes.data(), static_cast<Py_ssize_t>(bytes.size()));
        if (ascii == nullptr)
            throw py::error_already_set();
        return py::reinterpret_steal<py::str>(ascii);
    }
    const std::u16string units = text.AsUnicode();
    int byteOrder = std::endian::native == std::endian::little ? -1 : 1;
    PyObject* decoded =
        PyUnicode_DecodeUTF16(reinterpret_cast<const char*>(units.data()),
                              static_cast<Py_ssize_t>(units.size() * 2), "replace", &byteOrder);
    if (decoded == nullptr)
        throw py::error_already_set();
    return py::reinterpret_steal<py::str>(decoded);
}

/// The text of `text`; ValueError for a NUL or a lone surrogate, which no ticket can
/// hold and which would otherwise be cut off or replaced without a word.
TString FromPython(const py::str& text) {
    PyObject* encoded = PyUnicode_AsEncodedString(text.ptr(), "utf-16-le", "strict");
    if (encoded == nullptr) {
        PyErr_Clear();
        throw py::value_error("the text " + py::repr(text).cast<std::string>() +
                              " holds a lone surrogate");
    }
    const std::string bytes = py::reinterpret_steal<py::bytes>(encoded);
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
        if (units[i] == u'\0')
            throw py::value_error("the text " + py::repr(text).cast<std::string>() +
                                  " holds a NUL character");
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

/// The statement `id` of `entry`, as an object of its own.
RSStatement StatementOf(const RCSslEntry& entry, std::uint32_t id) {
    RSStatement statement(id);
    entry.Get(CheckedId(id), statement.m_pStatement.get());
    return statement;
}

/// A diagnostic of the reader as (line, message) with the message's line end removed.
py::tuple DiagnosticTuple(int line, const TString& text) {
    std::string message = text.str();
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return py::make_tuple(line, ToPython(TString(message)));
}

/// A ticket that the reader gave up on; raised as ssl2.Error like library errors.
class RCReadError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A ticket in the tool's JSON form that cannot be read; raised as ValueError.
using ssl2tool::RCJsonTicketError;

/// Hands the library's messages to Python's logging: those the library writes on the
/// calling thread while a relay lives are kept, and emitted when it ends, to the
/// logger "ssl2.<module>" ("ssl2" for messages without a module) at the matching
/// level: 1 ERROR, 2 WARNING, 3 INFO, 4 DEBUG.  Keeping them first means no Python code
/// runs inside the library, which may hold its locks while it logs.  A relay is made
/// and ends with the GIL held; the work it watches may run without.
class RCLogRelay : public ILog {
public:
    RCLogRelay() : m_pPrevious(SetThreadLog(this)) {}
    ~RCLogRelay() override;
    RCLogRelay(const RCLogRelay&) = delete;
    RCLogRelay& operator=(const RCLogRelay&) = delete;

    void Write(int level, const TString& text) override { WriteFrom(level, "ssl2", text); }
    void WriteFrom(int level, std::string_view module, const TString& text) override {
        m_messages.push_back({level, std::string(module), text});
    }
    /// The texts of the severe (level 1) messages kept so far.
    std::vector<TString> Severe() const {
        std::vector<TString> severe;
        for (const RSMessage& message : m_messages) {
            if (message.m_nLevel == 1)
                severe.push_back(message.m_sText);
        }
        return severe;
    }

private:
    struct RSMessage {
        int m_nLevel;
        std::string m_sModule;
        TString m_sText;
    };
    ILog* m_pPrevious;
    std::vector<RSMessage> m_messages;
};

RCLogRelay::~RCLogRelay() {
    SetThreadLog(m_pPrevious);
    if (m_messages.empty())
        return;
    static constexpr std::array kPythonLevels{40, 30, 20, 10};  // ERROR .. DEBUG
    const py::error_scope raising;  // an exception on its way out stays pending
    try {
        const py::object getLogger = py::module_::import("logging").attr("getLogger");
        for (const RSMessage& message : m_messages) {
            const std::string name =
                message.m_sModule == "ssl2" ? "ssl2" : "ssl2." + message.m_sModule;
            getLogger(name).attr("log")(kPythonLevels[std::clamp(message.m_nLevel, 1, 4) - 1],
                                        ToPython(message.m_sText));
        }
    } catch (py::error_already_set& e) {
        e.discard_as_unraisable("ssl2 logging");
    }
}

/// Runs `work` without the GIL, its log messages relayed to Python's logging.
template <class Work>
auto Unlocked(Work&& work) {
    const RCLogRelay relay;
    const py::gil_scoped_release unlocked;
    return work();
}

/// Runs `parse` on a new set without the GIL; returns (set, diagnostics).  `name`
/// names the source in the error raised when the reader cannot read it.
template <class Parse>
py::tuple ParseSet(const std::string& name, Parse&& parse) {
    auto set = std::make_unique<RCSslSet>();
    std::vector<RSSslDiagnostic> diagnostics;
    set->SetDiagnosticHandler([&](const RSSslDiagnostic& d) { diagnostics.push_back(d); });
    std::string failure;
    const int count = Unlocked([&] {
        const int read = parse(*set);
        if (read < 0) {
            failure = GetErrorString().str();
            ClearError();
        }
        return read;
    });
    set->SetDiagnosticHandler({});
    if (count < 0)
        throw RCReadError(name + ": cannot read the ticket" +
                          (failure.empty() ? std::string() : ": " + failure));
    py::list found;
    for (const RSSslDiagnostic& d : diagnostics)
        found.append(DiagnosticTuple(d.m_nLine, d.m_sMessage));
    return py::make_tuple(std::move(set), found);
}

/// Reads the ticket file `path`.  Raises OSError when the file cannot be opened and
/// ssl2.Error when the reader cannot read it.
py::tuple ReadSet(const py::bytes& pathBytes, std::uint32_t resolution) {
    const std::string path = pathBytes;
    std::error_code ec;
    const bool directory = std::filesystem::is_directory(path, ec);
    std::FILE* probe = directory ? nullptr : std::fopen(path.c_str(), "rb");
    if (probe == nullptr) {
        errno = directory ? EISDIR : errno;
        PyErr_SetFromErrnoWithFilenameObject(PyExc_OSError, pathBytes.ptr());
        throw py::error_already_set();
    }
    std::fclose(probe);
    return ParseSet(path, [&](RCSslSet& set) { return set.ParseSsl(TString(path), resolution); });
}

/// Reads a ticket held in memory: the bytes of a ticket file, or a text.
py::tuple ParseMemory(const py::object& source, std::uint32_t resolution) {
    static const TString kName("<string>");
    if (py::isinstance<py::bytes>(source)) {
        const std::string bytes = source.cast<py::bytes>();
        return ParseSet("<string>", [&](RCSslSet& set) {
            return set.ParseSslBuffer(bytes.data(), bytes.size(), kName, resolution);
        });
    }
    const TString text = FromPython(source.cast<py::str>());
    return ParseSet("<string>",
                    [&](RCSslSet& set) { return set.ParseSslText(text, kName, resolution); });
}

py::object PythonValue(const TMemberValue& value) {
    if (const auto* whole = std::get_if<std::int64_t>(&value))
        return py::int_(*whole);
    if (const auto* real = std::get_if<double>(&value))
        return py::float_(*real);
    return ToPython(TString(std::get<std::string>(value)));
}

/// Python's keys for `names`.
std::vector<py::str> Keys(const std::vector<std::string>& names) {
    std::vector<py::str> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.emplace_back(name);
    return keys;
}

/// The Python strings that name statements and their members, made once for all the
/// values the package builds (it keeps one): each statement's name and its members'
/// names by statement identifier, and a pen's member names.  Member names are the
/// same for every statement of a class.
class RCValueNames {
public:
    RCValueNames() {
        m_Statements.reserve(kSslStatementCount);
        m_Members.reserve(kSslStatementCount);
        for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
            // Naming changes nothing; the library's name lookups are only not const.
            auto& statement = const_cast<SslStatement&>(
                RCSslStatementStore::DefaultOf(static_cast<TSslStatementID>(id)));
            m_Statements.push_back(ToPython(statement.GetStatementName(0)));
            const std::vector<std::string> members = SslMemberNames(statement);
            m_Lone.push_back(members.size() == 1 && members.front() == "value");
            m_Members.push_back(Keys(members));
        }
    }
    const py::str& Statement(std::uint32_t id) const { return m_Statements[id]; }
    const std::vector<py::str>& Members(std::uint32_t id) const { return m_Members[id]; }
    /// True when the statement has one member, named "value".
    bool Lone(std::uint32_t id) const { return m_Lone[id]; }
    const std::vector<py::str>& PenMembers() const { return m_PenMembers; }
    const py::str& Number() const { return m_Number; }

private:
    std::vector<py::str> m_Statements;
    std::vector<std::vector<py::str>> m_Members;
    std::vector<bool> m_Lone;
    std::vector<py::str> m_PenMembers = Keys(SslPenMemberNames());
    py::str m_Number{"number"};
};

/// Sets `dict[key] = value`.
void SetItem(const py::dict& dict, const py::str& key, const py::object& value) {
    if (PyDict_SetItem(dict.ptr(), key.ptr(), value.ptr()) != 0)
        throw py::error_already_set();
}

/// The pens of a pen table (CalcompPens, HpglPens, VicPens), each a dict with its
/// number and its values: every pen with `all`, else those that differ from the
/// class's default pens.  None for any other statement.
py::object Pens(const SslStatement& statement, bool all, const RCValueNames& names) {
    const auto* pens = dynamic_cast<const SslHpglPens*>(&statement);
    if (pens == nullptr)
        return py::none();
    std::vector<std::uint32_t> listed;
    if (all) {
        listed.resize(pens->GetPenCount());
        std::iota(listed.begin(), listed.end(), 0U);
    } else {
        listed = pens->DifferingPens(static_cast<const SslHpglPens&>(
            RCSslStatementStore::DefaultOf(pens->GetStatementID())));
    }
    const std::vector<std::string>& members = SslPenMemberNames();
    py::list list(listed.size());
    for (std::size_t p = 0; p < listed.size(); ++p) {
        const std::uint32_t i = listed[p];
        py::dict values;
        SetItem(values, names.Number(), py::int_(pens->GetPen(i).GetNumber()));
        for (std::size_t m = 0; m < members.size(); ++m)
            SetItem(values, names.PenMembers()[m],
                    PythonValue(SslGetPenValue(*pens, i, members[m])));
        list[p] = std::move(values);
    }
    return list;
}

/// The interface names of the statement's members.
std::vector<std::string> MemberNames(const RSStatement& statement) {
    return SslMemberNames(*statement);
}

/// The statement's value in one call: a pen table's pens (see Pens), a list's elements
/// as dicts of their members by name, a lone "value" member as itself, else a dict of
/// the members by name.
py::object Value(const SslStatement& statement, bool all, const RCValueNames& names) {
    py::object pens = Pens(statement, all, names);
    if (!pens.is_none())
        return pens;
    const std::uint32_t id = statement.GetStatementID();
    const std::vector<py::str>& keys = names.Members(id);
    const auto members = [&](std::uint32_t element) {
        py::dict values;
        for (std::uint32_t m = 0; m < keys.size(); ++m)
            SetItem(values, keys[m], PythonValue(SslGetMemberValue(statement, m, element)));
        return values;
    };
    const bool list = (SslStatement::GetMemberType(id) & SslStatement::kMemberList) != 0;
    if (list || statement.GetArrayCount() != 0) {
        py::list elements(statement.GetArrayCount());
        for (std::uint32_t e = 0; e < statement.GetArrayCount(); ++e)
            elements[e] = members(e);
        return elements;
    }
    if (names.Lone(id))
        return PythonValue(SslGetMemberValue(statement, 0, 0));
    return members(0);
}

/// A Python value as the library takes it: a str as given, an int or a float as a
/// number (an int past 2^53, which a double would round, is refused as out of
/// range), a bool as 0 or 1; TypeError for anything else.
TMemberInput MemberInput(const py::handle& value) {
    constexpr double kExact = 9007199254740992.0;  // 2^53
    if (py::isinstance<py::str>(value))
        return FromPython(value.cast<py::str>()).str();
    if (py::isinstance<py::bool_>(value))
        return value.cast<bool>() ? 1.0 : 0.0;
    if (py::isinstance<py::int_>(value)) {
        const double number = value.cast<double>();
        if (number >= kExact || number <= -kExact)
            throw py::value_error(py::str(value).cast<std::string>() + " is out of range");
        return number;
    }
    if (py::isinstance<py::float_>(value))
        return value.cast<double>();
    throw py::type_error("a member takes an int, a float or a str, not " +
                         py::str(py::type::of(value).attr("__name__")).cast<std::string>());
}

/// Sets `member` of element `element`; ValueError with the library's message when the
/// value is refused (the statement keeps what it had).
void SetMember(RSStatement& statement, std::uint32_t member, std::uint32_t element,
               const py::handle& value) {
    SslSetMemberValue(*statement, member, element, MemberInput(value));
}

/// Sets member `name` of pen `number` of a pen table, as SetMember sets a member.
void SetPen(RSStatement& statement, std::uint32_t number, const std::string& name,
            const py::handle& value) {
    auto* pens = dynamic_cast<SslHpglPens*>(&*statement);
    if (pens == nullptr)
        throw py::type_error("not a pen table");
    SslSetPenValue(*pens, number, name, MemberInput(value));
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

/// True when the statement `id` of `entry` holds its class default.
bool HoldsDefault(const RCSslEntry& entry, std::uint32_t id) {
    const SslStatement& fallback = RCSslStatementStore::DefaultOf(id);
    const SslStatement& statement = entry.GetStatement(CheckedId(id));
    return &statement == &fallback || statement == fallback;
}

/// The statements of `entry` that differ from their defaults, by name, with their
/// values (as Value gives them), in the order of their identifiers.
py::dict Changed(const RCSslEntry& entry, const RCValueNames& names) {
    py::dict changed;
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        if (id != kId_SslError && !HoldsDefault(entry, id))
            SetItem(changed, names.Statement(id),
                    Value(entry.GetStatement(static_cast<TSslStatementID>(id)), false, names));
    }
    return changed;
}

/// Same kind of entry and every statement equal, but for what records how the entry
/// came to be: its ordinal (the order of adding), the dialect it was read in and the
/// reader's error notes.
bool SameEntry(const RCSslEntry& a, const RCSslEntry& b) {
    if (a.GetIsEntry() != b.GetIsEntry())
        return false;
    for (std::uint32_t id = 0; id < kSslStatementCount; ++id) {
        const auto sid = static_cast<TSslStatementID>(id);
        if (sid != kId_SslOrdinal && sid != kId_SslVersion && sid != kId_SslError &&
            !(a.GetStatement(sid) == b.GetStatement(sid)))
            return false;
    }
    return true;
}

/// The entry at `index`, IndexError out of range.
RCSslEntry& EntryAt(RCSslSet& set, int index) {
    if (index < 0 || index >= set.Size())
        throw py::index_error("no entry " + std::to_string(index));
    return set.GetEntry(index);
}

/// Inserts before `index` a file entry that starts as the reader starts one: from the
/// file-level statements of the job entry.  Returns the new entry's index.
int InsertFile(RCSslSet& set, int index) {
    if (set.Size() == 0 || set.GetEntry(0).GetIsEntry() != 0)
        throw py::value_error("a file entry needs the job entry first");
    if (index < 1)
        throw py::index_error("file entries follow the job entry (index 1 or more)");
    return set.InsertEntry(index, RCSslEntry(set.GetEntry(0), 1));
}

/// A ticket the writer may write: the job entry first.
const RCSslSet& Writable(const RCSslSet& set) {
    if (set.Size() == 0 || set.GetEntry(0).GetIsEntry() != 0)
        throw py::value_error("the ticket has no job entry: nothing a reader could read");
    return set;
}

/// Copies the job into a job directory in `target` (see RCSslSet::PlotSsl); returns
/// (count of files, path of the written ticket, severe messages).
py::tuple Deliver(RCSslSet& set, const py::bytes& target, const RCAccessSsl& access,
                  const py::str& suffix, std::uint32_t dialect, bool overwrite) {
    const TString targetText{std::string(target)};
    const TString suffixText = FromPython(suffix);
    Writable(set);
    TString written;
    std::vector<TString> problems;
    std::uint32_t count = 0;
    {
        const RCLogRelay relay;
        {
            const py::gil_scoped_release unlocked;
            count = set.PlotSsl(targetText, access, suffixText,
                                static_cast<SslStatement::TSyntaxVersion>(dialect), &written,
                                overwrite ? 1 : 0);
        }
        problems = relay.Severe();
    }
    py::list messages;
    for (const TString& message : problems)
        messages.append(ToPython(message));
    return py::make_tuple(count, ToPython(written), messages);
}

/// The tool's JSON form of `set` read from `path`, as text: every statement with
/// `all`, else the short form.
std::string SetJsonText(const RCSslSet& set, bool all, const std::string& path) {
    std::ostringstream out;
    ssl2tool::WriteSetJson(out, path, set, all);
    return out.str();
}

/// The set a ticket in the tool's JSON form (as text) describes; ValueError naming the
/// JSON path of the first fault.
std::unique_ptr<RCSslSet> SetFromJsonText(const std::string& text) {
    try {
        return std::make_unique<RCSslSet>(ssl2tool::SetFromJson(text, SslStatement::kVersion50));
    } catch (const nlohmann::json::parse_error& e) {
        throw py::value_error(std::string("not JSON: ") + e.what());
    }
}

/// The findings of the preflight as (entry, statement id, value, offered, message).
py::tuple FindingTuple(const RSSslFinding& f) {
    return py::make_tuple(f.m_nEntry, static_cast<std::uint32_t>(f.m_nStatement),
                          ToPython(f.m_sValue), ToPython(f.m_sOffered), ToPython(f.m_sMessage));
}

py::list Preflight(const RCSslSet& set, const RCStatementInfluencingCapaRefined& capas) {
    const std::vector<RSSslFinding> found = Unlocked([&] { return set.Preflight(capas); });
    py::list findings;
    for (const RSSslFinding& f : found)
        findings.append(FindingTuple(f));
    return findings;
}

py::tuple BoxTuple(const RSSslBox& b) {
    return py::make_tuple(b.m_dX, b.m_dY, b.m_dWidth, b.m_dHeight);
}

void RequireFileEntry(const RCSslSet& set, int index) {
    if (index < 1 || index >= set.Size())
        throw py::index_error("entry " + std::to_string(index) + " is not a file entry");
}

/// The layout of file entry `index` as a dict of the dataclass Layout's fields.
py::dict Layout(const RCSslSet& set, int index, const RCStatementInfluencingCapaRefined* capas) {
    RequireFileEntry(set, index);
    const RSSslLayout l = Unlocked([&] { return SslComputeLayout(set, index, capas); });
    const char* media[] = {"own size", "roll", "sheet"};
    py::list stamps;
    for (const RSSslStampBox& s : l.m_aStamps)
        stamps.append(py::make_tuple(BoxTuple(s.m_Box), s.m_nRotate, s.m_nPosition,
                                     ToPython(s.m_sLabel), s.m_bBitmap));
    py::list findings;
    for (const RSSslFinding& f : l.m_aFindings)
        findings.append(FindingTuple(f));
    py::dict d;
    d["entry"] = l.m_nEntry;
    d["name"] = ToPython(l.m_sName);
    d["medium"] = media[l.m_eMedium];
    d["tray"] = ToPython(l.m_sTray);
    d["tray_given"] = l.m_bTrayGiven;
    d["medium_width"] = l.m_dMediumWidth;
    d["medium_length"] = l.m_dMediumLength;
    d["print_area"] = BoxTuple(l.m_Print);
    d["size_known"] = l.m_bSizeKnown;
    d["rotate"] = l.m_nRotate;
    d["turned_to_fit"] = l.m_bTurnedToFit;
    d["margins"] =
        py::make_tuple(l.m_adMargins[0], l.m_adMargins[1], l.m_adMargins[2], l.m_adMargins[3]);
    d["media_position"] = l.m_nMediaPosition;
    d["fits"] = l.m_bFits;
    d["stamps"] = stamps;
    d["fold"] = ToPython(l.m_sFold);
    d["copies"] = l.m_nCopies;
    d["set_copies"] = l.m_nSetCopies;
    d["pages"] = l.m_nPages;
    d["media_length"] = l.m_dMediaLength;
    d["findings"] = findings;
    return d;
}

py::list FitToCapabilities(RCSslSet& set, const RCStatementInfluencingCapaRefined& capas) {
    const std::vector<RSSslSubstitution> made =
        Unlocked([&] { return set.FitToCapabilities(capas); });
    py::list substitutions;
    for (const RSSslSubstitution& r : made)
        substitutions.append(py::make_tuple(r.m_nEntry, static_cast<std::uint32_t>(r.m_nStatement),
                                            ToPython(r.m_sFrom), ToPython(r.m_sTo)));
    return substitutions;
}

/// Reads one capability file; returns whether it held a plotter, and what the INI
/// reader reported as (line, message, stray) with `stray` true for text it ignored.
py::tuple AddPlotterFile(RCStatementInfluencingCapas& capas, const py::bytes& path) {
    RCIniStringInterface ini;
    std::vector<RSReaderDiagnostic> diagnostics;
    ini.SetDiagnosticHandler([&](const RSReaderDiagnostic& d) { diagnostics.push_back(d); });
    const std::string file(path);
    const bool read = Unlocked([&] {
        if (ini.ReadFile(file) == 0)
            return false;
        RCStatementInfluencingCapaRaw raw;
        raw.FromIniInterface(ini);
        capas.AddPlotter(raw);
        return true;
    });
    py::list found;
    for (const RSReaderDiagnostic& d : diagnostics) {
        py::tuple line = DiagnosticTuple(d.m_nLine, d.m_sText);
        found.append(
            py::make_tuple(line[0], line[1], d.m_eStream == RSReaderDiagnostic::kStandardOutput));
    }
    return py::make_tuple(read, found);
}

void BindStatement(py::module_& m) {
    m.def("pen_members", [] { return SslPenMemberNames(); });
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
        .def("member_names", &MemberNames)
        .def("get",
             [](const RSStatement& s, std::uint32_t member, std::uint32_t element) {
                 return PythonValue(SslGetMemberValue(*s, member, element));
             })
        .def("set", &SetMember)
        .def("set_pen", &SetPen)
        .def_property_readonly("pen_numbers",
                               [](const RSStatement& s) -> py::object {
                                   const auto* pens = dynamic_cast<const SslHpglPens*>(&*s);
                                   if (pens == nullptr)
                                       return py::none();
                                   const std::uint32_t first = pens->GetFirstPenNumber();
                                   return py::make_tuple(first, first + pens->GetPenCount());
                               })
        .def("switch_pens_on",
             [](RSStatement& s) {
                 if (auto* pens = dynamic_cast<SslHpglPens*>(&*s))
                     pens->SetOn(1);
             })
        .def("keywords", &Keywords, py::arg("member"), py::arg("capas") = nullptr)
        .def("__eq__", [](const RSStatement& a, const RSStatement& b) {
            return (*a).GetStatementID() == (*b).GetStatementID() && *a == *b;
        });
}

void BindSet(py::module_& m) {
    py::class_<RCValueNames>(m, "ValueNames").def(py::init<>());
    py::class_<RCSslEntry>(m, "Entry")
        .def_property_readonly("ordinal", &RCSslEntry::GetOrdinal)
        .def_property_readonly("is_file", [](const RCSslEntry& e) { return e.GetIsEntry() != 0; })
        .def("get", &StatementOf)
        .def(
            "value",
            [](const RCSslEntry& e, std::uint32_t id, bool all, const RCValueNames& names) {
                return Value(e.GetStatement(CheckedId(id)), all, names);
            },
            py::arg("id"), py::arg("all"), py::arg("names"))
        .def("is_default", &HoldsDefault)
        .def("changed", &Changed)
        .def("same", &SameEntry)
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
        .def("entry", &EntryAt, py::return_value_policy::reference_internal)
        .def("add_job",
             [](RCSslSet& s) {
                 if (s.Size() != 0)
                     throw py::value_error("the ticket has its job entry already");
                 s.AddEntry(RCSslEntry(0));
                 s.ParsedTilEnd(1);
             })
        .def("insert_file", &InsertFile)
        .def("remove", [](RCSslSet& s, int index) { return s.RemoveEntry(index) != 0; })
        .def("to_string",
             [](const RCSslSet& s, const RCAccessSsl& access, std::uint32_t dialect) {
                 return ToPython(Writable(s).ToString(
                     access, static_cast<SslStatement::TSyntaxVersion>(dialect), 0));
             })
        .def("write",
             [](const RCSslSet& s, const py::bytes& path, const RCAccessSsl& access,
                std::uint32_t dialect) {
                 const TString target(std::string{path});
                 Writable(s);
                 Unlocked([&] {
                     s.WriteSsl(target, access, static_cast<SslStatement::TSyntaxVersion>(dialect));
                 });
             })
        .def("to_json", &SetJsonText)
        .def("preflight", &Preflight)
        .def("fit_to_capabilities", &FitToCapabilities)
        .def("layout", &Layout, py::arg("index"), py::arg("capas") = nullptr)
        .def(
            "svg",
            [](const RCSslSet& s, int index, const RCStatementInfluencingCapaRefined* capas) {
                RequireFileEntry(s, index);
                return SslLayoutSvg(SslComputeLayout(s, index, capas));
            },
            py::arg("index"), py::arg("capas") = nullptr)
        .def(
            "html",
            [](const RCSslSet& s, const RCStatementInfluencingCapaRefined* capas,
               const std::string& title) {
                return Unlocked([&] { return SslPreviewHtml(s, capas, title); });
            },
            py::arg("capas") = nullptr, py::arg("title") = "")
        .def("count_pages", [](const RCSslSet& s) { return s.CountPages(true); })
        .def("count_millimeters", [](const RCSslSet& s) { return s.CountMillimeters(true); })
        .def("deliver", &Deliver);
    m.def("read_set", &ReadSet, py::arg("path"), py::arg("resolution"));
    m.def("parse_set", &ParseMemory, py::arg("source"), py::arg("resolution"));
    m.def("set_from_json", &SetFromJsonText, py::arg("text"));
}

void BindCapabilities(py::module_& m) {
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
        .def("add_plotter_file", &AddPlotterFile)
        .def("refined", [](RCStatementInfluencingCapas& c, const std::string& plotter) {
            return c.GetRefinedCapas(plotter);
        });
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
        } catch (const RCJsonTicketError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        } catch (const RCMemberValueError& e) {
            PyErr_SetString(PyExc_ValueError, e.what());
        }
    });
    BindStatement(m);
    BindSet(m);
    BindCapabilities(m);
}
