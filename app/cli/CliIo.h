#pragma once

#include <QByteArray>
#include <QString>

#include <mutex>
#include <stdexcept>

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
    // Hands what is buffered to the reader; rows of a long read go out as
    // they come, so that a reader sees them and its going away is noticed.
    void flush();

private:
    int m_fd;
    QByteArray m_buffer;
};

// Standard error: whole lines, written at once.
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

private:
    const int m_fd;
    const bool m_terminal;
    std::mutex m_mutex;
};
