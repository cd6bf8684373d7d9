// Reading the bytes of a capability or RCF file for the readers (internal).
#pragma once

#include <cstddef>
#include <optional>
#include <string>

// Internal to the library: hidden from the shared library's exports.
#pragma GCC visibility push(hidden)
namespace SslCapasReader {

/// The bytes of `path` (binary, no line-end translation), at most `limit` of them;
/// nothing when the file cannot be opened.
std::optional<std::string> ReadBytes(const std::string& path, std::size_t limit);

/// Text of a file for the 8-bit readers: a UTF-8 byte-order mark is dropped, and
/// UTF-16 text with a byte-order mark becomes 8-bit text with '#' escapes.
std::string AsReaderText(std::string bytes);

}  // namespace SslCapasReader
#pragma GCC visibility pop
