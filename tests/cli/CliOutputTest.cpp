// What vorlane-cli writes, checked without a browser: JSON rows, messages,
// progress and output failures.
#include "app/cli/CliCommand.h"
#include "tests/support/QtPrinting.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
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

} // namespace

TEST(CliJson, RowsAreLaidOutAsQtWouldWithTheirKeysInOrder)
{
    // Keys already in Qt's sorted order: the text must be Qt's to the byte.
    const JsonFields first{{u"a"_s, 1}, {u"b"_s, QJsonArray{}}, {u"c"_s, QJsonArray{2, 3}},
                           {u"d"_s, u"\"tab\t\\ é \u0001"_s}, {u"e"_s, QJsonValue()}};
    const JsonFields second{{u"a"_s, -2}, {u"b"_s, QJsonArray{QJsonArray{4}}}};
    QJsonArray expected;
    for (const JsonFields &fields : {first, second}) {
        QJsonObject object;
        for (const auto &[key, value] : fields)
            object.insert(key, value);
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
    EXPECT_EQ(JsonLine({{u"z"_s, 1}, {u"a"_s, 2}}), u"{\"z\":1,\"a\":2}"_s);

    QTemporaryFile empty;
    empty.open();
    {
        CliStdout out(empty.handle());
        JsonRows(out, RowFormat::Json).finish();
        out.flush();
    }
    EXPECT_EQ(written(empty), QString::fromUtf8(QJsonDocument(QJsonArray()).toJson(QJsonDocument::Indented)));
}

TEST(CliErrors, MessagesAreEnglishWithTheNumberAtTheEnd)
{
    EXPECT_EQ(CliErrorText(AutomationError::serverUnavailable(u"x"_s)),
              u"the tab or the browser has gone (error 462)"_s);
    EXPECT_EQ(CliErrorText(AutomationError::permissionDenied(u"x"_s)),
              u"the page has navigated since it was read (error 70)"_s);
    EXPECT_EQ(CliErrorText(AutomationError::memberNotFound(u"x"_s, u"Checked"_s)),
              u"the element has no member Checked (error 438)"_s);
    // The backend's own English details are kept, its Japanese marker is not.
    EXPECT_EQ(CliErrorText(AutomationError::automationFailure(u"x"_s, u"a dialog is open in the page"_s)),
              u"a dialog is open in the page (error 440)"_s);
    EXPECT_EQ(CliErrorText(AutomationError(AutomationError::ServerUnavailable, u"x"_s, u"the tab has closed"_s)),
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
