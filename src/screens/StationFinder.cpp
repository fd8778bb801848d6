#include "screens/StationFinder.hpp"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

#include "data/station_names.hpp"
#include "data/station_readings.hpp"
#include "data/station_search.hpp"
#include "screens/station_labels.hpp"
#include "screens/text.hpp"

namespace {

// A list as a screen reader meets it: named by its caption (乗車駅, 降車駅,
// 年), its item the value. Qt's own combo box on Linux gives the
// current item as the name, so that the list would be announced as "岡山".
// The finder's window, open, is the list's one child: a window that pops up
// has no place of its own among the program's windows.
class NamedList : public QAccessibleWidget {
public:
    explicit NamedList(QWidget* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}
    QString text(QAccessible::Text t) const override {
        const auto* box = static_cast<const QComboBox*>(widget());
        if (t == QAccessible::Value) return box->currentText();
        if (t == QAccessible::Name && !box->accessibleName().isEmpty()) return box->accessibleName();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return finder() ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        QWidget* window = finder();
        return index == 0 && window ? QAccessible::queryAccessibleInterface(window) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child && finder() && child->object() == finder() ? 0 : -1;
    }

private:
    QWidget* finder() const {
        const auto* f = widget()->findChild<StationFinder*>(QString(), Qt::FindDirectChildrenOnly);
        return f && f->isOpen() ? f->textBox()->window() : nullptr;
    }
};

constexpr const char* kNamedList = "mkdNamedList";

QAccessibleInterface* namedList(const QString& className, QObject* object) {
    if (className == QLatin1String("QComboBox") && object && object->property(kNamedList).toBool())
        return new NamedList(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

void nameByCaption(QComboBox* list) {
    static const bool installed = [] {
        QAccessible::installFactory(namedList);
        return true;
    }();
    static_cast<void>(installed);
    if (list->property(kNamedList).toBool()) return;
    list->setProperty(kNamedList, true);
    // Named before it was watched: Qt's own interface, made then, gives way.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(list);
        made && !dynamic_cast<NamedList*>(made))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

StationFinder::StationFinder(QComboBox* list, mkd::StationList stations, std::function<mkd::Lang()> language)
    : QObject(list), list_(list), stations_(stations), language_(std::move(language)) {
    nameByCaption(list_);
    // Input methods send their text only to widgets that accept it.
    list_->setAttribute(Qt::WA_InputMethodEnabled);
    list_->installEventFilter(this);
    connect(list_, &QComboBox::currentIndexChanged, this, [this] { tipWhenCut(list_); });
}

bool StationFinder::isOpen() const { return popup_ && popup_->isVisible(); }

namespace {

// A key that starts a search: a printable character without Ctrl, Alt or
// Meta. Space keeps its usual meaning of opening the list.
bool startsSearch(const QKeyEvent* key) {
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
    const QString text = key->text();
    return !text.isEmpty() && text.at(0).isPrint() && !text.at(0).isSpace();
}

}  // namespace

void StationFinder::widenOpenList() {
    // The open list shows every name whole, however narrow the closed list
    // (which shortens a long one, with the whole name as its tool tip).
    // Measured only when the list may open, once per language.
    QAbstractItemView* view = list_->view();
    const QString key = list_->itemText(0) + QString::number(list_->count());
    if (key == widenedFor_) return;
    widenedFor_ = key;
    const QFontMetrics metrics(view->font());
    int widest = 0;
    for (int i = 0; i < list_->count(); ++i) widest = std::max(widest, metrics.horizontalAdvance(list_->itemText(i)));
    const int scrollBar = view->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, view);
    view->setMinimumWidth(widest + scrollBar + 2 * view->frameWidth() + 16);
}

bool StationFinder::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress))
        widenOpenList();
    if (watched == list_) {
        if (event->type() == QEvent::KeyPress && (isOpen() || startsSearch(static_cast<QKeyEvent*>(event)))) {
            // Keys that reach the list while the window is open belong to it.
            open();
            QCoreApplication::sendEvent(edit_, event);
            return true;
        }
        if (event->type() == QEvent::InputMethod) {
            const auto* im = static_cast<QInputMethodEvent*>(event);
            if (im->commitString().isEmpty() && im->preeditString().isEmpty()) return false;
            open();
            QCoreApplication::sendEvent(edit_, event);
            return true;
        }
        return false;
    }
    if (watched == edit_ && event->type() == QEvent::InputMethod) {
        // The text being composed searches as it grows, before the input
        // method commits it; committed text changes the field, which searches.
        const auto* im = static_cast<QInputMethodEvent*>(event);
        preedit_ = im->preeditString();
        if (im->commitString().isEmpty() && im->replacementLength() == 0) refilter();
        return false;
    }
    if (watched == edit_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
                // Enter during a composition commits it, as input methods
                // do; the next Enter takes the station.
                if (!preedit_.isEmpty())
                    commitComposition();
                else
                    take();
                return true;
            case Qt::Key_Escape:
                close();
                return true;
            case Qt::Key_Tab:
            case Qt::Key_Backtab:
                // Tab leaves the list for the next control, as it always does.
                leave();
                QCoreApplication::sendEvent(list_, event);
                return true;
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(view_, event);
                return true;
            default:
                return false;
        }
    }
    if (watched == popup_ && event->type() == QEvent::Hide && !closing_) {
        // A click outside dismisses the window as Escape does: nothing was
        // chosen, the list keeps its station.
        close();
        return false;
    }
    return false;
}

