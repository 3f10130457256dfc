#pragma once
// A pseudo-terminal standing in for a receiver's serial port: the code under test opens the
// terminal side by its path, the test writes the receiver's bytes into the master side.

#include <QString>

#include <pty.h>
#include <termios.h>
#include <unistd.h>

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
};

}  // namespace testutil
