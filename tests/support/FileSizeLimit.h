#pragma once

#include <signal.h>
#include <sys/resource.h>

namespace testsupport {

// While it lives, files of this process may not grow beyond `bytes`: a write past it fails as on
// a full disk (SIGXFSZ is ignored, so the write itself reports the failure). No root needed.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &before_);
        previousHandler_ = signal(SIGXFSZ, SIG_IGN);
        const rlimit small{bytes, before_.rlim_max};
        applied_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &before_);
        signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    bool Applied() const { return applied_; }

  private:
    rlimit before_{};
    sighandler_t previousHandler_ = nullptr;
    bool applied_ = false;
};

}  // namespace testsupport
