#include "forms/main/historyfile.h"

#include "app/error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cstring>

namespace {

// Stands in for the ANSI code page of a simplified-Chinese Windows system.
// Qt's ICU-backed GBK is that code page's own table (windows-936), down to
// 0x80 for the euro sign, and flags every character it cannot hold.
constexpr char CodePage[] = "GBK";

// Stateless: every call converts a whole piece, so nothing is held back for
// a next one (a UTF-16 file of odd length ends in a replacement character).
// ConvertInitialBom: the mark is handled by hand, so a U+FEFF after it is text.
constexpr QStringConverter::Flags Flags = QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom;

constexpr char Utf8Mark[] = "\xEF\xBB\xBF";

struct Mark
{
    const char *bytes;
    QStringConverter::Encoding encoding;
};

// Checked in this order: FF FE 00 00 is UTF-16 LE here, not UTF-32.
constexpr Mark Marks[] = {
    {"\xFF\xFE", QStringConverter::Utf16LE},
    {"\xFE\xFF", QStringConverter::Utf16BE},
    {Utf8Mark, QStringConverter::Utf8},
};

void requireCodePage(const QStringConverter &converter)
{
    if (!converter.isValid())
        throw Error(QStringLiteral("This system cannot convert text to or from GBK, the encoding of the history file."));
}

QString fileError(const QString &what, const QString &path, const QString &reason)
{
    return QStringLiteral("%1 \"%2\". %3").arg(what, QDir::toNativeSeparators(path), reason);
}

// Qt's UTF-16 decoder passes unpaired surrogates through, and no encoding can write them back:
// they read as U+FFFD, as invalid sequences in the other encodings do, and a save writes back
// what was read.
void replaceUnpairedSurrogates(QString &text)
{
    QChar *c = text.data();
    const QChar *end = c + text.size();
    for (; c != end; ++c) {
        if (c->isHighSurrogate() && c + 1 != end && (c + 1)->isLowSurrogate())
            ++c;
        else if (c->isSurrogate())
            *c = QChar::ReplacementCharacter;
    }
}

QString decodeText(QByteArrayView bytes)
{
    for (const Mark &mark : Marks) {
        if (bytes.startsWith(mark.bytes)) {
            QStringDecoder decoder(mark.encoding, Flags);
            QString text = decoder.decode(bytes.sliced(qsizetype(std::strlen(mark.bytes))));
            if (mark.encoding != QStringConverter::Utf8)
                replaceUnpairedSurrogates(text);
            return text;
        }
    }
    QStringDecoder decoder(CodePage, Flags);
    requireCodePage(decoder);
    return decoder.decode(bytes);
}

QStringList splitLines(QStringView text)
{
    const qsizetype nul = text.indexOf(u'\0');
    if (nul >= 0)
        text.truncate(nul);

    QStringList entries;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        entries.append(text.sliced(start, i - start).toString());
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        entries.append(text.sliced(start).toString());
    return entries;
}

// Each entry followed by CR LF, after the mark. The encoder's hasError()
// then tells whether every character could be represented.
QByteArray encodeLines(QStringEncoder &encoder, const QStringList &entries, qsizetype length, QByteArrayView mark)
{
    QByteArray bytes(mark.size() + encoder.requiredSpace(length), Qt::Uninitialized);
    char *end = std::copy(mark.begin(), mark.end(), bytes.data());
    for (const QString &entry : entries) {
        end = encoder.appendToBuffer(end, entry);
        *end++ = '\r';
        *end++ = '\n';
    }
    bytes.truncate(end - bytes.constData());
    return bytes;
}

// Qt reports a short write (a disk that fills up part way) without a reason; writing the rest
// again fails at once and records the system's reason for the message.
bool writeAll(QSaveFile &file, const QByteArray &bytes)
{
    for (qsizetype done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

namespace HistoryFile {

QStringList decode(const QByteArray &bytes)
{
    return splitLines(decodeText(bytes));
}

QByteArray encode(const QStringList &entries)
{
    if (entries.isEmpty())
        return {};

    qsizetype length = 0;
    for (const QString &entry : entries)
        length += entry.size() + 2;

    QStringEncoder codePage(CodePage, Flags);
    requireCodePage(codePage);
    QByteArray bytes = encodeLines(codePage, entries, length, {});
    if (!codePage.hasError())
        return bytes;
    // The code page would write "?" for the character and lose it for good.
    QStringEncoder utf8(QStringConverter::Utf8, Flags);
    return encodeLines(utf8, entries, length, Utf8Mark);
}

QStringList load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (!file.exists())
            return {};
        throw Error(fileError(QStringLiteral("Cannot open file"), path, file.errorString()));
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(fileError(QStringLiteral("Cannot read file"), path, file.errorString()));
    return decode(bytes);
}

void save(const QString &path, const QStringList &entries)
{
    const QByteArray bytes = encode(entries);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !writeAll(file, bytes) || !file.commit())
        throw Error(fileError(QStringLiteral("Cannot create file"), path, file.errorString()));
}

QString pathBeside(const QString &executableDir)
{
    return QDir(executableDir).filePath(QStringLiteral("listview.dat"));
}

} // namespace HistoryFile
