// WatchedPipe: a named pipe left where the game reads a file, and a watcher that tells whether
// the game opened it.
#pragma once

#include <atomic>
#include <string>
#include <thread>

namespace vsm::test {

// Makes a named pipe at path (the folder must exist). A watcher notes whether anything opens it
// for reading, and then lets that reader go on at once with an empty read, so that a game that
// still waits on pipes fails its test instead of hanging it.
class WatchedPipe {
  public:
    explicit WatchedPipe(std::string path);
    ~WatchedPipe();
    WatchedPipe(const WatchedPipe&) = delete;
    WatchedPipe& operator=(const WatchedPipe&) = delete;
    // True once something opened the pipe for reading.
    bool Opened() const { return opened; }

  private:
    std::string path;
    std::atomic<bool> opened{false};
    std::atomic<bool> stop{false};
    std::thread watcher;
};

} // namespace vsm::test
