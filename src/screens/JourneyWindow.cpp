#include "screens/JourneyWindow.hpp"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>
#include <algorithm>
#include <memory>
#include <utility>

#include "explain/answer_words.hpp"
#include "explain/claim_words.hpp"
#include "explain/journey_words.hpp"
#include "records/journey_list.hpp"
#include "screens/AnswerOut.hpp"
#include "screens/ExportFile.hpp"
#include "screens/LastTravelDate.hpp"
#include "screens/ScreenFlow.hpp"
#include "screens/WindowPlace.hpp"
#include "screens/file_out.hpp"
#include "screens/shortcuts.hpp"
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

int JourneyModel::shownRow(int listRow) const {
    const auto at = std::find(shown_.begin(), shown_.end(), listRow);
    return at == shown_.end() ? -1 : static_cast<int>(at - shown_.begin());
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
    if (role == Qt::ToolTipRole && j.tables != tablesNow.fingerprint)
        return toQt(mkd::text(mkd::Msg::JourneyOtherTables, lang));
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
    mkd::JourneyRow j = store_.list.rows[static_cast<std::size_t>(row)];
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
    if (j == store_.list.rows[static_cast<std::size_t>(row)]) return true;
    change(row, j);
    return true;
}

void JourneyModel::show(const std::string& month) {
    beginResetModel();
    month_ = month;
    shown_ = store_.list.rowsOf(month_);
    order();
    endResetModel();
}

