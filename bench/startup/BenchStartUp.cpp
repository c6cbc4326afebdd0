// Start-up as a user waits for it: each program started as a process, timed
// from exec until its main window has been painted on screen for the first
// time, against a minimal QLabel window built the same way. The programs end
// themselves right after that frame when KES_EXIT_AFTER_FIRST_PAINT is set,
// and first write the moment of the frame and the processor time used by
// then to the descriptor KES_FIRST_FRAME_FD names, so the time is exactly
// process start to first frame, without the teardown of the process, and the
// benchmark needs no window-system tricks. The runs go on a private X server (Xvfb,
// started directly) when there is one, otherwise on the platform inherited,
// and with a private session bus (dbus-daemon) when there is one, as in a
// desktop session: without a bus every Qt program tries to launch one at
// start, which a user's programs do not, and on the caller's own bus what
// runs there (an accessibility service) would change what is timed.
// Each round starts the minimal window and every program once in Chinese and
// once in English (LANG=zh_CN.UTF-8 with --lang=zh, LANG=C.UTF-8 with
// --lang=en), in an order that rotates, and prints per program and language
// the median of its paired ratios to the minimal window started in the same
// language, their range and the ratio of the total times, for wall and for
// CPU time. The language matters to the baseline too: under a Chinese locale
// the font chosen for any text, even the minimal window's Latin label, is a
// large CJK font. Every start sees the same empty per-user folders,
// so settings and the recovery file of whoever runs the benchmark do not
// change what is timed.
#include "startup/FirstPaintExit.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int kRounds = 31;
constexpr double kGoal = 1.25;

// The environment of a start, as execve takes it.
class Environment {
public:
    explicit Environment(const QProcessEnvironment& environment)
    {
        for (const QString& entry : environment.toStringList())
            m_entries.push_back(entry.toStdString());
        for (std::string& entry : m_entries)
            m_pointers.push_back(entry.data());
        m_pointers.push_back(nullptr);
    }

    char* const* data() const { return m_pointers.data(); }

private:
    std::vector<std::string> m_entries;
    std::vector<char*> m_pointers;
};

// One program started in every round, and its times in seconds.
struct Starter
{
    std::string name;
    const char* program;
    const char* language;
    const Environment* environment;
    // Index of the minimal window started in the same environment; none for
    // the minimal windows themselves.
    std::optional<std::size_t> baseline{};
    std::vector<double> wall{};
    std::vector<double> cpu{};
};

// Starts the helper `program`, found on the search path, with `arguments`
// and returns the first line it writes: what the runs need to reach it. An
// empty string when there is no such program or it writes nothing in 10 s.
QString startHelper(QProcess& helper, const char* program, const QStringList& arguments)
{
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (path.isEmpty())
        return {};
    helper.setStandardErrorFile(QProcess::nullDevice());
    helper.start(path, arguments);
    if (!helper.waitForStarted() || !helper.waitForReadyRead(10000))
        return {};
    return QString::fromLatin1(helper.readLine()).trimmed();
}

// Starts a private X server and returns its display name, or an empty
// string when there is no X server to start.
QString startDisplay(QProcess& server)
{
    // -displayfd 1: the server picks a free display and writes its number.
    const QString number = startHelper(server, "Xvfb",
                                       {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-nolisten"),
                                        QStringLiteral("tcp"), QStringLiteral("-screen"), QStringLiteral("0"),
                                        QStringLiteral("1600x1200x24")});
    return number.isEmpty() ? number : u':' + number;
}

// Starts a private session bus and returns its address, or an empty string
// when there is no bus daemon to start.
QString startSessionBus(QProcess& bus)
{
    return startHelper(bus, "dbus-daemon",
                       {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                        QStringLiteral("--print-address=1")});
}

// One start: wall and CPU seconds from exec to the first frame.
struct Run
{
    double wall = -1;
    double cpu = -1;
};

