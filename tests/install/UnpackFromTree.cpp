// Plays an author who opens an archive with an installed pakunpack: the
// pakunpack window, run from the installed bin folder (this program is copied
// there), is given the archive and its unpack button is pressed. Exits 0 once
// the expected file has been extracted. A message box the window shows is
// printed and closed, so that the run never waits for a person.
//
// usage: unpack_from_tree <archive> <file the archive extracts to>

#include "pakunpack/Form1.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: unpack_from_tree <archive> <extracted file>\n");
        return 2;
    }
    const QString expected = QString::fromLocal8Bit(argv[2]);

    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (const auto* box = qobject_cast<QMessageBox*>(modal))
            std::fprintf(stderr, "pakunpack says: %s\n", qPrintable(box->text()));
        modal->close();
    });
    answer.start(100);

    pakunpack::Form1 window(QString::fromLocal8Bit(argv[1]));
    window.show();
    auto* unpack = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    if (!unpack) {
        std::fprintf(stderr, "the window has no unpack button\n");
        return 1;
    }
    unpack->click();

    const QDeadlineTimer deadline(20000);
    while (!QFileInfo::exists(expected)) {
        if (deadline.hasExpired()) {
            std::fprintf(stderr, "%s was not extracted\n", qPrintable(expected));
            return 1;
        }
        QCoreApplication::processEvents();
        QThread::msleep(50);
    }
    return 0;
}
