// SPDX-License-Identifier: GPL-3.0-or-later
// The batch program against the floor (the simplest program that reads the
// same rows, computes the same distance and writes the same seven numbers) and
// the usual geodesic tools, side by side in one run: the same generated pairs
// go to each as a process, and each is charged the CPU time (user + system)
// its process used, as legs per CPU-second; geod and GeodSolve write decimal
// numbers, as the program does. The same pairs again through a pipe, as a live
// source gives them. Then a long NMEA log, fed through a pipe so that no such
// file is ever stored, to the program and to the floor for reading it (lines
// and checksums only), as MB per CPU-second, with the program's peak memory;
// and one endless line.
// Last, a GPX track of 400,000 points read by the program and converted by
// GPSBabel (which computes nothing), as MB per CPU-second, with both peaks of
// memory, and the program's peak on a GPX of LOG_MB.
//   bench_batch [PAIRS] [LOG_MB]   (defaults: 1000000 pairs, a 1024 MB log)
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Usage {
    double cpuSeconds = -1.0;  // < 0: the program could not run
    long maxResidentKb = 0;
};

// A process's peak memory counts the pages of the process it was forked
// from, and this one holds whole inputs; so each program is started by a
// fresh, small copy of this one (--measure), which runs it and reports its
// CPU time and peak on a pipe. Returns the measured program's exit status.
int measure(int resultFd, char** argv)
{
    const pid_t child = fork();
    if (child == 0) {
        close(resultFd);
        execvp(argv[0], argv);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return 127;
    const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                     + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    const std::string result = std::to_string(cpu) + " " + std::to_string(usage.ru_maxrss);
    if (write(resultFd, result.data(), result.size()) < 0)
        return 127;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}

// Runs argv with stdin from inputFd (or the feeder writing into a pipe) and
// stdout to /dev/null; the program's own CPU time and peak memory.
Usage run(const std::vector<std::string>& argv, int inputFd,
          const std::function<void(int)>& feed = nullptr)
{
    int pipeFds[2] = {-1, -1};
    int resultFds[2] = {-1, -1};
    if ((feed && pipe(pipeFds) != 0) || pipe(resultFds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        dup2(feed ? pipeFds[0] : inputFd, 0);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        dup2(null, 2);
        if (feed) {
            close(pipeFds[0]);
            close(pipeFds[1]);
        }
        close(resultFds[0]);
        const std::string fd = std::to_string(resultFds[1]);
        std::vector<char*> args{const_cast<char*>("/proc/self/exe"), const_cast<char*>("--measure"),
                                const_cast<char*>(fd.c_str())};
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execv(args[0], args.data());
        _exit(127);
    }
    close(resultFds[1]);
    if (feed) {
        close(pipeFds[0]);
        feed(pipeFds[1]);
        close(pipeFds[1]);
    }
    char result[64] = {};
    const ssize_t got = read(resultFds[0], result, sizeof result - 1);
    close(resultFds[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || got <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) == 127)
        return {};
    Usage usage;
    if (std::sscanf(result, "%lf %ld", &usage.cpuSeconds, &usage.maxResidentKb) != 2)
        return {};
    return usage;
}

// A fixed sequence, so every run measures the same pairs.
struct Random {
    std::uint64_t state = 0x2545F4914F6CDD1DULL;
    double uniform(double low, double high)
    {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return low + (high - low) * static_cast<double>(state >> 11) / 9007199254740992.0;
    }
};

bool writeAll(int fd, const std::string& text)
{
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string nmeaSentence(const std::string& body)
{
    unsigned sum = 0;
    for (const char c : body)
        sum ^= static_cast<unsigned char>(c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return "$" + body + tail;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 3 && std::string_view(argv[1]) == "--measure")
        return measure(std::atoi(argv[2]), argv + 3);
    const long pairs = argc > 1 ? std::atol(argv[1]) : 1000000;
    const long logMb = argc > 2 ? std::atol(argv[2]) : 1024;
    std::string pattern = (std::filesystem::temp_directory_path() / "bench_batch_XXXXXX").string();
    const char* folder = mkdtemp(pattern.data());
    if (!folder)
        return 1;
    const std::string geodInput = std::string(folder) + "/pairs.geod";
    const std::string batchInput = std::string(folder) + "/pairs.txt";
    {
        std::FILE* geod = std::fopen(geodInput.c_str(), "w");
        std::FILE* batch = std::fopen(batchInput.c_str(), "w");
        Random random;
        for (long i = 0; i < pairs; ++i) {
            const double lat1 = random.uniform(-80, 80), lon1 = random.uniform(-180, 180);
            const double lat2 = random.uniform(-80, 80), lon2 = random.uniform(-180, 180);
            const int h = static_cast<int>(random.uniform(0, 23)), m = static_cast<int>(random.uniform(0, 59));
            std::fprintf(geod, "%.6f %.6f %.6f %.6f\n", lat1, lon1, lat2, lon2);
            std::fprintf(batch, "%.6f %.6f %d %d 0 %.6f %.6f %d %d 30\n", lat1, lon1, h, m, lat2, lon2,
                         h + 1, m);
        }
        std::fclose(geod);
        std::fclose(batch);
    }
    // Each program's median CPU time over several rounds, the programs taking
    // turns within each round: a shared machine's speed drifts by a tenth or
    // more within a minute, and so the drift falls on all of them alike.
    // GeodSolve, the slowest by far, runs once, in the last round.
    struct Subject {
        const char* name;
        std::vector<std::string> command;
        const std::string* input;
        bool throughPipe;
        int rounds;
        std::vector<Usage> runs;
        int firstRound = 0;
    };
    std::string pairBytes;
    if (std::FILE* in = std::fopen(batchInput.c_str(), "rb")) {
        char block[1 << 16];
        for (std::size_t n; (n = std::fread(block, 1, sizeof block, in)) > 0;)
            pairBytes.append(block, n);
        std::fclose(in);
    }
    std::vector<Subject> subjects = {
        {"zelvamirontica-batch", {ZELVA_BATCH_PROGRAM, "--separatore=punto"}, &batchInput, false, 5, {}},
#ifdef ZELVA_FLOOR
        {"floor (shared/bench-floor)", {ZELVA_FLOOR}, &batchInput, false, 5, {}},
#endif
        {"geod -I +R=6371000 -f %.15g", {"geod", "-I", "+R=6371000", "-f", "%.15g"}, &geodInput, false, 3, {}},
        {"GeodSolve -i -e 6371000 0 -p 9", {"GeodSolve", "-i", "-e", "6371000", "0", "-p", "9"}, &geodInput, false,
         1, {}, 4},
        {"zelvamirontica-batch, pipe", {ZELVA_BATCH_PROGRAM, "--separatore=punto"}, &batchInput, true, 5, {}},
    };
    // Every other round runs them in the opposite order, so that none always
    // follows the long GeodSolve run or the machine's quiet start.
    for (int round = 0; round < 5; ++round) {
        for (std::size_t i = 0; i < subjects.size(); ++i) {
            Subject& subject = subjects[round % 2 == 0 ? i : subjects.size() - 1 - i];
            if (round < subject.firstRound || round >= subject.firstRound + subject.rounds)
                continue;
            if (subject.throughPipe) {
                subject.runs.push_back(run(subject.command, -1, [&](int fd) { writeAll(fd, pairBytes); }));
            } else {
                const int fd = open(subject.input->c_str(), O_RDONLY);
                subject.runs.push_back(run(subject.command, fd));
                close(fd);
            }
        }
    }
    const auto median = [&](const char* name) {
        for (Subject& subject : subjects) {
            if (std::string_view(subject.name) != name)
                continue;
            std::sort(subject.runs.begin(), subject.runs.end(),
                      [](const Usage& a, const Usage& b) { return a.cpuSeconds < b.cpuSeconds; });
            return subject.runs[subject.runs.size() / 2];
        }
        return Usage{};
    };
    std::printf("%ld pairs, each program as a process of its own (median CPU time of its runs):\n", pairs);
    for (const Subject& subject : subjects) {
        const Usage usage = median(subject.name);
        if (usage.cpuSeconds < 0)
            std::printf("%-34s could not run (%s)\n", subject.name, subject.command[0].c_str());
        else
            std::printf("%-34s %8.3f CPU-s  %12.0f legs per CPU-second (%d runs)\n", subject.name,
                        usage.cpuSeconds, pairs / usage.cpuSeconds, subject.rounds);
    }
#ifndef ZELVA_FLOOR
    std::printf("%-34s not built: no shared/bench-floor/floor.cpp beside the project\n", "floor");
#endif
    // How many of the other's legs per CPU-second the program makes.
    const auto ratio = [](const char* against, const Usage& ours, const Usage& other) {
        if (ours.cpuSeconds > 0 && other.cpuSeconds > 0)
            std::printf("%-34s %8.2f\n", against, other.cpuSeconds / ours.cpuSeconds);
    };
    const Usage ours = median("zelvamirontica-batch");
    ratio("ratio to the floor (0.8 wanted)", ours, median("floor (shared/bench-floor)"));
    ratio("ratio to geod", ours, median("geod -I +R=6371000 -f %.15g"));
    ratio("ratio to GeodSolve", ours, median("GeodSolve -i -e 6371000 0 -p 9"));
    ratio("a pipe against a file", median("zelvamirontica-batch, pipe"), ours);
    std::remove(geodInput.c_str());
    std::remove(batchInput.c_str());
    rmdir(folder);

    // One fix a second for as many days as fill logMb of GGA and RMC sentences.
    const long long logBytes = static_cast<long long>(logMb) << 20;
    long long logSent = 0;
    const auto feedLog = [&](int fd) {
        std::string block;
        long long sent = 0;
        for (long second = 0; sent < logBytes; ++second) {
            char body[128];
            const long t = second % 86400;
            const double minutes = 30.0 + static_cast<double>(second % 1000) / 1000.0;
            std::snprintf(body, sizeof body, "GPGGA,%02ld%02ld%02ld.00,45%07.4f,N,009%07.4f,E,1,08,0.9,120.0,M,46.9,M,,",
                          t / 3600, t / 60 % 60, t % 60, minutes, minutes);
            block += nmeaSentence(body);
            std::snprintf(body, sizeof body, "GPRMC,%02ld%02ld%02ld.00,A,45%07.4f,N,009%07.4f,E,1.0,90.0,,,,A",
                          t / 3600, t / 60 % 60, t % 60, minutes, minutes);
            block += nmeaSentence(body);
            if (block.size() > (1 << 20)) {
                if (!writeAll(fd, block))
                    break;
                sent += static_cast<long long>(block.size());
                block.clear();
            }
        }
        logSent = sent;
    };
    const Usage log = run({ZELVA_BATCH_PROGRAM, "--separatore=punto"}, -1, feedLog);
    const double logMegabytes = static_cast<double>(logSent) / (1 << 20);
    std::printf("%.0f MB NMEA log through a pipe: %.1f CPU-s, %.1f MB per CPU-second, peak resident %ld KB\n",
                logMegabytes, log.cpuSeconds, logMegabytes / log.cpuSeconds, log.maxResidentKb);
    const Usage logFloor = run({ZELVA_NMEA_FLOOR}, -1, feedLog);
    std::printf("the floor for reading it (lines and checksums): %.1f CPU-s, %.1f MB per CPU-second\n",
                logFloor.cpuSeconds, logMegabytes / logFloor.cpuSeconds);
    ratio("ratio to the NMEA floor", log, logFloor);
    const Usage endless = run({ZELVA_BATCH_PROGRAM}, -1, [&](int fd) {
        const std::string block(1 << 20, 'x');
        for (long i = 0; i < logMb; ++i)
            if (!writeAll(fd, block))
                return;
    });
    std::printf("%ld MB without a line end: %.1f CPU-s, peak resident %ld KB\n", logMb,
                endless.cpuSeconds, endless.maxResidentKb);

    // A phone's GPX: one point a second, with elevation and time, as written.
    const auto gpxPoints = [](long first, long count) {
        std::string text;
        char point[192];
        for (long i = first; i < first + count; ++i) {
            const long t = i % 86400;
            std::snprintf(point, sizeof point,
                          "   <trkpt lat=\"%.7f\" lon=\"%.7f\"><ele>%.1f</ele>"
                          "<time>2026-12-%02ldT%02ld:%02ld:%02ldZ</time></trkpt>\n",
                          45.0 + static_cast<double>(i % 5000) * 1e-5, 9.0 + static_cast<double>(i % 7000) * 1e-5,
                          120.0 + static_cast<double>(i % 50), 1 + i / 86400 % 28, t / 3600, t / 60 % 60, t % 60);
            text += point;
        }
        return text;
    };
    const std::string gpxHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<gpx version=\"1.1\" creator=\"bench_batch\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                                " <trk><trkseg>\n";
    const std::string gpxTail = " </trkseg></trk>\n</gpx>\n";
    const long gpxCount = 400000;
    const std::string gpxPath = std::filesystem::temp_directory_path() / "bench_batch_track.gpx";
    double gpxMegabytes = 0.0;
    if (std::FILE* gpx = std::fopen(gpxPath.c_str(), "wb")) {
        const std::string body = gpxHead + gpxPoints(0, gpxCount) + gpxTail;
        std::fwrite(body.data(), 1, body.size(), gpx);
        std::fclose(gpx);
        gpxMegabytes = static_cast<double>(body.size()) / (1 << 20);
    }
    std::printf("GPX of %ld points, %.1f MB:\n", gpxCount, gpxMegabytes);
    const auto gpxRun = [&](const char* name, const std::vector<std::string>& command) {
        const int fd = open(gpxPath.c_str(), O_RDONLY);
        const Usage usage = run(command, fd);
        close(fd);
        if (usage.cpuSeconds < 0)
            std::printf("%-34s could not run (%s)\n", name, command[0].c_str());
        else
            std::printf("%-34s %8.3f CPU-s  %8.1f MB per CPU-second, peak resident %ld KB\n", name,
                        usage.cpuSeconds, gpxMegabytes / usage.cpuSeconds, usage.maxResidentKb);
        return usage;
    };
    const Usage gpxOurs = gpxRun("zelvamirontica-batch", {ZELVA_BATCH_PROGRAM, "--separatore=punto"});
    const Usage gpxBabel = gpxRun("gpsbabel -i gpx -o unicsv", {"gpsbabel", "-i", "gpx", "-f", gpxPath, "-o",
                                                                 "unicsv", "-F", "/dev/null"});
    ratio("ratio to GPSBabel (1 wanted)", gpxOurs, gpxBabel);
    std::remove(gpxPath.c_str());
    const Usage gpxLarge = run({ZELVA_BATCH_PROGRAM, "--riepilogo"}, -1, [&](int fd) {
        if (!writeAll(fd, gpxHead))
            return;
        const long perBlock = 10000;
        long long sent = 0;
        for (long first = 0; sent < logBytes; first += perBlock) {
            const std::string block = gpxPoints(first, perBlock);
            if (!writeAll(fd, block))
                return;
            sent += static_cast<long long>(block.size());
        }
        writeAll(fd, gpxTail);
    });
    std::printf("%ld MB GPX through a pipe: %.1f CPU-s, peak resident %ld KB (16 MB at most wanted)\n", logMb,
                gpxLarge.cpuSeconds, gpxLarge.maxResidentKb);
    return 0;
}