// The descriptor a started program writes its first-frame report to.
constexpr int kReportFd = 3;

long long steadyNanoseconds()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Reads the report line, "<moment of the frame> <processor time>" in
// nanoseconds, from the pipe the program wrote it to before it ended.
bool readReport(int fd, long long& moment, long long& processor)
{
    char line[128] = {};
    std::size_t used = 0;
    for (ssize_t got; used + 1 < sizeof line && (got = read(fd, line + used, sizeof line - 1 - used)) > 0;)
        used += std::size_t(got);
    return std::sscanf(line, "%lld %lld", &moment, &processor) == 2;
}

// Starts `program` directly with `environment` and the one argument
// `language` (none when null), its output discarded and a pipe for its
// report on descriptor 3, and waits at most 30 s for it to end. A wall time
// below zero means it failed, hung or did not report; the reason is printed.
Run timeStart(const char* program, const char* language, char* const* environment)
{
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        std::perror("pipe");
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, report[1], kReportFd);
    char* const arguments[] = {const_cast<char*>(program), const_cast<char*>(language), nullptr};
    const long long start = steadyNanoseconds();
    pid_t child = 0;
    const int failed = posix_spawn(&child, program, &actions, nullptr, arguments, environment);
    posix_spawn_file_actions_destroy(&actions);
    close(report[1]);
    if (failed != 0) {
        close(report[0]);
        std::fprintf(stderr, "cannot start %s: %s\n", program, std::strerror(failed));
        return {};
    }
    // A pidfd becomes readable when the child ends, which bounds the wait.
    pollfd ended{int(syscall(SYS_pidfd_open, child, 0)), POLLIN, 0};
    const bool hung = ended.fd >= 0 && poll(&ended, 1, 30000) == 0;
    if (hung)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    if (ended.fd >= 0)
        close(ended.fd);
    long long moment = 0;
    long long processor = 0;
    const bool reported = !hung && readReport(report[0], moment, processor);
    close(report[0]);
    if (hung || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || !reported) {
        std::fprintf(stderr, "%s %s (status %d)\n", program,
                     hung ? "did not paint in 30 s" : reported ? "failed" : "ended without a first-frame report",
                     status);
        return {};
    }
    return {double(moment - start) / 1e9, double(processor) / 1e9};
}

// The private display and session bus of the runs; either may be empty.
struct Session
{
    QString display;
    QString bus;
};

// The environment of every start: the caller's, on the private display and
// bus when there are, with per-user folders below `home`, the language of
// `locale` and the request to end after the first frame.
QProcessEnvironment childEnvironment(const Session& session, const QString& home, const QString& locale)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!session.display.isEmpty()) {
        environment.insert(QStringLiteral("DISPLAY"), session.display);
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
    if (!session.bus.isEmpty())
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), session.bus);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    // LANG alone decides the language: the variables that take precedence go.
    for (const char* overriding : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QString::fromLatin1(overriding));
    environment.insert(QStringLiteral("LANG"), locale);
    environment.insert(QString::fromLatin1(tools::kExitAfterFirstPaint), QStringLiteral("1"));
    environment.insert(QString::fromLatin1(tools::kFirstFrameReportFd), QString::number(kReportFd));
    return environment;
}

