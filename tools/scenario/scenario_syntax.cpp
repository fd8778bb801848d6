#include "scenario_syntax.hpp"

ScenarioLine splitScenarioLine(const QString& text, int number) {
    ScenarioLine out;
    out.number = number;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) return out;

    qsizetype i = 0;
    const qsizetype n = text.size();
    auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r'); };
    while (i < n) {
        while (i < n && blank(text[i])) ++i;
        if (i >= n) break;
        QString word;
        if (text[i] == QLatin1Char('"')) {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = text[i++];
                if (c == QLatin1Char('"')) {
                    closed = true;
                    break;
                }
                if (c != QLatin1Char('\\')) {
                    word += c;
                    continue;
                }
                if (i >= n) break;
                const QChar e = text[i++];
                if (e == QLatin1Char('"') || e == QLatin1Char('\\')) {
                    word += e;
                } else if (e == QLatin1Char('r')) {
                    word += QLatin1Char('\r');
                } else if (e == QLatin1Char('n')) {
                    word += QLatin1Char('\n');
                } else if (e == QLatin1Char('u') && i + 4 <= n) {
                    bool ok = false;
                    const uint code = text.mid(i, 4).toUInt(&ok, 16);
                    if (!ok) {
                        out.error = QStringLiteral("bad \\u escape");
                        return out;
                    }
                    word += QChar(static_cast<char16_t>(code));
                    i += 4;
                } else {
                    out.error = QStringLiteral("unknown escape \\%1").arg(e);
                    return out;
                }
            }
            if (!closed) {
                out.error = QStringLiteral("a quoted value is not closed");
                return out;
            }
            if (i < n && !blank(text[i])) {
                out.error = QStringLiteral("a quoted value must be followed by a blank");
                return out;
            }
        } else {
            while (i < n && !blank(text[i])) word += text[i++];
        }
        out.words << word;
    }
    return out;
}

QString quoteScenarioValue(const QString& text) {
    QString out = text;
    out.replace(QLatin1String("\\"), QLatin1String("\\\\"));
    out.replace(QLatin1String("\""), QLatin1String("\\\""));
    out.replace(QLatin1String("\r"), QLatin1String("\\r"));
    out.replace(QLatin1String("\n"), QLatin1String("\\n"));
    return QLatin1Char('"') + out + QLatin1Char('"');
}
