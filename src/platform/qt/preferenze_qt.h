// The user preferences kept by QSettings: the user defaults on macOS,
// ~/.config/Pulsaro/Pulsaro.conf on Linux (INI, read by formato_ini so no stored object is decoded).
#pragma once

#include <QString>
#include <memory>
#include <mutex>

#include "platform/preferenze.h"

class QSettings;

namespace pulsaro {

class PreferenzeQt : public Preferenze {
public:
    // The application's own store (organisation and application "Pulsaro").
    PreferenzeQt();
    // Another application's store in the native format (organisation and application name).
    PreferenzeQt(const QString& organizzazione, const QString& applicazione);
    // An INI file at the given path, for tests.
    explicit PreferenzeQt(const QString& file);
    ~PreferenzeQt() override;

    PreferenzeQt(const PreferenzeQt&) = delete;
    PreferenzeQt& operator=(const PreferenzeQt&) = delete;

    std::optional<ValorePreferenza> valore(const std::string& chiave) const override;
    void scrivi(const std::string& chiave, const ValorePreferenza& v) override;
    void rimuovi(const std::string& chiave) override;

private:
    mutable std::mutex mutex_;  // QSettings is reentrant, not thread-safe; reads come from the queue too
    std::unique_ptr<QSettings> settings_;
    bool soloTesto_;  // the backend keeps every value as text (INI files)
};

}  // namespace pulsaro