// A first round is not timed: the first start of each program on the new
// display and bus also pays for what they set up once.
bool runRounds(std::vector<Starter>& starters)
{
    for (int round = -1; round < kRounds; ++round) {
        for (std::size_t turn = 0; turn < starters.size(); ++turn) {
            Starter& starter = starters[(std::size_t(round + 1) + turn) % starters.size()];
            const Run run = timeStart(starter.program, starter.language, starter.environment->data());
            if (run.wall < 0)
                return false;
            if (round < 0)
                continue;
            starter.wall.push_back(run.wall);
            starter.cpu.push_back(run.cpu);
        }
    }
    return true;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Prints `measured` against `baseline`: the median of the paired ratios,
// their range and the ratio of the totals; the goal applies to wall time.
void printRatio(const char* what, const std::vector<double>& measured, const std::vector<double>& baseline, double goal)
{
    std::vector<double> ratios;
    for (std::size_t i = 0; i < measured.size(); ++i)
        ratios.push_back(measured[i] / baseline[i]);
    const auto [low, high] = std::minmax_element(ratios.begin(), ratios.end());
    const double total = std::accumulate(measured.begin(), measured.end(), 0.0)
                         / std::accumulate(baseline.begin(), baseline.end(), 0.0);
    const double middle = median(ratios);
    std::printf("  %-5s %8.1f %8.1f %7.2f   %5.2f-%-5.2f %6.2f   ", what, median(measured) * 1e3,
                median(baseline) * 1e3, middle, *low, *high, total);
    if (goal > 0)
        std::printf("<= %.2f %s\n", goal, middle <= goal && total <= goal ? "met" : "MISSED");
    else
        std::printf("(reference)\n");
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QProcess server;
    QProcess bus;
    const Session session{startDisplay(server), startSessionBus(bus)};
    QTemporaryDir home;
    if (!home.isValid()) {
        std::fprintf(stderr, "cannot make a folder for the per-user files\n");
        return 1;
    }
    const Environment chinese(childEnvironment(session, home.path(), QStringLiteral("zh_CN.UTF-8")));
    const Environment english(childEnvironment(session, home.path(), QStringLiteral("C.UTF-8")));
    // The locale is a user's; the argument wins over a language chosen in an
    // earlier run and kept in the settings beside a built program.
    const std::pair<const char*, const char*> programs[] = {
        {"animbox", ANIMBOX}, {"animbox-classic", ANIMBOX_CLASSIC}, {"pakunpack", PAKUNPACK}};
    constexpr std::size_t chineseBaseline = 0;
    constexpr std::size_t englishBaseline = 1;
    std::vector<Starter> starters{{"minimal window zh_CN", MINIMAL_WINDOW, nullptr, &chinese},
                                  {"minimal window C", MINIMAL_WINDOW, nullptr, &english}};
    for (const auto& [name, program] : programs) {
        starters.push_back({std::string(name) + " zh_CN", program, "--lang=zh", &chinese, chineseBaseline});
        starters.push_back({std::string(name) + " C", program, "--lang=en", &english, englishBaseline});
    }
    std::printf("Start-up from exec to the first painted frame, %d rounds after an untimed one, on %s\n"
                "with %s, each round starting the minimal QLabel window and every program\n"
                "once, interleaved, each in Chinese (LANG=zh_CN.UTF-8, --lang=zh) and in English\n"
                "(LANG=C.UTF-8, --lang=en); each program against the minimal window in the same\n"
                "language.\n"
                "Wall time is what a user waits for; CPU time (user + system, all threads) is less\n"
                "disturbed by other load. Both end at the first frame, as each program reports it.\n",
                kRounds, session.display.isEmpty() ? "the inherited platform" : qPrintable("Xvfb " + session.display),
                session.bus.isEmpty() ? "the inherited session bus" : "a private session bus");
    std::fflush(stdout);
    const bool done = runRounds(starters);
    for (QProcess* helper : {&server, &bus}) {
        helper->terminate();
        helper->waitForFinished();
    }
    if (!done)
        return 1;
    std::printf("%-16s %-5s %8s %8s %7s   %-11s %6s   %s\n", "program", "time", "ms", "base ms", "median",
                "min-max", "total", "goal");
    for (const Starter& starter : starters) {
        if (!starter.baseline)
            continue;
        const Starter& baseline = starters[*starter.baseline];
        std::printf("%s\n", starter.name.c_str());
        printRatio("wall", starter.wall, baseline.wall, kGoal);
        printRatio("cpu", starter.cpu, baseline.cpu, 0);
    }
    return 0;
}
