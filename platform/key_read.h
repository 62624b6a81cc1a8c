// Single-key read from standard input. It shares the stdio buffer of stdin
// with the number entry, so nothing that one leaves behind is lost.
#pragma once

constexpr int kNoKey = -1;  // end of input: no key will come

// An answer key. On a terminal: waits for a fresh key press that is not
// Enter, shows nothing, needs no Enter; input typed before the call is
// discarded, and the terminal's settings are restored on return, on exit and
// on the usual ending signals.
// Otherwise (pipe or file): the next byte that is not a line break.
// Returns the byte (0..255), or kNoKey at end of input.
int readKey();

// As readKey, but on a terminal Enter is a key like any other.
int readAnyKey();

// While quiet (the window has the keys), what is typed at the terminal is not
// echoed; ending it discards what was typed meanwhile. Restored at exit and on
// the usual ending signals too. Does nothing off a terminal or in the background.
void setTerminalQuiet(bool quiet);
