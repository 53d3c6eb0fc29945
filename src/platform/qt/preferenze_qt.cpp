#include "platform/qt/preferenze_qt.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

#include <cerrno>
#include <cstring>

#include "platform/diario.h"
#include "platform/numeri.h"
#include "platform/qt/formato_ini.h"

namespace pulsaro {

namespace {

#if defined(Q_OS_DARWIN)
constexpr bool nativoTipizzato = true;  // the user defaults keep booleans, numbers and strings apart
QSettings::Format formatoNativo() {
    return QSettings::NativeFormat;
}
#else
constexpr bool nativoTipizzato = false;  // an INI file: everything comes back as text
QSettings::Format formatoNativo() {
    return formatoIni();
}
#endif

// What QSettings writes for a double has a point or an exponent; plain digits are an integer.
std::optional<double> decimaleDaTesto(const std::string& t) {
    if (t.find_first_of(".eE") == std::string::npos) return std::nullopt;
    return decimaleRigoroso(t);
}

// How a text read from an INI file is understood.
ValorePreferenza daTesto(const std::string& t) {
    if (t == "true") return true;
    if (t == "false") return false;
    if (auto n = interoRigoroso(t)) return *n;
    if (auto d = decimaleDaTesto(t)) return *d;
    return t;
}

std::optional<ValorePreferenza> daVariant(const QVariant& v, bool soloTesto) {
    if (!v.isValid()) return std::nullopt;
    switch (v.typeId()) {
        case QMetaType::Bool:
            return v.toBool();
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::LongLong:
            return static_cast<std::int64_t>(v.toLongLong());
        case QMetaType::ULongLong:
        case QMetaType::ULong: {
            const qulonglong u = v.toULongLong();
            if (u > static_cast<qulonglong>(INT64_MAX)) return std::nullopt;
            return static_cast<std::int64_t>(u);
        }
        case QMetaType::Double:
        case QMetaType::Float:
            return v.toDouble();
        case QMetaType::QString: {
            std::string t = v.toString().toStdString();
            if (soloTesto) return daTesto(t);
            return t;
        }
        // A text that would read as something else is stored as bytes (see scrivi).
        case QMetaType::QByteArray:
            return v.toByteArray().toStdString();
        // An unquoted value with commas in an INI file comes back as a list.
        case QMetaType::QStringList:
            return v.toStringList().join(QStringLiteral(", ")).toStdString();
        default:
            return std::nullopt;
    }
}

}  // namespace

PreferenzeQt::PreferenzeQt() : PreferenzeQt(QStringLiteral("Pulsaro"), QStringLiteral("Pulsaro")) {}

PreferenzeQt::PreferenzeQt(const QString& organizzazione, const QString& applicazione)
    : PreferenzeQt(
          [organizzazione, applicazione] {
              return std::make_unique<QSettings>(formatoNativo(), QSettings::UserScope, organizzazione,
                                                 applicazione);
          },
          nativoTipizzato ? QString()
                          : QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u'/' +
                                organizzazione + u'/' + applicazione + QStringLiteral(".conf"),
          !nativoTipizzato) {}

PreferenzeQt::PreferenzeQt(const QString& file)
    : PreferenzeQt([file] { return std::make_unique<QSettings>(file, formatoIni()); }, file, true) {}

PreferenzeQt::PreferenzeQt(std::function<std::unique_ptr<QSettings>()> crea, QString file, bool soloTesto)
    : crea_(std::move(crea)), file_(std::move(file)), soloTesto_(soloTesto) {
    // QSettings opens the file at once and would wait forever on a FIFO; a huge one costs its
    // size in memory at every change. Neither is read, and neither is touched before a change.
    if (!file_.isEmpty()) {
        const QFileInfo info(file_);
        if (info.exists() && !info.isFile()) {
            diario(
                LivelloDiario::avviso, "preferenze",
                file_.toStdString() +
                    " non è un file regolare: valori predefiniti, alla prima modifica sarà messo da parte");
            return;
        }
        if (info.exists() && info.size() > limiteFileIni) {
            diario(LivelloDiario::avviso, "preferenze",
                   file_.toStdString() + " supera " + std::to_string(limiteFileIni / 1024) +
                       " KiB: valori predefiniti, il file resta com'è e alla prima modifica sarà messo da "
                       "parte");
            return;
        }
    }
    settings_ = crea_();
}

PreferenzeQt::~PreferenzeQt() = default;

std::optional<ValorePreferenza> PreferenzeQt::valore(const std::string& chiave) const {
    std::lock_guard lock(mutex_);
    if (!settings_) {
        const auto it = nonSalvate_.constFind(QString::fromStdString(chiave));
        return it == nonSalvate_.cend() || !*it ? std::nullopt : daVariant(**it, soloTesto_);
    }
    return daVariant(settings_->value(QString::fromStdString(chiave)), soloTesto_);
}

QVariant PreferenzeQt::variante(const ValorePreferenza& v) const {
    return std::visit(
        [this](const auto& x) -> QVariant {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, bool>) {
                return x;
            } else if constexpr (std::is_same_v<T, std::int64_t>) {
                return static_cast<qlonglong>(x);
            } else if constexpr (std::is_same_v<T, double>) {
                return x;
            } else {
                // "112233" must come back as a colour string, not as a number.
                if (soloTesto_ && !std::holds_alternative<std::string>(daTesto(x)))
                    return QByteArray::fromStdString(x);
                return QString::fromStdString(x);
            }
        },
        v);
}

