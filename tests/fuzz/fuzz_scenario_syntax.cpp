// The lines of a scenario file on arbitrary bytes, read as mkd-scenario
// reads a file: UTF-8 text, one line at a time.
//
// Properties:
// - a line either gives its words or says what is wrong with it, and a
//   blank line or a comment gives no words;
// - each word, quoted again, reads back as itself alone;
// - the words of a line, each quoted and set apart by a blank, read back as
//   the same words.
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

#include "fuzz_check.hpp"
#include "scenario_syntax.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ScenarioLine line = splitScenarioLine(lines[i], static_cast<int>(i + 1));
        FUZZ_CHECK(line.number == i + 1);
        if (!line.error.isEmpty()) {
            FUZZ_CHECK(line.words.isEmpty() || !line.error.isEmpty());
            continue;
        }
        const QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char('#'))) FUZZ_CHECK(line.words.isEmpty());
        QStringList quoted;
        for (const QString& word : line.words) {
            const ScenarioLine alone = splitScenarioLine(quoteScenarioValue(word), 1);
            FUZZ_CHECK(alone.error.isEmpty());
            FUZZ_CHECK(alone.words == QStringList{word});
            quoted << quoteScenarioValue(word);
        }
        const ScenarioLine again = splitScenarioLine(quoted.join(QLatin1Char(' ')), 1);
        FUZZ_CHECK(again.error.isEmpty());
        FUZZ_CHECK(again.words == line.words);
    }
    return 0;
}
