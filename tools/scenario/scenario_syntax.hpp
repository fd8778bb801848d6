// The words of one scenario line: blanks separate words; a word in double
// quotes may hold blanks and the escapes \" \\ \r \n \uXXXX.
#pragma once

#include <QString>
#include <QStringList>

struct ScenarioLine {
    int number = 0;  // 1-based line in the file
    QStringList words;  // empty for a blank line or a comment
    QString error;  // a syntax error, or empty
};

ScenarioLine splitScenarioLine(const QString& text, int number);

// `text` as a quoted scenario value, escaped so that splitScenarioLine reads
// it back unchanged.
QString quoteScenarioValue(const QString& text);
