#include "platform/worker_processes.h"

#include <cerrno>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

constexpr int kMaxWorkers = 256;
static pid_t workerIds[kMaxWorkers];
static int readEnds[kMaxWorkers];
static int workerCount;

int startWorker(void (*work)(int worker, int fd), int worker) {
    if (workerCount == kMaxWorkers) return -1;
    int ends[2];
    if (pipe(ends) != 0) return -1;
    const pid_t id = fork();
    if (id < 0) {
        close(ends[0]);
        close(ends[1]);
        return -1;
    }
    if (id == 0) {
        // Only the parent may hold a read end, so a worker whose reader is gone gets SIGPIPE.
        for (int i = 0; i < workerCount; ++i) close(readEnds[i]);
        close(ends[0]);
        work(worker, ends[1]);
        _exit(0);
    }
    close(ends[1]);
    workerIds[workerCount] = id;
    readEnds[workerCount++] = ends[0];
    return ends[0];
}

bool readWhole(int fd, void* data, std::size_t size) {
    char* p = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = read(fd, p, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        p += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

bool writeWhole(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t put = write(fd, p, size);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        p += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

static bool collect() {
    bool allEnded = true;
    for (int i = 0; i < workerCount; ++i) {
        int status = 0;
        while (waitpid(workerIds[i], &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) allEnded = false;
        close(readEnds[i]);
    }
    workerCount = 0;
    return allEnded;
}

void stopWorkers() {
    for (int i = 0; i < workerCount; ++i) kill(workerIds[i], SIGTERM);
    collect();
}

bool waitForWorkers() { return collect(); }

int onlineCores() {
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    return cores < 1 ? 1 : cores > kMaxWorkers ? kMaxWorkers : static_cast<int>(cores);
}

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }
