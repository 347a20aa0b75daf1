#pragma once

class QApplication;

// Builds the real services and the clock window, runs the load step and the
// event loop. Returns the process exit code.
int runTavenel(QApplication& app);
