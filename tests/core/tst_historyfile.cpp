#include "bighistory.h"

#include "app/error.h"
#include "forms/main/historyfile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <linux/fs.h>
#include <sys/ioctl.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Byte fixtures are written in hex; spaces only group them.
QByteArray hex(const char *digits)
{
    return QByteArray::fromHex(digits);
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

// The message of the Error that save() raises, or a null string if it raises none.
QString saveError(const QString &path, const QStringList &entries)
{
    try {
        HistoryFile::save(path, entries);
    } catch (const Error &error) {
        return error.message();
    }
    return {};
}

QString loadError(const QString &path)
{
    try {
        HistoryFile::load(path);
    } catch (const Error &error) {
        return error.message();
    }
    return {};
}

// Keeps every user out of a folder for its lifetime. Root ignores permission
// bits, so the immutable flag comes first; permission bits are the fallback.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString &dir) : m_dir(dir)
    {
        m_immutable = setImmutable(true);
        if (!m_immutable) {
            m_flagError = QString::fromLocal8Bit(std::strerror(errno));
            QFile::setPermissions(m_dir, QFile::ReadOwner | QFile::ExeOwner);
        }
    }

    ~ReadOnlyFolder()
    {
        if (m_immutable)
            setImmutable(false);
        else
            QFile::setPermissions(m_dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // Why this user can still write into the folder; empty when it cannot.
    QString stillWritable() const
    {
        QFile probe(QDir(m_dir).filePath(u"probe"_s));
        if (!probe.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return {};
        probe.remove();
        return u"the immutable flag is unavailable here (%1) and permission bits do not bind this user"_s.arg(m_flagError);
    }

private:
    bool setImmutable(bool on) const
    {
        const int fd = ::open(QFile::encodeName(m_dir).constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        const int error = errno;
        ::close(fd);
        errno = error;
        return done;
    }

    QString m_dir;
    bool m_immutable = false;
    QString m_flagError;
};

} // namespace

class tst_HistoryFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decode_data();
    void decode();
    void encode_data();
    void encode();
    void saveAndLoad_data();
    void saveAndLoad();
    void everyCharacterSurvives();
    void emptyHistorySavesZeroBytes();
    void loadMissingFile();
    void loadUnreadableFile();
    void saveIntoReadOnlyFolder();
    void saveUnderARegularFile();
    void killedSaveLeavesOldOrNew();
    void pathBeside_data();
    void pathBeside();
};

void tst_HistoryFile::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("UTF-16 LE mark") << hex("fffe 3f51 4c6b 0d00 0a00 6100") << QStringList{u"儿歌"_s, u"a"_s};
    QTest::newRow("UTF-16 LE surrogate pair") << hex("fffe 3dd8 00de") << QStringList{u"😀"_s};
    QTest::newRow("UTF-16 BE mark") << hex("feff 513f 6b4c 000d 000a 0061") << QStringList{u"儿歌"_s, u"a"_s};
    QTest::newRow("UTF-8 mark") << hex("efbbbf e584bf e6ad8c 0d0a f09f9880") << QStringList{u"儿歌"_s, u"😀"_s};
    QTest::newRow("GBK without mark") << hex("d6d0 cec4 b6f9 b8e8 0d0a 61") << QStringList{u"中文儿歌"_s, u"a"_s};
    QTest::newRow("euro sign at 80 as in code page 936") << hex("80") << QStringList{u"€"_s};
    QTest::newRow("CR LF, CR and LF mixed") << hex("61 0d0a 62 0d 63 0a 64") << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s};
    QTest::newRow("LF then CR is two breaks") << hex("61 0a0d 62") << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("empty line between breaks") << hex("61 0d0a 0d0a 62") << QStringList{u"a"_s, QString(), u"b"_s};
    QTest::newRow("final break gives no extra entry") << hex("61 0d0a 62 0d0a") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("no final break") << hex("61 0d0a 62") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("CR LF CR LF at the end") << hex("61 0d0a 62 0d0a 0d0a") << QStringList{u"a"_s, u"b"_s, QString()};
    QTest::newRow("lone CR at the end") << hex("61 0d") << QStringList{u"a"_s};
    QTest::newRow("a break alone") << hex("0d0a") << QStringList{QString()};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("a mark alone") << hex("efbbbf") << QStringList();
    QTest::newRow("second mark is text") << hex("efbbbf efbbbf 61") << QStringList{u"\uFEFFa"_s};
    QTest::newRow("NUL in the middle") << hex("61 0d0a 62 00 63 0d0a 64") << QStringList{u"a"_s, u"b"_s};
    QTest::newRow("NUL first") << hex("00 61 0d0a") << QStringList();
    QTest::newRow("NUL in UTF-16") << hex("fffe 6100 0000 6200") << QStringList{u"a"_s};
    QTest::newRow("UTF-16 of odd length") << hex("fffe 6100 62") << QStringList{u"a\uFFFD"_s};
    QTest::newRow("invalid GBK pair") << hex("81 20 62 0d0a 63") << QStringList{u"\uFFFD b"_s, u"c"_s};
    QTest::newRow("GBK lead byte before a break") << hex("81 0d0a 62") << QStringList{u"\uFFFD"_s, u"b"_s};
    QTest::newRow("FF as Windows reads it") << hex("ff 0d0a 61") << QStringList{u"\uF8F5"_s, u"a"_s};
}

