#include "tests/support/QtPrinting.h"
#include "tests/support/TempStoreFolder.h"

#include "platform/stores/IniProgramSettings.h"
#include "platform/stores/SettingsStore.h"
#include "platform/stores/StoreFolder.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

const QString kApp = u"Vorlane"_s;
const QString kAbsent = u"<absent>"_s;

// What users type into filter boxes ends up in keys and values.
QStringList hostileTexts()
{
    return {u"a/b"_s, u"a\\b"_s, u"a%2Fb"_s, u"a%5Cb"_s, u"%"_s, u"%25"_s, u"/"_s, u"//"_s, u"\\"_s,
            u"/lead"_s, u"trail/"_s, u"a=b"_s, u"a;b"_s, u"#x"_s, u";x"_s, u"[x]"_s, u"[x"_s,
            u"\"quoted\""_s, u"'single'"_s, u" "_s, u" blank "_s, u"a, b"_s, u"@Variant(0)"_s,
            u"日本語のキー"_s, u"Key"_s, u"key"_s, u"ｶﾀｶﾅ"_s, u"ＦormPosition"_s, u"FormPosition"_s, u"General"_s,
            u"tab\tnew\nline"_s, u"010080[][]00[]0[]0[]0[]"_s, QString(2000, u'x'),
            QString(1999, u'x') + u'/'};
}

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Makes every write past the first bytes of a file fail, as a full file
// system does, for as long as it lives; no mount is needed for it.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        EXPECT_EQ(::getrlimit(RLIMIT_FSIZE, &m_was), 0);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_was.rlim_max};
        EXPECT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_was);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    rlimit m_was{};
    void (*m_handler)(int);
};

} // namespace

TEST(ProgramSettingsFile, HostileKeysAndSectionsReadBackExactlyWithoutColliding)
{
    TempStoreFolder folder;
    stores::IniProgramSettings store;
    const QStringList texts = hostileTexts();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        ASSERT_TRUE(store.SaveSetting(kApp, u"ItemFilter"_s, texts[i], u"key "_s + QString::number(i)));
        ASSERT_TRUE(store.SaveSetting(kApp, texts[i], u"k"_s, u"section "_s + QString::number(i)));
        ASSERT_TRUE(store.SaveSetting(kApp, u"Values"_s, QString::number(i), texts[i]));
    }

    folder.moveToFreshFolder();
    for (qsizetype i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(texts[i].left(40).toStdString());
        EXPECT_EQ(store.GetSetting(kApp, u"ItemFilter"_s, texts[i], kAbsent), u"key "_s + QString::number(i));
        EXPECT_EQ(store.GetSetting(kApp, texts[i], u"k"_s, kAbsent), u"section "_s + QString::number(i));
        EXPECT_EQ(store.GetSetting(kApp, u"Values"_s, QString::number(i), kAbsent), texts[i]);
    }
    // What the store writes itself is never taken for a hand edit.
    EXPECT_TRUE(QDir(folder.path()).entryList({u"*.bak-*"_s}, QDir::Files).isEmpty());
}

TEST(ProgramSettingsFile, EmptyKeyIsNeverStoredAndApplicationsAreApart)
{
    TempStoreFolder folder;
    stores::IniProgramSettings store;
    EXPECT_FALSE(store.SaveSetting(kApp, u"S"_s, QString(), u"v"_s));
    EXPECT_EQ(store.GetSetting(kApp, u"S"_s, QString(), kAbsent), kAbsent);

    ASSERT_TRUE(store.SaveSetting(u"../Other"_s, u"S"_s, u"k"_s, u"other"_s));
    EXPECT_EQ(store.GetSetting(kApp, u"S"_s, u"k"_s, kAbsent), kAbsent);
    EXPECT_EQ(store.GetSetting(u"../Other"_s, u"S"_s, u"k"_s, kAbsent), u"other"_s);
    // The application name never leads out of the store folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(ProgramSettingsFile, MissingFolderIsCreatedOnFirstWrite)
{
    TempStoreFolder folder;
    qputenv("VORLANE_CONFIG_DIR", (folder.path() + u"/not/yet"_s).toLocal8Bit());
    stores::IniProgramSettings store;
    ASSERT_TRUE(store.SaveSetting(kApp, u"S"_s, u"k"_s, u"v"_s));
    EXPECT_EQ(store.GetSetting(kApp, u"S"_s, u"k"_s, kAbsent), u"v"_s);
}

TEST(SettingsStoreFile, KindsAreSeparateFilesAndOtherKindsAreRefused)
{
    TempStoreFolder folder;
    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    ASSERT_TRUE(store.WriteValue(u"S"_s, u"k"_s, u"zero"_s));
    ASSERT_TRUE(store.OpenStore(1, kApp));
    ASSERT_TRUE(store.WriteValue(u"S"_s, u"k"_s, u"one"_s));

    folder.moveToFreshFolder();
    stores::SettingsStore reread;
    ASSERT_TRUE(reread.OpenStore(0, kApp));
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"k"_s, kAbsent), u"zero"_s);
    ASSERT_TRUE(reread.OpenStore(1, kApp));
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"k"_s, kAbsent), u"one"_s);

    EXPECT_FALSE(reread.OpenStore(2, kApp));
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"k"_s, kAbsent), kAbsent);
}

// A write changes its own line and nothing else: notes, keys this program
// does not know and their spelling stay byte for byte.
TEST(SettingsStoreFile, AWriteChangesOnlyItsOwnLine)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    const QByteArray original = "; my notes\n[Settings]\nDebugFlag=7\nthis line is nonsense\n"
                                "Unknown=keep me\nc=x,y,z\nSpaced = as typed ; with a note\n\n"
                                "[a/b/c]\nx=1\n[Elsewhere]\nx=1\n";
    writeFile(path, original);

    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    EXPECT_EQ(store.ReadValue(u"Settings"_s, u"DebugFlag"_s, kAbsent), u"7"_s);
    ASSERT_TRUE(store.WriteValue(u"Settings"_s, u"DebugFlag"_s, u"8"_s));
    QByteArray expected = original;
    expected.replace("DebugFlag=7", "DebugFlag=8");
    EXPECT_EQ(readFile(path), expected);

    // A new key goes to the end of its section, a new section to the end.
    ASSERT_TRUE(store.WriteValue(u"Settings"_s, u"New"_s, u"n"_s));
    ASSERT_TRUE(store.WriteValue(u"Fresh"_s, u"k"_s, u"f"_s));
    expected.replace("Spaced = as typed ; with a note\n", "Spaced = as typed ; with a note\nNew=n\n");
    expected += "\n[Fresh]\nk=f\n";
    EXPECT_EQ(readFile(path), expected);

    folder.moveToFreshFolder();
    stores::SettingsStore reread;
    ASSERT_TRUE(reread.OpenStore(0, kApp));
    EXPECT_EQ(reread.ReadValue(u"Settings"_s, u"DebugFlag"_s, kAbsent), u"8"_s);
    EXPECT_EQ(reread.ReadValue(u"Settings"_s, u"New"_s, kAbsent), u"n"_s);
    EXPECT_EQ(reread.ReadValue(u"Fresh"_s, u"k"_s, kAbsent), u"f"_s);
    EXPECT_EQ(reread.ReadValue(u"Elsewhere"_s, u"x"_s, kAbsent), u"1"_s);
    EXPECT_TRUE(QDir(folder.path()).entryList({u"*.bak-*"_s}, QDir::Files).isEmpty());
}

// The repair on reading and the first write may copy the file aside within
// one millisecond; the write must not fail for it. Every name the next
// seconds could give is taken beforehand, so the clash is certain.
TEST(SettingsStoreFile, ACopyAsideInTheSameMillisecondDoesNotLoseTheWrite)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    writeFile(path, "[Settings]\nPrinterName=\"left open\nthis line is nonsense\nDebugFlag=7\n");
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (qint64 ms = 0; ms < 3000; ++ms)
        writeFile(path + u".bak-"_s + now.addMSecs(ms).toString(u"yyyyMMddHHmmsszzz"_s), "taken");

    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    EXPECT_TRUE(store.WriteValue(u"Settings"_s, u"DebugFlag"_s, u"8"_s));
    stores::SettingsStore reread;
    ASSERT_TRUE(reread.OpenStore(0, kApp));
    EXPECT_EQ(reread.ReadValue(u"Settings"_s, u"DebugFlag"_s, kAbsent), u"8"_s);
}

TEST(SettingsStoreFile, UnreadableFileGivesDefaultsAndIsNotOverwritten)
{
    TempStoreFolder folder;
    // A folder where the file belongs cannot be read, whoever runs the test.
    ASSERT_TRUE(QDir().mkpath(stores::storeFilePath(kApp, u"store0"_s)));

    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    EXPECT_EQ(store.ReadValue(u"S"_s, u"k"_s, kAbsent), kAbsent);
    EXPECT_FALSE(store.WriteValue(u"S"_s, u"k"_s, u"v"_s));
    ASSERT_TRUE(store.OpenStore(1, kApp));
    EXPECT_TRUE(store.WriteValue(u"S"_s, u"k"_s, u"v"_s));
}

// Found by fuzzing (tests/fuzz): QSettings ends a line at a carriage return
// alone too, so a write that takes such a line for part of another keeps it.
TEST(SettingsStoreFile, ALineACarriageReturnEndsIsALineOfItsOwn)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    writeFile(path, "[S]\r\nk=old\rother=kept\r\n");

    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    ASSERT_EQ(store.ReadValue(u"S"_s, u"other"_s, kAbsent), u"kept"_s);
    ASSERT_TRUE(store.WriteValue(u"S"_s, u"k"_s, u"new"_s));
    EXPECT_EQ(readFile(path), "[S]\r\nk=new\rother=kept\r\n");
    stores::SettingsStore reread;
    ASSERT_TRUE(reread.OpenStore(0, kApp));
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"k"_s, kAbsent), u"new"_s);
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"other"_s, kAbsent), u"kept"_s);
}

// Seen while fixing the test above: a comment ends at a carriage return
// alone, and a quote left open after it swallows the lines that follow, so
// that line goes.
TEST(SettingsStoreFile, AQuoteLeftOpenAfterACommentIsRemovedOnOpening)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    writeFile(path, "[S]\n; note\rbad=\"open\nk=1\n");

    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    EXPECT_EQ(store.ReadValue(u"S"_s, u"k"_s, kAbsent), u"1"_s);
    EXPECT_EQ(readFile(path), "[S]\n; note\rk=1\n");
    EXPECT_EQ(QDir(folder.path()).entryList({u"*.bak-*"_s}, QDir::Files).size(), 1);
}

// Found by fuzzing: QSettings takes "[S", "[ S ] ; note" and "[s]" where s
// is "general" in any case for the headers they name; the value written is
// the one read, wherever a later line of the same setting stands.
TEST(SettingsStoreFile, AWriteReadsBackWhateverTheHeadersLookLike)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    const QByteArray original = "top=1\n[S]\nk=1\n[T]\nj=2\n[S\nk=2\n[ S ] ; note\nk=3\n[GENERAL]\ntop=2\n"
                                "[%45scaped]\nk=4\n";
    writeFile(path, original);

    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    ASSERT_EQ(store.ReadValue(u"S"_s, u"k"_s, kAbsent), u"3"_s);
    ASSERT_EQ(store.ReadValue(QString(), u"top"_s, kAbsent), u"2"_s);
    ASSERT_EQ(store.ReadValue(u"Escaped"_s, u"k"_s, kAbsent), u"4"_s);
    ASSERT_TRUE(store.WriteValue(u"S"_s, u"k"_s, u"new"_s));
    ASSERT_TRUE(store.WriteValue(QString(), u"top"_s, u"new"_s));
    ASSERT_TRUE(store.WriteValue(u"Escaped"_s, u"k"_s, u"new"_s));

    stores::SettingsStore reread;
    ASSERT_TRUE(reread.OpenStore(0, kApp));
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"k"_s, kAbsent), u"new"_s);
    EXPECT_EQ(reread.ReadValue(QString(), u"top"_s, kAbsent), u"new"_s);
    EXPECT_EQ(reread.ReadValue(u"Escaped"_s, u"k"_s, kAbsent), u"new"_s);
    EXPECT_EQ(reread.ReadValue(u"T"_s, u"j"_s, kAbsent), u"2"_s);
    // The lines the headers name as typed are the ones changed.
    const QByteArray written = readFile(path);
    EXPECT_TRUE(written.startsWith("top=1\n[S]\nk=1\n[T]\nj=2\n[S\nk=2\n[ S ] ; note\nk=new\n[GENERAL]\ntop=new\n"))
        << written.constData();
}

// Found by fuzzing: QSettings reads a file again only once its size or its
// time to the millisecond has changed, so a value written over with one as
// long, at once, must still read as the new one. In memory, where there is a
// file system for it, writes are quick enough to fall in one millisecond.
TEST(SettingsStoreFile, AValueWrittenOverAtOnceWithOneAsLongReadsNew)
{
    struct TempInMemory
    {
        const QByteArray was = qgetenv("TMPDIR");
        TempInMemory()
        {
            if (QFileInfo(u"/dev/shm"_s).isDir() && QFileInfo(u"/dev/shm"_s).isWritable())
                qputenv("TMPDIR", "/dev/shm");
        }
        ~TempInMemory() { was.isNull() ? void(qunsetenv("TMPDIR")) : void(qputenv("TMPDIR", was)); }
    } inMemory;
    TempStoreFolder folder;
    stores::IniProgramSettings store;
    for (int i = 0; i < 50; ++i) {
        const QString value = QString::number(i % 10);
        ASSERT_TRUE(store.SaveSetting(kApp, u"S"_s, u"k"_s, value));
        EXPECT_EQ(store.GetSetting(kApp, u"S"_s, u"k"_s, kAbsent), value) << "write " << i;
    }
}

// Found by fuzzing: a backslash before a carriage return that ends the file
// escapes the line feed a write puts after it, and the line then swallows
// the next: it is removed on opening, as one that ends in a backslash is.
TEST(SettingsStoreFile, ABackslashBeforeAReturnThatEndsTheFileIsRemovedOnOpening)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    writeFile(path, "[S]\nj=1\nx=a\\\r");

    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    EXPECT_EQ(readFile(path), "[S]\nj=1\n");
    ASSERT_TRUE(store.WriteValue(u"S"_s, u"k"_s, u"v"_s));
    stores::SettingsStore reread;
    ASSERT_TRUE(reread.OpenStore(0, kApp));
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"k"_s, kAbsent), u"v"_s);
    EXPECT_EQ(reread.ReadValue(u"S"_s, u"j"_s, kAbsent), u"1"_s);
    EXPECT_EQ(QDir(folder.path()).entryList({u"*.bak-*"_s}, QDir::Files).size(), 1);
}

// Found by fuzzing: QSettings writes a section named "general" in any case
// as "[%General]" and reads it back as "General"; each reads back as itself.
TEST(ProgramSettingsFile, SectionsNamedGeneralInAnyCaseReadBackApart)
{
    TempStoreFolder folder;
    stores::IniProgramSettings store;
    const QStringList sections{u"general"_s, u"GENERAL"_s, u"GeneRal"_s, u"General"_s, u"%47eneral"_s, QString()};
    for (const QString &section : sections)
        ASSERT_TRUE(store.SaveSetting(kApp, section, u"k"_s, u"in "_s + section));
    folder.moveToFreshFolder();
    for (const QString &section : sections)
        EXPECT_EQ(store.GetSetting(kApp, section, u"k"_s, kAbsent), u"in "_s + section);
}

// A save that the disk takes only in part, as a full one does, keeps the old
// file whole and says that it failed.
TEST(SettingsStoreFile, ASaveThatCannotBeWrittenWholeKeepsTheOldFile)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    QByteArray original = "[Settings]\n";
    for (int i = 0; i < 40; ++i)
        original += "Key" + QByteArray::number(i) + "=value\n";
    writeFile(path, original);
    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    {
        const FileSizeLimit full(256);
        EXPECT_FALSE(store.WriteValue(u"Settings"_s, u"Key0"_s, u"changed"_s));
    }
    EXPECT_EQ(readFile(path), original);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(path).fileName()})
        << "nothing is left behind";
    EXPECT_TRUE(store.WriteValue(u"Settings"_s, u"Key0"_s, u"changed"_s)) << "once there is room again";
    EXPECT_EQ(store.ReadValue(u"Settings"_s, u"Key0"_s, kAbsent), u"changed"_s);
}

// A pipe at a store's place would hold its opening until someone writes into
// it: it is taken for a file that cannot be read, and stays. A link to a file
// kept with the user's dotfiles is read and written through.
TEST(SettingsStoreFile, APipeIsNotWaitedOnAndALinkToAFileIsFollowed)
{
    TempStoreFolder folder;
    const QString path = stores::storeFilePath(kApp, u"store0"_s);
    ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    stores::SettingsStore store;
    ASSERT_TRUE(store.OpenStore(0, kApp));
    EXPECT_EQ(store.ReadValue(u"S"_s, u"k"_s, kAbsent), kAbsent);
    EXPECT_FALSE(store.WriteValue(u"S"_s, u"k"_s, u"v"_s));
    struct stat info{};
    EXPECT_TRUE(::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISFIFO(info.st_mode));

    QTemporaryDir dotfiles;
    const QString kept = dotfiles.filePath(u"vorlane.ini"_s);
    writeFile(kept, "[S]\nk=kept\n");
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QFile::link(kept, path));
    ASSERT_TRUE(store.OpenStore(0, kApp));
    EXPECT_EQ(store.ReadValue(u"S"_s, u"k"_s, kAbsent), u"kept"_s);
    EXPECT_TRUE(store.WriteValue(u"S"_s, u"k"_s, u"new"_s));
    EXPECT_EQ(readFile(kept), "[S]\nk=new\n");
    EXPECT_TRUE(QFileInfo(path).isSymLink());
}

// In a folder that another user can change, a link at a store's place may
// have been put there to make us write elsewhere: it is not followed.
TEST(SettingsStoreFile, ALinkInAFolderOthersCanChangeIsNotFollowed)
{
    const auto mode = [](mode_t mode) {
        return [mode](const QString &path) { return ::chmod(QFile::encodeName(path).constData(), mode) == 0; };
    };
    QList<std::pair<const char *, std::function<bool(const QString &)>>> cases{
        {"writable by all", mode(0777)}, {"writable by all, sticky", mode(01777)}};
    if (::geteuid() == 0)
        cases.append({"another user's", [](const QString &path) {
                          return ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0;
                      }});
    QTemporaryDir elsewhere;
    const QString victim = elsewhere.filePath(u"victim.ini"_s);
    for (const auto &[what, makeForeign] : cases) {
        SCOPED_TRACE(what);
        TempStoreFolder folder;
        writeFile(victim, "[S]\nk=victim\n");
        ASSERT_TRUE(QFile::link(victim, stores::storeFilePath(kApp, u"store0"_s)));
        ASSERT_TRUE(makeForeign(folder.path()));

        stores::SettingsStore store;
        ASSERT_TRUE(store.OpenStore(0, kApp));
        EXPECT_EQ(store.ReadValue(u"S"_s, u"k"_s, kAbsent), kAbsent);
        EXPECT_FALSE(store.WriteValue(u"S"_s, u"k"_s, u"v"_s));
        EXPECT_EQ(readFile(victim), "[S]\nk=victim\n");
    }
}
