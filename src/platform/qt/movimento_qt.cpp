#include <QtGlobal>

#include "platform/movimento.h"

#if !defined(Q_OS_DARWIN)
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QDBusVariant>
#endif

namespace pulsaro {

#if !defined(Q_OS_DARWIN)

namespace {

constexpr auto servizioPortale = "org.freedesktop.portal.Desktop";

// One setting of the portal; the answer of Read is a variant inside a variant.
QVariant leggiPortale(QDBusConnection& bus, const QString& spazio, const QString& chiave) {
    QDBusMessage m = QDBusMessage::createMethodCall(servizioPortale, "/org/freedesktop/portal/desktop",
                                                    "org.freedesktop.portal.Settings", "Read");
    m << spazio << chiave;
    const QDBusMessage r = bus.call(m, QDBus::Block, 300);
    if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty()) return {};
    QVariant v = r.arguments().constFirst();
    while (v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>())
        v = v.value<QDBusVariant>().variant();
    return v;
}

}  // namespace

bool movimentoRidottoDesktop() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    // Only a portal that runs: asking for one that does not would start it or wait for it.
    if (!bus.isConnected() || !bus.interface() || !bus.interface()->isServiceRegistered(servizioPortale))
        return false;
    // The portal's own key (1 = reduce), then GNOME's animations switch as the portal relays it.
    const QVariant ridotto = leggiPortale(bus, "org.freedesktop.appearance", "reduced-motion");
    if (ridotto.isValid() && ridotto.toUInt() == 1) return true;
    const QVariant animazioni = leggiPortale(bus, "org.gnome.desktop.interface", "enable-animations");
    return animazioni.isValid() && animazioni.typeId() == QMetaType::Bool && !animazioni.toBool();
}

#endif

}  // namespace pulsaro
