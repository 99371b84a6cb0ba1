// What vorlane-cli writes, checked without a browser: JSON rows, messages,
// progress and output failures.
#include "app/cli/CliCommand.h"
#include "tests/support/QtPrinting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;
using automation::AutomationError;

namespace {

QString written(QTemporaryFile &file)
{
    QFile again(file.fileName());
    again.open(QIODevice::ReadOnly);
    return QString::fromUtf8(again.readAll());
}

QJsonValue asQt(const JsonValue &value)
{
    if (const qint64 *number = std::get_if<qint64>(&value))
        return *number;
    if (const QString *text = std::get_if<QString>(&value))
        return *text;
    if (const QList<qint64> *numbers = std::get_if<QList<qint64>>(&value)) {
        QJsonArray array;
        for (const qint64 n : *numbers)
            array.append(n);
        return array;
    }
    return QJsonValue::Null;
}

} // namespace

TEST(CliJson, RowsAreLaidOutAsQtWouldWithTheirKeysInOrder)
{
    // Keys already in Qt's sorted order: the text must be Qt's to the byte.
    const JsonFields first{{u"a"_s, qint64(1)}, {u"b"_s, QList<qint64>{}}, {u"c"_s, QList<qint64>{2, 3}},
                           {u"d"_s, u"\"tab\t\\ é \u0001"_s}, {u"e"_s, nullptr}};
    const JsonFields second{{u"a"_s, qint64(-2)}, {u"b"_s, QList<qint64>{4}}};
    QJsonArray expected;
    for (const JsonFields &fields : {first, second}) {
        QJsonObject object;
        for (const auto &[key, value] : fields)
            object.insert(key, asQt(value));
        expected.append(object);
    }
    for (const RowFormat format : {RowFormat::Json, RowFormat::JsonLines}) {
        QTemporaryFile file;
        file.open();
        {
            CliStdout out(file.handle());
            JsonRows rows(out, format);
            rows.append(first);
            rows.append(second);
            rows.finish();
            out.flush();
        }
        if (format == RowFormat::Json) {
            EXPECT_EQ(written(file), QString::fromUtf8(QJsonDocument(expected).toJson(QJsonDocument::Indented)));
        } else {
            QString lines;
            for (const QJsonValue &row : expected)
                lines += QString::fromUtf8(QJsonDocument(row.toObject()).toJson(QJsonDocument::Compact)) + u'\n';
            EXPECT_EQ(written(file), lines);
        }
    }
    EXPECT_EQ(JsonLine({{u"z"_s, qint64(1)}, {u"a"_s, qint64(2)}}), u"{\"z\":1,\"a\":2}"_s);

    QTemporaryFile empty;
    empty.open();
    {
        CliStdout out(empty.handle());
        JsonRows(out, RowFormat::Json).finish();
        out.flush();
    }
    EXPECT_EQ(written(empty), QString::fromUtf8(QJsonDocument(QJsonArray()).toJson(QJsonDocument::Indented)));
}

TEST(CliJson, TextsAreEscapedAsQtEscapesThemWhateverTheirUnits)
{
    // Every kind of unit: controls, quotes, ASCII, two- and three-byte
    // characters, pairs and lone halves of surrogates, long enough to cross
    // the writer's blocks, a pair among them split by a block's end.
    const QList<char16_t> kinds{0x00, 0x01, 0x08, 0x09, 0x0a, 0x0c, 0x0d, 0x1f, u'"', u'\\', u'/', u'a', 0x7f,
                                0x80, 0xe9, 0x7ff, 0x800, 0x65e5, 0xff71, 0xfffd, 0xffff, 0xd83d, 0xde00, 0xdbff,
                                0xdc00};
    QRandomGenerator random(7);
    for (int round = 0; round < 200; ++round) {
        QString text;
        const qsizetype length = round < 100 ? random.bounded(40) : 4090 + random.bounded(20);
        for (qsizetype i = 0; i < length; ++i)
            text += QChar(kinds[random.bounded(qsizetype(kinds.size()))]);
        if (round % 2)
            text.insert(qMin(qsizetype(4095), text.size()), u"\U0001F600"_s);
        QByteArray ours;
        AppendJsonString(ours, text);
        const QByteArray qt = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        ASSERT_EQ(ours, qt.mid(1, qt.size() - 2)) << round;
    }
}

TEST(CliErrors, MessagesAreEnglishWithTheNumberAtTheEnd)
{
    EXPECT_EQ(CliErrorText(AutomationError::serverUnavailable(u"x"_s)),
              u"the tab or the browser has gone (error 462)"_s);
    EXPECT_EQ(CliErrorText(AutomationError::permissionDenied(u"x"_s)),
              u"the page has navigated since it was read (error 70)"_s);
    EXPECT_EQ(CliErrorText(AutomationError::memberNotFound(u"x"_s, u"Checked"_s)),
              u"the element has no member Checked (error 438)"_s);
    // The backend's own English details are kept, the Japanese description is not.
    EXPECT_EQ(CliErrorText(AutomationError::automationFailure(u"x"_s, u"a dialog is open in the page"_s)),
              u"a dialog is open in the page (error 440)"_s);
    EXPECT_EQ(CliErrorText(AutomationError::serverUnavailable(u"x"_s, u"the tab has closed"_s)),
              u"the tab has closed (error 462)"_s);
    EXPECT_EQ(CliErrorText(AutomationError::AutomationFailure),
              u"the browser call failed or ran past its deadline (error 440)"_s);
}

TEST(CliProgress, ShownOnATerminalAfterAMomentAndNeverElsewhere)
{
    using std::chrono::milliseconds;
    for (const bool terminal : {true, false}) {
        QTemporaryFile file;
        file.open();
        CliStderr err(file.handle(), terminal);
        {
            CliProgress progress(err, milliseconds(1000), false);
            progress.set(u"reading elements"_s, 0, 40);
            progress.tick(progress.started() + milliseconds(900));
            EXPECT_EQ(written(file), QString());
            progress.advance(20);
            progress.tick(progress.started() + milliseconds(1100));
            EXPECT_EQ(written(file), terminal ? u"\r\033[Kvorlane-cli: reading elements 20/40…"_s : QString());
            // A message takes the progress line's place.
            err.message(u"item 3: value could not be read"_s);
        }
        EXPECT_EQ(written(file), terminal ? u"\r\033[Kvorlane-cli: reading elements 20/40…\r\033[K"
                                            u"vorlane-cli: item 3: value could not be read\n"_s
                                          : u"vorlane-cli: item 3: value could not be read\n"_s);
    }
}

TEST(CliStdout, AFailedWriteThrowsWithItsReason)
{
    const int full = ::open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    CliStdout out(full);
    out << u"1\tline\n"_s;
    try {
        out.flush();
        ADD_FAILURE() << "a write to /dev/full succeeded";
    } catch (const CliWriteError &e) {
        EXPECT_STREQ(e.what(), "No space left on device");
    }
    ::close(full);
}
