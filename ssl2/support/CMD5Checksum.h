// CMD5Checksum: MD5 digests (RFC 1321) of byte buffers, files and texts, returned as
// 32 lower-case hexadecimal digits.
//
// Callers use only the static functions; the running digest state is internal and
// computed by Crypto++'s MD5, whose block function is tuned for the processor.  The
// password and cipher-key code of the record statements hashes texts with the UTF-16
// form: GetMD5(TString("abc")) digests the bytes 61 00 62 00 63 00 00 00.
// All functions are thread-safe (no shared state).
//
//   TString digest = CMD5Checksum::GetMD5OfFile("/data/plan.pdf");
#pragma once

#include <cstdint>
#include <memory>

#include "ssl2/base/TString.h"

class TFile;

/// MD5 digests as 32 lower-case hexadecimal digits.
class CMD5Checksum {
public:
    /// A copy continues the digest of `other` independently.
    CMD5Checksum(const CMD5Checksum& other);
    /// Takes over the running digest of `other`.
    CMD5Checksum& operator=(const CMD5Checksum& other);
    virtual ~CMD5Checksum();

    /// Digest of `length` bytes at `buffer` (null is allowed when `length` is 0).
    static TString GetMD5(const unsigned char* buffer, unsigned int length);
    /// Digest of everything that can still be read from the opened `file`.
    static TString GetMD5(TFile& file);
    /// Digest of the existing file `path`; raises an error when it cannot be opened.
    static TString GetMD5OfFile(const TString& path);
    /// Digest of the text as UTF-16LE followed by one 16-bit zero code unit.
    static TString GetMD5(const TString& text);

protected:
    CMD5Checksum();

    /// Adds `length` bytes at `input` to the running digest.
    void Update(const unsigned char* input, std::uint32_t length);
    /// Pads, appends the length and returns the digest text; the digest starts anew.
    TString Final();

private:
    /// The running digest (a Crypto++ MD5 object), kept out of this header.
    struct State;
    std::unique_ptr<State> m_pState;
};
