// Worker processes that each send fixed-size results down a pipe, for work
// on the model's single static records side by side. POSIX only.
#pragma once

#include <cstddef>

// Forks a worker that runs work(worker) with the pipe's write end and then
// ends; returns the read end, or -1. Flush stdio before the first call.
int startWorker(void (*work)(int worker, int fd), int worker);
// The whole of size bytes, or false at an early end or an error.
bool readWhole(int fd, void* data, std::size_t size);
bool writeWhole(int fd, const void* data, std::size_t size);
// Ends every worker still running and collects them.
void stopWorkers();
// Collects every worker; false if one did not end with status 0.
bool waitForWorkers();
int onlineCores();
bool standardErrorIsTerminal();
