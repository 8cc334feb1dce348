// SPDX-License-Identifier: GPL-3.0-or-later
// The batch program against the usual geodesic tools, side by side in one run:
// the same generated pairs go to each as a process, and each is charged the
// CPU time (user + system) its process used, as legs per CPU-second. Then the
// program's peak resident memory on a long NMEA log and on one endless line,
// fed through a pipe so that no such file is ever stored.
//   bench_batch [PAIRS] [LOG_MB]   (defaults: 1000000 pairs, a 1024 MB log)
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Usage {
    double cpuSeconds = -1.0;  // < 0: the program could not run
    long maxResidentKb = 0;
};

// Runs argv with stdin from inputFd (or the feeder writing into a pipe) and
// stdout to /dev/null; the child's own CPU time and peak memory.
Usage run(const std::vector<std::string>& argv, int inputFd,
          const std::function<void(int)>& feed = nullptr)
{
    int pipeFds[2] = {-1, -1};
    if (feed && pipe(pipeFds) != 0)
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
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        execvp(args[0], args.data());
        _exit(127);
    }
    if (feed) {
        close(pipeFds[0]);
        feed(pipeFds[1]);
        close(pipeFds[1]);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) == 127)
        return {};
    return {static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6,
            usage.ru_maxrss};
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
    const auto timed = [&](const char* name, const std::vector<std::string>& command,
                           const std::string& input) {
        const int fd = open(input.c_str(), O_RDONLY);
        const Usage usage = run(command, fd);
        close(fd);
        if (usage.cpuSeconds < 0)
            std::printf("%-26s could not run (%s)\n", name, command[0].c_str());
        else
            std::printf("%-26s %8.3f CPU-s  %12.0f legs per CPU-second\n", name, usage.cpuSeconds,
                        pairs / usage.cpuSeconds);
        return usage;
    };
    std::printf("%ld pairs, each program as a process of its own:\n", pairs);
    const Usage ours = timed("zelvamirontica-batch", {ZELVA_BATCH_PROGRAM, "--separatore=punto"}, batchInput);
    const Usage geod = timed("geod -I +R=6371000", {"geod", "-I", "+R=6371000"}, geodInput);
    const Usage geodSolve = timed("GeodSolve -i -e 6371000 0", {"GeodSolve", "-i", "-e", "6371000", "0"},
                                  geodInput);
    if (ours.cpuSeconds > 0 && geod.cpuSeconds > 0)
        std::printf("ratio against geod: %.2f (at least 2 wanted)\n", geod.cpuSeconds / ours.cpuSeconds);
    if (ours.cpuSeconds > 0 && geodSolve.cpuSeconds > 0)
        std::printf("ratio against GeodSolve: %.2f\n", geodSolve.cpuSeconds / ours.cpuSeconds);
    std::remove(geodInput.c_str());
    std::remove(batchInput.c_str());
    rmdir(folder);

    // One fix a second for as many days as fill logMb of GGA and RMC sentences.
    const long long logBytes = static_cast<long long>(logMb) << 20;
    const Usage log = run({ZELVA_BATCH_PROGRAM, "--separatore=punto"}, -1, [&](int fd) {
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
                    return;
                sent += static_cast<long long>(block.size());
                block.clear();
            }
        }
    });
    std::printf("%ld MB NMEA log through a pipe: %.1f CPU-s, peak resident %ld KB\n", logMb,
                log.cpuSeconds, log.maxResidentKb);
    const Usage endless = run({ZELVA_BATCH_PROGRAM}, -1, [&](int fd) {
        const std::string block(1 << 20, 'x');
        for (long i = 0; i < logMb; ++i)
            if (!writeAll(fd, block))
                return;
    });
    std::printf("%ld MB without a line end: %.1f CPU-s, peak resident %ld KB\n", logMb,
                endless.cpuSeconds, endless.maxResidentKb);
    return 0;
}
