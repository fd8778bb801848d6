#include "screens/JourneyWindow.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>

#include "data/journey_list.hpp"
#include "explain/answer_words.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/LastTravelDate.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/WindowPlace.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

JourneyModel::JourneyModel(mkd::JourneyStore& store, ScreenFlow& flow, QObject* parent)
    : QAbstractTableModel(parent), store_(store), flow_(flow) {}

int JourneyModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int JourneyModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(mkd::journeyHeads(mkd::Lang::Japanese).size());
}

int JourneyModel::listRow(int shownRow) const {
    return shownRow >= 0 && shownRow < static_cast<int>(shown_.size()) ? shown_[static_cast<std::size_t>(shownRow)]
                                                                       : -1;
}

QVariant JourneyModel::data(const QModelIndex& index, int role) const {
    const int row = listRow(index.row());
    if (row < 0) return {};
    const mkd::JourneyRow& j = store_.list.rows[static_cast<std::size_t>(row)];
    const mkd::Lang lang = flow_.language();
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (index.column() == kAmountColumn && role == Qt::DisplayRole) return toQt(mkd::formatMoney(j.amount, lang));
        return toQt(mkd::journeyCells(j, tablesNow, lang)[static_cast<std::size_t>(index.column())]);
    }
    if (role == Qt::TextAlignmentRole && index.column() == kAmountColumn)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && j.tables != tablesNow) return toQt(mkd::text(mkd::Msg::JourneyOtherTables, lang));
    return {};
}

QVariant JourneyModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    const auto heads = mkd::journeyHeads(flow_.language());
    return section >= 0 && section < static_cast<int>(heads.size())
               ? QVariant(toQt(heads[static_cast<std::size_t>(section)]))
               : QVariant();
}

Qt::ItemFlags JourneyModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == kDateColumn || index.column() == kNoteColumn) f |= Qt::ItemIsEditable;
    return f;
}

bool JourneyModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    const int row = listRow(index.row());
    if (role != Qt::EditRole || row < 0) return false;
    mkd::JourneyRow& j = store_.list.rows[static_cast<std::size_t>(row)];
    const std::string text = value.toString().trimmed().toStdString();
    if (index.column() == kDateColumn) {
        // An empty date is no date; anything else must be a real one.
        const std::optional<mkd::Date> date = mkd::readDate(text);
        if (!text.empty() && !date) return false;
        j.date = date;
    } else if (index.column() == kNoteColumn) {
        j.note = value.toString().toStdString();
    } else {
        return false;
    }
    emit dataChanged(index, index);
    emit edited();
    return true;
}

void JourneyModel::show(const std::string& month) {
    beginResetModel();
    month_ = month;
    shown_ = store_.list.rowsOf(month_);
    endResetModel();
}

JourneyWindow::JourneyWindow(QWidget* owner, ScreenFlow& flow)
    : QWidget(owner, Qt::Window),
      flow_(flow),
      place_(new WindowPlace(*this, flow.seam(), QStringLiteral("journeys/geometry"))),
      store_(mkd::journeyListPath(mkd::userFoldersFromEnvironment())) {
    model_ = new JourneyModel(store_, flow_, this);
    model_->tablesNow = mkd::tablesFingerprint(flow_.tables().locations().tableFolder);

    // The table first: it has the focus when the window opens.
    table = new QTableView(this);
    month = new QComboBox(this);
    table->setModel(model_);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    table->horizontalHeader()->setStretchLastSection(true);
    total = new QLabel(this);
    total->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto button = [this](void (JourneyWindow::*slot)()) {
        auto* b = new QPushButton(this);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    up_ = new QPushButton(this);
    down_ = new QPushButton(this);
    connect(up_, &QPushButton::clicked, this, [this] { moveRow(-1); });
    connect(down_, &QPushButton::clicked, this, [this] { moveRow(1); });
    delete_ = button(&JourneyWindow::deleteRow);
    csv_ = new QPushButton(this);
    excel_ = new QPushButton(this);
    connect(csv_, &QPushButton::clicked, this, [this] { exportCsv(mkd::CsvStyle::Plain); });
    connect(excel_, &QPushButton::clicked, this, [this] { exportCsv(mkd::CsvStyle::Excel); });
    print_ = button(&JourneyWindow::print);
    pdf_ = button(&JourneyWindow::savePdf);
    close_ = new QPushButton(this);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);

    auto key = [this](QKeySequence sequence, auto slot) {
        auto* a = new QAction(this);
        a->setShortcut(sequence);
        a->setShortcutContext(Qt::WindowShortcut);
        addAction(a);
        connect(a, &QAction::triggered, this, slot);
    };
    key(QKeySequence(Qt::CTRL | Qt::Key_Up), [this] { moveRow(-1); });
    key(QKeySequence(Qt::CTRL | Qt::Key_Down), [this] { moveRow(1); });
    key(QKeySequence::Print, [this] { print(); });
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P), [this] { savePdf(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_E), [this] { exportCsv(mkd::CsvStyle::Excel); });
    key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), [this] { exportCsv(mkd::CsvStyle::Plain); });
    key(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });

    auto* top = new QHBoxLayout;
    top->addWidget(month);
    top->addStretch();
    top->addWidget(total);
    auto* rows = new QHBoxLayout;
    for (QPushButton* b : {up_, down_, delete_}) rows->addWidget(b);
    rows->addStretch();
    auto* out = new QHBoxLayout;
    for (QPushButton* b : {csv_, excel_, print_, pdf_}) out->addWidget(b);
    out->addStretch();
    out->addWidget(close_);
    QVBoxLayout* layout = scrollingClient(*this);
    layout->addLayout(top);
    layout->addWidget(table);
    layout->addLayout(rows);
    layout->addLayout(out);
    resize(860, 420);

    connect(model_, &JourneyModel::edited, this, [this] {
        save();
        refresh();
    });
    connect(month, &QComboBox::activated, this, [this] {
        model_->show(month->currentData().toString().toStdString());
        refresh();
    });

    reportLoad(store_.load());
    showWords();
    model_->show({});
}

