#include "bench/bench_support.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace bench {

double ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

double maximum(const std::vector<double>& v) {
    return v.empty() ? 0 : *std::max_element(v.begin(), v.end());
}

double commandMs(const std::vector<std::string>& argv) {
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const auto t0 = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // What the command prints goes nowhere: only its work is timed.
        if (FILE* null = std::fopen("/dev/null", "w"))
            dup2(fileno(null), STDOUT_FILENO);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s failed (is it installed?)\n", argv[0].c_str());
        std::exit(2);
    }
    return ms(Clock::now() - t0);
}

} // namespace bench
