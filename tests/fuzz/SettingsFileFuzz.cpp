#include "tests/fuzz/FuzzTargets.h"

#include "platform/stores/SettingsStore.h"
#include "platform/stores/StoreFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString kApp = u"Fuzz"_s;
const QString kAbsent = u"\u0001absent"_s;
// Written when the input names no value: every character that the INI
// format escapes or quotes.
const QString kValue = u"v;\"=\\, x#[y]%"_s;

// What the input asks for. The file's bytes come first; after a NUL byte,
// NUL-separated, come the section, the key and the value to write. Where
// the input names none, the last key=value line of the file, under its
// section, is written over, so that most inputs replace a line of their own.
struct Request
{
    QByteArray content;
    QString section;
    QString key;
    QString value = kValue;
};

Request request(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> parts = input.split('\0');
    Request r;
    r.content = parts[0];
    if (parts.size() > 1) {
        r.section = QString::fromUtf8(parts[1]);
        r.key = parts.size() > 2 ? QString::fromUtf8(parts[2]) : QString();
        if (parts.size() > 3)
            r.value = QString::fromUtf8(parts[3]);
    }
    QByteArray section;
    for (const QByteArray &line : parts.size() > 1 ? QList<QByteArray>() : r.content.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.startsWith('[')) {
            section = trimmed.mid(1, trimmed.lastIndexOf(']') - 1);
            continue;
        }
        const qsizetype equals = line.indexOf('=');
        if (equals > 0 && !line.left(equals).trimmed().isEmpty()) {
            r.section = QString::fromUtf8(section);
            r.key = QString::fromUtf8(line.left(equals).trimmed());
        }
    }
    if (r.key.isEmpty())
        r.key = u"k"_s;
    return r;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("\0unreadable", 11);
}

// The lines between line feeds, without a carriage return before one.
QList<QByteArray> lines(const QByteArray &content)
{
    QList<QByteArray> split = content.split('\n');
    if (split.back().isEmpty())
        split.removeLast();
    for (QByteArray &line : split) {
        if (line.endsWith('\r'))
            line.chop(1);
    }
    return split;
}

// The text between any line breaks: "\n", "\r\n" or "\r".
QList<QByteArray> pieces(const QByteArray &content)
{
    QByteArray normal = content;
    normal.replace("\r\n", "\n").replace('\r', '\n');
    return lines(normal);
}

// Whether every line of part is in whole, in the same order.
bool isSubsequence(const QList<QByteArray> &part, const QList<QByteArray> &whole)
{
    qsizetype at = 0;
    for (const QByteArray &line : part) {
        while (at < whole.size() && whole[at] != line)
            ++at;
        if (at++ == whole.size())
            return false;
    }
    return true;
}

// How many lines of each differ, past the lines both begin and end with.
std::pair<qsizetype, qsizetype> differingLines(const QList<QByteArray> &before, const QList<QByteArray> &after)
{
    qsizetype head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    qsizetype tail = 0;
    while (tail < before.size() - head && tail < after.size() - head
           && before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    return {before.size() - head - tail, after.size() - head - tail};
}

// Every setting as QSettings reads the file, by its QSettings key, as text
// the way IniFile gives it. QSettings lists the keys under a header "[]" as
// "/key", and reads them as "key": they are kept by the name they are read
// by, and one it cannot read is no setting.
QMap<QString, QString> settingsOf(const QString &path)
{
    QSettings settings(path, QSettings::IniFormat);
    QMap<QString, QString> values;
    for (const QString &key : settings.allKeys()) {
        const QVariant value = settings.value(key);
        if (!value.isValid())
            continue;
        values.insert(key.split(u'/', Qt::SkipEmptyParts).join(u'/'), value.typeId() == QMetaType::QStringList ? value.toStringList().join(u", "_s)
                                                                    : value.toString());
    }
    return values;
}

QStringList copiesAside(const QDir &folder)
{
    return folder.entryList({u"*.bak-*"_s}, QDir::Files | QDir::Hidden);
}

} // namespace

