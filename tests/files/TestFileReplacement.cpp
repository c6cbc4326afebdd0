// Replacing a file with its .bak copy, on real files: links at the
// backup's name, the file's permission bits, owner, group and hard links,
// and the reason given when the disk is full.

#include "../FileBytes.h"
#include "model/files/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using testfiles::fileBytes;
using testfiles::writeFile;

namespace {

constexpr uint kNobody = 65534; // the user nobody and the group nogroup
constexpr uint kSelf = 0xffffffff; // stands for the user running the test

struct stat statusOf(const QString& path)
{
    struct stat status {};
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

} // namespace

class TestFileReplacement : public QObject {
    Q_OBJECT

private slots:
    // The modes a backup would get without the fix depend on the umask.
    void initTestCase() { ::umask(022); }

    void backupReplacesLink_data()
    {
        QTest::addColumn<int>("link"); // 0: none, a former copy; 1: symbolic; 2: hard
        QTest::addColumn<bool>("victimExists");
        QTest::newRow("a former copy is replaced") << 0 << true;
        QTest::newRow("symbolic link to a file elsewhere") << 1 << true;
        QTest::newRow("symbolic link to no file yet") << 1 << false;
        QTest::newRow("hard link to a file elsewhere") << 2 << true;
    }

    // The previous file becomes the .bak copy and nothing else is left beside
    // them. An archive may ship hero.txt.bak as a link: the first save must
    // replace the link, never write the previous hero.txt where it points.
    void backupReplacesLink()
    {
        QFETCH(int, link);
        QFETCH(bool, victimExists);
        QTemporaryDir dir, elsewhere;
        const QString path = dir.filePath(QStringLiteral("hero.txt"));
        const QString victim = elsewhere.filePath(QStringLiteral("victim"));
        QVERIFY(writeFile(path, "old") && (!victimExists || writeFile(victim, "victim")));
        const QByteArray backup = QFile::encodeName(path + ".bak");
        const QByteArray target = QFile::encodeName(victim);
        QVERIFY(link == 0 ? writeFile(path + ".bak", "older")
                          : (link == 1 ? ::symlink(target, backup) : ::link(target, backup)) == 0);

        QCOMPARE(model::replaceFile(path, "new", "old"), QString());
        QCOMPARE(fileBytes(path), QByteArray("new"));
        QVERIFY(S_ISREG(statusOf(path + ".bak").st_mode));
        QCOMPARE(fileBytes(path + ".bak"), QByteArray("old"));
        QCOMPARE(fileBytes(victim), victimExists ? QByteArray("victim") : QByteArray("<missing>"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"hero.txt", "hero.txt.bak"}));
    }

    void identityKept_data()
    {
        QTest::addColumn<uint>("mode");
        QTest::addColumn<uint>("owner"); // also the group
        QTest::addColumn<uint>("saver");
        QTest::addColumn<bool>("hardLink");
        QTest::newRow("0600") << 0600u << kSelf << kSelf << false;
        QTest::newRow("0640 of nobody:nogroup, saved by root") << 0640u << kNobody << 0u << false;
        QTest::newRow("two names") << 0644u << kSelf << kSelf << true;
        QTest::newRow("owner the saver cannot give") << 0666u << 0u << kNobody << false;
    }

    // The file keeps its modes, owner, group and other names, and the backup
    // takes the file's modes. Where the saver may not give a new file the
    // owner, the file is written in place.
    void identityKept()
    {
        QFETCH(uint, mode);
        QFETCH(uint, owner);
        QFETCH(uint, saver);
        QFETCH(bool, hardLink);
        const uint self = ::geteuid();
        const uint group = owner == kSelf ? ::getegid() : owner;
        owner = owner == kSelf ? self : owner;
        saver = saver == kSelf ? self : saver;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("hero.txt"));
        const QString other = dir.filePath(QStringLiteral("other name.txt"));
        QVERIFY(writeFile(path, "old") && ::chmod(QFile::encodeName(path).constData(), mode) == 0);
        QVERIFY(!hardLink || ::link(QFile::encodeName(path).constData(), QFile::encodeName(other).constData()) == 0);
        if (::chown(QFile::encodeName(path).constData(), owner, group) != 0)
            QSKIP("giving a file another owner needs root");
        if (saver != self && self != 0)
            QSKIP("saving as another user needs root");
        QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0);
        QVERIFY(::seteuid(saver) == 0);
        const QString error = model::replaceFile(path, "new contents", "old");
        QVERIFY(::seteuid(self) == 0);
        QCOMPARE(error, QString());

        QCOMPARE(fileBytes(path), QByteArray("new contents"));
        QVERIFY(!hardLink || fileBytes(other) == "new contents");
        const struct stat status = statusOf(path);
        QCOMPARE(status.st_mode & 0777, mode);
        QCOMPARE(status.st_uid, owner);
        QCOMPARE(status.st_gid, group);
        QCOMPARE(statusOf(path + ".bak").st_mode & 0777, mode);
        QCOMPARE(fileBytes(path + ".bak"), QByteArray("old"));
    }

    void fullDiskSaysWhy_data()
    {
        QTest::addColumn<int>("freePages");
        QTest::addColumn<bool>("hardLink");
        QTest::newRow("no room for the backup") << 0 << false;
        QTest::newRow("room for the backup, not for the longer file written in place") << 2 << true;
    }

    // On a small file system filled up, the save says why it failed, in the
    // system's words, and leaves the file as it was.
    void fullDiskSaysWhy()
    {
        QFETCH(int, freePages);
        QFETCH(bool, hardLink);
        QTemporaryDir dir;
        const QByteArray mountPoint = QFile::encodeName(dir.path());
        if (::mount("tmpfs", mountPoint.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0)
            QSKIP(qPrintable(QStringLiteral("mounting a small file system to fill needs CAP_SYS_ADMIN: %1")
                                 .arg(QString::fromLocal8Bit(std::strerror(errno)))));
        const auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
        const QString path = dir.filePath(QStringLiteral("hero.txt"));
        const QByteArray old(4096, 'o');
        QVERIFY(writeFile(path, old));
        QVERIFY(!hardLink || ::link(QFile::encodeName(path).constData(), mountPoint + "/other.txt") == 0);
        QFile filler(dir.filePath(QStringLiteral("filler")));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(old) == old.size()) {
        }
        QVERIFY(filler.resize(filler.size() - freePages * 4096));
        filler.close();

        const QString error = model::replaceFile(path, QByteArray(3 * 4096, 'n'), old);
        QVERIFY2(error.contains(QString::fromLocal8Bit(std::strerror(ENOSPC))), qPrintable(error));
        QVERIFY2(error.contains(QStringLiteral("文件未作修改")), qPrintable(error));
        QCOMPARE(fileBytes(path), old);
        QVERIFY(!hardLink || fileBytes(dir.filePath(QStringLiteral("other.txt"))) == old);
    }
};

QTEST_GUILESS_MAIN(TestFileReplacement)
#include "TestFileReplacement.moc"
