#include "app/cli/CliEnvironment.h"

#include "app/cli/CliErrors.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "platform/chromium/DevToolsEndpoint.h"

#include <QDir>
#include <QFile>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

std::shared_ptr<automation::ShellWindows> ConnectChromium(const QStringList &endpoints)
{
    QList<chromium::DevToolsEndpoint> chosen;
    const QString configured = qEnvironmentVariable("VORLANE_DEVTOOLS");
    try {
        if (!endpoints.isEmpty()) {
            for (const QString &endpoint : endpoints) {
                if (endpoint.trimmed().isEmpty())
                    throw CliUsageError(u"--endpoint is empty; no endpoint is set"_s);
                chosen.append(chromium::parseEndpoint(endpoint));
            }
        } else if (!configured.trimmed().isEmpty()) {
            chosen = chromium::parseEndpointList(configured);
            if (chosen.isEmpty())
                throw CliUsageError(u"no endpoint is set: VORLANE_DEVTOOLS is \""_s + configured
                                    + u"\", which lists none"_s);
        } else {
            chosen = chromium::configuredEndpoints();
        }
    } catch (const automation::AutomationError &e) {
        throw CliUsageError(CliErrorText(e));
    }
    return std::make_shared<chromium::ChromiumShellWindows>(chosen);
}

QString PrepareRuntimeFolder()
{
    if (!qEnvironmentVariableIsEmpty("VORLANE_RUNTIME_DIR") || !qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return {};
    // The folder Qt falls back to, under its own rules, so that the program,
    // which asks Qt, keeps its handles in the same registry.
    const passwd *user = getpwuid(geteuid());
    const QString folder =
        QDir::tempPath() + u"/runtime-"_s + (user ? QString::fromLocal8Bit(user->pw_name) : QString());
    const QByteArray path = QFile::encodeName(folder);
    struct stat status{};
    const bool usable = (::mkdir(path.constData(), 0700) == 0 || errno == EEXIST)
                        && ::lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode)
                        && status.st_uid == geteuid() && (status.st_mode & 07777) == 0700;
    if (usable) {
        qputenv("XDG_RUNTIME_DIR", path);
        return {};
    }
    qputenv("VORLANE_RUNTIME_DIR", QFile::encodeName(QDir::tempPath()));
    return u"XDG_RUNTIME_DIR is not set and "_s + folder
           + u" is not a private folder of this user; window handles are kept in "_s + QDir::tempPath();
}

void GuardStandardStreams()
{
    for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
        if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF)
            continue;
        // Read-only on stdout: what we write there fails and is reported.
        const int opened = ::open("/dev/null", fd == STDERR_FILENO ? O_WRONLY : O_RDONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}
