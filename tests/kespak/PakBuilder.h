#pragma once

#include <QByteArray>

// Builds archive bytes for the tests, bad ones included: the data, the
// directory entries (with the length and terminator they are given) and
// the trailing directory offset.
class PakBuilder
{
public:
    // Stores `bytes` and returns their offset.
    quint32 addData(const QByteArray& bytes);
    // An entry with the length the layout prescribes.
    void addEntry(const QByteArray& name, quint32 offset, quint32 size);
    // Stores `content` and adds its entry.
    void addFile(const QByteArray& name, const QByteArray& content);
    // An entry exactly as given: `nameBytes` gets no NUL added.
    void addRawEntry(quint32 length, quint32 offset, quint32 size, const QByteArray& nameBytes);

    QByteArray build() const;
    quint32 directoryOffset() const { return quint32(8 + m_data.size()); }

private:
    QByteArray m_data;
    QByteArray m_directory;
};

QByteArray le32(quint32 value);
