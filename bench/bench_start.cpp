// Start of the program up to its visible main window: the time from starting
// the process until the X server reports the first ordinary (not
// override-redirect) window mapped on the screen, which under a window
// manager is the frame around the main window. Each repetition starts the
// built program once on a copy of the delivered plan and ends it again.
// Run it through bench/start_messen.sh (Xvfb with openbox, 10 repetitions).
// Goal: median within 100 ms. ProgrammCPU_ms is the processor time the
// program used until it was ended, for machines too busy for clock times.

#include <benchmark/benchmark.h>
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

// The built program beside this benchmark (build/bin/orvanta), or ORVANTA_PROGRAMM.
fs::path programm() {
    if (const char* p = std::getenv("ORVANTA_PROGRAMM"))
        return p;
    return fs::canonical("/proc/self/exe").parent_path().parent_path() / "bin" / "orvanta";
}

class TAnzeige {
public:
    TAnzeige() : FX(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(FX))
            return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(FX)).data->root;
        const std::uint32_t maske = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(FX, root, XCB_CW_EVENT_MASK, &maske);
        xcb_flush(FX);
    }
    ~TAnzeige() { xcb_disconnect(FX); }
    TAnzeige(const TAnzeige&) = delete;
    TAnzeige& operator=(const TAnzeige&) = delete;

    bool Da() const { return !xcb_connection_has_error(FX); }

    void Vergessen() {
        while (xcb_generic_event_t* e = xcb_poll_for_event(FX))
            std::free(e);
    }

    // Waits up to 20 s for an ordinary window to be mapped.
    bool FensterAbgebildet() {
        const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < ende) {
            while (xcb_generic_event_t* e = xcb_poll_for_event(FX)) {
                const bool gefunden =
                    (e->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                    !reinterpret_cast<xcb_map_notify_event_t*>(e)->override_redirect;
                std::free(e);
                if (gefunden)
                    return true;
            }
            pollfd p{xcb_get_file_descriptor(FX), POLLIN, 0};
            ::poll(&p, 1, 100);
        }
        return false;
    }

private:
    xcb_connection_t* FX;
};

void BM_StartBisFensterSichtbar(benchmark::State& state) {
    TAnzeige anzeige;
    if (!anzeige.Da()) {
        state.SkipWithError("Kein X-Display: bench/start_messen.sh startet Xvfb mit openbox.");
        return;
    }
    const fs::path prog = programm();
    const fs::path ordner =
        fs::temp_directory_path() / ("orvanta-start-" + std::to_string(getpid()));
    fs::create_directories(ordner);
    const fs::path plan = ordner / "Start.Dat";
    fs::copy_file(prog.parent_path() / "Orvan.Dat", plan, fs::copy_options::overwrite_existing);
    const std::string p = prog.string(), a = plan.string();
    char* argv[] = {const_cast<char*>(p.c_str()), const_cast<char*>(a.c_str()), nullptr};

    // One start until the window is visible; false when none showed.
    const auto starten = [&](double* sekunden, double* cpu) {
        anzeige.Vergessen();
        pid_t pid = 0;
        const auto t0 = std::chrono::steady_clock::now();
        if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0)
            return false;
        const bool sichtbar = anzeige.FensterAbgebildet();
        const auto t1 = std::chrono::steady_clock::now();
        ::kill(pid, SIGTERM);
        rusage ru{};
        ::wait4(pid, nullptr, 0, &ru);
        if (sekunden)
            *sekunden = std::chrono::duration<double>(t1 - t0).count();
        if (cpu)
            *cpu = (ru.ru_utime.tv_sec + ru.ru_stime.tv_sec) * 1e3 +
                   (ru.ru_utime.tv_usec + ru.ru_stime.tv_usec) / 1e3;
        return sichtbar;
    };
    starten(nullptr, nullptr); // fonts and libraries in the cache, as at an adviser's second start
    for (auto _ : state) {
        double sekunden = 0, cpu = 0;
        if (!starten(&sekunden, &cpu)) {
            state.SkipWithError("Das Fenster erschien nicht.");
            break;
        }
        state.SetIterationTime(sekunden);
        state.counters["ProgrammCPU_ms"] = cpu;
    }
    fs::remove_all(ordner);
}

} // namespace

BENCHMARK(BM_StartBisFensterSichtbar)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(10)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
