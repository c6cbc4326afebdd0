// Stands in for kespak in the pakunpack tests: writes the arguments it was
// started with, as a JSON array, to the file named by KES_ARGUMENT_RECORD.
// The file is written whole and renamed, so a reader never sees half of it.
#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString recordPath = qEnvironmentVariable("KES_ARGUMENT_RECORD");
    if (recordPath.isEmpty())
        return 1;
    QSaveFile record(recordPath);
    if (!record.open(QIODevice::WriteOnly))
        return 1;
    record.write(QJsonDocument(QJsonArray::fromStringList(app.arguments().mid(1))).toJson());
    return record.commit() ? 0 : 1;
}
