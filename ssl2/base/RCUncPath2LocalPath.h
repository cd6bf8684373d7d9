// Network (UNC) paths to local paths, through a mapping table the caller sets up.
//
// A mapping takes a share prefix ("\\server\share" or "//server/share", optionally
// with directories after the share) to a local directory.  UncPath2LocalPath
// replaces the longest matching prefix (whole components, ASCII case-insensitive)
// by its local directory and composes the rest with '/'.  Without a matching
// mapping, for a path that is not UNC, or for a rest that climbs out of the share
// with "..", the path is left unchanged.  The table is process-wide; all functions
// are thread-safe.
//
//   RCUncPath2LocalPath::AddMapping("\\\\plotsrv\\jobs", "/srv/jobs");
//   TString p = "\\\\plotsrv\\jobs\\a\\plan.pdf";
//   RCUncPath2LocalPath::UncPath2LocalPath(p, "");   // p == "/srv/jobs/a/plan.pdf"
#pragma once

#include "ssl2/base/TString.h"

class RCUncPath2LocalPath {
public:
    /// Adds (or replaces) the mapping of `uncPrefix` to `localDirectory`; returns
    /// 0 when `uncPrefix` is not of the form `\\server\share[\...]`.
    static int AddMapping(const TString& uncPrefix, const TString& localDirectory);
    static void ClearMappings();

    /// Maps `path` in place when it is a UNC path with a mapping; returns non-zero
    /// when it did.  A non-empty `server` restricts the mapping to paths on that
    /// server.
    static int UncPath2LocalPath(TString& path, const TString& server);
};
