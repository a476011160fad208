// Runs a program and prints its peak resident set size in KiB and its exit
// code, as `peakmemory OUTPUT PROGRAM [ARGUMENT...]`: standard output goes
// to the file OUTPUT (none when it is empty). A test measures through this
// small process rather than starting the program itself: a program started
// from a process takes that process's own peak as the start of its count.
// Linux only, and only for the tests.

#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    const pid_t child = fork();
    if (child == 0) {
        if (argv[1][0] != '\0') {
            const int output = open(argv[1], O_WRONLY | O_CREAT | O_TRUNC, 0644);
            if (output < 0 || dup2(output, 1) < 0)
                _exit(127);
        }
        execv(argv[2], argv + 2);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status))
        return 2;
    std::printf("%ld %d\n", usage.ru_maxrss, WEXITSTATUS(status));
    return 0;
}
