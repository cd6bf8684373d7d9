// SslEncipheredText: the enciphered text form of the document-box password and
// the user record.
//
// Key: the first 12 characters of the MD5 digest text (CMD5Checksum) of the user
// text followed by a five-character constant of the calling statement.  The clear
// text's 8-bit bytes are padded with zero bytes to a multiple of 12, every 12-byte
// block is enciphered on its own with 3-Way, and every byte is written as two
// lower-case hexadecimal digits (24 digits per block).  Deciphering reverses the
// steps and drops the zero padding.  Stored tickets depend on these steps and on
// the constants: never change either.  Stateless; callable from any thread.
#pragma once

#include <string>

#include "ssl2/base/TString.h"

// Internal to the library: hidden from the shared library's exports.
#pragma GCC visibility push(hidden)
namespace SslEncipheredText {

/// True for a text that can be a stored enciphered form: only hexadecimal digits,
/// a length that is a multiple of 24; the empty text included.
bool IsEncipheredForm(const TString& text);

/// The bytes of a text of hexadecimal digit pairs (either case); false for an odd
/// length or a character that is not a hexadecimal digit.
bool BytesFromHex(const TString& hex, std::string& bytes);

/// The enciphered form of `clear` (the empty text for an empty clear text).
TString Encipher(const TString& clear, const TString& user, const char* constant);

/// The clear text of `enciphered`; the empty text when it is not an enciphered
/// form.  A wrong user text or constant gives some other text, never an error.
TString Decipher(const TString& enciphered, const TString& user, const char* constant);

}  // namespace SslEncipheredText
#pragma GCC visibility pop
