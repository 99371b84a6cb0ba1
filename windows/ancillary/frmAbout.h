#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace ancillary {

// The program's name, version and rights notice, with a way to the system
// information tool. The browser list opens it modally over itself.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget *parent = nullptr);

    QLabel *imgIcon;
    QLabel *lblProductName;
    QLabel *lblCompanyProduct;
    QLabel *lblVersion;
    QLabel *lblDescription;
    QFrame *Line1;
    QLabel *lblDisclaimer;
    QPushButton *cmdOK;
    QPushButton *cmdSysInfo;
};

} // namespace ancillary
