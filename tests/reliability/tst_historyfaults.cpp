// The history file under faults, through the main window: a folder that turns read-only, a disk
// that fills up during the save, and files of hostile bytes. The old file survives every failed
// save, the window stays open and a later close succeeds; whatever loads saves back unchanged.
#include "forms/formfixture.h"

#include "forms/main/historyfile.h"

#include <QAction>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QStringList texts(const QListWidget *list)
{
    QStringList result;
    result.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        result.append(list->item(i)->text());
    return result;
}

// Root ignores permission bits but not the immutable flag.
bool setImmutable(const QString &dir, bool on)
{
    const int fd = ::open(QFile::encodeName(dir).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return done;
}

// A history too big for the small disks below: about 400 KiB in GBK.
QStringList bigHistory()
{
    QStringList entries;
    for (int i = 0; i < 20'000; ++i)
        entries.append(u"中文儿歌 第%1首"_s.arg(i));
    return entries;
}

// A disk with room for the old history but not for the new one: a 64 KiB tmpfs mounted over
// the folder where the system allows it, otherwise a file size limit on this process.
class SmallDisk
{
public:
    enum Kind { Tmpfs, FileSizeLimit };

    SmallDisk(Kind kind, const QString &dir) : m_kind(kind), m_dir(dir)
    {
        if (kind == Tmpfs) {
            m_active = ::mount("zirrabee-test", QFile::encodeName(dir).constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") == 0;
            if (!m_active)
                m_why = QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = 64 * 1024;
        // Past the limit write() then fails with EFBIG instead of killing the process.
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_active = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~SmallDisk() { lift(); }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    bool active() const { return m_active; }
    QString why() const { return m_why; }

    // The disk has room again: the limit goes, or the tmpfs grows.
    void makeRoom()
    {
        if (m_kind == Tmpfs)
            ::mount(nullptr, QFile::encodeName(m_dir).constData(), nullptr, MS_REMOUNT | MS_NOSUID | MS_NODEV, "size=16m");
        else
            lift();
    }

private:
    void lift()
    {
        if (!m_active)
            return;
        if (m_kind == Tmpfs) {
            ::umount2(QFile::encodeName(m_dir).constData(), MNT_DETACH);
        } else {
            ::setrlimit(RLIMIT_FSIZE, &m_old);
            std::signal(SIGXFSZ, m_oldHandler);
        }
        m_active = false;
    }

    Kind m_kind;
    QString m_dir;
    bool m_active = false;
    QString m_why;
    rlimit m_old{};
    void (*m_oldHandler)(int) = SIG_DFL;
};

// A close that cannot save: one message naming the file and the system's reason, the window
// still open, the old file as it was.
void verifyFailedClose(FormFixture &f, const QString &path, const QByteArray &old, int reason)
{
    QVERIFY(!f.mainform->close());
    QVERIFY(f.mainform->isVisible());
    QCOMPARE(f.errors.size(), 1);
    const QString prefix = u"Cannot create file \"%1\". "_s.arg(QDir::toNativeSeparators(path));
    QVERIFY2(f.errors.first().startsWith(prefix), qPrintable(f.errors.first()));
    QCOMPARE(f.errors.first().mid(prefix.size()), QString::fromLocal8Bit(std::strerror(reason)) + u'.');
    QVERIFY(!f.browser1.isNull());
    QCOMPARE(readAll(path), old);
}

} // namespace

Q_DECLARE_METATYPE(SmallDisk::Kind)

class tst_HistoryFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void closeIntoReadOnlyFolder();
    void closeOnFullDisk_data();
    void closeOnFullDisk();
    void hostileFiles_data();
    void hostileFiles();
    void unpairedSurrogates_data();
    void unpairedSurrogates();
};

void tst_HistoryFaults::closeIntoReadOnlyFolder()
{
    QTemporaryDir folder;
    const QString path = HistoryFile::pathBeside(folder.path());
    const QByteArray old = HistoryFile::encode({u"两只老虎"_s, u"小兔子乖乖"_s});
    QVERIFY(writeAll(path, old));

    FormFixture f(FormFixture::unreachableCatalogue(), folder.path());
    f.mainform->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.mainform.get()));
    auto *history = f.find<QListWidget>("sListBox1");
    QCOMPARE(history->count(), 2);
    history->addItem(u"小星星"_s);

    if (!setImmutable(folder.path(), true))
        QSKIP("the immutable flag is unavailable on this file system");
    verifyFailedClose(f, path, old, EPERM);
    QVERIFY(setImmutable(folder.path(), false));
    if (QTest::currentTestFailed())
        return;

    QVERIFY(f.mainform->close());
    QCOMPARE(HistoryFile::load(path), (QStringList{u"两只老虎"_s, u"小兔子乖乖"_s, u"小星星"_s}));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"listview.dat"_s});
}

