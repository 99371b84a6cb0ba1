#pragma once

#include <QByteArray>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

// The output could not be written (a full disk, a closed stream).
class CliWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Standard output, written with plain write(2) so that every failure is seen.
// A reader that has gone away ends the process at once by SIGPIPE, as any
// filter in a pipe would end; any other failure throws CliWriteError.
class CliStdout
{
public:
    explicit CliStdout(int fd);
    CliStdout(const CliStdout &) = delete;
    CliStdout &operator=(const CliStdout &) = delete;

    CliStdout &operator<<(const QString &text);
    CliStdout &operator<<(QLatin1StringView text);
    CliStdout &operator<<(char c);
    // Text already in UTF-8.
    void writeUtf8(QByteArrayView bytes);
    // Hands what is buffered to the reader; rows of a long read go out as
    // they come, so that a reader sees them and its going away is noticed.
    void flush();

private:
    int m_fd;
    QByteArray m_buffer;
};

// Standard error: whole lines, written at once. On a terminal it may carry
// a progress line, which the next message replaces.
class CliStderr
{
public:
    CliStderr(int fd, bool terminal);
    CliStderr(const CliStderr &) = delete;
    CliStderr &operator=(const CliStderr &) = delete;

    bool isTerminal() const { return m_terminal; }
    // "vorlane-cli: " and the text, on a line of its own.
    void message(const QString &text);
    // Text as it is (usage lines).
    void write(const QString &text);
    void showProgress(const QString &text);
    void clearProgress();

private:
    void writeLocked(const QByteArray &bytes);

    const int m_fd;
    const bool m_terminal;
    std::mutex m_mutex;
    bool m_progressShown = false;
};

// What a long read is doing, shown on stderr once it has taken longer than a
// moment, and only on a terminal: a script reading stderr sees messages only.
class CliProgress
{
public:
    using Clock = std::chrono::steady_clock;

    // A ticker thread redraws the line while the reads block the caller;
    // without it only tick() draws.
    explicit CliProgress(CliStderr &err, std::chrono::milliseconds after = std::chrono::seconds(1),
                         bool ticker = true);
    ~CliProgress();
    CliProgress(const CliProgress &) = delete;
    CliProgress &operator=(const CliProgress &) = delete;

    // What is being done; done and total count it when both are 0 or more.
    void set(const QString &what, qint64 done = -1, qint64 total = -1);
    void advance(qint64 done);
    // Draws the line when it is due at `now`.
    void tick(Clock::time_point now);

    Clock::time_point started() const { return m_started; }

private:
    CliStderr &m_err;
    const std::chrono::milliseconds m_after;
    const Clock::time_point m_started;
    std::mutex m_mutex;
    QString m_what;
    qint64 m_done = -1;
    qint64 m_total = -1;
    std::condition_variable m_wake;
    bool m_stopping = false;
    std::thread m_ticker;
};
