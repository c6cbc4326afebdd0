#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <optional>

namespace animbox {

// The profile file settings.ini: "key=value" lines under "[section]" headers,
// sections and keys found without regard to letter case, values stored in the
// system's 8-bit encoding. Reading gives the default when the file, section
// or key is missing and cuts a value to 254 bytes; writing creates the file
// and the section as needed and fails silently. Reading takes the file in
// once, on first use and again after a write: start-up costs one reading
// however many keys it asks for.
class IniSettings {
public:
    static constexpr int kMaxValueBytes = 254;

    explicit IniSettings(QString filePath);

    QString filePath() const { return m_filePath; }

    QString IniRead(const QString& section, const QString& key, const QString& defaultValue) const;
    void IniWrite(const QString& section, const QString& key, const QString& value) const;

    // The program's own section "settings", with the empty text as default.
    QString ReadSetting(const QString& key) const;
    void WriteSetting(const QString& key, const QString& value) const;

    // The language of the interface chosen in the language menu: "zh", "en",
    // or empty to follow the system.
    QString languageCode() const { return ReadSetting(QStringLiteral("language")); }
    void setLanguageCode(const QString& code) const { WriteSetting(QStringLiteral("language"), code); }

    // A number as the file keeps it: a leading blank where the number has no
    // minus sign, as the colour has always been written.
    static QString numberText(qint32 number);

    // A name without a folder separator is resolved into `folder`; any other
    // name is used unchanged.
    static QString IniPath(const QString& name, const QString& folder);

    // settings.ini in `programFolder` when files can be written there, else
    // in `userFolder` (which is created when needed).
    static QString locate(const QString& programFolder, const QString& userFolder);

private:
    const QHash<QString, QByteArray>& values() const;

    QString m_filePath;
    mutable std::optional<QHash<QString, QByteArray>> m_values;
};

} // namespace animbox
