<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AnswerOut</name>
    <message>
        <source>結果をコピー</source>
        <translation>Copy the result</translation>
    </message>
    <message>
        <source>交通費明細に追加</source>
        <translation>Add to the journey list</translation>
    </message>
    <message>
        <source>交通費明細を開く</source>
        <translation>Open the journey list</translation>
    </message>
    <message>
        <source>印刷...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>PDFとして保存...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>PDFとして保存</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>PDFを書けませんでした。</source>
        <translation>The PDF could not be written.</translation>
    </message>
    <message>
        <source>印刷の部品を読み込めませんでした。</source>
        <translation>Printing could not be started: its module could not be loaded.</translation>
    </message>
    <message>
        <source>お気に入りは %1 件までです。使わないものを削除してから登録してください。</source>
        <translation>At most %1 favourites are kept. Remove one you no longer use, then add this one.</translation>
    </message>
    <message>
        <source>名前（%1文字まで）:</source>
        <translation>Name (up to %1 characters):</translation>
    </message>
    <message>
        <source>%1文字まで</source>
        <translation>up to %1 characters</translation>
    </message>
    <message>
        <source>%1 は別のユーザーのものです。</source>
        <translation>%1 belongs to another user.</translation>
    </message>
    <message>
        <source>%1 は他のユーザーも書き換えられます。</source>
        <translation>%1 can be changed by other users.</translation>
    </message>
    <message>
        <source>%1 を調べられません。</source>
        <translation>%1 cannot be looked at.</translation>
    </message>
    <message>
        <source>%1 は読み込みません: %2</source>
        <translation>%1 is not loaded: %2</translation>
    </message>
    <message>
        <source>%1 は別の種類のコンピューター用です: %2（このプログラムは %3 用）。</source>
        <translation>%1 is built for another kind of computer: %2 (this program is for %3).</translation>
    </message>
    <message>
        <source>%1 には関数 %2 がありません。</source>
        <translation>%1 lacks the function %2.</translation>
    </message>
    <message>
        <source>%1 がどこにもありません: %2</source>
        <translation>%1 is in none of these folders: %2</translation>
    </message>
    <message numerus="yes">
        <source>交通費明細に追加しました（%n件）</source>
        <translation>
            <numerusform>Added to the journey list (%n journey)</numerusform>
            <numerusform>Added to the journey list (%n journeys)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ChoiceScreen</name>
    <message>
        <source>運賃・料金決定</source>
        <translation>Fare and charge</translation>
    </message>
    <message>
        <source>選択してください。</source>
        <translation>Please choose.</translation>
    </message>
    <message>
        <source>おとな</source>
        <translation>Adult</translation>
    </message>
    <message>
        <source>こども</source>
        <translation>Child</translation>
    </message>
    <message>
        <source>学割</source>
        <translation>Student</translation>
    </message>
    <message>
        <source>&#x3000;片&#x3000;道</source>
        <translation>Single</translation>
    </message>
    <message>
        <source>&#x3000;往&#x3000;復</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>&#x3000;直&#x3000;通</source>
        <translation>Through</translation>
    </message>
    <message>
        <source>松山乗換</source>
        <translation>Change</translation>
    </message>
    <message>
        <source>片道・往復</source>
        <translation>Single or return</translation>
    </message>
    <message>
        <source>直通・松山乗換</source>
        <translation>Through or change at Matsuyama</translation>
    </message>
    <message>
        <source>松山をまたいで一本の特急で</source>
        <translation>One limited express through Matsuyama</translation>
    </message>
    <message>
        <source>松山で特急を乗り換える</source>
        <translation>Change limited expresses at Matsuyama</translation>
    </message>