void JourneyWindow::reportLoad(const mkd::JourneyLoad& load) {
    const mkd::Lang lang = flow_.language();
    const std::string path = store_.path();
    if (load.error != 0) {
        flow_.message(toQt(mkd::text(mkd::Msg::JourneyUnreadable, lang, {path, mkd::reasonText(load.error, lang)})));
        return;
    }
    if (load.read.ok()) return;
    std::string why;
    switch (load.read.damage) {
        case mkd::JourneyDamage::FirstLine:
            why = mkd::text(mkd::Msg::JourneyBadFirstLine, lang);
            break;
        case mkd::JourneyDamage::FieldCount:
            why = mkd::text(mkd::Msg::JourneyBadFieldCount, lang, {std::to_string(load.read.fields)});
            break;
        case mkd::JourneyDamage::Value:
        case mkd::JourneyDamage::None:
            why = mkd::text(mkd::Msg::JourneyBadValue, lang, {load.read.field, load.read.value});
            break;
    }
    const std::string kept = load.keptAs.empty() ? path : load.keptAs;
    flow_.message(toQt(mkd::text(mkd::Msg::JourneyDamaged, lang, {path, std::to_string(load.read.line), why, kept})));
}

void JourneyWindow::showWords() {
    const mkd::Lang lang = flow_.language();
    setWindowTitle(toQt(mkd::text(mkd::Msg::JourneyList, lang)));
    up_->setText(tr("上へ"));
    up_->setToolTip(tr("選んだ行を上へ (Ctrl+↑)"));
    down_->setText(tr("下へ"));
    down_->setToolTip(tr("選んだ行を下へ (Ctrl+↓)"));
    delete_->setText(tr("削除"));
    delete_->setToolTip(tr("選んだ行を削除 (Delete)"));
    csv_->setText(tr("CSVで保存..."));
    csv_->setToolTip(tr("UTF-8 のCSV (Ctrl+Shift+E)"));
    excel_->setText(tr("Excel用CSVで保存..."));
    excel_->setToolTip(tr("BOM付き UTF-8、CRLF のCSV (Ctrl+E)"));
    print_->setText(tr("印刷..."));
    print_->setToolTip(tr("印刷プレビュー (Ctrl+P)"));
    pdf_->setText(tr("PDFとして保存..."));
    pdf_->setToolTip(tr("A4 のPDF (Ctrl+Shift+P)"));
    close_->setText(tr("閉じる"));
    month->setAccessibleName(tr("表示する月"));
    table->setAccessibleName(toQt(mkd::text(mkd::Msg::JourneyList, lang)));
    refresh();
}

void JourneyWindow::refresh() {
    const mkd::Lang lang = flow_.language();
    // The month filter lists the months there are, keeping the one chosen.
    const QString chosen = toQt(model_->month());
    month->clear();
    month->addItem(tr("すべての月"), QString());
    for (const std::string& m : store_.list.months()) month->addItem(toQt(m), toQt(m));
    month->setCurrentIndex(std::max(0, month->findData(chosen)));
    if (month->currentData().toString() != chosen) model_->show({});
    const auto count = model_->rowCount();
    total->setText(toQt(mkd::text(mkd::Msg::JourneyTotal, lang)) + QStringLiteral("  ") +
                   toQt(mkd::formatMoney(store_.list.total(model_->month()), lang)) + QStringLiteral("  ") +
                   toQt(mkd::text(mkd::Msg::JourneyCount, lang, {std::to_string(count)})));
    model_->headerDataChanged(Qt::Horizontal, 0, model_->columnCount() - 1);
    // Every column as wide as its widest word in this language, and no
    // narrower than usual, so that a purpose has room to be typed.
    table->resizeColumnsToContents();
    const int usual = table->horizontalHeader()->defaultSectionSize();
    for (int c = 0; c < model_->columnCount(); ++c)
        if (table->columnWidth(c) < usual) table->setColumnWidth(c, usual);
}

