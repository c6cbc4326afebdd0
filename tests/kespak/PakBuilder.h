#pragma once

#include <QByteArray>
#include <QtEndian>

// Builds archive bytes, bad ones included: the stored data, directory entries
// exactly as given, and the trailing directory offset.
struct PakBuilder
{
    QByteArray data, directory;

    static QByteArray le32(quint32 value)
    {
        const quint32 little = qToLittleEndian(value);
        return QByteArray(reinterpret_cast<const char*>(&little), 4);
    }
    // Stores `bytes` and returns their offset.
    quint32 addData(const QByteArray& bytes)
    {
        data += bytes;
        return quint32(8 + data.size() - bytes.size());
    }
    void addRawEntry(quint32 length, quint32 offset, quint32 size, const QByteArray& nameBytes)
    {
        directory += le32(length) + le32(offset) + le32(size) + nameBytes;
    }
    void addFile(const QByteArray& name, const QByteArray& content)
    {
        addRawEntry(quint32(12 + name.size() + 1), addData(content), quint32(content.size()), name + '\0');
    }
    QByteArray build() const { return "PACK" + le32(0) + data + directory + le32(quint32(8 + data.size())); }
};
