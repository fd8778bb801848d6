#include "screens/SeasonCalendar.hpp"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "explain/comparison_words.hpp"
#include "explain/enquiry_words.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/DateScreen.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/Seam.hpp"
#include "screens/WhyLine.hpp"
#include "screens/WindowPlace.hpp"
#include "screens/frmStart.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

namespace {

const QString kPlaceKey = QStringLiteral("calendar/geometry");

const QDate kFirst(mkd::kFirstListedYear, 1, 1);
const QDate kLast(mkd::kLastListedYear, 12, 31);

// What a day's cell holds besides its words.
enum Role {
    SeasonRole = Qt::UserRole,  // int(mkd::Season); none for a cell without a day
    DayRole,  // the day of the month
    TotalRole,  // the total as shown, "" where none is shown
    CheapestRole,  // bool
    OverrideRole,  // bool
};

constexpr QChar kOverrideMark = u'◆';
constexpr QChar kCheapestMark = u'★';

QColor textOn(mkd::Season season) { return season == mkd::Season::Busy ? Qt::white : Qt::black; }

mkd::Date fromQt(const QDate& d) { return {d.year(), d.month(), d.day()}; }
QDate toQtDate(const mkd::Date& d) { return QDate(d.year, d.month, d.day); }

// A day's cell: the season's colour, the day top left, its marks top right,
// the total below; the chosen day inside a ring of black and white that
// shows on every season's colour.
class DayDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        p->save();
        const QRect r = option.rect.adjusted(1, 1, -1, -1);
        const QVariant seasonValue = index.data(SeasonRole);
        if (!seasonValue.isValid()) {
            p->fillRect(r, option.palette.color(QPalette::Window));
            p->restore();
            return;
        }
        const auto season = static_cast<mkd::Season>(seasonValue.toInt());
        p->fillRect(r, SeasonCalendarWindow::seasonColour(season));
        p->setPen(textOn(season));
        const QRect inner = r.adjusted(6, 4, -6, -4);
        QFont font = option.font;
        font.setBold(true);
        p->setFont(font);
        p->drawText(inner, Qt::AlignLeft | Qt::AlignTop, QString::number(index.data(DayRole).toInt()));
        QString marks;
        if (index.data(OverrideRole).toBool()) marks += kOverrideMark;
        if (index.data(CheapestRole).toBool()) marks += kCheapestMark;
        p->drawText(inner, Qt::AlignRight | Qt::AlignTop, marks);
        font.setBold(false);
        p->setFont(font);
        p->drawText(inner, Qt::AlignRight | Qt::AlignBottom, index.data(TotalRole).toString());
        const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
        if (view && view->currentIndex() == index) {
            const int width = view->hasFocus() ? 3 : 2;
            p->setPen(QPen(Qt::black, width));
            p->setBrush(Qt::NoBrush);
            p->drawRect(r.adjusted(width / 2, width / 2, -(width + 1) / 2, -(width + 1) / 2));
            p->setPen(QPen(Qt::white, 2));
            p->drawRect(r.adjusted(width + 1, width + 1, -width - 2, -width - 2));
        }
        p->restore();
    }
};

QPointer<SeasonCalendarWindow> one;

}  // namespace

QColor SeasonCalendarWindow::seasonColour(mkd::Season season) {
    switch (season) {
        case mkd::Season::Busy:
            return QColor(0x5C, 0x0A, 0x14);  // dark wine
        case mkd::Season::Normal:
            return QColor(0xB8, 0x78, 0x30);  // ochre
        case mkd::Season::OffPeak:
            break;
    }
    return QColor(0xF4, 0xF9, 0xFF);  // the palest blue
}

SeasonCalendarWindow* SeasonCalendarWindow::find(ScreenFlow& flow) {
    return one && &one->flow_ == &flow ? one.data() : nullptr;
}

