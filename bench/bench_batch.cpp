// SPDX-License-Identifier: GPL-3.0-or-later
// The batch program against its floors (the simplest programs that do the same
// work: shared/bench-floor/floor.cpp for pairs, nmea_floor.cpp for NMEA logs,
// gpx_floor.cpp for GPX tracks) and the usual tools, side by side in one run.
// Each program runs as a process of its own and is charged the CPU time (user
// + system) its process used, as legs per CPU-second, with its peak memory.
// Each floor runs twice: with its own haversine, and with the program's
// distance in its place (floor_leg_km.cpp), which charges both the same for the
// arithmetic of a leg.
//   - pairs: 10-number rows to the program and the floors, the same pairs to
//     geod and GeodSolve (decimal numbers, as the program writes), and the
//     rows again through a pipe, as a live source gives them;
//   - NMEA: a log of GGA + RMC epochs, one a second;
//   - GPX: a phone's track, one point a second, and GPSBabel converting it to
//     unicsv (which computes nothing).
// Every input runs in nine rounds in which the programs take turns, in the
// opposite order every other round; a ratio is the median over the rounds of
// the other's CPU time over the program's in the same round. Last, the
// program's peak memory on LOG_MB of NMEA, of GPX and of one endless line,
// through a pipe, so that no such file is ever stored.
//   bench_batch [PAIRS [LOG_MB [EPOCHS [POINTS]]]]
//       defaults: 1000000 pairs, a 1024 MB log, 400000 epochs, 400000 points
//   bench_batch --instructions [PAIRS [EPOCHS [POINTS]]]
//       the instructions the program and each floor execute, counted by
//       valgrind's callgrind (defaults: 100000, 20000, 20000)
//   bench_batch --inputs FOLDER [PAIRS [EPOCHS [POINTS]]]
//       writes the inputs (pairs.txt, pairs.geod, log.nmea, track.gpx) into
//       FOLDER, to profile by hand (defaults as --instructions)
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
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

