#pragma once
// The Qt application, made under the program name alone, and its start guard.

class QApplication;

// Makes the QApplication. When no platform can start (no display can be opened) Qt would abort:
// the process instead prints one line naming the display on standard error and ends with exit
// status 1, before anything else is made. Qt's other messages of the start wait until it has
// succeeded, so that a failure prints the one line alone.
QApplication* CreateQtApplication();