void tst_HistoryFaults::closeOnFullDisk_data()
{
    QTest::addColumn<SmallDisk::Kind>("kind");
    QTest::addColumn<int>("reason");
    QTest::newRow("64 KiB tmpfs") << SmallDisk::Tmpfs << ENOSPC;
    QTest::newRow("64 KiB file size limit") << SmallDisk::FileSizeLimit << EFBIG;
}

void tst_HistoryFaults::closeOnFullDisk()
{
    QFETCH(SmallDisk::Kind, kind);
    QFETCH(int, reason);

    QTemporaryDir base;
    const QString folder = base.filePath(u"disk"_s);
    QVERIFY(QDir().mkpath(folder));
    SmallDisk disk(kind, folder);
    if (!disk.active())
        QSKIP(qPrintable(u"cannot make a small disk here: "_s + disk.why()));
    const QString path = HistoryFile::pathBeside(folder);
    const QByteArray old = HistoryFile::encode({u"两只老虎"_s});
    QVERIFY(writeAll(path, old));

    FormFixture f(FormFixture::unreachableCatalogue(), folder);
    f.mainform->show();
    auto *history = f.find<QListWidget>("sListBox1");
    history->addItems(bigHistory());

    // Found here: a save that filled the disk part way said "Unknown error".
    verifyFailedClose(f, path, old, reason);
    // A second try on the still full disk fails the same way and leaves no debris behind.
    f.errors.clear();
    verifyFailedClose(f, path, old, reason);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{u"listview.dat"_s});
    if (QTest::currentTestFailed())
        return;

    disk.makeRoom();
    QVERIFY(f.mainform->close());
    QCOMPARE(HistoryFile::load(path), QStringList{u"两只老虎"_s} + bigHistory());
}

void tst_HistoryFaults::hostileFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QRandomGenerator random(20240611);
    QByteArray noise(1 << 20, Qt::Uninitialized);
    random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    QByteArray allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes.append(char(b));

    QTest::newRow("1 MiB of random bytes") << noise;
    QTest::newRow("random bytes after a UTF-16 LE mark") << "\xFF\xFE" + noise;
    QTest::newRow("random bytes after a UTF-8 mark") << "\xEF\xBB\xBF" + noise;
    QTest::newRow("every byte value") << allBytes;
    QTest::newRow("a lone UTF-8 mark") << QByteArray("\xEF\xBB\xBF");
    QTest::newRow("a lone UTF-16 LE mark") << QByteArray("\xFF\xFE");
    QTest::newRow("a lone UTF-16 BE mark") << QByteArray("\xFE\xFF");
    QTest::newRow("half a UTF-16 code unit") << QByteArray("\xFF\xFE\x41");
    QTest::newRow("a mark and half of another") << QByteArray("\xEF\xBB\xBF\xEF\xBB");
    QTest::newRow("lone high surrogate in UTF-16") << QByteArray("\xFF\xFE\x3D\xD8\x61\x00", 6);
    QTest::newRow("lone low surrogate in UTF-16 BE") << QByteArray("\xFE\xFF\xDE\x00\x00\x61", 6);
    QTest::newRow("overlong and surrogate UTF-8") << QByteArray("\xEF\xBB\xBF\xC0\xAF\r\n\xED\xA0\x80\r\n\xF4\x90\x80\x80");
    QTest::newRow("only NULs") << QByteArray(4096, '\0');
    QTest::newRow("a million lines") << QByteArray("中文儿歌\r\n").repeated(1'000'000);
    QTest::newRow("a million empty lines") << QByteArray("\r\n").repeated(1'000'000);
    QTest::newRow("a million lone CRs") << QByteArray("a\r").repeated(1'000'000);
    QTest::newRow("one 16 MiB line") << QByteArray(16 << 20, 'x');
}

