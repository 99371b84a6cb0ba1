#include "platform/chromium/RunningBrowsers.h"

#include "platform/stores/PlainFile.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTcpSocket>

namespace chromium {

using namespace Qt::StringLiterals;

namespace {

// A real file holds a port and a path of some fifty characters.
constexpr qsizetype kMaxFileSize = 4096;

bool answersOnLoopback(quint16 port, std::chrono::milliseconds timeout)
{
    // Blocking waits, as every call into a browser makes: no event loop runs.
    QTcpSocket socket;
    socket.connectToHost(u"127.0.0.1"_s, port);
    const bool connected = socket.waitForConnected(int(timeout.count()));
    socket.abort();
    return connected;
}

} // namespace

std::optional<ActivePort> readActivePortFile(const QString &profileDir)
{
    const stores::PlainFileRead file =
        stores::readPlainFile(QDir(profileDir).filePath(u"DevToolsActivePort"_s), kMaxFileSize);
    if (file.outcome != stores::PlainFileRead::Read)
        return std::nullopt;
    const QList<QByteArray> lines = file.bytes.split('\n');
    static const QRegularExpression portLine(u"^[0-9]{1,5}$"_s);
    const QString first = QString::fromLatin1(lines.value(0).trimmed());
    if (!portLine.match(first).hasMatch())
        return std::nullopt;
    const uint port = first.toUInt();
    if (port == 0 || port > 65535)
        return std::nullopt;
    ActivePort record{quint16(port)};
    static const QRegularExpression browserPath(u"^/devtools/browser/[A-Za-z0-9._~-]+$"_s);
    const QString second = QString::fromLatin1(lines.value(1).trimmed());
    if (browserPath.match(second).hasMatch())
        record.browserPath = second;
    return record;
}

QStringList userBrowserProfileDirs()
{
    // XDG asks that a relative value be ignored.
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || QDir::isRelativePath(config))
        config = QDir::homePath() + u"/.config"_s;
    QStringList folders;
    for (const QString &browser :
         {u"chromium"_s, u"google-chrome"_s, u"google-chrome-beta"_s, u"google-chrome-unstable"_s,
          u"microsoft-edge"_s, u"microsoft-edge-beta"_s, u"BraveSoftware/Brave-Browser"_s})
        folders.append(config + u'/' + browser);
    return folders;
}

QList<DevToolsEndpoint> runningUserBrowsers(const QList<DevToolsEndpoint> &known,
                                            std::chrono::milliseconds probeTimeout)
{
    QSet<quint16> taken;
    for (const DevToolsEndpoint &endpoint : known)
        taken.insert(endpoint.port);
    QList<DevToolsEndpoint> found;
    for (const QString &folder : userBrowserProfileDirs()) {
        const std::optional<ActivePort> record = readActivePortFile(folder);
        // A file left behind by a browser that has ended names a port on
        // which nothing answers.
        if (!record || taken.contains(record->port) || !answersOnLoopback(record->port, probeTimeout))
            continue;
        taken.insert(record->port);
        found.append({u"127.0.0.1"_s, record->port, record->browserPath});
    }
    return found;
}

} // namespace chromium
