// Tasks run in worker processes, for work on the model's single static records
// side by side, handed out one at a time as workers free up. POSIX only.
#pragma once

#include <cstddef>

// What a worker computes for a task and what the parent does with it.
struct TaskWork {
    // In a worker: fills resultSize bytes at result.
    void (*run)(long task, void* result);
    // In the parent, in task order whatever order they finish in; false stops the rest.
    bool (*take)(long task, const void* result);
    std::size_t resultSize;
};

enum TaskOutcome { TasksDone, TasksStopped, TasksCannotStart, TasksWorkerEnded };

// Runs tasks first .. end - 1 on at most `workers` worker processes and ends
// them. Flushes stdio first. After TasksStopped or TasksWorkerEnded the tasks
// before the failing one have been taken.
TaskOutcome runTasks(const TaskWork& work, long first, long end, int workers);
int onlineCores();
bool standardErrorIsTerminal();
