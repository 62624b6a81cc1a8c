#include "platform/worker_processes.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <vector>

#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

constexpr int kMaxWorkers = 256;
// Results held for writing in order at most; a slow task lets the others run
// this far ahead of it before workers wait.
constexpr long kWindowTasks = 4096;
static_assert(kWindowTasks > kMaxWorkers, "every worker must find a task within the window");

static pid_t workerIds[kMaxWorkers];
static int parentEnds[kMaxWorkers];  // the parent's end of each worker's channel
static int workerCount;
static const TaskWork* currentWork;

// Forks a worker that runs serve(fd) on its end of a two-way channel; the
// parent's end goes to parentEnds.
static bool startWorker(void (*serve)(int fd)) {
    if (workerCount == kMaxWorkers) return false;
    // A socket rather than two pipes: send can refuse a gone reader without SIGPIPE.
    int ends[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, ends) != 0) return false;
    const pid_t id = fork();
    if (id < 0) {
        close(ends[0]);
        close(ends[1]);
        return false;
    }
    if (id == 0) {
        // Only the parent may hold the other end, so that a worker sees the parent go.
        for (int i = 0; i < workerCount; ++i) close(parentEnds[i]);
        close(ends[0]);
        serve(ends[1]);
        _exit(0);
    }
    close(ends[1]);
    workerIds[workerCount] = id;
    parentEnds[workerCount++] = ends[0];
    return true;
}

static bool readWhole(int fd, void* data, std::size_t size) {
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

static bool writeWhole(int fd, const void* data, std::size_t size) {
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t put = send(fd, p, size, MSG_NOSIGNAL);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        p += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

// The index of one of fds that has data or its end to read, once there is one; -1 on an error.
static int waitForReadable(const int* fds, int count) {
    pollfd polled[kMaxWorkers];
    for (int i = 0; i < count; ++i) polled[i] = {fds[i], POLLIN, 0};
    for (;;) {
        const int ready = poll(polled, static_cast<nfds_t>(count), -1);
        if (ready < 0 && errno == EINTR) continue;
        if (ready < 0) return -1;
        for (int i = 0; i < count; ++i) {
            if (polled[i].revents != 0) return i;
        }
    }
}

// Closing the channels first ends the workers waiting for a task.
static bool collect() {
    for (int i = 0; i < workerCount; ++i) close(parentEnds[i]);
    bool allEnded = true;
    for (int i = 0; i < workerCount; ++i) {
        int status = 0;
        while (waitpid(workerIds[i], &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) allEnded = false;
    }
    workerCount = 0;
    return allEnded;
}

static void stopWorkers() {
    for (int i = 0; i < workerCount; ++i) kill(workerIds[i], SIGTERM);
    collect();
}

static void serveTasks(int fd) {
    std::vector<char> result(currentWork->resultSize);
    long task = 0;
    while (readWhole(fd, &task, sizeof task)) {
        currentWork->run(task, result.data());
        if (!writeWhole(fd, result.data(), result.size())) return;
    }
}

// The parent's side: which task each worker is on (-1: none), and the results
// that came in ahead of their turn.
struct Schedule {
    long next, taken, end, slots;
    int workers;
    long assigned[kMaxWorkers];
    std::vector<char> window, arrived;
};

static char* slotOf(Schedule& s, long task) {
    return s.window.data() + (task % s.slots) * static_cast<long>(currentWork->resultSize);
}

static bool handOut(Schedule& s) {
    for (int w = 0; w < s.workers && s.next < s.end && s.next < s.taken + s.slots; ++w) {
        if (s.assigned[w] >= 0) continue;
        if (!writeWhole(parentEnds[w], &s.next, sizeof s.next)) return false;
        s.assigned[w] = s.next++;
    }
    return true;
}

// Takes the results now due in order; false when take stops.
static bool takeInOrder(Schedule& s) {
    while (s.taken < s.end && s.arrived[s.taken % s.slots]) {
        s.arrived[s.taken % s.slots] = 0;
        if (!currentWork->take(s.taken, slotOf(s, s.taken))) return false;
        ++s.taken;
    }
    return true;
}

// Receives one result; false when a worker ended or sent something unasked.
static bool receive(Schedule& s) {
    const int w = waitForReadable(parentEnds, s.workers);
    if (w < 0 || s.assigned[w] < 0) return false;
    const long task = s.assigned[w];
    if (!readWhole(parentEnds[w], slotOf(s, task), currentWork->resultSize)) return false;
    s.arrived[task % s.slots] = 1;
    s.assigned[w] = -1;
    return true;
}

static TaskOutcome schedule(Schedule& s) {
    if (!handOut(s)) return TasksWorkerEnded;
    while (s.taken < s.end) {
        if (!receive(s)) return TasksWorkerEnded;
        if (!takeInOrder(s)) return TasksStopped;
        if (!handOut(s)) return TasksWorkerEnded;
    }
    return TasksDone;
}

TaskOutcome runTasks(const TaskWork& work, long first, long end, int workers) {
    if (first >= end) return TasksDone;
    Schedule s = {};
    s.next = s.taken = first;
    s.end = end;
    s.slots = end - first < kWindowTasks ? end - first : kWindowTasks;
    s.workers = end - first < workers ? static_cast<int>(end - first) : workers;
    s.window.resize(static_cast<std::size_t>(s.slots) * work.resultSize);
    s.arrived.assign(static_cast<std::size_t>(s.slots), 0);
    currentWork = &work;
    std::fflush(nullptr);
    for (int w = 0; w < s.workers; ++w) {
        s.assigned[w] = -1;
        if (!startWorker(serveTasks)) {
            stopWorkers();
            return TasksCannotStart;
        }
    }
    const TaskOutcome outcome = schedule(s);
    if (outcome != TasksDone) {
        stopWorkers();
        return outcome;
    }
    return collect() ? TasksDone : TasksWorkerEnded;
}

int onlineCores() {
    const long cores = sysconf(_SC_NPROCESSORS_ONLN);
    return cores < 1 ? 1 : cores > kMaxWorkers ? kMaxWorkers : static_cast<int>(cores);
}

bool standardErrorIsTerminal() { return isatty(STDERR_FILENO) == 1; }
