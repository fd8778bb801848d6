#include "screens/shortcuts.hpp"

#include <QCoreApplication>

namespace {

QString words(const char* source) { return QCoreApplication::translate("Shortcuts", source); }

}  // namespace

const std::vector<ShortcutRow>& shortcuts() {
    static const std::vector<ShortcutRow> all = {
        {Shortcut::DepartureList, QKeySequence(Qt::ALT | Qt::Key_1), QT_TRANSLATE_NOOP("Shortcuts", "駅を選ぶ画面"),
         QT_TRANSLATE_NOOP("Shortcuts", "乗車駅の一覧へ")},
        {Shortcut::ArrivalList, QKeySequence(Qt::ALT | Qt::Key_2), QT_TRANSLATE_NOOP("Shortcuts", "駅を選ぶ画面"),
         QT_TRANSLATE_NOOP("Shortcuts", "降車駅の一覧へ")},
        {Shortcut::Swap, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         QT_TRANSLATE_NOOP("Shortcuts", "最初の画面、料金の比較"),
         QT_TRANSLATE_NOOP("Shortcuts", "乗車駅と降車駅を入れ替える")},
        {Shortcut::Help, QKeySequence(Qt::Key_F1), QT_TRANSLATE_NOOP("Shortcuts", "どの画面でも"),
         QT_TRANSLATE_NOOP("Shortcuts", "使い方を開く")},
        {Shortcut::Copy, QKeySequence(QKeySequence::Copy), QT_TRANSLATE_NOOP("Shortcuts", "結果、料金の比較"),
         QT_TRANSLATE_NOOP("Shortcuts", "結果や表をコピーする")},
        {Shortcut::SelectAll, QKeySequence(QKeySequence::SelectAll), QT_TRANSLATE_NOOP("Shortcuts", "料金の比較"),
         QT_TRANSLATE_NOOP("Shortcuts", "表をすべて選ぶ")},
        {Shortcut::AddToJourneys, QKeySequence(Qt::CTRL | Qt::Key_D),
         QT_TRANSLATE_NOOP("Shortcuts", "結果、料金の比較"), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細に追加する")},
        {Shortcut::OpenJourneys, QKeySequence(Qt::CTRL | Qt::Key_J), QT_TRANSLATE_NOOP("Shortcuts", "最初の画面、結果"),
         QT_TRANSLATE_NOOP("Shortcuts", "交通費明細を開く")},
        {Shortcut::Compare, QKeySequence(Qt::CTRL | Qt::Key_K), QT_TRANSLATE_NOOP("Shortcuts", "最初の画面、結果"),
         QT_TRANSLATE_NOOP("Shortcuts", "料金の比較を開く")},
        {Shortcut::Print, QKeySequence(QKeySequence::Print),
         QT_TRANSLATE_NOOP("Shortcuts", "結果、料金の比較、交通費明細"), QT_TRANSLATE_NOOP("Shortcuts", "印刷する")},
        {Shortcut::SavePdf, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
         QT_TRANSLATE_NOOP("Shortcuts", "結果、交通費明細"), QT_TRANSLATE_NOOP("Shortcuts", "PDFとして保存する")},
        {Shortcut::LastTravelDate, QKeySequence(Qt::Key_F5), QT_TRANSLATE_NOOP("Shortcuts", "乗車日"),
         QT_TRANSLATE_NOOP("Shortcuts", "前回の乗車日にする")},
        {Shortcut::SplitDetails, QKeySequence(), QT_TRANSLATE_NOOP("Shortcuts", "普通運賃の結果"),
         QT_TRANSLATE_NOOP("Shortcuts", "Tab で「内訳」へ：分けて買う切符を読む・表示する")},
        {Shortcut::MoveRowUp, QKeySequence(Qt::CTRL | Qt::Key_Up), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "行を上へ")},
        {Shortcut::MoveRowDown, QKeySequence(Qt::CTRL | Qt::Key_Down), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "行を下へ")},
        {Shortcut::ExportExcel, QKeySequence(Qt::CTRL | Qt::Key_E), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "Excel 用の CSV に書き出す")},
        {Shortcut::ExportCsv, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
         QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"), QT_TRANSLATE_NOOP("Shortcuts", "CSV に書き出す")},
        {Shortcut::CloseWindow, QKeySequence(Qt::CTRL | Qt::Key_W), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "閉じる")},
        {Shortcut::SaveWorkbook, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X),
         QT_TRANSLATE_NOOP("Shortcuts", "料金の比較、交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "Excel ブックで保存する")},
        {Shortcut::MonthFilter, QKeySequence(Qt::ALT | Qt::Key_M), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "表示する月へ")},
        {Shortcut::Undo, QKeySequence(QKeySequence::Undo), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "元に戻す")},
        {Shortcut::Redo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "やり直す（Ctrl+Y でも）")},
        {Shortcut::DeleteRow, QKeySequence(QKeySequence::Delete), QT_TRANSLATE_NOOP("Shortcuts", "交通費明細"),
         QT_TRANSLATE_NOOP("Shortcuts", "行を削除する（Ctrl+Z で戻せます）")},
        {Shortcut::SeasonCalendar, QKeySequence(Qt::CTRL | Qt::Key_L), QT_TRANSLATE_NOOP("Shortcuts", "最初の画面"),
         QT_TRANSLATE_NOOP("Shortcuts", "季節カレンダーを開く（乗車日では F4）")},
    };
    return all;
}

QKeySequence shortcutKey(Shortcut id) {
    for (const ShortcutRow& r : shortcuts())
        if (r.id == id) return r.key;
    return {};
}

QString shortcutsHtml() {
    QString html = QStringLiteral("<table cellpadding=\"2\">");
    for (const ShortcutRow& r : shortcuts())
        html += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td><td>%3</td></tr>")
                    .arg(r.key.toString(QKeySequence::NativeText).toHtmlEscaped(), words(r.what).toHtmlEscaped(),
                         words(r.where).toHtmlEscaped());
    return html + QStringLiteral("</table>");
}
