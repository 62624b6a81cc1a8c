// What each platform does its own way at the console: whether a standard
// stream is one, a single key read from it, throwing away what was typed.
// Everything built on these is shared by all platforms.
#pragma once

bool standardInputIsConsole();
bool standardOutputIsConsole();

// A key pressed at the console, read without echo or Enter; typed-ahead
// input is discarded first and the console's settings are restored on return.
// A line break is skipped unless enterAnswers. False, with *key untouched,
// when standard input is no console that can be read this way; *key is
// kNoKey when the console's input ended.
bool readConsoleKey(bool enterAnswers, int* key);

// Drops what was typed at the console and not read yet.
void discardConsoleInput();
