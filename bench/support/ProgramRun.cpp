#include "bench/support/ProgramRun.h"

#include "bench/support/ProcessStatus.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryFile>
#include <QThread>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

namespace bench {

namespace {

constexpr int kRunLimitMs = 300000;

std::vector<char *> pointersTo(std::vector<QByteArray> &strings)
{
    std::vector<char *> pointers;
    for (QByteArray &string : strings)
        pointers.push_back(string.data());
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

ProgramRun runProgram(const QString &program, const QStringList &arguments, const QStringList &environment)
{
    ProgramRun result;
    QTemporaryFile out, err;
    if (!out.open() || !err.open())
        return result;
    std::vector<QByteArray> argStrings{program.toLocal8Bit()};
    for (const QString &argument : arguments)
        argStrings.push_back(argument.toLocal8Bit());
    std::vector<QByteArray> envStrings;
    for (char **entry = environ; *entry; ++entry)
        envStrings.emplace_back(*entry);
    for (const QString &entry : environment)
        envStrings.push_back(entry.toLocal8Bit());
    std::vector<char *> argv = pointersTo(argStrings);
    std::vector<char *> envp = pointersTo(envStrings);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out.handle(), 1);
    posix_spawn_file_actions_adddup2(&actions, err.handle(), 2);
    QElapsedTimer timer;
    timer.start();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0)
        return result;
    int status = 0;
    // Polled, so that a program that hangs is ended; a millisecond is well
    // below what any of these runs takes. The peak is read from the child's
    // own status: wait4's figure would also count the memory of this bench,
    // which the child shared until its exec.
    const QString child = QString::number(pid);
    while (true) {
        result.peakBytes = std::max(result.peakBytes, statusBytes(child, "VmHWM"));
        if (waitpid(pid, &status, WNOHANG) != 0)
            break;
        if (timer.elapsed() > kRunLimitMs) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        QThread::usleep(1000);
    }
    result.ms = double(timer.nsecsElapsed()) / 1e6;
    result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    QFile outFile(out.fileName()), errFile(err.fileName());
    if (outFile.open(QIODevice::ReadOnly))
        result.out = outFile.readAll();
    if (errFile.open(QIODevice::ReadOnly))
        result.err = errFile.readAll();
    return result;
}

} // namespace bench