</context>
<context>
    <name>CompareWindow</name>
    <message>
        <source>料金の比較</source>
        <translation>Compare fares</translation>
    </message>
    <message>
        <source>乗車駅と降車駅を入れ替える (Ctrl+Shift+S)</source>
        <translation>Swap the departure and arrival stations (Ctrl+Shift+S)</translation>
    </message>
    <message>
        <source>乗車駅と降車駅を入れ替える</source>
        <translation>Swap the departure and arrival stations</translation>
    </message>
    <message>
        <source>乗車駅</source>
        <translation>From</translation>
    </message>
    <message>
        <source>降車駅</source>
        <translation>To</translation>
    </message>
    <message>
        <source>乗車日</source>
        <translation>Travel date</translation>
    </message>
    <message>
        <source>おとなの人数</source>
        <translation>Number of adults</translation>
    </message>
    <message>
        <source>こどもの人数</source>
        <translation>Number of children</translation>
    </message>
    <message>
        <source>学割の人数</source>
        <translation>Number of students</translation>
    </message>
    <message>
        <source>乗り方ごとの運賃と料金</source>
        <translation>Fares and charges of each way to travel</translation>
    </message>
    <message>
        <source>表をコピー</source>
        <translation>Copy table</translation>
    </message>
    <message>
        <source>すべて選択</source>
        <translation>Select all</translation>
    </message>
    <message>
        <source>有効期間 %1</source>
        <translation>valid %1</translation>
    </message>
    <message>
        <source>いちばん安いのは %1 (%2)</source>
        <translation>cheapest: %1 (%2)</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation> · </translation>
    </message>
    <message>
        <source>おとな</source>
        <translation>Adults</translation>
    </message>
    <message>
        <source>こども</source>
        <translation>Children</translation>
    </message>
    <message>
        <source>学割</source>
        <translation>Students</translation>
    </message>
    <message>
        <source>片道</source>
        <translation>One way</translation>
    </message>
    <message>
        <source>往復</source>
        <translation>Return</translation>
    </message>
    <message>
        <source>合計の安い順</source>
        <translation>Cheapest first</translation>
    </message>
    <message>
        <source>分けて買うと %1、%2</source>
        <translation>as split tickets %1, %2</translation>
    </message>
    <message>
        <source>カレンダー...</source>
        <translation>Calendar...</translation>
    </message>
    <message>
        <source>季節カレンダーで日を選ぶ (F4, Alt+↓)</source>
        <translation>Choose the day on the season calendar (F4, Alt+↓)</translation>
    </message>
    <message>
        <source>季節カレンダーで日を選ぶ</source>
        <translation>Choose the day on the season calendar</translation>
    </message>
    <message>
        <source>選んだ乗り方を交通費明細に追加</source>
        <translation>Add the chosen way to the journey list</translation>
    </message>
    <message>
        <source>表を印刷...</source>
        <translation>Print the table...</translation>
    </message>
    <message numerus="yes">
        <source>交通費明細に追加しました（%n件）</source>
        <translation>
            <numerusform>Added to the journey list (%n journey)</numerusform>
            <numerusform>Added to the journey list (%n journeys)</numerusform>
        </translation>
    </message>
    <message>
        <source>Excel ブックで保存...</source>
        <translation>Save as Excel workbook...</translation>
    </message>
    <message>
        <source>%1_%2-%3_%4</source>
        <translation>%1_%2-%3_%4</translation>
    </message>
    <message>
        <source>Excel ブックで保存</source>
        <translation>Save as Excel workbook</translation>
    </message>
    <message>
        <source>Excel ブック (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
</context>
<context>
    <name>ComparisonModel</name>
    <message>
        <source>人数分の合計がいちばん安い乗り方</source>
        <translation>The cheapest way for the whole party</translation>
    </message>
    <message>
        <source>運賃</source>
        <translation>fare</translation>
    </message>
    <message>
        <source>料金</source>
        <translation>charge</translation>
    </message>
    <message>
        <source>計</source>
        <translation>total</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>乗り方</source>
        <translation>Way to travel</translation>
    </message>
    <message>
        <source>備考</source>
        <translation>Notes</translation>
    </message>
</context>
<context>
    <name>DateScreen</name>
    <message>
        <source>乗車日</source>
        <translation>Travel date</translation>
    </message>
    <message>
        <source>乗車日は？</source>
        <translation>Travel date?</translation>
    </message>
    <message>
        <source>年</source>
        <translation>Y</translation>
    </message>
    <message>
        <source>月</source>
        <translation>M</translation>
    </message>
    <message>
        <source>日</source>
        <translation>D</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>年</source>
        <comment>the year list&apos;s name in full</comment>
        <translation>Year</translation>
    </message>
    <message>
        <source>月</source>
        <comment>the month list&apos;s name in full</comment>
        <translation>Month</translation>
    </message>
    <message>
        <source>日</source>
        <comment>the day list&apos;s name in full</comment>
        <translation>Day</translation>
    </message>
</context>
<context>
    <name>DesktopSeam</name>
    <message>
        <source>みちくさダイヤ</source>
        <translation>Michikusa Daiya</translation>
    </message>
    <message>
        <source>設定ファイル %1 は使いません (%2)。言語と画面の位置は、この実行のあいだだけ覚えています。</source>
        <translation>The settings file %1 is not used (%2). The language and the window&apos;s place are kept only while the program runs.</translation>
    </message>
    <message>
        <source>設定ファイル %1 は読める大きさ（%2 KB）を超えていたので、%3 として残しました。設定は初めからになります。</source>
        <translation>The settings file %1 was larger than the program reads (%2 KB); it was kept as %3, and the settings start afresh.</translation>
    </message>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>ExportFile</name>
    <message>
        <source>%1 は既にあります。置き換えますか？</source>
        <translation>%1 already exists. Do you want to replace it?</translation>
    </message>
    <message>
        <source>置き換えると、今の中身はなくなります。</source>
        <translation>Replacing it discards what it holds now.</translation>
    </message>
    <message>
        <source>書いている途中の一時ファイルが、ほかのプログラムに消されました</source>
        <translation>another program removed the temporary file while it was being written</translation>
    </message>
    <message>
        <source>元のファイルはそのままです。</source>
        <translation>The file that was there is unchanged.</translation>
    </message>
</context>
<context>
    <name>FileOut</name>
    <message>
        <source>Excel ブックを書く部品を読み込めませんでした。</source>
        <translation>The part that writes Excel workbooks could not be loaded.</translation>
    </message>
    <message>
        <source>Excel ブックを作れませんでした。</source>
        <translation>The Excel workbook could not be made.</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした。</source>
        <translation>The file could not be saved.</translation>
    </message>
</context>
<context>
    <name>HelpWindow</name>
    <message>
        <source>%1%2日</source>
        <translation>%2 %1</translation>
    </message>
    <message>
        <source>2月末日</source>
        <translation>the end of February</translation>
    </message>
    <message>
        <source>%1〜%2</source>
        <translation>%1 to %2</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>みちくさダイヤの使い方</source>
        <translation>How to use Michikusa Daiya</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>&lt;h3&gt;シーズン&lt;/h3&gt;&lt;p&gt;指定席の料金は、乗る日のシーズンで変わります。&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;繁忙期&lt;/b&gt;：%1&lt;/li&gt;&lt;li&gt;&lt;b&gt;閑散期&lt;/b&gt;：%2 の月曜日〜木曜日（祝日と祝日の前の日は通常期）&lt;/li&gt;&lt;li&gt;&lt;b&gt;通常期&lt;/b&gt;：それ以外の日&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;Seasons&lt;/h3&gt;&lt;p&gt;The reserved-seat charge depends on the season of the travel date.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;&lt;b&gt;Busy season&lt;/b&gt;: %1&lt;/li&gt;&lt;li&gt;&lt;b&gt;Off-peak season&lt;/b&gt;: Monday to Thursday during %2 (holidays and the days before them are normal season)&lt;/li&gt;&lt;li&gt;&lt;b&gt;Normal season&lt;/b&gt;: every other day&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;学割&lt;/h3&gt;&lt;p&gt;学割（学生割引）は、乗る距離が 100 km を超える区間でだけ選べます。100 km ちょうどでは選べません。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Student fare&lt;/h3&gt;&lt;p&gt;The student discount can be chosen only for journeys over 100 km; not for exactly 100 km.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;対応している年&lt;/h3&gt;&lt;p&gt;料金表は %1年（平成%2年）から %3年（平成%4年）までの乗車日に対応しています。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Years covered&lt;/h3&gt;&lt;p&gt;The fare tables cover travel dates from %1 (Heisei %2) to %3 (Heisei %4).&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;h3&gt;季節カレンダー&lt;/h3&gt;&lt;p&gt;ひと月の毎日を、シーズンの色（濃い色が繁忙期、中ほどが通常期、淡い色が閑散期）で示します。◆は祝日・その前日・振替休日で通常期になる日、★はその月でいちばん安い日です。指定席では、日ごとの合計も出ます。&lt;/p&gt;&lt;ul&gt;&lt;li&gt;開く：メニュー「ツール」の「季節カレンダー」（Ctrl+L）、乗車日の画面で F4、料金の比較の乗車日で F4 または Alt+↓&lt;/li&gt;&lt;li&gt;←→ で1日、↑↓ で1週、PgUp・PgDn で1か月、Ctrl+PgUp・Ctrl+PgDn で1年、Home・End で月の初めと終わりへ&lt;/li&gt;&lt;li&gt;Enter でその日を乗車日にし、Esc で閉じます。Ctrl+C でコピー、Ctrl+P で印刷、Ctrl+Shift+P で PDF に保存します。&lt;/li&gt;&lt;/ul&gt;</source>
        <translation>&lt;h3&gt;Season calendar&lt;/h3&gt;&lt;p&gt;Every day of a month in its season&apos;s colour (dark for the busy season, middle for the normal season, pale for the off-peak season). ◆ marks a day that is normal season for a holiday, the day before one or a substitute holiday; ★ the cheapest days of the month. For a reserved seat each day shows its total too.&lt;/p&gt;&lt;ul&gt;&lt;li&gt;Open it: Tools › Season calendar (Ctrl+L), F4 on a travel-date screen, F4 or Alt+↓ in the compare window&apos;s travel date&lt;/li&gt;&lt;li&gt;← → a day, ↑ ↓ a week, PgUp and PgDn a month, Ctrl+PgUp and Ctrl+PgDn a year, Home and End the month&apos;s first and last day&lt;/li&gt;&lt;li&gt;Enter makes that day the travel date, Esc closes. Ctrl+C copies, Ctrl+P prints, Ctrl+Shift+P saves as PDF.&lt;/li&gt;&lt;/ul&gt;</translation>
    </message>
    <message>
        <source>&lt;a name=&quot;start&quot;&gt;&lt;/a&gt;&lt;h3&gt;使い方&lt;/h3&gt;&lt;ol&gt;&lt;li&gt;「乗車駅」と「降車駅」を選びます。一覧を選んだまま駅名・よみ・ローマ字を打つと（「宇和島」「うわじま」「uwajima」など、伊予・讃岐・備中は省いてもかまいません）、合う駅だけが出ます。Enter で決まり、Esc で元に戻ります。&lt;/li&gt;&lt;li&gt;「⇄」または Ctrl+Shift+S で、乗車駅と降車駅を入れ替えます。&lt;/li&gt;&lt;li&gt;「普通列車」は運賃を、「特急利用」は特急の区間と席（自由席・指定席・グリーン車）を選んで料金を調べます。マリンライナーの指定席・グリーン車は、メニュー「マリンライナー」から選びます（選んだ駅によっては使えません）。&lt;/li&gt;&lt;li&gt;おとな・こども・学割、片道・往復を選ぶと、金額が出ます。&lt;/li&gt;&lt;li&gt;「初期表示」の「変更」で、いま選んでいる二つの駅を、次に起動したときの駅にします。&lt;/li&gt;&lt;li&gt;メニュー「表示言語 / Language」で、日本語と英語を切り替えます。&lt;/li&gt;&lt;li&gt;最近の検索とお気に入りは、メニューから同じ条件（乗車日・人数・直通/松山乗換・区間）でもう一度調べられます。&lt;/li&gt;&lt;/ol&gt;</source>
        <translation>&lt;a name=&quot;start&quot;&gt;&lt;/a&gt;&lt;h3&gt;How to use&lt;/h3&gt;&lt;ol&gt;&lt;li&gt;Choose the departure station (From) and the arrival station (To). With a list selected, type a station&apos;s name as on the signs or in Japanese (&amp;quot;Uwajima&amp;quot;, &amp;quot;Iyo-Saijo&amp;quot;, &amp;quot;うわじま&amp;quot;; Iyo, Sanuki and Bitchu in front may be left out): only the stations that fit are shown. Enter takes one, Esc leaves the list as it was.&lt;/li&gt;&lt;li&gt;&amp;quot;⇄&amp;quot; or Ctrl+Shift+S swaps the departure and arrival stations.&lt;/li&gt;&lt;li&gt;&amp;quot;Local&amp;quot; gives the fare; &amp;quot;Express&amp;quot; asks for the limited express section and seat (non-reserved, reserved, Green car) and gives the charges too. The Marine Liner&apos;s reserved seat and Green car are on the &amp;quot;Marine Liner&amp;quot; menu (not for every pair of stations).&lt;/li&gt;&lt;li&gt;Choose adult, child or student, single or return, and the amounts are shown.&lt;/li&gt;&lt;li&gt;&amp;quot;Startup&amp;quot; &amp;gt; &amp;quot;Open with these stations&amp;quot; keeps the two stations chosen now for the next start.&lt;/li&gt;&lt;li&gt;The &amp;quot;表示言語 / Language&amp;quot; menu switches between Japanese and English.&lt;/li&gt;&lt;li&gt;Recent and favourite journeys on the menu ask again exactly what was asked: the travel date, the passenger, through or change at Matsuyama, the section.&lt;/li&gt;&lt;/ol&gt;</translation>
    </message>
    <message>
        <source>&lt;a name=&quot;section&quot;&gt;&lt;/a&gt;&lt;h3&gt;区間と乗車日&lt;/h3&gt;&lt;p&gt;特急やマリンライナーの区間は、乗車駅と降車駅から選ばれています。変えるときは一覧で選び直します。乗車日の画面では、年・月・日を選ぶか打ちます。F5 で前回の乗車日になります。&lt;/p&gt;&lt;a name=&quot;date&quot;&gt;&lt;/a&gt;</source>
        <translation>&lt;a name=&quot;section&quot;&gt;&lt;/a&gt;&lt;h3&gt;Section and travel date&lt;/h3&gt;&lt;p&gt;The limited express or Marine Liner section is preset from the two stations; choose other stops in its lists to change it. On the travel date screen, choose or type the year, month and day. F5 puts back the travel date chosen last.&lt;/p&gt;&lt;a name=&quot;date&quot;&gt;&lt;/a&gt;</translation>
    </message>
    <message>
        <source>&lt;a name=&quot;choice&quot;&gt;&lt;/a&gt;&lt;h3&gt;運賃決定と結果&lt;/h3&gt;&lt;p&gt;おとな・こども・学割のボタンで金額が出ます。結果の画面では Ctrl+C でコピー、Ctrl+P で印刷、Ctrl+D で交通費明細に追加します。「再検索」で最初の画面に戻り、乗車駅の一覧から打ち始められます。&lt;/p&gt;&lt;a name=&quot;result&quot;&gt;&lt;/a&gt;&lt;p&gt;普通列車で、切符を分けて買うほうが安いときは、結果の下にそう書かれます。Tab で「内訳」へ進むと、切符ごとの金額と有効期間、その代わりにできなくなることを読み上げ、押すと下に表示します。コピーと印刷にも入ります。&lt;/p&gt;</source>
        <translation>&lt;a name=&quot;choice&quot;&gt;&lt;/a&gt;&lt;h3&gt;Fare and result&lt;/h3&gt;&lt;p&gt;The adult, child and student buttons give the amounts. On a result, Ctrl+C copies it, Ctrl+P prints it and Ctrl+D adds it to the journey list. &quot;Start over&quot; goes back to the first screen with the From list ready for typing.&lt;/p&gt;&lt;a name=&quot;result&quot;&gt;&lt;/a&gt;&lt;p&gt;When a local journey costs less bought as several tickets, the result says so below its buttons. Tab to &quot;Details&quot;: a screen reader reads each ticket with its amount and validity and what is given up; pressing it shows them below. Copy and print include them.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;a name=&quot;compare&quot;&gt;&lt;/a&gt;&lt;h3&gt;料金の比較&lt;/h3&gt;&lt;p&gt;Ctrl+K で、同じ区間のすべての乗り方を人数分の合計で比べます。表は Ctrl+A と Ctrl+C でコピーできます。&lt;/p&gt;&lt;a name=&quot;journeys&quot;&gt;&lt;/a&gt;&lt;h3&gt;交通費明細&lt;/h3&gt;&lt;p&gt;Ctrl+J で開きます。結果を Ctrl+D で追加し、CSV や PDF に書き出します。&lt;/p&gt;</source>
        <translation>&lt;a name=&quot;compare&quot;&gt;&lt;/a&gt;&lt;h3&gt;Compare&lt;/h3&gt;&lt;p&gt;Ctrl+K compares every way to make the journey by the party&apos;s total. Ctrl+A and Ctrl+C copy the table, Ctrl+D adds the chosen way to the journey list, Ctrl+P prints the table.&lt;/p&gt;&lt;a name=&quot;journeys&quot;&gt;&lt;/a&gt;&lt;h3&gt;Journey list&lt;/h3&gt;&lt;p&gt;Ctrl+J opens it. Ctrl+D on a result adds it; the list is exported as CSV or PDF.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>&lt;a name=&quot;keys&quot;&gt;&lt;/a&gt;&lt;h3&gt;キー操作&lt;/h3&gt;</source>
        <translation>&lt;a name=&quot;keys&quot;&gt;&lt;/a&gt;&lt;h3&gt;Keys&lt;/h3&gt;</translation>
    </message>
</context>
<context>
    <name>JourneyWindow</name>
    <message>
        <source>上へ</source>
        <translation>Up</translation>
    </message>
    <message>
        <source>選んだ行を上へ (Ctrl+↑)</source>
        <translation>Move the chosen row up (Ctrl+Up)</translation>
    </message>
    <message>
        <source>下へ</source>
        <translation>Down</translation>
    </message>
    <message>
        <source>選んだ行を下へ (Ctrl+↓)</source>
        <translation>Move the chosen row down (Ctrl+Down)</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>選んだ行を削除 (Delete)</source>
        <translation>Delete the chosen row (Delete)</translation>
    </message>
    <message>
        <source>CSVで保存...</source>
        <translation>Save as CSV...</translation>
    </message>
    <message>
        <source>UTF-8 のCSV (Ctrl+Shift+E)</source>
        <translation>CSV in UTF-8 (Ctrl+Shift+E)</translation>
    </message>
    <message>
        <source>Excel用CSVで保存...</source>
        <translation>Save CSV for Excel...</translation>
    </message>
    <message>
        <source>BOM付き UTF-8、CRLF のCSV (Ctrl+E)</source>
        <translation>CSV in UTF-8 with a byte-order mark and CR LF (Ctrl+E)</translation>
    </message>
    <message>
        <source>印刷...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>印刷プレビュー (Ctrl+P)</source>
        <translation>Print preview (Ctrl+P)</translation>
    </message>
    <message>
        <source>PDFとして保存...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>A4 のPDF (Ctrl+Shift+P)</source>
        <translation>A PDF on A4 (Ctrl+Shift+P)</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>表示する月</source>
        <translation>Month shown</translation>
    </message>
    <message>
        <source>すべての月</source>
        <translation>All months</translation>
    </message>
    <message>
        <source>Excel用CSVで保存</source>
        <translation>Save CSV for Excel</translation>
    </message>
    <message>
        <source>CSVで保存</source>
        <translation>Save as CSV</translation>
    </message>
    <message>
        <source>CSV (*.csv)</source>
        <translation>CSV (*.csv)</translation>
    </message>
    <message>
        <source>CSVを書けませんでした。</source>
        <translation>The CSV could not be written.</translation>
    </message>
    <message>
        <source>用務（%1文字まで）</source>
        <translation>Purpose (up to %1 characters)</translation>
    </message>
    <message>
        <source>乗車日は選んでいません（前回の乗車日）</source>
        <translation>Travel date not chosen (the last one chosen)</translation>
    </message>
    <message>
        <source>乗車日は選んでいません（今日）</source>
        <translation>Travel date not chosen (today)</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Excel ブックで保存...</source>
        <translation>Save as Excel workbook...</translation>
    </message>
    <message>
        <source>Excel ブック (.xlsx): 月ごとの小計と合計の式つき (Ctrl+Shift+X)</source>
        <translation>Excel workbook (.xlsx) with a subtotal per month and the total as formulas (Ctrl+Shift+X)</translation>
    </message>
    <message>
        <source>表示する月:</source>
        <translation>Month shown:</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直し</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>並べ替え</source>
        <translation>Sort</translation>
    </message>
    <message>
        <source>明細の順</source>
        <translation>List order</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Move</translation>
    </message>
    <message>
        <source>Excel ブックで保存</source>
        <translation>Save as Excel workbook</translation>
    </message>
    <message>
        <source>Excel ブック (*.xlsx)</source>
        <translation>Excel workbook (*.xlsx)</translation>
    </message>
    <message>
        <source>PDFとして保存</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>PDF (*.pdf)</source>
        <translation>PDF (*.pdf)</translation>
    </message>
    <message>
        <source>%1 行の明細は %2 ページほどになり、時間がかかります。PDFを作りますか？</source>
        <translation>A list of %1 rows makes about %2 pages and takes a while. Make the PDF?</translation>
    </message>
    <message>
        <source>PDFを作っています...</source>
        <translation>Making the PDF...</translation>
    </message>
    <message>
        <source>中止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>PDFを書けませんでした。</source>
        <translation>The PDF could not be written.</translation>
    </message>
</context>
<context>
    <name>LastTravelDate</name>
    <message>
        <source>前回の乗車日 %1 (%2)</source>
        <translation>Last travel date: %1 (%2)</translation>
    </message>
</context>
<context>
    <name>LineDiagram</name>
    <message>
        <source>路線図</source>
        <translation>Line diagram</translation>
    </message>
    <message>
        <source>%1。矢印キーで駅を選び、Enter で乗車駅、Shift+Enter で降車駅にします。</source>
        <translation>%1. Arrow keys choose a station, Enter makes it the boarding station, Shift+Enter the alighting one.</translation>
    </message>
    <message>
        <source>クリックで乗車駅、Shift+クリックで降車駅にします。</source>
        <translation>Click: boarding station; Shift+click: alighting station.</translation>
    </message>
    <message>
        <source>乗る区間</source>
        <translation>Journey</translation>
    </message>
    <message>
        <source>特急の区間</source>
        <translation>Limited express</translation>
    </message>
    <message>
        <source>マリンライナーの区間</source>
        <translation>Marine Liner</translation>
    </message>
</context>
<context>
    <name>ResultScreen</name>
    <message>
        <source>最初の画面に戻って、次の区間を調べる</source>
        <translation>Back to the first screen for a new enquiry</translation>
    </message>
</context>
<context>
    <name>SavedLine</name>
    <message>
        <source>保存しました: %1</source>
        <translation>Saved: %1</translation>
    </message>
</context>
<context>
    <name>Screen</name>
    <message>
        <source>乗車駅</source>
        <translation>From</translation>
    </message>
    <message>
        <source>降車駅</source>
        <translation>To</translation>
    </message>
</context>
<context>
    <name>SeasonCalendarWindow</name>
    <message>
        <source>この月でいちばん安い日</source>
        <translation>the cheapest day of the month</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>乗車区間の指定がないので、季節だけを示します。</source>
        <translation>No journey given: the seasons only.</translation>
    </message>
    <message>
        <source>&#x3000;</source>
        <translation> </translation>
    </message>
    <message>
        <source>季節カレンダー</source>
        <translation>Season calendar</translation>
    </message>
    <message>
        <source>祝日・その前日・振替休日で通常期</source>
        <translation>normal season for a holiday, the day before one or a substitute holiday</translation>
    </message>
    <message>
        <source>凡例</source>
        <translation>Legend</translation>
    </message>
    <message>
        <source>前の月 (PgUp)</source>
        <translation>Previous month (PgUp)</translation>
    </message>
    <message>
        <source>前の月</source>
        <translation>Previous month</translation>
    </message>
    <message>
        <source>次の月 (PgDn)</source>
        <translation>Next month (PgDn)</translation>
    </message>
    <message>
        <source>次の月</source>
        <translation>Next month</translation>
    </message>
    <message>
        <source>この日にする (Enter)</source>
        <translation>Take this day (Enter)</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>この月をコピー (Ctrl+C)</source>
        <translation>Copy this month (Ctrl+C)</translation>
    </message>
    <message>
        <source>印刷...</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>この月を印刷 (Ctrl+P)</source>
        <translation>Print this month (Ctrl+P)</translation>
    </message>
    <message>
        <source>PDF...</source>
        <translation>PDF...</translation>
    </message>
    <message>
        <source>この月を PDF に保存 (Ctrl+Shift+P)</source>
        <translation>Save this month as PDF (Ctrl+Shift+P)</translation>
    </message>
    <message>
        <source>閉じる (Esc)</source>
        <translation>Close (Esc)</translation>
    </message>
    <message>
        <source>この月をコピー</source>
        <translation>Copy this month</translation>
    </message>
    <message>
        <source>PDF に保存...</source>
        <translation>Save as PDF...</translation>
    </message>
    <message>
        <source>日付	曜日	季節	通常期の理由	合計	最安</source>
        <translation>Date	Weekday	Season	Why normal season	Total	Cheapest</translation>
    </message>
    <message>
        <source>F4: 季節カレンダー (月ごとの季節と料金から日を選ぶ)</source>
        <translation>F4: season calendar (choose the day from the month&apos;s seasons and prices)</translation>
    </message>
    <message>
        <source>%1年%2</source>
        <comment>the year, then the month&apos;s name</comment>
        <translation>%2 %1</translation>
    </message>
</context>
<context>
    <name>Shortcuts</name>
    <message>
        <source>駅を選ぶ画面</source>
        <translation>Station screens</translation>
    </message>
    <message>
        <source>乗車駅の一覧へ</source>
        <translation>Go to the From list</translation>
    </message>
    <message>
        <source>降車駅の一覧へ</source>
        <translation>Go to the To list</translation>
    </message>
    <message>
        <source>最初の画面、料金の比較</source>
        <translation>Start screen, Compare</translation>
    </message>
    <message>
        <source>乗車駅と降車駅を入れ替える</source>
        <translation>Swap From and To</translation>
    </message>
    <message>
        <source>どの画面でも</source>
        <translation>Every window</translation>
    </message>
    <message>
        <source>使い方を開く</source>
        <translation>Open the help at this window&apos;s part</translation>
    </message>
    <message>
        <source>結果、料金の比較</source>
        <translation>Result, Compare</translation>
    </message>
    <message>
        <source>結果や表をコピーする</source>
        <translation>Copy the result or the table</translation>
    </message>
    <message>
        <source>料金の比較</source>
        <translation>Compare</translation>
    </message>
    <message>
        <source>表をすべて選ぶ</source>
        <translation>Select the whole table</translation>
    </message>
    <message>
        <source>交通費明細に追加する</source>
        <translation>Add to the journey list</translation>
    </message>
    <message>
        <source>最初の画面、結果</source>
        <translation>Start screen, Result</translation>
    </message>
    <message>
        <source>交通費明細を開く</source>
        <translation>Open the journey list</translation>
    </message>
    <message>
        <source>料金の比較を開く</source>
        <translation>Open Compare</translation>
    </message>
    <message>
        <source>結果、料金の比較、交通費明細</source>
        <translation>Result, Compare, Journey list</translation>
    </message>
    <message>
        <source>印刷する</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>結果、交通費明細</source>
        <translation>Result, Journey list</translation>
    </message>
    <message>
        <source>PDFとして保存する</source>
        <translation>Save as PDF</translation>
    </message>
    <message>
        <source>乗車日</source>
        <translation>Travel date</translation>
    </message>
    <message>
        <source>前回の乗車日にする</source>
        <translation>Use the last travel date</translation>
    </message>
    <message>
        <source>普通運賃の結果</source>
        <translation>Local fare result</translation>
    </message>
    <message>
        <source>Tab で「内訳」へ：分けて買う切符を読む・表示する</source>
        <translation>Tab to &quot;Details&quot;: read and show the split tickets</translation>
    </message>
    <message>
        <source>交通費明細</source>
        <translation>Journey list</translation>
    </message>
    <message>
        <source>行を上へ</source>
        <translation>Move the row up</translation>
    </message>
    <message>
        <source>行を下へ</source>
        <translation>Move the row down</translation>
    </message>
    <message>
        <source>Excel 用の CSV に書き出す</source>
        <translation>Export CSV for Excel</translation>
    </message>
    <message>
        <source>CSV に書き出す</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Excel ブックで保存する</source>
        <translation>Save as an Excel workbook</translation>
    </message>
    <message>
        <source>表示する月へ</source>
        <translation>Go to the month shown</translation>
    </message>
    <message>
        <source>元に戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>やり直す（Ctrl+Y でも）</source>
        <translation>Redo (Ctrl+Y too)</translation>
    </message>
    <message>
        <source>行を削除する（Ctrl+Z で戻せます）</source>
        <translation>Delete the row (Ctrl+Z brings it back)</translation>
    </message>
    <message>
        <source>最初の画面</source>
        <translation>Start screen</translation>
    </message>
    <message>
        <source>季節カレンダーを開く（乗車日では F4）</source>
        <translation>Open the season calendar (F4 on a travel date)</translation>
    </message>
    <message>
        <source>料金の比較、交通費明細</source>
        <translation>Compare fares, journey list</translation>
    </message>
</context>
<context>
    <name>StationFinder</name>
    <message>
        <source>駅名・よみ・ローマ字</source>
        <translation>Station name or reading</translation>
    </message>
    <message>
        <source>駅を探す</source>
        <translation>Find a station</translation>
    </message>
    <message>
        <source>見つかった駅</source>
        <translation>Stations found</translation>
    </message>
    <message>
        <source>該当する駅がありません</source>
        <translation>No station matches</translation>
    </message>
</context>
<context>
    <name>frmKekka</name>
    <message>
        <source>普通運賃</source>
        <translation>Local fare</translation>
    </message>
    <message>
        <source>検索結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>再検索</source>
        <translation>Start over</translation>
    </message>
    <message>
        <source>内訳</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>frmKekkaT</name>
    <message>
        <source>運賃・特急料金</source>
        <translation>Fare and express charge</translation>
    </message>
    <message>
        <source>検索結果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>運賃</source>
        <translation>Fare</translation>
    </message>
    <message>
        <source>合計</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>再検索</source>
        <translation>Start over</translation>
    </message>
</context>
<context>
    <name>frmKettei</name>
    <message>
        <source>運賃決定</source>
        <translation>Fare</translation>
    </message>
</context>
<context>
    <name>frmMSelect</name>
    <message>
        <source>区間選択</source>
        <translation>Green car section</translation>
    </message>
    <message>
        <source>グリーン車利用区間は？</source>
        <translation>Green car from and to?</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>次へ</source>
        <translation>Next</translation>
    </message>
</context>
<context>
    <name>frmStart</name>
    <message>
        <source>乗車区間</source>
        <translation>Journey</translation>
    </message>
    <message>
        <source>選択してください。</source>
        <translation>Please choose.</translation>
    </message>
    <message>
        <source>特急利用</source>
        <translation>Express</translation>
    </message>
    <message>
        <source>普通列車</source>
        <translation>Local</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>初期表示</source>
        <translation>Startup</translation>
    </message>
    <message>
        <source>変更</source>
        <translation>Open with these stations</translation>
    </message>
    <message>
        <source>マリンライナー</source>
        <translation>Marine Liner</translation>
    </message>
    <message>
        <source>指定席</source>
        <translation>Reserved seat</translation>
    </message>
    <message>
        <source>グリーン車</source>
        <translation>Green car</translation>
    </message>
    <message>
        <source>乗車駅と降車駅を入れ替える (Ctrl+Shift+S)</source>
        <translation>Swap the departure and arrival stations (Ctrl+Shift+S)</translation>
    </message>
    <message>
        <source>乗車駅と降車駅を入れ替える</source>
        <translation>Swap the departure and arrival stations</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>使い方</source>
        <translation>How to use</translation>
    </message>
    <message>
        <source>バージョン情報</source>
        <translation>About</translation>
    </message>
    <message>
        <source>みちくさダイヤ %1

料金表のフォルダー：
%2

対応している乗車日：%3年〜%4年</source>
        <translation>Michikusa Daiya %1

Fare table folder:
%2

Travel dates covered: %3 to %4</translation>
    </message>
    <message>
        <source>特急の運賃と料金を調べる</source>
        <translation>Fare and limited express charges</translation>
    </message>
    <message>
        <source>普通列車の運賃を調べる</source>
        <translation>Local train fare</translation>
    </message>
    <message>
        <source>ツール</source>
        <translation>Tools</translation>
    </message>
    <message>
        <source>料金の比較</source>
        <translation>Compare fares</translation>
    </message>
    <message>
        <source>記録</source>
        <translation>Journeys</translation>
    </message>
    <message>
        <source>交通費明細(&amp;J)...</source>
        <translation>&amp;Journey list...</translation>
    </message>
    <message>
        <source>最近の区間(&amp;R)</source>
        <translation>&amp;Recent journeys</translation>
    </message>
    <message>
        <source>お気に入り(&amp;F)</source>
        <translation>&amp;Favourites</translation>
    </message>
    <message>
        <source>お気に入りに登録(&amp;A)</source>
        <translation>&amp;Add to favourites</translation>
    </message>
    <message>
        <source>お気に入りから削除(&amp;D)</source>
        <translation>&amp;Delete a favourite</translation>
    </message>
    <message>
        <source>お気に入りに登録</source>
        <translation>Add to favourites</translation>
    </message>
    <message>
        <source>季節カレンダー</source>
        <translation>Season calendar</translation>
    </message>
</context>
<context>
    <name>frmTSelect</name>
    <message>
        <source>区間・種別選択</source>
        <translation>Express section and seat</translation>
    </message>
    <message>
        <source>特急利用区間は？</source>
        <translation>Express from and to?</translation>
    </message>
    <message>
        <source>自由席</source>
        <translation>Non-res.</translation>
    </message>
    <message>
        <source>指定席</source>
        <translation>Reserved</translation>
    </message>
    <message>
        <source>グリーン車</source>
        <translation>Green car</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>特急の自由席</source>
        <translation>Limited express, non-reserved seat</translation>
    </message>
    <message>
        <source>特急の指定席（乗車日を選びます）</source>
        <translation>Limited express, reserved seat (asks for the travel date)</translation>
    </message>
    <message>
        <source>特急のグリーン車</source>
        <translation>Limited express, Green car</translation>
    </message>
    <message>
        <source>自由席</source>
        <comment>the button&apos;s name in full</comment>
        <translation>Non-reserved</translation>
    </message>
</context>
</TS>
