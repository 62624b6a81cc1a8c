#include "tests/stdin_pipe.h"

#include <cstdio>
#include <string>
#include <unistd.h>

int openStdinPipe() {
    int ends[2];
    if (pipe(ends) != 0) return -1;
    const std::string path = "/proc/self/fd/" + std::to_string(ends[0]);
    std::freopen(path.c_str(), "rb", stdin);
    close(ends[0]);
    return ends[1];
}
