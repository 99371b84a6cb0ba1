#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

namespace automation {

// A test of the text of one member that a backend can make of every element
// in the page itself, so that a bulk read may pass over the elements that
// cannot be wanted.
struct TextTest
{
    enum class Kind {
        Listed,   // the text is one of texts
        Unlisted, // the text is none of texts
        Contains, // the text is not empty, at most longest long when that is above 0, and holds each of texts
    };
    QString member;
    Kind kind = Kind::Listed;
    QStringList texts;
    qint32 longest = 0;
    // Made only where the tests before it passed, as its caller reads the
    // member, so that a failure to read it counts only there.
    bool afterPassing = false;

    bool passes(const QString &text) const;
};

// Whether an element may be passed over: whether it fails a test, `get`
// reading its members. A member it lacks (MemberNotFound) reads as the empty
// text, and a value that is no text passes. An element with a member whose
// read fails otherwise is never passed over: a read of it is what tells the
// failure.
bool failsATest(const QList<TextTest> &tests, const std::function<QVariant(const QString &member)> &get);

} // namespace automation
