#pragma once

#include <QIcon>
#include <QString>

// The tool bar's images by key, "Properties" and "Help"; a null icon for
// any other key. Drawn on first use, which needs a QGuiApplication.
QIcon ToolbarIcon(const QString &key);
