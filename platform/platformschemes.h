#pragma once

// Registers the URL schemes of the platform controls. Must run before the
// QApplication is created.
void registerPlatformSchemes();
