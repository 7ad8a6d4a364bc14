#include "output/cleanup.hpp"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>
#include <vector>

namespace bp::out {
namespace {

constexpr int CLEANUP_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP};

// The unfinished temporaries, as C strings the handler can pass to unlink().
std::vector<std::unique_ptr<char[]>>& temporaries() {
    static std::vector<std::unique_ptr<char[]>> list;
    return list;
}

extern "C" void removeTemporariesAndExit(int signal) {
    for (const auto& path : temporaries()) ::unlink(path.get());
    ::_exit(128 + signal);
}

}   // namespace

SignalsHeld::SignalsHeld() {
    sigset_t set;
    sigemptyset(&set);
    for (int s : CLEANUP_SIGNALS) sigaddset(&set, s);
    sigprocmask(SIG_BLOCK, &set, &old_);
}

SignalsHeld::~SignalsHeld() { sigprocmask(SIG_SETMASK, &old_, nullptr); }

namespace {

void openOnDevNull(int fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) return;
    // The lowest free descriptor is taken, and every lower one is open.
    const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) {
        ::dup2(opened, fd);
        ::close(opened);
    }
}

}   // namespace

void prepareProcess() {
    for (int fd = 0; fd <= 2; ++fd) openOnDevNull(fd);
    std::signal(SIGXFSZ, SIG_IGN);
    temporaries().reserve(16);
    for (int s : CLEANUP_SIGNALS) {
        struct sigaction old {};
        sigaction(s, nullptr, &old);
        if (old.sa_handler == SIG_IGN) continue;
        struct sigaction action {};
        action.sa_handler = removeTemporariesAndExit;
        sigemptyset(&action.sa_mask);
        for (int t : CLEANUP_SIGNALS) sigaddset(&action.sa_mask, t);
        sigaction(s, &action, nullptr);
    }
}

void registerTemporary(const std::string& path) {
    auto copy = std::make_unique<char[]>(path.size() + 1);
    std::memcpy(copy.get(), path.c_str(), path.size() + 1);
    SignalsHeld guard;
    temporaries().push_back(std::move(copy));
}

void unregisterTemporary(const std::string& path) {
    SignalsHeld guard;
    auto& list = temporaries();
    auto it = std::find_if(list.begin(), list.end(), [&](const auto& p) { return path == p.get(); });
    if (it != list.end()) list.erase(it);
}

}   // namespace bp::out
