#include "spotting/SpotFraming.h"

#include <QStringList>

namespace tylog {

// ---- Lines --------------------------------------------------------------------------------------

std::optional<QString> TakeLineAt(const QString& buffer, qsizetype& at) {
    // The line ends at its LF, or at a CR that no LF follows (a TNC that ends lines with CR alone); a
    // CR at the very end waits, since its LF may be in the next read.
    const qsizetype last = std::min<qsizetype>(buffer.size(), at + MaxLineLength + 1);
    for (qsizetype i = at + 1; i < last; ++i) {
        const QChar c = buffer[i];
        if (c == '\n') {
            QString line = buffer.mid(at + 1, i - at);
            at = i;
            return line;
        }
        if (c == '\r' && i + 1 < buffer.size() && buffer[i + 1] != '\n') {
            QString line = buffer.mid(at + 1, i - at) + '\n';
            at = i;
            return line;
        }
    }
    if (buffer.size() - at - 1 < MaxLineLength) return std::nullopt;
    // A line without its end within the limit: the limit ends it, and the rest starts a new one.
    QString line = buffer.mid(at + 1, MaxLineLength);
    at += MaxLineLength;
    return line;
}

std::optional<QString> TakeLine(QString& buffer) {
    qsizetype first = buffer.indexOf('\n');
    if (first < 0) {
        // No LF at all (a buffer that lost its leading one): a line only once it reaches the limit.
        if (buffer.size() < MaxLineLength) return std::nullopt;
        buffer.prepend('\n');
        first = 0;
    }
    if (first > 0) buffer.remove(0, first);
    qsizetype at = 0;
    std::optional<QString> line = TakeLineAt(buffer, at);
    if (line && at > 0) {
        buffer.remove(0, at);
        buffer[0] = '\n';
    }
    return line;
}

std::optional<QString> TakePrompt(QString& buffer) {
    const qsizetype first = buffer.indexOf('\n');
    if (first < 0 || buffer.indexOf('\n', first + 1) >= 0) return std::nullopt;
    const QString partial = buffer.mid(first + 1);
    if (partial.isEmpty()) return std::nullopt;
    if (BeginsWithDX(partial) || QStringLiteral("DX").startsWith(partial, Qt::CaseInsensitive))
        return std::nullopt;
    buffer = FreshReceiveBuffer;
    return partial;
}

// ---- The spot line ------------------------------------------------------------------------------

bool BeginsWithDX(const QString& text) { return text.startsWith(QLatin1String("DX"), Qt::CaseInsensitive); }

QString TrimBlanks(const QString& text) {
    qsizetype from = 0, to = text.size();
    while (from < to && text[from] == ' ') ++from;
    while (to > from && text[to - 1] == ' ') --to;
    return text.mid(from, to - from);
}

SpotFields SpotLineFields(const QString& line, qsizetype dxAt) {
    // QString::mid gives empty text past the end, as the columns of a short line must be.
    return {TrimBlanks(line.mid(dxAt + 15, 9)), TrimBlanks(line.mid(dxAt + 26, 13)), TrimBlanks(line.mid(dxAt + 3))};
}

// ---- The terminal -------------------------------------------------------------------------------

bool RepeatsRecentText(const QString& terminal, const QString& line) {
    const qsizetype from = std::max<qsizetype>(0, terminal.size() - 800);
    return terminal.indexOf(line, from, Qt::CaseInsensitive) >= 0;
}

void TrimTerminal(QString& terminal) {
    if (terminal.size() > 10000) terminal = terminal.right(9000);
}

QString EachBreakAsCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + 16);
    for (const QChar c : text) {
        if (c == '\r' || c == '\n') out += QLatin1String("\r\n");
        else out += c;
    }
    return out;
}

// ---- Texts of the window ------------------------------------------------------------------------

QString SocketErrorText(int number) {
    switch (number) {
    case 7: return "ERROR: Out of memory.";
    case 380: return "ERROR: The property value is invalid.";
    case 383: return "ERROR: The property is read-only.";
    case 394: return "ERROR: The property can't be read.";
    case 1004: return "ERROR: The operation was canceled.";
    case 10014: return "ERROR: The requested address is a broadcast address, but flag is not set.";
    case 10035: return "ERROR: Socket is non-blocking and the specified operation will block.";
    case 10036: return "ERROR: A blocking Winsock operation in progress.";
    case 10037: return "ERROR: The operation is completed. No blocking operation in progress";
    case 10038: return "ERROR: The descriptor is not a socket.";
    case 10040: return "ERROR: The datagram is too large to fit into the buffer and is truncated.";
    case 10043: return "ERROR: The specified port is not supported.";
    case 10048: return "ERROR: Address in use.";
    case 10049: return "ERROR: Address not available from the local machine.";
    case 10050: return "ERROR: Network subsystem failed.";
    case 10051: return "ERROR: The network cannot be reached from this host at this time.";
    case 10052: return "ERROR: Connection has timed out when SO_KEEPALIVE is set.";
    case 10053: return "ERROR: Connection is aborted due to timeout or other failure.";
    case 10054: return "ERROR: The connection is reset by remote side.!";
    case 10055: return "ERROR: No buffer space is available.";
    case 10056: return "ERROR: Socket is already connected.";
    case 10057: return "ERROR: Socket is not connected.";
    case 10058:
    case 10060: return "ERROR: Socket has been shut down.";
    case 10061: return "ERROR: Connection is forcefully rejected.";
    case 10093: return "ERROR: WinsockInit should be called first.";
    case 11001: return "ERROR: Authoritative answer: Host not found.";
    case 11002: return "ERROR: Non-Authoritative answer: Host not found.";
    case 11003: return "ERROR: Non-recoverable errors.";
    case 11004: return "ERROR: Valid name, no data record of requested type.";
    default: return QStringLiteral("Error number %1").arg(number);
    }
}

