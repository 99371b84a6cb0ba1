#include "app/cli/CliEnvironment.h"

#include "app/cli/CliErrors.h"
#include "platform/chromium/ChromiumShellWindows.h"
#include "platform/chromium/DevToolsEndpoint.h"


#include <fcntl.h>
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