SeasonCalendarWindow* SeasonCalendarWindow::open(ScreenFlow& flow, Opening with) {
    QWidget* opener = QApplication::activeWindow();
    SeasonCalendarWindow* window = find(flow);
    if (!window) {
        // It goes with the start screen, which lives as long as the program.
        auto* start = flow.loaded<frmStart>();
        if (!start) return nullptr;
        delete one.data();
        window = new SeasonCalendarWindow(flow, nullptr);
        one = window;
        QObject::connect(start, &QObject::destroyed, window, [window] { delete window; });
        window->take(std::move(with));
        window->place_->restore(opener);
    } else {
        window->take(std::move(with));
    }
    window->QWidget::show();
    window->raise();
    window->activateWindow();
    window->grid->setFocus(Qt::OtherFocusReason);
    return window;
}

SeasonCalendarWindow::SeasonCalendarWindow(ScreenFlow& flow, QWidget* parent)
    : QWidget(parent, Qt::Window),
      flow_(flow),
      place_(new WindowPlace(*this, flow.seam(), kPlaceKey)),
      calendar_(std::make_unique<mkd::SeasonCalendar>(flow.tables().locations())) {
    setObjectName(QStringLiteral("frmCalendar"));
    cmdPrevious = new QPushButton(QStringLiteral("◀"), this);
    cmdPrevious->setObjectName(QStringLiteral("cmdPrevious"));
    cmdNext = new QPushButton(QStringLiteral("▶"), this);
    cmdNext->setObjectName(QStringLiteral("cmdNext"));
    for (QPushButton* b : {cmdPrevious, cmdNext}) b->setFocusPolicy(Qt::NoFocus);  // PgUp / PgDn
    lblMonth = new QLabel(this);
    lblMonth->setObjectName(QStringLiteral("lblMonth"));
    lblMonth->setAlignment(Qt::AlignCenter);
    QFont big = lblMonth->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    lblMonth->setFont(big);
    lblJourney = new QLabel(this);
    lblJourney->setObjectName(QStringLiteral("lblJourney"));
    lblJourney->setWordWrap(true);

    grid = new QTableWidget(6, 7, this);
    grid->setObjectName(QStringLiteral("grdCalendar"));
    grid->setItemDelegate(new DayDelegate(grid));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionMode(QAbstractItemView::NoSelection);
    grid->setTabKeyNavigation(false);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setShowGrid(false);
    grid->installEventFilter(this);
    connect(grid, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        const QTableWidgetItem* item = grid->item(row, column);
        if (!item || !item->data(DayRole).isValid()) return;
        date_.day = item->data(DayRole).toInt();
        showWords();
    });
    connect(grid, &QTableWidget::cellDoubleClicked, this, [this] { choose(); });

    lblLegend = new QLabel(this);
    lblLegend->setObjectName(QStringLiteral("lblLegend"));
    lblLegend->setWordWrap(true);
    // The seasons' colours, each with its name.
    for (mkd::Season s : {mkd::Season::Busy, mkd::Season::Normal, mkd::Season::OffPeak}) {
        auto* swatch = new QLabel(this);
        swatch->setAutoFillBackground(true);
        QPalette p = swatch->palette();
        p.setColor(QPalette::Window, seasonColour(s));
        p.setColor(QPalette::WindowText, textOn(s));
        swatch->setPalette(p);
        swatch->setContentsMargins(10, 4, 10, 4);
        swatches_[static_cast<std::size_t>(s)] = swatch;
    }
    lblDay = new QLabel(this);
    lblDay->setObjectName(QStringLiteral("lblDay"));
    lblDay->setWordWrap(true);
    lblDay->setTextInteractionFlags(Qt::TextSelectableByMouse);

    cmdTake = new QPushButton(this);
    cmdTake->setObjectName(QStringLiteral("cmdTake"));
    cmdCopy = new QPushButton(this);
    cmdCopy->setObjectName(QStringLiteral("cmdCopy"));
    cmdPrint = new QPushButton(this);
    cmdPrint->setObjectName(QStringLiteral("cmdPrint"));
    cmdPdf = new QPushButton(this);
    cmdPdf->setObjectName(QStringLiteral("cmdPdf"));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    for (QPushButton* b : {cmdTake, cmdCopy, cmdPrint, cmdPdf, cmdClose}) b->setAutoDefault(false);
    const auto move = [this](int months) {
        const QDate d = toQtDate(date_).addMonths(months);
        show(fromQt(std::clamp(d, kFirst, kLast)));
    };
    connect(cmdPrevious, &QPushButton::clicked, this, [move] { move(-1); });
    connect(cmdNext, &QPushButton::clicked, this, [move] { move(1); });
    connect(cmdTake, &QPushButton::clicked, this, &SeasonCalendarWindow::choose);
    connect(cmdCopy, &QPushButton::clicked, this, &SeasonCalendarWindow::copy);
    connect(cmdPrint, &QPushButton::clicked, this, &SeasonCalendarWindow::print);
    connect(cmdPdf, &QPushButton::clicked, this, &SeasonCalendarWindow::savePdf);
    connect(cmdClose, &QPushButton::clicked, this, &QWidget::close);

    const auto action = [this](const QKeySequence& keys, void (SeasonCalendarWindow::*slot)()) {
        auto* a = new QAction(this);
        a->setShortcut(keys);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, slot);
        addAction(a);
        return a;
    };
    copyAction = action(QKeySequence::Copy, &SeasonCalendarWindow::copy);
    printAction = action(QKeySequence::Print, &SeasonCalendarWindow::print);
    pdfAction = action(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), &SeasonCalendarWindow::savePdf);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    grid->addActions({copyAction, printAction, pdfAction});

    auto* top = new QHBoxLayout;
    top->addWidget(cmdPrevious);
    top->addWidget(lblMonth, 1);
    top->addWidget(cmdNext);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdTake);
    buttons->addStretch(1);
    for (QPushButton* b : {cmdCopy, cmdPrint, cmdPdf, cmdClose}) buttons->addWidget(b);
    QVBoxLayout* layout = scrollingClient(*this);
    layout->addLayout(top);
    layout->addWidget(lblJourney);
    layout->addWidget(grid, 0, Qt::AlignHCenter);
    layout->addWidget(lblDay);
    auto* legend = new QHBoxLayout;
    for (QLabel* swatch : swatches_) legend->addWidget(swatch);
    legend->addWidget(lblLegend, 1);
    layout->addLayout(legend);
    layout->addStretch(1);
    layout->addLayout(buttons);
    setTabOrder(grid, cmdTake);
    setTabOrder(cmdTake, cmdCopy);
    setTabOrder(cmdCopy, cmdPrint);
    setTabOrder(cmdPrint, cmdPdf);
    setTabOrder(cmdPdf, cmdClose);
}

