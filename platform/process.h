// The process's start and end at the console.
#pragma once

// Opens /dev/null onto whichever of descriptors 0, 1 and 2 is closed, so that
// no file or connection opened later takes its place and receives console
// text or gives answers. Call first thing in main.
void openClosedStandardDescriptors();

// Registers, for every ending through exit: what was typed into the terminal
// meanwhile is discarded rather than left to the shell, and the output ends
// with a line break when it goes to a terminal.
void leaveConsoleCleanlyAtExit();
