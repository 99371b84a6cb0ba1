#pragma once

// The automation layer that the program's model works through: the
// collection of open browser windows, each browser, and the document model
// of its page. platform/chromium implements it over the DevTools protocol,
// and the tests have an in-memory double. Every call is synchronous, and
// every failure is an AutomationError. A bulk read can also be started and
// taken later, so that a window need not wait while the browser reads.

#include "platform/automation/AutomationError.h"
#include "platform/automation/TextTest.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <chrono>
#include <functional>
#include <memory>

namespace automation {

class Object
{
public:
    virtual ~Object() = default;
    // The name the object's type information reports ("IWebBrowser2" for a
    // live browser). Throws for an object that has gone.
    virtual QString typeName() const = 0;
};

class Element;
class ElementCollection;
class Document;
class Browser;
using ObjectPtr = std::shared_ptr<Object>;
using ElementPtr = std::shared_ptr<Element>;
using ElementCollectionPtr = std::shared_ptr<ElementCollection>;
using DocumentPtr = std::shared_ptr<Document>;
using BrowserPtr = std::shared_ptr<Browser>;

inline const QString kBrowserTypeName = QStringLiteral("IWebBrowser2");

// One member of one element, read as text; errorNumber 0 means it was read.
// A selected read leaves the members of an element it passed over unread.
struct MemberText
{
    QString text;
    qint32 errorNumber = 0;
    bool passedOver = false;
};

class Element : public Object
{
public:
    // Members are found by name without regard to case ("innerhtml" is
    // innerHTML); a member the element lacks is MemberNotFound.
    virtual QVariant get(const QString &member) = 0;
    virtual void put(const QString &member, const QVariant &value) = 0;
    virtual void invoke(const QString &method) = 0;
};

// A bulk read under way: the browser reads while the caller goes on.
class PendingRead
{
public:
    virtual ~PendingRead() = default;
    // Whether take() would answer without waiting, after waiting up to
    // `patience` for it.
    virtual bool ready(std::chrono::milliseconds patience) = 0;
    // What readMany would have returned, or its error; waits for it within
    // the deadline of each call. Once only.
    virtual QList<MemberText> take() = 0;
};
using PendingReadPtr = std::shared_ptr<PendingRead>;

enum class CollectionKind { All, Links, Images, Forms, Frames };

class ElementCollection : public Object
{
public:
    virtual qint32 length() = 0;
    // The element at that position. Outside the collection it is null, or an
    // element whose first use fails with ObjectNotSet: a backend need not
    // spend a round trip to tell.
    virtual ElementPtr item(qint32 index) = 0;
    // Members of the elements at positions, in one call, however scattered:
    // entry i * members.size() + j is member j of the element at
    // positions[i]. A position outside the collection gives ObjectNotSet for
    // its entries.
    virtual QList<MemberText> readMany(const QStringList &members, const QList<qint32> &positions) = 0;
    // readMany without waiting for it.
    virtual PendingReadPtr startReadMany(const QStringList &members, const QList<qint32> &positions) = 0;
    // The same for the elements first .. first+count-1.
    QList<MemberText> readMany(const QStringList &members, qint32 first, qint32 count);
    PendingReadPtr startReadMany(const QStringList &members, qint32 first, qint32 count);
    // startReadMany that may pass over the elements that failsATest() says
    // fail the tests; their entries come passedOver. A backend need not pass
    // over every such element, but passes over no other.
    virtual PendingReadPtr startReadSelected(const QStringList &members, const QList<qint32> &positions,
                                             const QList<TextTest> &tests) = 0;
    // startReadMany of the elements that the "uniqueID" members of an
    // earlier read named, in that order, wherever they stand now: a second
    // read of the same elements, however the page moved them meanwhile. An
    // element that left the page, or an unknown identity, gives ObjectNotSet.
    virtual PendingReadPtr startReadIdentified(const QStringList &members, const QStringList &uniqueIds) = 0;
};

// A read that was done before it was handed over: what a backend gives
// when it has nothing to wait for.
PendingReadPtr finishedRead(const std::function<QList<MemberText>()> &read);

// A document stays bound to the page it was read from: once the browser
// has navigated, every call on it or on what it handed out is
// PermissionDenied.
class Document : public Object
{
public:
    virtual ElementCollectionPtr collection(CollectionKind kind) = 0;
    // By identifier, else by name; null when neither matches.
    virtual ElementPtr getElementById(const QString &idOrName) = 0;
};

// What Browser::readyState() reports, in the order a page goes through them.
namespace ReadyState {
enum : qint32 { Uninitialized = 0, Loading = 1, Loaded = 2, Interactive = 3, Complete = 4 };
}

class Browser : public Object
{
public:
    virtual QString locationURL() = 0;
    virtual QString locationName() = 0;
    virtual qint32 hwnd() = 0;
    virtual qint32 readyState() = 0; // a ReadyState
    virtual bool busy() = 0;
    virtual DocumentPtr document() = 0;
    virtual QString statusText() = 0;
    // The message of the dialog the page has open, which blocks its calls
    // until the user answers it; empty when none is open.
    virtual QString dialogText() = 0;

    virtual qint32 left() = 0;
    virtual qint32 top() = 0;
    virtual qint32 width() = 0;
    virtual qint32 height() = 0;
    virtual void setLeft(qint32 value) = 0;
    virtual void setTop(qint32 value) = 0;
    virtual void setWidth(qint32 value) = 0;
    virtual void setHeight(qint32 value) = 0;

    virtual bool visible() = 0;
    virtual void setVisible(bool value) = 0;
    virtual qint32 toolBar() = 0;
    virtual void setToolBar(qint32 value) = 0;
    virtual bool addressBar() = 0;
    virtual void setAddressBar(bool value) = 0;
    virtual bool menuBar() = 0;
    virtual void setMenuBar(bool value) = 0;
    virtual bool statusBar() = 0;
    virtual void setStatusBar(bool value) = 0;

    virtual void stop() = 0;
    virtual void quit() = 0;
    virtual void goHome() = 0;
    virtual void navigate(const QString &url) = 0;

    // What the window system does with a window handle: restore it from
    // minimised, and bring it to the foreground.
    virtual void restoreWindow() = 0;
    virtual void bringToFront() = 0;
};

// The live collection of open browser windows, in a stable order.
class ShellWindows : public Object
{
public:
    virtual qint32 count() = 0;
    // Null when the index is outside the collection.
    virtual BrowserPtr item(qint32 index) = 0;
    // Opens a new browser window of our own.
    virtual BrowserPtr createBrowser() = 0;
};

// A value read, as the text the model compares and shows: booleans
// True/False, numbers in plain decimal, nothing as the empty text.
QString automationText(const QVariant &value);

} // namespace automation