SeasonCalendarWindow::~SeasonCalendarWindow() = default;

mkd::Lang SeasonCalendarWindow::language() const { return flow_.language(); }

QLocale SeasonCalendarWindow::locale() const {
    // The calendar speaks the screens' language; in English the system's
    // English (its first day of the week) where it speaks English.
    if (language() == mkd::Lang::Japanese) return QLocale(QLocale::Japanese, QLocale::Japan);
    const QLocale system = QLocale::system();
    return system.language() == QLocale::English ? system : QLocale(QLocale::English, QLocale::UnitedStates);
}

void SeasonCalendarWindow::take(Opening with) {
    opening_ = std::move(with);
    const QDate d = std::clamp(toQtDate(opening_.date).isValid() ? toQtDate(opening_.date) : kFirst, kFirst, kLast);
    date_ = fromQt(d);
    month_ = {};
    fill();
}

void SeasonCalendarWindow::show(const mkd::Date& date) {
    const QDate d = std::clamp(toQtDate(date), kFirst, kLast);
    date_ = fromQt(d);
    fill();
}

void SeasonCalendarWindow::fill() {
    if (month_.year != date_.year || month_.month != date_.month || month_.days.empty())
        month_ = calendar_->month(date_.year, date_.month, opening_.journey);
    const QLocale here = locale();
    const int first = here.firstDayOfWeek();  // 1 = Monday … 7 = Sunday
    const auto column = [first](int weekday) { return ((weekday == 0 ? 7 : weekday) - first + 7) % 7; };
    const int lead = month_.days.empty() ? 0 : column(month_.days.front().weekday);
    const int rows = (lead + static_cast<int>(month_.days.size()) + 6) / 7;
    const QSignalBlocker quiet(grid);
    grid->clearContents();
    grid->setRowCount(rows);
    QStringList heads;
    for (int c = 0; c < 7; ++c) heads << here.dayName((first - 1 + c) % 7 + 1, QLocale::ShortFormat);
    grid->setHorizontalHeaderLabels(heads);
    const bool showTotals = month_.seasonal;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < 7; ++c) {
            auto* blank = new QTableWidgetItem;
            blank->setFlags(Qt::NoItemFlags);
            grid->setItem(r, c, blank);
        }
    for (const mkd::CalendarDay& day : month_.days) {
        const int at = lead + day.date.day - 1;
        auto* item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        item->setData(SeasonRole, static_cast<int>(day.season));
        item->setData(DayRole, day.date.day);
        const QString total = showTotals && day.total ? toQt(mkd::formatMoney(*day.total, language())) : QString();
        item->setData(TotalRole, total);
        item->setData(CheapestRole, showTotals && day.cheapest);
        item->setData(OverrideRole, day.override.has_value());
        const QString words = dayWords(day);
        item->setData(Qt::DisplayRole, QString::number(day.date.day));
        item->setData(Qt::AccessibleTextRole, words);
        item->setToolTip(words);
        grid->setItem(at / 7, at % 7, item);
        if (day.date.day == date_.day) grid->setCurrentCell(at / 7, at % 7);
    }
    // Room for the widest total and the marks, two lines high.
    const QFontMetrics metrics(grid->font());
    const int width =
        std::max(metrics.horizontalAdvance(toQt(mkd::formatMoney(99999999, language())) + QStringLiteral("  ")),
                 metrics.horizontalAdvance(QStringLiteral("31 ◆★"))) +
        16;
    for (int c = 0; c < 7; ++c) grid->setColumnWidth(c, width);
    for (int r = 0; r < rows; ++r) grid->setRowHeight(r, metrics.height() * 2 + 14);
    grid->setFixedSize(
        width * 7 + 2 * grid->frameWidth(),
        grid->horizontalHeader()->sizeHint().height() + 6 * (metrics.height() * 2 + 14) + 2 * grid->frameWidth());
    showWords();
}

