// ssl2: the command-line tool over the library.  Until its commands exist it prints
// the library version and, for each file named, the file's MD5 digest.
#include <cstdio>

#include "ssl2/ssl2.h"

int main(int argc, char** argv) {
    std::printf("ssl2 %s\n", SSL2_VERSION);
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        try {
            const TString digest = CMD5Checksum::GetMD5OfFile(argv[i]);
            std::printf("%s  %s\n", digest.c_str(), argv[i]);
        } catch (const TException& e) {
            std::fprintf(stderr, "ssl2: %s\n", e.what());
            ClearError();
            status = 1;
        }
    }
    return status;
}
