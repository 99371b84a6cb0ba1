#include "tests/support/chromium/HeadlessChromium.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <stdexcept>
#include <sys/prctl.h>
#include <unistd.h>

namespace testsupport {

using namespace Qt::StringLiterals;

HeadlessChromium::HeadlessChromium() = default;

HeadlessChromium::~HeadlessChromium()
{
    if (m_group == 0)
        return;
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000))
            m_process.kill();
        m_process.waitForFinished(5000);
    }
    // Its helper processes outlive it, and the network service writes into
    // the profile as it ends: none may be left to write after the removal.
    ::kill(-m_group, SIGKILL);
    const QDeadlineTimer until(10000);
    while (!QDir(m_profile.path()).removeRecursively() && !until.hasExpired())
        QThread::msleep(50);
}

void HeadlessChromium::start(quint16 testHostsPort)
{
    QString program = qEnvironmentVariable("VORLANE_CHROMIUM");
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(u"chromium"_s);
    if (program.isEmpty())
        throw std::runtime_error("chromium is not installed");
    QStringList args{u"--headless=new"_s,
                     u"--no-first-run"_s,
                     u"--no-default-browser-check"_s,
                     u"--disable-background-networking"_s,
                     u"--disable-component-update"_s,
                     u"--disable-sync"_s,
                     u"--disable-quic"_s,
                     u"--disable-gpu"_s,
                     u"--window-size=1024,768"_s,
                     u"--remote-debugging-address=127.0.0.1"_s,
                     u"--remote-debugging-port=0"_s,
                     u"--user-data-dir="_s + m_profile.path(),
                     u"--host-resolver-rules=MAP *.test 127.0.0.1:"_s + QString::number(testHostsPort),
                     u"about:blank"_s};
    if (geteuid() == 0)
        args.prepend(u"--no-sandbox"_s);
    // Chromium leaves a folder for its single-instance socket in TMPDIR
    // whenever it is stopped; within the profile, it goes with the profile.
    const QString temp = m_profile.path() + u"/tmp"_s;
    QDir().mkpath(temp);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"TMPDIR"_s, temp);
    m_process.setProcessEnvironment(environment);
    m_process.setStandardOutputFile(QProcess::nullDevice());
    m_process.setStandardErrorFile(QProcess::nullDevice());
    m_process.setChildProcessModifier([] {
        // A group of its own, which its helpers join, so that all end together.
        setsid();
        // A test that crashes takes its browser with it.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
    });
    m_process.start(program, args);
    if (!m_process.waitForStarted(10000))
        throw std::runtime_error("chromium did not start");
    m_group = pid_t(m_process.processId());
    const QDeadlineTimer deadline(30000);
    while (!deadline.hasExpired()) {
        m_port = chromium::readDevToolsActivePort(m_profile.path());
        if (m_port)
            return;
        if (m_process.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    throw std::runtime_error("chromium did not open its debugging port");
}

} // namespace testsupport
