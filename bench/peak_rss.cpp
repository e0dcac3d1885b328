// Runs a command and prints its peak resident size (KiB) and CPU time (µs) on standard error.
// A child spawned straight from a large benchmark process would report that process's peak, since
// the kernel keeps the largest resident size a process had before its exec; forked from this
// small program, the child starts from a small one.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: peak_rss COMMAND [ARGUMENT...]\n");
        return 127;
    }
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid) {
        return 127;
    }
    const long cpu = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000000L +
                     usage.ru_utime.tv_usec + usage.ru_stime.tv_usec;
    std::fprintf(stderr, "peak_rss %ld %ld\n", usage.ru_maxrss, cpu);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
