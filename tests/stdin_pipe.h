// Standard input from a pipe, for tests of the console input.
#pragma once

// Makes standard input, stdio buffer and all, read the read end of a new pipe;
// returns its write end, or -1.
int openStdinPipe();
