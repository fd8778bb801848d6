#include "screens/WhyLine.hpp"

#include <QFocusEvent>
#include <algorithm>

namespace {
constexpr int kMargin = 8;  // px, left and right of a line and below the last
constexpr int kGap = 6;  // px between the controls and a line, and between lines

std::vector<LineBelow*> linesOf(QWidget* client) {
    const QList<LineBelow*> lines = client->findChildren<LineBelow*>(Qt::FindDirectChildrenOnly);
    return {lines.begin(), lines.end()};
}
}  // namespace

LineBelow::LineBelow(QWidget* client, const QString& name) : QLabel(client) {
    setObjectName(name);
    const std::vector<LineBelow*> earlier = [&] {
        auto lines = linesOf(client);
        lines.erase(std::remove(lines.begin(), lines.end(), this), lines.end());
        return lines;
    }();
    if (earlier.empty()) {
        int bottom = 0;
        for (const QWidget* w : client->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (w != this && !w->isWindow()) bottom = std::max(bottom, w->geometry().bottom() + 1);
        top_ = bottom + kGap;
        clientHeight_ = client->height();
    } else {
        top_ = earlier.front()->top_;
        clientHeight_ = earlier.front()->clientHeight_;
    }
    order_ = static_cast<int>(earlier.size());
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    hide();
}

void LineBelow::say(const QString& words) {
    if (words.isEmpty() && isHidden() && text().isEmpty()) return;
    setText(words);
    setAccessibleDescription(words);
    setVisible(!words.isEmpty());
    stack(parentWidget());
}

void LineBelow::stack(QWidget* client) {
    std::vector<LineBelow*> lines = linesOf(client);
    if (lines.empty()) return;
    std::sort(lines.begin(), lines.end(), [](auto* a, auto* b) { return a->order_ < b->order_; });
    const int width = client->width() - 2 * kMargin;
    int top = lines.front()->top_;
    bool any = false;
    for (LineBelow* line : lines) {
        if (line->isHidden()) continue;
        const int height = std::max(line->heightForWidth(width), line->minimumHeight());
        line->setGeometry(kMargin, top, width, height);
        top += height + kGap;
        any = true;
    }
    const int needs = any ? top - kGap + kMargin : 0;
    client->setFixedHeight(std::max(lines.front()->clientHeight_, needs));
}

WhyLine::WhyLine(QWidget* client) : LineBelow(client, QStringLiteral("lblWhyOff")) {}

void WhyLine::watch(std::initializer_list<QWidget*> place, std::function<QString()> why) {
    for (QWidget* w : place) w->installEventFilter(this);
    places_.push_back({std::vector<QWidget*>(place), std::move(why)});
}

bool WhyLine::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::FocusIn && event->type() != QEvent::FocusOut) return false;
    const auto* focus = static_cast<QFocusEvent*>(event);
    if (event->type() == QEvent::FocusOut) {
        if (focus->reason() != Qt::PopupFocusReason) say({});
        return false;
    }
    const bool byKeyboard = focus->reason() == Qt::TabFocusReason || focus->reason() == Qt::BacktabFocusReason ||
                            focus->reason() == Qt::ShortcutFocusReason;
    if (!byKeyboard) return false;
    for (const Place& p : places_)
        if (std::find(p.widgets.begin(), p.widgets.end(), watched) != p.widgets.end()) {
            const QString why = p.why();
            if (!why.isEmpty()) {
                say(why);
                return false;
            }
        }
    return false;
}
