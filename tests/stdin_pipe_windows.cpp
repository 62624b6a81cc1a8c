#include "tests/stdin_pipe.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

int openStdinPipe() {
    int ends[2];
    if (_pipe(ends, 65536, _O_BINARY) != 0) return -1;
    std::fflush(stdin);  // msvcrt drops what the buffer holds of the last pipe
    _dup2(ends[0], 0);
    _close(ends[0]);
    std::clearerr(stdin);
    return ends[1];
}
