// Wall and CPU time of whole varnock-cli runs (process start to exit),
// median of 5. CPU time is the steadier figure on a busy machine. Runs
// without -o write to a pipe that this program drains, so a file and a pipe
// are compared side by side.
// Run: build/default/bench/bench_cli [runs]
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

struct Timing {
    double wallMs;
    double cpuMs; // user + system time of the child
};

Timing runOnce(const std::vector<std::string> &arguments)
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    std::vector<char *> argv;
    argv.push_back(const_cast<char *>(VARNOCK_CLI_PATH));
    for (const std::string &a : arguments)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, VARNOCK_CLI_PATH, &actions, nullptr, argv.data(), environ) != 0) {
        std::perror("posix_spawn");
        std::exit(1);
    }
    close(pipeEnds[1]);
    static char drain[1 << 16];
    while (read(pipeEnds[0], drain, sizeof drain) > 0) {
    }
    close(pipeEnds[0]);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto stop = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "varnock-cli failed\n");
        std::exit(1);
    }
    auto ms = [](const timeval &t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return {std::chrono::duration<double, std::milli>(stop - start).count(),
            ms(usage.ru_utime) + ms(usage.ru_stime)};
}

} // namespace

int main(int argc, char **argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("words.txt")).toStdString();
    struct Case {
        const char *name;
        std::vector<std::string> arguments;
    };
    const Case cases[] = {
        {"start-up, one word to a pipe", {"--seed", "1", "-n", "1", "Marion"}},
        {"1M words, --no-sort, to a pipe", {"--seed", "1", "-n", "1000000", "--no-sort", "Marion"}},
        {"1M words, --no-sort, -o FILE", {"--seed", "1", "-n", "1000000", "--no-sort", "-o", file, "Marion"}},
        {"1M words, sorted unique, to a pipe", {"--seed", "1", "-n", "1000000", "Marion"}},
        {"1M words, sorted unique, -o FILE", {"--seed", "1", "-n", "1000000", "-o", file, "Marion"}},
        {"1M words, sorted with repeats", {"--seed", "1", "-n", "1000000", "--keep-duplicates", "-o", file, "Marion"}},
        {"1M long words (index sort)", {"--seed", "1", "-n", "1000000", "-o", file, "Bartholomew Kingsley"}},
    };
    std::printf("varnock-cli wall time, median of %d runs\n", runs);
    for (const Case &c : cases) {
        runOnce(c.arguments); // warm the page cache and the file
        std::vector<double> wall, cpu;
        for (int k = 0; k < runs; ++k) {
            const Timing t = runOnce(c.arguments);
            wall.push_back(t.wallMs);
            cpu.push_back(t.cpuMs);
        }
        std::sort(wall.begin(), wall.end());
        std::sort(cpu.begin(), cpu.end());
        std::printf("  %-36s wall median %7.1f ms (min %.1f, max %.1f)   cpu median %7.1f ms\n", c.name,
                    wall[wall.size() / 2], wall.front(), wall.back(), cpu[cpu.size() / 2]);
    }
    return 0;
}
