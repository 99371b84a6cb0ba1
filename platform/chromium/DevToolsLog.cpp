#include "platform/chromium/DevToolsLog.h"

Q_LOGGING_CATEGORY(lcDevTools, "vorlane.devtools", QtInfoMsg)