void fuzz::settingsFile(const std::uint8_t *data, std::size_t size)
{
    // Every write syncs its file to the disk, where that costs milliseconds:
    // the files, QSettings' scratch ones too, go to memory where there is a
    // file system for it.
    static const bool inMemory = [] {
        const bool shm = QFileInfo(u"/dev/shm"_s).isDir() && QFileInfo(u"/dev/shm"_s).isWritable();
        if (shm)
            qputenv("TMPDIR", "/dev/shm");
        return shm;
    }();
    Q_UNUSED(inMemory);

    // A folder of its own for every input: nothing is left from the last
    // one, and QSettings, which keeps files it read by name, reads afresh.
    static QTemporaryDir root;
    static quint64 runs = 0;
    FUZZ_CHECK(root.isValid());
    const Request r = [&] {
        Request asked = request(data, size);
        if (asked.value.isEmpty())
            asked.value = u"v"_s;
        return asked;
    }();
    const QString folderPath = root.filePath(QString::number(++runs));
    QDir(folderPath).removeRecursively();
    FUZZ_CHECK(QDir().mkpath(folderPath));
    struct Cleanup
    {
        QString path;
        ~Cleanup() { QDir(path).removeRecursively(); }
    } cleanup{folderPath};
    const QDir folder(folderPath);
    qputenv("VORLANE_CONFIG_DIR", folderPath.toLocal8Bit());
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    {
        QFile file(path);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly) && file.write(r.content) == r.content.size());
    }

    // Opening drops only lines, and only after copying the file aside.
    stores::SettingsStore store;
    FUZZ_CHECK(store.OpenStore(0, kApp));
    const QByteArray opened = readAll(path);
    if (opened == r.content) {
        FUZZ_CHECK(copiesAside(folder).isEmpty());
    } else {
        const QStringList copies = copiesAside(folder);
        FUZZ_CHECK(copies.size() == 1);
        FUZZ_CHECK(readAll(folder.filePath(copies.value(0))) == r.content);
        FUZZ_CHECK(isSubsequence(pieces(opened), pieces(r.content)));
    }
    {
        // A repaired file needs no more repair.
        stores::SettingsStore again;
        FUZZ_CHECK(again.OpenStore(0, kApp));
        FUZZ_CHECK(readAll(path) == opened);
        FUZZ_CHECK(copiesAside(folder).size() == (opened == r.content ? 0 : 1));
    }

    // Reading never fails; an empty key is never stored.
    store.ReadValue(r.section, r.key, kAbsent);
    store.ReadValue(QString(), r.key, kAbsent);
    FUZZ_CHECK(store.ReadValue(r.section, QString(), kAbsent) == kAbsent);
    FUZZ_CHECK(!store.WriteValue(r.section, QString(), r.value));
    FUZZ_CHECK(readAll(path) == opened);

    const QMap<QString, QString> before = settingsOf(path);
    FUZZ_CHECK(store.WriteValue(r.section, r.key, r.value));
    const QByteArray written = readAll(path);

    // The one setting's line is replaced or added, with its section header
    // and a blank line before it where the section is new; every other
    // line is kept byte for byte.
    // The line feeds need not be all the line breaks: a line a carriage
    // return alone ends is part of one of these lines.
    const auto [removed, added] = differingLines(lines(opened), lines(written));
    FUZZ_CHECK(removed <= 1 && added <= 3);
    FUZZ_CHECK(written.endsWith('\n') || written.endsWith('\r'));

    // The store that wrote reads the value back, and so does one opened
    // afresh, which finds nothing to repair.
    FUZZ_CHECK(store.ReadValue(r.section, r.key, kAbsent) == r.value);
    stores::SettingsStore reopened;
    FUZZ_CHECK(reopened.OpenStore(0, kApp));
    FUZZ_CHECK(reopened.ReadValue(r.section, r.key, kAbsent) == r.value);
    FUZZ_CHECK(readAll(path) == written);
    FUZZ_CHECK(copiesAside(folder).size() == (opened == r.content ? 0 : 1));

    // Written again at once, with a value as long, which leaves the file as
    // long as it was: QSettings, which keeps a file it read until its size
    // or its time changes, reads the new one all the same.
    QString other = r.value;
    other[0] = other[0] == u'w' ? u'x' : u'w';
    FUZZ_CHECK(store.WriteValue(r.section, r.key, other));
    FUZZ_CHECK(store.ReadValue(r.section, r.key, kAbsent) == other);
    stores::SettingsStore third;
    FUZZ_CHECK(third.OpenStore(0, kApp));
    FUZZ_CHECK(third.ReadValue(r.section, r.key, kAbsent) == other);
    FUZZ_CHECK(store.WriteValue(r.section, r.key, r.value));

    // No other setting changed: at most one key is new or has a new value.
    const QMap<QString, QString> after = settingsOf(path);
    qsizetype differing = 0;
    for (auto it = before.begin(); it != before.end(); ++it) {
        FUZZ_CHECK(after.contains(it.key()));
        differing += after.value(it.key()) != it.value();
    }
    differing += after.size() - before.size();
    FUZZ_CHECK(differing <= 1);
}
