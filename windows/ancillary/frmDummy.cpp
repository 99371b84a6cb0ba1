#include "windows/ancillary/frmDummy.h"

#include "windows/ancillary/CommonDialogFilter.h"
#include "windows/ancillary/JapaneseFonts.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QVBoxLayout>

namespace ancillary {

using namespace Qt::StringLiterals;

frmDummy::frmDummy(QWidget *parent)
    : QDialog(parent)
    , Label1(new QLabel(u"コモンダイアログを任意の位置に表示させる為のダミーフォーム"_s, this))
{
    setWindowTitle(u"ダミー"_s);
    setFont(QFont(kProportionalGothic, 9));
    Label1->setWordWrap(true);
    setMinimumWidth(380);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
}

void frmDummy::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // Once the caller's modal loop runs, so that hiding ends it.
    QMetaObject::invokeMethod(this, &frmDummy::ShowTaggedDialog, Qt::QueuedConnection);
}

void frmDummy::ShowTaggedDialog()
{
    if (Tag == u"ShowSave"_s)
        ShowSave();
    else if (Tag == u"ShowLoad"_s)
        ShowLoad();
    else
        ShowColor();
}

void frmDummy::ShowColor()
{
    const QColor chosen = QColorDialog::getColor(mColor, this);
    if (chosen.isValid())
        mColor = chosen;
    Finish(chosen.isValid());
}

void frmDummy::ShowSave()
{
    ShowFileDialog(&QFileDialog::getSaveFileName);
}

void frmDummy::ShowLoad()
{
    ShowFileDialog(&QFileDialog::getOpenFileName);
}

void frmDummy::ShowFileDialog(FileQuestion vAsk)
{
    const QString chosen = vAsk(this, {}, mFileName, NameFiltersFromCommonDialog(mFilter).join(u";;"_s), nullptr, {});
    if (!chosen.isEmpty())
        mFileName = chosen;
    Finish(!chosen.isEmpty());
}

void frmDummy::Finish(bool vConfirmed)
{
    done(vConfirmed ? Accepted : Rejected);
}

} // namespace ancillary
