#include "platform/Process.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <signal.h>
#endif

namespace platform {

namespace {

#ifdef Q_OS_UNIX
// Caught, not ignored: a program started from this one (the help viewer, the mail program) gets
// the default action back when it is executed.
void OnFileSizeExceeded(int) {}
#endif

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
#ifdef Q_OS_UNIX
    struct sigaction action {};
    action.sa_handler = OnFileSizeExceeded;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGXFSZ, &action, nullptr);
#endif
    return std::make_unique<QApplication>(argc, argv);
}

}  // namespace platform
