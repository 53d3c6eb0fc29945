// The preferences file on Linux: the INI syntax QSettings uses, read by our own code.
// Qt's own INI reader turns "@Variant(…)" values into objects through QDataStream, and a few
// corrupt bytes there ask for gigabytes or abort the process; this reader keeps such values as
// opaque text, which nobody reads and every write keeps.
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QSettings>

namespace pulsaro {

// A value written by something else ("@Variant(…)", "@Rect(…)"…): never decoded, written back
// exactly as found.
struct ValoreOpaco {
    QByteArray grezzo;  // the escaped text after '=', as it stood in the file
    bool operator==(const ValoreOpaco&) const = default;
};

// Keys as QSettings names them ("chiave", "gruppo/chiave"); values are QString, QByteArray
// ("@ByteArray(…)"), QStringList (an unquoted value with commas) or ValoreOpaco. Anything that
// cannot be read is skipped.
QSettings::SettingsMap leggiIni(const QByteArray& testo);
// Booleans, numbers, texts, bytes and lists as QSettings writes them; an opaque value as found.
QByteArray scriviIni(const QSettings::SettingsMap& mappa);

// A preferences file larger than this is not read: a few hundred keys fit in a few kilobytes.
inline constexpr qint64 limiteFileIni = 1 << 20;

// The format registered with QSettings once ("conf" files) on the two functions above.
QSettings::Format formatoIni();

}  // namespace pulsaro

Q_DECLARE_METATYPE(pulsaro::ValoreOpaco)
