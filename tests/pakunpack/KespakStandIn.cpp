// Stands in for kespak in the pakunpack tests: writes the arguments it was
// started with, one a line, to the file named by KES_ARGUMENT_RECORD, when
// set (the file appears whole or not at all, so a reader never sees half of
// it); then writes KES_STAND_IN_RECORDS on its output, as kespak writes its
// progress records, stays running for KES_STAND_IN_WAIT milliseconds and
// ends with the exit code KES_STAND_IN_EXIT (0 when unset).
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