void tst_HistoryFile::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);

    QCOMPARE(HistoryFile::decode(bytes), entries);
}

void tst_HistoryFile::encode_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("empty history") << QStringList() << QByteArray();
    QTest::newRow("one empty entry") << QStringList{QString()} << hex("0d0a");
    QTest::newRow("ASCII") << QStringList{u"a"_s, u"b"_s} << hex("61 0d0a 62 0d0a");
    QTest::newRow("Chinese in GBK") << QStringList{u"中文儿歌"_s, u"儿歌"_s} << hex("d6d0 cec4 b6f9 b8e8 0d0a b6f9 b8e8 0d0a");
    QTest::newRow("euro sign in GBK") << QStringList{u"€"_s} << hex("80 0d0a");
    QTest::newRow("emoji turns the file into UTF-8 with mark")
        << QStringList{u"儿歌"_s, u"😀"_s} << hex("efbbbf e584bf e6ad8c 0d0a f09f9880 0d0a");
    QTest::newRow("Hangul turns the file into UTF-8 with mark") << QStringList{u"a"_s, u"한"_s} << hex("efbbbf 61 0d0a ed959c 0d0a");
}

void tst_HistoryFile::encode()
{
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, bytes);

    QCOMPARE(HistoryFile::encode(entries), bytes);
}

void tst_HistoryFile::saveAndLoad_data()
{
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("Chinese titles") << QStringList{u"小兔子乖乖"_s, u"两只老虎"_s, u"中文儿歌"_s, u"小兔子乖乖"_s};
    QTest::newRow("a title outside GBK") << QStringList{u"小兔子乖乖"_s, u"睡前故事 🐰"_s, u"两只老虎"_s};
    QTest::newRow("empty entries at both ends") << QStringList{QString(), u"两只老虎"_s, QString(), QString()};
    QTest::newRow("spaces kept") << QStringList{u" 两只老虎 "_s, u"\t"_s};
}

void tst_HistoryFile::saveAndLoad()
{
    QFETCH(QStringList, entries);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"listview.dat"_s);
    writeAll(path, "old title\r\nanother old title\r\n");

    HistoryFile::save(path, entries);

    QCOMPARE(readAll(path), HistoryFile::encode(entries));
    QCOMPARE(HistoryFile::load(path), entries);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{u"listview.dat"_s});
}

// Any title, whatever its characters, comes back from the file as it went in.
// Line breaks and NUL cannot stand inside an entry.
void tst_HistoryFile::everyCharacterSurvives()
{
    QStringList lost;
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (c == u'\r' || c == u'\n' || (c >= 0xD800 && c <= 0xDFFF))
            continue;
        const QStringList entry{QString::fromUcs4(&c, 1)};
        if (HistoryFile::decode(HistoryFile::encode(entry)) != entry && lost.size() < 10)
            lost.append(u"U+%1"_s.arg(uint(c), 4, 16, QChar(u'0')).toUpper());
    }
    QVERIFY2(lost.isEmpty(), qPrintable(lost.join(u", ")));
}

void tst_HistoryFile::emptyHistorySavesZeroBytes()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"listview.dat"_s);
    HistoryFile::save(path, {u"两只老虎"_s});

    HistoryFile::save(path, {});

    QCOMPARE(QFileInfo(path).size(), 0);
    QCOMPARE(HistoryFile::load(path), QStringList());
}

void tst_HistoryFile::loadMissingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    QCOMPARE(HistoryFile::load(dir.filePath(u"listview.dat"_s)), QStringList());
}

void tst_HistoryFile::loadUnreadableFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"listview.dat"_s);
    QVERIFY(QDir().mkdir(path));

    const QString message = loadError(path);

    const QString prefix = u"Cannot open file \"%1\". "_s.arg(path);
    QVERIFY2(message.startsWith(prefix), qPrintable(message));
    QVERIFY2(message.size() > prefix.size(), "the message gives no reason");
}