void PreferenzeQt::scrivi(const std::string& chiave, const ValorePreferenza& v) {
    {
        std::lock_guard lock(mutex_);
        salva(QString::fromStdString(chiave), variante(v));
    }
    annuncia(chiave);
}

void PreferenzeQt::scriviPropria(const std::string& chiave, const ValorePreferenza& v) {
    {
        std::lock_guard lock(mutex_);
        if (settings_)
            salva(QString::fromStdString(chiave), variante(v));
        else
            nonSalvate_[QString::fromStdString(chiave)] =
                variante(v);  // written with the user's first change
    }
    annuncia(chiave);
}

std::optional<std::string> PreferenzeQt::messoDaParte() const {
    std::lock_guard lock(mutex_);
    return messoDaParte_;
}

void PreferenzeQt::rimuovi(const std::string& chiave) {
    {
        std::lock_guard lock(mutex_);
        salva(QString::fromStdString(chiave), std::nullopt);
    }
    annuncia(chiave);
}

bool PreferenzeQt::scritturaFallita() const {
    std::lock_guard lock(mutex_);
    return fallita_;
}

void PreferenzeQt::salva(const QString& chiave, const std::optional<QVariant>& valore) {
    nonSalvate_[chiave] = valore;
    if (!settings_) {
        // The unread file gives way to a new one at the user's first change, and is kept.
        if (!mettiDaParte()) {
            fallita_ = true;
            return;
        }
        settings_ = crea_();
    } else if (fallita_) {
        // QSettings keeps its first error for good: a fresh object tells whether this try works.
        settings_ = crea_();
    }
    for (auto it = nonSalvate_.cbegin(); it != nonSalvate_.cend(); ++it) {
        if (*it)
            settings_->setValue(it.key(), **it);
        else
            settings_->remove(it.key());
    }
    settings_->sync();
    if (settings_->status() != QSettings::AccessError) {
        if (fallita_) diario(LivelloDiario::info, "preferenze", "preferenze di nuovo salvate");
        fallita_ = false;
        nonSalvate_.clear();
        return;
    }
    if (!fallita_) {
        const std::string dove = file_.isEmpty() ? settings_->fileName().toStdString() : file_.toStdString();
        diario(LivelloDiario::avviso, "preferenze",
               "scrittura non riuscita in " + dove + ": le modifiche valgono fino alla chiusura");
    }
    fallita_ = true;  // this object keeps the values for the reads until the next try
}

bool PreferenzeQt::mettiDaParte() {
    const QByteArray da = QFile::encodeName(file_);
    struct stat info {};
    if (::lstat(da.constData(), &info) != 0) return errno == ENOENT;  // gone meanwhile: nothing to keep
    // The first free name; an older file set aside is kept too, up to nine, then the last goes.
    QString a;
    for (int n = 1; n <= 9; ++n) {
        a = file_ + QStringLiteral(".illeggibile") + (n > 1 ? QStringLiteral(".%1").arg(n) : QString());
        if (::lstat(QFile::encodeName(a).constData(), &info) != 0 && errno == ENOENT) break;
    }
    if (::rename(da.constData(), QFile::encodeName(a).constData()) != 0) {
        if (!fallita_)
            diario(LivelloDiario::avviso, "preferenze",
                   file_.toStdString() + " non si può mettere da parte: " + std::strerror(errno));
        return false;
    }
    messoDaParte_ = a.toStdString();
    diario(LivelloDiario::avviso, "preferenze",
           file_.toStdString() + " illeggibile, messo da parte come " + a.toStdString() +
               ": le preferenze ripartono da questa modifica");
    return true;
}

}  // namespace pulsaro
