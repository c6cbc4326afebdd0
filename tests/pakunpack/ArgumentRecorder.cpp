// Stands in for kespak in the pakunpack tests: writes the arguments it was
// started with, one a line, to the file named by KES_ARGUMENT_RECORD. The
// file appears whole or not at all, so a reader never sees half of it.
#include <QCoreApplication>
#include <QSaveFile>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QSaveFile record(qEnvironmentVariable("KES_ARGUMENT_RECORD"));
    const QByteArray arguments = app.arguments().mid(1).join(u'\n').toUtf8();
    return record.open(QIODevice::WriteOnly) && record.write(arguments) == arguments.size() && record.commit() ? 0 : 1;
}