// Opening loads what the codec reads without a message; closing writes a file that loads back
// as the same entries: nothing read is lost in the next save.
void tst_HistoryFaults::hostileFiles()
{
    QFETCH(QByteArray, bytes);

    QTemporaryDir folder;
    const QString path = HistoryFile::pathBeside(folder.path());
    QVERIFY(writeAll(path, bytes));
    const QStringList decoded = HistoryFile::decode(bytes);

    FormFixture f(FormFixture::unreachableCatalogue(), folder.path());
    QElapsedTimer timer;
    timer.start();
    f.mainform->show();
    const qint64 loadMs = timer.restart();
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    auto *history = f.find<QListWidget>("sListBox1");
    QCOMPARE(history->count(), decoded.size());
    QVERIFY(texts(history) == decoded);
    QCOMPARE(history->currentRow(), -1);

    QVERIFY(f.mainform->close());
    const qint64 saveMs = timer.elapsed();
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    const QStringList reloaded = HistoryFile::load(path);
    QCOMPARE(reloaded.size(), decoded.size());
    for (qsizetype i = 0; i < decoded.size(); ++i) {
        if (reloaded.at(i) != decoded.at(i))
            QFAIL(qPrintable(u"entry %1 was %2 and came back as %3"_s.arg(i).arg(
                QString::fromLatin1(decoded.at(i).toUtf8().toHex(' ').left(60)),
                QString::fromLatin1(reloaded.at(i).toUtf8().toHex(' ').left(60)))));
    }
    qInfo("%lld entries: shown in %lld ms, saved in %lld ms", qlonglong(decoded.size()), loadMs, saveMs);
}

void tst_HistoryFaults::unpairedSurrogates_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("high alone, LE") << QByteArray::fromHex("fffe 3dd8 6100") << QStringList{u"\uFFFDa"_s};
    QTest::newRow("low alone, BE") << QByteArray::fromHex("feff de00 0061") << QStringList{u"\uFFFDa"_s};
    QTest::newRow("high at the end") << QByteArray::fromHex("fffe 6100 3dd8") << QStringList{u"a\uFFFD"_s};
    QTest::newRow("high before a break") << QByteArray::fromHex("fffe 3dd8 0d00 0a00") << QStringList{u"\uFFFD"_s};
    QTest::newRow("low before high") << QByteArray::fromHex("fffe 00de 3dd8") << QStringList{u"\uFFFD\uFFFD"_s};
    QTest::newRow("a pair stays") << QByteArray::fromHex("fffe 3dd8 00de") << QStringList{u"😀"_s};
}

// Found with hostile history files: UTF-16 passed unpaired surrogates through, which the next save
// turned into U+FFFD, so an entry changed between one run and the next.
void tst_HistoryFaults::unpairedSurrogates()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);

    QCOMPARE(HistoryFile::decode(bytes), entries);
    QCOMPARE(HistoryFile::decode(HistoryFile::encode(entries)), entries);
}

QTEST_MAIN(tst_HistoryFaults)
#include "tst_historyfaults.moc"
