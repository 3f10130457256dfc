#include "NmeaSerialReader.h"

namespace gps {

NmeaSerialReader::NmeaSerialReader(QObject* parent) : QObject(parent)
{
    connect(&port_, &QSerialPort::readyRead, this, &NmeaSerialReader::readAvailable);
    connect(&port_, &QSerialPort::errorOccurred, this, &NmeaSerialReader::handleError);
}

NmeaSerialReader::~NmeaSerialReader()
{
    port_.disconnect(this);
    port_.close();
}

bool NmeaSerialReader::open(const QString& path, int baud)
{
    close();
    errorText_.clear();
    path_ = path;
    port_.setPortName(path);
    if (path.isEmpty() || baud <= 0) {
        fail(QStringLiteral("GPS受信機のポートが設定されていません。"));
        return false;
    }
    if (!port_.open(QIODevice::ReadOnly)) {
        fail(QStringLiteral("ポートを開けません。\n%1\n%2").arg(path, port_.errorString()));
        return false;
    }
    if (!port_.setBaudRate(baud) || !port_.setDataBits(QSerialPort::Data8) || !port_.setParity(QSerialPort::NoParity) ||
        !port_.setStopBits(QSerialPort::OneStop) || !port_.setFlowControl(QSerialPort::NoFlowControl)) {
        const QString why = port_.errorString();
        close();
        fail(QStringLiteral("ポートの通信設定ができません。\n%1\n%2").arg(path, why));
        return false;
    }
    return true;
}

void NmeaSerialReader::close()
{
    if (port_.isOpen()) {
        port_.close();
    }
    decoder_.reset();
}

void NmeaSerialReader::readAvailable()
{
    const QByteArray bytes = port_.readAll();
    decoder_.feed(bytes.constData(), static_cast<std::size_t>(bytes.size()),
                  [this](const NmeaSentence& sentence) { emit sentenceReceived(sentence); });
}

void NmeaSerialReader::handleError(QSerialPort::SerialPortError error)
{
    // Errors while opening are reported by open(). A device lost while open (unplugged, or the
    // other end of a terminal closed) shows as a resource or read error, which would repeat for
    // every read: the reading ends.
    if ((error == QSerialPort::ResourceError || error == QSerialPort::ReadError) && port_.isOpen()) {
        const QString why = port_.errorString();
        close();
        fail(QStringLiteral("GPS受信機のポートが使えなくなりました。\n%1\n%2").arg(path_, why));
    }
}

void NmeaSerialReader::fail(const QString& message)
{
    errorText_ = message;
    emit portFailed(message);
}

}  // namespace gps
