#pragma once

class QWidget;

// When the session ends or the user stops the program from a terminal
// (SIGTERM, SIGINT, SIGHUP), the main window is closed as if by hand, so the
// history is saved. A close that fails keeps the window open, as always.
void closeOnShutdownSignals(QWidget *mainWindow);