void tst_HistoryFile::saveIntoReadOnlyFolder()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"listview.dat"_s);
    HistoryFile::save(path, {u"两只老虎"_s, u"小兔子乖乖"_s});
    const QByteArray old = readAll(path);

    const ReadOnlyFolder folder(dir.path());
    const QString writable = folder.stillWritable();
    if (!writable.isEmpty())
        QSKIP(qPrintable(writable));

    const QString message = saveError(path, {u"中文儿歌"_s});

    const QString prefix = u"Cannot create file \"%1\". "_s.arg(path);
    QVERIFY2(message.startsWith(prefix), qPrintable(message));
    QVERIFY2(message.size() > prefix.size(), "the message gives no reason");
    QCOMPARE(readAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{u"listview.dat"_s});
}

void tst_HistoryFile::saveUnderARegularFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString parent = dir.filePath(u"folder"_s);
    writeAll(parent, "a file, not a folder");
    const QString path = parent + u"/listview.dat"_s;

    const QString message = saveError(path, {u"中文儿歌"_s});

    const QString prefix = u"Cannot create file \"%1\". "_s.arg(path);
    QVERIFY2(message.startsWith(prefix), qPrintable(message));
    QVERIFY2(message.size() > prefix.size(), "the message gives no reason");
}

// A writer process saves two big histories in turn and is killed at random
// moments; every time, the file must hold one of the two histories whole.
void tst_HistoryFile::killedSaveLeavesOldOrNew()
{
    constexpr int Kills = 50;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"listview.dat"_s);
    const QStringList histories[] = {bigHistory(0), bigHistory(1)};
    const QByteArray files[] = {HistoryFile::encode(histories[0]), HistoryFile::encode(histories[1])};

    // The slower of the two saves sets the span in which the kills land.
    qint64 saveMs = 0;
    for (const int which : {1, 0}) {
        QElapsedTimer timer;
        timer.start();
        HistoryFile::save(path, histories[which]);
        saveMs = std::max(saveMs, timer.elapsed());
    }

    // One save run to its end shows that the writer works at all.
    QProcess oneSave;
    oneSave.start(QStringLiteral(HISTORYFILE_WRITER), {path, u"1"_s, u"1"_s});
    QVERIFY2(oneSave.waitForFinished(60'000), qPrintable(oneSave.errorString()));
    QVERIFY2(oneSave.exitStatus() == QProcess::NormalExit && oneSave.exitCode() == 0, oneSave.readAllStandardError().constData());
    QVERIFY(HistoryFile::load(path) == histories[1]);

    int inFile = 1;
    int changes = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(HISTORYFILE_WRITER), {path, QString::number(1 - inFile), u"0"_s});
        QVERIFY2(writer.waitForReadyRead(60'000), qPrintable(writer.errorString()));
        // A random moment within the writer's next save or two.
        QTest::qSleep(int(QRandomGenerator::global()->bounded(2 * saveMs + 2)));
        writer.kill();
        QVERIFY(writer.waitForFinished(60'000));
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit, writer.readAllStandardError().constData());

        const QByteArray bytes = readAll(path);
        const int which = bytes == files[0] ? 0 : bytes == files[1] ? 1 : -1;
        QVERIFY2(which >= 0, qPrintable(u"after kill %1 the file holds %2 bytes of neither history"_s.arg(kill).arg(bytes.size())));
        changes += which != inFile;
        inFile = which;
    }

    QCOMPARE(HistoryFile::load(path), histories[inFile]);

    // Where Qt can write through an unnamed O_TMPFILE, a killed save leaves
    // nothing behind; elsewhere its "listview.dat.XXXXXX" stays until removed.
    QStringList leftovers = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    leftovers.removeOne(u"listview.dat"_s);
    qInfo("%d kills at most %lld ms after the writer was ready; the file had changed after %d of them; "
          "%lld temporary files left behind (%s)",
          Kills, qlonglong(2 * saveMs + 1), changes, qlonglong(leftovers.size()), qPrintable(leftovers.mid(0, 3).join(u", ")));
}

void tst_HistoryFile::pathBeside_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("path");

    QTest::newRow("folder") << u"/opt/zirrabee"_s << u"/opt/zirrabee/listview.dat"_s;
    QTest::newRow("trailing slash") << u"/opt/zirrabee/"_s << u"/opt/zirrabee/listview.dat"_s;
    QTest::newRow("root") << u"/"_s << u"/listview.dat"_s;
}

void tst_HistoryFile::pathBeside()
{
    QFETCH(QString, folder);
    QFETCH(QString, path);

    QCOMPARE(HistoryFile::pathBeside(folder), path);
}

QTEST_GUILESS_MAIN(tst_HistoryFile)
#include "tst_historyfile.moc"