QString SeasonCalendarWindow::seasonWords(mkd::Season season) const {
    return toQt(std::string(mkd::seasonName(season, language())));
}

QString SeasonCalendarWindow::dayWords(const mkd::CalendarDay& day) const {
    const mkd::Lang lang = language();
    QStringList words{locale().toString(toQtDate(day.date), QLocale::LongFormat), seasonWords(day.season)};
    if (day.override) words << toQt(mkd::overrideText(*day.override, lang));
    if (day.total && month_.seasonal) words << toQt(mkd::formatMoney(*day.total, lang));
    if (day.cheapest && month_.seasonal) words << tr("この月でいちばん安い日");
    return words.join(tr("、"));
}

QString SeasonCalendarWindow::journeyWords() const {
    const mkd::Lang lang = language();
    if (!month_.journey) return tr("乗車区間の指定がないので、季節だけを示します。");
    const mkd::CalendarJourney& j = *month_.journey;
    QString line = toQt(mkd::pricedJourneyText(j.request, lang)).replace(QLatin1Char('\n'), QLatin1Char(' '));
    line += tr("　") + toQt(mkd::partyText(j.party, lang)) + tr("　") +
            toQt(mkd::text(j.request.trip == mkd::Trip::RoundTrip ? mkd::Msg::RoundTrip : mkd::Msg::OneWay, lang));
    if (month_.refused) return line + QLatin1Char('\n') + toQt(mkd::refusalText(*month_.refused, lang));
    if (!month_.seasonal && !month_.days.empty() && month_.days.front().total)
        return line + QLatin1Char('\n') + toQt(mkd::text(mkd::Msg::CalendarSameEveryDay, lang)) + tr("　") +
               toQt(mkd::formatMoney(*month_.days.front().total, lang));
    return line;
}