void StationFinder::open() {
    if (isOpen()) return;
    if (!popup_) {
        popup_ = new QFrame(list_, Qt::Popup);
        popup_->setObjectName(list_->objectName() + QStringLiteral("Finder"));
        popup_->setFrameShape(QFrame::Box);
        auto* layout = new QVBoxLayout(popup_);
        layout->setContentsMargins(2, 2, 2, 2);
        layout->setSpacing(2);
        edit_ = new QLineEdit(popup_);
        edit_->setObjectName(QStringLiteral("text"));
        view_ = new QListWidget(popup_);
        view_->setObjectName(QStringLiteral("matches"));
        view_->setFocusPolicy(Qt::NoFocus);
        view_->setUniformItemSizes(true);
        layout->addWidget(edit_);
        layout->addWidget(view_);
        edit_->installEventFilter(this);
        popup_->installEventFilter(this);
        connect(edit_, &QLineEdit::textChanged, this, &StationFinder::refilter);
        connect(view_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
            view_->setCurrentItem(item);
            take();
        });
    }
    // In the language of the moment: the window is made once and opened
    // many times, the language may have changed in between.
    edit_->setPlaceholderText(tr("駅名・よみ・ローマ字"));
    edit_->setAccessibleName(tr("駅を探す"));
    view_->setAccessibleName(tr("見つかった駅"));
    // A screen reader finds the window by the list's own name.
    popup_->setAccessibleName(list_->accessibleName());
    // Under the list, as wide as the list or as its stations need.
    const int width = std::max(list_->width(), 200);
    popup_->setFixedWidth(width);
    edit_->clear();
    preedit_.clear();
    refilter();
    QPoint at = list_->mapToGlobal(QPoint(0, list_->height()));
    if (const QScreen* screen = list_->screen()) {
        const QRect room = screen->availableGeometry();
        at.setX(std::clamp(at.x(), room.left(), std::max(room.left(), room.right() - width)));
        if (at.y() + popup_->height() > room.bottom())
            at.setY(std::max(room.top(), list_->mapToGlobal(QPoint(0, 0)).y() - popup_->height()));
    }
    popup_->move(at);
    closing_ = false;
    popup_->show();
    edit_->setFocus(Qt::PopupFocusReason);
}

void StationFinder::refilter() {
    view_->clear();
    QString shown = edit_->text();
    shown.insert(edit_->cursorPosition(), preedit_);
    const std::string typed = shown.toStdString();
    const bool english = language_ && language_() == mkd::Lang::English;
    for (int position : mkd::searchStations(stations_, typed)) {
        // The reading beside the name shows why a station was found; in
        // English the name on the signs comes first, with the Japanese
        // beside it as the signs also show it.
        const std::string_view name = mkd::stationName(stations_, position);
        const auto all = mkd::findStation(mkd::StationList::All, name);
        const QString text =
            english ? toQt(mkd::englishName(stations_, position)) + QStringLiteral("  ") + toQt(name)
                    : toQt(name) + QStringLiteral("　") + toQt(all ? mkd::stationReading(*all) : std::string_view{});
        auto* item = new QListWidgetItem(text);
        item->setData(Qt::UserRole, position);
        view_->addItem(item);
    }
    if (view_->count()) {
        view_->setCurrentRow(0);
    } else if (!typed.empty()) {
        // Said rather than an empty white list; it cannot be chosen.
        auto* none = new QListWidgetItem(tr("該当する駅がありません"));
        none->setFlags(Qt::NoItemFlags);
        view_->addItem(none);
    }
    announceFirst();
    // As tall as its stations need, up to a dozen rows.
    const int rows = std::clamp(view_->count(), 1, 12);
    const int rowHeight = view_->count() ? view_->sizeHintForRow(0) : view_->fontMetrics().height() + 2;
    view_->setFixedHeight(rows * rowHeight + 2 * view_->frameWidth());
    popup_->adjustSize();
}

void StationFinder::announceFirst() {
    // The field keeps the focus while the matches change: the first match
    // (or the line saying there is none) is its description and the list's
    // current item, where a screen reader reads it.
    const QListWidgetItem* first = view_->count() ? view_->item(0) : nullptr;
    edit_->setAccessibleDescription(first ? first->text() : QString());
    if (!QAccessible::isActive() || !first) return;
    QAccessibleEvent described(edit_, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
    QAccessibleEvent current(view_, QAccessible::Focus);
    current.setChild(0);
    QAccessible::updateAccessibility(&current);
}

void StationFinder::commitComposition() {
    QGuiApplication::inputMethod()->commit();
    if (preedit_.isEmpty()) return;
    // No input method took it (none is running): commit the text as shown.
    QInputMethodEvent commit;
    commit.setCommitString(preedit_);
    QCoreApplication::sendEvent(edit_, &commit);
}

void StationFinder::take() {
    const QListWidgetItem* item = view_->currentItem();
    if (!item || !item->data(Qt::UserRole).isValid()) return;  // nothing fits: the text stays to be corrected
    const int position = item->data(Qt::UserRole).toInt();
    close();
    choose(list_, position);
}

void StationFinder::choose(QComboBox* list, int position) {
    // What QComboBox does when an item is chosen with the mouse.
    list->setCurrentIndex(position);
    emit list->activated(position);
    emit list->textActivated(list->itemText(position));
}

void StationFinder::close() {
    closing_ = true;
    if (popup_) popup_->hide();
    list_->setFocus(Qt::PopupFocusReason);
}

void StationFinder::leave() {
    const QListWidgetItem* item = view_->currentItem();
    if (item && item->data(Qt::UserRole).isValid())
        take();
    else
        close();
}
