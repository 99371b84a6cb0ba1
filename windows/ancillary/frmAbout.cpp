#include "windows/ancillary/frmAbout.h"

#include "platform/stores/ApplicationTitle.h"
#include "windows/ancillary/JapaneseFonts.h"
#include "windows/ancillary/ProgramIdentity.h"
#include "windows/ancillary/ProgramLogo.h"
#include "windows/ancillary/SystemInformation.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace ancillary {

using namespace Qt::StringLiterals;

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
    , imgIcon(new QLabel(this))
    , lblProductName(new QLabel(kApplicationTitle, this))
    , lblCompanyProduct(new QLabel(kCompanyName, this))
    , lblVersion(new QLabel(VersionText(u"ﾊﾞｰｼﾞｮﾝ "_s), this))
    , lblDescription(new QLabel(u"Weｂページの内部情報を表示します。"_s, this))
    , Line1(new QFrame(this))
    , lblDisclaimer(new QLabel(kCopyingWarning, this))
    , cmdOK(new QPushButton(u"OK"_s, this))
    , cmdSysInfo(new QPushButton(u"ｼｽﾃﾑ情報(&S)..."_s, this))
{
    setWindowTitle(u"ﾊﾞｰｼﾞｮﾝ情報 "_s % kApplicationTitle);
    setFont(QFont(kProportionalGothic, 9));

    imgIcon->setPixmap(ProgramLogo());
    imgIcon->setFixedSize(kLogoSize, kLogoSize);
    lblProductName->setFont(QFont(kProportionalGothic, 16, QFont::Bold));
    Line1->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    // Esc rejects the dialog, which closes it just as OK does.
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdSysInfo, &QPushButton::clicked, this, [] { StartSysInfo(); });

    auto *texts = new QVBoxLayout;
    texts->setSpacing(6);
    for (QLabel *label : {lblProductName, lblCompanyProduct, lblVersion, lblDescription})
        texts->addWidget(label);
    texts->addStretch();

    for (QPushButton *button : {cmdOK, cmdSysInfo})
        button->setMinimumWidth(120);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdSysInfo);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(16, 16, 16, 16);
    grid->setHorizontalSpacing(18);
    grid->setVerticalSpacing(12);
    grid->addWidget(imgIcon, 0, 0, Qt::AlignTop);
    grid->addLayout(texts, 0, 1, 1, 2);
    grid->addWidget(Line1, 1, 0, 1, 3);
    grid->addWidget(lblDisclaimer, 2, 0, 1, 2);
    grid->addLayout(buttons, 2, 2);
    grid->setColumnStretch(1, 1);

    setFixedSize(500, 300);
}

} // namespace ancillary
