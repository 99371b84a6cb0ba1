#pragma once

#include <QLoggingCategory>

// The protocol traffic; off unless QT_LOGGING_RULES turns on "vorlane.devtools.debug".
Q_DECLARE_LOGGING_CATEGORY(lcDevTools)
