#pragma once

// What the benchmark programs share: their command line with Qt's offscreen
// platform added, and the processor time of the calling thread.
#include <ctime>
#include <vector>

namespace bench {

// The program's arguments followed by "-platform offscreen", in the form the
// application object takes them (it keeps references to both).
class OffscreenArgs {
public:
    OffscreenArgs(int argc, char** argv) : m_args(argv, argv + argc) {
        m_args.push_back(m_platform);
        m_args.push_back(m_offscreen);
        m_count = int(m_args.size());
    }
    int& argc() { return m_count; }
    char** argv() { return m_args.data(); }

private:
    char m_platform[10] = "-platform";
    char m_offscreen[10] = "offscreen";
    std::vector<char*> m_args;
    int m_count = 0;
};

// This thread's processor time in milliseconds: on a machine shared with
// other work it shows what a step itself costs.
inline double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

}  // namespace bench
