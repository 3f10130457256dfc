#pragma once
// A named pipe fed by a thread, standing in for a device or a pipe that a file dialog may hand a
// reader: it has no size, and it keeps sending until the reader stops. The feed is bounded (a
// byte count, and a wait for the reader to open its end), so a reader that does not stop makes
// the test fail rather than hang.

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cerrno>
#include <string>
#include <thread>

namespace testutil {

class FedPipe {
public:
    // Makes the pipe at `path` and sends `head`, then `filler` repeated, until `total` bytes were
    // sent or the reader closed its end. The reader must open `path` for reading within ten
    // seconds.
    FedPipe(const std::string& path, std::string head, std::string filler, std::size_t total)
        : made_(mkfifo(path.c_str(), 0600) == 0)
    {
        if (!made_) return;
        writer_ = std::thread([this, path, head = std::move(head), filler = std::move(filler), total] {
            // The reader closes its end early: a write then fails (EPIPE) instead of raising SIGPIPE.
            sigset_t pipeSignal;
            sigemptyset(&pipeSignal);
            sigaddset(&pipeSignal, SIGPIPE);
            pthread_sigmask(SIG_BLOCK, &pipeSignal, nullptr);
            const int fd = OpenForWriting(path);
            if (fd < 0) return;
            std::string block = head;
            while (!filler.empty() && block.size() < 64 * 1024) block += filler;
            std::string_view pending(block);
            while (sent_ < total) {
                if (pending.empty()) pending = std::string_view(block).substr(head.size());
                if (pending.empty()) break;
                const std::size_t piece = std::min(pending.size(), total - sent_);
                const ssize_t n = ::write(fd, pending.data(), piece);
                if (n <= 0) break;
                sent_ += static_cast<std::size_t>(n);
                pending.remove_prefix(static_cast<std::size_t>(n));
            }
            close(fd);
        });
    }
    ~FedPipe()
    {
        if (writer_.joinable()) writer_.join();
    }
    FedPipe(const FedPipe&) = delete;
    FedPipe& operator=(const FedPipe&) = delete;

    bool made() const { return made_; }
    // Waits for the feed to end and gives how many bytes the reader was sent.
    std::size_t finish()
    {
        if (writer_.joinable()) writer_.join();
        return sent_;
    }

private:
    // Opening for writing fails (ENXIO) until a reader has opened the pipe: tried for ten seconds.
    static int OpenForWriting(const std::string& path)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < until) {
            const int fd = open(path.c_str(), O_WRONLY | O_NONBLOCK);
            if (fd >= 0) {
                fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
                return fd;
            }
            if (errno != ENXIO) return -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return -1;
    }

    bool made_ = false;
    std::size_t sent_ = 0;
    std::thread writer_;
};

}  // namespace testutil
