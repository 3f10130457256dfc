#pragma once
// How much this process has read: for checking that a reader refuses a wrong file after a
// bounded read, in tests and benchmarks.

#include <QByteArray>
#include <QFile>

namespace testutil {

// Bytes this process has read so far through read calls (the kernel's rchar), -1 when unknown.
inline long long BytesReadByThisProcess()
{
    QFile io(QStringLiteral("/proc/self/io"));
    if (!io.open(QIODevice::ReadOnly)) return -1;
    const QByteArray text = io.readAll();
    const qsizetype at = text.indexOf("rchar:");
    return at < 0 ? -1 : text.mid(at + 6, text.indexOf('\n', at) - at - 6).trimmed().toLongLong();
}

}  // namespace testutil
