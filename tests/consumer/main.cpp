// A program outside the project that uses the installed library.
#include <cstdio>

#include "ssl2/ssl2.h"

int main() {
    const unsigned char abc[] = {'a', 'b', 'c'};
    const TString digest = CMD5Checksum::GetMD5(abc, 3);
    std::printf("ssl2 %s md5(abc) %s\n", SSL2_VERSION, digest.c_str());
    return digest == "900150983cd24fb0d6963f7d28e17f72" ? 0 : 1;
}
