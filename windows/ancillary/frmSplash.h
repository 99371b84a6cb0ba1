#pragma once

#include <QWidget>

class QFrame;
class QLabel;

namespace ancillary {

// The program's identity while start-up loads; start-up shows it and
// closes it. It takes neither focus, clicks nor keys.
class frmSplash : public QWidget
{
    Q_OBJECT

public:
    explicit frmSplash(QWidget *parent = nullptr);

    QFrame *fraMainFrame;
    QLabel *imgLogo;
    QLabel *lblCompanyProduct;
    QLabel *lblProductName;
    QLabel *lblPlatform;
    QLabel *lblVersion;
    QLabel *lblWarning;
};

} // namespace ancillary