void JourneyModel::sort(int column, Qt::SortOrder order) {
    emit layoutAboutToBeChanged();
    const QModelIndexList before = persistentIndexList();
    std::vector<int> rows;
    for (const QModelIndex& i : before) rows.push_back(listRow(i.row()));
    sortColumn_ = column >= 0 && column < columnCount() ? column : -1;
    sortOrder_ = order;
    shown_ = store_.list.rowsOf(month_);
    this->order();
    QModelIndexList after;
    for (std::size_t k = 0; k < rows.size(); ++k)
        after.push_back(index(shownRow(rows[k]), before[static_cast<qsizetype>(k)].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged();
}

void JourneyModel::order() {
    if (sortColumn_ < 0) return;
    const auto& rows = store_.list.rows;
    const mkd::Lang lang = flow_.language();
    // What a row is sorted by in the column: its date (rows without one
    // last), the stations in the corridor's order, the amount as a number,
    // the other columns by their words.
    auto key = [&](int i) -> std::pair<double, std::string> {
        const mkd::JourneyRow& j = rows[static_cast<std::size_t>(i)];
        switch (sortColumn_) {
            case kDateColumn:
                return {j.date ? 0.0 : 1.0, mkd::dateText(j.date)};
            case 1:
                return {static_cast<double>(j.departure), {}};
            case 2:
                return {static_cast<double>(j.arrival), {}};
            case 3:
                return {static_cast<double>(j.kind), {}};
            case 4:
                return {static_cast<double>(j.passenger), {}};
            case 5:
                return {static_cast<double>(j.trip), {}};
            case kAmountColumn:
                return {j.amount, {}};
            default:
                return {0.0, mkd::journeyCells(j, tablesNow, lang)[static_cast<std::size_t>(sortColumn_)]};
        }
    };
    std::vector<std::pair<std::pair<double, std::string>, int>> keyed;
    for (int i : shown_) keyed.emplace_back(key(i), i);
    const bool down = sortOrder_ == Qt::DescendingOrder;
    std::stable_sort(keyed.begin(), keyed.end(),
                     [down](const auto& a, const auto& b) { return down ? b.first < a.first : a.first < b.first; });
    for (std::size_t k = 0; k < keyed.size(); ++k) shown_[k] = keyed[k].second;
}

namespace {

// One change of the list: what redo() does and what undo() does, each made
// to what the file holds then and saved; one that could not be made (the
// row is gone, the file could not be saved) leaves the stack.
class ListChange : public QUndoCommand {
public:
    ListChange(const QString& text, std::function<bool()> redo, std::function<bool()> undo)
        : QUndoCommand(text), redo_(std::move(redo)), undo_(std::move(undo)) {}
    void redo() override { setObsolete(!redo_()); }
    void undo() override { setObsolete(!undo_()); }

private:
    std::function<bool()> redo_, undo_;
};

}  // namespace

JourneyWindow::JourneyWindow(QWidget* owner, ScreenFlow& flow)
    : QWidget(owner, Qt::Window),
      flow_(flow),
      place_(new WindowPlace(*this, flow.seam(), QStringLiteral("journeys/geometry"))),
      store_(mkd::journeyListPath(mkd::userFoldersFromEnvironment())) {
    model_ = new JourneyModel(store_, flow_, this);
    model_->tablesNow = mkd::tablesInUse(flow_.tables().locations().tableFolder);
    undo = new QUndoStack(this);
    undo->setUndoLimit(100);

    // The table first: it has the focus when the window opens.
    table = new QTableView(this);
    month = new QComboBox(this);
    table->setModel(model_);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    // Tab leaves the table for the month and the buttons; the arrows move
    // between cells.
    table->setTabKeyNavigation(false);
    table->installEventFilter(this);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setSortIndicatorShown(true);
    table->horizontalHeader()->setSortIndicatorClearable(true);
    table->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table->setSortingEnabled(true);
    monthLabel_ = new QLabel(this);
    monthLabel_->setBuddy(month);
    total = new QLabel(this);
    total->setTextInteractionFlags(Qt::TextSelectableByMouse);
    subtotals = new QLabel(this);
    subtotals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    subtotals->setWordWrap(true);
    savedTo = savedLine(this);

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
    xlsx_ = button(&JourneyWindow::saveWorkbook);
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
    key(shortcutKey(Shortcut::SaveWorkbook), [this] { saveWorkbook(); });
    key(QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); });
    key(shortcutKey(Shortcut::MonthFilter), [this] { month->setFocus(Qt::ShortcutFocusReason); });

    // The menus: undo and redo, and sorting by keyboard.
    menus_ = new QMenuBar(this);
    edit_ = menus_->addMenu(QString());
    undoAction_ = undo->createUndoAction(this);
    undoAction_->setShortcut(shortcutKey(Shortcut::Undo));
    redoAction_ = undo->createRedoAction(this);
    redoAction_->setShortcuts({shortcutKey(Shortcut::Redo), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    for (QAction* a : {undoAction_, redoAction_}) a->setShortcutContext(Qt::WindowShortcut);
    edit_->addAction(undoAction_);
    edit_->addAction(redoAction_);
    edit_->addSeparator();
    deleteAction_ = edit_->addAction(QString(), this, &JourneyWindow::deleteRow);
    addActions({undoAction_, redoAction_});
    view_ = menus_->addMenu(QString());
    sort_ = view_->addMenu(QString());
    for (int c = -1; c < model_->columnCount(); ++c) {
        QAction* a = sort_->addAction(QString());
        a->setData(c);
        connect(a, &QAction::triggered, this, [this, c] {
            // The column chosen again sorts the other way round.
            const bool again = c >= 0 && model_->sortColumn() == c && model_->sortOrder() == Qt::AscendingOrder;
            table->sortByColumn(c, again ? Qt::DescendingOrder : Qt::AscendingOrder);
        });
        if (c == -1) sort_->addSeparator();
    }

    auto* top = new QHBoxLayout;
    top->addWidget(monthLabel_);
    top->addWidget(month);
    top->addStretch();
    top->addWidget(total);
    auto* rows = new QHBoxLayout;
    for (QPushButton* b : {up_, down_, delete_}) rows->addWidget(b);
    rows->addStretch();
    auto* out = new QHBoxLayout;
    for (QPushButton* b : {csv_, excel_, xlsx_, print_, pdf_}) out->addWidget(b);
    out->addStretch();
    out->addWidget(close_);
    QVBoxLayout* layout = scrollingClient(*this);
    layout->setMenuBar(menus_);
    layout->addLayout(top);
    layout->addWidget(subtotals);
    layout->addWidget(table);
    layout->addLayout(rows);
    layout->addLayout(out);
    layout->addWidget(savedTo);
    resize(960, 440);
    setTabOrder(table, month);

    table->setItemDelegateForColumn(JourneyModel::kNoteColumn, new PurposeDelegate(table));
    model_->change = [this](int row, const mkd::JourneyRow& edited) {
        const mkd::JourneyRow before = store_.list.rows[static_cast<std::size_t>(row)];
        // The row as the file holds it now, wherever another program put it.
        auto replace = [row](const mkd::JourneyRow& from, const mkd::JourneyRow& to) {
            return [row, from, to](mkd::JourneyList& l) {
                const int at = l.find(from, row);
                if (at < 0) return false;
                l.rows[static_cast<std::size_t>(at)] = to;
                return true;
            };
        };
        change(tr("編集"), replace(before, edited), replace(edited, before), row);
    };
    connect(month, &QComboBox::activated, this, [this] {
        model_->show(month->currentData().toString().toStdString());
        refresh();
    });
    connect(table->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this, [this] { refresh(); });

    store_.load();
    tellLoad();
    showWords();
    model_->show({});
    watchFolder();
}

bool JourneyWindow::change(const QString& what, Edit doIt, Edit undoIt, int showRow) {
    // Whether the change was made when pushed (the command may outlive this
    // call: redo runs again after an undo).
    auto made = std::make_shared<bool>(false);
    undo->push(new ListChange(
        what,
        [this, doIt, showRow, made] {
            *made = apply(doIt);
            afterChange(showRow);
            return *made;
        },
        [this, undoIt, showRow] {
            const bool undone = apply(undoIt);
            afterChange(showRow);
            return undone;
        }));
    return *made;
}

void JourneyWindow::afterChange(int showRow) {
    const int column = std::max(0, table->currentIndex().column());
    const int current = std::max(0, table->currentIndex().row());
    model_->show(model_->month());
    refresh();
    // The row changed, or where it was.
    const int shown = model_->shownRow(showRow);
    if (shown >= 0)
        table->setCurrentIndex(model_->index(shown, column));
    else if (model_->rowCount() > 0)
        table->setCurrentIndex(model_->index(std::min(current, model_->rowCount() - 1), column));
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

bool JourneyWindow::apply(const Edit& edit) {
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
    xlsx_->setText(tr("Excel ブックで保存..."));
    xlsx_->setToolTip(tr("Excel ブック (.xlsx): 月ごとの小計と合計の式つき (Ctrl+Shift+X)"));
    monthLabel_->setText(tr("表示する月:"));
    edit_->setTitle(tr("編集(&E)"));
    undo->setUndoLimit(100);
    undoAction_->setText(tr("元に戻す"));
    redoAction_->setText(tr("やり直し"));
    deleteAction_->setText(tr("削除"));
    deleteAction_->setShortcut(shortcutKey(Shortcut::DeleteRow));
    deleteAction_->setShortcutContext(Qt::WidgetShortcut);  // shown in the menu; the table takes the key
    view_->setTitle(tr("表示(&V)"));
    sort_->setTitle(tr("並べ替え"));
    const auto heads = mkd::journeyHeads(lang);
    for (QAction* a : sort_->actions()) {
        if (a->isSeparator()) continue;
        const int c = a->data().toInt();
        a->setText(c < 0 ? tr("明細の順") : toQt(heads[static_cast<std::size_t>(c)]));
    }
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
    // A subtotal per month, when the rows shown span several.
    const std::vector<mkd::ClaimGroup> groups = mkd::claimGroups(store_.list, model_->month());
    QStringList parts;
    if (groups.size() > 1)
        for (const mkd::ClaimGroup& g : groups)
            parts << toQt(mkd::text(mkd::Msg::ClaimSubtotal, lang,
                                    {g.month.empty() ? mkd::text(mkd::Msg::ClaimNoDate, lang) : g.month})) +
                         QStringLiteral(" ") + toQt(mkd::formatMoney(g.subtotal, lang));
    subtotals->setText(parts.join(QStringLiteral("　")));
    subtotals->setVisible(!parts.isEmpty());
    const bool sorted = model_->sortColumn() >= 0;
    up_->setEnabled(!sorted);
    down_->setEnabled(!sorted);
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
    model_->tablesNow = mkd::tablesInUse(flow_.tables().locations().tableFolder);
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
    const mkd::TablesInUse tables = mkd::tablesInUse(flow_.tables().locations().tableFolder);
    mkd::JourneyRow journey = mkd::journeyOf(enquiry, tables.fingerprint);
    // An enquiry without a date screen (the local train) takes the travel
    // date chosen last, else today, and says the date was not chosen.
    if (!journey.date) {
        const std::optional<mkd::Date> last = LastTravelDate::last(flow_);
        journey.date = last ? *last : flow_.seam().today();
        if (journey.note.empty())
            journey.note = (last ? tr("乗車日は選んでいません（前回の乗車日）") : tr("乗車日は選んでいません（今日）"))
                               .toStdString();
    }
    model_->tablesNow = tables;
    const int last = static_cast<int>(store_.list.rows.size());
    const bool added = change(
        tr("追加"),
        [journey](mkd::JourneyList& l) {
            l.rows.push_back(journey);
            return true;
        },
        [journey, last](mkd::JourneyList& l) {
            const int at = l.find(journey, last);
            if (at < 0) return false;
            l.rows.erase(l.rows.begin() + at);
            return true;
        },
        last);
    return added ? static_cast<int>(store_.list.rows.size()) : 0;
}

void JourneyWindow::moveRow(int by) {
    // Rows sorted by a column have no order of their own to change.
    if (model_->sortColumn() >= 0) return;
    const int shown = table->currentIndex().row();
    const int row = model_->listRow(shown);
    const int target = model_->listRow(shown + by);
    const int size = static_cast<int>(store_.list.rows.size());
    if (row < 0 || target < 0 || row == target || row >= size || target >= size) return;
    // The row found where the file holds it now, moved as far as asked.
    const mkd::JourneyRow moving = store_.list.rows[static_cast<std::size_t>(row)];
    auto move = [moving](int near, int steps) {
        return [moving, near, steps](mkd::JourneyList& l) {
            const int from = l.find(moving, near);
            return from >= 0 && l.move(from, steps);
        };
    };
    change(tr("移動"), move(row, target - row), move(target, row - target), target);
}

void JourneyWindow::deleteRow() {
    const int row = model_->listRow(table->currentIndex().row());
    if (row < 0 || row >= static_cast<int>(store_.list.rows.size())) return;
    // No question: Ctrl+Z brings the row back.
    const mkd::JourneyRow gone = store_.list.rows[static_cast<std::size_t>(row)];
    change(
        tr("削除"),
        [row, gone](mkd::JourneyList& l) {
            const int at = l.find(gone, row);
            if (at < 0) return false;
            l.rows.erase(l.rows.begin() + at);
            return true;
        },
        [row, gone](mkd::JourneyList& l) {
            l.rows.insert(l.rows.begin() + std::min<std::ptrdiff_t>(row, std::ssize(l.rows)), gone);
            return true;
        },
        row);
}

void JourneyWindow::saveWorkbook() {
    const mkd::Lang lang = flow_.language();
    const QString path =
        askSavePath(this, flow_,
                    {tr("Excel ブックで保存"), QStringLiteral("xlsx"),
                     toQt(mkd::claimFileName(store_.list, model_->month(), lang)) + QStringLiteral(".xlsx"),
                     tr("Excel ブック (*.xlsx)"), QStringLiteral("xlsx")});
    if (path.isEmpty()) return;
    const std::string bytes =
        workbookBytes(flow_, mkd::journeyWorkbook(store_.list, model_->month(), model_->tablesNow, lang, MKD_VERSION));
    if (!bytes.empty() && saveBytes(flow_, path, bytes)) showSavedPath(savedTo, path);
}

void JourneyWindow::exportCsv(mkd::CsvStyle style) {
    const QString title = style == mkd::CsvStyle::Excel ? tr("Excel用CSVで保存") : tr("CSVで保存");
    const QString path = askExportPath(this, flow_, title, windowTitle() + QStringLiteral(".csv"), tr("CSV (*.csv)"),
                                       QStringLiteral("csv"));
    if (path.isEmpty()) return;
    const std::string csv = mkd::journeyCsv(store_.list, model_->month(), model_->tablesNow, flow_.language(), style);
    if (exportBytes(flow_, path, csv, tr("CSVを書けませんでした。"))) showSavedPath(savedTo, path);
}

QString JourneyWindow::html() const {
    const mkd::Lang lang = flow_.language();
    std::string title(mkd::text(mkd::Msg::JourneyList, lang));
    if (!model_->month().empty()) title += " " + model_->month();
    return toQt(mkd::printHeadingHtml(title, mkd::dateText(flow_.seam().today()), model_->tablesNow.edition, lang)) +
           toQt(mkd::journeyHtml(store_.list, model_->month(), model_->tablesNow, lang));
}

void JourneyWindow::print() { printPreview(this, flow_, html()); }

void JourneyWindow::savePdf() {
    const mkd::Lang lang = flow_.language();
    const int rows = static_cast<int>(store_.list.rowsOf(model_->month()).size());
    const QString path =
        askSavePath(this, flow_,
                    {tr("PDFとして保存"), QStringLiteral("pdf"),
                     toQt(mkd::claimFileName(store_.list, model_->month(), lang)) + QStringLiteral(".pdf"),
                     tr("PDF (*.pdf)"), QStringLiteral("pdf")});
    if (path.isEmpty()) return;
    // A long list takes its time and its memory: asked first.
    constexpr int kAskAbove = 500;
    if (rows > kAskAbove &&
        QMessageBox::question(this, toQt(mkd::text(mkd::Msg::ProgramName, lang)),
                              tr("%1 行の明細は %2 ページほどになり、時間がかかります。PDFを作りますか？")
                                  .arg(rows)
                                  .arg(rows / 30 + 1)) != QMessageBox::Yes)
        return;
    const ClaimPdf write = claimPdfWriter(flow_);
    if (!write) return;
    // Written into a private folder, then put in place carefully.
    QTemporaryDir scratch;
    const QString draft = scratch.filePath(QStringLiteral("claim.pdf"));
    QProgressDialog progress(tr("PDFを作っています..."), tr("中止"), 0, 0, this);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    const QString made = toQt(mkd::claimMadeWith(MKD_VERSION, model_->tablesNow, lang));
    const int result = !scratch.isValid()
                           ? 1
                           : write(toQt(mkd::claimHtml(store_.list, model_->month(), model_->tablesNow, lang)),
                                   toQt(mkd::claimPageHead(store_.list, model_->month(), lang)), made, draft,
                                   [&progress](int page, int pages) {
                                       progress.setMaximum(pages);
                                       progress.setValue(page);
                                       return !progress.wasCanceled();
                                   });
    progress.reset();
    if (result == 2) return;
    QFile file(draft);
    const QByteArray bytes = result == 0 && file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (bytes.isEmpty()) {
        flow_.message(tr("PDFを書けませんでした。"), path);
        return;
    }
    if (saveBytes(flow_, path, bytes.toStdString())) showSavedPath(savedTo, path);
}

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
    if (event->matches(QKeySequence::Delete) && table->hasFocus()) {
        deleteRow();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool JourneyWindow::eventFilter(QObject* watched, QEvent* event) {
    // Delete on the table itself (not in a cell's editor, which has the
    // keys while open) removes the row, before the key could open an editor.
    if (watched == table && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Delete)) {
        deleteRow();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}
