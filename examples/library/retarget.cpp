// retarget: every file three times on film, written as SSL 5.0 for a print shop
// that is not to see the account and the user.
#include <cstdio>

#include "ssl2/ssl2.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: retarget IN.ssl OUT.ssl\n");
        return 2;
    }
    RCSslSet set;
    if (set.ParseSsl(argv[1], 300) < 0 || !set.ParsedTilEnd()) {
        std::fprintf(stderr, "%s: cannot read the whole ticket\n", argv[1]);
        return 1;
    }
    for (int i = 1; i < set.Size(); ++i) {  // entry 0 is the job, then one per file
        RCSslEntry& file = set.GetEntry(i);
        file.SetCopies(3);
        file.SetMediaType(4);  // "film"
    }
    RCAccessSsl access;          // every statement is written ...
    access.SetAccountAccess(0);  // ... but these two
    access.SetUserNameAccess(0);
    try {
        set.WriteSsl(argv[2], access, SslStatement::kVersion50);
    } catch (const TException& e) {
        std::fprintf(stderr, "%s: %s\n", argv[2], e.what());
        return 2;
    }
    return 0;
}
