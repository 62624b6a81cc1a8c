// Linked into every test program on Windows: files opened there default to binary
// mode, as on Linux, since the tests compare the bytes written and text mode would
// put a CR before each line break.
#include <cstdlib>
#include <fcntl.h>

static const int binaryFiles = (_fmode = _O_BINARY);
