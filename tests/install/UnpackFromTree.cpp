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
    if (argc != 2) {
        std::fprintf(stderr, "usage: unpack_from_tree <archive>\n");
        return 2;
    }

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
    const auto runs = window.findChildren<pakunpack::UnpackRun*>();
    if (runs.size() != 1) {
        std::fprintf(stderr, "the unpack button started %d runs of kespak\n", int(runs.size()));
        return 1;
    }

    const pakunpack::UnpackRun* run = runs.constFirst();
    const QDeadlineTimer deadline(20000);
    while (!run->isFinished()) {
        if (deadline.hasExpired()) {
            std::fprintf(stderr, "kespak did not finish\n");
            return 1;
        }
        QCoreApplication::processEvents();
        QThread::msleep(20);
    }
    if (!run->exitedNormally() || run->exitCode() != 0) {
        std::fprintf(stderr, "kespak failed (exit code %d): %s\n", run->exitCode(), qPrintable(run->errorText()));
        return 1;
    }
    return 0;
}