namespace {

QString Paragraphs(const QStringList& paragraphs) {
    QString out;
    for (const QString& p : paragraphs) out += p + QLatin1String("\r\n\r\n");
    return out;
}

QString DownloadLine() {
    return QStringLiteral("- Download the freely available software from ") + QLatin1String(PacketEngineDownloadAddress);
}

const QStringList& GeneralHelp() {
    static const QStringList p = {
        "Use this form to configure your DX spotting options.  After you make your selections, a list or band map "
        "will display on the main form (as selected here) to keep you updated on the latest packet spots.",
        "The list will show the last 2-3 posts on the main form depending on your screen size.  The band map will "
        "display the prefixes posted for your current band.  To see the whole call and frequency, move your mouse "
        "over the prefix and observe either the tool tip or the Possible Duplicates box.",
        "The program keeps the last 50 DX posts regardless of band in memory. Your band map will cycle through these "
        "posts as they are received.  Posts received within the last 10 minutes will be yellow; posts 10-30 minutes "
        "old will be white and posts 30-60 minutes old will be gray.",
        "If you are using the program's rig control features, you can right click any spot displayed on the main "
        "form's band map or HF spectrum map to tune your rig to the spot frequency. Right clicking will not change "
        "frequency when displaying the DX spots in list mode.",
    };
    return p;
}

const QStringList& TelnetHelp() {
    static const QStringList p = {
        "If you have an Internet connection (either telephone line or high speed), the Telnet option is very easy to "
        "implement.  Just connect to the Internet by your regular ISP and click Open on this form.  Type your call "
        "sign when prompted and press enter.",
    };
    return p;
}

const QStringList& TncHelp() {
    static const QStringList p = {
        "To use a Packet TNC, you will have to check your modem documentation for the proper serial port settings.  "
        "Use either Crtl C or the Esc key to send the Hex character to put your TNC in command mode (you do not have "
        "to press enter to send the Hex character).  Otherwise, just type and press enter to send text.",
        "One nice feature with the packet option is that you don't actually have to connect to another packet "
        "station.  Just click the DX Only check box so that only packets identified as DX will be displayed.  As "
        "long as DX posts are being transmitted the software will check recent posts to eliminate duplicate posts.  "
        "Even if you are connected, it is a good idea to check this box to eliminate miscellaneous comments, etc.",
    };
    return p;
}

const QStringList& PacketEngineHelp() {
    static const QStringList p = {
        "This program will also interface with the AGW Packet Engine.  The AGW Packet engine will interface with "
        "your existing sound card (or TNC including Baypac) to send and receive Packet.  To use the AGW Packet "
        "Engine:",
        DownloadLine(),
        "The file to download is AGWPE.zip.  Instructions for use are on this website as well.",
        "- Run the Packet Engine software and configure it as described on the AGW Packet Engine website for your "
        "sound card or TNC.",
        "- Click Open from this program.",
        "To send a connect request using the AGW packet engine, type in the format of",
        ":C Q7BZW     or to disconnect :D",
        "and press enter (you can also use the Esc key to add a colon).",
    };
    return p;
}

const QStringList& ClosingHelp() {
    static const QStringList p = {
        "When you have configured your DX spotting options, click Open to initiate the communication.  Then click "
        "Done to return to the main form.",
        "If the list is being displayed on the main form, you can click on it to quickly return to this form.  To "
        "return the main form to the original display, select None from the spotting options.",
    };
    return p;
}

const QStringList& CreditHelp() {
    static const QStringList p = {
        "This code was developed and tested with a Kantronics KPC3+ TNC.  I look forward to hearing about your "
        "experiences with different hardware.",
    };
    return p;
}

const char* const FailureFirst =
    "Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and receive packet with your "
    "soundcard or devices such a Baypac:";

} // namespace

QString SpotHelpText(const QString& transport) {
    auto is = [&](const char* name) { return transport.compare(QLatin1String(name), Qt::CaseInsensitive) == 0; };
    if (is("None"))
        return Paragraphs(GeneralHelp() + TelnetHelp() + TncHelp() + PacketEngineHelp() + ClosingHelp() + CreditHelp());
    if (is("TNC")) return Paragraphs(TncHelp() + ClosingHelp() + CreditHelp());
    if (is("Telnet")) return Paragraphs(TelnetHelp() + ClosingHelp());
    if (is("AGW Packet Engine")) return Paragraphs(PacketEngineHelp() + ClosingHelp() + CreditHelp());
    return {};
}

QString PacketEngineFailureMessage() {
    return QLatin1String(FailureFirst) + "\r\n\r\n" + DownloadLine() + "\r\n\r\n" +
           "- Make sure the AGW Packet Engine software is running and configure it as described on the AGW Packet "
           "Engine website.";
}

QString PacketEngineFailureTerminalText() {
    return Paragraphs({QLatin1String(FailureFirst), DownloadLine(),
                       "- Run the Packet Engine software and configure it as described on the AGW Packet Engine "
                       "website for your sound card or TNC.",
                       "- Click Open from this program."});
}

} // namespace tylog
