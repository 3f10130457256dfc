#pragma once
// Reads NMEA sentences from a serial port: opens the device by its path at a speed (8 data bits,
// no parity, 1 stop bit, no flow control), feeds every read through an NmeaDecoder and emits
// each sentence with a right checksum once, in arrival order. Qt Core and Qt Serial Port only.

#include <QObject>
#include <QSerialPort>
#include <QString>

#include "gps/NmeaSentences.h"

namespace gps {

class NmeaSerialReader : public QObject {
    Q_OBJECT
public:
    explicit NmeaSerialReader(QObject* parent = nullptr);
    ~NmeaSerialReader() override;

    // Opens `path` (such as "/dev/ttyUSB0") at `baud`, closing a port opened before. False, with
    // the reason in errorText() and portFailed emitted, when it cannot be opened.
    bool open(const QString& path, int baud);
    // Closes the port (nothing when it is closed) and forgets a partial line.
    void close();
    bool isOpen() const { return port_.isOpen(); }
    QString errorText() const { return errorText_; }
    QString portPath() const { return path_; }

signals:
    void sentenceReceived(const gps::NmeaSentence& sentence);
    // The port could not be opened, or failed while open (the device went away); it is closed.
    void portFailed(const QString& message);

private:
    void readAvailable();
    void handleError(QSerialPort::SerialPortError error);
    void fail(const QString& message);

    QSerialPort port_;
    NmeaDecoder decoder_;
    QString errorText_;
    QString path_;  // the device as opened
};

}  // namespace gps

Q_DECLARE_METATYPE(gps::NmeaSentence)
