#pragma once
// The rules every spot transport shares (Telnet, the serial TNC, the packet engine): received text cut
// into lines, the cluster spot line's columns, the repeat filter over the terminal's recent text, the
// terminal's size limit, and the texts the spotting window shows (socket errors, help). Plain
// functions over text; the cluster engine (ClusterEngine.h) and the window use them.
#include <QString>
#include <optional>

namespace tylog {

// ---- Lines --------------------------------------------------------------------------------------

// The receive buffer as a new window starts it: a lone LF, so the first text received up to its own
// LF is a line of its own.
inline const QString FreshReceiveBuffer = QStringLiteral("\n");
// A line is at most this long: text that brings no LF is cut here, so the buffer stays bounded.
inline constexpr qsizetype MaxLineLength = 4096;

// Takes the next complete line off the front of the buffer: the text after the buffer's leading LF up
// to and including the next LF (a CR before it stays in the line); the buffer then begins with that
// LF. A CR that no LF follows ends a line too, which then ends CR LF. Text that reached MaxLineLength
// without an end is a line too. Nothing while the line is still partial. Whatever stands in front of
// the buffer's first LF is dropped.
std::optional<QString> TakeLine(QString& buffer);
// The same without moving the buffer: `at` is where the separator before the next line stands (the
// leading LF at first) and moves on past each line taken, so a burst of lines costs one move of the
// buffer, not one per line.
std::optional<QString> TakeLineAt(const QString& buffer, qsizetype& at);

// A partial line that waits for its LF while the peer says nothing (a login prompt) as a line of its
// own; nothing when the buffer holds no partial line or when the partial text may still become a spot
// line ("D", "DX..." in any case), which must wait for its end.
std::optional<QString> TakePrompt(QString& buffer);

// ---- The spot line ------------------------------------------------------------------------------

// Whether the text begins with "DX" in any case.
bool BeginsWithDX(const QString& text);

// The columns of a cluster spot line, counted from `dxAt` (where its "DX" stands, 0 = the first
// character): the frequency in kHz (16-24) and the call (27-39) with the blanks around them removed,
// and the record, the line from column 4 with its blanks removed at both ends. Only space characters
// are blanks: a line's CR LF stays in the record. Columns past the end are empty.
struct SpotFields {
    QString frequency;
    QString call;
    QString record;
};
SpotFields SpotLineFields(const QString& line, qsizetype dxAt = 0);

// Blanks (space characters only) removed at both ends.
QString TrimBlanks(const QString& text);

// ---- The terminal -------------------------------------------------------------------------------

// A line repeats when it occurs, ignoring case, in the terminal's text from 800 characters before its
// end on.
bool RepeatsRecentText(const QString& terminal, const QString& line);
// The terminal's limit: above 10000 characters it keeps its last 9000.
void TrimTerminal(QString& terminal);

// Every CR and every LF as CR LF (so a CR LF pair becomes two line breaks).
QString EachBreakAsCrLf(const QString& text);

// ---- Texts of the window ------------------------------------------------------------------------

// The message for a socket error number; "Error number <n>" for a number without one.
QString SocketErrorText(int number);

// Where the packet engine is to be had, as the help and its failure message say.
inline constexpr const char* PacketEngineDownloadAddress = "https://packages.debian.org/stable/direwolf";

// The help of a transport ("None", "TNC", "Telnet", "AGW Packet Engine", letter case ignored): its
// paragraph groups, each paragraph followed by CR LF CR LF; empty for any other text.
QString SpotHelpText(const QString& transport);

// The paragraphs of the packet engine's failure: the message box's three and the terminal's four.
QString PacketEngineFailureMessage();
QString PacketEngineFailureTerminalText();

} // namespace tylog
