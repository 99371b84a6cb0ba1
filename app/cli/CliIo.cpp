#include "app/cli/CliIo.h"

#include <cerrno>
#include <csignal>
#include <cstring>

#include <poll.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

constexpr qsizetype kFlushAt = 64 * 1024;

// Dies the death of a filter whose reader has gone: no message, and the
// status a shell expects. The network code ignores SIGPIPE, so it is put
// back first.
[[noreturn]] void endByBrokenPipe()
{
    std::signal(SIGPIPE, SIG_DFL);
    sigset_t pipe;
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    pthread_sigmask(SIG_UNBLOCK, &pipe, nullptr);
    std::raise(SIGPIPE);
    _exit(128 + SIGPIPE);
}

// False with errno set when the bytes could not all be written.
bool writeAll(int fd, const char *data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n >= 0) {
            data += n;
            size -= n;
        } else if (errno == EAGAIN || errno == EWOULDBLOCK) {
            pollfd ready{fd, POLLOUT, 0}; // a non-blocking stream inherited from the caller
            ::poll(&ready, 1, -1);
        } else if (errno != EINTR) {
            return false;
        }
    }
    return true;
}

} // namespace

CliStdout::CliStdout(int fd)
    : m_fd(fd)
{
}

CliStdout &CliStdout::operator<<(const QString &text)
{
    writeUtf8(text.toUtf8());
    return *this;
}

void CliStdout::writeUtf8(QByteArrayView bytes)
{
    m_buffer += bytes;
    if (m_buffer.size() >= kFlushAt)
        flush();
}

CliStdout &CliStdout::operator<<(QLatin1StringView text)
{
    return *this << QString(text);
}

CliStdout &CliStdout::operator<<(char c)
{
    m_buffer += c;
    return *this;
}

void CliStdout::flush()
{
    const QByteArray pending = std::exchange(m_buffer, {});
    if (writeAll(m_fd, pending.constData(), pending.size()))
        return;
    if (errno == EPIPE)
        endByBrokenPipe();
    throw CliWriteError(std::strerror(errno));
}

CliStderr::CliStderr(int fd, bool terminal)
    : m_fd(fd)
    , m_terminal(terminal)
{
}

void CliStderr::message(const QString &text)
{
    write(u"vorlane-cli: "_s + text + u'\n');
}

void CliStderr::write(const QString &text)
{
    std::lock_guard lock(m_mutex);
    if (m_progressShown) {
        writeLocked("\r\033[K");
        m_progressShown = false;
    }
    writeLocked(text.toUtf8());
}

void CliStderr::showProgress(const QString &text)
{
    std::lock_guard lock(m_mutex);
    writeLocked("\r\033[Kvorlane-cli: " + text.toUtf8());
    m_progressShown = true;
}

void CliStderr::clearProgress()
{
    std::lock_guard lock(m_mutex);
    if (m_progressShown)
        writeLocked("\r\033[K");
    m_progressShown = false;
}

void CliStderr::writeLocked(const QByteArray &bytes)
{
    // Nowhere is left to report a failure of stderr itself.
    writeAll(m_fd, bytes.constData(), bytes.size());
}

CliProgress::CliProgress(CliStderr &err, std::chrono::milliseconds after, bool ticker)
    : m_err(err)
    , m_after(after)
    , m_started(Clock::now())
{
    if (ticker && err.isTerminal()) {
        m_ticker = std::thread([this] {
            std::unique_lock lock(m_mutex);
            while (!m_wake.wait_for(lock, std::chrono::milliseconds(250), [this] { return m_stopping; })) {
                lock.unlock();
                tick(Clock::now());
                lock.lock();
            }
        });
    }
}

CliProgress::~CliProgress()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    if (m_ticker.joinable())
        m_ticker.join();
    m_err.clearProgress();
}

void CliProgress::set(const QString &what, qint64 done, qint64 total)
{
    std::lock_guard lock(m_mutex);
    m_what = what;
    m_done = done;
    m_total = total;
}

void CliProgress::advance(qint64 done)
{
    std::lock_guard lock(m_mutex);
    m_done = done;
}

void CliProgress::tick(Clock::time_point now)
{
    std::lock_guard lock(m_mutex);
    if (!m_err.isTerminal() || m_what.isEmpty() || now - m_started < m_after)
        return;
    QString text = m_what;
    if (m_done >= 0 && m_total >= 0)
        text += u' ' + QString::number(m_done) + u'/' + QString::number(m_total);
    m_err.showProgress(text + u"…"_s);
}
