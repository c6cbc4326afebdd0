// Stands in for kespak in the pakunpack tests: writes its arguments, one a
// line, to the file KES_ARGUMENT_RECORD names, when set (whole or not at all),
// writes KES_STAND_IN_RECORDS on its output as kespak writes its progress, then
// waits KES_STAND_IN_WAIT milliseconds and exits with KES_STAND_IN_EXIT (or 0).
#include <QCoreApplication>
#include <QSaveFile>
#include <QThread>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("KES_ARGUMENT_RECORD")) {
        QSaveFile record(qEnvironmentVariable("KES_ARGUMENT_RECORD"));
        const QByteArray arguments = app.arguments().mid(1).join(u'\n').toUtf8();
        if (!record.open(QIODevice::WriteOnly) || record.write(arguments) != arguments.size() || !record.commit())
            return 1;
    }
    std::fputs(qgetenv("KES_STAND_IN_RECORDS").constData(), stdout);
    std::fflush(stdout);
    QThread::msleep(qEnvironmentVariableIntValue("KES_STAND_IN_WAIT"));
    return qEnvironmentVariableIntValue("KES_STAND_IN_EXIT");
}
