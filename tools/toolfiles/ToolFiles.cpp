// ToolFiles: how the build tools read their inputs and write their outputs.
#include "ToolFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vsm::tools {

namespace {

std::string Why() {
    return std::strerror(errno);
}

} // namespace

std::optional<std::vector<uint8_t>> ReadRegularFile(const std::string& path, std::string& error,
                                                    int64_t maxBytes) {
    // Opening a pipe for reading waits for a writer: open without waiting, then look at what
    // was opened.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot read " + path + ": " + Why();
        return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error = "cannot read " + path + ": " + Why();
        ::close(fd);
        return std::nullopt;
    }
    if (!S_ISREG(st.st_mode)) {
        error = path + " is not a regular file";
        ::close(fd);
        return std::nullopt;
    }
    if (st.st_size > maxBytes) {
        error = path + " is larger than " + std::to_string(maxBytes) + " bytes";
        ::close(fd);
        return std::nullopt;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    // Read one byte past the limit at most, so that a file that grows meanwhile is refused too.
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size) + 1);
    size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (static_cast<int64_t>(got) > maxBytes) break;
            bytes.resize(std::min<size_t>(got * 2, static_cast<size_t>(maxBytes) + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            error = "cannot read " + path + ": " + Why();
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    ::close(fd);
    if (static_cast<int64_t>(got) > maxBytes) {
        error = path + " is larger than " + std::to_string(maxBytes) + " bytes";
        return std::nullopt;
    }
    bytes.resize(got);
    return bytes;
}

bool WriteFileReplacing(const std::string& target, const std::vector<uint8_t>& bytes, std::string& error) {
    // mkstemp creates the name with O_EXCL: a file or a link planted under a guessed temporary
    // name is never opened, so the output cannot land anywhere but beside target.
    std::string temp = target + ".tmp-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        error = "cannot create a temporary file beside " + target + ": " + Why();
        return false;
    }
    auto fail = [&](const std::string& what) {
        error = what + ": " + Why();
        ::close(fd);
        ::unlink(temp.c_str());
        return false;
    };
    // mkstemp makes the file private; the output gets the usual permissions instead.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (::fchmod(fd, 0666 & ~mask) != 0) return fail("cannot set the permissions of " + temp);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return fail("cannot write " + temp);
        done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0) {
        error = "cannot write " + temp + ": " + Why();
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        error = "cannot move " + temp + " to " + target + ": " + Why();
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

} // namespace vsm::tools
