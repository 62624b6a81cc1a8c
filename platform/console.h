// Formatted console output. Formats and arguments are UTF-8; the text is
// written in the console's encoding and flushed at once, so prompts show.
#pragma once

#include "platform/encoding.h"

void consolePrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Overrides the detected encoding (tests).
void setConsoleEncoding(ConsoleEncoding encoding);
