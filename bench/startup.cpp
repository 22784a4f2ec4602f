#include "bench/startup.h"

#include <xcb/xcb.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

namespace bench {

namespace {

using Clock = std::chrono::steady_clock;

// A child process with its output dropped; killed and reaped when it goes out of scope.
class Child {
  public:
    Child(const std::vector<std::string>& argv, const char* cwd, const char* display,
          int keepFd = -1) {
        // Everything the child needs is made before the fork: after it, only system calls.
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        std::vector<char*> env;
        for (char** e = environ; *e; ++e)
            if (std::strncmp(*e, "DISPLAY=", 8) != 0 &&
                std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0)
                env.push_back(*e);
        if (display)
            env.push_back(const_cast<char*>(display));
        env.push_back(nullptr);
        pid_ = fork();
        if (pid_ != 0)
            return;
        const int null = ::open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        for (int fd = 3; fd < 256; ++fd)
            if (fd != keepFd)
                ::close(fd);
        if (cwd && chdir(cwd) != 0)
            _exit(127);
        execvpe(args[0], args.data(), env.data());
        _exit(127);
    }
    ~Child() {
        if (pid_ <= 0)
            return;
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;
    bool running() const { return pid_ > 0 && waitpid(pid_, nullptr, WNOHANG) == 0; }

  private:
    pid_t pid_ = -1;
};

std::size_t hashOf(const std::uint8_t* data, int length) {
    return std::hash<std::string_view>{}(
        std::string_view(reinterpret_cast<const char*>(data), static_cast<std::size_t>(length)));
}

} // namespace

double firstCompletePaintMs(const std::string& exe, QSize screen) {
    // Xvfb picks a free display and writes its number to the pipe once it takes clients.
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return -1;
    char geometry[32];
    std::snprintf(geometry, sizeof geometry, "%dx%dx24", screen.width(), screen.height());
    Child xvfb({"Xvfb", "-displayfd", std::to_string(pipeFds[1]), "-screen", "0", geometry,
                "-nolisten", "tcp"},
               nullptr, nullptr, pipeFds[1]);
    ::close(pipeFds[1]);
    char number[16] = {};
    std::size_t have = 0;
    while (have < sizeof number - 1) {
        const ssize_t got = ::read(pipeFds[0], number + have, sizeof number - 1 - have);
        if (got <= 0 || std::memchr(number, '\n', have + static_cast<std::size_t>(got)))
            break;
        have += static_cast<std::size_t>(got);
    }
    ::close(pipeFds[0]);
    if (number[0] == 0)
        return -1;
    char display[32];
    std::snprintf(display, sizeof display, ":%d", std::atoi(number));

    xcb_connection_t* x = xcb_connect(display, nullptr);
    if (xcb_connection_has_error(x)) {
        xcb_disconnect(x);
        return -1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const std::uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &events);
    xcb_flush(x);

    const std::string folder = std::filesystem::temp_directory_path() / "startup-bench-XXXXXX";
    std::vector<char> cwd(folder.begin(), folder.end());
    cwd.push_back(0);
    if (!mkdtemp(cwd.data())) {
        xcb_disconnect(x);
        return -1;
    }

    struct Sample {
        Clock::time_point at;
        std::size_t hash;
    };
    std::vector<Sample> samples;
    double mappedMs = -1;
    const auto start = Clock::now();
    {
        char variable[48];
        std::snprintf(variable, sizeof variable, "DISPLAY=%s", display);
        Child program({exe}, cwd.data(), variable);
        // Sample the screen until it has stayed the same for a while after the window came.
        while (Clock::now() - start < std::chrono::seconds(10) && program.running()) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(x)) {
                if ((e->response_type & 0x7F) == XCB_MAP_NOTIFY && mappedMs < 0)
                    mappedMs =
                        std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                std::free(e);
            }
            if (mappedMs < 0) {
                usleep(500);
                continue;
            }
            const auto cookie = xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, root, 0, 0,
                                              static_cast<std::uint16_t>(screen.width()),
                                              static_cast<std::uint16_t>(screen.height()), ~0u);
            xcb_get_image_reply_t* reply = xcb_get_image_reply(x, cookie, nullptr);
            if (!reply)
                break;
            samples.push_back(Sample{
                Clock::now(), hashOf(xcb_get_image_data(reply), xcb_get_image_data_length(reply))});
            std::free(reply);
            const Sample& last = samples.back();
            std::size_t firstSame = samples.size() - 1;
            while (firstSame > 0 && samples[firstSame - 1].hash == last.hash)
                --firstSame;
            if (samples.size() > 1 && samples.front().hash != last.hash &&
                last.at - samples[firstSame].at > std::chrono::milliseconds(700))
                break;
            usleep(1000);
        }
    }
    xcb_disconnect(x);
    std::filesystem::remove_all(cwd.data());
    if (samples.empty())
        return -1;
    std::size_t first = samples.size() - 1;
    while (first > 0 && samples[first - 1].hash == samples.back().hash)
        --first;
    if (std::getenv("BENCH_DETAIL"))
        for (std::size_t i = 0; i < samples.size(); ++i)
            if (i == 0 || samples[i].hash != samples[i - 1].hash)
                std::fprintf(
                    stderr, "  screen changed at %.1f ms\n",
                    std::chrono::duration<double, std::milli>(samples[i].at - start).count());
    std::fprintf(stderr, "  %s: mapped after %.1f ms, complete after %.1f ms (%zu samples)\n",
                 exe.c_str(), mappedMs,
                 std::chrono::duration<double, std::milli>(samples[first].at - start).count(),
                 samples.size());
    return std::chrono::duration<double, std::milli>(samples[first].at - start).count();
}

} // namespace bench
