#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The history file listview.dat: one title per line, read in any of the
// encodings a byte-order mark names, written so that it reads back unchanged.
namespace HistoryFile {

// Text in the code page (GBK) unless it starts with a UTF-16 or UTF-8 mark;
// entries end at CR LF, a lone CR or a lone LF, and a NUL ends the text.
QStringList decode(const QByteArray &bytes);

// Every entry followed by CR LF in GBK without a mark; UTF-8 with its mark
// when some entry has a character GBK cannot hold. No entries, no bytes.
QByteArray encode(const QStringList &entries);

// An empty list when no file exists at path. Throws Error naming the path
// and the system's reason when the file exists but cannot be read.
QStringList load(const QString &path);

// Writes a complete new file beside the old one and only then replaces it,
// so the old file stays intact when anything fails. Throws Error naming the
// path and the system's reason.
void save(const QString &path, const QStringList &entries);

// The history file in the executable's folder.
QString pathBeside(const QString &executableDir);

} // namespace HistoryFile
