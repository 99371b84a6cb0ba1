#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Answers the next modal dialog of type Dialog as soon as it opens, from
// inside its own event loop. A dialog the answer failed to close is
// cancelled after a while, so that the test fails instead of hanging.
template<typename Dialog>
void AnswerWhenOpen(std::function<void(Dialog &)> answer)
{
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(*dialog);
            QTimer::singleShot(5000, dialog, [dialog] { static_cast<QDialog *>(dialog)->reject(); });
        }
    });
    poll->start(10);
}
