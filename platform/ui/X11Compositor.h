#pragma once

namespace ui {

// Whether a compositing manager runs on the X11 display of the application;
// false when the application does not run on X11.
bool isX11CompositorRunning();

} // namespace ui
