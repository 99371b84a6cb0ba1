#pragma once

#include "browser/CWebBrowserHV.h"

#include <QString>

#include <memory>

class frmMain;

// The one main window, from start-up until it is unloaded.
extern frmMain *gMainForm;

// The one gateway to the browsers. The main window creates it at the end of
// its load and releases it when asked to close; no window uses it after that.
extern std::unique_ptr<CWebBrowserHV> gWebBrowser;

// The help file that the help commands open, set by start-up: the program's
// folder and the help file name, whether or not the file exists.
extern QString gAppHelpFile;
