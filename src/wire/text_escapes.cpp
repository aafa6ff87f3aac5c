#include "wire/text_escapes.h"

#include <algorithm>

namespace talvik {

namespace {
bool isControl(char16_t u)
{
    return u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0);
}

QString escaped(const QString& text, bool backslashToo)
{
    const auto plain = [backslashToo](QChar c) {
        return !isControl(c.unicode()) && (!backslashToo || c != u'\\');
    };
    if (std::all_of(text.cbegin(), text.cend(), plain))
        return text; // shared, not copied
    QString o;
    o.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\' && backslashToo)
            o += QLatin1String("\\\\");
        else if (u == u'\r')
            o += QLatin1String("\\r");
        else if (u == u'\n')
            o += QLatin1String("\\n");
        else if (u == u'\t')
            o += QLatin1String("\\t");
        else if (u == 0x1B)
            o += QLatin1String("\\e");
        else if (isControl(u))
            o += QStringLiteral("\\x%1").arg(uint(u), 2, 16, QLatin1Char('0'));
        else
            o += c;
    }
    return o;
}

bool isHexPair(const QString& two)
{
    bool ok = false;
    two.toUShort(&ok, 16);
    return ok && two.size() == 2;
}

} // namespace

QString escapeControls(const QString& text)
{
    return escaped(text, true);
}

QString unescapeControls(const QString& text)
{
    if (!text.contains(QLatin1Char('\\')))
        return text;
    QString o;
    o.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (text[i] != u'\\' || next.isNull()) {
            o += text[i];
            continue;
        }
        ++i;
        if (next == u'r')
            o += QLatin1Char('\r');
        else if (next == u'n')
            o += QLatin1Char('\n');
        else if (next == u't')
            o += QLatin1Char('\t');
        else if (next == u'e')
            o += QChar(0x1B);
        else if (next == u'x' && isHexPair(text.mid(i + 1, 2))) {
            o += QChar(text.mid(i + 1, 2).toUShort(nullptr, 16));
            i += 2;
        }
        else if (next == u'\\')
            o += next;
        else // no escape of ours: as it stands (an older file's backslash)
            o += QLatin1Char('\\') + next;
    }
    return o;
}

QString quoted(const QString& text, int most)
{
    const bool cut = text.size() > most;
    return escaped(cut ? text.left(most) : text, false) + (cut ? QStringLiteral("…") : QString());
}

} // namespace talvik
