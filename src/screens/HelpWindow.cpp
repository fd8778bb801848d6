#include "screens/HelpWindow.hpp"

#include <QAction>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "explain/enquiry_words.hpp"
#include "pricing/season.hpp"
#include "pricing/season_periods.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/frmStart.hpp"
#include "screens/shortcuts.hpp"
#include "screens/text.hpp"

namespace {

QString month(int m, mkd::Lang lang) { return toQt(mkd::monthName(m, lang)); }

QString monthDay(const mkd::MonthDay& d, mkd::Lang lang) {
    return HelpWindow::tr("%1%2日").arg(month(d.month, lang)).arg(d.day);
}

// "7月21日〜8月31日", and "6月" for a whole month.
QString periodText(const mkd::SeasonPeriod& p, mkd::Lang lang) {
    if (p.first.month == p.last.month && p.first.day == 1 && p.last.day == mkd::lastDayOf(p.last.month))
        return month(p.first.month, lang);
    const QString last =
        p.last.month == 2 && p.last.day == mkd::lastDayOf(2) ? HelpWindow::tr("2月末日") : monthDay(p.last, lang);
    return HelpWindow::tr("%1〜%2").arg(monthDay(p.first, lang), last);
}

QString periodsText(mkd::Season season, mkd::Lang lang) {
    QStringList parts;
    for (const mkd::SeasonPeriod& p : mkd::seasonPeriods(season)) parts << periodText(p, lang);
    return parts.join(HelpWindow::tr("、"));
}

}  // namespace

HelpWindow::HelpWindow(QWidget* parent, std::function<mkd::Lang()> language)
    : QDialog(parent), language_(std::move(language)) {
    setObjectName(QStringLiteral("frmHelp"));
    text = new QTextBrowser(this);
    text->setObjectName(QStringLiteral("txtHelp"));
    // A button of our own, not the box's standard Close: the box would give
    // a standard button Qt's own words again on every change of language.
    auto* buttons = new QDialogButtonBox(this);
    closeButton = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addWidget(buttons);
    showWords();
    resize(480, 600);
}

void HelpWindow::showWords() {
    setWindowTitle(tr("みちくさダイヤの使い方"));
    text->setHtml(page(language_()));
    closeButton->setText(tr("閉じる"));
}

void HelpWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) showWords();
    QDialog::changeEvent(event);
}

