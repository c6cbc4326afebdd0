// Plays an author who opens an archive with an installed pakunpack: the
// pakunpack window, run from the installed bin folder (this program is copied
// there), is given the archive and its unpack button is pressed. Exits 0 when
// the kespak run it starts ends with success. A message box the window shows
// is printed and closed, so that the run never waits for a person.
//
// usage: unpack_from_tree <archive>
#include "pakunpack/Form1.h"
#include "pakunpack/UnpackRun.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2)
        return 2;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            if (const auto* box = qobject_cast<QMessageBox*>(modal))
                std::fprintf(stderr, "pakunpack says: %s\n", qPrintable(box->text()));
            modal->close();
        }
    });
    answer.start(100);

    pakunpack::Form1 window(QString::fromLocal8Bit(argv[1]));
    window.show();
    window.findChild<QPushButton*>(QStringLiteral("Command2"))->click();
    const auto* run = window.findChild<pakunpack::UnpackRun*>();
    const QDeadlineTimer deadline(20000);
    while (run && !run->isFinished() && !deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    if (!run || !run->isFinished() || !run->exitedNormally() || run->exitCode() != 0) {
        std::fprintf(stderr, "kespak did not unpack: %s\n", run ? qPrintable(run->errorText()) : "not started");
        return 1;
    }
    return 0;
}