void SeasonCalendarWindow::showWords() {
    const mkd::Lang lang = language();
    setWindowTitle(tr("季節カレンダー"));
    lblMonth->setText(tr("%1年%2", "the year, then the month's name")
                          .arg(date_.year)
                          .arg(locale().standaloneMonthName(date_.month, QLocale::LongFormat)));
    lblJourney->setText(journeyWords());
    for (mkd::Season s : {mkd::Season::Busy, mkd::Season::Normal, mkd::Season::OffPeak})
        swatches_[static_cast<std::size_t>(s)]->setText(seasonWords(s));
    QStringList marks{QString(kOverrideMark) + QLatin1Char(' ') + tr("祝日・その前日・振替休日で通常期")};
    if (month_.seasonal) marks << QString(kCheapestMark) + QLatin1Char(' ') + tr("この月でいちばん安い日");
    lblLegend->setText(marks.join(QLatin1Char('\n')));
    lblLegend->setAccessibleName(tr("凡例"));
    const auto day = std::find_if(month_.days.begin(), month_.days.end(),
                                  [this](const mkd::CalendarDay& d) { return d.date.day == date_.day; });
    lblDay->setText(day != month_.days.end() ? dayWords(*day) : QString());
    grid->setAccessibleName(tr("季節カレンダー") + tr("　") + lblMonth->text());
    grid->setAccessibleDescription(lblDay->text());
    cmdPrevious->setToolTip(tr("前の月 (PgUp)"));
    cmdPrevious->setAccessibleName(tr("前の月"));
    cmdNext->setToolTip(tr("次の月 (PgDn)"));
    cmdNext->setAccessibleName(tr("次の月"));
    cmdTake->setText(tr("この日にする (Enter)"));
    cmdTake->setVisible(static_cast<bool>(opening_.take));
    cmdCopy->setText(tr("コピー"));
    cmdCopy->setToolTip(tr("この月をコピー (Ctrl+C)"));
    cmdPrint->setText(tr("印刷..."));
    cmdPrint->setToolTip(tr("この月を印刷 (Ctrl+P)"));
    cmdPdf->setText(tr("PDF..."));
    cmdPdf->setToolTip(tr("この月を PDF に保存 (Ctrl+Shift+P)"));
    cmdClose->setText(tr("閉じる (Esc)"));
    copyAction->setText(tr("この月をコピー"));
    printAction->setText(tr("印刷..."));
    pdfAction->setText(tr("PDF に保存..."));
    (void)lang;
}

void SeasonCalendarWindow::choose() {
    if (opening_.take) {
        const auto take = opening_.take;
        const mkd::Date chosen = date_;
        close();
        take(chosen);
        return;
    }
    close();
}

bool SeasonCalendarWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched != grid || event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool ctrl = key->modifiers() & Qt::ControlModifier;
    QDate d = toQtDate(date_);
    switch (key->key()) {
        case Qt::Key_Left:
            d = d.addDays(-1);
            break;
        case Qt::Key_Right:
            d = d.addDays(1);
            break;
        case Qt::Key_Up:
            d = d.addDays(-7);
            break;
        case Qt::Key_Down:
            d = d.addDays(7);
            break;
        case Qt::Key_PageUp:
            d = ctrl ? d.addYears(-1) : d.addMonths(-1);
            break;
        case Qt::Key_PageDown:
            d = ctrl ? d.addYears(1) : d.addMonths(1);
            break;
        case Qt::Key_Home:
            d = QDate(d.year(), d.month(), 1);
            break;
        case Qt::Key_End:
            d = QDate(d.year(), d.month(), d.daysInMonth());
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            choose();
            return true;
        default:
            return QWidget::eventFilter(watched, event);
    }
    show(fromQt(std::clamp(d, kFirst, kLast)));
    return true;
}

void SeasonCalendarWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Close)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SeasonCalendarWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) fill();
    QWidget::changeEvent(event);
}

QString SeasonCalendarWindow::text() const {
    const mkd::Lang lang = language();
    QStringList lines{lblMonth->text(), journeyWords()};
    lines << tr("日付\t曜日\t季節\t通常期の理由\t合計\t最安");
    for (const mkd::CalendarDay& d : month_.days)
        lines << QStringList{toQtDate(d.date).toString(Qt::ISODate),
                             toQt(std::string(mkd::weekdayName(d.weekday, lang))),
                             seasonWords(d.season),
                             d.override ? toQt(mkd::overrideText(*d.override, lang)) : QString(),
                             d.total ? toQt(mkd::formatMoney(*d.total, lang)) : QString(),
                             d.cheapest ? QString(kCheapestMark) : QString()}
                     .join(QLatin1Char('\t'));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString SeasonCalendarWindow::html() const {
    const mkd::Lang lang = language();
    const QLocale here = locale();
    const int first = here.firstDayOfWeek();
    QString h = QStringLiteral("<html><body><h2>%1 %2</h2><p>%3</p>")
                    .arg(tr("季節カレンダー").toHtmlEscaped(), lblMonth->text().toHtmlEscaped(),
                         journeyWords().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    h += QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"6\" width=\"100%\"><tr>");
    for (int c = 0; c < 7; ++c)
        h += QStringLiteral("<th>%1</th>").arg(here.dayName((first - 1 + c) % 7 + 1, QLocale::ShortFormat));
    h += QStringLiteral("</tr>");
    const auto column = [first](int weekday) { return ((weekday == 0 ? 7 : weekday) - first + 7) % 7; };
    const int lead = month_.days.empty() ? 0 : column(month_.days.front().weekday);
    const int cells = (lead + static_cast<int>(month_.days.size()) + 6) / 7 * 7;
    for (int at = 0; at < cells; ++at) {
        if (at % 7 == 0) h += QStringLiteral("<tr>");
        const int index = at - lead;
        if (index < 0 || index >= static_cast<int>(month_.days.size())) {
            h += QStringLiteral("<td></td>");
        } else {
            const mkd::CalendarDay& d = month_.days[static_cast<std::size_t>(index)];
            QString cell = QStringLiteral("<b>%1</b>").arg(d.date.day);
            if (d.override) cell += QLatin1Char(' ') + kOverrideMark;
            if (d.cheapest && month_.seasonal) cell += QLatin1Char(' ') + kCheapestMark;
            cell += QStringLiteral("<br>") + seasonWords(d.season).toHtmlEscaped();
            if (d.total && month_.seasonal)
                cell += QStringLiteral("<br>") + toQt(mkd::formatMoney(*d.total, lang)).toHtmlEscaped();
            h += QStringLiteral("<td bgcolor=\"%1\" style=\"color:%2\" valign=\"top\">%3</td>")
                     .arg(seasonColour(d.season).name(), textOn(d.season).name(), cell);
        }
        if (at % 7 == 6) h += QStringLiteral("</tr>");
    }
    QStringList legend;
    for (mkd::Season s : {mkd::Season::Busy, mkd::Season::Normal, mkd::Season::OffPeak})
        legend << QStringLiteral("<span style=\"background-color:%1; color:%2\">&nbsp;%3&nbsp;</span>")
                      .arg(seasonColour(s).name(), textOn(s).name(), seasonWords(s).toHtmlEscaped());
    legend << lblLegend->text().toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("&nbsp;&nbsp; "));
    h += QStringLiteral("</table><p>%1</p>").arg(legend.join(QStringLiteral("&nbsp;&nbsp; ")));
    QStringList overrides;
    for (const mkd::CalendarDay& d : month_.days)
        if (d.override)
            overrides << here.toString(toQtDate(d.date), QLocale::LongFormat).toHtmlEscaped() + tr("　") +
                             toQt(mkd::overrideText(*d.override, lang)).toHtmlEscaped();
    if (!overrides.isEmpty()) h += QStringLiteral("<p>%1</p>").arg(overrides.join(QStringLiteral("<br>")));
    return h + QStringLiteral("</body></html>");
}