QString HelpWindow::page(mkd::Lang lang) {
    const int first = mkd::kFirstListedYear;
    const int last = mkd::kLastListedYear;
    return tr("<a name=\"start\"></a><h3>使い方</h3>"
              "<ol>"
              "<li>「乗車駅」と「降車駅」を選びます。一覧を選んだまま駅名・よみ・ローマ字を打つと"
              "（「宇和島」「うわじま」「uwajima」など、伊予・讃岐・備中は省いてもかまいません）、"
              "合う駅だけが出ます。Enter で決まり、Esc で元に戻ります。</li>"
              "<li>「⇄」または Ctrl+Shift+S で、乗車駅と降車駅を入れ替えます。</li>"
              "<li>「普通列車」は運賃を、「特急利用」は特急の区間と席（自由席・指定席・グリーン車）を選んで"
              "料金を調べます。マリンライナーの指定席・グリーン車は、メニュー「マリンライナー」から選びます"
              "（選んだ駅によっては使えません）。</li>"
              "<li>おとな・こども・学割、片道・往復を選ぶと、金額が出ます。</li>"
              "<li>「初期表示」の「変更」で、いま選んでいる二つの駅を、次に起動したときの駅にします。</li>"
              "<li>メニュー「表示言語 / Language」で、日本語と英語を切り替えます。</li>"
              "<li>最近の検索とお気に入りは、メニューから同じ条件（乗車日・人数・直通/松山乗換・区間）で"
              "もう一度調べられます。</li>"
              "</ol>") +
           tr("<a name=\"section\"></a><h3>区間と乗車日</h3>"
              "<p>特急やマリンライナーの区間は、乗車駅と降車駅から選ばれています。変えるときは一覧で選び直します。"
              "乗車日の画面では、年・月・日を選ぶか打ちます。F5 で前回の乗車日になります。</p>"
              "<a name=\"date\"></a>") +
           tr("<a name=\"choice\"></a><h3>運賃決定と結果</h3>"
              "<p>おとな・こども・学割のボタンで金額が出ます。結果の画面では Ctrl+C でコピー、Ctrl+P で印刷、"
              "Ctrl+D で交通費明細に追加します。「再検索」で最初の画面に戻り、乗車駅の一覧から打ち始められます。</p>"
              "<a name=\"result\"></a>"
              "<p>普通列車で、切符を分けて買うほうが安いときは、結果の下にそう書かれます。"
              "Tab で「内訳」へ進むと、切符ごとの金額と有効期間、その代わりにできなくなることを読み上げ、"
              "押すと下に表示します。コピーと印刷にも入ります。</p>") +
           tr("<a name=\"compare\"></a><h3>料金の比較</h3>"
              "<p>Ctrl+K で、同じ区間のすべての乗り方を人数分の合計で比べます。表は Ctrl+A と Ctrl+C で"
              "コピーできます。</p>"
              "<a name=\"journeys\"></a><h3>交通費明細</h3>"
              "<p>Ctrl+J で開きます。結果を Ctrl+D で追加し、CSV や PDF に書き出します。</p>") +
           tr("<a name=\"keys\"></a><h3>キー操作</h3>") + shortcutsHtml() +
           tr("<h3>シーズン</h3>"
              "<p>指定席の料金は、乗る日のシーズンで変わります。</p>"
              "<ul>"
              "<li><b>繁忙期</b>：%1</li>"
              "<li><b>閑散期</b>：%2 の月曜日〜木曜日（祝日と祝日の前の日は通常期）</li>"
              "<li><b>通常期</b>：それ以外の日</li>"
              "</ul>")
               .arg(periodsText(mkd::Season::Busy, lang), periodsText(mkd::Season::OffPeak, lang)) +
           tr("<h3>季節カレンダー</h3>"
              "<p>ひと月の毎日を、シーズンの色（濃い色が繁忙期、中ほどが通常期、淡い色が閑散期）で示します。"
              "◆は祝日・その前日・振替休日で通常期になる日、★はその月でいちばん安い日です。"
              "指定席では、日ごとの合計も出ます。</p>"
              "<ul>"
              "<li>開く：メニュー「ツール」の「季節カレンダー」（Ctrl+L）、乗車日の画面で F4、"
              "料金の比較の乗車日で F4 または Alt+↓</li>"
              "<li>←→ で1日、↑↓ で1週、PgUp・PgDn で1か月、Ctrl+PgUp・Ctrl+PgDn で1年、"
              "Home・End で月の初めと終わりへ</li>"
              "<li>Enter でその日を乗車日にし、Esc で閉じます。Ctrl+C でコピー、Ctrl+P で印刷、"
              "Ctrl+Shift+P で PDF に保存します。</li>"
              "</ul>") +
           tr("<h3>学割</h3>"
              "<p>学割（学生割引）は、乗る距離が 100 km を超える区間でだけ選べます。100 km "
              "ちょうどでは選べません。</p>") +
           tr("<h3>対応している年</h3>"
              "<p>料金表は %1年（平成%2年）から %3年（平成%4年）までの乗車日に対応しています。</p>")
               .arg(first)
               .arg(mkd::heiseiYear(first))
               .arg(last)
               .arg(mkd::heiseiYear(last));
}

QString HelpWindow::sectionOf(const QString& screenName) {
    const struct {
        const char* prefix;
        const char* section;
    } parts[] = {{"frmKekka", "result"},     {"frmKettei", "choice"},   {"frmDate", "date"},
                 {"frmTSelect", "section"},  {"frmMSelect", "section"}, {"frmHikaku", "compare"},
                 {"frmJourneys", "journeys"}};
    for (const auto& p : parts)
        if (screenName.startsWith(QLatin1String(p.prefix))) return QString::fromLatin1(p.section);
    return QStringLiteral("start");
}

void HelpWindow::openAt(ScreenFlow& flow, const QString& section) {
    auto* start = flow.loaded<frmStart>();
    if (!start) return;
    start->showHelp();
    start->help->text->scrollToAnchor(section);
}

void HelpWindow::offer(QWidget& window, ScreenFlow& flow, const QString& section) {
    const QKeySequence f1 = shortcutKey(Shortcut::Help);
    for (const QAction* a : window.findChildren<QAction*>())
        if (a->shortcut() == f1) return;
    auto* help = new QAction(&window);
    help->setShortcut(f1);
    help->setShortcutContext(Qt::WindowShortcut);
    window.addAction(help);
    connect(help, &QAction::triggered, &window, [&flow, section] { openAt(flow, section); });
}
