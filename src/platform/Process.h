#pragma once

#include <QApplication>
#include <memory>

namespace platform {

// The program's start: sets up the process, then makes its application; main() calls it before
// anything else. A write past the file-size limit then fails with its error (a save reports it)
// instead of ending the program. argc and argv must outlive the application.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);

}  // namespace platform
