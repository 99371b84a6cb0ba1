#include "windows/main/MainGlobals.h"

frmMain *gMainForm = nullptr;
std::unique_ptr<CWebBrowserHV> gWebBrowser;
QString gAppHelpFile;