void SeasonCalendarWindow::copy() {
    auto* month = new QMimeData;
    month->setText(text());
    month->setHtml(html());
    QGuiApplication::clipboard()->setMimeData(month);
}

void SeasonCalendarWindow::print() { printPreview(this, flow_, html()); }

void SeasonCalendarWindow::savePdf() {
    ::savePdf(this, flow_, html(), tr("季節カレンダー") + QLatin1Char(' ') + lblMonth->text());
}

namespace {

// F4 and Alt+↓ in a field open the calendar.
class CalendarKeys : public QObject {
public:
    CalendarKeys(QWidget* field, std::function<void()> open) : QObject(field), open_(std::move(open)) {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        const auto type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool ours = (key->key() == Qt::Key_F4 && key->modifiers() == Qt::NoModifier) ||
                          (key->key() == Qt::Key_Down && key->modifiers() == Qt::AltModifier);
        if (!ours) return false;
        event->accept();
        if (type == QEvent::KeyPress) open_();
        return true;
    }

private:
    std::function<void()> open_;
};

// The line below a date screen's controls that names the key, and opens the
// calendar on a click.
class CalendarLine : public LineBelow {
public:
    CalendarLine(QWidget* client, std::function<void()> open)
        : LineBelow(client, QStringLiteral("lblCalendar")), open_(std::move(open)) {
        setCursor(Qt::PointingHandCursor);
        showWords();
    }

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::LanguageChange) showWords();
        LineBelow::changeEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent*) override { open_(); }

private:
    void showWords() { say(SeasonCalendarWindow::tr("F4: 季節カレンダー (月ごとの季節と料金から日を選ぶ)")); }
    std::function<void()> open_;
};

}  // namespace

void openSeasonCalendar(ScreenFlow& flow) {
    const mkd::EnquiryInProgress& e = flow.enquiry();
    mkd::CalendarJourney journey;
    journey.request.kind = mkd::Enquiry::Reserved;
    journey.request.departure = e.request.departure;
    journey.request.arrival = e.request.arrival;
    journey.party = {1, 0, 0};
    const mkd::Date date = e.date ? e.date->date : mkd::defaultTravelDate(flow.seam().today());
    SeasonCalendarWindow::open(flow, {date, journey, nullptr});
}

void openCalendarByKeys(QWidget* field, std::function<void()> open) { new CalendarKeys(field, std::move(open)); }

void offerSeasonCalendar(DateScreen& screen, ScreenFlow& flow, QWidget* client) {
    QPointer<DateScreen> at(&screen);
    const auto open = [at, &flow] {
        if (!at) return;
        const mkd::EnquiryRequest& request = flow.enquiry().request;
        mkd::Party party{0, 0, 0};
        (request.passenger == mkd::Passenger::Adult   ? party.adults
         : request.passenger == mkd::Passenger::Child ? party.children
                                                      : party.students) = 1;
        SeasonCalendarWindow::open(
            flow, {at->travelDate().date, mkd::CalendarJourney{request, party}, [at](const mkd::Date& d) {
                       if (!at) return;
                       at->setTravelDate(d);
                       at->activateWindow();
                       at->raise();
                   }});
    };
    auto* key = new QAction(&screen);
    key->setShortcut(QKeySequence(Qt::Key_F4));
    key->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(key, &QAction::triggered, &screen, open);
    screen.addAction(key);
    new CalendarLine(client, open);
}
