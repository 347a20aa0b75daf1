#pragma once

// What the benchmark programs share: silent dialogs, their command line
// with Qt's offscreen platform added, the processor time of the calling thread, the data size
// from the command line, and the closing lines a report reads.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "platform/IDialogs.h"
#include "platform/IPauser.h"
#include "platform/Services.h"

namespace bench {

// Dialogs that show nothing and answer No; a window animation without pauses.
class SilentDialogs final : public IDialogs {
public:
    void message(const QString&, MessageKind) override {}
    bool question(const QString&) override { return false; }
    QString inputBox(const QString&, const QString&, const QString&) override { return {}; }
    std::optional<QString> openFile(const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<FontChoice> chooseFont(const FontChoice&) override { return {}; }
};
class NoPause final : public IPauser {
public:
    void pause(int) override {}
};

// The services a window of the benchmarks is built with.
inline Services services(IClock* clock, IDialogs* dialogs, IPauser* pauser = nullptr) {
    Services services;
    services.clock = clock;
    services.dialogs = dialogs;
    services.pauser = pauser;
    return services;
}

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

// This process's resident memory in MiB (VmRSS), 0 when it cannot be read.
inline double residentMiB() {
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return 0;
    char line[256];
    double kib = 0;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "VmRSS: %lf kB", &kib) == 1) break;
    std::fclose(status);
    return kib / 1024;
}

// The data size, the benchmark's first argument; `fallback` without one.
inline int dataSize(int argc, char** argv, int fallback) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 0;
    return n > 0 ? n : fallback;
}

inline double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// One closing line: "result: NAME VALUE ms", the median processor time.
inline void result(const char* name, const std::vector<double>& cpuMs) {
    std::printf("result: %s %.3f ms\n", name, median(cpuMs));
}

}  // namespace bench