namespace {

struct Usage {
    double cpuSeconds = -1.0;  // < 0: the program could not run, or did not in that round
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
                     + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    const std::string result = std::to_string(cpu) + " " + std::to_string(usage.ru_maxrss);
    if (write(resultFd, result.data(), result.size()) < 0)
        return 127;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 127;
}

// Runs argv with stdin from the file inputPath (or, with no path, the feeder
// writing into a pipe) and stdout to outputPath (or /dev/null); the program's
// own CPU time and peak memory.
Usage run(const std::vector<std::string>& argv, const std::string& inputPath,
          const std::function<void(int)>& feed = nullptr, const std::string& outputPath = {})
{
    const bool piped = inputPath.empty();
    int pipeFds[2] = {-1, -1};
    int resultFds[2] = {-1, -1};
    if ((piped && pipe(pipeFds) != 0) || pipe(resultFds) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        const int input = piped ? pipeFds[0] : open(inputPath.c_str(), O_RDONLY);
        const int null = open("/dev/null", O_WRONLY);
        const int output =
            outputPath.empty() ? null : open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (input < 0 || output < 0)
            _exit(127);
        dup2(input, 0);
        dup2(output, 1);
        dup2(null, 2);
        if (piped)
            close(pipeFds[1]);
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
    if (piped) {
        close(pipeFds[0]);
        if (feed)
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

bool writeFile(const std::string& path, const std::string& text)
{
    std::ofstream file(path, std::ios::binary);
    return static_cast<bool>(file.write(text.data(), static_cast<std::streamsize>(text.size())));
}

// Random legs anywhere between 80 S and 80 N, as the program's 10-number rows
// (the second time an hour after the first) and as geod's and GeodSolve's
// inverse problems.
void pairRows(long count, std::string& rows, std::string& geodRows)
{
    Random random;
    char line[160];
    for (long i = 0; i < count; ++i) {
        const double lat1 = random.uniform(-80, 80), lon1 = random.uniform(-180, 180);
        const double lat2 = random.uniform(-80, 80), lon2 = random.uniform(-180, 180);
        const int h = static_cast<int>(random.uniform(0, 23)), m = static_cast<int>(random.uniform(0, 59));
        std::snprintf(line, sizeof line, "%.6f %.6f %.6f %.6f\n", lat1, lon1, lat2, lon2);
        geodRows += line;
        std::snprintf(line, sizeof line, "%.6f %.6f %d %d 0 %.6f %.6f %d %d 30\n", lat1, lon1, h, m, lat2,
                      lon2, h + 1, m);
        rows += line;
    }
}

std::string nmeaSentence(const char* body)
{
    unsigned sum = 0;
    for (const char* c = body; *c; ++c)
        sum ^= static_cast<unsigned char>(*c);
    char tail[8];
    std::snprintf(tail, sizeof tail, "*%02X\r\n", sum);
    return std::string("$") + body + tail;
}

// A receiver's log, one epoch a second: GGA and RMC for the same fix, about
// 143 bytes.
std::string nmeaEpochs(long first, long count)
{
    std::string text;
    char body[128];
    for (long second = first; second < first + count; ++second) {
        const long t = second % 86400;
        const double minutes = 30.0 + static_cast<double>(second % 1000) / 1000.0;
        std::snprintf(body, sizeof body, "GPGGA,%02ld%02ld%02ld.00,45%07.4f,N,009%07.4f,E,1,08,0.9,120.0,M,46.9,M,,",
                      t / 3600, t / 60 % 60, t % 60, minutes, minutes);
        text += nmeaSentence(body);
        std::snprintf(body, sizeof body, "GPRMC,%02ld%02ld%02ld.00,A,45%07.4f,N,009%07.4f,E,1.0,90.0,,,,A",
                      t / 3600, t / 60 % 60, t % 60, minutes, minutes);
        text += nmeaSentence(body);
    }
    return text;
}

// A phone's GPX: one point a second, with elevation and time, as written.
const std::string gpxHead = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                            "<gpx version=\"1.1\" creator=\"bench_batch\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
                            " <trk><trkseg>\n";
const std::string gpxTail = " </trkseg></trk>\n</gpx>\n";

std::string gpxPoints(long first, long count)
{
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
}

struct Inputs {
    std::string pairs, geod, nmea, gpx;  // paths
    double pairsMb = 0, nmeaMb = 0, gpxMb = 0;
};

bool writeInputs(const std::string& folder, long pairs, long epochs, long points, Inputs& inputs)
{
    std::string rows, geodRows;
    pairRows(pairs, rows, geodRows);
    const std::string nmea = nmeaEpochs(0, epochs);
    const std::string gpx = gpxHead + gpxPoints(0, points) + gpxTail;
    inputs = {folder + "/pairs.txt", folder + "/pairs.geod", folder + "/log.nmea", folder + "/track.gpx",
              static_cast<double>(rows.size()) / (1 << 20), static_cast<double>(nmea.size()) / (1 << 20),
              static_cast<double>(gpx.size()) / (1 << 20)};
    return writeFile(inputs.pairs, rows) && writeFile(inputs.geod, geodRows) && writeFile(inputs.nmea, nmea)
        && writeFile(inputs.gpx, gpx);
}

void removeInputs(const Inputs& inputs)
{
    for (const std::string* path : {&inputs.pairs, &inputs.geod, &inputs.nmea, &inputs.gpx})
        std::remove(path->c_str());
}

const std::vector<std::string> program = {ZELVA_BATCH_PROGRAM, "--separatore=punto"};

// Lines of a leg table written to outputPath, less the program's header.
long legsWritten(const std::string& outputPath)
{
    std::ifstream file(outputPath, std::ios::binary);
    long lines = 0;
    bool header = false;
    char block[1 << 16];
    for (bool first = true; file.read(block, sizeof block) || file.gcount() > 0; first = false) {
        if (first)
            header = block[0] == 'r';  // "riga"
        lines += std::count(block, block + file.gcount(), '\n');
    }
    return lines - header;
}

struct Subject {
    Subject(std::string name, std::vector<std::string> command, std::string input, const char* goal = nullptr,
            int rounds = 9, int firstRound = 0)
        : name(std::move(name)), command(std::move(command)), input(std::move(input)), goal(goal),
          rounds(rounds), firstRound(firstRound)
    {
    }
    std::string name;
    std::vector<std::string> command;
    std::string input;  // a file as standard input; empty: the race's feeder through a pipe
    const char* goal;   // the program's ratio wanted against it
    int rounds;         // the rounds it runs in, from firstRound on
    int firstRound;
    std::vector<Usage> runs;  // one per round
};

struct Race {
    const char* title;
    long legs;
    int rounds;
    std::vector<Subject> subjects;  // the program first
    std::function<void(int)> feed;
};

double median(std::vector<double> values)
{
    if (values.empty())
        return -1.0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void runRace(Race& race, const std::string& folder)
{
    // First each program once with its legs counted, which also warms the
    // caches: every one must write a leg for each the input holds.
    const std::string legsPath = folder + "/legs.out";
    for (const Subject& subject : race.subjects) {
        if (subject.firstRound > 0 || subject.rounds < race.rounds || subject.input.empty())
            continue;  // the slow tools and the program's pipe run
        if (run(subject.command, subject.input, nullptr, legsPath).cpuSeconds < 0)
            continue;
        const long legs = legsWritten(legsPath);
        if (legs != race.legs)
            std::printf("!! %s wrote %ld legs, not %ld\n", subject.name.c_str(), legs, race.legs);
    }
    std::remove(legsPath.c_str());
    // The programs take turns within each round: a shared machine's speed
    // drifts by a tenth or more within a minute, and so the drift falls on all
    // of them alike; every other round in the opposite order, so that none
    // always follows the slowest or the machine's quiet start.
    for (int round = 0; round < race.rounds; ++round) {
        const std::size_t count = race.subjects.size();
        for (std::size_t i = 0; i < count; ++i) {
            Subject& subject = race.subjects[round % 2 == 0 ? i : count - 1 - i];
            const bool runs = round >= subject.firstRound && round < subject.firstRound + subject.rounds;
            subject.runs.push_back(runs ? run(subject.command, subject.input, race.feed) : Usage{});
        }
    }
    std::printf("\n%s, %ld legs; median CPU time, peak memory over the runs, and the program's ratio "
                "(the other's CPU time over its own, median over the rounds, lowest and highest):\n",
                race.title, race.legs);
    const Subject& ours = race.subjects.front();
    for (const Subject& subject : race.subjects) {
        std::vector<double> seconds, ratios;
        long peakKb = 0;
        for (std::size_t round = 0; round < subject.runs.size(); ++round) {
            const Usage& usage = subject.runs[round];
            if (usage.cpuSeconds <= 0)
                continue;
            seconds.push_back(usage.cpuSeconds);
            peakKb = std::max(peakKb, usage.maxResidentKb);
            if (ours.runs[round].cpuSeconds > 0)
                ratios.push_back(usage.cpuSeconds / ours.runs[round].cpuSeconds);
        }
        if (seconds.empty()) {
            std::printf("  %-40s could not run (%s)\n", subject.name.c_str(), subject.command[0].c_str());
            continue;
        }
        const double cpu = median(seconds);
        std::printf("  %-40s %7.3f CPU-s %11.0f legs/CPU-s %7.1f MB peak", subject.name.c_str(), cpu,
                    static_cast<double>(race.legs) / cpu, static_cast<double>(peakKb) / 1024);
        if (&subject != &ours && !ratios.empty()) {
            std::sort(ratios.begin(), ratios.end());
            std::printf("  ratio %5.3f (%.3f-%.3f, %zu rounds)", median(ratios), ratios.front(), ratios.back(),
                        ratios.size());
            if (subject.goal)
                std::printf(" %s wanted", subject.goal);
        }
        std::printf("\n");
    }
}

// The instructions callgrind counts for the whole process.
long long instructions(const std::vector<std::string>& command, const std::string& input, const std::string& folder)
{
    const std::string outFile = folder + "/callgrind.out";
    std::vector<std::string> argv = {"valgrind", "--tool=callgrind", "--callgrind-out-file=" + outFile};
    argv.insert(argv.end(), command.begin(), command.end());
    long long count = -1;
    if (run(argv, input).cpuSeconds >= 0) {
        std::ifstream file(outFile);
        for (std::string line; std::getline(file, line);)
            if (line.rfind("totals:", 0) == 0 || line.rfind("summary:", 0) == 0)
                count = std::atoll(line.c_str() + line.find(':') + 1);
    }
    std::remove(outFile.c_str());
    return count;
}

struct Floors {
    const char* own = nullptr;      // with the floors' haversine
    const char* program = nullptr;  // with the program's distance
};

#ifdef ZELVA_FLOOR
constexpr Floors pairFloors{ZELVA_FLOOR, ZELVA_FLOOR_ZELVA};
#else
constexpr Floors pairFloors{};
#endif
#ifdef ZELVA_NMEA_FLOOR
constexpr Floors nmeaFloors{ZELVA_NMEA_FLOOR, ZELVA_NMEA_FLOOR_ZELVA};
#else
constexpr Floors nmeaFloors{};
#endif
#ifdef ZELVA_GPX_FLOOR
constexpr Floors gpxFloors{ZELVA_GPX_FLOOR, ZELVA_GPX_FLOOR_ZELVA};
#else
constexpr Floors gpxFloors{};
#endif

int countInstructions(const std::string& folder, const Inputs& inputs, long pairs, long epochs, long points)
{
    struct Kind {
        long count;
        const char* what;
        long legs;
        const std::string& input;
        Floors floors;
    };
    const Kind kinds[] = {{pairs, "pairs", pairs, inputs.pairs, pairFloors},
                          {epochs, "NMEA epochs", epochs - 1, inputs.nmea, nmeaFloors},
                          {points, "GPX points", points - 1, inputs.gpx, gpxFloors}};
    std::printf("Instructions (valgrind's callgrind, the whole process), per leg in brackets:\n");
    for (const Kind& kind : kinds) {
        const long long ours = instructions(program, kind.input, folder);
        if (ours <= 0) {
            std::printf("valgrind could not run the program\n");
            return 1;
        }
        std::printf("%ld %s: program %lld (%.0f)", kind.count, kind.what, ours,
                    static_cast<double>(ours) / static_cast<double>(kind.legs));
        const auto floor = [&](const char* name, const char* path) {
            if (!path)
                return;
            const long long count = instructions({path}, kind.input, folder);
            if (count <= 0)
                return;
            std::printf(", %s %lld (%.0f), ratio %.3f", name, count,
                        static_cast<double>(count) / static_cast<double>(kind.legs),
                        static_cast<double>(count) / static_cast<double>(ours));
        };
        floor("floor", kind.floors.own);
        floor("floor with the program's distance", kind.floors.program);
        std::printf("\n");
    }
    return 0;
}

long argument(int argc, char** argv, int index, long fallback)
{
    return argc > index ? std::atol(argv[index]) : fallback;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 3 && std::string_view(argv[1]) == "--measure")
        return measure(std::atoi(argv[2]), argv + 3);
    if (argc > 2 && std::string_view(argv[1]) == "--inputs") {
        Inputs inputs;
        std::error_code error;
        std::filesystem::create_directories(argv[2], error);
        const bool written = writeInputs(argv[2], argument(argc, argv, 3, 100000), argument(argc, argv, 4, 20000),
                                         argument(argc, argv, 5, 20000), inputs);
        return written ? 0 : 1;
    }

    std::string pattern = (std::filesystem::temp_directory_path() / "bench_batch_XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    if (!made)
        return 1;
    const std::string folder = made;
    Inputs inputs;
    if (argc > 1 && std::string_view(argv[1]) == "--instructions") {
        const long pairs = argument(argc, argv, 2, 100000), epochs = argument(argc, argv, 3, 20000),
                   points = argument(argc, argv, 4, 20000);
        const int status = writeInputs(folder, pairs, epochs, points, inputs)
                             ? countInstructions(folder, inputs, pairs, epochs, points)
                             : 1;
        removeInputs(inputs);
        rmdir(folder.c_str());
        return status;
    }

    const long pairs = argument(argc, argv, 1, 1000000);
    const long logMb = argument(argc, argv, 2, 1024);
    const long epochs = argument(argc, argv, 3, 400000);
    const long points = argument(argc, argv, 4, 400000);
    if (!writeInputs(folder, pairs, epochs, points, inputs))
        return 1;
    std::string pairBytes;
    {
        std::ifstream file(inputs.pairs, std::ios::binary);
        pairBytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    std::printf("Each program a process of its own, charged its CPU time; 9 rounds, the programs taking turns.\n"
                "Inputs: %ld pairs (%.1f MB), an NMEA log of %ld epochs of GGA + RMC (%.1f MB), "
                "a GPX of %ld points (%.1f MB).\n",
                pairs, inputs.pairsMb, epochs, inputs.nmeaMb, points, inputs.gpxMb);

    const auto floorSubjects = [](const Floors& floors, const std::string& input, const char* goal) {
        std::vector<Subject> subjects;
        if (floors.own) {
            subjects.push_back({"floor, its own distance", {floors.own}, input});
            subjects.push_back({"floor, the program's distance", {floors.program}, input, goal});
        } else {
            std::printf("(no floor: shared/bench-floor was not beside the project when it was built)\n");
        }
        return subjects;
    };
    const auto race = [&](const char* title, long legs, const std::string& input, std::vector<Subject> others,
                          const std::function<void(int)>& feed = nullptr) {
        Race r{title, legs, 9, {Subject("zelvamirontica-batch", program, input)}, feed};
        r.subjects.insert(r.subjects.end(), others.begin(), others.end());
        runRace(r, folder);
    };

    // geod and GeodSolve, far slower and with no goal, run in three rounds and
    // in one, the middle ones.
    std::vector<Subject> pairOthers = floorSubjects(pairFloors, inputs.pairs, "0.95");
    pairOthers.push_back({"geod -I +R=6371000 -f %.15g", {"geod", "-I", "+R=6371000", "-f", "%.15g"}, inputs.geod,
                          nullptr, 3, 3});
    pairOthers.push_back({"GeodSolve -i -e 6371000 0 -p 9", {"GeodSolve", "-i", "-e", "6371000", "0", "-p", "9"},
                          inputs.geod, nullptr, 1, 4});
    pairOthers.push_back({"the program, through a pipe", program, {}});
    race("Pairs (10-number rows)", pairs, inputs.pairs, pairOthers, [&](int fd) { writeAll(fd, pairBytes); });
    pairBytes = std::string();

    race("NMEA log", epochs - 1, inputs.nmea, floorSubjects(nmeaFloors, inputs.nmea, "0.8"));

    // GPSBabel, slower and with no goal, in the three middle rounds.
    std::vector<Subject> gpxOthers = floorSubjects(gpxFloors, inputs.gpx, "0.9");
    gpxOthers.push_back({"gpsbabel -i gpx -o unicsv",
                         {"gpsbabel", "-i", "gpx", "-f", inputs.gpx, "-o", "unicsv", "-F", "/dev/null"},
                         inputs.gpx, nullptr, 3, 3});
    race("GPX track", points - 1, inputs.gpx, gpxOthers);
    removeInputs(inputs);
    rmdir(folder.c_str());

    if (logMb <= 0)
        return 0;
    // The program's memory on a long input, fed through a pipe block by block.
    const long long logBytes = static_cast<long long>(logMb) << 20;
    const auto feedBlocks = [logBytes](const std::string& head, const std::function<std::string(long, long)>& block,
                                long perBlock, const std::string& tail) {
        return [head, block, perBlock, tail, logBytes](int fd) {
            if (!writeAll(fd, head))
                return;
            long long sent = 0;
            for (long first = 0; sent < logBytes; first += perBlock) {
                const std::string text = block(first, perBlock);
                if (!writeAll(fd, text))
                    return;
                sent += static_cast<long long>(text.size());
            }
            writeAll(fd, tail);
        };
    };
    std::printf("\nThe program's peak memory on %ld MB through a pipe (16 MB at most wanted):\n", logMb);
    const auto longInput = [&](const char* what, const std::vector<std::string>& command,
                               const std::function<void(int)>& feed) {
        const Usage usage = run(command, {}, feed);
        std::printf("  %-40s %7.1f CPU-s %7.1f MB peak\n", what, usage.cpuSeconds,
                    static_cast<double>(usage.maxResidentKb) / 1024);
    };
    longInput("NMEA log", program, feedBlocks({}, nmeaEpochs, 8000, {}));
    std::vector<std::string> summary = program;
    summary.push_back("--riepilogo");
    longInput("GPX track, --riepilogo", summary, feedBlocks(gpxHead, gpxPoints, 10000, gpxTail));
    longInput("one line without a line end", program, [&](int fd) {
        const std::string block(1 << 20, 'x');
        for (long i = 0; i < logMb; ++i)
            if (!writeAll(fd, block))
                return;
    });
    return 0;
}
