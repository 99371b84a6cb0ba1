// Runs every fuzz target's body over its corpus (tests/fuzz/corpus/<name>)
// and over seeded mutations of it, the same on every run: the normal suite's
// share of the fuzzing, without libFuzzer. VORLANE_FUZZ_ITERATIONS sets how
// many mutations each target gets.
#include "tests/fuzz/FuzzTargets.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QString>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <random>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

struct PropertyBroken
{
    const char *file;
    int line;
    const char *property;
};

// Which input runs, for the message when a body crashes the program.
char current[256] = "";

void onCrash(int signal)
{
    const char prefix[] = "fuzz replay: crashed on ";
    [[maybe_unused]] auto ignored = write(STDERR_FILENO, prefix, sizeof prefix - 1);
    ignored = write(STDERR_FILENO, current, std::strlen(current));
    ignored = write(STDERR_FILENO, "\n", 1);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

QString fuzzDir()
{
    return QString::fromUtf8(VORLANE_FUZZ_DIR);
}

struct CorpusFile
{
    QByteArray name;
    QByteArray content;
};

QList<CorpusFile> corpus(const char *target)
{
    QList<CorpusFile> inputs;
    const QDir dir(fuzzDir() + u"/corpus/"_s + QString::fromUtf8(target));
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        QFile file(dir.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            inputs.append({name.toUtf8(), file.readAll()});
    }
    return inputs;
}

// The tokens of the target's libFuzzer dictionary (<name>.dict): one quoted
// string a line, with \\, \" and \xNN escapes.
QList<QByteArray> dictionary(const char *target)
{
    QList<QByteArray> tokens;
    QFile file(fuzzDir() + u'/' + QString::fromUtf8(target) + u".dict"_s);
    if (!file.open(QIODevice::ReadOnly))
        return tokens;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const qsizetype open = line.indexOf('"');
        const qsizetype close = line.lastIndexOf('"');
        if (line.trimmed().startsWith('#') || open < 0 || close <= open)
            continue;
        QByteArray token;
        for (qsizetype i = open + 1; i < close; ++i) {
            if (line[i] == '\\' && i + 1 < close && line[i + 1] == 'x' && i + 3 < close) {
                token += char(line.mid(i + 2, 2).toInt(nullptr, 16));
                i += 3;
            } else if (line[i] == '\\' && i + 1 < close) {
                token += line[++i];
            } else {
                token += line[i];
            }
        }
        tokens.append(token);
    }
    return tokens;
}

// A few of libFuzzer's mutations, drawn from a fixed seed.
class Mutator
{
public:
    Mutator(QList<QByteArray> corpus, QList<QByteArray> tokens)
        : m_corpus(std::move(corpus))
        , m_tokens(std::move(tokens))
    {
    }

    QByteArray next(qsizetype &from)
    {
        from = qsizetype(below(quint64(m_corpus.size())));
        QByteArray input = m_corpus[from];
        const int steps = 1 + int(below(4));
        for (int s = 0; s < steps; ++s)
            mutate(input);
        return input.left(kMaxSize);
    }

private:
    static constexpr qsizetype kMaxSize = 4096;
    static constexpr char kBytes[] = "\0\n\r\t \"\\;#=[]%,@{}:!~-.0123456789\x7f\x80\xc3\xff";

    quint64 below(quint64 n) { return n == 0 ? 0 : m_random() % n; }
    qsizetype at(const QByteArray &input, qsizetype extra = 0)
    {
        return qsizetype(below(quint64(input.size() + extra)));
    }

