// WatchedPipe: a named pipe left where the game reads a file, and a watcher that tells whether
// the game opened it.
#include "support/WatchedPipe.h"

#include <chrono>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vsm::test {

WatchedPipe::WatchedPipe(std::string where) : path(std::move(where)) {
    if (::mkfifo(path.c_str(), 0600) != 0) throw std::runtime_error("cannot make the pipe " + path);
    watcher = std::thread([this] {
        while (!stop) {
            // Opening the writing end without waiting succeeds only while a reader holds the pipe
            // open; closing it at once ends that reader's read. A regular file is always there to
            // open it, or whatever took its name since.
            const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd >= 0) {
                struct stat st {};
                if (::fstat(fd, &st) == 0 && S_ISFIFO(st.st_mode)) opened = true;
                ::close(fd);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
}

WatchedPipe::~WatchedPipe() {
    stop = true;
    watcher.join();
}

} // namespace vsm::test
