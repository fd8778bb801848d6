#include "screens/JourneyWindow.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>

#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <QSaveFile>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "data/journey_list.hpp"
#include "explain/answer_words.hpp"
#include "explain/journey_words.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/ExportFile.hpp"
#include "screens/LastTravelDate.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/WindowPlace.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

namespace {

// The purpose's editor says how much it holds, and holds no more.
class PurposeDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const QString says =
                QCoreApplication::translate("JourneyWindow", "用務（%1文字まで）").arg(JourneyModel::kMaxPurpose);
            line->setPlaceholderText(says);
            line->setToolTip(says);
            line->setAccessibleDescription(says);
        }
        return editor;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setMaxLength(
                std::max(JourneyModel::kMaxPurpose, static_cast<int>(index.data(Qt::EditRole).toString().size())));
        QStyledItemDelegate::setEditorData(editor, index);
    }
};

}  // namespace

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
    // Until shown again, the rows shown may be more than the list holds.
    if (row < 0 || row >= static_cast<int>(store_.list.rows.size())) return {};
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
    if (role != Qt::EditRole || row < 0 || row >= static_cast<int>(store_.list.rows.size()) || !change) return false;
    const mkd::JourneyRow was = store_.list.rows[static_cast<std::size_t>(row)];
    mkd::JourneyRow j = was;
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
    // The row as the file holds it now, wherever another program put it.
    const bool saved = change([&was, &j, row](mkd::JourneyList& list) {
        const int at = list.find(was, row);
        if (at < 0) return false;
        list.rows[static_cast<std::size_t>(at)] = j;
        return true;
    });
    if (!saved) return false;
    emit dataChanged(index, index);
    emit edited();
    return true;
}

void JourneyModel::show(const std::string& month) {
    beginResetModel();
    month_ = month;
    shown_ = store_.list.rowsOf(month_);
    shownLoads_ = store_.loads();
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

    model_->change = [this](const auto& edit) { return change(edit); };
    table->setItemDelegateForColumn(JourneyModel::kNoteColumn, new PurposeDelegate(table));
    connect(model_, &JourneyModel::edited, this, [this] {
        refresh();
        // The file held more than was shown: all shown again once the
        // editor is closed.
        if (model_->stale())
            QTimer::singleShot(0, this, [this] {
                if (editing()) return;
                model_->show(model_->month());
                refresh();
            });
    });
    connect(month, &QComboBox::activated, this, [this] {
        model_->show(month->currentData().toString().toStdString());
        refresh();
    });

    store_.load();
    tellLoad();
    showWords();
    model_->show({});
    watchFolder();
}

void JourneyWindow::watchFolder() {
    // The folder, not the file: a save puts a new file in the old one's place.
    const QString folder = QFileInfo(QFile::decodeName(store_.path().c_str())).absolutePath();
    if (store_.path().empty() || !QFileInfo(folder).isDir()) return;
    if (!watcher_) {
        watcher_ = new QFileSystemWatcher(this);
        connect(watcher_, &QFileSystemWatcher::directoryChanged, this, [this] {
            if (isVisible()) reloadIfChanged();
        });
    }
    if (watcher_->directories().isEmpty()) watcher_->addPath(folder);
}

bool JourneyWindow::editing() const {
    // An open editor is the table's child and has the focus.
    const QWidget* focus = QApplication::focusWidget();
    return focus && focus != table && table->isAncestorOf(focus);
}

bool JourneyWindow::tellLoad() {
    if (store_.loads() == loadsTold_) return false;
    loadsTold_ = store_.loads();
    const std::string said = mkd::journeyLoadText(store_.lastLoad(), store_.path(), flow_.language());
    if (said.empty()) return false;
    flow_.message(toQt(said));
    return true;
}

void JourneyWindow::reloadIfChanged() {
    // Not under the user's typing: the next change or activation reads it.
    if (editing() || !store_.reload()) return;
    tellLoad();
    const int shown = table->currentIndex().row();
    model_->show(model_->month());
    refresh();
    if (model_->rowCount() > 0 && shown >= 0) table->selectRow(std::min(shown, model_->rowCount() - 1));
}

bool JourneyWindow::change(const std::function<bool(mkd::JourneyList&)>& edit) {
    const mkd::SaveResult saved = store_.change(edit);
    // What reading the file again found is said first, and is enough.
    const bool told = tellLoad();
    if (!saved.ok() && !told) flow_.message(toQt(mkd::journeySaveText(saved, flow_.language())));
    watchFolder();
    return saved.ok();
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
    store_.reload();
    tellLoad();
    model_->show(model_->month());
    refresh();
    show();
    raise();
    activateWindow();
    table->setFocus();
    if (model_->rowCount() > 0 && !table->currentIndex().isValid()) table->selectRow(0);
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
    if (!change([&journey](mkd::JourneyList& list) {
            list.rows.push_back(journey);
            return true;
        }))
        return 0;
    model_->tablesNow = tables;
    model_->show(model_->month());
    refresh();
    return static_cast<int>(store_.list.rows.size());
}

void JourneyWindow::moveRow(int by) {
    const int shown = table->currentIndex().row();
    const int row = model_->listRow(shown);
    const int target = model_->listRow(shown + by);
    if (row < 0 || target < 0 || row >= static_cast<int>(store_.list.rows.size()) ||
        target >= static_cast<int>(store_.list.rows.size()))
        return;
    const mkd::JourneyRow moving = store_.list.rows[static_cast<std::size_t>(row)];
    const mkd::JourneyRow other = store_.list.rows[static_cast<std::size_t>(target)];
    change([&](mkd::JourneyList& list) {
        const int from = list.find(moving, row);
        const int to = list.find(other, target);
        return from >= 0 && to >= 0 && from != to && list.move(from, to - from);
    });
    const int column = table->currentIndex().column();
    model_->show(model_->month());
    refresh();
    table->setCurrentIndex(model_->index(shown + by, std::max(0, column)));
}

void JourneyWindow::deleteRow() {
    const int shown = table->currentIndex().row();
    const int row = model_->listRow(shown);
    if (row < 0 || row >= static_cast<int>(store_.list.rows.size())) return;
    const mkd::JourneyRow gone = store_.list.rows[static_cast<std::size_t>(row)];
    change([&gone, row](mkd::JourneyList& list) {
        const int at = list.find(gone, row);
        if (at < 0) return false;
        list.rows.erase(list.rows.begin() + at);
        return true;
    });
    model_->show(model_->month());
    refresh();
    if (model_->rowCount() > 0) table->selectRow(std::min(shown, model_->rowCount() - 1));
}

void JourneyWindow::exportCsv(mkd::CsvStyle style) {
    const QString title = style == mkd::CsvStyle::Excel ? tr("Excel用CSVで保存") : tr("CSVで保存");
    const QString path = askExportPath(this, flow_, title, windowTitle() + QStringLiteral(".csv"), tr("CSV (*.csv)"),
                                       QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const std::string csv = mkd::journeyCsv(store_.list, model_->month(), model_->tablesNow, flow_.language(), style);
    exportBytes(flow_, path, csv, tr("CSVを書けませんでした。"));
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
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) reloadIfChanged();
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
