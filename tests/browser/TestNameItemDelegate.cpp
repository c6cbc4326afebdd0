// The image browser's lists: a row as wide as its name laid out, and long
// names shown whole.
#include "browser/DirList.h"
#include "browser/FileList.h"
#include "browser/NameItemDelegate.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QStyledItemDelegate>
#include <QTest>

namespace {

// How `list` asks its delegate for the size of a row.
QStyleOptionViewItem rowOption(QListWidget& list)
{
    QStyleOptionViewItem option;
    option.initFrom(list.viewport());
    option.font = list.font();
    option.decorationSize = list.iconSize();
    option.widget = &list;
    return option;
}

// The size the style gives a row of `list`, laid out as before.
QSize laidOut(QListWidget& list, QListWidgetItem* item)
{
    QStyledItemDelegate plain;
    return plain.sizeHint(rowOption(list), list.indexFromItem(item));
}

} // namespace

class TestNameItemDelegate : public QObject {
    Q_OBJECT
private slots:
    void rowAsWideAsItsLaidOutName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("icon");
        // Whether the sum measures it: its slack then shows.
        QTest::addColumn<bool>("summed");
        QTest::newRow("short") << QStringLiteral("a.gif") << false << true;
        QTest::newRow("kerning pairs") << QStringLiteral("AVATAR_WAVE_To.gif") << false << true;
        QTest::newRow("long") << QStringLiteral("character_recovery_from_knockdown_frame_017.gif") << false << true;
        QTest::newRow("with an icon") << QStringLiteral("  sprites/") << true << true;
        QTest::newRow("Chinese") << QStringLiteral("跑步动作第三帧.gif") << false << false;
        QTest::newRow("combining mark") << QStringLiteral("cafe\u0301.gif") << false << false;
        QTest::newRow("outside the basic plane") << QStringLiteral("\U0001F600 face.gif") << false << false;
    }

    // Never narrower than the name laid out, or the list would cut the
    // longest name short; wider by little more than the kerning the sum
    // leaves out; as high, also when a glyph comes from another font.
    void rowAsWideAsItsLaidOutName()
    {
        QFETCH(QString, name);
        QFETCH(bool, icon);
        QFETCH(bool, summed);
        QListWidget list;
        list.setIconSize(QSize(16, 16));
        list.setItemDelegate(new browser::NameItemDelegate(&list));
        QPixmap square(16, 16);
        square.fill(Qt::gray);
        auto* item = icon ? new QListWidgetItem(QIcon(square), name, &list) : new QListWidgetItem(name, &list);
        const QSize expected = laidOut(list, item);
        const QSize actual = list.itemDelegate()->sizeHint(rowOption(list), list.indexFromItem(item));
        QCOMPARE(actual.height(), expected.height());
        QVERIFY2(actual.width() >= expected.width() && actual.width() <= expected.width() * 11 / 10 + 6,
                 qPrintable(QStringLiteral("%1 for %2").arg(actual.width()).arg(expected.width())));
        if (summed)
            QVERIFY2(actual.width() > expected.width(), "measured by laying the name out");
    }

    // The browser lists show a long name whole: the list scrolls to it
    // rather than cutting it. The lists fill themselves from their folder
    // when first shown, so the rows are looked up after that.
    void browserListsScrollToLongNames()
    {
        const QString longName = QStringLiteral("character_recovery_from_knockdown_017.gif");
        // a/<long name>/ holds a file of the same long name.
        QTemporaryDir folder;
        const QString inner = folder.filePath(QStringLiteral("a/") + longName);
        QVERIFY(QDir().mkpath(inner) && QFile(inner + u'/' + longName).open(QIODevice::WriteOnly));
        browser::FileList files;
        browser::DirList folders;
        QVERIFY(files.setPath(inner) && folders.setPath(folder.filePath(QStringLiteral("a"))));
        for (QListWidget* list : {static_cast<QListWidget*>(&files), static_cast<QListWidget*>(&folders)}) {
            list->resize(145, 120);
            list->show();
            QVERIFY(QTest::qWaitForWindowExposed(list));
            const QList<QListWidgetItem*> found = list->findItems(longName, Qt::MatchEndsWith);
            QCOMPARE(found.size(), 1);
            QVERIFY(list->visualItemRect(found[0]).width() >= laidOut(*list, found[0]).width());
        }
    }
};

QTEST_MAIN(TestNameItemDelegate)
#include "TestNameItemDelegate.moc"