    void mutate(QByteArray &input)
    {
        switch (below(8)) {
        case 0: // flip a bit
            if (!input.isEmpty())
                input[at(input)] = char(input[at(input)] ^ (1 << below(8)));
            break;
        case 1: // a byte the formats give a meaning to, in place of one
            if (!input.isEmpty())
                input[at(input)] = kBytes[below(sizeof kBytes - 1)];
            break;
        case 2: // such a byte, inserted
            input.insert(at(input, 1), kBytes[below(sizeof kBytes - 1)]);
            break;
        case 3: { // a stretch removed
            const qsizetype start = at(input);
            input.remove(start, qsizetype(below(16) + 1));
            break;
        }
        case 4: { // a stretch repeated
            const qsizetype start = at(input);
            const QByteArray stretch = input.mid(start, qsizetype(below(32) + 1));
            input.insert(at(input, 1), stretch);
            break;
        }
        case 5: { // the head of this one, the tail of another
            const QByteArray &other = m_corpus[qsizetype(below(quint64(m_corpus.size())))];
            input = input.left(at(input, 1)) + other.mid(at(other, 1));
            break;
        }
        case 6: // a token of the dictionary, inserted
            if (!m_tokens.isEmpty())
                input.insert(at(input, 1), m_tokens[qsizetype(below(quint64(m_tokens.size())))]);
            break;
        default: { // a digit string made long or extreme
            static const char *const numbers[] = {"-1", "0", "2147483647", "2147483648", "-2147483649",
                                                  "9223372036854775807", "18446744073709551616", "1e308",
                                                  "-0", "0.5", "1e-400", "99999999999999999999999"};
            input.insert(at(input, 1), numbers[below(std::size(numbers))]);
            break;
        }
        }
    }

    std::mt19937_64 m_random{0x5eedf022};
    QList<QByteArray> m_corpus;
    QList<QByteArray> m_tokens;
};

QByteArray printable(const QByteArray &input)
{
    QByteArray text;
    for (const char c : input) {
        if (c == '\\' || c == '"')
            text += '\\' + QByteArray(1, c);
        else if (c >= 0x20 && c < 0x7f)
            text += c;
        else
            text += "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
    }
    return text;
}

// Runs one input; a broken property fails the test, with the input kept in
// the build folder for the libFuzzer program to run again.
bool runOne(const fuzz::Target &target, const QByteArray &input, const QByteArray &what)
{
    std::snprintf(current, sizeof current, "%s, %s", target.name, what.constData());
    try {
        target.body(reinterpret_cast<const std::uint8_t *>(input.constData()), std::size_t(input.size()));
        return true;
    } catch (const PropertyBroken &broken) {
        const QString kept = QDir(QString::fromUtf8(VORLANE_FUZZ_FAILURES)).absoluteFilePath(u"fuzz-failure-"_s + QString::fromUtf8(target.name));
        QFile file(kept);
        if (file.open(QIODevice::WriteOnly))
            file.write(input);
        ADD_FAILURE() << broken.file << ':' << broken.line << ": " << broken.property << "\n  on " << what.constData()
                      << ", kept as " << kept.toStdString() << "\n  input: \"" << printable(input).constData()
                      << '"';
    } catch (...) {
        ADD_FAILURE() << "an exception left the body on " << what.constData() << "\n  input: \""
                      << printable(input).constData() << '"';
    }
    return false;
}

void replay(const char *name, int mutations)
{
    const fuzz::Target *target = nullptr;
    for (const fuzz::Target &t : fuzz::kTargets) {
        if (std::strcmp(t.name, name) == 0)
            target = &t;
    }
    ASSERT_NE(target, nullptr) << name;
    const QList<CorpusFile> files = corpus(name);
    QList<QByteArray> inputs;
    for (const CorpusFile &file : files)
        inputs.append(file.content);
    ASSERT_FALSE(inputs.isEmpty()) << "no corpus for " << name;
    for (const int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL})
        std::signal(signal, onCrash);

    for (qsizetype i = 0; i < inputs.size(); ++i) {
        if (!runOne(*target, inputs[i], "corpus file " + files[i].name))
            return;
    }
    const QByteArray iterations = qgetenv("VORLANE_FUZZ_ITERATIONS");
    if (!iterations.isEmpty())
        mutations = iterations.toInt();
    Mutator mutator(inputs, dictionary(name));
    for (int n = 1; n <= mutations; ++n) {
        qsizetype from = 0;
        const QByteArray input = mutator.next(from);
        if (!runOne(*target, input,
                    "mutation " + QByteArray::number(n) + " (of " + files[from].name + ")"))
            return;
    }
}

} // namespace

[[noreturn]] void fuzz::fail(const char *file, int line, const char *property)
{
    throw PropertyBroken{file, line, property};
}

TEST(FuzzReplay, SettingsFile)
{
    replay("settings_file", 1500);
}

TEST(FuzzReplay, HelperAnswer)
{
    replay("helper_answer", 20000);
}

TEST(FuzzReplay, CdpMessage)
{
    replay("cdp_message", 20000);
}
