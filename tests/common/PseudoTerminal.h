#pragma once
// A pseudo-terminal standing in for a receiver's serial port: the program opens the terminal
// side by its path (/dev/pts/N), the test writes the receiver's bytes into the master side.

#include <QCoreApplication>
#include <QString>

#include <gtest/gtest.h>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <iterator>
#include <string>

namespace testutil {

struct Pty {
    int master = -1;
    int slave = -1;
    QString path;
    Pty()
    {
        char name[256] = {};
        if (openpty(&master, &slave, name, nullptr, nullptr) == 0) {
            path = QString::fromLocal8Bit(name);
            termios raw{};
            tcgetattr(slave, &raw);
            cfmakeraw(&raw);
            tcsetattr(slave, TCSANOW, &raw);
        }
    }
    ~Pty()
    {
        if (master >= 0) close(master);
        if (slave >= 0) close(slave);
    }
    Pty(const Pty&) = delete;
    Pty& operator=(const Pty&) = delete;

    // Writes `bytes` in bursts of odd, changing sizes (so reads hold parts of one or several
    // sentences), letting the program's events run between bursts.
    void writeInBursts(const std::string& bytes) const
    {
        const std::size_t bursts[] = {1, 7, 13, 61, 3, 127, 29, 211, 5, 83};
        std::size_t sent = 0;
        for (std::size_t k = 0; sent < bytes.size(); ++k) {
            const std::size_t n = std::min(bursts[k % std::size(bursts)], bytes.size() - sent);
            EXPECT_EQ(write(master, bytes.data() + sent, n), static_cast<ssize_t>(n));
            sent += n;
            QCoreApplication::processEvents();
        }
    }
};

}  // namespace testutil
