#include "PakBuilder.h"

QByteArray le32(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 0; i < 4; ++i)
        bytes[i] = char(value >> (8 * i) & 0xff);
    return bytes;
}

quint32 PakBuilder::addData(const QByteArray& bytes)
{
    const quint32 offset = directoryOffset();
    m_data += bytes;
    return offset;
}

void PakBuilder::addEntry(const QByteArray& name, quint32 offset, quint32 size)
{
    addRawEntry(quint32(12 + name.size() + 1), offset, size, name + '\0');
}

void PakBuilder::addFile(const QByteArray& name, const QByteArray& content)
{
    addEntry(name, addData(content), quint32(content.size()));
}

void PakBuilder::addRawEntry(quint32 length, quint32 offset, quint32 size, const QByteArray& nameBytes)
{
    m_directory += le32(length) + le32(offset) + le32(size) + nameBytes;
}

QByteArray PakBuilder::build() const
{
    return QByteArray("PACK") + le32(0) + m_data + m_directory + le32(directoryOffset());
}
