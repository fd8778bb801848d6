// The program's font: bold, in "ＭＳ Ｐゴシック" where it is installed and
// otherwise in the IPA gothic faces from Debian's fonts-ipafont-gothic, which
// draw the same captions. Header-only so that the start-up benchmark's bare
// window (bench/bare_window.cpp) draws its label with exactly this font.
#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QStringList>
#include <cmath>

// The face to draw with: the first of the program's faces that is
// installed. Only that one is named. Naming a face that is not installed
// makes Qt ask the system's font configuration for a fallback list for every
// kind of script on screen (kanji, kana, symbols) before it tries the next
// name, and naming further faces makes it ask for one on every font load;
// each costs about a millisecond. A glyph missing from the face is still
// found: Qt then asks for the fallbacks, only when it meets such a glyph.
// Should none of the faces be installed, all are named and Qt falls back as
// it can.
inline const QStringList& programFaces() {
    static const QStringList faces = [] {
        const QStringList wanted{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"),
                                 QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans CJK JP")};
        const QStringList installed = QFontDatabase::families();
        for (const QString& face : wanted)
            if (installed.contains(face)) return QStringList{face};
        return wanted;
    }();
    return faces;
}

// English words in the windows around the screens (the journey list, the
// compare window, the help, message boxes, the printouts): a proportional
// Latin face where one is installed, the program's faces after it for the
// Japanese glyphs. A Japanese desktop's default face draws Latin letters at
// one fixed width, which reads as a typewriter.
inline QStringList latinInterfaceFaces() {
    static const QStringList faces = [] {
        const QStringList wanted{QStringLiteral("DejaVu Sans"), QStringLiteral("Noto Sans"),
                                 QStringLiteral("Liberation Sans"), QStringLiteral("Nimbus Sans")};
        const QStringList installed = QFontDatabase::families();
        QStringList chosen;
        for (const QString& face : wanted)
            if (installed.contains(face)) {
                chosen << face;
                break;
            }
        return chosen + programFaces();
    }();
    return faces;
}

// The program's font at `points` (at 96 pixels to the inch).
inline QFont programFont(double points) {
    QFont f;
    f.setFamilies(programFaces());
    f.setBold(true);
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    return f;
}
