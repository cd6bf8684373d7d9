// ssl2: the command-line tool over the library.
#include <cstdio>

#include "ssl2/ssl2.h"

int main() {
    std::printf("ssl2 %s\n", SSL2_VERSION);
    return 0;
}
