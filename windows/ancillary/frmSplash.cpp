#include "windows/ancillary/frmSplash.h"

#include "platform/stores/ApplicationTitle.h"
#include "windows/ancillary/JapaneseFonts.h"
#include "windows/ancillary/ProgramIdentity.h"
#include "windows/ancillary/ProgramLogo.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace ancillary {

using namespace Qt::StringLiterals;

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)
    , fraMainFrame(new QFrame(this))
    , imgLogo(new QLabel(fraMainFrame))
    , lblCompanyProduct(new QLabel(kCompanyName, fraMainFrame))
    , lblProductName(new QLabel(kApplicationTitle, fraMainFrame))
    , lblPlatform(new QLabel(u"for Windows 2000/XP"_s, fraMainFrame))
    , lblVersion(new QLabel(VersionText(u"Version "_s), fraMainFrame))
    , lblWarning(new QLabel(kCopyingWarning, fraMainFrame))
{
    setFont(QFont(kProportionalGothic, 9));
    setAutoFillBackground(true);

    fraMainFrame->setFrameStyle(QFrame::Box | QFrame::Raised);
    fraMainFrame->setLineWidth(2);
    imgLogo->setPixmap(ProgramLogo());
    imgLogo->setFixedSize(kLogoSize, kLogoSize);

    lblProductName->setFont(QFont(kProportionalGothic, 30, QFont::Bold));
    lblCompanyProduct->setFont(QFont(kProportionalGothic, 12, QFont::Bold));
    lblPlatform->setFont(QFont(kProportionalGothic, 12));
    lblVersion->setFont(QFont(kProportionalGothic, 10));
    for (QLabel *right : {lblPlatform, lblVersion})
        right->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblWarning->setWordWrap(true);

    auto *grid = new QGridLayout(fraMainFrame);
    grid->setContentsMargins(24, 20, 24, 18);
    grid->setHorizontalSpacing(24);
    grid->addWidget(imgLogo, 0, 0, 4, 1, Qt::AlignTop);
    grid->addWidget(lblCompanyProduct, 0, 1);
    grid->addWidget(lblProductName, 1, 1);
    grid->addWidget(lblPlatform, 2, 1);
    grid->addWidget(lblVersion, 3, 1);
    grid->setRowMinimumHeight(4, 12);
    grid->addWidget(lblWarning, 5, 0, 1, 2);

    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(fraMainFrame);

    setFixedSize(480, 300);
    move(screen()->availableGeometry().center() - rect().center());
}

} // namespace ancillary
