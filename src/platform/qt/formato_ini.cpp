#include "platform/qt/formato_ini.h"

#include <QIODevice>
#include <QList>
#include <QLocale>
#include <QStringList>
#include <QVariant>
#include <utility>

namespace pulsaro {

namespace {

bool spazio(char c) {
    return c == ' ' || c == '\t';
}

int cifraEsadecimale(QChar c) {
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9') return u - '0';
    if (u >= 'a' && u <= 'f') return u - 'a' + 10;
    if (u >= 'A' && u <= 'F') return u - 'A' + 10;
    return -1;
}

QByteArrayView senzaSpazi(QByteArrayView t) {
    while (!t.isEmpty() && spazio(t.front())) t = t.sliced(1);
    while (!t.isEmpty() && spazio(t.back())) t.chop(1);
    return t;
}

// "%XX" and "%UXXXX" are characters, a backslash is the group separator.
QString chiaveDaIni(QByteArrayView grezza) {
    const QString t = QString::fromUtf8(grezza);
    QString out;
    for (qsizetype i = 0; i < t.size();) {
        const QChar c = t[i];
        if (c == u'\\') {
            out += u'/';
            ++i;
            continue;
        }
        if (c == u'%') {
            const bool lungo = i + 1 < t.size() && t[i + 1] == u'U';
            const qsizetype inizio = i + (lungo ? 2 : 1);
            const qsizetype cifre = lungo ? 4 : 2;
            if (inizio + cifre <= t.size()) {
                int valore = 0;
                bool ok = true;
                for (qsizetype k = 0; k < cifre && ok; ++k) {
                    const int d = cifraEsadecimale(t[inizio + k]);
                    ok = d >= 0;
                    valore = valore * 16 + d;
                }
                if (ok) {
                    out += QChar(static_cast<char16_t>(valore));
                    i = inizio + cifre;
                    continue;
                }
            }
        }
        out += c;
        ++i;
    }
    return out;
}

// "a//b/" is "a/b", as QSettings names keys.
QString normalizzata(const QString& chiave) {
    return chiave.split(u'/', Qt::SkipEmptyParts).join(u'/');
}

QByteArray esadecimale(unsigned valore, int cifre) {
    return QByteArray::number(valore, 16).toUpper().rightJustified(cifre, '0');
}

QByteArray chiaveAIni(QStringView chiave) {
    QByteArray out;
    for (const QChar c : chiave) {
        const char16_t u = c.unicode();
        if (u == '/') {
            out += '\\';
        } else if ((u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '_' ||
                   u == '-' || u == '.') {
            out += static_cast<char>(u);
        } else if (u <= 0xFF) {
            out += '%' + esadecimale(u, 2);
        } else {
            out += "%U" + esadecimale(u, 4);
        }
    }
    return out;
}

// The unescaped text of a value: quotes group, backslash escapes (\n, \x41, \101), unquoted
// commas make a list, spaces around unquoted pieces go.
struct TestoValore {
    QString testo;
    QStringList elementi;
    bool lista = false;
};

TestoValore valoreDaIni(QByteArrayView v) {
    TestoValore r;
    QString corrente;
    qsizetype tagliabile = 0;  // spaces before this index were quoted or escaped: they stay
    bool traVirgolette = false;
    qsizetype i = 0;
    const qsizetype n = v.size();
    auto saltaSpazi = [&] {
        while (i < n && spazio(v[i])) ++i;
        tagliabile = corrente.size();
    };
    auto chiudiPezzo = [&] {
        qsizetype fine = corrente.size();
        while (fine > tagliabile && (corrente[fine - 1] == u' ' || corrente[fine - 1] == u'\t')) --fine;
        corrente.truncate(fine);
    };
    saltaSpazi();
    while (i < n) {
        const char c = v[i];
        if (c == '\\') {
            if (++i >= n) break;
            const char e = v[i++];
            switch (e) {
                case 'a':
                    corrente += u'\a';
                    break;
                case 'b':
                    corrente += u'\b';
                    break;
                case 'f':
                    corrente += u'\f';
                    break;
                case 'n':
                    corrente += u'\n';
                    break;
                case 'r':
                    corrente += u'\r';
                    break;
                case 't':
                    corrente += u'\t';
                    break;
                case 'v':
                    corrente += u'\v';
                    break;
                case '"':
                case '?':
                case '\'':
                case '\\':
                    corrente += QLatin1Char(e);
                    break;
                case 'x': {
                    char16_t valore = 0;
                    bool cifre = false;
                    int d;
                    while (i < n && (d = cifraEsadecimale(QLatin1Char(v[i]))) >= 0) {
                        valore = static_cast<char16_t>(valore * 16 + d);
                        cifre = true;
                        ++i;
                    }
                    if (cifre) corrente += QChar(valore);
                    break;
                }
                default:
                    if (e >= '0' && e <= '7') {
                        char16_t valore = static_cast<char16_t>(e - '0');
                        while (i < n && v[i] >= '0' && v[i] <= '7')
                            valore = static_cast<char16_t>(valore * 8 + (v[i++] - '0'));
                        corrente += QChar(valore);
                    }
                    break;  // an unknown escape is dropped
            }
            tagliabile = corrente.size();
        } else if (c == '"') {
            ++i;
            traVirgolette = !traVirgolette;
            if (!traVirgolette) saltaSpazi();
        } else if (c == ',' && !traVirgolette) {
            chiudiPezzo();
            r.elementi.append(std::exchange(corrente, QString()));
            r.lista = true;
            ++i;
            saltaSpazi();
        } else {
            qsizetype j = i + 1;
            while (j < n && v[j] != '\\' && v[j] != '"' && v[j] != ',') ++j;
            corrente += QString::fromUtf8(v.sliced(i, j - i));
            i = j;
        }
    }
    chiudiPezzo();
    if (r.lista)
        r.elementi.append(corrente);
    else
        r.testo = corrente;
    return r;
}

// "@Word(…)": a value some program wrote as a typed object.
bool oggettoTipizzato(const QString& s) {
    qsizetype i = 1;
    while (i < s.size() && s[i].isLetter() && s[i].unicode() < 0x80) ++i;
    return i > 1 && i < s.size() && s[i] == u'(' && s.endsWith(u')');
}

QVariant interpreta(QByteArrayView grezzo) {
    TestoValore t = valoreDaIni(grezzo);
    if (t.lista) return t.elementi;
    const QString& s = t.testo;
    if (!s.startsWith(u'@')) return s;
    if (s.startsWith(u"@@")) return s.sliced(1);
    if (s.endsWith(u')')) {
        if (s.startsWith(u"@ByteArray(")) return s.sliced(11).chopped(1).toLatin1();
        if (s.startsWith(u"@String(")) return s.sliced(8).chopped(1);
    }
    if (oggettoTipizzato(s)) return QVariant::fromValue(ValoreOpaco{grezzo.toByteArray()});
    return s;
}

void aggiungiEscape(QByteArray& out, unsigned valore, bool& escapeSeCifra) {
    out += "\\x" + QByteArray::number(valore, 16);
    escapeSeCifra = true;
}

// Bytes (useUtf8 false) keep every character below 0x100 and escape the high half; texts go out
// as UTF-8.
QByteArray testoAIni(QStringView s, bool utf8) {
    QByteArray out;
    bool virgolette = false;
    bool escapeSeCifra = false;  // after \x41 or \0 a hex digit would join the escape
    for (qsizetype i = 0; i < s.size(); ++i) {
        const char16_t u = s[i].unicode();
        if (u == ';' || u == ',' || u == '=') virgolette = true;
        if (escapeSeCifra && cifraEsadecimale(s[i]) >= 0) {
            aggiungiEscape(out, u, escapeSeCifra);
            continue;
        }
        escapeSeCifra = false;
        switch (u) {
            case 0:
                out += "\\0";
                escapeSeCifra = true;
                break;
            case '\a':
                out += "\\a";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\v':
                out += "\\v";
                break;
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (u <= 0x1F || u == 0x7F || (!utf8 && u >= 0x80)) {
                    aggiungiEscape(out, u, escapeSeCifra);
                } else if (u < 0x80) {
                    out += static_cast<char>(u);
                } else if (QChar::isHighSurrogate(u) && i + 1 < s.size() && s[i + 1].isLowSurrogate()) {
                    out += s.sliced(i, 2).toUtf8();
                    ++i;
                } else if (QChar::isSurrogate(u)) {
                    aggiungiEscape(out, u, escapeSeCifra);  // half a pair has no UTF-8
                } else {
                    out += s.sliced(i, 1).toUtf8();
                }
        }
    }
    if (virgolette || out.startsWith(' ') || out.endsWith(' ')) return '"' + out + '"';
    return out;
}

QByteArray valoreAIni(const QVariant& v) {
    switch (v.typeId()) {
        case QMetaType::Bool:
            return v.toBool() ? "true" : "false";
        case QMetaType::Int:
        case QMetaType::Long:
        case QMetaType::LongLong:
            return QByteArray::number(v.toLongLong());
        case QMetaType::UInt:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            return QByteArray::number(v.toULongLong());
        case QMetaType::Double:
        case QMetaType::Float:
            return QByteArray::number(v.toDouble(), 'g', QLocale::FloatingPointShortest);
        case QMetaType::QByteArray:
            return testoAIni(QString::fromLatin1("@ByteArray(" + v.toByteArray() + ')'), false);
        case QMetaType::QStringList: {
            const QStringList l = v.toStringList();
            if (l.size() < 2) return testoAIni(l.join(u", "), true);
            QByteArrayList pezzi;
            for (const QString& e : l) pezzi.append(testoAIni(e, true));
            return pezzi.join(", ");
        }
        default:
            if (v.userType() == qMetaTypeId<ValoreOpaco>()) return v.value<ValoreOpaco>().grezzo;
            if (!v.isValid()) return "@Invalid()";
            const QString s = v.toString();
            return testoAIni(s.startsWith(u'@') ? u'@' + s : s, true);
    }
}

QByteArray sezioneAIni(const QString& nome) {
    QByteArray out = chiaveAIni(nome);
    // A group called "General" must not read back as the top level.
    if (nome.compare(u"general", Qt::CaseInsensitive) == 0)
        out = '%' + esadecimale(nome[0].unicode(), 2) + out.mid(1);
    return out;
}

bool leggi(QIODevice& dispositivo, QSettings::SettingsMap& mappa) {
    // A file that grew past the bound after the start's check is refused here, before reading it.
    if (dispositivo.size() > limiteFileIni) return false;
    mappa = leggiIni(dispositivo.read(limiteFileIni));
    return true;
}

bool scrivi(QIODevice& dispositivo, const QSettings::SettingsMap& mappa) {
    const QByteArray testo = scriviIni(mappa);
    return dispositivo.write(testo) == testo.size();
}

}  // namespace

QSettings::SettingsMap leggiIni(const QByteArray& testo) {
    QSettings::SettingsMap mappa;
    QString gruppo;
    qsizetype inizio = 0;
    while (inizio < testo.size()) {
        qsizetype fine = inizio;
        while (fine < testo.size() && testo[fine] != '\n' && testo[fine] != '\r') ++fine;
        const QByteArrayView riga = senzaSpazi(QByteArrayView(testo).sliced(inizio, fine - inizio));
        inizio = fine + 1;
        if (riga.isEmpty() || riga.front() == ';' || riga.front() == '#') continue;
        if (riga.front() == '[') {
            const qsizetype chiusa = riga.indexOf(']');
            if (chiusa < 0) continue;
            const QByteArrayView nome = senzaSpazi(riga.sliced(1, chiusa - 1));
            if (nome.compare("general", Qt::CaseInsensitive) == 0) {
                gruppo.clear();
            } else if (nome.compare("%general", Qt::CaseInsensitive) == 0) {
                gruppo = QStringLiteral("General/");
            } else {
                gruppo = chiaveDaIni(nome) + u'/';
            }
            continue;
        }
        const qsizetype uguale = riga.indexOf('=');
        if (uguale < 0) continue;
        const QString chiave = normalizzata(gruppo + chiaveDaIni(senzaSpazi(riga.first(uguale))));
        if (chiave.isEmpty()) continue;
        mappa.insert(chiave, interpreta(senzaSpazi(riga.sliced(uguale + 1))));
    }
    return mappa;
}

QByteArray scriviIni(const QSettings::SettingsMap& mappa) {
    QByteArray generale;
    QMap<QString, QByteArray> gruppi;
    for (auto it = mappa.cbegin(); it != mappa.cend(); ++it) {
        const QString& chiave = it.key();
        const qsizetype barra = chiave.indexOf(u'/');
        const QByteArray riga =
            (barra < 0 ? chiaveAIni(chiave) : chiaveAIni(QStringView(chiave).sliced(barra + 1))) + '=' +
            valoreAIni(it.value()) + '\n';
        if (barra < 0)
            generale += riga;
        else
            gruppi[chiave.first(barra)] += riga;
    }
    QByteArray out;
    if (!generale.isEmpty()) out += "[General]\n" + generale;
    for (auto it = gruppi.cbegin(); it != gruppi.cend(); ++it) {
        if (!out.isEmpty()) out += '\n';
        out += '[' + sezioneAIni(it.key()) + "]\n" + it.value();
    }
    return out;
}

QSettings::Format formatoIni() {
    static const QSettings::Format formato = QSettings::registerFormat(QStringLiteral("conf"), leggi, scrivi);
    return formato;
}

}  // namespace pulsaro
