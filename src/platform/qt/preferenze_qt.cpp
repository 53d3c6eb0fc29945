#include "platform/qt/preferenze_qt.h"

#include <QByteArray>
#include <QSettings>
#include <QStringList>
#include <QVariant>

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

PreferenzeQt::PreferenzeQt()
    : settings_(std::make_unique<QSettings>(formatoNativo(), QSettings::UserScope, QStringLiteral("Pulsaro"),
                                            QStringLiteral("Pulsaro"))),
      soloTesto_(!nativoTipizzato) {}

PreferenzeQt::PreferenzeQt(const QString& organizzazione, const QString& applicazione)
    : settings_(
          std::make_unique<QSettings>(formatoNativo(), QSettings::UserScope, organizzazione, applicazione)),
      soloTesto_(!nativoTipizzato) {}

PreferenzeQt::PreferenzeQt(const QString& file)
    : settings_(std::make_unique<QSettings>(file, formatoIni())), soloTesto_(true) {}

PreferenzeQt::~PreferenzeQt() = default;

std::optional<ValorePreferenza> PreferenzeQt::valore(const std::string& chiave) const {
    std::lock_guard lock(mutex_);
    return daVariant(settings_->value(QString::fromStdString(chiave)), soloTesto_);
}

void PreferenzeQt::scrivi(const std::string& chiave, const ValorePreferenza& v) {
    {
        std::lock_guard lock(mutex_);
        QVariant q = std::visit(
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
        settings_->setValue(QString::fromStdString(chiave), q);
        settings_->sync();
    }
    annuncia(chiave);
}

void PreferenzeQt::rimuovi(const std::string& chiave) {
    {
        std::lock_guard lock(mutex_);
        settings_->remove(QString::fromStdString(chiave));
        settings_->sync();
    }
    annuncia(chiave);
}

}  // namespace pulsaro