void JourneyWindow::open() {
    if (!placed_) place_->restore(QApplication::activeWindow());
    placed_ = true;
    model_->tablesNow = mkd::tablesFingerprint(flow_.tables().locations().tableFolder);
    model_->show(model_->month());
    refresh();
    show();
    raise();
    activateWindow();
    table->setFocus();
    if (model_->rowCount() > 0 && !table->currentIndex().isValid()) table->selectRow(0);
}

bool JourneyWindow::save() {
    const mkd::SaveResult saved = store_.save();
    if (saved.ok()) return true;
    const mkd::Lang lang = flow_.language();
    flow_.message(toQt(mkd::text(mkd::Msg::JourneyNotSaved, lang, {saved.path, mkd::reasonText(saved.error, lang)})));
    return false;
}

int JourneyWindow::add(const mkd::EnquiryInProgress& enquiry) {
    const std::string tables = mkd::tablesFingerprint(flow_.tables().locations().tableFolder);
    mkd::JourneyRow journey = mkd::journeyOf(enquiry, tables);
    // An enquiry without a date screen (the local train) takes the travel
    // date chosen last, else today, and says the date was not chosen.
    if (!journey.date) {
        const std::optional<mkd::Date> last = LastTravelDate::last(flow_);
        journey.date = last ? *last : flow_.seam().today();
        if (journey.note.empty())
            journey.note = (last ? tr("乗車日は選んでいません（前回の乗車日）") : tr("乗車日は選んでいません（今日）"))
                               .toStdString();
    }
    store_.list.rows.push_back(journey);
    if (!save()) {
        store_.list.rows.pop_back();
        return 0;
    }
    model_->tablesNow = tables;
    model_->show(model_->month());
    refresh();
    return static_cast<int>(store_.list.rows.size());
}

void JourneyWindow::moveRow(int by) {
    const int shown = table->currentIndex().row();
    const int row = model_->listRow(shown);
    const int target = model_->listRow(shown + by);
    if (row < 0 || target < 0 || !store_.list.move(row, target - row)) return;
    save();
    const int column = table->currentIndex().column();
    model_->show(model_->month());
    refresh();
    table->setCurrentIndex(model_->index(shown + by, std::max(0, column)));
}

void JourneyWindow::deleteRow() {
    const int shown = table->currentIndex().row();
    const int row = model_->listRow(shown);
    if (row < 0) return;
    store_.list.rows.erase(store_.list.rows.begin() + row);
    save();
    model_->show(model_->month());
    refresh();
    if (model_->rowCount() > 0) table->selectRow(std::min(shown, model_->rowCount() - 1));
}

void JourneyWindow::exportCsv(mkd::CsvStyle style) {
    const QString title = style == mkd::CsvStyle::Excel ? tr("Excel用CSVで保存") : tr("CSVで保存");
    QString path = QFileDialog::getSaveFileName(this, title, windowTitle() + QStringLiteral(".csv"), tr("CSV (*.csv)"));
    if (path.isEmpty()) return;
    const std::string csv = mkd::journeyCsv(store_.list, model_->month(), model_->tablesNow, flow_.language(), style);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(csv.data(), static_cast<qint64>(csv.size())) < 0 ||
        !file.commit())
        flow_.message(tr("CSVを書けませんでした。"), path + QStringLiteral("\n") + file.errorString());
}

QString JourneyWindow::html() const {
    const mkd::Lang lang = flow_.language();
    const std::string folder = flow_.tables().locations().tableFolder;
    std::string title(mkd::text(mkd::Msg::JourneyList, lang));
    if (!model_->month().empty()) title += " " + model_->month();
    return toQt(mkd::printHeadingHtml(title, mkd::dateText(flow_.seam().today()), folder, lang)) +
           toQt(mkd::journeyHtml(store_.list, model_->month(), model_->tablesNow, lang));
}

void JourneyWindow::print() { printPreview(this, flow_, html()); }

void JourneyWindow::savePdf() { ::savePdf(this, flow_, html(), windowTitle()); }

void JourneyWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        showWords();
        model_->show(model_->month());
    }
    QWidget::changeEvent(event);
}

void JourneyWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (event->key() == Qt::Key_Delete && table->hasFocus()) {
        deleteRow();
        return;
    }
    QWidget::keyPressEvent(event);
}
