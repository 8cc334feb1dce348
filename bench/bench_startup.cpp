// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up as the user feels it: from launching the process to the first frame
// of its window on the X server, and its resident memory one second after that,
// for the program against bare_window, launched alternately in one run. The first
// frame is the first drawing into a mapped top-level window, which the DAMAGE
// extension reports. scripts/bench runs it on an X server of its own.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Launch {
    double seconds;  // launch to first frame
    double rssMiB;   // resident one second after the first frame, when asked for
};

// Watches the root window for new top-level windows and reports the first
// drawing into one that is mapped.
class FrameWatcher {
public:
    FrameWatcher() : connection_(xcb_connect(nullptr, nullptr), &xcb_disconnect)
    {
        if (xcb_connection_has_error(connection_.get()))
            return;
        const xcb_query_extension_reply_t* damage =
            xcb_get_extension_data(connection_.get(), &xcb_damage_id);
        if (damage == nullptr || !damage->present)
            return;
        free(xcb_damage_query_version_reply(
            connection_.get(), xcb_damage_query_version(connection_.get(), 1, 1), nullptr));
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_.get())).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(connection_.get(), root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection_.get());
        ready_ = true;
    }

    explicit operator bool() const { return ready_; }

    // Waits for the first frame of the next top-level window, which belongs to
    // `child` since one process runs at a time; nullopt if the child exits first
    // or the deadline passes.
    std::optional<Clock::time_point> firstFrame(pid_t child, Clock::time_point deadline)
    {
        xcb_connection_t* c = connection_.get();
        std::set<xcb_window_t> mapped;
        std::optional<Clock::time_point> shown;
        while (!shown && Clock::now() < deadline) {
            if (waitpid(child, nullptr, WNOHANG) == child)
                return std::nullopt;
            pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
            poll(&fd, 1, 20);
            while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
                const uint8_t type = event->response_type & 0x7f;
                if (type == XCB_CREATE_NOTIFY) {
                    const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                    if (created->parent == root_) {
                        const xcb_damage_damage_t damage = xcb_generate_id(c);
                        xcb_damage_create(c, damage, created->window,
                                          XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                        damages_.push_back(damage);
                        xcb_flush(c);
                    }
                } else if (type == XCB_MAP_NOTIFY) {
                    mapped.insert(reinterpret_cast<xcb_map_notify_event_t*>(event)->window);
                } else if (type == damageEvent_) {
                    const auto* drawn = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                    if (mapped.count(drawn->drawable) != 0)
                        shown = Clock::now();
                }
                free(event);
            }
            if (xcb_connection_has_error(c))
                return std::nullopt;
        }
        return shown;
    }

    // Frees the damage records of windows that are gone and drops stale events.
    void reset()
    {
        for (const xcb_damage_damage_t damage : damages_)
            xcb_damage_destroy(connection_.get(), damage);
        damages_.clear();
        dropPendingEvents();
    }

private:
    void dropPendingEvents()
    {
        // A round trip makes sure every event sent so far has arrived.
        free(xcb_get_input_focus_reply(connection_.get(), xcb_get_input_focus(connection_.get()),
                                       nullptr));
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_.get()))
            free(event);
    }

    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_;
    xcb_window_t root_ = 0;
    uint8_t damageEvent_ = 0;
    std::vector<xcb_damage_damage_t> damages_;
    bool ready_ = false;
};

double residentMiB(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;  // kB
    }
    return 0.0;
}

// Launches `program` and times its first frame; with `resident`, also reads its
// resident memory one second later.
std::optional<Launch> launch(FrameWatcher& watcher, const char* program, bool resident = false)
{
    char* const argv[] = {const_cast<char*>(program), nullptr};
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) != 0)
        return std::nullopt;
    const std::optional<Clock::time_point> shown =
        watcher.firstFrame(child, start + std::chrono::seconds(10));
    std::optional<Launch> result;
    if (shown) {
        result = Launch{std::chrono::duration<double>(*shown - start).count(), 0.0};
        if (resident) {
            std::this_thread::sleep_for(std::chrono::seconds(1));
            result->rssMiB = residentMiB(child);
        }
    }
    if (waitpid(child, nullptr, WNOHANG) == 0) {  // not reaped yet by firstFrame
        kill(child, SIGTERM);
        waitpid(child, nullptr, 0);
    }
    watcher.reset();
    return result;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n == 0 ? 0.0 : n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void BM_processStartup(benchmark::State& state)
{
    FrameWatcher watcher;
    if (!watcher) {
        state.SkipWithError("needs an X server with the DAMAGE extension: run scripts/bench");
        return;
    }
    // One unmeasured launch of each fills the page cache and fontconfig's caches.
    if (!launch(watcher, ZELVA_BARE_WINDOW) || !launch(watcher, ZELVA_PROGRAM)) {
        state.SkipWithError("a window did not appear within 10 s");
        return;
    }
    // A launch varies by about a tenth on a shared machine, so the medians need
    // many alternating pairs.
    std::vector<double> programTime, bareTime;
    bool programFirst = false;
    for (auto _ : state) {
        programFirst = !programFirst;
        std::optional<Launch> program, bare;
        if (programFirst) {
            program = launch(watcher, ZELVA_PROGRAM);
            bare = launch(watcher, ZELVA_BARE_WINDOW);
        } else {
            bare = launch(watcher, ZELVA_BARE_WINDOW);
            program = launch(watcher, ZELVA_PROGRAM);
        }
        if (!program || !bare) {
            state.SkipWithError("a window did not appear within 10 s");
            return;
        }
        programTime.push_back(program->seconds);
        bareTime.push_back(bare->seconds);
        state.SetIterationTime(program->seconds);
    }
    // Resident memory hardly varies: a few pairs, each kept open one second.
    std::vector<double> programRss, bareRss;
    for (int i = 0; i < 5; ++i) {
        const std::optional<Launch> program = launch(watcher, ZELVA_PROGRAM, true);
        const std::optional<Launch> bare = launch(watcher, ZELVA_BARE_WINDOW, true);
        if (!program || !bare) {
            state.SkipWithError("a window did not appear within 10 s");
            return;
        }
        programRss.push_back(program->rssMiB);
        bareRss.push_back(bare->rssMiB);
    }
    const double time = median(programTime), baseTime = median(bareTime);
    const double rss = median(programRss), baseRss = median(bareRss);
    state.counters["program_ms"] = time * 1e3;
    state.counters["bare_ms"] = baseTime * 1e3;
    state.counters["time_ratio"] = time / baseTime;
    state.counters["program_MiB"] = rss;
    state.counters["bare_MiB"] = baseRss;
    state.counters["rss_ratio"] = rss / baseRss;
}
// The reported time is the program's median; the counters hold both medians and
// their ratios.
BENCHMARK(BM_processStartup)->Iterations(100)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
