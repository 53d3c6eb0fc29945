// The user preferences kept by QSettings: the user defaults on macOS,
// ~/.config/Pulsaro/Pulsaro.conf on Linux (INI, read by formato_ini so no stored object is decoded).
#pragma once

#include <QMap>
#include <QString>
#include <QVariant>
#include <functional>
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
    void scriviPropria(const std::string& chiave, const ValorePreferenza& v) override;
    std::optional<std::string> messoDaParte() const override;
    bool scritturaFallita() const override;

private:
    PreferenzeQt(std::function<std::unique_ptr<QSettings>()> crea, QString file, bool soloTesto);
    QVariant variante(const ValorePreferenza& v) const;
    void salva(const QString& chiave, const std::optional<QVariant>& valore);
    // Moves the unread file aside under the first free name; false when it cannot.
    bool mettiDaParte();

    mutable std::mutex mutex_;  // QSettings is reentrant, not thread-safe; reads come from the queue too
    std::function<std::unique_ptr<QSettings>()> crea_;
    // The INI file checked before QSettings opens it; empty for the native store.
    QString file_;
    // None while the file found at start is not read (not a small regular file): defaults, and
    // the program's own values in memory, until the user's first change moves it aside.
    std::unique_ptr<QSettings> settings_;
    bool soloTesto_;  // the backend keeps every value as text (INI files)
    bool fallita_ = false;
    QMap<QString, std::optional<QVariant>> nonSalvate_;  // this run's values not in the store yet
    std::optional<std::string> messoDaParte_;
};

}  // namespace pulsaro
