#pragma once
// What a program does first, so that nothing it writes can be lost or land
// in the wrong place:
//
//   - descriptors 0, 1 and 2 that are closed at start-up are opened on
//     /dev/null, so that no output file is given one of them and then
//     receives the diagnostics;
//   - SIGINT, SIGTERM and SIGHUP remove every unfinished temporary output
//     (see output_file.hpp) and end the program with 128 + the signal
//     number; a signal ignored at start-up (nohup) stays ignored;
//   - SIGXFSZ is ignored, so that a file size limit (ulimit -f) makes a
//     write fail like a full disk instead of killing the run.
//
//     int main(int argc, char** argv) {
//         bp::out::prepareProcess();
//         ...
//
// The list of temporaries is the program's one piece of process-wide
// state: a signal handler can reach nothing else. It is changed only with
// the three signals blocked, so the handler never sees it half changed.

#include <csignal>
#include <string>

namespace bp::out {

void prepareProcess();

// The temporaries a signal removes; OutputFile registers its own.
void registerTemporary(const std::string& path);
void unregisterTemporary(const std::string& path);

// Holds SIGINT, SIGTERM and SIGHUP back for the life of the guard: a signal
// that comes meanwhile is handled when the guard goes.
class SignalsHeld {
public:
    SignalsHeld();
    ~SignalsHeld();
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t old_;
};

}   // namespace bp::out
