// Statement members as integrators name, read and set them: the one mapping between
// a member's value and its keywords, shared by the tool's JSON and the Python module.
//
// Every member of a statement has an interface name (SslMemberNames) and one of three
// kinds of value: a whole number (numbers and selections; a keyword of the member
// stands for its number), a real number (lengths in millimetres once a ticket is read,
// pen widths, percentages) or a text.  Setting takes
//   - a number in the member's range (a whole number for a whole member), given as a
//     number or as its decimal text (digits with an optional sign; nothing else),
//   - a keyword of the member, in any case,
//   - any text the writer can write back unchanged, for a text member;
// anything else raises RCMemberValueError, whose message names the statement, the
// member and the choices, and leaves the statement as it was.  A value a setter would
// clamp or truncate is refused as well: a value never turns into another.
//
//   SslMediaType media;
//   SslSetMemberValue(media, 0, 0, std::string("film"));     // by keyword
//   SslSetMemberValue(media, 0, 0, 3.0);                       // by number
//   SslSetMemberValue(media, 0, 0, std::string("flim"));     // throws, lists the keywords
//
// Plain functions over the caller's statement; no state, no locks.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "ssl2/SSLStatements/SslStatement.h"

class SslHpglPens;

/// A value an integrator gave or refused: the message says which and what is taken.
class RCMemberValueError : public std::invalid_argument {
public:
    using std::invalid_argument::invalid_argument;
};

/// The kind of value a member holds.
enum class TMemberKind { kWhole, kReal, kText };

/// A value as an integrator gives it: a text (a keyword, a decimal number or, for a
/// text member, the text itself) or a number.
using TMemberInput = std::variant<std::string, double>;

/// A member's value by its kind: a whole number, a real number or a text.  A whole
/// member whose text is no number (an unused list slot) comes out as its text.
using TMemberValue = std::variant<std::int64_t, double, std::string>;

/// The interface names of the members of `statement`: each member's own name without
/// trailing blanks where it has a usable one, "value" for a single unnamed member,
/// "member<n>" otherwise.  Names are unique.
std::vector<std::string> SslMemberNames(SslStatement& statement);

/// The member called `name`; trailing blanks of `name` are ignored, so that names
/// written with a blank by older versions still match.  Raises RCMemberValueError
/// naming the members there are.
std::uint32_t SslFindMember(SslStatement& statement, std::string_view name);

/// The kind of value of `member` of `statement`.
TMemberKind SslMemberKind(const SslStatement& statement, std::uint32_t member);

/// The keywords `member` of `statement` takes, each with the number it stands for; a
/// selection statement's are the keywords of its SSL text.
std::vector<std::pair<std::string, std::int64_t>> SslMemberKeywords(SslStatement& statement,
                                                                    std::uint32_t member);

/// The value of `member` (element `element` of a list) by its kind.
TMemberValue SslGetMemberValue(const SslStatement& statement, std::uint32_t member,
                               std::uint32_t element);

/// Sets `member` (element `element` of a list) of `statement` to `value` as described
/// above; raises RCMemberValueError and leaves the statement unchanged when refused.
void SslSetMemberValue(SslStatement& statement, std::uint32_t member, std::uint32_t element,
                       const TMemberInput& value);

/// The members of a pen of a pen table, by name: "width" (real), "color", "saturation",
/// "page" (whole; "color" also takes a colour keyword).
const std::vector<std::string>& SslPenMemberNames();

/// The value of pen member `name` of the pen at `index` (0 is the first pen).
TMemberValue SslGetPenValue(const SslHpglPens& pens, std::uint32_t index, std::string_view name);

/// Sets pen member `name` of the pen numbered `number` the way SslSetMemberValue sets
/// a member; raises RCMemberValueError and leaves the table unchanged when refused.
void SslSetPenValue(SslHpglPens& pens, std::uint32_t number, std::string_view name,
                    const TMemberInput& value);
