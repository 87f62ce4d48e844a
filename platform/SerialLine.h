#pragma once
// A serial port as the radio, keyer and TNC windows use one: port number or device path, a settings
// string ("9600,N,8,2"), handshaking, the RTS and DTR lines, open and close, output, and polled input.
// It runs on QSerialPort (in the ports module, PortDevices.h); the port number goes through the port map (platform().ports) and the lines
// through the key lines (platform().keyLines). Tests put a pseudo-terminal at the other end
// (testing::PseudoTerminal) and read the lines from the key lines' record.
#include "platform/KeyLines.h"
#include "platform/VbError.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

namespace tylog {

class SerialDevice;

// A settings string taken apart: baud rate, parity letter (N, O, E, M, S), data bits (5 to 8) and stop
// bits (1, 1.5 or 2, as 10, 15, 20 tenths).
struct SerialSettings {
    int baud = 9600;
    char parity = 'N';
    int dataBits = 8;
    int stopBitsTenths = 10;
};
// False when the text is no "baud,parity,data,stop" with values as above.
bool ParseSerialSettings(const QString& text, SerialSettings* out);

class SerialLine {
public:
    // Error numbers of the VbErrors thrown here.
    enum ErrorNumber {
        InvalidSetting = 380, // a settings string or handshaking value the port cannot take
        InvalidPort = 8002,   // no such port number or device
        PortInUse = 8005,     // the device is taken (or not ours to open), or the number is changed while open
        PortNotOpen = 8018,   // input, output or a line on a closed port
    };
    enum Handshake { NoHandshaking = 0, XOnXOff = 1, RTSHandshaking = 2, RTSXOnXOff = 3 };

    SerialLine();
    ~SerialLine();
    SerialLine(const SerialLine&) = delete;
    SerialLine& operator=(const SerialLine&) = delete;

    // The port that opens: a number (1 to 10, through the port map) or a device path; the one set last
    // counts. Both throw PortInUse while the port is open; a number outside 1 to 10 throws InvalidPort.
    int CommPort() const { return commPort_; }
    void setCommPort(int port);
    void setPortPath(const QString& path);
    // "COM3" for a port given by number, else the path.
    QString PortName() const;

    // Takes effect at once on an open port. A malformed string throws InvalidSetting; so does a rate
    // the open device refuses.
    QString Settings() const { return settings_; }
    void setSettings(const QString& settings);
    int Handshaking() const { return handshaking_; }
    void setHandshaking(int mode); // Handshake; other values throw InvalidSetting

    // What RTS and DTR are for. Keying lines (the default: a CW key, push-to-talk) must be switchable:
    // a device without modem lines refuses them at Open. Power lines (a radio's or TNC's interface
    // powered from the port) are a convenience: on such a device switching one on is a warning under
    // tylog.platform and the port opens and works.
    enum class LineUse { Keying, Power };
    void setLineUse(LineUse use) { lineUse_ = use; }
    LineUse lineUse() const { return lineUse_; }
    // The lines follow these at open and at once while open (through platform().keyLines); on a
    // closed port the value is only kept, and raised again at the next Open.
    bool RTSEnable() const { return rts_; }
    void setRTSEnable(bool on);
    bool DTREnable() const { return dtr_; }
    void setDTREnable(bool on);

    // Opens with the settings, handshaking and lines set, and HUPCL, so the kernel drops RTS and DTR
    // when the descriptor closes, however the process ends. Throws InvalidPort (no such device),
    // PortInUse (taken, or no permission), InvalidSetting (settings refused) or the lines' error; the
    // port is then closed. Opening an open port reopens it.
    void Open();
    // Output still queued is thrown away first: a flow-controlled peer that stopped reading would
    // otherwise hold the close for the driver's closing timeout (30 s by default).
    void Close();
    bool PortOpen() const;

    // Queues the bytes and hands them to the device at once, as far as it takes them.
    void Output(const QByteArray& bytes);
    // Bytes written but not yet sent: those the device has not taken yet plus its own queue. A device
    // that takes nothing for a while (handshake held, nobody reading) leaves them queued here.
    int OutBufferCount();
    // Closes once what was written has left for the device, waiting at most maxMs; what is still
    // queued then is thrown away, as Close does. For the last few bytes a device must get (a keyer told
    // to stop); without flow control they leave at the line's rate.
    void CloseWhenSent(int maxMs);
    // Everything received so far, and its length; both fetch what the device holds first, so polling
    // sees the bytes without waiting for the event loop.
    QByteArray Input();
    int InBufferCount();

    // Runs from the event loop when bytes arrive (never inside Input or InBufferCount).
    std::function<void()> ReadyRead;
    // Runs from the event loop when the port fails (the other end hung up, the device went away); the
    // port is closed by then, since QSerialPort repeats a read error for as long as it stays open. A
    // failure found inside a call is thrown by that call instead.
    std::function<void(const VbError&)> Error;
    // Runs just before the descriptor closes, whoever closes it (Close, Open again, a failure of the
    // device), while KeyHandle() is still valid: a keyer stops its keying thread here.
    std::function<void()> AboutToClose;

    // The open device's descriptor, for the key lines; -1 when closed.
    int NativeHandle() const;
    // The lines as the keying thread reaches them (KeyLines::SetLine); valid while the port stays open.
    KeyLineHandle KeyHandle() const { return {PortName(), NativeHandle()}; }

private:
    void applySettings();
    void applyHandshaking();
    void onPortError(int error);
    void fetch();
    void flushWhatFits();
    void requireOpen(const char* what) const;
    void setLine(ModemLine line, bool on);
    void closePort();

    std::unique_ptr<SerialDevice> port_;
    int commPort_ = 1;
    QString path_;
    QString settings_ = QStringLiteral("9600,N,8,1");
    int handshaking_ = NoHandshaking;
    bool rts_ = false;
    bool dtr_ = false;
    LineUse lineUse_ = LineUse::Keying;
    int inCall_ = 0;        // inside a call of ours: errors are thrown, not passed to Error
    bool failed_ = false;   // a call's QSerialPort failure closed the port
    bool keepOutput_ = false; // the close that runs leaves the output queue alone: it is empty
    QString failure_;
    QByteArray rescued_;    // bytes read before a failure closed the port
};

} // namespace tylog
